#include "core/RomajiReading.h"

#include <algorithm>

#include "core/Cp932.h"

namespace zanmel::romaji {

namespace {

// Vowel of each kana number, for a ー that follows it; "-" has none (っ, ん).
constexpr std::string_view kVowels =
    "aaiiuueeoo"       // ぁ-お
    "aaiiuueeoo"       // か-ご
    "aaiiuueeoo"       // さ-ぞ
    "aaii-uueeoo"      // た-ど
    "aiueo"            // な-の
    "aaaiiiuuueeeooo"  // は-ぽ
    "aiueo"            // ま-も
    "aauuoo"           // ゃ-よ
    "aiueo"            // ら-ろ
    "aaieo-"           // ゎ-ん
    "uae";             // ヴ ヵ ヶ
static_assert(kVowels.size() == 86);

constexpr int kU = 5;    // う
constexpr int kVu = 83;  // ヴ
constexpr int kHa = 46;  // は; the h row runs は ば ぱ, ひ び ぴ, ... ほ ぼ ぽ
constexpr int kPo = 60;

// The half-width katakana 0xA6 to 0xDD as full-width ones.
constexpr std::u8string_view kHalfWidth =
    u8"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワ"
    u8"ン";
static_assert(kHalfWidth.size() == (0xDD - 0xA6 + 1) * 3);

// Kana number of a hiragana or katakana code point, or -1. Unicode orders both rows as CP932 does.
int KanaNumber(char32_t c) {
    if (c >= 0x3041 && c <= 0x3093) return static_cast<int>(c - 0x3041);
    if (c >= 0x30A1 && c <= 0x30F6) return static_cast<int>(c - 0x30A1);
    return -1;
}

// The code point of the three-byte UTF-8 sequence at pos, as every kana is.
char32_t CodePointAt(std::u8string_view text, std::size_t pos) {
    return static_cast<char32_t>((text[pos] & 0x0F) << 12 | (text[pos + 1] & 0x3F) << 6 | (text[pos + 2] & 0x3F));
}

// Kana number of a double-byte hiragana or katakana, or -1.
int KanaNumber(unsigned char lead, unsigned char trail) {
    if (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) return trail - 0x9F;
    if (lead == 0x83 && trail >= 0x40 && trail <= 0x96 && trail != 0x7F) return trail - 0x40 - (trail > 0x7F ? 1 : 0);
    return -1;
}

// The kana with a voicing mark ﾞ (semi false) or ﾟ (semi true), or -1 when the kana takes none.
int Marked(int kana, bool semi) {
    if (kana >= kHa && kana <= kPo && (kana - kHa) % 3 == 0) return kana + (semi ? 2 : 1);
    if (semi) return -1;
    if (kana == kU) return kVu;
    if ((kana >= 10 && kana <= 28 && kana % 2 == 0) || kana == 30 || kana == 32 || kana == 35 || kana == 37 ||
        kana == 39) {
        return kana + 1;  // か-そ, た ち つ て と
    }
    return -1;
}

Unit LongVowelAfter(Unit previous) {
    int vowel = 5;
    if (previous >= kKanaBase && previous < kKanaBase + kVowels.size()) {
        const char v = kVowels[previous - kKanaBase];
        vowel = v == '-' ? 5 : static_cast<int>(std::string_view("aiueo").find(v));
    } else if (IsLongVowel(previous)) {
        return previous;  // ーー reads as one long vowel twice
    }
    return static_cast<Unit>(kLongVowelBase + vowel);
}

void Append(std::string& out, Unit unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

}  // namespace

std::vector<Unit> KanaUnitsOf(std::u8string_view kana) {
    std::vector<Unit> units;
    for (std::size_t pos = 0; pos < kana.size();) {
        if ((kana[pos] & 0xF0) == 0xE0 && pos + 2 < kana.size()) {
            if (const int number = KanaNumber(CodePointAt(kana, pos)); number >= 0) units.push_back(Kana(number));
            pos += 3;
        } else {
            ++pos;
        }
    }
    return units;
}

std::string ReadingOf(std::string_view keyword) {
    // Kana are never single bytes below 0x80: a keyword of plain ASCII, the common case, has no reading.
    if (std::none_of(keyword.begin(), keyword.end(), [](char c) { return (c & 0x80) != 0; })) return {};
    std::string out;
    bool hasKana = false;
    Unit previous = kUnreadable;
    for (std::size_t i = 0; i < keyword.size();) {
        const std::size_t length = cp932::CharLength(keyword, i);
        const auto c = static_cast<unsigned char>(keyword[i]);
        Unit unit = kUnreadable;
        int kana = -1;
        if (length == 2) {
            const auto trail = static_cast<unsigned char>(keyword[i + 1]);
            kana = KanaNumber(c, trail);
            if (kana < 0 && c == 0x81 && trail == 0x5B) {
                unit = LongVowelAfter(previous);  // ー
            } else if (kana < 0 && (c == 0x81 || (c == 0x82 && trail < 0x9F))) {
                unit = static_cast<Unit>(c << 8 | trail);  // symbols, full-width digits and Latin letters
            }
        } else if (c >= 0xA6 && c <= 0xDD && c != 0xB0) {
            kana = KanaNumber(CodePointAt(kHalfWidth, (c - 0xA6) * 3));
            if (i + 1 < keyword.size()) {
                const auto mark = static_cast<unsigned char>(keyword[i + 1]);
                const int marked = mark == 0xDE || mark == 0xDF ? Marked(kana, mark == 0xDF) : -1;
                if (marked >= 0) {
                    kana = marked;
                    ++i;  // the mark belongs to this kana
                }
            }
        } else if (c == 0xB0) {
            unit = LongVowelAfter(previous);  // ｰ
        } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xA5) || c == 0xDE || c == 0xDF) {
            unit = c;
        }
        if (kana >= 0) {
            unit = Kana(kana);
            hasKana = true;
        }
        if (unit != kUnreadable || previous != kUnreadable || out.empty()) Append(out, unit);
        previous = unit;
        i += length;
    }
    if (!hasKana) out.clear();
    return out;
}

}  // namespace zanmel::romaji
