#include "platform/Win32FileAccess.h"

#include <windows.h>

#include <mmsystem.h>  // after windows.h, which it needs

#include "core/PathRules.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

std::optional<std::string> Win32FileAccess::ReadFile(const std::string& path) {
    return ReadFileBytes(path);
}

void Win32FileAccess::WriteFile(const std::string& path, std::string_view bytes) {
    WriteFileAtomically(path, bytes);
}

std::uint32_t MultimediaClock::Now() {
    return timeGetTime();
}

std::string RunningExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        // A full buffer means the path may have been cut: try again with more room.
        if (length < buffer.size()) {
            buffer.resize(length);
            return ToCp932(buffer);
        }
        if (buffer.size() >= 32768) return "";
        buffer.resize(buffer.size() * 2);
    }
}

std::string DebugLogPath(const std::string& exePath) {
    return FolderOf(exePath.empty() ? RunningExecutablePath() : exePath) + "\\Debug.log";
}

}  // namespace zanmel::platform
