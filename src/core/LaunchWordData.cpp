#include "core/LaunchWordData.h"

#include <array>
#include <utility>
#include <vector>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/ZanmelError.h"

namespace zanmel {

namespace {

constexpr std::string_view kComponent = "TLaunchWordData2";

constexpr std::array<std::pair<std::string_view, std::int32_t>, 12> kShowModesByName{{
    {"SW_SHOWNORMAL", 1},
    {"SW_HIDE", 0},
    {"SW_MAXIMIZE", 3},
    {"SW_MINIMIZE", 6},
    {"SW_RESTORE", 9},
    {"SW_SHOW", 5},
    {"SW_SHOWDEFAULT", 10},
    {"SW_SHOWMAXIMIZED", 3},
    {"SW_SHOWMINIMIZED", 2},
    {"SW_SHOWMINNOACTIVE", 7},
    {"SW_SHOWNA", 8},
    {"SW_SHOWNOACTIVATE", 4},
}};

// The five-fold percent-encoded "あ" of each character set, upper-case hex.
constexpr std::array<std::string_view, 3> kSamplePatterns{
    "%82%A0%82%A0%82%A0%82%A0%82%A0",
    "%E3%81%82%E3%81%82%E3%81%82%E3%81%82%E3%81%82",
    "%A4%A2%A4%A2%A4%A2%A4%A2%A4%A2",
};

std::string AsciiUpper(std::string_view text) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); i += cp932::CharLength(result, i)) {
        if (result[i] >= 'a' && result[i] <= 'z') result[i] = static_cast<char>(result[i] - 'a' + 'A');
    }
    return result;
}

std::string AsciiLower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

}  // namespace

bool ParseInt32(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{1} << 31) return false;
    }
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX) return false;
    value = static_cast<std::int32_t>(result);
    return true;
}

std::string TLaunchWordData2::ToText() const {
    return CommaTextJoin({verb, path, parameters, workingFolder, std::to_string(showMode), std::to_string(flags)});
}

TLaunchWordData2 TLaunchWordData2::Parse(std::string_view text) {
    std::vector<std::string> fields = CommaTextSplit(text);
    if (fields.size() < 6) {
        throw ZanmelError(kComponent,
                          "起動データの項目が足りません (" + std::to_string(fields.size()) + " 個、6 個必要)。");
    }
    TLaunchWordData2 record;
    if (!ParseInt32(fields[4], record.showMode))
        throw ZanmelError(kComponent, "起動データの表示モードが整数ではありません。");
    if (!ParseInt32(fields[5], record.flags)) throw ZanmelError(kComponent, "起動データのフラグが整数ではありません。");
    record.verb = std::move(fields[0]);
    record.path = std::move(fields[1]);
    record.parameters = std::move(fields[2]);
    record.workingFolder = std::move(fields[3]);
    return record;
}

void TLaunchWordData2::FromText(std::string_view text) {
    *this = Parse(text);
}

std::int32_t TLaunchWordData2::ShowModeFromName(std::string_view name) {
    for (const auto& [entryName, number] : kShowModesByName) {
        if (entryName == name) return number;
    }
    return 1;
}

std::string_view TLaunchWordData2::ShowModeNameOf(std::int32_t showMode) {
    // The first name of a number is its name; 3 reads back as "SW_MAXIMIZE".
    for (const auto& [name, number] : kShowModesByName) {
        if (number == showMode) return name;
    }
    return "SW_SHOWNORMAL";
}

int TLaunchWordData2::CharacterSet() const {
    switch (flags & kCharacterSetMask) {
        case 8:
            return kUtf8;
        case 16:
            return kEucJp;
        default:
            return kShiftJis;
    }
}

void TLaunchWordData2::SetCharacterSet(int characterSet) {
    const int bits = characterSet == kUtf8 || characterSet == kEucJp ? characterSet * 8 : 0;
    flags = (flags & ~kCharacterSetMask) | bits;
}

LaunchTarget TLaunchWordData2::Classify() const {
    if (IsMailAddress()) return LaunchTarget::MailAddress;
    if (path.starts_with("http:")) return LaunchTarget::WebAddress;
    bool hasDot = false;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 2) continue;
        if (path[i] == '\\' || path[i] == ':') {
            hasDot = false;
        } else if (path[i] == '.') {
            hasDot = true;
        }
    }
    return hasDot ? LaunchTarget::File : LaunchTarget::Other;
}

std::string Cp932ToEucJp(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (cp932::IsLeadByte(c)) {
            if (i + 1 == text.size()) {  // a lead byte without its trail byte
                out.push_back('?');
                break;
            }
            const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
            if (c >= 0xF0 || !cp932::IsTrailByte(trail)) {
                out.append("\x80\x80");
            } else {
                unsigned row = ((c >= 0xE0 ? c - 0x40 : c) - 0x81) * 2 + 0x21;
                unsigned cell;
                if (trail >= 0x9F) {
                    row += 1;
                    cell = trail - 0x9F + 0x21;
                } else {
                    cell = trail - 0x40 + 0x21 - (trail >= 0x80 ? 1 : 0);
                }
                out.push_back(static_cast<char>(row | 0x80));
                out.push_back(static_cast<char>(cell | 0x80));
            }
            i += 2;
        } else if (c >= 0xA1 && c <= 0xDF) {
            out.push_back('?');
            ++i;
        } else {
            out.push_back(static_cast<char>(c));
            ++i;
        }
    }
    return out;
}

std::string PercentEncode(std::string_view bytes, std::size_t maxLength) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool plain = c == '.' || c == '_' || c == '-' || c == ' ';
        if (out.size() + (plain ? 1 : 3) > maxLength) break;
        if (c == ' ') {
            out.push_back('+');
        } else if (plain) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        }
    }
    return out;
}

std::string TLaunchWordData2::EncodeSearchText(std::string_view text, const Cp932Codec& codec) const {
    switch (CharacterSet()) {
        case kUtf8:
            return PercentEncode(codec.Cp932ToUtf8(text));
        case kEucJp:
            return PercentEncode(Cp932ToEucJp(text));
        default:
            return PercentEncode(text);
    }
}

void TLaunchWordData2::PutSearchText(std::string_view text, const Cp932Codec& codec) {
    if (cp932::Find(path, kUrlDirectMarker) == std::string::npos) return;
    path = cp932::ReplaceAll(path, kUrlDirectMarker, EncodeSearchText(text, codec));
}

int DetectCharacterSet(std::string_view address) {
    const std::string upper = AsciiUpper(address);
    if (cp932::Find(upper, kSamplePatterns[TLaunchWordData2::kEucJp]) != std::string::npos) {
        return TLaunchWordData2::kEucJp;
    }
    if (cp932::Find(upper, kSamplePatterns[TLaunchWordData2::kShiftJis]) != std::string::npos) {
        return TLaunchWordData2::kShiftJis;
    }
    if (cp932::Find(upper, kSamplePatterns[TLaunchWordData2::kUtf8]) != std::string::npos) {
        return TLaunchWordData2::kUtf8;
    }
    return TLaunchWordData2::kShiftJis;
}

std::string MakeTemplate(std::string_view address, int characterSet) {
    if (characterSet < 0 || characterSet > 2) return "Error";
    const std::string_view upperPattern = kSamplePatterns[static_cast<std::size_t>(characterSet)];
    const std::string lowerPattern = AsciiLower(upperPattern);
    const std::string once = cp932::ReplaceAll(address, upperPattern, TLaunchWordData2::kUrlDirectMarker);
    return cp932::ReplaceAll(once, lowerPattern, TLaunchWordData2::kUrlDirectMarker);
}

}  // namespace zanmel
