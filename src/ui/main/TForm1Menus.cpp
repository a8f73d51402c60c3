// The main menu MainMenu1 and the frame menu PopupMainMenu of the main window, and their commands.
#include <windows.h>

#include <algorithm>

#include "ZanmelVersion.h"
#include "core/NameCompare.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

void TForm1::CreateMenus() {
    menus_ = std::make_unique<ui::MainMenus>();
    menus_->ShowMenuBar(Handle(), true);
    menus_->SetSheetNames(deps_.state.SheetList());
    menus_->SetSkinNames(life_.skins ? life_.skins->SkinNames : std::vector<std::string>{});
    menus_->SetVisible(ui::MenuUsb, deps_.state.PortableMode());
    menus_->SetVisible(ui::MenuDebug, false);
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
    return ui::RunMenuCommand(command, *this);
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
