#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "core/CallUpRules.h"
#include "core/DialogPlacement.h"

namespace zanmel {

TEST(CallUpRules, HotKeyModifiersCombine) {
    THotKeyRecord key;
    EXPECT_EQ(HotKeyModifiers(key), 0u);
    key.Alt = true;
    EXPECT_EQ(HotKeyModifiers(key), 1u);
    key.Ctrl = key.Shift = key.Win = true;
    EXPECT_EQ(HotKeyModifiers(key), 15u);
    key.Alt = false;
    EXPECT_EQ(HotKeyModifiers(key), 14u);
}

TEST(CallUpRules, TheMainWindowIsCentredOnTheMouseAndKeptInsideTheScreens) {
    const ScreenRect screens{-1280, 0, 1920, 1080};
    EXPECT_EQ(CentredOnMouse({500, 400}, 301, 201, nullptr), (ScreenPoint{350, 300}));
    EXPECT_EQ(CentredOnMouse({500, 400}, 301, 201, &screens), (ScreenPoint{350, 300}));
    // Without the rectangle it may stand out; with it each edge is moved in.
    EXPECT_EQ(CentredOnMouse({-1270, 5}, 800, 600, nullptr), (ScreenPoint{-1670, -295}));
    EXPECT_EQ(CentredOnMouse({-1270, 5}, 800, 600, &screens), (ScreenPoint{-1280, 0}));
    EXPECT_EQ(CentredOnMouse({1919, 1079}, 800, 600, &screens), (ScreenPoint{1120, 480}));
    // Larger than the rectangle: the right and bottom edges come last and win.
    const ScreenRect small{0, 0, 640, 480};
    EXPECT_EQ(CentredOnMouse({320, 240}, 800, 600, &small), (ScreenPoint{-160, -120}));
}

TEST(CallUpRules, DialogsOpenOverTheirOwnerInsideTheWorkArea) {
    const ScreenRect work{1920, 0, 3840, 1040};  // a second monitor, taskbar at the bottom
    const ScreenRect owner{2000, 100, 2400, 500};
    EXPECT_EQ(DialogPosition(&owner, 201, 101, work), (ScreenPoint{2099, 249}));
    // The owner near an edge: the dialog moves in; without an owner on screen it is centred on the work area.
    const ScreenRect corner{3700, 950, 3900, 1100};
    EXPECT_EQ(DialogPosition(&corner, 400, 300, work), (ScreenPoint{3440, 740}));
    EXPECT_EQ(DialogPosition(nullptr, 400, 300, work), (ScreenPoint{2680, 370}));
    // Larger than the work area: the top-left corner stays inside.
    EXPECT_EQ(DialogPosition(&owner, 2000, 1200, work), (ScreenPoint{1920, 0}));
}

TEST(CallUpRules, LauncherMenuPosition) {
    EXPECT_EQ(LauncherMenuPosition({100, 80}, true), (ScreenPoint{100, 80}));
    EXPECT_EQ(LauncherMenuPosition({100, 80}, false), (ScreenPoint{50, 30}));
}

TEST(CallUpRules, TheHookIsNeededForAGestureOrAScreenPosition) {
    test::FakeFiles files;
    test::FakeClock clock;
    TDebugTimer timer(clock, files, "Debug.log");
    TSetting setting(timer, files, "C:\\Z");
    EXPECT_FALSE(HookInUse(setting));
    setting.MousePopup = 3;
    EXPECT_TRUE(HookInUse(setting));
    setting.MousePopup = 0;
    setting.CornerZanmel = 0x80;
    EXPECT_TRUE(HookInUse(setting));
}

}  // namespace zanmel
