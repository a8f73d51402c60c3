#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileAccess.h"
#include "core/ZanmelError.h"

namespace zanmel::test {

// In-memory files for the settings and timing log tests. A path can be made unreadable or unwritable.
class FakeFiles : public FileAccess {
public:
    std::map<std::string, std::string> files;
    std::string unreadable;
    std::string unwritable;
    int writes = 0;

    std::optional<std::string> ReadFile(const std::string& path) override {
        if (path == unreadable) throw ZanmelError("File", "cannot read " + path);
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    void WriteFile(const std::string& path, std::string_view bytes) override {
        if (path == unwritable) throw ZanmelError("File", "cannot write " + path);
        files[path] = std::string(bytes);
        ++writes;
    }
};

// A clock that returns scripted times, then keeps returning the last one.
class FakeClock : public MillisecondClock {
public:
    std::uint32_t now = 0;
    std::uint32_t Now() override { return now; }
};

}  // namespace zanmel::test
