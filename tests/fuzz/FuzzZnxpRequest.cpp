#include <cstddef>
#include <cstdint>

#include "protocol/ZnxpRequest.h"

// Copy-data payloads come from any process: both readers take arbitrary bytes, with or without a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zanmel::CopyDataText(data, size);
    const zanmel::ZnxpRequest request = zanmel::ParseZnxpRequest(text);
    if (request.keyword && request.keyword->size() > text.size()) __builtin_trap();
    const auto actions = zanmel::ParseCommandLinePayload(text);
    if (actions.size() > text.size() + 1) __builtin_trap();
    return 0;
}
