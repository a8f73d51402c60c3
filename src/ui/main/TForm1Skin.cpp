// The main window's frame strips: they move a window without title bar and close it by the skin's close
// rectangle.
#include <windows.h>

#include "ui/main/TForm1.h"

namespace zanmel {

void TForm1::PaintBox3StartDrag(FramePoint screen) {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    frameDrag_.Start({static_cast<int>(rc.left), static_cast<int>(rc.top)}, screen);
}

void TForm1::PaintBox3DragOver(FramePoint screen) {
    const FramePoint to = frameDrag_.WindowPositionFor(screen);
    SetWindowPos(Handle(), nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::PaintBox3EndDrag(FramePoint screen) {
    if (!life_.skins) return;
    POINT client{screen.x, screen.y};
    ScreenToClient(Handle(), &client);
    const skin::TSkinCloseButton& close = life_.skins->Skin.CloseButton;
    if (IsStrictlyInside({close.left, close.top, close.right, close.bottom},
                         {static_cast<int>(client.x), static_cast<int>(client.y)})) {
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
    }
}

}  // namespace zanmel
