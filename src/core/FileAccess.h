#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zanmel {

// Whole-file reads and writes, so the settings objects and the timing log stay free of platform calls.
// Paths and contents are CP932 bytes.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // The file's bytes, or nothing when the file does not exist. A file that exists but cannot be read raises
    // ZanmelError naming it, so that a later write never replaces data that was only unreadable for a moment.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Replaces the file atomically (the old contents or the new, never half of them); raises ZanmelError
    // naming the file when it cannot be written, leaving the old file as it was.
    virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
};

// The millisecond clock of the timing log (on Windows the multimedia timer, time since system start).
class MillisecondClock {
public:
    virtual ~MillisecondClock() = default;
    virtual std::uint32_t Now() = 0;
};

}  // namespace zanmel
