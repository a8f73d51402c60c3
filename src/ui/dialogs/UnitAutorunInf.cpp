#include "ui/dialogs/UnitAutorunInf.h"

#include "core/AutorunRules.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "platform/Win32FileAccess.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

namespace {

constexpr wchar_t kClassName[] = L"TFormAutorunInf";
constexpr char kComponent[] = "TFormAutorunInf";
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 150;
constexpr int kMargin = 16;
constexpr int kLineHeight = 18;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

}  // namespace

TFormAutorunInf::TFormAutorunInf(Dependencies deps) : deps_(std::move(deps)), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, platform::ToWide("autorun.infの作成"), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
           CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, kClientHeight, deps_.mainWindow);
    platform::EnableDialogNavigation(Handle());
    SetClientSize(Handle(), kClientWidth, kClientHeight);

    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW bold{};
    GetObjectW(font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    boldFont_.Reset(CreateFontIndirectW(&bold));
    HFONT warning = boldFont_ ? boldFont_.Get() : font;

    const auto add = [&](HFONT face, const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int w, int h,
                         int id) {
        AddControl(Handle(), face, kComponent, cls, text, WS_VISIBLE | style, x, y, w, h, id);
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const int width = kClientWidth - 2 * kMargin;
    int y = kMargin;
    add(font, L"STATIC", "『autorun.inf』、『Zanmel.bat』、『UnplugDrive.bat』を", label, kMargin, y, width,
        kLineHeight, kAutorunLabel1);
    y += kLineHeight;
    add(font, L"STATIC", "USBメモリのルートに作成します。", label, kMargin, y, width, kLineHeight, kAutorunLabel2);
    y += kLineHeight + 10;
    add(warning, L"STATIC", "※UnplugDriveが設定されていません", label, kMargin, y, width, kLineHeight, kAutorunLabel3);
    y += kLineHeight;
    add(warning, L"STATIC", "UnplugDriveの併用を強く推奨します。", label, kMargin, y, width, kLineHeight,
        kAutorunLabel4);
    y = kClientHeight - kMargin - kButtonHeight + 4;
    const int right = kClientWidth - kMargin;
    add(font, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, right - 2 * kButtonWidth - 8, y, kButtonWidth,
        kButtonHeight, kAutorunBtnOK);
    add(font, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, right - kButtonWidth, y, kButtonWidth, kButtonHeight,
        kAutorunBtnCancel);
}

bool TFormAutorunInf::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TFormAutorunInf::Show() {
    const bool warn = deps_.launcher.UnplagData.path.empty();
    ShowWindow(Control(kAutorunLabel3), warn ? SW_SHOWNA : SW_HIDE);
    ShowWindow(Control(kAutorunLabel4), warn ? SW_SHOWNA : SW_HIDE);
    EnableWindow(deps_.mainWindow, FALSE);
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kAutorunBtnOK));
}

void TFormAutorunInf::Hide() {
    // The main window comes back before this one hides, so the activation returns to it.
    EnableWindow(deps_.mainWindow, TRUE);
    ShowWindow(Handle(), SW_HIDE);
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

LRESULT TFormAutorunInf::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kAutorunBtnOK:
                case IDOK:
                    BtnOKClick();
                    return 0;
                case kAutorunBtnCancel:
                case IDCANCEL:
                    BtnCancelClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            // The warning lines in red.
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (control == Control(kAutorunLabel3) || control == Control(kAutorunLabel4)) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(255, 0, 0));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        }
        case WM_CLOSE:
            // The dialog lives until exit: closing is Cancel.
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
