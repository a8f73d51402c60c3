#include "core/DialogPlacement.h"

#include <algorithm>

namespace zanmel {

ScreenPoint DialogPosition(const ScreenRect* owner, int width, int height, const ScreenRect& workArea) {
    const ScreenRect& over = owner ? *owner : workArea;
    const int x = over.left + (over.right - over.left - width) / 2;
    const int y = over.top + (over.bottom - over.top - height) / 2;
    return {std::max(workArea.left, std::min(x, workArea.right - width)),
            std::max(workArea.top, std::min(y, workArea.bottom - height))};
}

}  // namespace zanmel
