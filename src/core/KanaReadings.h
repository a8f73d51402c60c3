#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/PackedTexts.h"
#include "core/RomajiQuery.h"

namespace zanmel {

// The kana readings (romaji::ReadingOf) of a list of keywords, row for row, and the rows a romaji query
// matches. Readings are made when a row is added or changed, so a keystroke only reads them.
class KanaReadings {
public:
    std::size_t size() const { return firstUnits_.size(); }

    void clear();
    void push_back(std::string_view keyword);
    void replace(std::size_t i, std::string_view keyword);
    void erase(std::size_t i);
    void move_forward(std::size_t from, std::size_t to);

    std::string_view operator[](std::size_t i) const { return readings_[i]; }

    // Appends, in row order, the rows whose reading the typed text matches from its first unit (forward) or
    // from any unit.
    void Find(const romaji::RomajiQuery& typed, bool forward, std::vector<std::size_t>& out) const;

private:
    PackedTexts readings_;
    // The first unit of every reading (kUnreadable when it is empty), so that a forward search tests one
    // small array before reading any reading.
    std::vector<romaji::Unit> firstUnits_;
};

}  // namespace zanmel
