#pragma once

#include <windows.h>

#include <string>
#include <string_view>

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

}  // namespace zanmel::ui
