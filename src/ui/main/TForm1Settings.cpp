// The menu entries of the settings dialogs.
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

void TForm1::MenuSetAllClick() {
    // Showing disables this window; hiding enables it again.
    if (windows_.formSetting) windows_.formSetting->Show();
}

void TForm1::MenuSetLaunchClick() {
    if (windows_.form4) windows_.form4->Show();
}

void TForm1::MenuSetSFolderClick() {
    if (windows_.formSpecialFolder) windows_.formSpecialFolder->Show();
}

}  // namespace zanmel
