#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// A list of texts stored back to back in one buffer. A linear scan over it reads memory in order, which is what
// makes a search over every keyword per keystroke fast; changes in the middle cost a move of the bytes after.
class PackedTexts {
public:
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(bytes_).substr(start, ends_[i] - start);
    }

    // All texts back to back, and where text i begins and ends in it.
    std::string_view bytes() const { return bytes_; }
    std::size_t begin_of(std::size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
    std::size_t end_of(std::size_t i) const { return ends_[i]; }

    void clear();
    void reserve(std::size_t texts, std::size_t bytes);
    void push_back(std::string_view text);
    void erase(std::size_t i);
    // Keeps the first count texts.
    void truncate(std::size_t count);
    void replace(std::size_t i, std::string_view text);
    // Moves the text at from to position to (to <= from); the texts between move one place back.
    void move_forward(std::size_t from, std::size_t to);

private:
    std::string bytes_;
    std::vector<std::size_t> ends_;  // ends_[i]: one past the last byte of text i
};

}  // namespace zanmel
