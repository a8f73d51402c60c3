#include "protocol/DirectSstp.h"

#include <charconv>

namespace zanmel {

namespace {

constexpr std::size_t kTextStart = 4;
constexpr std::size_t kHwndColumn = 33;    // 0-based column of "hwnd"
constexpr std::size_t kHandleColumn = 38;  // 0-based column of the handle

bool IsWindowLine(std::string_view line) {
    return line.find("hwnd") == kHwndColumn;
}

// The handle of a window line; nothing when it is no unsigned decimal number.
std::optional<std::uint64_t> HandleOfLine(std::string_view line) {
    if (line.size() <= kHandleColumn) return std::nullopt;
    const std::string_view digits = line.substr(kHandleColumn);
    std::uint64_t handle = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), handle);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return handle;
}

}  // namespace

std::optional<std::uint64_t> DirectSstpTarget(std::string_view directory) {
    if (directory.size() <= kTextStart) return std::nullopt;
    std::string_view text = directory.substr(kTextStart);
    text = text.substr(0, text.find('\0'));
    std::optional<std::uint64_t> target;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (IsWindowLine(line)) target = HandleOfLine(line);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return target;
}

std::string DebugRequestText(std::uint64_t window) {
    return "EXECUTE ZNXP/1.0\r\nSender:Project1\r\nCharset:Shift_JIS\r\nHWnd:" + std::to_string(window);
}

}  // namespace zanmel
