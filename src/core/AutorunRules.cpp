#include "core/AutorunRules.h"

#include "core/Cp932.h"
#include "core/PathRules.h"

namespace zanmel {

namespace {

// Characters that split a command line or mean something to the command interpreter outside quotes.
bool NeedsQuotes(std::string_view path) {
    constexpr std::string_view kSpecial = " \t&()[]{}^=;!'+,`~%";
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 1 && kSpecial.find(path[i]) != std::string_view::npos) return true;
    }
    return false;
}

std::string Command(std::string_view path) {
    return NeedsQuotes(path) ? "\"" + std::string(path) + "\"" : std::string(path);
}

// A batch file expands "%" even inside quotes; "%%" stands for one.
std::string BatchLine(std::string_view path) {
    return cp932::ReplaceAll(Command(path), "%", "%%") + "\r\n";
}

}  // namespace

std::string DriveRelativePath(std::string_view programDrive, std::string_view path) {
    return RelativePath(programDrive, path);
}

AutorunFiles MakeAutorunFiles(std::string_view exePath, std::string_view unplugPath) {
    const std::string exe(exePath);
    AutorunFiles files;
    files.autorunInf = "[autorun]\r\n";
    files.autorunInf += "open=" + Command(exe) + "\r\n";
    files.autorunInf += "icon=" + exe + "\r\n";
    files.autorunInf += "action=Zanmel起動\r\n";
    files.autorunInf += "shell\\usbOpen=Zanmel起動\r\n";
    files.autorunInf += "shell\\usbOpen\\command=" + Command(exe) + "\r\n";
    if (!unplugPath.empty()) {
        files.autorunInf += "shell\\usbOpen2=UnplugDriveで取り外す\r\n";
        files.autorunInf += "shell\\usbOpen2\\command=" + Command(unplugPath) + "\r\n";
        files.unplugDriveBat = BatchLine(unplugPath);
    }
    files.zanmelBat = BatchLine(exe);
    return files;
}

}  // namespace zanmel
