#pragma once

#include <string>

namespace zanmel {

// The data locations the launch and special folder modules read: the program folder (the current directory of
// every launch), its drive, portable mode, the current sheet and the home sheet. TState provides them on
// Windows.
class DataLocations {
public:
    virtual ~DataLocations() = default;
    virtual const std::string& ProgramFolder() const = 0;
    // Drive part of the executable's path ("X:", or "\\server\share").
    virtual const std::string& ProgramDrive() const = 0;
    virtual bool PortableMode() const = 0;
    virtual const std::string& SheetFolder() const = 0;
    virtual const std::string& HomeSheetFolder() const = 0;
};

}  // namespace zanmel
