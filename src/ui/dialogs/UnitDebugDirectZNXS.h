#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/TDebugTimer.h"
#include "core/UserInterface.h"
#include "platform/Handles.h"
#include "platform/Window.h"

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
class TFormDebugDirectZNXS : public platform::Window {
public:
    // Timed as "TFormDebug::TFormDebug".
    TFormDebugDirectZNXS(TDebugTimer& timer, UserInterface& ui, HWND owner = nullptr);

    // Shown without disabling the main window; closing only hides it.
    void Show();
    void Hide();
    bool IsShown() const;

    void Button1Click();
    void Button2Click();

    HWND Control(DebugDirectControl id) const { return GetDlgItem(Handle(), id); }
    std::string Text(DebugDirectControl id) const;
    void SetText(DebugDirectControl id, std::string_view text);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    // Memo1's text to the window as a copy-data message of that kind; the message when it was not processed.
    void SendRequest(HWND to, std::uint32_t kind);

    UserInterface& ui_;
    platform::FontHandle font_;
};

}  // namespace zanmel::ui
