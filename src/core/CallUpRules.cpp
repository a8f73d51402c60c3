#include "core/CallUpRules.h"

namespace zanmel {

unsigned HotKeyModifiers(const THotKeyRecord& key) {
    return (key.Alt ? 1u : 0u) | (key.Ctrl ? 2u : 0u) | (key.Shift ? 4u : 0u) | (key.Win ? 8u : 0u);
}

bool HookInUse(const TSetting& setting) {
    return setting.MouseZanmel != 0 || setting.MousePopup != 0 || setting.CornerZanmel != 0 || setting.CornerPopup != 0;
}

ScreenPoint CentredOnMouse(ScreenPoint mouse, int width, int height, const ScreenRect* keepInside) {
    ScreenPoint at{mouse.x - width / 2, mouse.y - height / 2};
    if (!keepInside) return at;
    if (at.x < keepInside->left) at.x = keepInside->left;
    if (at.y < keepInside->top) at.y = keepInside->top;
    if (at.x + width > keepInside->right) at.x = keepInside->right - width;
    if (at.y + height > keepInside->bottom) at.y = keepInside->bottom - height;
    return at;
}

ScreenPoint LauncherMenuPosition(ScreenPoint mouse, bool atMouse) {
    if (atMouse) return mouse;
    return {mouse.x - 50, mouse.y - 50};
}

}  // namespace zanmel
