// ZanmelHook.dll: a low-level mouse hook that recognises the call-up gestures and screen positions and posts the
// launcher's messages to the window it was given.
#include <windows.h>

#include <optional>

#include "hook/HookProtocol.h"
#include "hook/HookRules.h"

namespace {

// The hook runs on a thread of its own, so the mouse never waits for the launcher's busy window thread.
HINSTANCE module = nullptr;
HANDLE thread = nullptr;
DWORD threadId = 0;
HHOOK hook = nullptr;                                       // of the hook thread
HWND target = nullptr;                                      // set before the thread starts, read by it
std::optional<zanmel::hook::GestureRecognizer> recognizer;  // used by the hook thread only

zanmel::hook::Modifiers HeldModifiers() {
    auto held = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    return {held(VK_CONTROL), held(VK_SHIFT), held(VK_MENU)};
}

void Post(const zanmel::hook::Trigger& trigger) {
    using zanmel::hook::Target;
    if (trigger.target == Target::None) return;
    const UINT message =
        trigger.target == Target::MainWindow ? zanmel::hook::kMessageMainWindow : zanmel::hook::kMessageLauncherMenu;
    PostMessageW(target, message, trigger.param, 0);
}

// True when the event is to be kept from the windows.
bool Handle(WPARAM message, const MSLLHOOKSTRUCT& event) {
    using zanmel::hook::Button;
    switch (message) {
        case WM_MOUSEMOVE: {
            const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
            const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
            const zanmel::hook::Rect screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
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

struct Start {
    zanmel::hook::HookSettings settings;
    HANDLE ready = nullptr;
    DWORD error = ERROR_SUCCESS;
};

// Sets the hook, says whether it is set, then runs the thread's messages (the system calls the hook through
// them) until WM_QUIT.
DWORD WINAPI HookThread(LPVOID parameter) {
    auto& start = *static_cast<Start*>(parameter);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, before anyone posts to it
    recognizer.emplace(start.settings);
    hook = SetWindowsHookExW(WH_MOUSE_LL, &MouseProc, module, 0);
    if (!hook) start.error = GetLastError() ? GetLastError() : ERROR_HOOK_NOT_INSTALLED;
    const bool hooked = hook != nullptr;
    SetEvent(start.ready);  // start is gone after this
    if (!hooked) {
        recognizer.reset();
        return 1;
    }
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    hook = nullptr;
    recognizer.reset();
    return 0;
}

// Ends the hook thread and waits for it: afterwards nothing is posted any more.
void Stop() {
    if (thread) {
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    thread = nullptr;
    threadId = 0;
    target = nullptr;
}

}  // namespace

extern "C" __declspec(dllexport) void ZanmelSetHook(HWND window, std::int32_t mouseZanmel, std::int32_t mousePopup,
                                                    std::uint8_t cornerZanmel, std::uint8_t cornerPopup) {
    Stop();
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return;
    }
    target = window;
    Start start{{mouseZanmel, mousePopup, cornerZanmel, cornerPopup}, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    if (!start.ready) return;  // the error of CreateEventW stays
    thread = CreateThread(nullptr, 0, &HookThread, &start, 0, &threadId);
    if (!thread) {
        const DWORD error = GetLastError();
        CloseHandle(start.ready);
        target = nullptr;
        SetLastError(error);
        return;
    }
    WaitForSingleObject(start.ready, INFINITE);
    CloseHandle(start.ready);
    if (start.error != ERROR_SUCCESS) {
        Stop();
        SetLastError(start.error);
        return;
    }
    SetLastError(ERROR_SUCCESS);
}

extern "C" __declspec(dllexport) void ZanmelFreeHook() {
    Stop();
    SetLastError(ERROR_SUCCESS);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
