#pragma once

#include <string>
#include <string_view>

namespace zanmel::platform {

// Conversion between the program's CP932 text and the UTF-16 of the W functions. Only text that crosses the
// Win32 boundary is converted; data files are handled as bytes and never pass through here.
std::wstring ToWide(std::string_view cp932);
std::string ToCp932(std::wstring_view wide);

}  // namespace zanmel::platform
