#include "platform/CallbackGuard.h"

#include <windows.h>

#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {
UserInterface* g_callbackUi = nullptr;
}

void SetCallbackUserInterface(UserInterface* ui) noexcept {
    g_callbackUi = ui;
}

UserInterface* CallbackUserInterface() noexcept {
    return g_callbackUi;
}

void ReportCallbackError(std::string_view text) noexcept {
    try {
        if (g_callbackUi) {
            g_callbackUi->ShowMessage(text);
            return;
        }
        MessageBoxW(nullptr, ToWide(text).c_str(), L"Zanmel", MB_OK | MB_ICONERROR);
    } catch (...) {
        // Reporting must not fail the boundary it protects; a scripted interface records what it refused.
    }
}

}  // namespace zanmel::platform
