#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zanmel::cp932 {

// Lead bytes of CP932 double-byte characters: 0x81-0x9F and 0xE0-0xFC. The byte after a lead byte belongs to
// the same character, whatever its value (it may be 0x5C "\" or 0x7C "|"), so text is scanned by character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Trail bytes of valid double-byte characters: 0x40-0x7E and 0x80-0xFC.
constexpr bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length in bytes of the character starting at pos: 2 for a lead byte with a byte after it, else 1. A lead byte
// at the very end of the text counts as one byte, so a scan never runs past the end.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    return pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
}

// True when pos (0..size) falls on a character boundary of text, scanning from the start.
bool IsCharBoundary(std::string_view text, std::size_t pos);

// True when the text's last character is a lead byte without its trail byte.
bool EndsWithLoneLeadByte(std::string_view text);

// First position >= from, on a character boundary, where pattern occurs and ends on a character boundary;
// npos when there is none or the pattern is empty.
std::size_t Find(std::string_view text, std::string_view pattern, std::size_t from = 0);

// Every occurrence of pattern (found as by Find, left to right, not overlapping) replaced by replacement.
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);

// Locale-independent lower-casing, character by character: ASCII A-Z, full-width Latin capitals
// (0x8260-0x8279), Greek capitals (0x839F-0x83B6) and Cyrillic capitals (0x8440-0x8460; the small row skips
// 0x847F). The result has the same length and the same character boundaries as the text.
std::string ToLower(std::string_view text);
void ToLowerInPlace(std::string& text);

// Equality without regard to letter case, by the mapping of ToLower.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace zanmel::cp932
