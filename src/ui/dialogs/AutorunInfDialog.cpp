#include "ui/dialogs/AutorunInfDialog.h"

#include "core/AutorunRules.h"
#include "platform/Win32FileAccess.h"

namespace zanmel::ui {

TFormAutorunInf::TFormAutorunInf(Dependencies deps)
    : DialogWindow({L"TFormAutorunInf", "autorun.infの作成", 380, 150, deps.mainWindow}), deps_(std::move(deps)) {
    using F = TFormAutorunInf;
    // clang-format off
    AddControls<F>(*this, {
        {L"STATIC", "『autorun.inf』、『Zanmel.bat』、『UnplugDrive.bat』を", kLabel, {16, 16, 348, 18}, kAutorunLabel1},
        {L"STATIC", "USBメモリのルートに作成します。", kLabel, {16, 34, 348, 18}, kAutorunLabel2},
        // The warning lines: shown by Show() when no UnplugDrive path is set.
        {L"STATIC", "※UnplugDriveが設定されていません", kLabel, {16, 62, 348, 18}, kAutorunLabel3, 0, nullptr, true},
        {L"STATIC", "UnplugDriveの併用を強く推奨します。", kLabel, {16, 80, 348, 18}, kAutorunLabel4, 0, nullptr, true},
        {L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {196, 112, 80, 26}, kAutorunBtnOK, 0, &F::BtnOKClick},
        {L"BUTTON", "Cancel", kButton, {284, 112, 80, 26}, kAutorunBtnCancel, 0, &F::Hide},
    });
    // clang-format on
    OnDpiChanged();
}

void TFormAutorunInf::OnDpiChanged() {
    LOGFONTW bold{};
    GetObjectW(Font(), sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    boldFont_.Reset(CreateFontIndirectW(&bold));
    for (const int id : {kAutorunLabel3, kAutorunLabel4}) {
        SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_ ? boldFont_.Get() : Font()), TRUE);
    }
}

void TFormAutorunInf::Show() {
    const bool warn = deps_.launcher.UnplagData.path.empty();
    for (const int id : {kAutorunLabel3, kAutorunLabel4}) ShowWindow(Control(id), warn ? SW_SHOWNA : SW_HIDE);
    OpenOverOwner(kAutorunBtnOK);
}

void TFormAutorunInf::BtnOKClick() {
    const std::string& drive = deps_.state.ProgramDrive();
    const std::string exe =
        DriveRelativePath(drive, deps_.exePath.empty() ? platform::RunningExecutablePath() : deps_.exePath);
    const std::string& unplug = deps_.launcher.UnplagData.path;
    const std::string unplugPath = unplug.empty() ? "" : DriveRelativePath(drive, deps_.state.AbsolutePath(unplug));
    const AutorunFiles files = MakeAutorunFiles(exe, unplugPath);
    // Each file is replaced whole; one that cannot be written stops here with the files before it written.
    deps_.files.WriteFile(drive + "\\autorun.inf", files.autorunInf);
    deps_.files.WriteFile(drive + "\\Zanmel.bat", files.zanmelBat);
    if (files.unplugDriveBat) deps_.files.WriteFile(drive + "\\UnplugDrive.bat", *files.unplugDriveBat);
    Hide();
}

LRESULT TFormAutorunInf::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The warning lines in red.
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLORSTATIC && (control == Control(kAutorunLabel3) || control == Control(kAutorunLabel4))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
