#pragma once

#include <string_view>
#include <vector>

namespace zanmel {

// The lines of a text that ends them with CR LF, a lone CR or a lone LF. A terminator at the very end opens no
// further line; an empty line between two terminators is kept.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace zanmel
