#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LauncherFixture.h"
#include "WinTestSupport.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"

namespace zanmel::test {

using platform::ToWide;

namespace {

// Zanmel.ini with the main window's hot key Ctrl+Alt+F11 and its gesture Ctrl + right click.
const char* const kCallUps = "[HotKeyZanmel]\r\nUse=1\r\nCtrl=1\r\nAlt=1\r\nVK=122\r\nMouse=1\r\n";

bool HotKeyFree() {
    if (!RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F11)) return false;
    UnregisterHotKey(nullptr, 1);
    return true;
}

std::wstring Caption(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

void SendCtrlRightClick() {
    INPUT in[4] = {};
    in[0].type = in[3].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    in[1].type = in[2].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(4, in, sizeof(INPUT));
}

class CallUpE2E : public LauncherFixture {};

}  // namespace

// The shipped hook library sees the gesture and the launcher comes back; the hot key is the launcher's while it
// runs, and the hook library's caption message passes its message loop.
TEST_F(CallUpE2E, HotKeyAndGestureCallTheLauncherUp) {
    WritePlainFile(program / "Zanmel.ini", kCallUps);
    HWND window = Start();
    ASSERT_TRUE(window);
    EXPECT_FALSE(FindMessageBox(GetProcessId(process.Get())));
    EXPECT_FALSE(HotKeyFree());

    PostMessageW(window, WM_APP + 2, 4321, 0);
    EXPECT_TRUE(WaitFor([&] { return Caption(window) == L"4321"; }, 5000));

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(window) != FALSE; }, 5000));
    // Wine may set the keyboard state back to the display's when a window of a fresh prefix gets the focus, so
    // the held Ctrl of one gesture can be lost: the gesture is made again then.
    SetCursorPos(400, 300);
    bool restored = false;
    for (int attempt = 0; attempt < 3 && !restored; ++attempt) {
        SendCtrlRightClick();
        restored = WaitFor([&] { return !IsIconic(window); }, 2000);
    }
    EXPECT_TRUE(restored);

    Close(window);
    EXPECT_TRUE(HotKeyFree());
}

// Without ZanmelHook.dll the start tells so and goes on.
TEST_F(CallUpE2E, MissingHookLibraryIsToldAndTheLauncherStarts) {
    WritePlainFile(program / "Zanmel.ini", kCallUps);
    ASSERT_TRUE(DeleteFileW(ToWide(program / "ZanmelHook.dll").c_str()));
    process.Reset(StartLauncher());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(GetProcessId(process.Get()))) != nullptr; }));
    EXPECT_EQ(StaticTextOf(box), program / "ZanmelHook.dll" + "がみつかりません\r\nDLLがロードできません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        window = platform::FindLauncherWindow();
        return window && IsWindowVisible(window);
    }));
    Close(window);
}

}  // namespace zanmel::test
