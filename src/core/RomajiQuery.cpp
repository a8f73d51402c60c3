#include "core/RomajiQuery.h"

#include <algorithm>
#include <bit>
#include <string>

#include "core/Cp932.h"

namespace zanmel::romaji {

namespace {

struct Spelling {
    std::string_view romaji;
    std::u8string_view kana;  // UTF-8, so that the table reads the same under every compiler
};

// Every spelling of every kana and kana pair. っ before a consonant is added by doubling it (Spellings).
// clang-format off
constexpr Spelling kSpellings[] = {
    {"a", u8"あ"}, {"i", u8"い"}, {"u", u8"う"}, {"e", u8"え"}, {"o", u8"お"}, {"xa", u8"ぁ"}, {"la", u8"ぁ"},
    {"xi", u8"ぃ"}, {"li", u8"ぃ"}, {"xu", u8"ぅ"}, {"lu", u8"ぅ"}, {"xe", u8"ぇ"}, {"le", u8"ぇ"}, {"xo", u8"ぉ"},
    {"lo", u8"ぉ"}, {"ye", u8"いぇ"}, {"wu", u8"う"},
    // k, g, q
    {"ka", u8"か"}, {"ki", u8"き"}, {"ku", u8"く"}, {"ke", u8"け"}, {"ko", u8"こ"}, {"ca", u8"か"}, {"cu", u8"く"},
    {"co", u8"こ"}, {"kya", u8"きゃ"}, {"kyi", u8"きぃ"}, {"kyu", u8"きゅ"}, {"kye", u8"きぇ"}, {"kyo", u8"きょ"},
    {"kwa", u8"くぁ"}, {"qa", u8"くぁ"}, {"qi", u8"くぃ"}, {"qe", u8"くぇ"}, {"qo", u8"くぉ"}, {"xka", u8"ヵ"},
    {"lka", u8"ヵ"}, {"xke", u8"ヶ"}, {"lke", u8"ヶ"}, {"ga", u8"が"}, {"gi", u8"ぎ"}, {"gu", u8"ぐ"}, {"ge", u8"げ"},
    {"go", u8"ご"}, {"gya", u8"ぎゃ"}, {"gyi", u8"ぎぃ"}, {"gyu", u8"ぎゅ"}, {"gye", u8"ぎぇ"}, {"gyo", u8"ぎょ"},
    {"gwa", u8"ぐぁ"},
    // s, z, j
    {"sa", u8"さ"}, {"si", u8"し"}, {"shi", u8"し"}, {"ci", u8"し"}, {"su", u8"す"}, {"se", u8"せ"}, {"ce", u8"せ"},
    {"so", u8"そ"}, {"sya", u8"しゃ"}, {"sha", u8"しゃ"}, {"syi", u8"しぃ"}, {"syu", u8"しゅ"}, {"shu", u8"しゅ"},
    {"sye", u8"しぇ"}, {"she", u8"しぇ"}, {"syo", u8"しょ"}, {"sho", u8"しょ"}, {"za", u8"ざ"}, {"zi", u8"じ"},
    {"ji", u8"じ"}, {"zu", u8"ず"}, {"ze", u8"ぜ"}, {"zo", u8"ぞ"}, {"zya", u8"じゃ"}, {"ja", u8"じゃ"},
    {"jya", u8"じゃ"}, {"zyi", u8"じぃ"}, {"jyi", u8"じぃ"}, {"zyu", u8"じゅ"}, {"ju", u8"じゅ"}, {"jyu", u8"じゅ"},
    {"zye", u8"じぇ"}, {"je", u8"じぇ"}, {"jye", u8"じぇ"}, {"zyo", u8"じょ"}, {"jo", u8"じょ"}, {"jyo", u8"じょ"},
    // t, c, d
    {"ta", u8"た"}, {"ti", u8"ち"}, {"chi", u8"ち"}, {"tu", u8"つ"}, {"tsu", u8"つ"}, {"te", u8"て"}, {"to", u8"と"},
    {"tya", u8"ちゃ"}, {"cha", u8"ちゃ"}, {"cya", u8"ちゃ"}, {"tyi", u8"ちぃ"}, {"cyi", u8"ちぃ"}, {"tyu", u8"ちゅ"},
    {"chu", u8"ちゅ"}, {"cyu", u8"ちゅ"}, {"tye", u8"ちぇ"}, {"che", u8"ちぇ"}, {"cye", u8"ちぇ"}, {"tyo", u8"ちょ"},
    {"cho", u8"ちょ"}, {"cyo", u8"ちょ"}, {"tsa", u8"つぁ"}, {"tsi", u8"つぃ"}, {"tse", u8"つぇ"}, {"tso", u8"つぉ"},
    {"tha", u8"てゃ"}, {"thi", u8"てぃ"}, {"thu", u8"てゅ"}, {"the", u8"てぇ"}, {"tho", u8"てょ"}, {"twu", u8"とぅ"},
    {"xtu", u8"っ"}, {"ltu", u8"っ"}, {"xtsu", u8"っ"}, {"ltsu", u8"っ"}, {"da", u8"だ"}, {"di", u8"ぢ"},
    {"ji", u8"ぢ"}, {"du", u8"づ"}, {"zu", u8"づ"}, {"de", u8"で"}, {"do", u8"ど"}, {"dya", u8"ぢゃ"},
    {"ja", u8"ぢゃ"}, {"dyi", u8"ぢぃ"}, {"dyu", u8"ぢゅ"}, {"ju", u8"ぢゅ"}, {"dye", u8"ぢぇ"}, {"dyo", u8"ぢょ"},
    {"jo", u8"ぢょ"}, {"dha", u8"でゃ"}, {"dhi", u8"でぃ"}, {"dhu", u8"でゅ"}, {"dhe", u8"でぇ"}, {"dho", u8"でょ"},
    {"dwu", u8"どぅ"},
    // n: "n" alone is ん only where it cannot begin な-の or にゃ-にょ (RomajiQuery)
    {"na", u8"な"}, {"ni", u8"に"}, {"nu", u8"ぬ"}, {"ne", u8"ね"}, {"no", u8"の"}, {"nya", u8"にゃ"},
    {"nyi", u8"にぃ"}, {"nyu", u8"にゅ"}, {"nye", u8"にぇ"}, {"nyo", u8"にょ"}, {"nn", u8"ん"}, {"n'", u8"ん"},
    {"xn", u8"ん"}, {"n", u8"ん"},
    // h, f, b, p
    {"ha", u8"は"}, {"hi", u8"ひ"}, {"hu", u8"ふ"}, {"fu", u8"ふ"}, {"he", u8"へ"}, {"ho", u8"ほ"}, {"hya", u8"ひゃ"},
    {"hyi", u8"ひぃ"}, {"hyu", u8"ひゅ"}, {"hye", u8"ひぇ"}, {"hyo", u8"ひょ"}, {"fa", u8"ふぁ"}, {"fi", u8"ふぃ"},
    {"fe", u8"ふぇ"}, {"fo", u8"ふぉ"}, {"fya", u8"ふゃ"}, {"fyu", u8"ふゅ"}, {"fyo", u8"ふょ"}, {"ba", u8"ば"},
    {"bi", u8"び"}, {"bu", u8"ぶ"}, {"be", u8"べ"}, {"bo", u8"ぼ"}, {"bya", u8"びゃ"}, {"byi", u8"びぃ"},
    {"byu", u8"びゅ"}, {"bye", u8"びぇ"}, {"byo", u8"びょ"}, {"pa", u8"ぱ"}, {"pi", u8"ぴ"}, {"pu", u8"ぷ"},
    {"pe", u8"ぺ"}, {"po", u8"ぽ"}, {"pya", u8"ぴゃ"}, {"pyi", u8"ぴぃ"}, {"pyu", u8"ぴゅ"}, {"pye", u8"ぴぇ"},
    {"pyo", u8"ぴょ"},
    // m, y, r, w, v
    {"ma", u8"ま"}, {"mi", u8"み"}, {"mu", u8"む"}, {"me", u8"め"}, {"mo", u8"も"}, {"mya", u8"みゃ"},
    {"myi", u8"みぃ"}, {"myu", u8"みゅ"}, {"mye", u8"みぇ"}, {"myo", u8"みょ"}, {"ya", u8"や"}, {"yu", u8"ゆ"},
    {"yo", u8"よ"}, {"xya", u8"ゃ"}, {"lya", u8"ゃ"}, {"xyu", u8"ゅ"}, {"lyu", u8"ゅ"}, {"xyo", u8"ょ"},
    {"lyo", u8"ょ"}, {"ra", u8"ら"}, {"ri", u8"り"}, {"ru", u8"る"}, {"re", u8"れ"}, {"ro", u8"ろ"},
    {"rya", u8"りゃ"}, {"ryi", u8"りぃ"}, {"ryu", u8"りゅ"}, {"rye", u8"りぇ"}, {"ryo", u8"りょ"}, {"wa", u8"わ"},
    {"wo", u8"を"}, {"o", u8"を"}, {"wi", u8"うぃ"}, {"we", u8"うぇ"}, {"wha", u8"うぁ"}, {"whi", u8"うぃ"},
    {"whe", u8"うぇ"}, {"who", u8"うぉ"}, {"xwa", u8"ゎ"}, {"lwa", u8"ゎ"}, {"wyi", u8"ゐ"}, {"wye", u8"ゑ"},
    {"vu", u8"ヴ"}, {"va", u8"ヴァ"}, {"vi", u8"ヴィ"}, {"ve", u8"ヴェ"}, {"vo", u8"ヴォ"}, {"vyu", u8"ヴュ"},
};
// clang-format on

struct CompiledSpelling {
    std::string romaji;
    std::vector<Unit> units;
};

bool IsVowel(char c) {
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

// The table with its kana as units, and っ + kana for every spelling that begins with a consonant other than n,
// spelt with that consonant doubled (and with t before ch).
const std::vector<CompiledSpelling>& Spellings() {
    static const std::vector<CompiledSpelling> spellings = [] {
        std::vector<CompiledSpelling> all;
        const Unit tsu = KanaUnitsOf(u8"っ").at(0);
        for (const Spelling& s : kSpellings) all.push_back({std::string(s.romaji), KanaUnitsOf(s.kana)});
        const std::size_t base = all.size();
        for (std::size_t i = 0; i < base; ++i) {
            const CompiledSpelling s = all[i];  // a copy: the pushes below move the table
            const char first = s.romaji[0];
            if (IsVowel(first) || first == 'n' || s.units[0] == tsu) continue;
            std::vector<Unit> doubled{tsu};
            doubled.insert(doubled.end(), s.units.begin(), s.units.end());
            all.push_back({first + s.romaji, doubled});
            if (s.romaji.starts_with("ch")) all.push_back({"t" + s.romaji, doubled});
        }
        return all;
    }();
    return spellings;
}

constexpr std::string_view kVowelLetters = "aiueo";

}  // namespace

RomajiQuery::RomajiQuery(std::string_view typed, bool caseSensitive) : caseSensitive_(caseSensitive) {
    const std::size_t n = typed.size();
    if (n == 0 || n > kMaxLength) return;  // no edges: nothing matches
    accept_ = std::uint64_t{1} << n;
    edges_.resize(n);
    firstUnits_.resize(n);
    wideFirst_.resize(n);
    std::string lower(typed);
    for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;

    for (std::size_t i = 0; i < n;) {
        const std::size_t length = cp932::CharLength(typed, i);
        // The character as the keyword may hold it.
        Unit literal = static_cast<unsigned char>(typed[i]);
        if (length == 2) literal = static_cast<Unit>(literal << 8 | static_cast<unsigned char>(typed[i + 1]));
        AddEdge(i, {{caseSensitive ? literal : FoldCase(literal)}, 1, static_cast<std::uint8_t>(i + length)});
        if (length == 1) {
            const char c = lower[i];
            const auto next = static_cast<std::uint8_t>(i + 1);
            if (c == '-') {
                for (Unit v = 0; v < 6; ++v) AddEdge(i, {{static_cast<Unit>(kLongVowelBase + v)}, 1, next});
            } else if (const std::size_t vowel = kVowelLetters.find(c); vowel != std::string_view::npos) {
                AddEdge(i, {{static_cast<Unit>(kLongVowelBase + vowel)}, 1, next});
            }
            const std::string_view rest = std::string_view(lower).substr(i);
            for (const CompiledSpelling& s : Spellings()) {
                Edge edge;
                std::copy(s.units.begin(), s.units.end(), edge.units.begin());
                edge.count = static_cast<std::uint8_t>(s.units.size());
                if (rest.starts_with(s.romaji)) {
                    // "n" is ん only where it cannot begin な-の or にゃ-にょ.
                    if (s.romaji == "n" && rest.size() > 1 && (IsVowel(rest[1]) || rest[1] == 'y')) continue;
                    edge.target = static_cast<std::uint8_t>(i + s.romaji.size());
                } else if (rest.size() < s.romaji.size() && s.romaji.starts_with(rest)) {
                    edge.target = static_cast<std::uint8_t>(n);  // an unfinished syllable at the end
                } else {
                    continue;
                }
                AddEdge(i, edge);
            }
        }
        i += length;
    }
    // The units a match can begin with, in both letter cases unless case-sensitive.
    auto allow = [&](Unit unit) { starts_[unit >> 6] |= std::uint64_t{1} << (unit & 63); };
    for (const Edge& edge : edges_[0]) {
        allow(edge.units[0]);
        if (caseSensitive_) continue;
        for (const Unit capital :
             {static_cast<Unit>(edge.units[0] - ('a' - 'A')), static_cast<Unit>(edge.units[0] - 0x21)})
            if (capital != edge.units[0] && FoldCase(capital) == edge.units[0]) allow(capital);
    }
}

void RomajiQuery::AddEdge(std::size_t from, Edge edge) {
    std::vector<Edge>& list = edges_[from];
    if (std::find(list.begin(), list.end(), edge) != list.end()) return;
    list.push_back(edge);
    if (edge.units[0] < kNarrowLimit) {
        firstUnits_[from].set(edge.units[0]);
    } else {
        wideFirst_[from] = true;
    }
}

bool RomajiQuery::Matches(std::string_view reading, bool forward) const {
    const std::size_t n = forward ? std::min<std::size_t>(1, UnitCount(reading)) : UnitCount(reading);
    for (std::size_t start = 0; start < n; ++start) {
        if (CanBegin(UnitAt(reading, start)) && MatchesAt(reading, start)) return true;
    }
    return false;
}

bool RomajiQuery::MatchesAt(std::string_view reading, std::size_t start) const {
    const std::size_t n = UnitCount(reading);
    if (accept_ == 0 || start >= n) return false;
    // reach[j % 4]: the typed positions reached when the reading has been read up to unit j. An edge reads at
    // most three units, so four slots carry everything still pending.
    std::array<std::uint64_t, 4> reach{};
    reach[start & 3] = 1;
    auto unitAt = [&](std::size_t j) { return caseSensitive_ ? UnitAt(reading, j) : FoldCase(UnitAt(reading, j)); };
    for (std::size_t j = start;; ++j) {
        const std::uint64_t current = reach[j & 3];
        reach[j & 3] = 0;
        if (current & accept_) return true;
        if (j == n) return false;
        if (current == 0) {
            if ((reach[0] | reach[1] | reach[2] | reach[3]) == 0) return false;
            continue;
        }
        const Unit unit = unitAt(j);
        if (j > start && IsLongVowel(unit)) reach[(j + 1) & 3] |= current;  // a ー left out
        const bool wide = unit >= kNarrowLimit;
        for (std::uint64_t states = current; states != 0; states &= states - 1) {
            const auto at = static_cast<std::size_t>(std::countr_zero(states));
            if (wide ? !wideFirst_[at] : !firstUnits_[at][unit]) continue;
            for (const Edge& edge : edges_[at]) {
                if (edge.units[0] != unit || j + edge.count > n) continue;
                bool same = true;
                for (std::size_t k = 1; k < edge.count && same; ++k) same = unitAt(j + k) == edge.units[k];
                if (same) reach[(j + edge.count) & 3] |= std::uint64_t{1} << edge.target;
            }
        }
    }
}

}  // namespace zanmel::romaji
