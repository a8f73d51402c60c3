#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/DataLocations.h"
#include "core/FileAccess.h"
#include "core/IconCache.h"
#include "core/KeyWordList.h"
#include "core/LaunchRules.h"
#include "core/LaunchShell.h"
#include "core/LaunchWordData.h"
#include "core/TDebugTimer.h"
#include "core/SpecialFolderModule.h"
#include "core/UserInterface.h"

namespace zanmel {

// The launch module: registers, changes and deletes "Launch" and "WEB" items, keeps the extension list
// (ext.txt), and runs launch records through the shell or, for programs on the program's own drive, as tracked
// processes that it asks to close when the launcher shuts down.
class TZanmelModule {
public:
    static constexpr std::string_view kFolderOption = "tlDIR";
    static constexpr std::string_view kDefaultRecordText = ",,,,1,0";

    // Reads home sheet folder\setting.ini and, when it exists, home sheet folder\ext.txt; timed as
    // "TZanmelModule::TZanmelModule". Every reference must outlive this object.
    TZanmelModule(TDebugTimer& timer, const DataLocations& places, TKeyWordList& keywords, FileAccess& files,
                  UserInterface& ui, LaunchShell& shell, const Cp932Codec& codec);
    // Saves the settings; a failed write cannot be reported from here and is dropped.
    ~TZanmelModule();
    TZanmelModule(const TZanmelModule&) = delete;
    TZanmelModule& operator=(const TZanmelModule&) = delete;

    // The special folder module is built after this one; the dispatchers hand it its keywords.
    void SetSpecialFolderModule(TSpecialFolderModule* module) { specialFolders_ = module; }

    // Registration. Each shows its message and returns false on a duplicate or missing keyword; icon file
    // errors are raised.
    bool RegisterItem(std::string_view keyword, const TLaunchWordData2& record, bool save);
    bool ChangeItem(std::string_view oldKeyword, std::string_view newKeyword, const TLaunchWordData2& record);
    bool DeleteItem(std::string_view keyword, bool save);
    bool RegisterExt(std::string_view key, const TLaunchWordData2& record);
    bool ChangeExt(std::string_view oldKey, std::string_view newKey, const TLaunchWordData2& record);
    bool DeleteExt(std::string_view key);

    // Dispatchers by kind: learning first, then the launch or special folder module.
    void RunKeyWord(std::string_view keyword, std::string_view option);
    bool DeleteKeyWord(std::string_view keyword, bool save);
    // The keyword's record; option "tlDIR" opens the folder that holds the item. False only when the file to
    // start was missing.
    bool RunEntry(std::string_view keyword, std::string_view option);
    bool RunFile(std::string_view path);
    bool RunRecord(const TLaunchWordData2& record, bool folderMode, std::string_view label);
    // Asks the tracked programs to close (close help) and, when runEjectionTool is set, runs the drive-ejection
    // record in portable mode (not when Windows itself ends the session).
    bool CloseDown(bool runEjectionTool = true);

    // The twelve keys of [LaunchModule]; the file's other contents are kept on save.
    void LoadSetting(const std::string& path);
    void SaveSetting(const std::string& path);
    // Reloads the extension list from home sheet folder\ext.txt when it exists.
    void LoadExtList();

    std::int32_t TrackedCount() const { return trackedCount_; }
    const TrackedProcess& TrackedAt(std::int32_t index) const { return tracked_.at(static_cast<std::size_t>(index)); }

    bool FlgWebUse = false;
    bool FlgMaieUse = false;
    bool FlgUnplugUse = false;
    bool FlgOpenExplorer = false;
    bool FlgUseCloseHelp = false;
    std::string ScanDirIE;
    std::string ScanDirProgramScanDir;
    std::string ScanDirExe;
    std::string ScanDirCustom;
    TLaunchWordData2 MailData;
    TLaunchWordData2 WEBData;
    TLaunchWordData2 UnplagData;
    TKeyWordList ExtList;
    std::string VerbList = "open,explore,edit,properties,print";
    std::string ShowModeList =
        "SW_SHOWNORMAL,SW_HIDE,SW_MAXIMIZE,SW_MINIMIZE,SW_RESTORE,SW_SHOW,SW_SHOWDEFAULT,SW_SHOWMAXIMIZED,"
        "SW_SHOWMINIMIZED,SW_SHOWMINNOACTIVE,SW_SHOWNA,SW_SHOWNOACTIVATE";
    std::string CharSetList = "Shift-JIS,UTF-8,EUC-JP";

private:
    std::string SheetIconFolder() const { return places_.SheetFolder() + "\\icon"; }
    std::string HomeIconFolder() const { return places_.HomeSheetFolder() + "\\icon"; }
    std::string ExtPath() const { return places_.HomeSheetFolder() + "\\ext.txt"; }
    void SaveKeyWords();
    void SaveExtList();
    // A new icon file for path that replaces oldIcon: made first, so that a capture that fails leaves the old
    // file in place.
    std::int32_t ReplaceIconFile(const std::string& folder, std::int32_t oldIcon, const std::string& path);
    std::string Expand(const std::string& path);
    void Start(const TLaunchWordData2& record);

    const DataLocations& places_;
    TKeyWordList& keywords_;
    FileAccess& files_;
    UserInterface& ui_;
    LaunchShell& shell_;
    const Cp932Codec& codec_;
    IconCache icons_;
    TSpecialFolderModule* specialFolders_ = nullptr;
    std::array<TrackedProcess, kTrackedProcessLimit> tracked_{};
    std::int32_t trackedCount_ = 0;
};

// The message of a file to start that does not exist; the path follows it.
extern const char* const kLaunchFileMissing;

}  // namespace zanmel
