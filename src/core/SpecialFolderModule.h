#pragma once
// TSpecialFolderModule: keywords that open the shell's special folders (My Computer, Recycle Bin, ...).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DataLocations.h"
#include "core/FileAccess.h"
#include "core/KeyWordList.h"
#include "core/LaunchShell.h"
#include "core/TDebugTimer.h"
#include "core/UserInterface.h"

namespace zanmel {

// Keywords of kind "SpecialFolder": their data is a CSIDL value, opened through the shell's item identifier
// so that virtual folders without a file-system path (recycle bin, control panel) open too.
class TSpecialFolderModule {
public:
    static constexpr std::string_view kKind = "SpecialFolder";

    // Reads home sheet folder\setting.ini, timed as "TSpecialFolderModule::TSpecialFolderModule". Every
    // reference must outlive this object.
    TSpecialFolderModule(TDebugTimer& timer, const DataLocations& places, TKeyWordList& keywords, FileAccess& files,
                         UserInterface& ui, LaunchShell& shell);
    // Saves the settings; a failed write cannot be reported from here and is dropped.
    ~TSpecialFolderModule();
    TSpecialFolderModule(const TSpecialFolderModule&) = delete;
    TSpecialFolderModule& operator=(const TSpecialFolderModule&) = delete;

    // Each shows its message and returns false on a duplicate or missing keyword; save writes keyword.txt of
    // the current sheet.
    bool RegisterSpecialFolder(std::string_view keyword, std::int32_t csidl, bool save);
    bool ChangeSpecialFolder(std::string_view oldKeyword, std::string_view newKeyword, std::int32_t csidl, bool save);
    bool DeleteSpecialFolder(std::string_view keyword, bool save);
    // Opens the keyword's folder with "explore" or "open" by FlgOpenExplorer. A missing keyword raises the
    // index error; data that is not a decimal integer raises "TSpecialFolderModule\r\n...".
    bool Run(std::string_view keyword);

    // [SpecialFolderModule] FlgOpenExplorer of a setting.ini; the file's other contents are kept on save.
    void LoadSetting(const std::string& path);
    void SaveSetting(const std::string& path);

    // Writes the keyword index to keyword.txt of the current sheet (the dialog does so once after a batch of
    // unsaved changes).
    void SaveKeyWords();

    bool FlgOpenExplorer = false;

private:
    const DataLocations& places_;
    TKeyWordList& keywords_;
    FileAccess& files_;
    UserInterface& ui_;
    LaunchShell& shell_;
};

// The three messages of registration, shared with the launch module.
extern const char* const kKeyWordAlreadyRegistered;
extern const char* const kOldKeyWordMissing;
extern const char* const kKeyWordMissing;

}  // namespace zanmel
