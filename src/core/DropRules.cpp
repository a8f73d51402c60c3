#include "core/DropRules.h"

#include <algorithm>
#include <cstdint>

namespace zanmel {

std::string LastFileGroupName(std::string_view block) {
    if (block.size() < 4) return "";
    std::uint32_t count = 0;
    for (int i = 3; i >= 0; --i) count = (count << 8) | static_cast<unsigned char>(block[static_cast<std::size_t>(i)]);
    const std::size_t fitting = (block.size() - 4) / kFileDescriptorSize;
    const std::size_t used = std::min<std::size_t>(count, fitting);
    if (used == 0) return "";
    const std::string_view last = block.substr(4 + (used - 1) * kFileDescriptorSize, kFileDescriptorSize);
    const std::string_view name = last.substr(kFileDescriptorNameOffset);
    return std::string(name.substr(0, std::min(name.find('\0'), name.size())));
}

std::string WithoutLastExtension(std::string_view name) {
    // "." is never the second byte of a double-byte character, so a byte search finds only real dots.
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

}  // namespace zanmel
