#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// A settings file in the Windows profile format (Zanmel.ini, setting.ini), held as CP932 bytes.
//
// Every line of the file is kept, so comments, unknown sections and lines that are not "key=value" survive a
// save untouched. Section and key names are compared without regard to letter case. Only the first section of
// a name and, inside it, the first key of a name count, as with the Windows profile functions.
//
// Reading follows the Windows profile rules: surrounding blanks are trimmed, one pair of matching quotes
// around a value is removed, texts are cut to 2047 bytes (never inside a double-byte character); integers are
// decimal, or hexadecimal after "0x"; a value that does not start with a number, or a missing key, gives the
// default; booleans are integers, non-zero meaning true.
//
// Writing replaces the value of an existing key in place; a new key is appended to its section and a new
// section to the end of the file. The bytes are serialised with CR LF after every line.
class ProfileFile {
public:
    static constexpr std::size_t kMaxTextBytes = 2047;

    ProfileFile() = default;
    // Parses any bytes: line ends CR LF, LF or CR; never fails.
    explicit ProfileFile(std::string_view bytes);

    std::string ToBytes() const;

    bool HasKey(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // CR, LF and NUL in a name or value are dropped: they would break the line apart or cut it short.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Written as "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;
        Kind kind = Kind::Other;
        std::string name;  // section or key name, trimmed and folded (FoldName)
        std::size_t valueStart = 0;
    };

    static Line ParseLine(std::string text);
    // Index of the first section header of that name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the key line within the section starting at sectionIndex, or npos.
    std::size_t FindKey(std::size_t sectionIndex, std::string_view key) const;
    const Line* FindKeyLine(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
};

// The integer a profile value text stands for, by the reading rules above; defaultValue when it has no number.
std::int32_t ParseProfileInteger(std::string_view text, std::int32_t defaultValue);

}  // namespace zanmel
