#pragma once

#include <string>
#include <string_view>

#include "core/LaunchWordData.h"

namespace zanmel::test {

// CP932 to UTF-8 through iconv, for native tests. A byte that does not start a valid CP932 character becomes
// "?" (its trail byte, if it has one, goes with it), as Windows replaces characters it cannot map.
class IconvCp932Codec : public Cp932Codec {
public:
    std::string Cp932ToUtf8(std::string_view cp932) const override;
};

}  // namespace zanmel::test
