// The main menu MainMenu1 and the frame menu PopupMainMenu of the main window, and their commands.
#include <windows.h>

#include <algorithm>
#include <utility>

#include "ZanmelVersion.h"
#include "core/NameCompare.h"
#include "core/ScanRules.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

void ShowIfThere(auto* window) {
    if (window) window->Show();
}

}  // namespace

void TForm1::CreateMenus() {
    menus_ = std::make_unique<ui::MainMenus>();
    menus_->ShowMenuBar(Handle(), true);
    menus_->SetSheetNames(deps_.state.SheetList());
    menus_->SetSkinNames(life_.skins ? life_.skins->SkinNames : std::vector<std::string>{});
    menus_->SetUsbVisible(deps_.state.PortableMode());
    menus_->SetDebugVisible(false);
}

// A command of either menu; false when it is none of theirs.
bool TForm1::MainMenuCommand(UINT command) {
    if (const auto choice = ui::ListChoiceOf(command)) {
        if (choice->list == ui::MenuList::Sheet) {
            ChangeSheet(choice->index);
        } else {
            ChooseSkin(choice->index);
        }
        return true;
    }
    // Each command of the menu table and what it does; a frame menu command does what its main menu twin does.
    // A window the program may not have is shown when it is there; all but the protocol test window disable
    // this one while they are shown.
    using Handler = void (*)(TForm1&);
    static constexpr std::pair<UINT, Handler> kHandlers[] = {
        {ui::MenuFileExit, [](TForm1& f) { f.MenuFileExitClick(); }},
        {ui::MenuTrayIconEnd, [](TForm1& f) { f.MenuTrayIconEndClick(); }},
        {ui::MenuEntryLaunch, [](TForm1& f) { f.MenuEntryLaunchClick(); }},
        {ui::MenuEntryWEB, [](TForm1& f) { f.MenuEntryWEBClick(); }},
        {ui::MenuScanIE, [](TForm1& f) { f.OpenScan(kScanFavorites); }},
        {ui::MenuScanProgram, [](TForm1& f) { f.OpenScan(kScanPrograms); }},
        {ui::MenuScanExe, [](TForm1& f) { f.OpenScan(kScanExe); }},
        {ui::MenuScanCustom, [](TForm1& f) { f.OpenScan(kScanCustom); }},
        {ui::MenuDebugDirectZNXS, [](TForm1& f) { ShowIfThere(f.windows_.formDebug); }},
        {ui::MenuSetLaunch, [](TForm1& f) { ShowIfThere(f.windows_.form4); }},
        {ui::MenuSetSFolder, [](TForm1& f) { ShowIfThere(f.windows_.formSpecialFolder); }},
        {ui::MenuSetAll, [](TForm1& f) { ShowIfThere(f.windows_.formSetting); }},
        {ui::MenuUsbAutorunInf, [](TForm1& f) { ShowIfThere(f.windows_.formAutorunInf); }},
        {ui::MenuUsbBackUp, [](TForm1& f) { ShowIfThere(f.windows_.formBackUp); }},
        {ui::MenuUsbSync, [](TForm1& f) { ShowIfThere(f.windows_.formSync); }},
        {ui::MenuHelpShow, [](TForm1& f) { f.MenuHelpShowClick(); }},
        {ui::MenuVerShow, [](TForm1& f) { f.MenuVerShowClick(); }},
    };
    const UINT main = ui::MainMenuCommandOf(command);
    for (const auto& [id, handler] : kHandlers) {
        if (id != main) continue;
        handler(*this);
        return true;
    }
    return false;
}

void TForm1::MenuFileExitClick() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::MenuVerShowClick() {
    ui::ShowAboutBox(Handle(), ZANMEL_VERSION_TEXT);
}

// The help page beside the executable, opened through the launch module like any document.
void TForm1::MenuHelpShowClick() {
    if (!life_.runRecord) return;
    TLaunchWordData2 record;
    record.path = ".\\index.html";
    life_.runRecord(record);
}

void TForm1::EnableScanMenus(bool enabled) {
    for (const UINT entry :
         {ui::MenuScanIE, ui::MenuScanProgram, ui::MenuScanExe, ui::MenuScanCustom, ui::PoppupMainMenuScanIE,
          ui::PopupMainMenuScanProgram, ui::PopupMainMenuScanExe, ui::PopupMainMenuScanCustom})
        menus_->SetEnabled(entry, enabled);
}

void TForm1::OpenScan(std::uint8_t mode) {
    if (!windows_.formScan) return;
    windows_.formScan->SetScanMode(mode);
    // Showing disables this window.
    windows_.formScan->Show();
}

// After a sync run.
void TForm1::SheetsSynced(const std::vector<std::string>& destinations) {
    menus_->SetSheetNames(deps_.state.SheetList());
    AttachMenuDrawing();  // the sheet entries are new: the skin draws them as it draws the rest
    const bool copiedIntoSheet = std::any_of(destinations.begin(), destinations.end(), [&](const std::string& folder) {
        return SameName(folder, SheetFolder());
    });
    if (copiedIntoSheet) LoadSheet();
}

}  // namespace zanmel
