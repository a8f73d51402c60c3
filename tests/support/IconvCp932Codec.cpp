#include "IconvCp932Codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "core/Cp932.h"

namespace zanmel::test {

std::string IconvCp932Codec::Cp932ToUtf8(std::string_view cp932) const {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open CP932 failed");
    std::string out;
    char buffer[256];
    std::size_t pos = 0;
    while (pos < cp932.size()) {
        char* in = const_cast<char*>(cp932.data() + pos);
        std::size_t inLeft = cp932.size() - pos;
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        pos = cp932.size() - inLeft;
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.push_back('?');
            pos += cp932::CharLength(cp932, pos);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace zanmel::test
