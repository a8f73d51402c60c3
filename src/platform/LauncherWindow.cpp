#include "platform/LauncherWindow.h"

#include <string>

namespace zanmel::platform {

HWND FindLauncherWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            if (!GetPropW(hwnd, kInstanceProperty)) return TRUE;
            *reinterpret_cast<HWND*>(p) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool SendCopyData(HWND to, HWND from, std::uint32_t kind, std::string_view text, UINT timeoutMs, LRESULT* result) {
    std::string payload(text);
    payload.push_back('\0');
    COPYDATASTRUCT data{};
    data.dwData = kind;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = payload.data();
    DWORD_PTR answer = 0;
    const WPARAM sender = reinterpret_cast<WPARAM>(from);
    const LPARAM block = reinterpret_cast<LPARAM>(&data);
    bool sent = true;
    if (timeoutMs == 0) {
        answer = static_cast<DWORD_PTR>(SendMessageW(to, WM_COPYDATA, sender, block));
    } else {
        sent = SendMessageTimeoutW(to, WM_COPYDATA, sender, block, SMTO_NORMAL, timeoutMs, &answer) != 0;
    }
    if (result) *result = static_cast<LRESULT>(answer);
    return sent;
}

}  // namespace zanmel::platform
