#include "core/CommaText.h"

#include <algorithm>
#include <array>

#include "core/Cp932.h"

namespace zanmel {

namespace {

// Bytes that end an unquoted field and are skipped between fields. A NUL byte counts among them, so a stray
// NUL in a file separates like a blank instead of stopping the reader in place.
constexpr bool IsBlank(unsigned char c) {
    return c <= 32;
}

constexpr bool IsSpecial(unsigned char c) {
    return IsBlank(c) || c == '"' || c == ',';
}

void AppendField(std::string& out, std::string_view field, bool last) {
    // One pass by character finds both whether the field needs quotes and whether it ends with a lead byte that
    // has lost its trail byte (lead bytes are never special).
    static constexpr auto kClass = [] {
        std::array<unsigned char, 256> table{};  // 0 plain, 1 special, 2 lead byte
        for (int c = 0; c < 256; ++c) {
            table[c] = cp932::IsLeadByte(static_cast<unsigned char>(c)) ? 2 : IsSpecial(static_cast<unsigned char>(c));
        }
        return table;
    }();
    bool special = false;
    bool endsLone = false;
    for (std::size_t i = 0; i < field.size();) {
        const unsigned char kind = kClass[static_cast<unsigned char>(field[i])];
        if (kind == 2) {
            endsLone = i + 1 == field.size();
            i += 2;
            continue;
        }
        special |= kind != 0;
        ++i;
    }
    if (endsLone && !last) field.remove_suffix(1);
    if (!special) {
        out.append(field);
        return;
    }
    out.push_back('"');
    // Runs up to and including each quote go in at once, the quote then doubled.
    std::size_t run = 0;
    for (std::size_t i = 0; i < field.size();) {
        const std::size_t length = cp932::CharLength(field, i);
        if (length == 1 && field[i] == '"') {
            out.append(field.substr(run, i + 1 - run));
            out.push_back('"');
            run = i + 1;
        }
        i += length;
    }
    out.append(field.substr(run));
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
    CommaTextSplitInto(text, fields);
    return fields;
}

void CommaTextSplitInto(std::string_view text, std::vector<std::string>& fields) {
    std::size_t used = 0;
    // The next field, reusing the string (and its memory) a previous line left in that place.
    auto next = [&]() -> std::string& {
        if (used == fields.size()) fields.emplace_back();
        std::string& field = fields[used++];
        field.clear();
        return field;
    };
    const std::size_t n = text.size();
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < n && IsBlank(at(i))) ++i;
    while (i < n) {
        std::string& field = next();
        if (at(i) == '"') {
            ++i;
            // Runs of characters up to the next quote go in at once; a quote is never a trail byte.
            std::size_t run = i;
            while (i < n) {
                const std::size_t length = cp932::CharLength(text, i);
                if (length == 1 && at(i) == '"') {
                    field.append(text.substr(run, i - run));
                    if (i + 1 < n && at(i + 1) == '"') {
                        field.push_back('"');
                        i += 2;
                        run = i;
                        continue;
                    }
                    ++i;
                    run = std::string_view::npos;
                    break;
                }
                i += length;
            }
            if (run != std::string_view::npos) field.append(text.substr(run, std::min(i, n) - run));
        } else {
            const std::size_t start = i;
            while (i < n && (cp932::CharLength(text, i) == 2 || (!IsBlank(at(i)) && at(i) != ','))) {
                i += cp932::CharLength(text, i);
            }
            field.assign(text.substr(start, i - start));
        }
        while (i < n && IsBlank(at(i))) ++i;
        if (i < n && at(i) == ',') {
            if (i + 1 == n) next();
            ++i;
            while (i < n && IsBlank(at(i))) ++i;
        }
    }
    fields.resize(used);
}

}  // namespace zanmel
