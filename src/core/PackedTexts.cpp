#include "core/PackedTexts.h"

#include <algorithm>

namespace zanmel {

void PackedTexts::clear() {
    bytes_.clear();
    ends_.clear();
}

void PackedTexts::reserve(std::size_t texts, std::size_t bytes) {
    ends_.reserve(texts);
    bytes_.reserve(bytes);
}

void PackedTexts::push_back(std::string_view text) {
    bytes_.append(text);
    ends_.push_back(bytes_.size());
}

void PackedTexts::erase(std::size_t i) {
    replace(i, {});
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(i));
}

void PackedTexts::truncate(std::size_t count) {
    if (count >= ends_.size()) return;
    ends_.resize(count);
    bytes_.resize(count == 0 ? 0 : ends_.back());
}

void PackedTexts::replace(std::size_t i, std::string_view text) {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    const std::size_t oldLength = ends_[i] - start;
    bytes_.replace(start, oldLength, text);
    for (std::size_t j = i; j < ends_.size(); ++j) ends_[j] = ends_[j] - oldLength + text.size();
}

void PackedTexts::move_forward(std::size_t from, std::size_t to) {
    if (to >= from) return;
    const std::size_t rangeStart = to == 0 ? 0 : ends_[to - 1];
    const std::size_t movedStart = ends_[from - 1];
    const std::size_t movedLength = ends_[from] - movedStart;
    std::rotate(bytes_.begin() + static_cast<std::ptrdiff_t>(rangeStart),
                bytes_.begin() + static_cast<std::ptrdiff_t>(movedStart),
                bytes_.begin() + static_cast<std::ptrdiff_t>(ends_[from]));
    // Texts to..from-1 move one place back and by movedLength bytes; the moved text ends at rangeStart + length.
    for (std::size_t j = from; j > to; --j) ends_[j] = ends_[j - 1] + movedLength;
    ends_[to] = rangeStart + movedLength;
}

}  // namespace zanmel
