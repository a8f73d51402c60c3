#include "ui/dialogs/DialogWindow.h"

#include <algorithm>
#include <utility>

#include "core/ZanmelError.h"
#include "platform/Dpi.h"
#include "platform/DropTarget.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"

namespace zanmel::ui {

namespace {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), length + 1))));
    return platform::ToCp932(text);
}

}  // namespace

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
    return AddControlIn(Handle(), cls, text, style, at, id, exStyle, hidden, std::move(onClick));
}

HWND DialogWindow::AddControlIn(HWND container, const wchar_t* cls, std::string_view text, DWORD style, LayoutRect at,
                                int id, DWORD exStyle, bool hidden, std::function<void()> onClick) {
    const LayoutRect scaled = ScaleToDpi(at, dpi_);
    HWND control =
        CreateWindowExW(exStyle, cls, platform::ToWide(text).c_str(), WS_CHILD | (hidden ? 0 : WS_VISIBLE) | style,
                        scaled.x, scaled.y, scaled.width, scaled.height, container,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) {
        throw ZanmelError(component_, "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    placed_.push_back({control, at, id});
    if (onClick) clicks_.emplace_back(id, std::move(onClick));
    if ((style & 0x0F) == BS_DEFPUSHBUTTON && std::wstring_view(cls) == L"BUTTON") defaultButton_ = id;
    return control;
}

HWND DialogWindow::Control(int id) const {
    if (HWND control = GetDlgItem(Handle(), id)) return control;
    const auto found = std::find_if(placed_.begin(), placed_.end(), [id](const Placed& p) { return p.id == id; });
    return found == placed_.end() ? nullptr : found->control;
}

std::string DialogWindow::Caption() const {
    return WindowText(Handle());
}

void DialogWindow::SetCaption(std::string_view text) {
    SetWindowTextW(Handle(), platform::ToWide(text).c_str());
}

std::string DialogWindow::Text(int id) const {
    return WindowText(Control(id));
}

void DialogWindow::SetText(int id, std::string_view text) {
    SetWindowTextW(Control(id), platform::ToWide(text).c_str());
}

bool DialogWindow::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogWindow::SetChecked(int id, bool on) {
    SendMessageW(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DialogWindow::AddEntries(int id, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        SendMessageW(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(entry).c_str()));
}

int DialogWindow::Selection(int id) const {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

void DialogWindow::Select(int id, int entry) {
    SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void DialogWindow::SelectEntry(int id, const std::vector<std::string>& entries, std::string_view text) {
    const auto found = std::find(entries.begin(), entries.end(), text);
    Select(id, found == entries.end() ? -1 : static_cast<int>(found - entries.begin()));
}

std::optional<std::string> DialogWindow::SelectedEntry(int id, const std::vector<std::string>& entries) const {
    const int index = Selection(id);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return std::nullopt;
    return entries[static_cast<std::size_t>(index)];
}

std::vector<std::string> DialogWindow::ListLines(int id) const {
    HWND list = Control(id);
    std::vector<std::string> lines;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        lines.push_back(platform::ToCp932(text));
    }
    return lines;
}

void DialogWindow::SetListLines(int id, const std::vector<std::string>& lines, int selected) {
    HWND list = Control(id);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::ToWide(line).c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    if (selected >= 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int DialogWindow::SelectedLine(int id) const {
    const LRESULT index = SendMessageW(Control(id), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void DialogWindow::DeleteSelectedLine(int id) {
    const int index = SelectedLine(id);
    if (index >= 0) SendMessageW(Control(id), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void DialogWindow::ShowOverOwner() {
    HWND owner = GetWindow(Handle(), GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT frame{};
    if (GetWindowRect(Handle(), &frame) &&
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        RECT over{};
        const bool ownerOnScreen = owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &over);
        const ScreenRect ownerRect{over.left, over.top, over.right, over.bottom};
        const ScreenPoint at = DialogPosition(ownerOnScreen ? &ownerRect : nullptr, frame.right - frame.left,
                                              frame.bottom - frame.top, {work.left, work.top, work.right, work.bottom});
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Handle(), SW_SHOWNORMAL);
}

void DialogWindow::OpenOverOwner(int focusId) {
    if (owner_) EnableWindow(owner_, FALSE);
    ShowOverOwner();
    SetForegroundWindow(Handle());
    if (HWND focus = Control(focusId)) SetFocus(focus);
}

void DialogWindow::HideToOwner(bool keepOwnerDisabled) {
    if (owner_ && !keepOwnerDisabled) EnableWindow(owner_, TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

std::string DialogWindow::StoreAndHide(const std::function<void()>& store, bool keepOwnerDisabled) {
    std::string failure;
    try {
        store();
    } catch (const ZanmelError& error) {
        failure = error.what();
    }
    HideToOwner(keepOwnerDisabled);
    return failure;
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
        case WM_DROPFILES: {
            if (!(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) break;
            const auto drop = reinterpret_cast<HDROP>(wParam);
            const platform::DropHandle release(drop);
            SetForegroundWindow(Handle());
            OnFilesDropped(platform::DroppedFiles(drop));
            return 0;
        }
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            OnDpiChanged();
            return 0;
        }
        default:
            break;
    }
    return OnMessage(message, wParam, lParam);
}

}  // namespace zanmel::ui
