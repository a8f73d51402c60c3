#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "platform/AtomicFile.h"
#include "platform/CallbackGuard.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"
#include "ui/main/MainMenus.h"
#include "ui/main/ProgramWindows.h"

namespace zanmel {

using platform::ToCp932;

namespace {

// The caption as the control shows it: a lone '&' marks the mnemonic unless the control draws it as it is.
std::wstring ShownCaption(const std::wstring& text, bool noPrefix) {
    if (noPrefix) return text;
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// Room a control's own drawing takes beside its caption: the check box or radio circle, a push button's edges,
// a group box's frame.
struct Room {
    int width = 0;
    int height = 0;
};

bool TakesCaption(HWND control, const std::wstring& cls, Room& room, bool& noPrefix, bool& wraps) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            return false;
        noPrefix = (style & SS_NOPREFIX) != 0;
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        return true;
    }
    if (_wcsicmp(cls.c_str(), L"Button") != 0) return false;
    const DWORD type = style & BS_TYPEMASK;
    wraps = (style & BS_MULTILINE) != 0;
    switch (type) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            room = {6, 4};
            return true;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            room = {GetSystemMetrics(SM_CXMENUCHECK) + 4, 0};
            return true;
        case BS_GROUPBOX:
            room = {16, 0};
            return true;
        default:
            return false;
    }
}

// What the caption needs: its extent on one line, or its wrapped height where the control wraps and is tall
// enough for more than one line.
bool CaptionFits(HWND control, const std::wstring& caption, Room room, bool noPrefix, bool wraps) {
    RECT client;
    GetClientRect(control, &client);
    const int width = client.right - room.width;
    const int height = client.bottom - room.height;
    const platform::WindowDc dc(control);
    const platform::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    if (extent.cx <= width && extent.cy <= std::max(height, static_cast<int>(client.bottom))) return true;
    if (!wraps || height < 2 * extent.cy) return false;
    RECT wrapped{0, 0, width, 0};
    DrawTextW(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &wrapped,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (noPrefix ? DT_NOPREFIX : 0));
    return wrapped.right <= width && wrapped.bottom <= height;
}

std::vector<std::string> CaptionsThatDoNotFit(HWND window, const std::string& where) {
    std::vector<std::string> problems;
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls) {
        wchar_t cls[64] = {};
        GetClassNameW(control, cls, 64);
        Room room;
        bool noPrefix = false;
        bool wraps = false;
        if (!TakesCaption(control, cls, room, noPrefix, wraps)) continue;
        const int length = GetWindowTextLengthW(control);
        if (length <= 0) continue;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
        const std::wstring caption = ShownCaption(text, noPrefix);
        if (!CaptionFits(control, caption, room, noPrefix, wraps)) {
            RECT client;
            GetClientRect(control, &client);
            problems.push_back(where + ": \"" + ToCp932(text) + "\" in " + std::to_string(client.right) + "x" +
                               std::to_string(client.bottom));
        }
    }
    return problems;
}

std::vector<std::string> OpenOverOwnerProblems(HWND dialog, const std::string& where) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT frame{};
    RECT over{};
    GetWindowRect(dialog, &frame);
    GetWindowRect(owner, &over);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    std::vector<std::string> problems;
    // A dialog larger than the work area (192 DPI on a small screen) keeps its caption inside.
    const bool wider = frame.right - frame.left > work.right - work.left;
    const bool taller = frame.bottom - frame.top > work.bottom - work.top;
    if (frame.left < work.left || frame.top < work.top || (!wider && frame.right > work.right) ||
        (!taller && frame.bottom > work.bottom))
        problems.push_back(where + ": outside the work area");
    const int dx = (frame.left + frame.right) / 2 - (over.left + over.right) / 2;
    const int dy = (frame.top + frame.bottom) / 2 - (over.top + over.bottom) / 2;
    // Centred over the owner, unless the work area's edge pushed it aside.
    const bool pushed =
        frame.left == work.left || frame.top == work.top || frame.right == work.right || frame.bottom == work.bottom;
    if (!pushed && (std::abs(dx) > 1 || std::abs(dy) > 1)) problems.push_back(where + ": not centred over its owner");
    return problems;
}

// The visible window owned by owner other than those in before.
HWND ShownDialog(HWND owner) {
    struct Search {
        HWND owner;
        HWND found = nullptr;
    } search{owner};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowCaption(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return ToCp932(text);
}

// The program's windows as Zanmel.exe makes them, on a program folder with the shipped skins; what does not fit
// is written to the report, one line each. Exit code: the number of problems.
const test::ChildMode kLayoutAtDpi("layout-at-dpi", [](int argc, wchar_t** argv) {
    if (argc < 2) return 98;
    const UINT dpi = static_cast<UINT>(std::wcstoul(argv[0], nullptr, 10));
    std::vector<std::string> problems;
    {
        test::Program program({.launcher = true, .skins = true, .computerName = ""});
        platform::SetCallbackUserInterface(&program.ui);
        platform::TState& state = *program.state;
        skin::TSkinDriver& skins = *program.skins;
        TSpecialFolderModule specialFolders(*program.timer, state, program.keyWords, program.files, program.ui,
                                            program.shell);
        // The main window as a start in each skin makes it (a skin chosen later keeps the list width of the one
        // before); the dialogs with the first.
        const std::string computerFolder = state.DataRoot() + "\\" + state.ComputerName();
        CreateDirectoryW(platform::ToWide(state.DataRoot()).c_str(), nullptr);
        CreateDirectoryW(platform::ToWide(computerFolder).c_str(), nullptr);
        for (const std::string& skinName : std::vector<std::string>(skins.SkinNames)) {
            test::WritePlainFile(computerFolder + "\\setting.ini", "[MainForm]\r\nSkinName=" + skinName + "\r\n");
            ProgramWindows windows({*program.timer, state, *program.setting, program.keyWords, *program.launcher, skins,
                                    specialFolders, program.files, program.ui});
            TForm1& form = windows.Form();
            form.Show(SW_SHOWNORMAL);
            HWND main = form.Handle();
            if (platform::WindowDpi(main) != dpi)
                problems.push_back("main window laid out for " + std::to_string(platform::WindowDpi(main)) + " DPI");
            if (form.SkinName() != skinName) problems.push_back("skin " + skinName + " not chosen");
            for (std::string& problem : CaptionsThatDoNotFit(main, "main window, skin " + skinName))
                problems.push_back(std::move(problem));
            if (skinName != skins.SkinNames.front()) continue;

            // Every dialog's captions, pages and groups hidden or not; then each that a menu opens, opened.
            const TForm1::Windows& dialogs = windows.Dialogs();
            for (HWND dialog : {dialogs.dirView->Handle(), dialogs.form3->Handle(), dialogs.formZanmel->Handle(),
                                dialogs.formScan->Handle(), dialogs.formWEB->Handle(), dialogs.formDebug->Handle(),
                                dialogs.formSetting->Handle(), dialogs.form4->Handle(),
                                dialogs.formSpecialFolder->Handle(), dialogs.formAutorunInf->Handle(),
                                dialogs.formBackUp->Handle(), dialogs.formSync->Handle(), windows.FormExt().Handle()}) {
                for (std::string& problem : CaptionsThatDoNotFit(dialog, WindowCaption(dialog)))
                    problems.push_back(std::move(problem));
            }
            for (const UINT command :
                 {ui::MenuScanCustom, ui::MenuUsbAutorunInf, ui::MenuUsbBackUp, ui::MenuUsbSync, ui::MenuSetLaunch,
                  ui::MenuSetSFolder, ui::MenuSetAll, ui::MenuEntryLaunch, ui::MenuEntryWEB, ui::MenuDebugDirectZNXS}) {
                SendMessageW(main, WM_COMMAND, command, 0);
                HWND dialog = ShownDialog(main);
                if (!dialog) {
                    problems.push_back("menu command " + std::to_string(command) + " opened no dialog");
                    continue;
                }
                for (std::string& problem : OpenOverOwnerProblems(dialog, WindowCaption(dialog)))
                    problems.push_back(std::move(problem));
                SendMessageW(dialog, WM_CLOSE, 0, 0);
                if (IsWindowVisible(dialog)) problems.push_back(WindowCaption(dialog) + ": stays open when closed");
            }
        }
        platform::SetCallbackUserInterface(nullptr);
    }
    std::string report;
    for (const std::string& problem : problems) report += problem + "\n";
    test::WritePlainFile(ToCp932(argv[1]), report);
    return static_cast<int>(problems.size());
});

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The system DPI of the processes started after it is set (Wine reads it when a process starts).
void SetLogPixels(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
}

std::optional<DWORD> LogPixels() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// Every window of the program at 96, 144 and 192 DPI, each run in a process of its own started at that DPI: the
// main window in each shipped skin, every dialog and tab page. Each caption fits its control; each dialog
// opens over the main window inside the work area.
TEST(LayoutAtDpi, CaptionsFitAndDialogsOpenOverTheMainWindow) {
    const std::optional<DWORD> before = LogPixels();
    const platform::ScopeGuard restore([&] {
        if (before) {
            SetLogPixels(*before);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
        }
    });
    test::TempFolder folder;
    for (const DWORD dpi : {96, 144, 192}) {
        SetLogPixels(dpi);
        const std::string report = folder / ("report-" + std::to_string(dpi) + ".txt");
        HANDLE child =
            test::StartChild(L"layout-at-dpi", std::to_wstring(dpi) + L" \"" + platform::ToWide(report) + L"\"");
        ASSERT_NE(child, nullptr);
        ASSERT_EQ(WaitForSingleObject(child, 180000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(child, &code);
        CloseHandle(child);
        EXPECT_EQ(code, 0u) << dpi << " DPI:\n" << platform::ReadFileBytes(report).value_or("(no report)");
    }
}

}  // namespace
}  // namespace zanmel
