#include "ui/dialogs/DialogWindow.h"

#include <algorithm>
#include <utility>

#include "core/ZanmelError.h"
#include "platform/Dpi.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

DialogWindow::DialogWindow(const Frame& frame)
    : component_(platform::ToCp932(frame.className)),
      owner_(frame.owner),
      clientWidth_(frame.clientWidth),
      clientHeight_(frame.clientHeight),
      dpi_(platform::WindowDpi(frame.owner)) {
    RegisterWindowClass(frame.className);
    Create(frame.className, platform::ToWide(frame.caption), frame.style, frame.exStyle, CW_USEDEFAULT, CW_USEDEFAULT,
           Scale(frame.clientWidth), Scale(frame.clientHeight), frame.owner);
    platform::EnableDialogNavigation(Handle());
    ApplyDpi(platform::WindowDpi(Handle()));
}

HFONT DialogWindow::Font() const {
    return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND DialogWindow::AddControl(const wchar_t* cls, std::string_view text, DWORD style, LayoutRect at, int id,
                              DWORD exStyle, bool hidden, std::function<void()> onClick) {
    const LayoutRect scaled = ScaleToDpi(at, dpi_);
    HWND control =
        CreateWindowExW(exStyle, cls, platform::ToWide(text).c_str(), WS_CHILD | (hidden ? 0 : WS_VISIBLE) | style,
                        scaled.x, scaled.y, scaled.width, scaled.height, Handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) {
        throw ZanmelError(component_, "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    placed_.push_back({control, at});
    if (onClick) clicks_.emplace_back(id, std::move(onClick));
    if ((style & 0x0F) == BS_DEFPUSHBUTTON && std::wstring_view(cls) == L"BUTTON") defaultButton_ = id;
    return control;
}

std::string DialogWindow::Text(int id) const {
    return ControlText(Control(id));
}

void DialogWindow::SetText(int id, std::string_view text) {
    SetControlText(Control(id), text);
}

bool DialogWindow::Checked(int id) const {
    return IsChecked(Control(id));
}

void DialogWindow::SetChecked(int id, bool on) {
    ui::SetChecked(Control(id), on);
}

void DialogWindow::OpenOverOwner(int focusId) {
    if (owner_) EnableWindow(owner_, FALSE);
    ui::ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    if (HWND focus = Control(focusId)) SetFocus(focus);
}

void DialogWindow::HideToOwner(bool keepOwnerDisabled) {
    if (owner_ && !keepOwnerDisabled) EnableWindow(owner_, TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void DialogWindow::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    const SIZE frame = platform::FrameSizeForClient(Handle(), Scale(width), Scale(height), dpi_);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::MoveControl(int id, LayoutRect at) {
    HWND control = Control(id);
    for (Placed& placed : placed_) {
        if (placed.control == control) placed.at = at;
    }
    const LayoutRect scaled = ScaleToDpi(at, dpi_);
    SetWindowPos(control, nullptr, scaled.x, scaled.y, scaled.width, scaled.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LayoutRect DialogWindow::PlaceOf(int id) const {
    HWND control = Control(id);
    const auto found =
        std::find_if(placed_.begin(), placed_.end(), [control](const Placed& p) { return p.control == control; });
    return found == placed_.end() ? LayoutRect{} : found->at;
}

std::vector<HWND> DialogWindow::Controls() const {
    std::vector<HWND> controls;
    for (const Placed& placed : placed_) controls.push_back(placed.control);
    return controls;
}

void DialogWindow::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    font_ = platform::CreateUiFont(dpi);
    for (const Placed& placed : placed_) {
        const LayoutRect scaled = ScaleToDpi(placed.at, dpi);
        SetWindowPos(placed.control, nullptr, scaled.x, scaled.y, scaled.width, scaled.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    }
    SetClientSize(clientWidth_, clientHeight_);
}

bool DialogWindow::Click(int id) {
    const auto found = std::find_if(clicks_.begin(), clicks_.end(), [id](const auto& c) { return c.first == id; });
    if (found == clicks_.end()) return false;
    // The handler may replace the table's entries (none do today); a copy keeps the call safe.
    const std::function<void()> handler = found->second;
    handler();
    return true;
}

LRESULT DialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == IDCANCEL && !Click(IDCANCEL)) {
                if (IsShown()) Close();
                return 0;
            }
            if (LOWORD(wParam) == IDOK && defaultButton_ && Click(defaultButton_)) return 0;
            if (Click(LOWORD(wParam))) return 0;
            break;
        case WM_CLOSE:
            // The dialog lives until exit: closing follows its close rule, and a hidden dialog has nothing to close.
            if (IsShown()) Close();
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        default:
            break;
    }
    return OnMessage(message, wParam, lParam);
}

}  // namespace zanmel::ui
