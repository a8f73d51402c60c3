#include "core/ProfileFile.h"

#include "core/Cp932.h"
#include "core/NameCompare.h"

namespace zanmel {

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Trail bytes are 0x40 and above, so a blank byte is always a character of its own.
std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Position of the last "]" that is a character of its own (not the trail byte of a double-byte character).
std::size_t FindLastClosingBracket(std::string_view text) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
        if (text[i] == ']' && cp932::CharLength(text, i) == 1) found = i;
    }
    return found;
}

// Cuts text to at most limit bytes without splitting a double-byte character.
std::string_view CutAtCharBoundary(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t next = end + cp932::CharLength(text, end);
        if (next > limit) break;
        end = next;
    }
    return text.substr(0, end);
}

// CR, LF and NUL would break a written line apart or cut it short.
std::string WithoutLineBreaks(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != '\0') clean.push_back(c);
    }
    return clean;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int32_t ParseProfileInteger(std::string_view text, std::int32_t defaultValue) {
    text = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Accumulated in 32-bit unsigned arithmetic: an oversized number wraps instead of overflowing.
    std::uint32_t value = 0;
    bool anyDigit = false;
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigit(text[i + 2]) >= 0) {
        for (i += 2; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
            value = value * 16u + static_cast<std::uint32_t>(HexDigit(text[i]));
        }
        anyDigit = true;
    } else {
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
            anyDigit = true;
        }
    }
    if (!anyDigit) return defaultValue;
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

ProfileFile::ProfileFile(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == npos) {
            lines_.push_back(ParseLine(std::string(bytes.substr(start))));
            break;
        }
        lines_.push_back(ParseLine(std::string(bytes.substr(start, end - start))));
        start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
}

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
    Line line;
    line.text = std::move(text);
    std::string_view view = line.text;
    std::size_t first = 0;
    while (first < view.size() && IsBlank(view[first])) ++first;
    if (first == view.size() || view[first] == ';') return line;

    if (view[first] == '[') {
        std::size_t close = FindLastClosingBracket(view.substr(first));
        if (close != npos) {
            line.kind = Kind::Section;
            line.name = FoldName(Trim(view.substr(first + 1, close - 1)));
            return line;
        }
        // A header without "]" is no section; like Windows, it is read as an ordinary line.
    }

    std::size_t equals = view.find('=', first);  // "=" is never a trail byte
    if (equals == npos) return line;
    std::string_view name = Trim(view.substr(first, equals - first));
    if (name.empty()) return line;
    line.kind = Kind::Key;
    line.name = FoldName(name);
    line.valueStart = equals + 1;
    return line;
}

std::string ProfileFile::ToBytes() const {
    std::size_t size = 0;
    for (const Line& line : lines_) size += line.text.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += "\r\n";
    }
    return bytes;
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
    std::string folded = FoldName(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && lines_[i].name == folded) return i;
    }
    return npos;
}

std::size_t ProfileFile::FindKey(std::size_t sectionIndex, std::string_view key) const {
    std::string folded = FoldName(key);
    for (std::size_t i = sectionIndex + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        if (lines_[i].kind == Kind::Key && lines_[i].name == folded) return i;
    }
    return npos;
}

const ProfileFile::Line* ProfileFile::FindKeyLine(std::string_view section, std::string_view key) const {
    std::size_t sectionIndex = FindSection(section);
    if (sectionIndex == npos) return nullptr;
    std::size_t keyIndex = FindKey(sectionIndex, key);
    return keyIndex == npos ? nullptr : &lines_[keyIndex];
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKeyLine(section, key) != nullptr;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const Line* line = FindKeyLine(section, key);
    if (line == nullptr) return std::string(CutAtCharBoundary(defaultValue, kMaxTextBytes));
    std::string_view value = Trim(std::string_view(line->text).substr(line->valueStart));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(CutAtCharBoundary(value, kMaxTextBytes));
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    if (!HasKey(section, key)) return defaultValue;
    return ParseProfileInteger(ReadString(section, key, ""), defaultValue);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string clean = WithoutLineBreaks(value);
    // Reading takes one pair of outer quotes off; a value that has them itself (a comma text whose first and
    // last entries are quoted) keeps them under one more pair.
    const std::string_view trimmed = Trim(clean);
    if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
        trimmed.back() == trimmed.front()) {
        clean = "\"" + clean + "\"";
    }

    std::size_t sectionIndex = FindSection(section);
    if (sectionIndex == npos) {
        // Appended as the platform's profile functions append it: no blank line before it.
        lines_.push_back(ParseLine("[" + WithoutLineBreaks(section) + "]"));
        lines_.push_back(ParseLine(WithoutLineBreaks(key) + "=" + clean));
        return;
    }
    std::size_t keyIndex = FindKey(sectionIndex, key);
    if (keyIndex != npos) {
        // The key's spelling and the blanks around "=" stay as the file had them.
        Line& line = lines_[keyIndex];
        std::size_t valueBegins = line.valueStart;
        while (valueBegins < line.text.size() && IsBlank(line.text[valueBegins])) ++valueBegins;
        line.text = line.text.substr(0, valueBegins) + clean;
        return;
    }
    // Appended after the last non-blank line of the section, so a blank line before the next section stays.
    std::size_t insertAt = sectionIndex + 1;
    for (std::size_t i = sectionIndex + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        if (!Trim(lines_[i].text).empty()) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), ParseLine(std::string(key) + "=" + clean));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace zanmel
