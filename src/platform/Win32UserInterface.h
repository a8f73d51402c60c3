#pragma once

#include <windows.h>

#include "core/UserInterface.h"

namespace zanmel::platform {

// The real user interface: message boxes captioned "Zanmel", a text query dialog built in code, the common
// file-open dialog and the shell's folder browser.
class Win32UserInterface : public UserInterface {
public:
    // Message boxes and queries are owned by this window (the main window once it exists).
    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    // From now on nothing is shown: messages are dropped and every question is answered as cancelled. For the
    // end of the Windows session, when nobody would see a box and it would only hold the shutdown.
    void Silence() noexcept { silent_ = true; }

    void ShowMessage(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    std::optional<std::string> QueryText(std::string_view title, std::string_view prompt,
                                         std::string_view initialText) override;
    std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialFile) override;
    std::string BrowseFolder(Owner owner, std::string_view title, std::string_view initialFolder) override;

private:
    // The window a message belongs to: the main window's dialog the user is working in, else the main window
    // while it still exists (a message at shutdown, after the main window is gone, still shows).
    HWND LiveOwner() const noexcept;
    HWND owner_ = nullptr;
    bool silent_ = false;
};

}  // namespace zanmel::platform
