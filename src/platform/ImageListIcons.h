#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/IconFile.h"

namespace zanmel::platform {

// Appends 16 x 16 icons, each with its mask, to a 16 x 16 image list in as few calls as possible and returns the
// index of the first; -1 when the system could not add them all. Under Wine adding one icon handle costs over a
// millisecond, so a sheet of 20,000 items with icons of their own would take most of a minute to load that way.
int AddSmallIcons(HIMAGELIST list, const std::vector<CapturedIcon>& icons);

}  // namespace zanmel::platform
