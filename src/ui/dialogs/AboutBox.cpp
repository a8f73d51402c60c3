#include "ui/dialogs/AboutBox.h"

#include <string>

namespace zanmel::ui {

TAboutBox::TAboutBox(std::string_view version)
    : DialogWindow({.className = L"ZanmelAboutBox",
                    .caption = "バージョン情報",
                    .clientWidth = 320,
                    .clientHeight = 172,
                    .owner = nullptr}) {
    const std::string versionText = "バージョン " + std::string(version);
    // clang-format off
    AddControls<TAboutBox>(*this, {
        {L"STATIC", "Zanmel", kLabel, {16, 16, 288, 20}, kAboutProductId},
        {L"STATIC", versionText.c_str(), kLabel, {16, 36, 288, 20}, kAboutVersionId},
        {L"STATIC", "キーワードでプログラムや文書、フォルダ、Webページを呼び出すランチャーです。"
                    "USBメモリに入れて持ち歩くこともできます。", kLabel, {16, 64, 288, 54}, kAboutDescriptionId},
        {L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {120, 130, 80, 26}, IDOK, 0, &TAboutBox::Close},
    });
    // clang-format on
}

void TAboutBox::ShowModal(HWND owner) {
    if (running_) return;
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    running_ = true;
    ShowOverOwner();
    SetFocus(Control(IDOK));

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

void ShowAboutBox(HWND owner, std::string_view version) {
    TAboutBox box(version);
    box.ShowModal(owner);
}

}  // namespace zanmel::ui
