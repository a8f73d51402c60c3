#include "core/RomajiQuery.h"

#include <algorithm>
#include <bit>
#include <string>

#include "core/Cp932.h"

namespace zanmel::romaji {

namespace {

struct Spelling {
    std::string_view romaji;
    std::string_view kana;
};

// Every spelling of every kana and kana pair. っ before a consonant is added by doubling it (Spellings).
// clang-format off
constexpr Spelling kSpellings[] = {
    {"a", "あ"}, {"i", "い"}, {"u", "う"}, {"e", "え"}, {"o", "お"}, {"xa", "ぁ"}, {"la", "ぁ"}, {"xi", "ぃ"}, {"li", "ぃ"},
    {"xu", "ぅ"}, {"lu", "ぅ"}, {"xe", "ぇ"}, {"le", "ぇ"}, {"xo", "ぉ"}, {"lo", "ぉ"}, {"ye", "いぇ"}, {"wu", "う"},
    // k, g, q
    {"ka", "か"}, {"ki", "き"}, {"ku", "く"}, {"ke", "け"}, {"ko", "こ"}, {"ca", "か"}, {"cu", "く"}, {"co", "こ"},
    {"kya", "きゃ"}, {"kyi", "きぃ"}, {"kyu", "きゅ"}, {"kye", "きぇ"}, {"kyo", "きょ"}, {"kwa", "くぁ"}, {"qa", "くぁ"},
    {"qi", "くぃ"}, {"qe", "くぇ"}, {"qo", "くぉ"}, {"xka", "ヵ"}, {"lka", "ヵ"}, {"xke", "ヶ"}, {"lke", "ヶ"}, {"ga", "が"},
    {"gi", "ぎ"}, {"gu", "ぐ"}, {"ge", "げ"}, {"go", "ご"}, {"gya", "ぎゃ"}, {"gyi", "ぎぃ"}, {"gyu", "ぎゅ"}, {"gye", "ぎぇ"},
    {"gyo", "ぎょ"}, {"gwa", "ぐぁ"},
    // s, z, j
    {"sa", "さ"}, {"si", "し"}, {"shi", "し"}, {"ci", "し"}, {"su", "す"}, {"se", "せ"}, {"ce", "せ"}, {"so", "そ"},
    {"sya", "しゃ"}, {"sha", "しゃ"}, {"syi", "しぃ"}, {"syu", "しゅ"}, {"shu", "しゅ"}, {"sye", "しぇ"}, {"she", "しぇ"},
    {"syo", "しょ"}, {"sho", "しょ"}, {"za", "ざ"}, {"zi", "じ"}, {"ji", "じ"}, {"zu", "ず"}, {"ze", "ぜ"}, {"zo", "ぞ"},
    {"zya", "じゃ"}, {"ja", "じゃ"}, {"jya", "じゃ"}, {"zyi", "じぃ"}, {"jyi", "じぃ"}, {"zyu", "じゅ"}, {"ju", "じゅ"},
    {"jyu", "じゅ"}, {"zye", "じぇ"}, {"je", "じぇ"}, {"jye", "じぇ"}, {"zyo", "じょ"}, {"jo", "じょ"}, {"jyo", "じょ"},
    // t, c, d
    {"ta", "た"}, {"ti", "ち"}, {"chi", "ち"}, {"tu", "つ"}, {"tsu", "つ"}, {"te", "て"}, {"to", "と"}, {"tya", "ちゃ"},
    {"cha", "ちゃ"}, {"cya", "ちゃ"}, {"tyi", "ちぃ"}, {"cyi", "ちぃ"}, {"tyu", "ちゅ"}, {"chu", "ちゅ"}, {"cyu", "ちゅ"},
    {"tye", "ちぇ"}, {"che", "ちぇ"}, {"cye", "ちぇ"}, {"tyo", "ちょ"}, {"cho", "ちょ"}, {"cyo", "ちょ"}, {"tsa", "つぁ"},
    {"tsi", "つぃ"}, {"tse", "つぇ"}, {"tso", "つぉ"}, {"tha", "てゃ"}, {"thi", "てぃ"}, {"thu", "てゅ"}, {"the", "てぇ"},
    {"tho", "てょ"}, {"twu", "とぅ"}, {"xtu", "っ"}, {"ltu", "っ"}, {"xtsu", "っ"}, {"ltsu", "っ"}, {"da", "だ"},
    {"di", "ぢ"}, {"ji", "ぢ"}, {"du", "づ"}, {"zu", "づ"}, {"de", "で"}, {"do", "ど"}, {"dya", "ぢゃ"}, {"ja", "ぢゃ"},
    {"dyi", "ぢぃ"}, {"dyu", "ぢゅ"}, {"ju", "ぢゅ"}, {"dye", "ぢぇ"}, {"dyo", "ぢょ"}, {"jo", "ぢょ"}, {"dha", "でゃ"},
    {"dhi", "でぃ"}, {"dhu", "でゅ"}, {"dhe", "でぇ"}, {"dho", "でょ"}, {"dwu", "どぅ"},
    // n: "n" alone is ん only where it cannot begin な-の or にゃ-にょ (RomajiQuery)
    {"na", "な"}, {"ni", "に"}, {"nu", "ぬ"}, {"ne", "ね"}, {"no", "の"}, {"nya", "にゃ"}, {"nyi", "にぃ"}, {"nyu", "にゅ"},
    {"nye", "にぇ"}, {"nyo", "にょ"}, {"nn", "ん"}, {"n'", "ん"}, {"xn", "ん"}, {"n", "ん"},
    // h, f, b, p
    {"ha", "は"}, {"hi", "ひ"}, {"hu", "ふ"}, {"fu", "ふ"}, {"he", "へ"}, {"ho", "ほ"}, {"hya", "ひゃ"}, {"hyi", "ひぃ"},
    {"hyu", "ひゅ"}, {"hye", "ひぇ"}, {"hyo", "ひょ"}, {"fa", "ふぁ"}, {"fi", "ふぃ"}, {"fe", "ふぇ"}, {"fo", "ふぉ"},
    {"fya", "ふゃ"}, {"fyu", "ふゅ"}, {"fyo", "ふょ"}, {"ba", "ば"}, {"bi", "び"}, {"bu", "ぶ"}, {"be", "べ"}, {"bo", "ぼ"},
    {"bya", "びゃ"}, {"byi", "びぃ"}, {"byu", "びゅ"}, {"bye", "びぇ"}, {"byo", "びょ"}, {"pa", "ぱ"}, {"pi", "ぴ"},
    {"pu", "ぷ"}, {"pe", "ぺ"}, {"po", "ぽ"}, {"pya", "ぴゃ"}, {"pyi", "ぴぃ"}, {"pyu", "ぴゅ"}, {"pye", "ぴぇ"},
    {"pyo", "ぴょ"},
    // m, y, r, w, v
    {"ma", "ま"}, {"mi", "み"}, {"mu", "む"}, {"me", "め"}, {"mo", "も"}, {"mya", "みゃ"}, {"myi", "みぃ"}, {"myu", "みゅ"},
    {"mye", "みぇ"}, {"myo", "みょ"}, {"ya", "や"}, {"yu", "ゆ"}, {"yo", "よ"}, {"xya", "ゃ"}, {"lya", "ゃ"}, {"xyu", "ゅ"},
    {"lyu", "ゅ"}, {"xyo", "ょ"}, {"lyo", "ょ"}, {"ra", "ら"}, {"ri", "り"}, {"ru", "る"}, {"re", "れ"}, {"ro", "ろ"},
    {"rya", "りゃ"}, {"ryi", "りぃ"}, {"ryu", "りゅ"}, {"rye", "りぇ"}, {"ryo", "りょ"}, {"wa", "わ"}, {"wo", "を"}, {"o", "を"},
    {"wi", "うぃ"}, {"we", "うぇ"}, {"wha", "うぁ"}, {"whi", "うぃ"}, {"whe", "うぇ"}, {"who", "うぉ"}, {"xwa", "ゎ"},
    {"lwa", "ゎ"}, {"wyi", "ゐ"}, {"wye", "ゑ"}, {"vu", "ヴ"}, {"va", "ヴァ"}, {"vi", "ヴィ"}, {"ve", "ヴェ"}, {"vo", "ヴォ"},
    {"vyu", "ヴュ"},
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
        const std::string_view smallTsu = "っ";
        const std::string tsuReading = ReadingOf(smallTsu);
        const Unit tsu = UnitAt(tsuReading, 0);
        for (const Spelling& s : kSpellings) {
            const std::string reading = ReadingOf(s.kana);
            std::vector<Unit> units;
            for (std::size_t i = 0; i < UnitCount(reading); ++i) units.push_back(UnitAt(reading, i));
            all.push_back({std::string(s.romaji), units});
        }
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
