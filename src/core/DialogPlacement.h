#pragma once

#include "core/CallUpRules.h"

namespace zanmel {

// The top-left corner of a dialog of width x height as it opens: centred over its owner's rectangle, or over
// the work area when the owner is not on screen (minimised, hidden in the tray, none), then moved into the work
// area. A dialog larger than the work area keeps its top-left corner inside, so its caption stays reachable.
ScreenPoint DialogPosition(const ScreenRect* owner, int width, int height, const ScreenRect& workArea);

// The screen density layouts are written for; a window on a denser screen scales its own layout.
constexpr unsigned kBaseDpi = 96;

// A length of the program's layout at 96 DPI, for a screen of dpi, rounded to the nearest pixel.
constexpr int ScaleToDpi(int pixels, unsigned dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>((scaled >= 0 ? scaled + kBaseDpi / 2 : scaled - kBaseDpi / 2) / kBaseDpi);
}

// A control's place in a window's client area: left, top, width and height in 96-DPI pixels.
struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LayoutRect&) const = default;
};

constexpr LayoutRect ScaleToDpi(const LayoutRect& at, unsigned dpi) {
    return {ScaleToDpi(at.x, dpi), ScaleToDpi(at.y, dpi), ScaleToDpi(at.width, dpi), ScaleToDpi(at.height, dpi)};
}

}  // namespace zanmel
