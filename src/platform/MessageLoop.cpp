#include "platform/MessageLoop.h"

#include "platform/CallbackGuard.h"

namespace zanmel::platform {

namespace {

constexpr wchar_t kDialogNavigation[] = L"ZanmelDialogNavigation";

// Keyboard messages for a window that asked for dialog navigation go through the dialog manager first.
bool DialogNavigation(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && GetPropW(root, kDialogNavigation) && IsDialogMessageW(root, &msg);
}

void Dispatch(MSG& msg, const MessageFilter& filter) {
    // A filter that fails has abandoned the message: it is not dispatched as well.
    if (filter && GuardCallback(true, [&] { return filter(msg); })) return;
    if (DialogNavigation(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void EnableDialogNavigation(HWND dialog) {
    SetPropW(dialog, kDialogNavigation, reinterpret_cast<HANDLE>(1));
}

int RunMessageLoop(const MessageFilter& filter) {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        Dispatch(msg, filter);
    }
}

bool PumpPendingMessages(const MessageFilter& filter) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        Dispatch(msg, filter);
    }
    return true;
}

}  // namespace zanmel::platform
