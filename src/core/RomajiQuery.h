#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/RomajiReading.h"

namespace zanmel::romaji {

// Typed text read as romaji, compiled once per keystroke into a small automaton over kana readings (ReadingOf):
// its states are the positions in the typed text, its edges the kana (one to three units) that the spellings
// beginning there stand for. Hepburn, Kunrei and input-method spellings are all accepted, っ as a doubled
// consonant (tch for っち), ー as "-", as the vowel before it or left out, and an unfinished syllable at the end
// matches every kana it can begin. Letters and symbols a keyword holds as they are match the same typed
// characters, with letter case folded unless caseSensitive.
class RomajiQuery {
public:
    // Typed texts longer than this match by reading nowhere.
    static constexpr std::size_t kMaxLength = 63;

    RomajiQuery(std::string_view typed, bool caseSensitive);

    // True when the typed text reads as the reading from its first unit on (forward), or from any unit
    // (partial). The reading may go on after the match: the typed text is a prefix.
    bool Matches(std::string_view reading, bool forward) const;
    // True when the typed text reads as the reading from unit start on; the match begins with a unit the typed
    // text spells (a ー left out is one inside the match).
    bool MatchesAt(std::string_view reading, std::size_t start) const;
    // False when no match can begin with this unit of a reading: a quick test before MatchesAt.
    bool CanBegin(Unit unit) const { return (starts_[unit >> 6] >> (unit & 63) & 1) != 0; }

private:
    struct Edge {
        std::array<Unit, 3> units{};
        std::uint8_t count = 0;
        std::uint8_t target = 0;  // position in the typed text after the spelling; its length accepts

        auto operator<=>(const Edge&) const = default;
    };

    void AddEdge(std::size_t from, Edge edge);

    std::vector<std::vector<Edge>> edges_;               // by position in the typed text
    std::vector<std::bitset<kNarrowLimit>> firstUnits_;  // by position: first units below kNarrowLimit
    std::vector<bool> wideFirst_;                        // by position: an edge begins with a double-byte symbol
    std::array<std::uint64_t, 0x10000 / 64> starts_{};   // every unit, as a reading holds it, that CanBegin
    std::uint64_t accept_ = 0;
    bool caseSensitive_ = false;
};

}  // namespace zanmel::romaji
