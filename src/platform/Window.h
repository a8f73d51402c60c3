#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace zanmel::platform {

// Base of every window class: binds the C++ object to its HWND at WM_NCCREATE and routes messages to
// HandleMessage through the callback guard, so an exception shows its text and the message loop goes on.
// The window lives as long as the object (or until it is destroyed from outside).
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const noexcept { return hwnd_.Get(); }

    // Registers a window class whose procedure dispatches to Window objects; repeated calls are harmless.
    static void RegisterWindowClass(const wchar_t* className, HICON icon = nullptr, HICON smallIcon = nullptr,
                                    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                    UINT style = CS_DBLCLKS);

protected:
    // Creates the window of a registered class; throws ZanmelError when the system refuses.
    void Create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent = nullptr, HMENU menu = nullptr);

    // Messages of this window; the default passes them to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_.Get(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    WindowHandle hwnd_;
};

}  // namespace zanmel::platform
