#include "core/TSetting.h"

#include <optional>

#include "core/ZanmelError.h"

namespace zanmel {

const char* const kDefaultSkinName = "デフォルト";

namespace {

constexpr const char* kSetting = "Setting";
constexpr const char* kHotKeyZanmel = "HotKeyZanmel";
constexpr const char* kHotKeyPopup = "HotKeyPopup";
constexpr const char* kSpeedUp = "SpeedUp";

THotKeyRecord ReadHotKey(const ProfileFile& file, const char* section) {
    THotKeyRecord key;
    key.Use = file.ReadBool(section, "Use", false);
    key.Ctrl = file.ReadBool(section, "Ctrl", false);
    key.Shift = file.ReadBool(section, "Shift", false);
    key.Alt = file.ReadBool(section, "Alt", false);
    key.Win = file.ReadBool(section, "Win", false);
    key.VK = static_cast<std::uint16_t>(file.ReadInteger(section, "VK", 0));
    return key;
}

void WriteHotKey(ProfileFile& file, const char* section, const THotKeyRecord& key) {
    file.WriteBool(section, "Use", key.Use);
    file.WriteBool(section, "Ctrl", key.Ctrl);
    file.WriteBool(section, "Shift", key.Shift);
    file.WriteBool(section, "Alt", key.Alt);
    file.WriteBool(section, "Win", key.Win);
    file.WriteInteger(section, "VK", key.VK);
}

}  // namespace

TSetting::TSetting(TDebugTimer& timer, FileAccess& files, const std::string& programFolder)
    : DefaultSkinName(kDefaultSkinName), files_(files), iniPath_(programFolder + "\\Zanmel.ini") {
    timer.BeginStage();
    std::optional<std::string> bytes;
    try {
        bytes = files_.ReadFile(iniPath_);
    } catch (const ZanmelError&) {
        // An unreadable file reads like a missing one: every value takes its default.
    }
    ReadFrom(ProfileFile(bytes.value_or(std::string())));
    timer.EndStage("TSetting::TSetting");
}

void TSetting::ReadFrom(const ProfileFile& file) {
    ForeCaseSensitive = file.ReadBool(kSetting, "ForeCaseSensitive", false);
    PartialCaseSensitive = file.ReadBool(kSetting, "PartialCaseSensitive", false);
    MinimatizeOnNoActive = file.ReadBool(kSetting, "MinimatizeOnNoActive", false);
    GoTaskTray = file.ReadBool(kSetting, "GoTaskTray", false);
    DefaultSkinName = file.ReadString(kSetting, "DefaultSkinName", kDefaultSkinName);
    ImeMode = file.ReadInteger(kSetting, "ImeMode", 0);
    RomajiSearch = file.ReadBool(kSetting, "RomajiSearch", false);
    HotKeyZanmel = ReadHotKey(file, kHotKeyZanmel);
    HotKeyPopup = ReadHotKey(file, kHotKeyPopup);
    MouseZanmel = file.ReadInteger(kHotKeyZanmel, "Mouse", 0);
    MousePopup = file.ReadInteger(kHotKeyPopup, "Mouse", 0);
    CornerZanmel = static_cast<std::uint8_t>(file.ReadInteger(kHotKeyZanmel, "Corner", 0));
    CornerPopup = static_cast<std::uint8_t>(file.ReadInteger(kHotKeyPopup, "Corner", 0));
    NoMakePopupMenu = file.ReadBool(kSpeedUp, "NoMakePopupMenu", false);
    NoUseIcon = file.ReadBool(kSpeedUp, "NoUseIcon", false);
}

void TSetting::WriteTo(ProfileFile& file) const {
    file.WriteBool(kSetting, "ForeCaseSensitive", ForeCaseSensitive);
    file.WriteBool(kSetting, "PartialCaseSensitive", PartialCaseSensitive);
    file.WriteBool(kSetting, "MinimatizeOnNoActive", MinimatizeOnNoActive);
    file.WriteBool(kSetting, "GoTaskTray", GoTaskTray);
    file.WriteString(kSetting, "DefaultSkinName", DefaultSkinName);
    file.WriteInteger(kSetting, "ImeMode", ImeMode);
    file.WriteBool(kSetting, "RomajiSearch", RomajiSearch);
    WriteHotKey(file, kHotKeyZanmel, HotKeyZanmel);
    WriteHotKey(file, kHotKeyPopup, HotKeyPopup);
    file.WriteInteger(kHotKeyZanmel, "Mouse", MouseZanmel);
    file.WriteInteger(kHotKeyPopup, "Mouse", MousePopup);
    file.WriteInteger(kHotKeyZanmel, "Corner", CornerZanmel);
    file.WriteInteger(kHotKeyPopup, "Corner", CornerPopup);
    file.WriteBool(kSpeedUp, "NoMakePopupMenu", NoMakePopupMenu);
    file.WriteBool(kSpeedUp, "NoUseIcon", NoUseIcon);
}

void TSetting::SaveSetting() {
    // Read back first so that sections written by others since start-up ([BackUp]) are kept.
    ProfileFile file(files_.ReadFile(iniPath_).value_or(std::string()));
    WriteTo(file);
    files_.WriteFile(iniPath_, file.ToBytes());
}

}  // namespace zanmel
