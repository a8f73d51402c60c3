#pragma once

#include <exception>
#include <string_view>
#include <utility>

#include "core/UserInterface.h"

namespace zanmel::platform {

// The user interface that shows errors caught at Win32 callback boundaries. The composition root installs the
// real one; tests install a scripted one. With none installed, a plain message box is shown.
void SetCallbackUserInterface(UserInterface* ui) noexcept;
UserInterface* CallbackUserInterface() noexcept;

// Shows the text of an error that abandoned a command. Never throws.
void ReportCallbackError(std::string_view text) noexcept;

// Runs f at a callback boundary (window, dialog and hook procedures, COM methods): an exception abandons the
// command, its text is shown, and onError is returned so the message loop goes on.
template <class R, class F>
R GuardCallback(R onError, F&& f) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (const std::exception& error) {
        ReportCallbackError(error.what());
    } catch (...) {
        ReportCallbackError("Unknown error");
    }
    return onError;
}

template <class F>
void GuardCallback(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (const std::exception& error) {
        ReportCallbackError(error.what());
    } catch (...) {
        ReportCallbackError("Unknown error");
    }
}

}  // namespace zanmel::platform
