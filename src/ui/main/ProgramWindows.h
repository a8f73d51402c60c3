#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/FileAccess.h"
#include "core/KeyWordList.h"
#include "core/SpecialFolderModule.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/TZanmelModule.h"
#include "core/UserInterface.h"
#include "platform/TState.h"
#include "skin/TSkinDriver.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/dialogs/DirViewWindow.h"
#include "ui/dialogs/ExtDialog.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/dialogs/WebItemDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

// The program-wide objects the windows work with.
struct ProgramParts {
    TDebugTimer& timer;
    platform::TState& state;
    TSetting& setting;
    TKeyWordList& keyWords;
    TZanmelModule& launcher;
    skin::TSkinDriver& skins;
    TSpecialFolderModule& specialFolders;
    FileAccess& files;
    UserInterface& ui;
    // Called with the main window as soon as it is there, before anything is shown (message box owner).
    std::function<void(HWND mainWindow)> mainWindowMade = {};
    // Called first when Windows ends the session: from then on nothing may be shown to the user.
    std::function<void()> sessionEnding = {};
};

// The windows of a running program: the main window first (its FormCreate run at once: geometry, skin, the start
// auto-run), then the dialogs in their order, each created once and hidden until used, each construction a stage
// of Debug.log. They go in the reverse order, the main window last.
class ProgramWindows {
public:
    explicit ProgramWindows(ProgramParts parts);
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TForm1& Form() { return *form_; }
    // Every dialog, in the order of construction.
    const TForm1::Windows& Dialogs() const { return windows_; }
    ui::TFormExt& FormExt() { return *formExt_; }

private:
    template <class Window, class... Arguments>
    std::unique_ptr<Window> Make(const char* stage, Arguments&&... arguments);

    // Declared in the order of construction, so that they go in the reverse.
    ProgramParts parts_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<ui::TForm3> form3_;
    std::unique_ptr<ui::TForm4> form4_;
    std::unique_ptr<ui::TFormZanmel> formZanmel_;
    std::unique_ptr<ui::TFormExt> formExt_;
    std::unique_ptr<ui::TFormWEB> formWEB_;
    std::unique_ptr<ui::TFormSetting> formSetting_;
    std::unique_ptr<ui::TFormDebugDirectZNXS> formDebug_;
    std::unique_ptr<ui::TFormScan> formScan_;
    std::unique_ptr<ui::TFormDirView> dirView_;
    std::unique_ptr<ui::TFormAutorunInf> formAutorunInf_;
    std::unique_ptr<ui::TFormBackUp> formBackUp_;
    std::unique_ptr<ui::TFormSync> formSync_;
    std::unique_ptr<ui::TFormSpecialFolder> formSpecialFolder_;
    TForm1::Windows windows_;
};

}  // namespace zanmel
