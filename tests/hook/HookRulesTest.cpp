#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "hook/HookProtocol.h"
#include "hook/HookRules.h"

namespace zanmel::hook {

namespace {

constexpr Rect kScreen{0, 0, 800, 600};
const Trigger kMain{Target::MainWindow, 0};

// Moves along a circle of radius 40 around (400, 300), 20 ms per step of 10 degrees, from start degrees on;
// returns the first trigger.
Trigger Circle(GestureRecognizer& r, double turns, bool clockwise, std::uint32_t& time, double start = 0) {
    const int steps = static_cast<int>(turns * 36);
    for (int i = 0; i <= steps; ++i) {
        const double a = (start + (clockwise ? i : -i) * 10.0) * std::numbers::pi / 180;
        const Point p{400 + static_cast<int>(std::lround(40 * std::cos(a))),
                      300 + static_cast<int>(std::lround(40 * std::sin(a)))};
        time += 20;
        const Trigger t = r.OnMove(p, time, kScreen);
        if (t.target != Target::None) return t;
    }
    return {};
}

}  // namespace

TEST(HookRules, ClickGesturesNeedExactlyTheirModifiersAndSwallowPressAndRelease) {
    GestureRecognizer r({kCtrlRightClick, kShiftAltLeftClick, 0, 0});
    const Modifiers ctrl{true, false, false};
    const Modifiers ctrlShift{true, true, false};
    const Modifiers shiftAlt{false, true, true};

    auto press = r.OnButton(Button::Right, true, ctrl);
    EXPECT_EQ(press.trigger, kMain);
    EXPECT_TRUE(press.swallow);
    // The release is swallowed even when Ctrl was let go first; the next release is not.
    EXPECT_TRUE(r.OnButton(Button::Right, false, {}).swallow);
    EXPECT_FALSE(r.OnButton(Button::Right, false, {}).swallow);

    // Ctrl+Shift+right is not Ctrl+right; plain clicks pass through.
    press = r.OnButton(Button::Right, true, ctrlShift);
    EXPECT_EQ(press.trigger.target, Target::None);
    EXPECT_FALSE(press.swallow);
    EXPECT_FALSE(r.OnButton(Button::Left, true, {}).swallow);

    // The launcher menu's click opens at the click.
    press = r.OnButton(Button::Left, true, shiftAlt);
    EXPECT_EQ(press.trigger, (Trigger{Target::LauncherMenu, kMenuAtMouse}));
    EXPECT_TRUE(r.OnButton(Button::Left, false, shiftAlt).swallow);

    // The same gesture for both: the main window wins.
    GestureRecognizer both({kCtrlShiftLeftClick, kCtrlShiftLeftClick, 0, 0});
    EXPECT_EQ(both.OnButton(Button::Left, true, ctrlShift).trigger, kMain);
    // Ctrl+Alt and Ctrl+Shift left clicks are told apart.
    GestureRecognizer alt({kCtrlAltLeftClick, 0, 0, 0});
    EXPECT_EQ(alt.OnButton(Button::Left, true, ctrlShift).trigger.target, Target::None);
    EXPECT_EQ(alt.OnButton(Button::Left, true, {true, false, true}).trigger, kMain);
}

TEST(HookRules, ScreenPositionsOfTheEdgesAndCorners) {
    EXPECT_EQ(PositionOf({0, 599}, kScreen), kBottomLeft);
    EXPECT_EQ(PositionOf({7, 599}, kScreen), kBottomLeft);
    EXPECT_EQ(PositionOf({8, 599}, kScreen), kBottom);
    EXPECT_EQ(PositionOf({0, 592}, kScreen), kBottomLeft);
    EXPECT_EQ(PositionOf({0, 591}, kScreen), kLeft);
    EXPECT_EQ(PositionOf({799, 599}, kScreen), kBottomRight);
    EXPECT_EQ(PositionOf({799, 300}, kScreen), kRight);
    EXPECT_EQ(PositionOf({0, 0}, kScreen), kTopLeft);
    EXPECT_EQ(PositionOf({400, 0}, kScreen), kTop);
    EXPECT_EQ(PositionOf({795, 0}, kScreen), kTopRight);
    EXPECT_EQ(PositionOf({1, 1}, kScreen), 0);
    // A screen left of the primary one.
    EXPECT_EQ(PositionOf({-1280, 500}, Rect{-1280, 0, 800, 600}), kLeft);
}

TEST(HookRules, AScreenPositionTriggersOnceOnArrival) {
    GestureRecognizer r({0, 0, kTopLeft | kBottom, kTopRight | kTopLeft});
    std::uint32_t time = 0;
    EXPECT_EQ(r.OnMove({5, 5}, time += 100, kScreen).target, Target::None);
    EXPECT_EQ(r.OnMove({0, 0}, time += 100, kScreen), kMain);                // both set it: the main window wins
    EXPECT_EQ(r.OnMove({0, 3}, time += 100, kScreen).target, Target::None);  // still in the corner
    EXPECT_EQ(r.OnMove({300, 599}, time += 100, kScreen), kMain);            // straight on to the bottom edge
    EXPECT_EQ(r.OnMove({300, 598}, time += 100, kScreen).target, Target::None);
    EXPECT_EQ(r.OnMove({799, 0}, time += 100, kScreen), (Trigger{Target::LauncherMenu, kMenuAtMouse}));
    EXPECT_EQ(r.OnMove({0, 300}, time += 100, kScreen).target, Target::None);  // the left edge is not set
    // Back after leaving: again.
    EXPECT_EQ(r.OnMove({400, 300}, time += 100, kScreen).target, Target::None);
    EXPECT_EQ(r.OnMove({0, 0}, time += 100, kScreen), kMain);
}

TEST(HookRules, CirclingTwiceInItsDirectionTriggers) {
    std::uint32_t time = 0;
    GestureRecognizer clockwise({kCircleClockwise, kCircleCounterClockwise, 0, 0});
    // On the screen (y down) increasing angles run clockwise.
    EXPECT_EQ(Circle(clockwise, 1.5, true, time).target, Target::None);
    time += 1000;  // a pause starts the count again
    EXPECT_EQ(Circle(clockwise, 1.5, true, time).target, Target::None);
    time += 1000;
    EXPECT_EQ(Circle(clockwise, 2.2, true, time), kMain);
    time += 1000;
    // The launcher menu opens 50 pixels up and left of the mouse.
    EXPECT_EQ(Circle(clockwise, 2.2, false, time), (Trigger{Target::LauncherMenu, 0}));

    // Only the gesture that is set.
    GestureRecognizer counter({kCircleCounterClockwise, 0, 0, 0});
    time += 1000;
    EXPECT_EQ(Circle(counter, 3, true, time).target, Target::None);
}

TEST(HookRules, ZigzagsAndStraightLinesAreNoCircle) {
    GestureRecognizer r({kCircleClockwise, kCircleCounterClockwise, 0, 0});
    std::uint32_t time = 0;
    for (int i = 0; i < 200; ++i) {
        const Point p{i % 2 ? 300 : 340, 300 + (i % 4 < 2 ? 0 : 1)};
        EXPECT_EQ(r.OnMove(p, time += 20, kScreen).target, Target::None) << i;
    }
    for (int i = 0; i < 200; ++i) EXPECT_EQ(r.OnMove({100 + 3 * i, 200}, time += 20, kScreen).target, Target::None);
}

}  // namespace zanmel::hook
