#pragma once

#include <windows.h>

#include <string_view>

#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

// Control identifiers of the version box, for tests that read it.
constexpr int kAboutProductId = 100;
constexpr int kAboutVersionId = 101;
constexpr int kAboutDescriptionId = 102;

// The version information box: product name, version, a short description and OK. Shown modally on the owner
// given to ShowModal: its owner is disabled while it is up, unless it was disabled already.
class TAboutBox : public DialogWindow {
public:
    // version: the version text (CP932), e.g. "1.0.0".
    explicit TAboutBox(std::string_view version);

    // Shows the box in front of the owner and returns when it is closed (OK, Enter, Escape or the close
    // button). A quit message arriving meanwhile closes the box and is posted again.
    void ShowModal(HWND owner);

protected:
    // Ends the modal run.
    void Close() override;

private:
    bool running_ = false;
};

// Runs a version box on the owner once; for callers that keep no box of their own.
void ShowAboutBox(HWND owner, std::string_view version);

}  // namespace zanmel::ui
