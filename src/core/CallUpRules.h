#pragma once

#include <cstdint>

#include "core/TSetting.h"

// How the launcher is called up from anywhere on the screen: hot key modifiers, whether the hook library is
// needed, where the main window and the launcher menu appear, and the screens' extent.
namespace zanmel {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The modifier flags of a hot key for the system: Alt 1, Ctrl 2, Shift 4, Win 8.
unsigned HotKeyModifiers(const THotKeyRecord& key);

// The hook library is needed when a mouse gesture or a screen position is set for either call-up.
bool HookInUse(const TSetting& setting);

// The top-left corner of a window of width x height centred on the mouse (integer halves). With keepInside,
// the window is then moved into the rectangle: its left, top, right and bottom edge in this order, so a window
// larger than the rectangle keeps its right and bottom edges inside.
ScreenPoint CentredOnMouse(ScreenPoint mouse, int width, int height, const ScreenRect* keepInside);

// Where the launcher menu opens: its corner at the mouse, or 50 pixels left of and above it.
ScreenPoint LauncherMenuPosition(ScreenPoint mouse, bool atMouse);

}  // namespace zanmel
