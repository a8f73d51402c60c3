#pragma once

#include <windows.h>

namespace zanmel::platform {

// The DPI a window is laid out for: its monitor's under per-monitor awareness (Windows 10 1607 and later),
// else the system's.
UINT WindowDpi(HWND window);

// The window's frame for a client area of width x height at dpi, in its own style.
SIZE FrameSizeForClient(HWND window, int width, int height, UINT dpi);

// The system's message font as it is at dpi.
LOGFONTW MessageFontForDpi(UINT dpi);

}  // namespace zanmel::platform
