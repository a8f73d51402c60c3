#include <cstddef>
#include <cstdint>
#include <string_view>

#include "protocol/DirectSstp.h"

// The mascot directory is another program's shared memory: any bytes, with or without lines or a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zanmel::DirectSstpTarget(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
