#include "core/TBackUp.h"

#include <algorithm>
#include <cstdio>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/NameCompare.h"
#include "core/PathRules.h"

namespace zanmel {

const char* const kNoBackUpDate = "1899/12/30";
const char* const kBackUpTargetOnDrive = "USBメモリをデータのバックアップ先にはできません";
const char* const kBackUpSourceOffDrive = "USBメモリ外のデータはバックアップできません。";
const char* const kBackUpAlreadyListed = "既に登録されています";
const char* const kBackUpOtherComputer = "バックアップ先のパソコン名が異なります。";
const char* const kBackUpCreateFolder = "フォルダが存在しません作成しますか？";
const char* const kBackUpCreateFailed = "フォルダ作成に失敗しました。";
const char* const kBackUpBadMode = "バックアップ設定が不正です。";

namespace {

constexpr const char* kSection = "BackUp";

bool OnDrive(std::string_view path, std::string_view drive) {
    return SameName(DrivePart(path), drive);
}

}  // namespace

void TBackUp::ReadFrom(const ProfileFile& file) {
    ComputerName = file.ReadString(kSection, "ComputerName", "");
    BackUpDir = file.ReadString(kSection, "BackUpDir", "");
    Mode = file.ReadInteger(kSection, "Mode", kModeListedFolders);
    DirList = file.ReadString(kSection, "DirList", "");
    LastBackUpDate = file.ReadString(kSection, "LastBackUpDate", kNoBackUpDate);
}

void TBackUp::WriteTo(ProfileFile& file) const {
    file.WriteString(kSection, "ComputerName", ComputerName);
    file.WriteString(kSection, "BackUpDir", BackUpDir);
    file.WriteInteger(kSection, "Mode", Mode);
    file.WriteString(kSection, "DirList", DirList);
    file.WriteString(kSection, "LastBackUpDate", LastBackUpDate);
}

void TBackUp::Load(FileAccess& files, const std::string& iniPath) {
    std::optional<std::string> bytes;
    try {
        bytes = files.ReadFile(iniPath);
    } catch (const std::exception&) {
        // Unreadable for the moment: the dialog shows the defaults; saving reads again and raises.
    }
    ReadFrom(ProfileFile(bytes.value_or(std::string())));
}

void TBackUp::Save(FileAccess& files, const std::string& iniPath) const {
    // Read back first: the global settings live in the same file.
    ProfileFile file(files.ReadFile(iniPath).value_or(std::string()));
    WriteTo(file);
    files.WriteFile(iniPath, file.ToBytes());
}

std::string BackUpRunName(const LocalTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d_%02d_%02d_%02d_%02d_%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::string BackUpFolderName(std::string_view absolutePath) {
    std::string name = cp932::ReplaceAll(absolutePath, "/", "_");
    name = cp932::ReplaceAll(name, "\\", "_");
    return cp932::ReplaceAll(name, ":", "_");
}

std::string CheckBackUpFolder(std::string_view chosen, std::string_view programDrive) {
    return OnDrive(chosen, programDrive) ? kBackUpTargetOnDrive : "";
}

namespace {

// The chosen folder as the list holds it, or the message refusing it.
std::string ListForm(std::string_view chosen, std::string_view programFolder, std::string& message) {
    if (!OnDrive(chosen, DrivePart(programFolder))) {
        message = kBackUpSourceOffDrive;
        return "";
    }
    return RelativePath(programFolder, chosen);
}

}  // namespace

std::string AddBackUpEntry(std::vector<std::string>& list, std::string_view chosen, std::string_view programFolder) {
    std::string message;
    std::string entry = ListForm(chosen, programFolder, message);
    if (!message.empty()) return message;
    if (std::find(list.begin(), list.end(), entry) != list.end()) return kBackUpAlreadyListed;
    list.push_back(std::move(entry));
    return "";
}

std::string EditBackUpEntry(std::vector<std::string>& list, std::size_t index, std::string_view chosen,
                            std::string_view programFolder) {
    if (index >= list.size()) return "";
    std::string message;
    std::string entry = ListForm(chosen, programFolder, message);
    if (!message.empty()) return message;
    const auto found = std::find(list.begin(), list.end(), entry);
    if (found != list.end() && static_cast<std::size_t>(found - list.begin()) != index) return kBackUpAlreadyListed;
    list[index] = std::move(entry);
    return "";
}

std::vector<CopyJob> BackUpJobs(std::int32_t mode, std::string_view programDrive, std::string_view runFolder,
                                const std::vector<std::string>& absoluteEntries) {
    std::vector<CopyJob> jobs;
    if (mode == TBackUp::kModeWholeDrive) {
        if (!IsSameOrInside(runFolder, programDrive))
            jobs.push_back({std::string(programDrive), std::string(runFolder)});
        return jobs;
    }
    if (mode != TBackUp::kModeListedFolders) return jobs;
    std::vector<std::string> sources;
    std::vector<std::string> names;
    for (const std::string& source : absoluteEntries) {
        if (IsSameOrInside(runFolder, source)) continue;
        const auto same = [&](const std::string& other) { return SameName(other, source); };
        if (std::any_of(sources.begin(), sources.end(), same)) continue;
        const std::string base = BackUpFolderName(source);
        std::string name = base;
        for (int n = 2;
             std::any_of(names.begin(), names.end(), [&](const std::string& other) { return SameName(other, name); });
             ++n) {
            name = base + "(" + std::to_string(n) + ")";
        }
        sources.push_back(source);
        names.push_back(name);
        jobs.push_back({source, std::string(runFolder) + "\\" + name});
    }
    return jobs;
}

}  // namespace zanmel
