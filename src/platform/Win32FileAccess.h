#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileAccess.h"

namespace zanmel::platform {

// Whole-file access for the settings objects and the timing log: reads through ReadFileBytes, writes through
// WriteFileAtomically (temporary file, flush, rename), so a failed write leaves the old file in place.
class Win32FileAccess : public FileAccess {
public:
    std::optional<std::string> ReadFile(const std::string& path) override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
};

// The multimedia timer (timeGetTime): milliseconds since system start, wrapping after 49.7 days.
class MultimediaClock : public MillisecondClock {
public:
    std::uint32_t Now() override;
};

// The full path of the running executable (GetModuleFileNameW), CP932.
std::string RunningExecutablePath();
// Debug.log beside the executable; exePath "" means the running executable.
std::string DebugLogPath(const std::string& exePath = "");

}  // namespace zanmel::platform
