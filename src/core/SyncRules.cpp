#include "core/SyncRules.h"

#include <algorithm>

#include "core/CommaText.h"
#include "core/TextLines.h"

namespace zanmel {

const char* const kSyncNotZanmel = "Zanmel.exeを選択して下さい。";
const char* const kSyncAlreadyAdded = "既に追加されています。";
const char* const kSyncAlreadyListed = "既に登録されています。";
const char* const kSyncNoLocalCopy = "同期するローカルPC上のZanmelが見つかりません。";
const char* const kSyncCreateFailed = "フォルダの作成に失敗しました。";

namespace {

std::string Item(std::string_view line, std::size_t index) {
    const std::vector<std::string> items = CommaTextSplit(line);
    return index < items.size() ? items[index] : "";
}

bool IsZanmelExe(std::string_view path) {
    return FileNameOf(path) == "Zanmel.exe";
}

}  // namespace

std::vector<std::string> SyncLinesOf(std::string_view bytes) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(bytes)) {
        if (!line.empty()) lines.emplace_back(line);
    }
    return lines;
}

std::string SyncFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string SyncLine(std::string_view computer, std::string_view exePath) {
    return CommaTextJoin({std::string(computer), std::string(exePath)});
}

std::string SyncLineComputer(std::string_view line) {
    return Item(line, 0);
}

std::string SyncLinePath(std::string_view line) {
    return Item(line, 1);
}

std::optional<std::string> SyncLocalFolder(const std::vector<std::string>& lines, std::string_view computer) {
    for (const std::string& line : lines) {
        if (SyncLineComputer(line) == computer) return FolderOf(SyncLinePath(line));
    }
    return std::nullopt;
}

std::string AddSyncLine(std::vector<std::string>& lines, std::string_view computer, std::string_view exePath) {
    if (!IsZanmelExe(exePath)) return kSyncNotZanmel;
    std::string line = SyncLine(computer, exePath);
    if (std::find(lines.begin(), lines.end(), line) != lines.end()) return kSyncAlreadyAdded;
    lines.push_back(std::move(line));
    return "";
}

std::string EditSyncLine(std::vector<std::string>& lines, std::size_t index, std::string_view computer,
                         std::string_view exePath) {
    if (index >= lines.size()) return "";
    if (!IsZanmelExe(exePath)) return kSyncNotZanmel;
    std::string line = SyncLine(computer, exePath);
    const auto found = std::find(lines.begin(), lines.end(), line);
    if (found != lines.end() && static_cast<std::size_t>(found - lines.begin()) != index) return kSyncAlreadyListed;
    lines[index] = std::move(line);
    return "";
}

std::vector<CopyJob> SyncJobs(std::string_view programFolder, std::string_view localFolder, std::string_view computer,
                              const std::vector<std::string>& driveSheets) {
    const std::string driveData = std::string(programFolder) + "\\data";
    const std::string localData = std::string(localFolder) + "\\data";
    const std::string name(computer);
    std::vector<CopyJob> jobs{{driveData + "\\portable", localData + "\\portable", true},
                              {localData + "\\fixed", driveData + "\\" + name, true}};
    for (const std::string& sheet : driveSheets) {
        if (sheet == "fixed" || sheet == "portable" || sheet == name) continue;
        jobs.push_back({driveData + "\\" + sheet, localData + "\\" + sheet, false});
    }
    return jobs;
}

}  // namespace zanmel
