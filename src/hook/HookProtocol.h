#pragma once

#include <cstdint>

// What passes between the launcher and ZanmelHook.dll: the two exported functions and the messages the library
// posts to the window it was given.
namespace zanmel::hook {

// Brings up the main window centred on the mouse; the first parameter kMainWindowAnywhere lets it stand out
// of the screen, any other value keeps it inside.
constexpr unsigned kMessageMainWindow = 0x8000;  // WM_APP
// Opens the launcher menu; the first parameter kMenuAtMouse puts its corner at the mouse, any other value 50
// pixels left of and above it.
constexpr unsigned kMessageLauncherMenu = 0x8001;
// Sets the main window's caption to the first parameter as signed decimal text.
constexpr unsigned kMessageCaption = 0x8002;

constexpr std::uintptr_t kMainWindowAnywhere = 1;
constexpr std::uintptr_t kMenuAtMouse = 512;

// The exports, with the C calling convention. ZanmelSetHook(window, mouse of the main window, mouse of the
// launcher menu, corners of the main window, corners of the launcher menu). Both leave the thread's error code
// (GetLastError) at zero when they succeed and non-zero when they fail. After ZanmelFreeHook the library posts
// nothing any more.
using SetHookFunction = void (*)(void* window, std::int32_t mouseZanmel, std::int32_t mousePopup,
                                 std::uint8_t cornerZanmel, std::uint8_t cornerPopup);
using FreeHookFunction = void (*)();

constexpr const char* kSetHookName = "ZanmelSetHook";
constexpr const char* kFreeHookName = "ZanmelFreeHook";

}  // namespace zanmel::hook
