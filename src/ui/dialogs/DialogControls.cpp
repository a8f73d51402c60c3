#include "ui/dialogs/DialogControls.h"

#include <algorithm>

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

}  // namespace zanmel::ui
