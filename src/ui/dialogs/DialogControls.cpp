#include "ui/dialogs/DialogControls.h"

#include <algorithm>

#include "core/DialogPlacement.h"
#include "core/ZanmelError.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

HWND AddControl(HWND parent, HFONT font, const char* component, const wchar_t* cls, std::string_view text, DWORD style,
                int x, int y, int width, int height, int id, DWORD exStyle) {
    HWND child =
        CreateWindowExW(exStyle, cls, platform::ToWide(text).c_str(), WS_CHILD | style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!child) throw ZanmelError(component, "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    SendMessageW(child, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))), FALSE);
    return child;
}

void ShowOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT frame{};
    if (GetWindowRect(dialog, &frame) &&
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        RECT over{};
        const bool ownerOnScreen = owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &over);
        const ScreenRect ownerRect{over.left, over.top, over.right, over.bottom};
        const ScreenPoint at = DialogPosition(ownerOnScreen ? &ownerRect : nullptr, frame.right - frame.left,
                                              frame.bottom - frame.top, {work.left, work.top, work.right, work.bottom});
        SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
}

std::string ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
    return platform::ToCp932(text);
}

void SetControlText(HWND control, std::string_view text) {
    SetWindowTextW(control, platform::ToWide(text).c_str());
}

bool IsChecked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetClientSize(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<std::string> ListBoxLines(HWND listBox) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        lines.push_back(platform::ToCp932(text));
    }
    return lines;
}

void SetListBoxLines(HWND listBox, const std::vector<std::string>& lines) {
    SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines) {
        SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(line).c_str()));
    }
    SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
}

int ListBoxSelection(HWND listBox) {
    const LRESULT index = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

}  // namespace zanmel::ui
