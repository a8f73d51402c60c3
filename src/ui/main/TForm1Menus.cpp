// The main menu MainMenu1 and the frame menu PopupMainMenu of the main window, and their commands.
#include <windows.h>

#include <utility>

#include "ZanmelVersion.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

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
    static constexpr std::pair<UINT, void (TForm1::*)()> kHandlers[] = {
        {ui::MenuFileExit, &TForm1::MenuFileExitClick},
        {ui::MenuTrayIconEnd, &TForm1::MenuTrayIconEndClick},
        {ui::MenuEntryLaunch, &TForm1::MenuEntryLaunchClick},
        {ui::MenuEntryWEB, &TForm1::MenuEntryWEBClick},
        {ui::MenuScanIE, &TForm1::MenuScanIEClick},
        {ui::MenuScanProgram, &TForm1::MenuScanProgramClick},
        {ui::MenuScanExe, &TForm1::MenuScanExeClick},
        {ui::MenuScanCustom, &TForm1::MenuScanCustomClick},
        {ui::MenuDebugDirectZNXS, &TForm1::MenuDebugDirectZNXSClick},
        {ui::MenuSetLaunch, &TForm1::MenuSetLaunchClick},
        {ui::MenuSetSFolder, &TForm1::MenuSetSFolderClick},
        {ui::MenuSetAll, &TForm1::MenuSetAllClick},
        {ui::MenuUsbAutorunInf, &TForm1::MenuUsbAutorunInfClick},
        {ui::MenuUsbBackUp, &TForm1::MenuUsbBackUpClick},
        {ui::MenuUsbSync, &TForm1::MenuUsbSyncClick},
        {ui::MenuHelpShow, &TForm1::MenuHelpShowClick},
        {ui::MenuVerShow, &TForm1::MenuVerShowClick},
    };
    const UINT main = ui::MainMenuCommandOf(command);
    for (const auto& [id, handler] : kHandlers) {
        if (id != main) continue;
        (this->*handler)();
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

void TForm1::MenuDebugDirectZNXSClick() {
    if (windows_.formDebug) windows_.formDebug->Show();
}

// The help page beside the executable, opened through the launch module like any document.
void TForm1::MenuHelpShowClick() {
    if (!life_.runRecord) return;
    TLaunchWordData2 record;
    record.path = ".\\index.html";
    life_.runRecord(record);
}

}  // namespace zanmel
