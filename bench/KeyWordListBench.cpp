// The keyword index with 100,000 generated keywords: search per keystroke, learning, keyword.txt load and save.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <random>
#include <string>
#include <unordered_set>

#include "core/Cp932.h"
#include "core/KanaReadings.h"
#include "core/KeyWordList.h"

namespace {

using zanmel::TKeyWordList;

constexpr int kEntries = 100000;

// One random character: ASCII letter or digit, hiragana, katakana or kanji.
std::string RandomChar(std::mt19937& random) {
    const unsigned pick = random() % 10;
    if (pick < 5) {
        static const char ascii[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        return std::string(1, ascii[random() % (sizeof ascii - 1)]);
    }
    unsigned char lead;
    unsigned char trail;
    if (pick < 7) {
        lead = 0x82;
        trail = static_cast<unsigned char>(0x9F + random() % (0xF1 - 0x9F + 1));
    } else if (pick < 9) {
        lead = 0x83;
        trail = static_cast<unsigned char>(0x40 + random() % (0x96 - 0x40 + 1));
        if (trail == 0x7F) trail = 0x80;
    } else {
        lead = static_cast<unsigned char>(0x89 + random() % (0x97 - 0x89 + 1));
        trail = static_cast<unsigned char>(0x40 + random() % (0xFC - 0x40 + 1));
        if (trail == 0x7F) trail = 0x80;
    }
    return {static_cast<char>(lead), static_cast<char>(trail)};
}

// keyword.txt bytes of kEntries unique keywords of 4 to 30 bytes.
const std::string& KeywordFile() {
    static const std::string file = [] {
        std::mt19937 random(20261209);
        std::unordered_set<std::string> seen;
        std::string text;
        int n = 0;
        while (n < kEntries) {
            const std::size_t target = 4 + random() % 27;
            std::string keyword;
            while (keyword.size() < target) {
                std::string c = RandomChar(random);
                if (keyword.size() + c.size() > 30) break;
                keyword += c;
            }
            if (keyword.size() < 4 || !seen.insert(zanmel::cp932::ToLower(keyword)).second) continue;
            text += keyword + ",Launch,0,,,PC,\"2026/01/01 00:00:00\",\"open,C:\\Program Files\\App" +
                    std::to_string(n) + "\\app.exe,,,1,0\"\r\n";
            ++n;
        }
        return text;
    }();
    return file;
}

TKeyWordList& LoadedList() {
    static TKeyWordList list = [] {
        TKeyWordList l;
        l.LoadFromText(KeywordFile(), "keyword.txt");
        return l;
    }();
    return list;
}

// The query: the first one or three characters of a keyword from the middle of the index, beginning with an
// ASCII or a double-byte character.
std::string Query(int characters, bool doubleByte) {
    const TKeyWordList& list = LoadedList();
    std::size_t row = kEntries / 2;
    while (zanmel::cp932::CharLength(list.KeyWordAt(row), 0) != (doubleByte ? 2u : 1u)) ++row;
    const std::string keyword(list.KeyWordAt(row));
    std::size_t end = 0;
    for (int i = 0; i < characters && end < keyword.size(); ++i) end += zanmel::cp932::CharLength(keyword, end);
    return keyword.substr(0, end);
}

void BM_Search(benchmark::State& state) {
    const bool forward = state.range(0) != 0;
    const bool caseSensitive = state.range(1) != 0;
    const std::string query = Query(static_cast<int>(state.range(2)), state.range(3) != 0);
    TKeyWordList& list = LoadedList();
    std::size_t resultBytes = 0;
    for (auto _ : state) {
        std::string q = query;
        auto result = list.Search(q, caseSensitive, forward);
        resultBytes = result.keywords.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["result_bytes"] = static_cast<double>(resultBytes);
    std::string hex;
    for (const char c : query) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        hex += kHex[static_cast<unsigned char>(c) >> 4];
        hex += kHex[static_cast<unsigned char>(c) & 15];
    }
    state.SetLabel(std::string(forward ? "forward" : "partial") + (caseSensitive ? " case-sensitive" : " ignore-case") +
                   " query " + hex);
}
BENCHMARK(BM_Search)
    ->ArgNames({"forward", "case", "chars", "dbcs"})
    ->ArgsProduct({{1, 0}, {1, 0}, {1, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// keyword.txt bytes of kEntries unique keywords, every other one a kana word (hiragana or katakana, with
// small kana, ン and ー, a fifth of them ending in a kanji) and the others ASCII: the index for searching with
// and without romaji reading.
const std::string& MixedFile() {
    static const std::string file = [] {
        static constexpr std::string_view kHiragana =
            "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわんがぎぐげござじず"
            "ぜぞだで"
            "どばびぶべぼぱぴぷぺぽゃゅょっ";
        static constexpr std::string_view kKatakana =
            "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワンガギグゲゴザジズ"
            "ゼゾダデ"
            "ドバビブベボパピプペポャュョッー";
        std::mt19937 random(20261210);
        std::unordered_set<std::string> seen;
        std::string text;
        int n = 0;
        while (n < kEntries) {
            std::string keyword;
            if (n % 2 == 0) {
                const std::string_view kana = random() % 2 ? kHiragana : kKatakana;
                const std::size_t length = 2 + random() % 7;
                for (std::size_t i = 0; i < length; ++i) keyword += kana.substr(random() % (kana.size() / 2) * 2, 2);
                if (random() % 5 == 0) keyword += "帳";
            } else {
                static const char ascii[] = "abcdefghijklmnopqrstuvwxyz0123456789";
                const std::size_t length = 4 + random() % 12;
                for (std::size_t i = 0; i < length; ++i) keyword += ascii[random() % (sizeof ascii - 1)];
            }
            if (!seen.insert(zanmel::cp932::ToLower(keyword)).second) continue;
            text +=
                keyword + ",Launch,0,,,PC,\"2026/01/01 00:00:00\",\"open,app" + std::to_string(n) + ".exe,,,1,0\"\r\n";
            ++n;
        }
        return text;
    }();
    return file;
}

// Search per keystroke in the half-kana index, plain and with romaji reading, for typed texts that begin a
// syllable ("k"), end in an unfinished n ("kon") and spell kana whole ("memo").
void BM_SearchRomaji(benchmark::State& state) {
    static TKeyWordList list = [] {
        TKeyWordList l;
        l.LoadFromText(MixedFile(), "keyword.txt");
        return l;
    }();
    static const char* const kQueries[] = {"k", "kon", "memo"};
    const bool forward = state.range(0) != 0;
    const bool romaji = state.range(1) != 0;
    const std::string query = kQueries[state.range(2)];
    std::size_t resultBytes = 0;
    for (auto _ : state) {
        std::string q = query;
        auto result = list.Search(q, false, forward, romaji);
        resultBytes = result.keywords.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["result_bytes"] = static_cast<double>(resultBytes);
    state.SetLabel(std::string(forward ? "forward" : "partial") + (romaji ? " romaji" : " plain") + " query " + query);
}
BENCHMARK(BM_SearchRomaji)
    ->ArgNames({"forward", "romaji", "query"})
    ->ArgsProduct({{1, 0}, {0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

void BM_LearningLast(benchmark::State& state) {
    TKeyWordList& list = LoadedList();
    for (auto _ : state) {
        const std::string last(list.KeyWordAt(list.Count() - 1));
        list.Learning(last);
    }
}
BENCHMARK(BM_LearningLast)->Unit(benchmark::kMicrosecond);

// The first rows of keyword.txt: the file of a sheet of that many keywords.
std::string FirstRows(const std::string& file, std::int64_t rows) {
    std::size_t end = 0;
    for (std::int64_t i = 0; i < rows && end < file.size(); ++i) end = file.find("\r\n", end) + 2;
    return file.substr(0, end);
}

void BM_Load(benchmark::State& state) {
    const std::string file = FirstRows(KeywordFile(), state.range(0));
    TKeyWordList list;
    for (auto _ : state) list.LoadFromText(file, "keyword.txt");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_Load)->Arg(10000)->Arg(kEntries)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    TKeyWordList list;
    list.LoadFromText(FirstRows(KeywordFile(), state.range(0)), "keyword.txt");
    for (auto _ : state) benchmark::DoNotOptimize(list.SaveToText());
}
BENCHMARK(BM_Save)->Arg(10000)->Arg(kEntries)->Unit(benchmark::kMillisecond);

// Bytes of the heap in use, small blocks and mapped large ones.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Heap and object bytes held per entry by a loaded index.
void BM_MemoryPerEntry(benchmark::State& state) {
    const std::string& file = KeywordFile();
    double perEntry = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto list = std::make_unique<TKeyWordList>();
        list->LoadFromText(file, "keyword.txt");
        const std::size_t after = HeapInUse();
        perEntry = static_cast<double>(after - before) / static_cast<double>(list->Count());
        benchmark::DoNotOptimize(list);
    }
    state.counters["bytes_per_entry"] = perEntry;
}
BENCHMARK(BM_MemoryPerEntry)->Iterations(1)->Unit(benchmark::kMillisecond);

// Heap bytes per entry that the kana readings of the half-kana index hold.
void BM_ReadingMemoryPerEntry(benchmark::State& state) {
    TKeyWordList list;
    list.LoadFromText(MixedFile(), "keyword.txt");
    double perEntry = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto readings = std::make_unique<zanmel::KanaReadings>();
        for (std::size_t i = 0; i < list.Count(); ++i) readings->push_back(list.KeyWordAt(i));
        perEntry = static_cast<double>(HeapInUse() - before) / static_cast<double>(list.Count());
        benchmark::DoNotOptimize(readings);
    }
    state.counters["bytes_per_entry"] = perEntry;
}
BENCHMARK(BM_ReadingMemoryPerEntry)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
