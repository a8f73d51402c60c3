// ZanmelHook.dll: a low-level mouse hook on the launcher's thread that recognises the call-up gestures and
// screen positions and posts the launcher's messages to the window it was given.
#include <windows.h>

#include <optional>

#include "hook/HookProtocol.h"
#include "hook/HookRules.h"

namespace {

HINSTANCE module = nullptr;
HHOOK hook = nullptr;
HWND target = nullptr;
std::optional<zanmel::hook::GestureRecognizer> recognizer;

zanmel::hook::Modifiers HeldModifiers() {
    auto held = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    return {held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU)};
}

void Post(const zanmel::hook::Trigger& trigger) {
    using zanmel::hook::Target;
    if (trigger.target == Target::None || !target) return;
    const UINT message =
        trigger.target == Target::MainWindow ? zanmel::hook::kMessageMainWindow : zanmel::hook::kMessageLauncherMenu;
    PostMessageW(target, message, trigger.param, 0);
}

// True when the event is to be kept from the windows.
bool Handle(WPARAM message, const MSLLHOOKSTRUCT& event) {
    using zanmel::hook::Button;
    switch (message) {
        case WM_MOUSEMOVE: {
            const zanmel::hook::Rect screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                            GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
            Post(recognizer->OnMove({event.pt.x, event.pt.y}, event.time, screen));
            return false;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            const Button button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ? Button::Left : Button::Right;
            const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
            const auto result = recognizer->OnButton(button, down, HeldModifiers());
            Post(result.trigger);
            return result.swallow;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && recognizer && Handle(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam))) return 1;
    return CallNextHookEx(hook, code, wParam, lParam);
}

void Unhook() {
    if (hook && !UnhookWindowsHookEx(hook)) {
        const DWORD error = GetLastError();
        hook = nullptr;
        recognizer.reset();
        target = nullptr;
        SetLastError(error);
        return;
    }
    hook = nullptr;
    recognizer.reset();
    target = nullptr;
    SetLastError(ERROR_SUCCESS);
}

}  // namespace

extern "C" __declspec(dllexport) void ZanmelSetHook(HWND window, std::int32_t mouseZanmel, std::int32_t mousePopup,
                                                    std::uint8_t cornerZanmel, std::uint8_t cornerPopup) {
    Unhook();
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return;
    }
    target = window;
    recognizer.emplace(zanmel::hook::HookSettings{mouseZanmel, mousePopup, cornerZanmel, cornerPopup});
    // A low-level hook runs on the thread that sets it: the launcher's message loop calls MouseProc.
    hook = SetWindowsHookExW(WH_MOUSE_LL, &MouseProc, module, 0);
    if (!hook) {
        const DWORD error = GetLastError();
        recognizer.reset();
        target = nullptr;
        SetLastError(error ? error : ERROR_HOOK_NOT_INSTALLED);
        return;
    }
    SetLastError(ERROR_SUCCESS);
}

extern "C" __declspec(dllexport) void ZanmelFreeHook() {
    Unhook();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
