#include "core/NameCompare.h"

#include "core/Cp932.h"

namespace zanmel {

namespace {

// Lower-case form of one double-byte character given as lead << 8 | trail.
unsigned FoldDoubleByte(unsigned code) {
    if (code >= 0x8260 && code <= 0x8279) return code + 0x21;  // full-width A-Z
    if (code >= 0x839F && code <= 0x83B6) return code + 0x20;  // Greek capitals
    if (code >= 0x8440 && code <= 0x8460) {                    // Cyrillic capitals; the small row skips 0x847F
        unsigned lower = code + 0x30;
        return lower >= 0x847F ? lower + 1 : lower;
    }
    return code;
}

template <typename Sink>
void ForEachFolded(std::string_view text, Sink sink) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = cp932::CharLength(text, i);
        if (length == 2) {
            unsigned code = static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1]);
            unsigned folded = FoldDoubleByte(code);
            sink(static_cast<char>(folded >> 8));
            sink(static_cast<char>(folded & 0xFF));
        } else {
            char c = text[i];
            sink(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
        i += length;
    }
}

}  // namespace

std::string FoldName(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    ForEachFolded(text, [&](char c) { result.push_back(c); });
    return result;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return FoldName(a) == FoldName(b);
}

}  // namespace zanmel
