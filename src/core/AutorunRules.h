#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zanmel {

// A path as the files at the drive's root name it: relative to the root of the program drive ("E:"), without a
// leading "\" (E:\Tools\Launcher\Zanmel.exe gives Tools\Launcher\Zanmel.exe); a path on another drive stays
// absolute.
std::string DriveRelativePath(std::string_view programDrive, std::string_view path);

// The three files written to the drive's root, CP932 with CR LF after every line.
struct AutorunFiles {
    std::string autorunInf;
    std::string zanmelBat;
    std::optional<std::string> unplugDriveBat;  // only with an UnplugDrive path
};

// The files for the executable and the UnplugDrive executable ("" when none is set), both in drive-relative
// form. Where a path is run as a command (open=, the two command= lines and the batch files) a path that holds
// a blank or a character the command interpreter treats specially is enclosed in double quotes, and a "%" in a
// batch file is doubled, so that the path runs as it stands.
AutorunFiles MakeAutorunFiles(std::string_view exePath, std::string_view unplugPath);

}  // namespace zanmel
