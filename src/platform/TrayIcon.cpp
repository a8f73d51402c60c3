#include "platform/TrayIcon.h"

#include <cwchar>
#include <string>

#include "platform/TextCodec.h"

namespace zanmel::platform {

TrayIconAction TrayIconActionOf(LPARAM lParam) noexcept {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            return TrayIconAction::Restore;
        case WM_RBUTTONUP:
            return TrayIconAction::OpenMenu;
        default:
            return TrayIconAction::None;
    }
}

HICON ApplicationIcon() noexcept {
    if (auto icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED)))
        return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const noexcept {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = id_;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    wcsncpy(data.szTip, tip_, std::size(data.szTip) - 1);
    return data;
}

bool TrayIcon::Add(HICON icon, std::string_view tip) {
    if (shown_) Remove();
    icon_ = icon;
    const std::wstring wide = ToWide(tip);
    wcsncpy(tip_, wide.c_str(), std::size(tip_) - 1);
    return AddAgain();
}

bool TrayIcon::AddAgain() {
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return shown_;
}

bool TrayIcon::Remove() noexcept {
    if (!shown_) return false;
    NOTIFYICONDATAW data = Data(0);
    shown_ = false;
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

UINT TrayIcon::TaskbarCreatedMessage() noexcept {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIconAction TrayIcon::HandleCallback(LPARAM lParam, HMENU menu) const {
    const TrayIconAction action = TrayIconActionOf(lParam);
    if (action == TrayIconAction::OpenMenu && menu) {
        POINT at{};
        GetCursorPos(&at);
        // Without the foreground the menu would not close when the user clicks elsewhere.
        SetForegroundWindow(window_);
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window_, nullptr);
        PostMessageW(window_, WM_NULL, 0, 0);
    }
    return action;
}

}  // namespace zanmel::platform
