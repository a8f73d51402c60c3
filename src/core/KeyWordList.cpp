#include "core/KeyWordList.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/LaunchWordData.h"
#include "core/ZanmelError.h"

namespace zanmel {

namespace {

constexpr std::string_view kComponent = "KeyWordList";

[[noreturn]] void ThrowMissing() {
    throw ZanmelError(kComponent, "キーワードが存在していません。");
}

std::int32_t ParseIconNumber(const std::string& text) {
    std::int32_t value = 0;
    if (!ParseInt32(text, value)) throw ZanmelError(kComponent, "アイコン番号が整数ではありません (" + text + ")。");
    return value;
}

// Fields that hold a line break would split their row in keyword.txt.
std::string WithoutLineBreaks(const std::string& field) {
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

const std::string& TKeyWordList::Cell(std::size_t position, std::size_t column) const {
    if (position >= rows_.size() || column >= kColumnCount) {
        throw ZanmelError(kComponent, "インデックスが範囲外です (" + std::to_string(position) + ")。");
    }
    return rows_[position].columns[column];
}

TKeyWord TKeyWordList::EntryAt(std::size_t position) const {
    Cell(position, kKeyWord);
    const auto& c = rows_[position].columns;
    return {c[kKeyWord], c[kKind], ParseIconNumber(c[kIconNumber]), c[kReserved1], c[kReserved2], c[kComputer],
            c[kStamp],   c[kData]};
}

std::optional<std::size_t> TKeyWordList::Find(std::string_view keyword) const {
    const std::string lowered = cp932::ToLower(keyword);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].lowered == lowered) return i;
    }
    return std::nullopt;
}

std::size_t TKeyWordList::RowOf(std::string_view keyword) const {
    const auto row = Find(keyword);
    if (!row) ThrowMissing();
    return *row;
}

const std::string& TKeyWordList::KindOf(std::string_view keyword) const {
    return rows_[RowOf(keyword)].columns[kKind];
}

std::int32_t TKeyWordList::IconNumberOf(std::string_view keyword) const {
    return ParseIconNumber(rows_[RowOf(keyword)].columns[kIconNumber]);
}

const std::string& TKeyWordList::DataOf(std::string_view keyword) const {
    return rows_[RowOf(keyword)].columns[kData];
}

void TKeyWordList::Add(std::string_view keyword, std::string_view kind, std::int32_t iconNumber,
                       std::string_view data) {
    if (Exists(keyword)) throw ZanmelError(kComponent, "キーワードは既に存在しています。");
    Row row;
    row.columns = {std::string(keyword), std::string(kind), std::to_string(iconNumber), {}, {}, computerName_, Now(),
                   std::string(data)};
    row.lowered = cp932::ToLower(keyword);
    rows_.push_back(std::move(row));
}

void TKeyWordList::Change(std::string_view oldKeyword, std::string_view newKeyword, std::string_view kind,
                          std::int32_t iconNumber, std::string_view data) {
    const auto position = Find(oldKeyword);
    if (!position) throw ZanmelError(kComponent, "変更前のキーワードが存在していません。");
    if (newKeyword != oldKeyword && Exists(newKeyword)) {
        throw ZanmelError(kComponent, "変更後のキーワードが既に存在しています。");
    }
    std::string stamp = Now();
    Row& row = rows_[*position];
    row.columns[kKeyWord] = newKeyword;
    row.columns[kKind] = kind;
    row.columns[kIconNumber] = std::to_string(iconNumber);
    row.columns[kComputer] = computerName_;
    row.columns[kStamp] = std::move(stamp);
    row.columns[kData] = data;
    row.lowered = cp932::ToLower(newKeyword);
}

void TKeyWordList::Delete(std::string_view keyword) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(RowOf(keyword)));
}

void TKeyWordList::Learning(std::string_view keyword) {
    const auto position = Find(keyword);
    if (!position) throw ZanmelError("TKeyWordList::Learning", "KeyWordが見つかりません。");
    const std::size_t from = *position;
    const std::size_t to = from / 5 * 4 + from % 5 * 4 / 5;  // floor(from * 4 / 5) without overflow
    const auto first = rows_.begin();
    std::rotate(first + static_cast<std::ptrdiff_t>(to), first + static_cast<std::ptrdiff_t>(from),
                first + static_cast<std::ptrdiff_t>(from + 1));
}

TKeyWordList::SearchResult TKeyWordList::Search(std::string& query, bool caseSensitive, bool forward) {
    const std::string q = caseSensitive ? query : cp932::ToLower(query);
    const bool queryEndsLone = cp932::EndsWithLoneLeadByte(q);
    std::vector<std::size_t> matches;
    if (!q.empty()) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const std::string_view k = caseSensitive ? rows_[i].columns[kKeyWord] : rows_[i].lowered;
            bool found;
            if (forward) {
                found = k.starts_with(q) && (!queryEndsLone || k.size() == q.size());
            } else {
                found = cp932::Find(k, q) != std::string_view::npos;
            }
            if (found) matches.push_back(i);
        }
    }

    SearchResult result;
    if (matches.size() == 1) {
        const std::string& only = rows_[matches.front()].columns[kKeyWord];
        if (only != completionMemory_) {
            query = only;
            completionMemory_ = only;
            result.completed = true;
        }
    } else {
        completionMemory_.clear();
    }

    std::vector<std::string_view> keywords;
    if (query.empty()) {
        keywords.reserve(rows_.size());
        for (const Row& row : rows_) keywords.push_back(row.columns[kKeyWord]);
    } else {
        keywords.reserve(matches.size());
        for (const std::size_t i : matches) keywords.push_back(rows_[i].columns[kKeyWord]);
    }
    AppendCommaText(result.keywords, keywords);
    return result;
}

void TKeyWordList::LoadFromText(std::string_view bytes, std::string_view path) {
    rows_.clear();
    iconLookup_.reset();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size()) pos += bytes.compare(pos, 2, "\r\n") == 0 ? 2 : 1;

        std::vector<std::string> fields = CommaTextSplit(line);
        if (fields.empty()) continue;
        if (fields.size() != kColumnCount) {
            throw ZanmelError(kComponent, std::string(path) + "のデータが不正です。");
        }
        Row row;
        std::move(fields.begin(), fields.end(), row.columns.begin());
        row.lowered = cp932::ToLower(row.columns[kKeyWord]);
        rows_.push_back(std::move(row));
    }
}

std::string TKeyWordList::SaveToText() const {
    std::string out;
    std::array<std::string_view, kColumnCount> fields;
    std::array<std::string, kColumnCount> cleaned;
    for (const Row& row : rows_) {
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            fields[c] = row.columns[c];
            if (fields[c].find_first_of("\r\n") != std::string_view::npos) {
                cleaned[c] = WithoutLineBreaks(row.columns[c]);
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
    lookup.reserve(rows_.size());
    for (const Row& row : rows_) {
        std::int32_t icon = 0;
        if (!ParseInt32(row.columns[kIconNumber], icon)) icon = 0;
        lookup[row.lowered] = icon;  // a repeated keyword keeps the last icon number
    }
    iconLookup_ = std::move(lookup);
}

std::int32_t TKeyWordList::IconLookup(std::string_view keyword) const {
    if (!iconLookup_) {
        const auto row = Find(keyword);
        std::int32_t icon = 0;
        if (row && ParseInt32(rows_[*row].columns[kIconNumber], icon)) return icon;
        return 0;
    }
    const auto it = iconLookup_->find(cp932::ToLower(keyword));
    return it == iconLookup_->end() ? 0 : it->second;
}

}  // namespace zanmel
