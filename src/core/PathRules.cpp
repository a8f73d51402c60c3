#include "core/PathRules.h"

#include <algorithm>

#include "core/Cp932.h"
#include "core/NameCompare.h"

namespace zanmel {

namespace {

bool IsSingleByte(std::string_view text, std::size_t pos, char c) {
    return text[pos] == c && cp932::CharLength(text, pos) == 1;
}

// Position just after the last "\" (and, when withColon, ":") that is a character of its own; 0 when none.
std::size_t AfterLastSeparator(std::string_view path, bool withColon) {
    std::size_t after = 0;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (IsSingleByte(path, i, '\\') || (withColon && IsSingleByte(path, i, ':'))) after = i + 1;
    }
    return after;
}

std::vector<std::string> SplitFolders(std::string_view folders) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < folders.size();) {
        std::size_t length = cp932::CharLength(folders, i);
        if (length == 1 && folders[i] == '\\') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current.append(folders.substr(i, length));
        }
        i += length;
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

void RemoveFirst(std::vector<std::string>& list, std::string_view name) {
    auto it = std::find_if(list.begin(), list.end(), [&](const std::string& entry) { return SameName(entry, name); });
    if (it != list.end()) list.erase(it);
}

}  // namespace

std::string DrivePart(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':' && cp932::CharLength(path, 0) == 1) return std::string(path.substr(0, 2));
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // "\\server\share": up to the separator after the share, or the end.
        int separators = 0;
        for (std::size_t i = 2; i < path.size(); i += cp932::CharLength(path, i)) {
            if (IsSingleByte(path, i, '\\') && ++separators == 2) return std::string(path.substr(0, i));
        }
        return std::string(path);
    }
    return "";
}

std::string FolderOf(std::string_view path) {
    std::size_t after = AfterLastSeparator(path, true);
    if (after == 0) return "";
    std::size_t separator = after - 1;
    if (path[separator] == '\\' && separator > 0) {
        // Keep the "\" of a root ("C:\"), drop it otherwise.
        bool afterDriveColon = separator == 2 && path[1] == ':' && cp932::CharLength(path, 0) == 1;
        if (!afterDriveColon) return std::string(path.substr(0, separator));
    }
    return std::string(path.substr(0, after));
}

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(AfterLastSeparator(path, true)));
}

bool IsSameOrInside(std::string_view path, std::string_view folder) {
    std::string base = FoldName(folder);
    if (!base.empty() && base.back() == '\\' && cp932::IsCharBoundary(base, base.size() - 1)) base.pop_back();
    if (base.empty()) return false;
    const std::string folded = FoldName(path);
    if (folded == base) return true;
    return folded.size() > base.size() && folded.compare(0, base.size(), base) == 0 && folded[base.size()] == '\\' &&
           cp932::IsCharBoundary(folded, base.size());
}

std::string RelativePath(std::string_view programFolder, std::string_view path) {
    std::string base = std::string(programFolder) + "\\";
    std::string baseDrive = DrivePart(base);
    std::string pathDrive = DrivePart(path);
    if (!SameName(baseDrive, pathDrive)) return std::string(path);

    // The base ends in "\", so everything after its drive is folders.
    std::vector<std::string> baseFolders = SplitFolders(std::string_view(base).substr(baseDrive.size()));
    std::size_t nameStart = std::max(AfterLastSeparator(path, false), pathDrive.size());
    std::vector<std::string> pathFolders = SplitFolders(path.substr(pathDrive.size(), nameStart - pathDrive.size()));

    std::size_t common = 0;
    while (common < baseFolders.size() && common < pathFolders.size() &&
           SameName(baseFolders[common], pathFolders[common])) {
        ++common;
    }
    std::string result;
    for (std::size_t i = common; i < baseFolders.size(); ++i) result += "..\\";
    for (std::size_t i = common; i < pathFolders.size(); ++i) result += pathFolders[i] + "\\";
    result += path.substr(nameStart);
    return result;
}

std::string AutoRelativePath(bool portableMode, std::string_view programFolder, std::string_view path) {
    if (portableMode && DrivePart(path) == DrivePart(programFolder)) return RelativePath(programFolder, path);
    return std::string(path);
}

bool IsDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

bool IsListedSubFolder(std::string_view name, std::uint32_t attributes) {
    return attributes == kDirectoryAttribute && !IsDotEntry(name);
}

std::string StartSheetFolder(std::string_view programFolder, bool portableMode) {
    return std::string(programFolder) + (portableMode ? "\\data\\portable" : "\\data\\fixed");
}

std::vector<std::string> FolderLayout(std::string_view programFolder, std::string_view sheetFolder,
                                      std::string_view computerName) {
    std::string program(programFolder);
    std::string dataRoot = program + "\\data";
    std::string computerFolder = dataRoot + "\\" + std::string(computerName);
    return {dataRoot,
            program + "\\skin",
            dataRoot + "\\portable",
            dataRoot + "\\fixed",
            std::string(sheetFolder) + "\\icon",
            computerFolder,
            computerFolder + "\\icon"};
}

std::vector<std::string> BuildSheetList(std::vector<std::string> dataFolders, bool portableMode,
                                        std::string_view computerName) {
    RemoveFirst(dataFolders, "fixed");
    RemoveFirst(dataFolders, "portable");
    dataFolders.insert(dataFolders.begin(), "fixed");
    dataFolders.insert(dataFolders.begin(), "portable");
    RemoveFirst(dataFolders, portableMode ? std::string_view("fixed") : computerName);
    return dataFolders;
}

}  // namespace zanmel
