#include "core/Cp932.h"

namespace zanmel::cp932 {

bool IsCharBoundary(std::string_view text, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos && i < text.size()) i += CharLength(text, i);
    return i == pos;
}

bool EndsWithLoneLeadByte(std::string_view text) {
    if (text.empty() || !IsLeadByte(static_cast<unsigned char>(text.back()))) return false;
    std::size_t i = 0;
    while (i + 1 < text.size()) i += CharLength(text, i);
    return i == text.size() - 1;
}

std::size_t Find(std::string_view text, std::string_view pattern, std::size_t from) {
    if (pattern.empty()) return std::string_view::npos;
    const bool patternEndsLone = EndsWithLoneLeadByte(pattern);
    std::size_t boundary = 0;  // last known character boundary, advanced as the search moves on
    for (std::size_t pos = text.find(pattern, from); pos != std::string_view::npos; pos = text.find(pattern, pos + 1)) {
        while (boundary < pos) boundary += CharLength(text, boundary);
        if (boundary != pos) continue;
        // A pattern ending in a lone lead byte only matches a lone lead byte at the end of the text.
        if (patternEndsLone && pos + pattern.size() != text.size()) continue;
        return pos;
    }
    return std::string_view::npos;
}

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t pos = Find(text, pattern); pos != std::string_view::npos; pos = Find(text, pattern, start)) {
        result.append(text.substr(start, pos - start));
        result.append(replacement);
        start = pos + pattern.size();
    }
    result.append(text.substr(start));
    return result;
}

namespace {

// Lower-case trail byte of the double-byte capital lead:trail, or the trail unchanged.
unsigned char LowerTrail(unsigned char lead, unsigned char trail) {
    switch (lead) {
        case 0x82:
            if (trail >= 0x60 && trail <= 0x79) return trail + 0x21;
            break;
        case 0x83:
            if (trail >= 0x9F && trail <= 0xB6) return trail + 0x20;
            break;
        case 0x84:
            if (trail >= 0x40 && trail <= 0x60) return trail <= 0x4E ? trail + 0x30 : trail + 0x31;
            break;
        default:
            break;
    }
    return trail;
}

}  // namespace

void ToLowerInPlace(std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = CharLength(text, i);
        if (length == 2) {
            text[i + 1] = static_cast<char>(LowerTrail(c, static_cast<unsigned char>(text[i + 1])));
        } else if (c >= 'A' && c <= 'Z') {
            text[i] = static_cast<char>(c + ('a' - 'A'));
        }
        i += length;
    }
}

std::string ToLower(std::string_view text) {
    std::string result(text);
    ToLowerInPlace(result);
    return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t la = CharLength(a, i);
        if (CharLength(b, i) != la) return false;
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        if (la == 2) {
            if (ca != cb) return false;
            if (LowerTrail(ca, static_cast<unsigned char>(a[i + 1])) !=
                LowerTrail(cb, static_cast<unsigned char>(b[i + 1])))
                return false;
        } else {
            auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
            if (lower(ca) != lower(cb)) return false;
        }
        i += la;
    }
    return true;
}

}  // namespace zanmel::cp932
