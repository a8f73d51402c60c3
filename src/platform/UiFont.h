#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace zanmel::platform {

// True when a font of that face with Japanese characters is installed.
bool HasJapaneseFace(const std::wstring& face);

// The face to show Japanese text in: wanted when it has Japanese characters, else the first installed of the
// usual Japanese UI faces, else wanted unchanged (the system's font linking may still find glyphs).
std::wstring JapaneseFaceOr(const std::wstring& wanted);

// The system's message font at dpi (0: the system's), in a face that can show Japanese.
FontHandle CreateUiFont(UINT dpi = 0);

}  // namespace zanmel::platform
