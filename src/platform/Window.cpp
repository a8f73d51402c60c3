#include "platform/Window.h"

#include "core/ZanmelError.h"
#include "platform/CallbackGuard.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

Window::~Window() {
    if (HWND hwnd = hwnd_.Get()) {
        // Detach first: the messages of the destruction must not reach a half-destroyed object.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_.Reset();
    }
}

void Window::RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon, HBRUSH background, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &Window::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) {
        throw ZanmelError("Window", "RegisterClassExW: " + SystemErrorText(GetLastError()));
    }
}

void Window::Create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, HMENU menu) {
    HWND hwnd = CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, parent, menu,
                                GetModuleHandleW(nullptr), this);
    if (!hwnd) throw ZanmelError("Window", "CreateWindowExW: " + SystemErrorText(GetLastError()));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_.Reset(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        // Destroyed from outside (or by DestroyWindow): the handle is no longer ours to destroy.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = GuardCallback<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
        self->hwnd_.Release();
        return result;
    }
    return GuardCallback<LRESULT>(0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace zanmel::platform
