#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zanmel {

// Converts CP932 text to UTF-8 for web searches in UTF-8. The Windows implementation goes through
// MultiByteToWideChar(932); the native tests use iconv. Bytes that are not valid CP932 must not make it fail:
// it puts a replacement in their place.
class Cp932Codec {
public:
    virtual ~Cp932Codec() = default;
    virtual std::string Cp932ToUtf8(std::string_view cp932) const = 0;
};

// What a record's target is, decided before it is run.
enum class LaunchTarget { WebAddress, File, MailAddress, Other };

// A launch record: what to start and how. A plain value.
struct TLaunchWordData2 {
    static constexpr std::int32_t kMailAddress = 1;
    static constexpr std::int32_t kBareArgument = 2;
    static constexpr std::int32_t kUrlDirect = 4;
    static constexpr std::int32_t kCharacterSetMask = 56;

    static constexpr int kShiftJis = 0;
    static constexpr int kUtf8 = 1;
    static constexpr int kEucJp = 2;

    // The marker of a search template that the search text replaces.
    static constexpr std::string_view kUrlDirectMarker = "$URL_DIRECT$";
    // The encoded search text holds at most this many bytes.
    static constexpr std::size_t kMaxEncodedLength = 1023;

    std::string verb = "open";
    std::string path;
    std::string parameters;
    std::string workingFolder;
    std::int32_t showMode = 1;
    std::int32_t flags = 0;

    bool operator==(const TLaunchWordData2&) const = default;

    // The record text: the comma text of verb, path, parameters, working folder, show mode and flags.
    std::string ToText() const;
    // Fills all six fields from a record text; fields beyond the sixth are ignored. Fewer than six fields or a
    // show mode or flags that is not a decimal integer raise a ZanmelError ("TLaunchWordData2\r\n...") and
    // leave the record unchanged.
    void FromText(std::string_view text);
    static TLaunchWordData2 Parse(std::string_view text);

    // Show-mode names, compared exactly; an unknown name gives 1, an unknown number "SW_SHOWNORMAL".
    static std::int32_t ShowModeFromName(std::string_view name);
    static std::string_view ShowModeNameOf(std::int32_t showMode);
    void SetShowModeByName(std::string_view name) { showMode = ShowModeFromName(name); }
    std::string_view ShowModeName() const { return ShowModeNameOf(showMode); }

    bool IsMailAddress() const { return (flags & kMailAddress) != 0; }
    bool IsBareArgument() const { return (flags & kBareArgument) != 0; }
    bool IsUrlDirect() const { return (flags & kUrlDirect) != 0; }
    // 0 Shift-JIS, 1 UTF-8, 2 EUC-JP; any other value of the three bits counts as Shift-JIS.
    int CharacterSet() const;
    // Sets bits 3 to 5 to entry n of "Shift-JIS,UTF-8,EUC-JP" (n x 8); a value outside 0-2 gives Shift-JIS.
    void SetCharacterSet(int characterSet);

    LaunchTarget Classify() const;

    // The search text converted to the record's character set and percent-encoded, at most 1023 bytes.
    std::string EncodeSearchText(std::string_view text, const Cp932Codec& codec) const;
    // Replaces every "$URL_DIRECT$" in the path by the encoded search text.
    void PutSearchText(std::string_view text, const Cp932Codec& codec);
};

// CP932 text to EUC-JP by the JIS row/cell rule. Half-width katakana and a lead byte ending the text become
// "?"; a pair that is no valid double-byte character becomes 0x80 0x80. Never longer than the text.
std::string Cp932ToEucJp(std::string_view text);

// Percent-encoding of search texts: ".", "_" and "-" kept, a space "+", every other byte "%XX" (upper-case hex);
// stops before the first byte whose encoded form would go beyond maxLength bytes.
std::string PercentEncode(std::string_view bytes, std::size_t maxLength = TLaunchWordData2::kMaxEncodedLength);

// The character set of a sample search address, found by the five-fold percent-encoded "あ": 2 EUC-JP,
// 0 Shift-JIS, 1 UTF-8, in this order of precedence; 0 when none is found.
int DetectCharacterSet(std::string_view address);

// The address with the five-fold "あ" of that character set (upper-case hex first, then lower-case hex)
// replaced by "$URL_DIRECT$"; "Error" for a character set outside 0-2.
std::string MakeTemplate(std::string_view address, int characterSet);

// Strict decimal integer of 32 bits: an optional sign and digits, nothing else. False when the text is not one.
bool ParseInt32(std::string_view text, std::int32_t& value);

}  // namespace zanmel
