#pragma once

#include <windows.h>

namespace zanmel::platform {

// Window procedures placed in front of a control's own, with the calling convention of the common controls'
// SetWindowSubclass: the procedure installed last runs first and passes a message on with CallNextSubclass.
// The chain lives in this module, not in window properties: under Wine every property look-up is a round trip
// to the server, which made each message to a subclassed tree view cost about 0.1 ms. UI thread only. A
// window's chain ends with WM_NCDESTROY.
using SubclassProc = LRESULT(CALLBACK*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);

// Installs proc for (proc, id), or replaces its data when it is installed already. False when hwnd is no
// window.
bool InstallSubclass(HWND hwnd, SubclassProc proc, UINT_PTR id, DWORD_PTR data);
// Removes (proc, id); also while the chain runs. The window gets its own procedure back when none is left.
void RemoveSubclass(HWND hwnd, SubclassProc proc, UINT_PTR id);
// Passes the message to the next procedure down the chain, the window's own last.
LRESULT CallNextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zanmel::platform
