#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zanmel {

// A "FileGroupDescriptor" block as a browser hands over a dragged link: a 32-bit count, then that many
// descriptors of 332 bytes with the NUL-terminated file name at offset 72. The name of the last descriptor that
// lies wholly inside the block; "" when there is none. The block comes from another program: a count beyond the
// block and a name without NUL are read only as far as the block goes.
constexpr std::size_t kFileDescriptorSize = 332;
constexpr std::size_t kFileDescriptorNameOffset = 72;
std::string LastFileGroupName(std::string_view block);

// A file name without its last extension ("a.b.url" gives "a.b"); a name without a dot is kept.
std::string WithoutLastExtension(std::string_view name);

}  // namespace zanmel
