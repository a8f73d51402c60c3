#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/KanaReadings.h"
#include "core/PackedTexts.h"

namespace zanmel {

// A local date and time, as the stamp column shows it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The computer's local time now, from the C++ standard library.
LocalTime CurrentLocalTime();

// "yyyy/mm/dd hh:nn:ss".
std::string FormatStamp(const LocalTime& time);

// One entry read out of the index.
struct TKeyWord {
    std::string keyword;
    std::string kind;
    std::int32_t iconNumber = 0;
    std::string reserved1;
    std::string reserved2;
    std::string computer;
    std::string stamp;
    std::string data;

    bool operator==(const TKeyWord&) const = default;
};

// The keyword index: rows of eight text columns, in the order that follows use. Keywords are unique without
// regard to letter case. Also used, with the same file format, for the extension list. Errors are ZanmelError
// with the texts "KeyWordList\r\n..." and "TKeyWordList::Learning\r\n...".
class TKeyWordList {
public:
    enum Column : std::size_t {
        kKeyWord = 0,
        kKind = 1,
        kIconNumber = 2,
        kReserved1 = 3,
        kReserved2 = 4,
        kComputer = 5,
        kStamp = 6,
        kData = 7,
    };
    static constexpr std::size_t kColumnCount = 8;

    using Clock = std::function<LocalTime()>;

    struct SearchResult {
        std::string keywords;    // comma text of the matching keywords, or of all when the query is empty
        bool completed = false;  // the query was replaced by the one matching keyword
    };
    struct Matches {
        std::vector<std::size_t> rows;  // positions of the matching keywords in index order, or all
        bool completed = false;
    };

    // computerName goes into the computer column of every added or changed row; clock gives the stamp
    // (CurrentLocalTime when empty).
    explicit TKeyWordList(std::string computerName = {}, Clock clock = {});

    void SetComputerName(std::string computerName) { computerName_ = std::move(computerName); }
    const std::string& ComputerName() const { return computerName_; }
    void SetClock(Clock clock);

    std::size_t Count() const { return lowered_.size(); }
    // Positions are 0-based; a position out of range raises "KeyWordList\r\n...".
    std::string_view KeyWordAt(std::size_t position) const { return Cell(position, kKeyWord); }
    std::string_view KindAt(std::size_t position) const { return Cell(position, kKind); }
    std::string_view DataAt(std::size_t position) const { return Cell(position, kData); }
    // A view into the index: valid until the index next changes.
    std::string_view Cell(std::size_t position, std::size_t column) const;
    // The icon number column must hold a decimal integer, else "KeyWordList\r\n...".
    TKeyWord EntryAt(std::size_t position) const;

    // Case-insensitive lookups; the first equal row is the entry.
    bool Exists(std::string_view keyword) const { return Find(keyword).has_value(); }
    std::optional<std::size_t> Find(std::string_view keyword) const;
    std::string_view KindOf(std::string_view keyword) const;
    std::int32_t IconNumberOf(std::string_view keyword) const;
    std::string_view DataOf(std::string_view keyword) const;

    void Add(std::string_view keyword, std::string_view kind, std::int32_t iconNumber, std::string_view data);
    void Change(std::string_view oldKeyword, std::string_view newKeyword, std::string_view kind,
                std::int32_t iconNumber, std::string_view data);
    void Delete(std::string_view keyword);
    // Moves the keyword's row from position i to i * 4 / 5.
    void Learning(std::string_view keyword);

    // Forward (at the first character) or partial match of query in every keyword, at character boundaries;
    // when not case-sensitive both are lower-cased first. With byRomaji a keyword also matches when query, read
    // as romaji, matches its kana reading (RomajiQuery). Exactly one match that differs from the completion
    // memory replaces query with it (completion, once per keyword).
    SearchResult Search(std::string& query, bool caseSensitive, bool forward, bool byRomaji = false);
    // The same search giving row positions: the result list copies its keywords from them without a comma text.
    Matches Match(std::string& query, bool caseSensitive, bool forward, bool byRomaji = false);
    const std::string& CompletionMemory() const { return completionMemory_; }

    // Replaces the whole index with the rows of keyword.txt bytes (lines end with CR LF, LF or CR; empty lines
    // are skipped). A line with a field count other than eight raises "KeyWordList\r\n" + path +
    // "のデータが不正です。"; the rows before it stay. path only names the file in that message.
    void LoadFromText(std::string_view bytes, std::string_view path);
    // keyword.txt bytes: one comma text of the eight columns per row, CR LF after every line. A CR or LF inside
    // a field is written as a space, so every row stays one line.
    std::string SaveToText() const;

    // The icon lookup: keyword (without regard to case) to icon number, built once per sheet load. A keyword
    // without an entry, or whose icon number is not an integer, gives 0, the default icon.
    void BuildIconLookup();
    void ReleaseIconLookup() { iconLookup_.reset(); }
    std::int32_t IconLookup(std::string_view keyword) const;

private:
    void AppendRow(const std::array<std::string_view, kColumnCount>& cells);

    std::size_t RowOf(std::string_view keyword) const;  // raises when the keyword does not exist
    std::string Now() const;

    // Eight parallel columns of the same length, each packed in one buffer: a sheet of 100,000 rows is eight
    // allocations, not 800,000. Beside them the search keys: the keyword column packed as it is and lower-cased,
    // kept up to date with every change, so that a search per keystroke neither lower-cases every keyword nor
    // chases a pointer per row; and each keyword's kana reading for romaji typing.
    std::array<PackedTexts, kColumnCount> columns_;
    PackedTexts keys_;
    PackedTexts lowered_;
    KanaReadings readings_;
    std::string computerName_;
    Clock clock_;
    std::string completionMemory_;
    std::string lowerScratch_;
    std::optional<std::unordered_map<std::string, std::int32_t>> iconLookup_;
};

}  // namespace zanmel
