#include "ui/dialogs/UnitAboutBox.h"

#include "core/ZanmelError.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

namespace {

constexpr wchar_t kClassName[] = L"ZanmelAboutBox";
constexpr int kClientWidth = 320;
constexpr int kMargin = 16;
constexpr int kLineHeight = 20;
constexpr int kDescriptionHeight = 3 * 18;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

HWND CreateChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int width,
                 int height, int id, HFONT font) {
    HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!child) throw ZanmelError("TAboutBox", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

TAboutBox::TAboutBox(std::string_view version) : font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const int clientHeight = kMargin + 2 * kLineHeight + 8 + kDescriptionHeight + 12 + kButtonHeight + kMargin;
    RECT frame{0, 0, kClientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    Create(kClassName, L"バージョン情報", style, WS_EX_DLGMODALFRAME, CW_USEDEFAULT, CW_USEDEFAULT,
           frame.right - frame.left, frame.bottom - frame.top);

    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int width = kClientWidth - 2 * kMargin;
    int y = kMargin;
    CreateChild(Handle(), L"STATIC", L"Zanmel", SS_LEFT | SS_NOPREFIX, kMargin, y, width, kLineHeight, kAboutProductId,
                font);
    y += kLineHeight;
    CreateChild(Handle(), L"STATIC", L"バージョン " + platform::ToWide(version), SS_LEFT | SS_NOPREFIX, kMargin, y,
                width, kLineHeight, kAboutVersionId, font);
    y += kLineHeight + 8;
    CreateChild(Handle(), L"STATIC",
                L"キーワードでプログラムや文書、フォルダ、Webページを呼び出すランチャーです。"
                L"USBメモリに入れて持ち歩くこともできます。",
                SS_LEFT | SS_NOPREFIX, kMargin, y, width, kDescriptionHeight, kAboutDescriptionId, font);
    y += kDescriptionHeight + 12;
    CreateChild(Handle(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, (kClientWidth - kButtonWidth) / 2, y,
                kButtonWidth, kButtonHeight, IDOK, font);
}

bool TAboutBox::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TAboutBox::ShowModal(HWND owner) {
    if (running_) return;
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    running_ = true;
    ShowOverOwner(Handle());
    SetFocus(GetDlgItem(Handle(), IDOK));

    bool quit = false;
    WPARAM quitCode = 0;
    MSG msg;
    while (running_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quitCode = msg.wParam;
            break;
        }
        // Enter and Escape reach the box as IDOK and IDCANCEL.
        if (IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    running_ = false;
    // The owner comes back before the box hides, so the activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    if (owner) SetActiveWindow(owner);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

void TAboutBox::Close() {
    running_ = false;
    // Wakes the loop of ShowModal when the close came from outside its own messages.
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                Close();
                return 0;
            }
            break;
        case WM_CLOSE:
            // The box lives until exit: closing only ends the modal run.
            Close();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void ShowAboutBox(HWND owner, std::string_view version) {
    TAboutBox box(version);
    box.ShowModal(owner);
}

}  // namespace zanmel::ui
