#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace zanmel::platform {

// What a notification-area icon's callback message asks for.
enum class TrayIconAction {
    None,
    Restore,   // left button released on the icon
    OpenMenu,  // right button released on the icon
};

// Decodes the lParam of the callback message (the mouse message in its low word).
TrayIconAction TrayIconActionOf(LPARAM lParam) noexcept;

// The application's icon: icon resource 1 of the executable, or the system's application icon when the
// executable has none. Shared; never destroyed.
HICON ApplicationIcon() noexcept;

// The icon in the notification area, reporting mouse actions on it as callbackMessage to window. Shown by
// Add, taken away by Remove or the destructor.
class TrayIcon {
public:
    TrayIcon(HWND window, UINT callbackMessage, UINT id = 1) noexcept
        : window_(window), callbackMessage_(callbackMessage), id_(id) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows the icon with the tip text (CP932). False when the shell refuses (no notification area).
    bool Add(HICON icon, std::string_view tip);
    bool Remove() noexcept;
    bool IsShown() const noexcept { return shown_; }

    // After the shell restarts it knows no icons: on this registered message, a shown icon is added again by
    // AddAgain with the same icon and tip.
    static UINT TaskbarCreatedMessage() noexcept;
    bool AddAgain();

    UINT CallbackMessage() const noexcept { return callbackMessage_; }

    // Handles the callback message: OpenMenu shows the menu at the mouse, its choice arriving at the window as
    // WM_COMMAND; Restore is left to the caller. Returns the action.
    TrayIconAction HandleCallback(LPARAM lParam, HMENU menu) const;

private:
    NOTIFYICONDATAW Data(UINT flags) const noexcept;

    HWND window_;
    UINT callbackMessage_;
    UINT id_;
    HICON icon_ = nullptr;
    wchar_t tip_[128] = {};
    bool shown_ = false;
};

}  // namespace zanmel::platform
