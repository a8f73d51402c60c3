#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/TDebugTimer.h"
#include "core/UserInterface.h"
#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

// Control identifiers of the protocol test window, for tests that drive it.
enum DebugDirectControl : int {
    kDebugMemo1 = 100,
    kDebugButton1,
    kDebugButton2,
    kDebugMemo2,
};

// The protocol test window "FormDebugDirectZNXP": a request typed in Memo1 is sent to the running launcher
// (Button1) or to a desktop-mascot host by Direct SSTP (Button2); a reply sent back by copy-data is shown in
// Memo2. Created once at start-up, reached only from the hidden debug menu; the reference client of the
// protocol.
class TFormDebugDirectZNXS : public DialogWindow {
public:
    // Timed as "TFormDebug::TFormDebug".
    TFormDebugDirectZNXS(TDebugTimer& timer, UserInterface& ui, HWND owner = nullptr);

    // Shown without disabling the main window; closing only hides it.
    void Show();
    void Hide() override { ShowWindow(Handle(), SW_HIDE); }

    void Button1Click();
    void Button2Click();

protected:
    // A reply sent back by copy-data.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Memo1's text to the window as a copy-data message of that kind; the message when it was not processed.
    void SendRequest(HWND to, std::uint32_t kind);

    UserInterface& ui_;
};

}  // namespace zanmel::ui
