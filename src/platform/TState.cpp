#include "platform/TState.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "core/CommaText.h"
#include "core/PathRules.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"

namespace zanmel::platform {

const char* const kFolderBrowserTitle = "フォルダを選んで下さい";

namespace {

std::string QueryComputerName() {
    wchar_t name[256] = {};
    DWORD size = 256;
    if (!GetComputerNameW(name, &size)) return "";
    return ToCp932(std::wstring_view(name, size));
}

void MakeCurrentDirectory(const std::string& folder) {
    SetCurrentDirectoryW(ToWide(folder).c_str());
}

}  // namespace

TState::TState(TDebugTimer& timer, const std::string& exePath) {
    timer.BeginStage();
    programFolder_ = FolderOf(exePath.empty() ? RunningExecutablePath() : exePath);
    MakeCurrentDirectory(programFolder_);
    programDrive_ = DrivePart(programFolder_);
    portableMode_ = GetDriveTypeW(ToWide(programDrive_ + "\\").c_str()) == DRIVE_REMOVABLE;
    computerName_ = QueryComputerName();
    sheetFolder_ = StartSheetFolder(programFolder_, portableMode_);
    homeSheetFolder_ = sheetFolder_;

    // A folder that cannot be created (read-only medium, no rights) is left absent.
    for (const std::string& folder : FolderLayout(programFolder_, sheetFolder_, computerName_)) {
        if (!FolderExists(folder)) CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    }
    RefreshSheetList();
    timer.EndStage("TState::TState");
}

void TState::SetSheetFolder(std::string_view sheetName) {
    sheetFolder_ = DataRoot() + "\\" + std::string(sheetName);
}

void TState::RefreshSheetList() {
    sheetList_ = BuildSheetList(CommaTextSplit(ListSubFolders(DataRoot())), portableMode_, computerName_);
}

std::string TState::FolderBrowser(UserInterface& ui, UserInterface::Owner owner, std::string_view initialFolder) const {
    return ui.BrowseFolder(owner, kFolderBrowserTitle, initialFolder);
}

std::string TState::RelativePath(std::string_view path) const {
    return zanmel::RelativePath(programFolder_, path);
}

std::string TState::AutoRelativePath(std::string_view path) const {
    return zanmel::AutoRelativePath(portableMode_, programFolder_, path);
}

std::string TState::AbsolutePath(std::string_view path) const {
    MakeCurrentDirectory(programFolder_);
    const std::wstring wide = ToWide(path);
    if (wide.empty()) return std::string(path);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return std::string(path);
        if (length < buffer.size()) {
            buffer.resize(length);
            return ToCp932(buffer);
        }
        buffer.resize(length + 1);  // length is the size needed, terminator included
    }
}

std::string TState::ListSubFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(ToWide(folder + "\\*.*").c_str(), FindExInfoStandard, &data,
                                     FindExSearchLimitToDirectories, nullptr, 0));
    if (find) {
        do {
            const std::string name = ToCp932(data.cFileName);
            if (IsListedSubFolder(name, data.dwFileAttributes)) names.push_back(name);
        } while (FindNextFileW(find.Get(), &data));
    }
    return CommaTextJoin(names);
}

void TState::CopyFolderTree(DirectoryView& view, const std::string& destination, const std::string& source) {
    WalkFolderTree(view, destination, source, [](const std::string& from, const std::string& to) {
        CopyFileAtomically(from, to);  // failures are skipped
    });
}

std::optional<std::string> TState::CopySheetFolder(DirectoryView& view, const std::string& destination,
                                                   const std::string& source) {
    struct Staged {
        std::string temp, from, to;
    };
    std::vector<Staged> staged;
    std::optional<std::string> failed;
    const bool whole = WalkFolderTree(view, destination, source, [&](const std::string& from, const std::string& to) {
        if (auto temp = StageCopy(from, to)) {
            staged.push_back({*temp, from, to});
        } else if (!failed) {
            failed = to;
        }
    });
    if (!whole || failed) {
        for (const Staged& file : staged) DiscardStagedCopy(file.temp);
        return whole ? failed : std::nullopt;
    }
    // keyword.txt names what tree.txt files and what the icons show: it changes last, and only when every other
    // file did.
    const std::string keywordFile = destination + "\\keyword.txt";
    std::stable_partition(staged.begin(), staged.end(), [&](const Staged& file) { return file.to != keywordFile; });
    for (const Staged& file : staged) {
        if (file.to == keywordFile && failed) {
            DiscardStagedCopy(file.temp);
        } else if (!CommitStagedCopy(file.temp, file.from, file.to) && !failed) {
            failed = file.to;
        }
    }
    return failed;
}

bool TState::WalkFolderTree(DirectoryView& view, const std::string& destination, const std::string& source,
                            const std::function<void(const std::string& from, const std::string& to)>& copyFile) {
    if (!view.IsShown()) return false;
    RemoveLeftTemporaryFiles(destination);
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(ToWide(source + "\\*.*").c_str(), &data));
    if (!find) return true;
    do {
        const std::string name = ToCp932(data.cFileName);
        if (IsDotEntry(name)) continue;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryCopyName(name)) continue;
        const std::string from = source + "\\" + name;
        const std::string to = destination + "\\" + name;
        view.ShowPath(from);
        // The user closes the window to interrupt: checked again after the pending messages have run.
        if (!PumpPendingMessages() || !view.IsShown()) return false;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CreateDirectoryW(ToWide(to).c_str(), nullptr);
            if (!WalkFolderTree(view, to, from, copyFile)) return false;
        } else {
            // Through a temporary file: a copy cut short leaves the file at the destination as it was.
            copyFile(from, to);
        }
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

}  // namespace zanmel::platform
