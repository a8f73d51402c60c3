#pragma once

#include <string>

namespace zanmel::platform {

// The system's own text for a Win32 error code, in CP932, without the trailing line break.
std::string SystemErrorText(unsigned long error);

}  // namespace zanmel::platform
