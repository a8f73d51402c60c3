#pragma once

#include <string>
#include <string_view>

#include "core/LaunchWordData.h"

namespace zanmel::platform {

// Conversion between the program's CP932 text and the UTF-16 of the W functions. Only text that crosses the
// Win32 boundary is converted; data files are handled as bytes and never pass through here.
std::wstring ToWide(std::string_view cp932);
std::string ToCp932(std::wstring_view wide);

// The CP932 to UTF-8 conversion of web search texts, through UTF-16. Bytes that are not CP932 become the
// system's replacement character.
class Win32Cp932Codec : public Cp932Codec {
public:
    std::string Cp932ToUtf8(std::string_view cp932) const override;
};

}  // namespace zanmel::platform
