#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileAccess.h"
#include "core/KeyWordList.h"  // LocalTime
#include "core/PathRules.h"
#include "core/ProfileFile.h"

namespace zanmel {

// The backup settings, section [BackUp] of Zanmel.ini in the program folder. The backup dialog loads them each
// time it is shown and saves them each time it hides; nothing reads them at start-up.
class TBackUp {
public:
    static constexpr std::int32_t kModeWholeDrive = 0;
    static constexpr std::int32_t kModeListedFolders = 1;

    // The five keys; a missing key gives its default (mode 1, the others empty, the date of day zero).
    void ReadFrom(const ProfileFile& file);
    void WriteTo(ProfileFile& file) const;
    // Zanmel.ini read and written whole; the file's other sections are kept. A file that cannot be read gives
    // the defaults on load and raises on save (so the save never replaces what was only unreadable).
    void Load(FileAccess& files, const std::string& iniPath);
    void Save(FileAccess& files, const std::string& iniPath) const;

    std::string ComputerName;
    std::string BackUpDir;
    std::int32_t Mode = kModeWholeDrive;
    std::string DirList;  // comma text of folders relative to the program folder
    // Kept as the text the file holds: no operation changes it, so it goes back exactly as it came.
    std::string LastBackUpDate;
};

// The date-time text of day zero, written for a missing LastBackUpDate.
extern const char* const kNoBackUpDate;

// "yyyy_mm_dd_hh_nn_ss": 2009_04_01_09_05_07.
std::string BackUpRunName(const LocalTime& time);
// The folder a listed folder is backed up into: its absolute path with every "/", "\" and ":" replaced by "_"
// (by character, so the trail byte 0x5C of "表" stays). E:\Tools\Launcher\data gives E__Tools_Launcher_data.
std::string BackUpFolderName(std::string_view absolutePath);

// The messages of the backup dialog.
extern const char* const kBackUpTargetOnDrive;
extern const char* const kBackUpSourceOffDrive;
extern const char* const kBackUpAlreadyListed;
extern const char* const kBackUpOtherComputer;
extern const char* const kBackUpCreateFolder;
extern const char* const kBackUpCreateFailed;
extern const char* const kBackUpBadMode;

// A chosen backup folder: the message refusing it when it lies on the program drive, else "".
std::string CheckBackUpFolder(std::string_view chosen, std::string_view programDrive);
// "追加" of a chosen folder to the folder list: appends its form relative to the program folder; the message
// when it lies off the program drive or is listed already, else "" (and the list has grown).
std::string AddBackUpEntry(std::vector<std::string>& list, std::string_view chosen, std::string_view programFolder);
// "編集" of entry index to a chosen folder: the entry itself may be chosen again; another entry's text may not.
std::string EditBackUpEntry(std::vector<std::string>& list, std::size_t index, std::string_view chosen,
                            std::string_view programFolder);

// The copies of a backup run into runFolder. Whole drive: the drive's root. Listed folders (absolute paths, in
// list order): one folder each, named by BackUpFolderName; a folder listed twice is copied once, and two
// folders whose names flatten alike get "(2)", "(3)", ... so neither backup overwrites the other. A source that
// holds the run folder is left out: copying it would copy the backup into itself without end.
std::vector<CopyJob> BackUpJobs(std::int32_t mode, std::string_view programDrive, std::string_view runFolder,
                                const std::vector<std::string>& absoluteEntries);

}  // namespace zanmel
