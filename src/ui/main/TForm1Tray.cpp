// The notification-area icon of the main window, minimising to it, and what the window does when the
// application is activated, deactivated or restored.
#include <windows.h>

#include "ui/dialogs/DirViewWindow.h"
#include "ui/main/TForm1.h"

namespace zanmel {

// With GoTaskTray the program lives in the notification area: the icon is shown, and a hidden owner window keeps
// the main window off the taskbar.
void TForm1::CreateTrayIcon() {
    if (!deps_.setting.GoTaskTray) return;
    taskbarOwner_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Zanmel", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    if (taskbarOwner_) SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(taskbarOwner_.Get()));
    trayIcon1_ = std::make_unique<platform::TrayIcon>(Handle(), kTrayMessage);
    trayIcon1_->Add(platform::ApplicationIcon(), "Zanmel");
}

void TForm1::MenuTrayIconEndClick() {
    if (DirViewShown()) {
        deps_.ui.ShowMessage("[" + windows_.dirView->Title() + "]終了できません");
        return;
    }
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::RestoreFromTray() {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (IsWindowEnabled(Handle())) SetFocus(edit1_);
}

bool TForm1::DirViewShown() const {
    return windows_.dirView && windows_.dirView->IsShown();
}

// Messages of the window's state; true when handled.
bool TForm1::HandleWindowState(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool tray = TrayIconShown();
    if (message == kTrayMessage && trayIcon1_) {
        if (trayIcon1_->HandleCallback(lParam, menus_->PopupTrayIconMenu()) == platform::TrayIconAction::Restore) {
            RestoreFromTray();
        }
        return true;
    }
    if (message == platform::TrayIcon::TaskbarCreatedMessage() && trayIcon1_) {
        trayIcon1_->AddAgain();
        return true;
    }
    if (message == WM_ACTIVATEAPP) {
        const bool enabled = IsWindowEnabled(Handle()) != FALSE;
        if (wParam) {
            if (enabled && !deps_.setting.GoTaskTray) SetFocus(edit1_);
        } else if (deps_.setting.MinimatizeOnNoActive && (enabled || DirViewShown()) && !IsIconic(Handle())) {
            ShowWindow(Handle(), SW_MINIMIZE);
            if (tray) ShowWindow(Handle(), SW_HIDE);
        }
        return false;  // the default handling still runs
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && tray) {
        // Minimised with the icon shown, the program is only the icon.
        ShowWindow(Handle(), SW_MINIMIZE);
        ShowWindow(Handle(), SW_HIDE);
        return true;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE && IsIconic(Handle()) && tray) {
        RestoreFromTray();
        return true;
    }
    return false;
}

}  // namespace zanmel
