#include <gtest/gtest.h>

#include <windows.h>

#include "platform/TrayIcon.h"

namespace zanmel::platform {

TEST(TrayIcon, CallbackRestoresOnLeftButtonUpAndOpensTheMenuOnRightButtonUpOnly) {
    EXPECT_EQ(TrayIconActionOf(WM_LBUTTONUP), TrayIconAction::Restore);
    EXPECT_EQ(TrayIconActionOf(WM_RBUTTONUP), TrayIconAction::OpenMenu);
    for (const UINT other : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK,
                             WM_MBUTTONUP, WM_CONTEXTMENU})
        EXPECT_EQ(TrayIconActionOf(other), TrayIconAction::None) << other;
    // Only the low word is the mouse message; newer shells put the icon identifier in the high word.
    EXPECT_EQ(TrayIconActionOf(MAKELPARAM(WM_LBUTTONUP, 7)), TrayIconAction::Restore);
    EXPECT_EQ(TrayIconActionOf(MAKELPARAM(WM_MOUSEMOVE, WM_RBUTTONUP)), TrayIconAction::None);
}

TEST(TrayIcon, IconIsAddedAndRemovedOnceAndTheDestructorRemovesAShownIcon) {
    HWND window = CreateWindowExW(0, L"STATIC", L"tray", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ApplicationIcon());
    {
        TrayIcon icon(window, WM_APP + 5);
        EXPECT_EQ(icon.CallbackMessage(), UINT{WM_APP + 5});
        EXPECT_FALSE(icon.IsShown());
        EXPECT_FALSE(icon.Remove());  // nothing to remove
        ASSERT_TRUE(icon.Add(ApplicationIcon(), "Zanmel"));
        EXPECT_TRUE(icon.IsShown());
        EXPECT_TRUE(icon.Remove());
        EXPECT_FALSE(icon.IsShown());
        EXPECT_FALSE(icon.Remove());
        // Adding again after removal works, and a second Add replaces rather than fails.
        EXPECT_TRUE(icon.Add(ApplicationIcon(), "Zanmel キーワードランチャー"));
        EXPECT_TRUE(icon.Add(ApplicationIcon(), "Zanmel"));
    }
    // The destructor took the icon away: the shell no longer knows it.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 1;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &data));
    DestroyWindow(window);
    EXPECT_NE(TrayIcon::TaskbarCreatedMessage(), 0u);
}

}  // namespace zanmel::platform
