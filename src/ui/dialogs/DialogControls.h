#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zanmel::ui {

// A child control of a dialog window in the dialog's font; raises "component\r\n..." when it cannot be made.
// The control is visible unless the style leaves WS_VISIBLE out.
HWND AddControl(HWND parent, HFONT font, const char* component, const wchar_t* cls, std::string_view text, DWORD style,
                int x, int y, int width, int height, int id = 0, DWORD exStyle = 0);

// A control's text as CP932, and setting it.
std::string ControlText(HWND control);
void SetControlText(HWND control, std::string_view text);

bool IsChecked(HWND box);
void SetChecked(HWND box, bool checked);

// Shows a dialog centred over its owner window, inside the work area of the owner's monitor; centred on that
// monitor while the owner is minimised or hidden (in the tray).
void ShowOverOwner(HWND dialog);

// Sizes the window so that its client area is width by height.
void SetClientSize(HWND window, int width, int height);

// A list box's lines as CP932, and replacing them.
std::vector<std::string> ListBoxLines(HWND listBox);
void SetListBoxLines(HWND listBox, const std::vector<std::string>& lines);
// The selected line, or -1.
int ListBoxSelection(HWND listBox);

}  // namespace zanmel::ui
