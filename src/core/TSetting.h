#pragma once

#include <cstdint>
#include <string>

#include "core/FileAccess.h"
#include "core/ProfileFile.h"
#include "core/TDebugTimer.h"

namespace zanmel {

// A hot key as stored in [HotKeyZanmel] and [HotKeyPopup].
struct THotKeyRecord {
    bool Use = false;
    bool Ctrl = false;
    bool Win = false;
    bool Alt = false;
    bool Shift = false;
    std::uint16_t VK = 0;  // virtual key; the file's integer keeps its low 16 bits

    bool operator==(const THotKeyRecord&) const = default;
};

// The global settings in Zanmel.ini of the program folder. Read once when constructed; the settings dialog
// changes the fields and calls SaveSetting. Other sections of the file ([BackUp]) are left as they are.
class TSetting {
public:
    // Reads programFolder\Zanmel.ini; a missing or unreadable file gives every default. Timed as the stage
    // "TSetting::TSetting". files must outlive this object.
    TSetting(TDebugTimer& timer, FileAccess& files, const std::string& programFolder);

    // Writes every field to Zanmel.ini, keeping the file's other contents; raises ZanmelError naming the file
    // when it cannot be read back or written (the old file then stays as it was).
    void SaveSetting();

    // The fields from / into a parsed profile file, in the file's key order.
    void ReadFrom(const ProfileFile& file);
    void WriteTo(ProfileFile& file) const;

    const std::string& IniPath() const { return iniPath_; }

    bool ForeCaseSensitive = false;
    bool PartialCaseSensitive = false;
    bool MinimatizeOnNoActive = false;
    bool GoTaskTray = false;
    std::string DefaultSkinName;  // "デフォルト" unless the file names another
    THotKeyRecord HotKeyZanmel;
    THotKeyRecord HotKeyPopup;
    std::int32_t MouseZanmel = 0;
    std::int32_t MousePopup = 0;
    std::uint8_t CornerZanmel = 0;  // bit i: screen position i calls up the window
    std::uint8_t CornerPopup = 0;
    bool NoMakePopupMenu = false;
    bool NoUseIcon = false;
    std::int32_t ImeMode = 0;   // 0 off, 1 on, 2 as it was left
    bool RomajiSearch = false;  // both search boxes also find kana keywords by romaji typing

private:
    FileAccess& files_;
    std::string iniPath_;
};

// The default skin name of a fresh program folder.
extern const char* const kDefaultSkinName;

}  // namespace zanmel
