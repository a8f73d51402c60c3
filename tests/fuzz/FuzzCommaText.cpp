// Comma text split of any bytes; the join of a split must read back to itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/CommaText.h"

using zanmel::CommaTextJoin;
using zanmel::CommaTextSplit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Any text: split it and check that its canonical form is stable.
    const std::string joined = CommaTextJoin(CommaTextSplit(text));
    if (CommaTextJoin(CommaTextSplit(joined)) != joined) std::abort();

    // Any list: the input cut at 0xFE bytes gives the fields.
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFE) {
            fields.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (size == 0) fields.clear();
    const std::string listText = CommaTextJoin(fields);
    if (CommaTextJoin(CommaTextSplit(listText)) != listText) std::abort();
    return 0;
}
