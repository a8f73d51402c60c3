#pragma once

#include <windows.h>

#include <string>

#include "core/FileAccess.h"
#include "core/TZanmelModule.h"
#include "platform/Handles.h"
#include "platform/TState.h"
#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

// Control identifiers of the autorun.inf writer, for tests that drive it.
enum AutorunInfControl : int {
    kAutorunLabel1 = 100,
    kAutorunLabel2,
    kAutorunLabel3,
    kAutorunLabel4,
    kAutorunBtnOK,
    kAutorunBtnCancel,
};

// The autorun.inf writer "autorun.infの作成": writes autorun.inf, Zanmel.bat and (with an UnplugDrive path)
// UnplugDrive.bat to the root of the program drive. Created once; shown without being modal while the main
// window is disabled, which it enables again when it hides.
class TFormAutorunInf : public DialogWindow {
public:
    struct Dependencies {
        HWND mainWindow;
        const platform::TState& state;
        // Its drive-ejection record names the UnplugDrive executable.
        const TZanmelModule& launcher;
        FileAccess& files;
        // The program's own executable; "" means the running one.
        std::string exePath = "";
    };
    explicit TFormAutorunInf(Dependencies deps);

    // FormShow: the warning lines are shown when no UnplugDrive path is set.
    void Show();

    // Writes the three files (a file that cannot be written raises, and the dialog stays open), then hides.
    void BtnOKClick();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The warning lines in a bold face of the dialog's font.
    void OnDpiChanged() override;

private:
    Dependencies deps_;
    platform::FontHandle boldFont_;
};

}  // namespace zanmel::ui
