#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PathRules.h"

namespace zanmel {

// sync.txt of the home sheet: one line per installed copy, the comma text of the computer's name and the full
// path of its Zanmel.exe, lines ended by CR LF.

// The lines of sync.txt as the dialog lists them (empty lines left out).
std::vector<std::string> SyncLinesOf(std::string_view bytes);
// The file's bytes for the listed lines.
std::string SyncFileBytes(const std::vector<std::string>& lines);
// The line of an installed copy: MYPC,C:\Tools\Launcher\Zanmel.exe (a path with a blank is quoted).
std::string SyncLine(std::string_view computer, std::string_view exePath);
// The computer name and the executable path of a line; "" for an item the line lacks.
std::string SyncLineComputer(std::string_view line);
std::string SyncLinePath(std::string_view line);

// The folder of this computer's installed copy: the folder of the path of the first line naming this computer
// (exact comparison); nothing when no line names it.
std::optional<std::string> SyncLocalFolder(const std::vector<std::string>& lines, std::string_view computer);

// The messages of the sync dialog.
extern const char* const kSyncNotZanmel;
extern const char* const kSyncAlreadyAdded;
extern const char* const kSyncAlreadyListed;
extern const char* const kSyncNoLocalCopy;
extern const char* const kSyncCreateFailed;

// "追加" of a chosen executable for this computer: the file must be named exactly "Zanmel.exe"; the line is
// appended unless the list holds it. The message refusing it, or "".
std::string AddSyncLine(std::vector<std::string>& lines, std::string_view computer, std::string_view exePath);
// "編集" of line index: the same checks; the selected line itself may come out again. The new line carries
// this computer's name whatever the old one named.
std::string EditSyncLine(std::vector<std::string>& lines, std::size_t index, std::string_view computer,
                         std::string_view exePath);

// The copies of a sync run, in order. Drive data is programFolder\data, local data localFolder\data:
// 1. drive data\portable to local data\portable;
// 2. local data\fixed to drive data\<this computer>;
// 3. drive data\N to local data\N for every sub-folder N of drive data (driveSheets, in enumeration order)
//    except "fixed", "portable" and this computer's name (exact comparisons).
// The destinations of the first two must be made when missing; the third's are made when they can be.
std::vector<CopyJob> SyncJobs(std::string_view programFolder, std::string_view localFolder, std::string_view computer,
                              const std::vector<std::string>& driveSheets);

}  // namespace zanmel
