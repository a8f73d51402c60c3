#include "core/KanaReadings.h"

#include <algorithm>

namespace zanmel {

namespace {

romaji::Unit FirstUnit(std::string_view reading) {
    return reading.empty() ? romaji::kUnreadable : romaji::UnitAt(reading, 0);
}

}  // namespace

void KanaReadings::clear() {
    readings_.clear();
    firstUnits_.clear();
}

void KanaReadings::push_back(std::string_view keyword) {
    const std::string reading = romaji::ReadingOf(keyword);
    readings_.push_back(reading);
    firstUnits_.push_back(FirstUnit(reading));
}

void KanaReadings::replace(std::size_t i, std::string_view keyword) {
    const std::string reading = romaji::ReadingOf(keyword);
    readings_.replace(i, reading);
    firstUnits_[i] = FirstUnit(reading);
}

void KanaReadings::erase(std::size_t i) {
    readings_.erase(i);
    firstUnits_.erase(firstUnits_.begin() + static_cast<std::ptrdiff_t>(i));
}

void KanaReadings::move_forward(std::size_t from, std::size_t to) {
    readings_.move_forward(from, to);
    if (to < from) {
        const auto first = firstUnits_.begin();
        std::rotate(first + static_cast<std::ptrdiff_t>(to), first + static_cast<std::ptrdiff_t>(from),
                    first + static_cast<std::ptrdiff_t>(from + 1));
    }
}

void KanaReadings::Find(const romaji::RomajiQuery& typed, bool forward, std::vector<std::size_t>& out) const {
    if (forward) {
        for (std::size_t i = 0; i < firstUnits_.size(); ++i) {
            if (typed.CanBegin(firstUnits_[i]) && typed.MatchesAt(readings_[i], 0)) out.push_back(i);
        }
        return;
    }
    // All readings lie back to back, two bytes a unit: one pass over them tests each unit as a start, and a row
    // that matched is left at once.
    const std::string_view all = readings_.bytes();
    const auto* bytes = reinterpret_cast<const unsigned char*>(all.data());
    std::size_t row = 0;
    for (std::size_t pos = 0; pos < all.size(); pos += 2) {
        if (!typed.CanBegin(static_cast<romaji::Unit>(bytes[pos] | bytes[pos + 1] << 8))) continue;
        while (readings_.end_of(row) <= pos) ++row;
        const std::size_t begin = readings_.begin_of(row);
        if (typed.MatchesAt(all.substr(begin, readings_.end_of(row) - begin), (pos - begin) / 2)) {
            out.push_back(row);
            pos = readings_.end_of(row) - 2;
        }
    }
}

}  // namespace zanmel
