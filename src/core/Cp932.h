#pragma once

#include <cstddef>
#include <string_view>

namespace zanmel::cp932 {

// Lead bytes of CP932 double-byte characters: 0x81-0x9F and 0xE0-0xFC. The byte after a lead byte belongs to
// the same character, whatever its value (it may be 0x5C "\" or 0x7C "|"), so text is scanned by character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length in bytes of the character starting at pos: 2 for a lead byte with a byte after it, else 1. A lead byte
// at the very end of the text counts as one byte, so a scan never runs past the end.
std::size_t CharLength(std::string_view text, std::size_t pos);

// True when pos (0..size) falls on a character boundary of text, scanning from the start.
bool IsCharBoundary(std::string_view text, std::size_t pos);

}  // namespace zanmel::cp932
