#include "ui/dialogs/UnitDirView.h"

#include "core/ZanmelError.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"ZanmelDirView";
constexpr int kWidth = 440;
constexpr int kHeight = 110;
constexpr int kMargin = 12;
constexpr int kLineHeight = 20;

std::string TextOf(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return ToCp932(text);
}

HWND CreateLabel(HWND parent, int top, DWORD extraStyle) {
    HWND label =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle, kMargin, top,
                        kWidth - 3 * kMargin, kLineHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!label) throw ZanmelError("TFormDirView", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return label;
}

}  // namespace

TFormDirView::TFormDirView(HWND owner) {
    RegisterWindowClass(kClassName);
    Create(kClassName, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
           kHeight, owner);
    label1_ = CreateLabel(Handle(), kMargin, 0);
    // Long paths are shortened in the middle on screen; the text itself stays whole.
    label2_ = CreateLabel(Handle(), kMargin + kLineHeight + 4, SS_PATHELLIPSIS);
}

void TFormDirView::SetTitle(std::string_view text) {
    SetWindowTextW(Handle(), ToWide(text).c_str());
}
void TFormDirView::SetLabel1(std::string_view text) {
    SetWindowTextW(label1_, ToWide(text).c_str());
}
void TFormDirView::SetLabel2(std::string_view text) {
    SetWindowTextW(label2_, ToWide(text).c_str());
}
std::string TFormDirView::Title() const {
    return TextOf(Handle());
}
std::string TFormDirView::Label1Text() const {
    return TextOf(label1_);
}
std::string TFormDirView::Label2Text() const {
    return TextOf(label2_);
}

void TFormDirView::Show() {
    ShowOverOwner(Handle());
    UpdateWindow(Handle());
}

void TFormDirView::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool TFormDirView::IsShown() const {
    return Handle() != nullptr && IsWindowVisible(Handle()) != FALSE;
}

LRESULT TFormDirView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The window lives until exit: closing hides it, and the walk in progress sees that and stops.
        Hide();
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
