#include "core/CommaText.h"

#include "core/Cp932.h"

namespace zanmel {

namespace {

// Bytes that end an unquoted field and are skipped between fields. A NUL byte counts among them, so a stray
// NUL in a file separates like a blank instead of stopping the reader in place.
bool IsBlank(unsigned char c) {
    return c <= 32;
}

bool IsSpecial(unsigned char c) {
    return IsBlank(c) || c == '"' || c == ',';
}

bool NeedsQuotes(std::string_view field) {
    // Most fields hold no such byte at all; only a field that does needs the scan by character.
    bool anySpecial = false;
    for (const char c : field) anySpecial |= IsSpecial(static_cast<unsigned char>(c));
    if (!anySpecial) return false;
    for (std::size_t i = 0; i < field.size();) {
        const std::size_t length = cp932::CharLength(field, i);
        if (length == 1 && IsSpecial(static_cast<unsigned char>(field[i]))) return true;
        i += length;
    }
    return false;
}

void AppendField(std::string& out, std::string_view field, bool last) {
    const bool endsLone = cp932::EndsWithLoneLeadByte(field);
    if (endsLone && !last) field.remove_suffix(1);
    if (!NeedsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (std::size_t i = 0; i < field.size();) {
        const std::size_t length = cp932::CharLength(field, i);
        if (length == 1 && field[i] == '"') out.push_back('"');
        out.append(field.substr(i, length));
        i += length;
    }
    // A lone lead byte would take the closing quote as its trail byte; the text ends here anyway.
    if (!(endsLone && last)) out.push_back('"');
}

}  // namespace

void AppendCommaText(std::string& out, std::span<const std::string_view> fields) {
    if (fields.empty()) return;
    if (fields.size() == 1 && fields[0].empty()) {
        out.append("\"\"");
        return;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out.push_back(',');
        AppendField(out, fields[i], i + 1 == fields.size());
    }
}

std::string CommaTextJoin(const std::vector<std::string>& fields) {
    std::vector<std::string_view> views(fields.begin(), fields.end());
    std::string out;
    AppendCommaText(out, views);
    return out;
}

std::vector<std::string> CommaTextSplit(std::string_view text) {
    std::vector<std::string> fields;
    const std::size_t n = text.size();
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < n && IsBlank(at(i))) ++i;
    while (i < n) {
        std::string field;
        if (at(i) == '"') {
            ++i;
            while (i < n) {
                if (at(i) == '"') {
                    if (i + 1 < n && at(i + 1) == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                const std::size_t length = cp932::CharLength(text, i);
                field.append(text.substr(i, length));
                i += length;
            }
        } else {
            const std::size_t start = i;
            while (i < n && (cp932::CharLength(text, i) == 2 || (!IsBlank(at(i)) && at(i) != ','))) {
                i += cp932::CharLength(text, i);
            }
            field.assign(text.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        while (i < n && IsBlank(at(i))) ++i;
        if (i < n && at(i) == ',') {
            if (i + 1 == n) fields.emplace_back();
            ++i;
            while (i < n && IsBlank(at(i))) ++i;
        }
    }
    return fields;
}

}  // namespace zanmel
