#include "core/KeyWordList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <utility>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/LaunchWordData.h"
#include "core/RomajiQuery.h"
#include "core/ZanmelError.h"

namespace zanmel {

namespace {

constexpr std::string_view kComponent = "KeyWordList";

[[noreturn]] void ThrowMissing() {
    throw ZanmelError(kComponent, "キーワードが存在していません。");
}

std::int32_t ParseIconNumber(std::string_view text) {
    std::int32_t value = 0;
    if (!ParseInt32(text, value))
        throw ZanmelError(kComponent, "アイコン番号が整数ではありません (" + std::string(text) + ")。");
    return value;
}

// Fields that hold a line break would split their row in keyword.txt.
std::string WithoutLineBreaks(std::string_view field) {
    std::string result(field);
    std::replace(result.begin(), result.end(), '\r', ' ');
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

}  // namespace

LocalTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);  // one user-interface thread: the shared buffer is safe
    if (local == nullptr) return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec};
}

std::string FormatStamp(const LocalTime& time) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return buffer;
}

TKeyWordList::TKeyWordList(std::string computerName, Clock clock) : computerName_(std::move(computerName)) {
    SetClock(std::move(clock));
}

void TKeyWordList::SetClock(Clock clock) {
    clock_ = clock ? std::move(clock) : Clock(CurrentLocalTime);
}

std::string TKeyWordList::Now() const {
    return FormatStamp(clock_());
}

std::string_view TKeyWordList::Cell(std::size_t position, std::size_t column) const {
    if (position >= Count() || column >= kColumnCount) {
        throw ZanmelError(kComponent, "インデックスが範囲外です (" + std::to_string(position) + ")。");
    }
    return columns_[column][position];
}

TKeyWord TKeyWordList::EntryAt(std::size_t position) const {
    Cell(position, kKeyWord);
    auto cell = [&](Column c) { return std::string(columns_[c][position]); };
    return {cell(kKeyWord),   cell(kKind),      ParseIconNumber(cell(kIconNumber)),
            cell(kReserved1), cell(kReserved2), cell(kComputer),
            cell(kStamp),     cell(kData)};
}

std::optional<std::size_t> TKeyWordList::Find(std::string_view keyword) const {
    const std::string lowered = cp932::ToLower(keyword);
    for (std::size_t i = 0; i < lowered_.size(); ++i) {
        if (lowered_[i] == lowered) return i;
    }
    return std::nullopt;
}

std::size_t TKeyWordList::RowOf(std::string_view keyword) const {
    const auto row = Find(keyword);
    if (!row) ThrowMissing();
    return *row;
}

std::string_view TKeyWordList::KindOf(std::string_view keyword) const {
    return columns_[kKind][RowOf(keyword)];
}

std::int32_t TKeyWordList::IconNumberOf(std::string_view keyword) const {
    return ParseIconNumber(columns_[kIconNumber][RowOf(keyword)]);
}

std::string_view TKeyWordList::DataOf(std::string_view keyword) const {
    return columns_[kData][RowOf(keyword)];
}

void TKeyWordList::AppendRow(const std::array<std::string_view, kColumnCount>& cells) {
    keys_.push_back(cells[kKeyWord]);
    lowerScratch_.assign(cells[kKeyWord]);  // reused: a sheet load lower-cases every keyword
    cp932::ToLowerInPlace(lowerScratch_);
    lowered_.push_back(lowerScratch_);
    readings_.push_back(cells[kKeyWord]);
    for (std::size_t c = 0; c < kColumnCount; ++c) columns_[c].push_back(cells[c]);
}

void TKeyWordList::Add(std::string_view keyword, std::string_view kind, std::int32_t iconNumber,
                       std::string_view data) {
    if (Exists(keyword)) throw ZanmelError(kComponent, "キーワードは既に存在しています。");
    const std::string icon = std::to_string(iconNumber);
    const std::string stamp = Now();
    AppendRow({keyword, kind, icon, {}, {}, computerName_, stamp, data});
}

void TKeyWordList::Change(std::string_view oldKeyword, std::string_view newKeyword, std::string_view kind,
                          std::int32_t iconNumber, std::string_view data) {
    const auto position = Find(oldKeyword);
    if (!position) throw ZanmelError(kComponent, "変更前のキーワードが存在していません。");
    if (newKeyword != oldKeyword && Exists(newKeyword)) {
        throw ZanmelError(kComponent, "変更後のキーワードが既に存在しています。");
    }
    const std::string stamp = Now();
    // The new texts may be views into this index, which the replacements below move.
    const std::string keyword(newKeyword), kindText(kind), dataText(data);
    const std::size_t i = *position;
    columns_[kKeyWord].replace(i, keyword);
    columns_[kKind].replace(i, kindText);
    columns_[kIconNumber].replace(i, std::to_string(iconNumber));
    columns_[kComputer].replace(i, computerName_);
    columns_[kStamp].replace(i, stamp);
    columns_[kData].replace(i, dataText);
    keys_.replace(i, keyword);
    lowered_.replace(i, cp932::ToLower(keyword));
    readings_.replace(i, keyword);
}

void TKeyWordList::Delete(std::string_view keyword) {
    const auto i = static_cast<std::ptrdiff_t>(RowOf(keyword));
    for (auto& column : columns_) column.erase(static_cast<std::size_t>(i));
    keys_.erase(static_cast<std::size_t>(i));
    lowered_.erase(static_cast<std::size_t>(i));
    readings_.erase(static_cast<std::size_t>(i));
}

void TKeyWordList::Learning(std::string_view keyword) {
    const auto position = Find(keyword);
    if (!position) throw ZanmelError("TKeyWordList::Learning", "KeyWordが見つかりません。");
    const std::size_t from = *position;
    const std::size_t to = from / 5 * 4 + from % 5 * 4 / 5;  // floor(from * 4 / 5) without overflow
    for (auto& column : columns_) column.move_forward(from, to);
    keys_.move_forward(from, to);
    lowered_.move_forward(from, to);
    readings_.move_forward(from, to);
}

namespace {

// Rows whose key begins with q.
void ForwardMatches(const PackedTexts& keys, std::string_view q, bool queryEndsLone, std::vector<std::size_t>& out) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string_view k = keys[i];
        if (k.size() >= q.size() && k.compare(0, q.size(), q) == 0 && (!queryEndsLone || k.size() == q.size())) {
            out.push_back(i);
        }
    }
}

// Rows whose key holds q at a character boundary. The scan runs over all keys at once, looking for the last byte
// of q with memchr (trail bytes and letters are rarer than lead bytes), and checks only the candidates.
void PartialMatches(const PackedTexts& keys, std::string_view q, bool queryEndsLone, std::vector<std::size_t>& out) {
    const std::string_view all = keys.bytes();
    const std::size_t tail = q.size() - 1;
    std::size_t row = 0;
    std::size_t pos = tail;
    while (pos < all.size()) {
        const void* hit = std::memchr(all.data() + pos, q.back(), all.size() - pos);
        if (hit == nullptr) break;
        const std::size_t anchor = static_cast<std::size_t>(static_cast<const char*>(hit) - all.data());
        pos = anchor + 1;
        const std::size_t start = anchor - tail;
        while (keys.end_of(row) <= anchor) ++row;  // hits come in order: all rows are passed once at most
        const std::size_t rowBegin = keys.begin_of(row);
        const std::size_t rowEnd = keys.end_of(row);
        if (start < rowBegin || all.compare(start, q.size(), q) != 0) continue;
        if (queryEndsLone && anchor + 1 != rowEnd) continue;
        std::size_t boundary = rowBegin;
        const std::string_view key = all.substr(rowBegin, rowEnd - rowBegin);
        while (boundary < start) boundary += cp932::CharLength(key, boundary - rowBegin);
        if (boundary != start) continue;
        out.push_back(row);
        pos = rowEnd + tail;  // on to the next row
    }
}

// Rows whose reading the typed text matches, added in row order to the rows that matched by their bytes.
void AddReadingMatches(const KanaReadings& readings, const romaji::RomajiQuery& typed, bool forward,
                       std::vector<std::size_t>& matches) {
    std::vector<std::size_t> byReading;
    readings.Find(typed, forward, byReading);
    if (byReading.empty()) return;
    std::vector<std::size_t> all;
    all.reserve(matches.size() + byReading.size());
    std::set_union(matches.begin(), matches.end(), byReading.begin(), byReading.end(), std::back_inserter(all));
    matches = std::move(all);
}

}  // namespace

TKeyWordList::Matches TKeyWordList::Match(std::string& query, bool caseSensitive, bool forward, bool byRomaji) {
    const std::string q = caseSensitive ? query : cp932::ToLower(query);
    const bool queryEndsLone = cp932::EndsWithLoneLeadByte(q);
    const PackedTexts& keys = caseSensitive ? keys_ : lowered_;
    Matches result;
    std::vector<std::size_t>& matches = result.rows;
    if (!q.empty()) {
        if (forward) {
            ForwardMatches(keys, q, queryEndsLone, matches);
        } else {
            PartialMatches(keys, q, queryEndsLone, matches);
        }
        if (byRomaji) AddReadingMatches(readings_, romaji::RomajiQuery(query, caseSensitive), forward, matches);
    }

    if (matches.size() == 1) {
        const std::string only(columns_[kKeyWord][matches.front()]);
        if (only != completionMemory_) {
            query = only;
            completionMemory_ = only;
            result.completed = true;
        }
    } else {
        completionMemory_.clear();
    }
    if (query.empty()) {
        matches.resize(Count());
        for (std::size_t i = 0; i < Count(); ++i) matches[i] = i;
    }
    return result;
}

TKeyWordList::SearchResult TKeyWordList::Search(std::string& query, bool caseSensitive, bool forward, bool byRomaji) {
    const Matches matches = Match(query, caseSensitive, forward, byRomaji);
    std::vector<std::string_view> shown;
    shown.reserve(matches.rows.size());
    for (const std::size_t i : matches.rows) shown.push_back(keys_[i]);
    SearchResult result;
    result.completed = matches.completed;
    AppendCommaText(result.keywords, shown);
    return result;
}

void TKeyWordList::LoadFromText(std::string_view bytes, std::string_view path) {
    for (auto& column : columns_) column.clear();
    keys_.clear();
    lowered_.clear();
    readings_.clear();
    iconLookup_.reset();
    // Each column grows to about its share of the file at once.
    for (auto& column : columns_) column.reserve(0, bytes.size() / kColumnCount);
    std::vector<std::string> fields;  // reused for every line
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size()) pos += bytes.compare(pos, 2, "\r\n") == 0 ? 2 : 1;

        CommaTextSplitInto(line, fields);
        if (fields.empty()) continue;
        if (fields.size() != kColumnCount) {
            throw ZanmelError(kComponent, std::string(path) + "のデータが不正です。");
        }
        std::array<std::string_view, kColumnCount> cells;
        std::copy(fields.begin(), fields.end(), cells.begin());
        AppendRow(cells);
    }
}

std::string TKeyWordList::SaveToText() const {
    std::string out;
    std::size_t size = Count() * 24;  // commas, quotes and line ends, about
    for (const auto& column : columns_) size += column.bytes().size();
    out.reserve(size);
    std::array<std::string_view, kColumnCount> fields;
    std::array<std::string, kColumnCount> cleaned;
    for (std::size_t row = 0; row < Count(); ++row) {
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            fields[c] = columns_[c][row];
            if (fields[c].find('\r') != std::string_view::npos || fields[c].find('\n') != std::string_view::npos) {
                cleaned[c] = WithoutLineBreaks(columns_[c][row]);
                fields[c] = cleaned[c];
            }
        }
        AppendCommaText(out, fields);
        out += "\r\n";
    }
    return out;
}

void TKeyWordList::BuildIconLookup() {
    std::unordered_map<std::string, std::int32_t> lookup;
    lookup.reserve(Count());
    for (std::size_t row = 0; row < Count(); ++row) {
        std::int32_t icon = 0;
        if (!ParseInt32(columns_[kIconNumber][row], icon)) icon = 0;
        lookup[std::string(lowered_[row])] = icon;  // a repeated keyword keeps the last icon number
    }
    iconLookup_ = std::move(lookup);
}

std::int32_t TKeyWordList::IconLookup(std::string_view keyword) const {
    if (!iconLookup_) {
        const auto row = Find(keyword);
        std::int32_t icon = 0;
        if (row && ParseInt32(columns_[kIconNumber][*row], icon)) return icon;
        return 0;
    }
    const auto it = iconLookup_->find(cp932::ToLower(keyword));
    return it == iconLookup_->end() ? 0 : it->second;
}

}  // namespace zanmel
