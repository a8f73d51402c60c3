#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// Pure rules about the program's paths. Paths are CP932 bytes and are split at "\" by character, so the trail
// byte 0x5C of a double-byte character (as in "ソ" or "表") is never taken for a separator.

// Drive part of a path: "C:" for a drive letter with its colon, "\\server\share" for a network path, else "".
std::string DrivePart(std::string_view path);
// Folder of a path without the trailing "\", except at a drive root: "C:\a\b.exe" gives "C:\a", "C:\b.exe"
// gives "C:\".
std::string FolderOf(std::string_view path);
// The part after the last "\" or ":".
std::string FileNameOf(std::string_view path);

// One folder tree to copy: the content of source into destination.
struct CopyJob {
    std::string source;
    std::string destination;
    // The destination must exist before the copy; when it cannot be made the run stops.
    bool required = false;
    bool operator==(const CopyJob&) const = default;
};

// True when path is folder itself or lies below it (names compared without regard to letter case; a trailing
// "\" of folder does not count). "C:\a\b" is inside "C:\a", "C:\ab" is not.
bool IsSameOrInside(std::string_view path, std::string_view folder);

// Relative path conversion against the program folder: a path on another drive is returned unchanged,
// otherwise the path relative to programFolder + "\" ("..\" for every folder of the base not shared).
std::string RelativePath(std::string_view programFolder, std::string_view path);
// The path as an item dialog stores it: relative when running portable and the path lies on the program
// drive (drive parts equal byte for byte), else unchanged.
std::string AutoRelativePath(bool portableMode, std::string_view programFolder, std::string_view path);

// File attribute bit of a folder.
constexpr std::uint32_t kDirectoryAttribute = 0x10;
// A sub-folder listing keeps only entries whose attributes are exactly the directory attribute alone, and
// never "." or "..".
bool IsListedSubFolder(std::string_view name, std::uint32_t attributes);
// "." and "..", the entries every folder enumeration skips.
bool IsDotEntry(std::string_view name);

// The sheet folder chosen at start-up.
std::string StartSheetFolder(std::string_view programFolder, bool portableMode);
// The folders created at start-up when missing, in creation order.
std::vector<std::string> FolderLayout(std::string_view programFolder, std::string_view sheetFolder,
                                      std::string_view computerName);
// The sheets offered for switching, from the sub-folders of the data root in enumeration order: "portable"
// first, then "fixed" (not in portable mode), then the rest without this computer's folder (kept in
// portable mode). Names are compared without regard to letter case.
std::vector<std::string> BuildSheetList(std::vector<std::string> dataFolders, bool portableMode,
                                        std::string_view computerName);

}  // namespace zanmel
