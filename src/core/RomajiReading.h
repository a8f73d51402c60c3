#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel::romaji {

// One character of a keyword as romaji typing sees it. Hiragana, katakana and half-width katakana (with its
// voicing marks) become the same kana unit; ー becomes a long-vowel unit that knows the vowel before it; letters,
// digits and symbols of ASCII and of the CP932 symbol rows stay themselves; every run of other characters (kanji
// above all) becomes one unreadable unit that nothing typed matches.
using Unit = std::uint16_t;

constexpr Unit kKanaBase = 0x100;       // + kana number: ぁ 0 ... ん 82 in hiragana order, ヴ 83, ヵ 84, ヶ 85
constexpr Unit kLongVowelBase = 0x180;  // + vowel number: a 0, i 1, u 2, e 3, o 4, none 5
constexpr Unit kUnreadable = 0xFFFF;    // single bytes are their own value, double-byte symbols lead << 8 | trail
constexpr Unit kNarrowLimit = 0x200;    // units below this are single bytes, kana and long vowels

constexpr Unit Kana(int number) {
    return static_cast<Unit>(kKanaBase + number);
}
constexpr bool IsLongVowel(Unit unit) {
    return unit >= kLongVowelBase && unit < kLongVowelBase + 6;
}

// The letter case mapping of cp932::ToLower on one unit: ASCII and full-width Latin capitals.
constexpr Unit FoldCase(Unit unit) {
    if (unit >= 'A' && unit <= 'Z') return static_cast<Unit>(unit + ('a' - 'A'));
    if (unit >= 0x8260 && unit <= 0x8279) return static_cast<Unit>(unit + 0x21);
    return unit;
}

// The units of a keyword packed two bytes each (low byte first), or the empty text when the keyword holds no
// kana: then typing can only match its bytes, which the plain search does already.
std::string ReadingOf(std::string_view keyword);

// The units of hiragana and katakana written in UTF-8, for tables in the source: UTF-8 literals keep their bytes
// whatever the compiler's execution character set. Other characters are left out.
std::vector<Unit> KanaUnitsOf(std::u8string_view kana);

inline std::size_t UnitCount(std::string_view reading) {
    return reading.size() / 2;
}
inline Unit UnitAt(std::string_view reading, std::size_t i) {
    return static_cast<Unit>(static_cast<unsigned char>(reading[2 * i]) | static_cast<unsigned char>(reading[2 * i + 1])
                                                                              << 8);
}

}  // namespace zanmel::romaji
