#include "core/Cp932.h"

namespace zanmel::cp932 {

std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) return 2;
    return 1;
}

bool IsCharBoundary(std::string_view text, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos && i < text.size()) i += CharLength(text, i);
    return i == pos;
}

}  // namespace zanmel::cp932
