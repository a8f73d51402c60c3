#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/IconFile.h"

namespace zanmel {

// What the shell's execute operation is given. Empty texts are passed as empty strings.
struct ShellStart {
    std::string verb;
    std::string path;
    std::string parameters;
    std::string workingFolder;
    std::int32_t showMode = 1;

    bool operator==(const ShellStart&) const = default;
};

// A process started directly, without an application name.
struct ProcessStart {
    std::string commandLine;
    std::string workingFolder;
    std::int32_t showMode = 1;

    bool operator==(const ProcessStart&) const = default;
};

// One entry of the tracking table. Handles are opaque here (HANDLE values on Windows).
struct TrackedProcess {
    std::uintptr_t process = 0;
    std::uintptr_t thread = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
};

struct TopLevelWindow {
    std::uintptr_t handle = 0;
    std::uintptr_t owner = 0;  // 0 when the window has no owner window
    std::uint32_t processId = 0;
};

// The system calls of the launch module, the special folder module and the icon cache. The Windows adapter
// makes the real calls; tests record what would be started.
class LaunchShell {
public:
    virtual ~LaunchShell() = default;

    // The shell's execute operation, owned by the application's main window; its result is ignored.
    virtual void StartWithShell(const ShellStart& start) = 0;
    // A new process from a command line; nothing when creation failed.
    virtual std::optional<TrackedProcess> StartProcess(const ProcessStart& start) = 0;
    // Closes the process and thread handles of a tracked entry.
    virtual void ReleaseProcess(const TrackedProcess& process) = 0;
    // The top-level windows of the desktop, in the system's order.
    virtual std::vector<TopLevelWindow> TopLevelWindows() = 0;
    // Shows the window normally and posts it a close request.
    virtual void ShowAndPostClose(std::uintptr_t window) = 0;
    // Opens a special folder (a CSIDL value) through its item identifier with the verb; silently nothing when
    // the system has no such folder.
    virtual void OpenSpecialFolder(std::int32_t csidl, const std::string& verb) = 0;

    virtual bool FileExists(const std::string& path) = 0;
    // False when the file could not be deleted (missing, locked, read-only).
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual void SetCurrentFolder(const std::string& folder) = 0;
    // The path expanded against the current folder ("." and ".." resolved); unchanged when it cannot be.
    virtual std::string FullPath(const std::string& path) = 0;
    // The shell's small icon of the path as given, read out of its bitmaps; nothing when the shell has none.
    virtual std::optional<CapturedIcon> SmallIconOf(const std::string& path) = 0;
};

}  // namespace zanmel
