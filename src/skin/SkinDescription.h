#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/UserInterface.h"

namespace zanmel::skin {

// A colour reference: RGB (red in bits 0-7, green 8-15, blue 16-23), or a system colour index with bit 31 set,
// resolved only when drawn.
using ColorRef = std::uint32_t;
constexpr ColorRef kSystemColorFlag = 0x80000000u;
constexpr ColorRef SystemColor(std::uint32_t index) {
    return kSystemColorFlag | index;
}
constexpr bool IsSystemColor(ColorRef color) {
    return (color & kSystemColorFlag) != 0;
}
constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) | (static_cast<ColorRef>(b) << 16);
}
// The system colours a skin falls back to.
constexpr ColorRef kWindowColor = SystemColor(5);
constexpr ColorRef kWindowTextColor = SystemColor(8);
constexpr ColorRef kHighlightTextColor = SystemColor(14);
constexpr ColorRef kButtonFaceColor = SystemColor(15);

// Key/value pairs in file order. Keys are found without regard to letter case, the first one wins.
class SkinKeyValues {
public:
    void Add(std::string key, std::string value) { pairs_.emplace_back(std::move(key), std::move(value)); }
    const std::string* Find(std::string_view key) const;
    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

// The loader's reading of descript.txt: each line split like a comma text; only lines of exactly two fields
// count, as key and value.
SkinKeyValues ParseSkinDescription(std::string_view bytes);

// The listing's reading: every line holding a comma is split at its first comma; key and value are trimmed of
// bytes 0-32 at both ends. Quotes are not removed.
SkinKeyValues ParseSkinHeaderLines(std::string_view bytes);

struct SkinHeader {
    std::string name;
    std::string maker;  // craftmanw, or craftman when that is empty
};

// The listing reader: the name and maker of a skin, or nothing when the folder is not listed. A description
// whose type is not "Skin" is skipped silently; a missing name or maker is shown through ui.
std::optional<SkinHeader> ReadSkinHeader(std::string_view bytes, UserInterface& ui);

// A decimal integer (optional sign, digits, 32-bit range). Anything else raises ZanmelError with the text
// "'<value>' は整数ではありません".
std::int32_t ParseSkinInteger(std::string_view value);

// Boolean keys: a default of false turns true only for "true", a default of true turns false only for
// "false", compared after lower-casing; anything else (an absent key included) keeps the default.
bool ReadSkinBool(const SkinKeyValues& keys, std::string_view key, bool defaultValue);

// Messages of the reader.
extern const char* const kNameMissingMessage;
extern const char* const kTypeMissingMessage;
extern const char* const kCraftmanMissingMessage;
extern const char* const kIdMissingMessage;

}  // namespace zanmel::skin
