#pragma once

#include <cstdint>
#include <string>

#include "core/FileAccess.h"
#include "core/LaunchShell.h"

namespace zanmel {

// Icon numbers 0 to 5 are the built-in icons; captured icons of items are files numbered from 1000 up.
constexpr std::int32_t kFirstIconFileNumber = 1000;
constexpr std::int32_t kWebIconNumber = 4;
constexpr std::int32_t kSpecialFolderIconNumber = 5;

// folder + "\" + number + ".ico" for captured icons, "defaulticon\" + number + ".ico" for the built-in ones.
std::string IconFilePath(const std::string& folder, std::int32_t number);

// The captured icon files of one icon folder.
class IconCache {
public:
    IconCache(LaunchShell& shell, FileAccess& files) : shell_(shell), files_(files) {}

    // Captures the shell's small icon of target (as given; a relative path is resolved by the current folder)
    // into the lowest free number from 1000 and returns it. An icon that cannot be captured raises
    // "GetIconInfoに失敗\r\nFileName:" + the icon file path, and no file is made.
    std::int32_t MakeIconFile(const std::string& folder, const std::string& target);
    // Deletes the icon file of number; nothing below 1000. A file that cannot be deleted raises
    // "IconControl\r\nFileが削除できません。".
    void RemoveIconFile(const std::string& folder, std::int32_t number);
    // Writes the .ico bytes of icon to path; a failed write raises "FileOpen Error".
    void WriteIconFile(const CapturedIcon& icon, const std::string& path);

private:
    LaunchShell& shell_;
    FileAccess& files_;
};

}  // namespace zanmel
