#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace zanmel::platform {

// The window property that marks the running launcher's main window.
constexpr wchar_t kInstanceProperty[] = L"Zanmel";

// The first top-level window that carries the instance property, or nullptr.
HWND FindLauncherWindow();

// Sends text plus a NUL as a copy-data message of the given kind, waiting until the receiver has processed it
// (at most timeoutMs; 0 waits without limit). Returns the receiver's result, or nothing when the send failed.
bool SendCopyData(HWND to, HWND from, std::uint32_t kind, std::string_view text, UINT timeoutMs,
                  LRESULT* result = nullptr);

}  // namespace zanmel::platform
