#include "skin/SkinDescription.h"

#include <limits>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/NameCompare.h"
#include "core/TextLines.h"
#include "core/ZanmelError.h"

namespace zanmel::skin {

const char* const kNameMissingMessage = "『Name』は省略できません。";
const char* const kTypeMissingMessage = "『type』は省略できません";
const char* const kCraftmanMissingMessage = "『craftman』,『craftmanw』のいずれかが必須です。";
const char* const kIdMissingMessage = "『id』は省略できません。";

namespace {

bool IsBlank(unsigned char c) {
    return c <= 32;
}

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    // A trail byte is never 0-32, so trimming from the end cannot cut a double-byte character.
    while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

const std::string* SkinKeyValues::Find(std::string_view key) const {
    for (const auto& [k, v] : pairs_) {
        if (SameName(k, key)) return &v;
    }
    return nullptr;
}

SkinKeyValues ParseSkinDescription(std::string_view bytes) {
    SkinKeyValues keys;
    for (const std::string_view line : SplitLines(bytes)) {
        std::vector<std::string> fields = CommaTextSplit(line);
        if (fields.size() != 2) continue;
        keys.Add(std::string(Trim(fields[0])), std::string(Trim(fields[1])));
    }
    return keys;
}

SkinKeyValues ParseSkinHeaderLines(std::string_view bytes) {
    SkinKeyValues keys;
    for (const std::string_view line : SplitLines(bytes)) {
        // A comma is never a trail byte (those are 0x40 and above), so a plain search finds the first one.
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos) continue;
        keys.Add(std::string(Trim(line.substr(0, comma))), std::string(Trim(line.substr(comma + 1))));
    }
    return keys;
}

std::optional<SkinHeader> ReadSkinHeader(std::string_view bytes, UserInterface& ui) {
    const SkinKeyValues keys = ParseSkinHeaderLines(bytes);
    const std::string* type = keys.Find("type");
    if (type == nullptr || !cp932::EqualsIgnoreCase(*type, "Skin")) return std::nullopt;
    const std::string* name = keys.Find("name");
    if (name == nullptr) {
        ui.ShowMessage(kNameMissingMessage);
        return std::nullopt;
    }
    const std::string* craftman = keys.Find("craftman");
    const std::string* craftmanW = keys.Find("craftmanw");
    if (craftman == nullptr && craftmanW == nullptr) {
        ui.ShowMessage(kCraftmanMissingMessage);
        return std::nullopt;
    }
    SkinHeader header;
    header.name = *name;
    if (craftmanW != nullptr && !craftmanW->empty()) {
        header.maker = *craftmanW;
    } else if (craftman != nullptr) {
        header.maker = *craftman;
    }
    return header;
}

std::int32_t ParseSkinInteger(std::string_view value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    bool valid = i < value.size();
    std::int64_t number = 0;
    for (; valid && i < value.size(); ++i) {
        const char c = value[i];
        if (c < '0' || c > '9') {
            valid = false;
            break;
        }
        number = number * 10 + (c - '0');
        if (number > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) valid = false;
    }
    if (negative) number = -number;
    if (!valid || number > std::numeric_limits<std::int32_t>::max() ||
        number < std::numeric_limits<std::int32_t>::min()) {
        throw ZanmelError("'" + std::string(value) + "' は整数ではありません");
    }
    return static_cast<std::int32_t>(number);
}

bool ReadSkinBool(const SkinKeyValues& keys, std::string_view key, bool defaultValue) {
    const std::string* value = keys.Find(key);
    if (value == nullptr) return defaultValue;
    const std::string lower = cp932::ToLower(*value);
    if (!defaultValue) return lower == "true";
    return lower != "false";
}

}  // namespace zanmel::skin
