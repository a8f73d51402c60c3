#pragma once

#include <windows.h>

#include <string>

#include "core/TSetting.h"
#include "core/UserInterface.h"
#include "hook/HookProtocol.h"
#include "hook/HookRules.h"
#include "platform/Handles.h"

// The two system-wide ways of calling the launcher up: hot keys and the hook library ZanmelHook.dll.
namespace zanmel::platform {

// A hot key of a window, identified by a global atom made from its name.
class HotKey {
public:
    HotKey() = default;
    ~HotKey();
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    // With key.Use on: takes the atom and registers the key for window. A key combination that another
    // program holds is not reported; that hot key then never arrives.
    void Register(HWND window, const std::wstring& name, const THotKeyRecord& key);
    void Unregister() noexcept;
    bool Registered() const noexcept { return registered_; }
    ATOM Id() const noexcept { return atom_; }
    // A WM_HOTKEY message of this key.
    bool Matches(const MSG& msg) const noexcept {
        return registered_ && msg.message == WM_HOTKEY && msg.wParam == atom_;
    }

private:
    HWND window_ = nullptr;
    ATOM atom_ = 0;
    bool registered_ = false;
};

// ZanmelHook.dll of the program folder with its two functions. Failures are told to the user and leave the
// launcher without the hook; it runs on.
class HookLibrary {
public:
    HookLibrary() = default;
    ~HookLibrary();
    HookLibrary(const HookLibrary&) = delete;
    HookLibrary& operator=(const HookLibrary&) = delete;

    static std::string PathIn(const std::string& programFolder) { return programFolder + "\\ZanmelHook.dll"; }

    // Loads programFolder\ZanmelHook.dll and sets the hook for window.
    void Load(const std::string& programFolder, HWND window, const hook::HookSettings& settings, UserInterface& ui);
    // Frees the hook and the library; the library posts nothing afterwards.
    void Release(UserInterface& ui);
    bool Loaded() const noexcept { return static_cast<bool>(module_); }
    bool Hooked() const noexcept { return hooked_; }

private:
    void Free() noexcept;

    LibraryHandle module_;
    hook::SetHookFunction setHook_ = nullptr;
    hook::FreeHookFunction freeHook_ = nullptr;
    bool hooked_ = false;
};

}  // namespace zanmel::platform
