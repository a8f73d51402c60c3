#pragma once

#include "core/CallUpRules.h"

namespace zanmel {

// The top-left corner of a dialog of width x height as it opens: centred over its owner's rectangle, or over
// the work area when the owner is not on screen (minimised, hidden in the tray, none), then moved into the work
// area. A dialog larger than the work area keeps its top-left corner inside, so its caption stays reachable.
ScreenPoint DialogPosition(const ScreenRect* owner, int width, int height, const ScreenRect& workArea);

}  // namespace zanmel
