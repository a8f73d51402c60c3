// The scan menu entries of the main menu and the frame menu: each opens the item scanner in its mode.
#include "core/ScanRules.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

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

void TForm1::MenuScanIEClick() {
    OpenScan(kScanFavorites);
}
void TForm1::MenuScanProgramClick() {
    OpenScan(kScanPrograms);
}
void TForm1::MenuScanExeClick() {
    OpenScan(kScanExe);
}
void TForm1::MenuScanCustomClick() {
    OpenScan(kScanCustom);
}

}  // namespace zanmel
