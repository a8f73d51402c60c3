#include "ui/dialogs/DirViewWindow.h"

namespace zanmel::ui {

TFormDirView::TFormDirView(HWND owner)
    : DialogWindow({.className = L"ZanmelDirView",
                    .caption = "",
                    .clientWidth = 436,
                    .clientHeight = 80,
                    .owner = owner,
                    .exStyle = WS_EX_TOOLWINDOW}) {
    // clang-format off
    AddControls<TFormDirView>(*this, {
        {L"STATIC", "", kLabel, {12, 12, 404, 20}, kDirViewLabel1},
        // Long paths are shortened in the middle on screen; the text itself stays whole.
        {L"STATIC", "", kLabel | SS_PATHELLIPSIS, {12, 36, 404, 20}, kDirViewLabel2},
    });
    // clang-format on
}

void TFormDirView::Show() {
    ShowOverOwner();
    UpdateWindow(Handle());
}

}  // namespace zanmel::ui
