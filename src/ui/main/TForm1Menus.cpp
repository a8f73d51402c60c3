// The main menu MainMenu1 and the frame menu PopupMainMenu of the main window, and their commands.
#include <windows.h>

#include "ZanmelVersion.h"
#include "ui/dialogs/UnitAboutBox.h"
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
    switch (ui::MainMenuCommandOf(command)) {
        case ui::MenuFileExit:
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
            return true;
        case ui::MenuTrayIconEnd:
            MenuTrayIconEndClick();
            return true;
        case ui::MenuEntryLaunch:
            MenuEntryLaunchClick();
            return true;
        case ui::MenuScanIE:
            MenuScanIEClick();
            return true;
        case ui::MenuScanProgram:
            MenuScanProgramClick();
            return true;
        case ui::MenuScanExe:
            MenuScanExeClick();
            return true;
        case ui::MenuScanCustom:
            MenuScanCustomClick();
            return true;
        case ui::MenuEntryWEB:
            MenuEntryWEBClick();
            return true;
        case ui::MenuDebugDirectZNXS:
            MenuDebugDirectZNXSClick();
            return true;
        case ui::MenuSetLaunch:
            MenuSetLaunchClick();
            return true;
        case ui::MenuSetSFolder:
            MenuSetSFolderClick();
            return true;
        case ui::MenuSetAll:
            MenuSetAllClick();
            return true;
        case ui::MenuUsbAutorunInf:
            MenuUsbAutorunInfClick();
            return true;
        case ui::MenuUsbBackUp:
            MenuUsbBackUpClick();
            return true;
        case ui::MenuUsbSync:
            MenuUsbSyncClick();
            return true;
        case ui::MenuHelpShow:
            MenuHelpShowClick();
            return true;
        case ui::MenuVerShow:
            ui::ShowAboutBox(Handle(), ZANMEL_VERSION_TEXT);
            return true;
        default:
            return false;
    }
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
