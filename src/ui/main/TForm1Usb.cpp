// The "USB(&U)" menu entries: the autorun.inf writer, backup and sync, and what the main window does after a
// sync run.
#include <algorithm>

#include "core/NameCompare.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

// Each dialog disables this window when it is shown and enables it again when it hides.
void TForm1::MenuUsbAutorunInfClick() {
    if (windows_.formAutorunInf) windows_.formAutorunInf->Show();
}

void TForm1::MenuUsbBackUpClick() {
    if (windows_.formBackUp) windows_.formBackUp->Show();
}

void TForm1::MenuUsbSyncClick() {
    if (windows_.formSync) windows_.formSync->Show();
}

void TForm1::SheetsSynced(const std::vector<std::string>& destinations) {
    menus_->SetSheetNames(deps_.state.SheetList());
    AttachMenuDrawing();  // the sheet entries are new: the skin draws them as it draws the rest
    const bool copiedIntoSheet = std::any_of(destinations.begin(), destinations.end(), [&](const std::string& folder) {
        return SameName(folder, SheetFolder());
    });
    if (copiedIntoSheet) LoadSheet();
}

}  // namespace zanmel
