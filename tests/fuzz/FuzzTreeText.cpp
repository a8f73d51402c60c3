#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/FolderTree.h"

// tree.txt comes from a data folder anyone may have edited: any bytes read without a fault, and what was read
// is written and read back to the same tree.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zanmel::FolderTree tree;
    zanmel::ReadTreeText(std::string_view(reinterpret_cast<const char*>(data), size), tree);
    const std::string written = zanmel::WriteTreeText(tree);
    zanmel::FolderTree again;
    // Texts may hold blanks at their start only where the first line was indented; they are stripped by reading,
    // so a written tree always reads back as written.
    if (zanmel::ReadTreeText(written, again) || zanmel::WriteTreeText(again) != written) __builtin_trap();
    return 0;
}
