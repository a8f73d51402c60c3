#pragma once

namespace zanmel {

// Screen or client coordinates of a frameless window's frame strips.
struct FramePoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const FramePoint&, const FramePoint&) = default;
};

// A rectangle given by its edges, as the skin's close rectangle is.
struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// True when the point lies inside the rectangle and on none of its edges. A click on the edge of the close
// rectangle does not close the window.
constexpr bool IsStrictlyInside(const FrameRect& rect, const FramePoint& point) noexcept {
    return point.x > rect.left && point.x < rect.right && point.y > rect.top && point.y < rect.bottom;
}

// Dragging a frameless window by a frame strip: the mouse position relative to the window's top-left corner
// is taken when the drag starts and kept under the mouse while it moves.
class FrameDrag {
public:
    // windowTopLeft and mouse in screen coordinates.
    constexpr void Start(const FramePoint& windowTopLeft, const FramePoint& mouse) noexcept {
        grab_ = {mouse.x - windowTopLeft.x, mouse.y - windowTopLeft.y};
    }
    // Where the window's top-left corner goes for this mouse position (screen coordinates).
    constexpr FramePoint WindowPositionFor(const FramePoint& mouse) const noexcept {
        return {mouse.x - grab_.x, mouse.y - grab_.y};
    }
    constexpr FramePoint Grab() const noexcept { return grab_; }

private:
    FramePoint grab_;
};

}  // namespace zanmel
