#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FakeFiles.h"
#include "core/DataLocations.h"
#include "core/LaunchShell.h"

namespace zanmel::test {

// A launch shell that records what would be started. Files are those of a FakeFiles plus a set of paths
// that exist; relative paths are expanded against the current folder it was given (no "." or ".." rules).
class RecordingShell : public LaunchShell {
public:
    explicit RecordingShell(FakeFiles& files) : files_(files) {}

    std::vector<ShellStart> shellStarts;
    std::vector<ProcessStart> processStarts;
    std::vector<std::pair<std::int32_t, std::string>> specialFolders;
    std::vector<std::uintptr_t> closed;
    std::vector<std::uintptr_t> released;
    std::vector<TopLevelWindow> windows;
    std::set<std::string> existing;
    std::set<std::string> withoutIcon;
    std::string currentFolder = "C:\\Elsewhere";
    bool processFails = false;
    std::uint32_t nextProcessId = 100;

    void StartWithShell(const ShellStart& start) override { shellStarts.push_back(start); }
    std::optional<TrackedProcess> StartProcess(const ProcessStart& start) override {
        processStarts.push_back(start);
        if (processFails) return std::nullopt;
        const std::uint32_t id = nextProcessId++;
        return TrackedProcess{id * 10, id * 10 + 1, id, id + 1000};
    }
    void ReleaseProcess(const TrackedProcess& process) override { released.push_back(process.process); }
    std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
    void ShowAndPostClose(std::uintptr_t window) override { closed.push_back(window); }
    void OpenSpecialFolder(std::int32_t csidl, const std::string& verb) override {
        specialFolders.emplace_back(csidl, verb);
    }
    bool FileExists(const std::string& path) override {
        return existing.count(path) != 0 || files_.files.count(path) != 0;
    }
    bool RemoveFile(const std::string& path) override { return files_.files.erase(path) != 0; }
    void SetCurrentFolder(const std::string& folder) override { currentFolder = folder; }
    std::string FullPath(const std::string& path) override {
        if (path.empty() || (path.size() > 1 && path[1] == ':')) return path;
        return currentFolder + "\\" + path;
    }
    std::optional<CapturedIcon> SmallIconOf(const std::string& path) override {
        if (withoutIcon.count(path) != 0) return std::nullopt;
        CapturedIcon icon;
        icon.width = icon.height = 16;
        icon.colour.assign(256, 0x00102030);
        icon.maskSet.assign(256, 0);
        return icon;
    }

private:
    FakeFiles& files_;
};

// Fixed data locations for the module tests.
struct FixedLocations : DataLocations {
    std::string programFolder = "X:\\Zanmel";
    std::string programDrive = "X:";
    bool portable = true;
    std::string sheetFolder = "X:\\Zanmel\\data\\portable";
    std::string homeSheetFolder = "X:\\Zanmel\\data\\portable";

    const std::string& ProgramFolder() const override { return programFolder; }
    const std::string& ProgramDrive() const override { return programDrive; }
    bool PortableMode() const override { return portable; }
    const std::string& SheetFolder() const override { return sheetFolder; }
    const std::string& HomeSheetFolder() const override { return homeSheetFolder; }
};

}  // namespace zanmel::test
