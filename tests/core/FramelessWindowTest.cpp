#include <gtest/gtest.h>

#include "core/FramelessWindow.h"

namespace zanmel {

TEST(FramelessWindow, OnlyPointsOffEveryEdgeAreInsideTheCloseRectangle) {
    const FrameRect close{100, 5, 120, 25};
    EXPECT_TRUE(IsStrictlyInside(close, {101, 6}));
    EXPECT_TRUE(IsStrictlyInside(close, {119, 24}));
    EXPECT_TRUE(IsStrictlyInside(close, {110, 15}));
    // Each edge, and each corner, is outside.
    EXPECT_FALSE(IsStrictlyInside(close, {100, 15}));
    EXPECT_FALSE(IsStrictlyInside(close, {120, 15}));
    EXPECT_FALSE(IsStrictlyInside(close, {110, 5}));
    EXPECT_FALSE(IsStrictlyInside(close, {110, 25}));
    EXPECT_FALSE(IsStrictlyInside(close, {100, 5}));
    EXPECT_FALSE(IsStrictlyInside(close, {120, 25}));
    EXPECT_FALSE(IsStrictlyInside(close, {99, 15}));
    EXPECT_FALSE(IsStrictlyInside(close, {110, 26}));
}

TEST(FramelessWindow, EmptyOrReversedCloseRectangleHoldsNoPoint) {
    // A skin without a close area leaves the rectangle at zero; a click at the window's corner must not close.
    EXPECT_FALSE(IsStrictlyInside({}, {0, 0}));
    EXPECT_FALSE(IsStrictlyInside({10, 10, 11, 11}, {10, 10}));
    EXPECT_FALSE(IsStrictlyInside({120, 25, 100, 5}, {110, 15}));
}

TEST(FramelessWindow, DragKeepsTheGrabbedPointUnderTheMouse) {
    FrameDrag drag;
    drag.Start({200, 150}, {230, 160});
    EXPECT_EQ(drag.Grab(), (FramePoint{30, 10}));
    EXPECT_EQ(drag.WindowPositionFor({230, 160}), (FramePoint{200, 150}));  // no move yet
    EXPECT_EQ(drag.WindowPositionFor({330, 100}), (FramePoint{300, 90}));
    // Onto a monitor left of and above the primary one.
    EXPECT_EQ(drag.WindowPositionFor({-5, -40}), (FramePoint{-35, -50}));

    // A new drag forgets the old grab, also for a window partly off screen.
    drag.Start({-100, -20}, {5, 3});
    EXPECT_EQ(drag.Grab(), (FramePoint{105, 23}));
    EXPECT_EQ(drag.WindowPositionFor({105, 23}), (FramePoint{0, 0}));
}

}  // namespace zanmel
