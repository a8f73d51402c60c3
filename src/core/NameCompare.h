#pragma once

#include <string>
#include <string_view>

namespace zanmel {

// Names of files, folders, profile sections and keys are compared the way Windows compares them: without
// regard to letter case. Folding is locale-independent and scans CP932 text by character, so a trail byte that
// happens to look like an ASCII letter is never folded. Folded: ASCII letters, full-width Latin letters and the
// Greek and Cyrillic rows of CP932.
bool SameName(std::string_view a, std::string_view b);

// The text with every foldable letter replaced by its lower-case form (same length in bytes).
std::string FoldName(std::string_view text);

}  // namespace zanmel
