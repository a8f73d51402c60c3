#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zanmel {

// The copy-data kind of a Direct SSTP message to a desktop-mascot host.
constexpr std::uint32_t kCopyDataDirectSstp = 9801;

// The most of the mascot hosts' shared memory "Sakura" that is read.
constexpr std::size_t kMascotDirectorySize = 65536;

// The window that takes Direct SSTP messages, from the bytes of the shared memory "Sakura": its text starts at
// byte 4 and runs to the first NUL; of its lines (CR LF, CR or LF), those whose first "hwnd" starts at column 34
// carry a decimal window handle from column 39 to their end. The last such line counts; nothing when there is
// none or its handle is no unsigned decimal number.
std::optional<std::uint64_t> DirectSstpTarget(std::string_view directory);

// The request the protocol test window starts with: an EXECUTE without keyword, naming the window as reply
// address, one line each (CR LF between them).
std::string DebugRequestText(std::uint64_t window);

}  // namespace zanmel
