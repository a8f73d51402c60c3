#pragma once

#include <windows.h>

#include <functional>

namespace zanmel::platform {

// The application-wide filter: sees every queued message before it is translated and dispatched (hot keys,
// hook library messages, shell drops, mouse wheel). Returns true when it handled the message.
using MessageFilter = std::function<bool(MSG&)>;

// Gives a modeless dialog window the keyboard of a dialog box: Tab and Shift+Tab move between its controls,
// Enter presses the default (or focused) button, Esc sends IDCANCEL. Set once after the window is created.
void EnableDialogNavigation(HWND dialog);

// Runs the message loop until WM_QUIT and returns its exit code.
int RunMessageLoop(const MessageFilter& filter = {});

// Lets pending messages run (progress displays during long copies); returns false when WM_QUIT was seen, which
// is posted again so the main loop ends too.
bool PumpPendingMessages(const MessageFilter& filter = {});

}  // namespace zanmel::platform
