#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "core/LaunchShell.h"
#include "platform/Handles.h"

namespace zanmel::platform {

// The real system calls of the launch module, the special folder module and the icon cache.
class Win32LaunchShell : public LaunchShell {
public:
    // The application's main window owns shell starts and special folder look-ups; none until it exists.
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    HWND MainWindow() const { return mainWindow_; }

    void StartWithShell(const ShellStart& start) override;
    std::optional<TrackedProcess> StartProcess(const ProcessStart& start) override;
    void ReleaseProcess(const TrackedProcess& process) override;
    std::vector<TopLevelWindow> TopLevelWindows() override;
    void ShowAndPostClose(std::uintptr_t window) override;
    void OpenSpecialFolder(std::int32_t csidl, const std::string& verb) override;
    bool FileExists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    void SetCurrentFolder(const std::string& folder) override;
    std::string FullPath(const std::string& path) override;
    std::optional<CapturedIcon> SmallIconOf(const std::string& path) override;

protected:
    // The extended execute of a special folder's item identifier (SEE_MASK_IDLIST, show command 1).
    virtual void ExecuteItem(SHELLEXECUTEINFOW& info);

private:
    HWND mainWindow_ = nullptr;
};

// The pixels of an icon or cursor, read from its colour and mask bitmaps (both released again); nothing when
// the handle gives no bitmaps.
std::optional<CapturedIcon> CaptureIcon(HICON icon);

// Writes the .ico file of icon to path. No bitmaps: "GetIconInfoに失敗\r\nFileName:" + path; a file that
// cannot be written: "FileOpen Error".
void WriteIconFile(HICON icon, const std::string& path);

// The icon of number: folder\number.ico from 1000 up, defaulticon\number.ico (by the current folder) below.
// A file that is missing or no icon raises "IconControl\r\n" + path + "を読み込めません。".
IconHandle LoadIconFile(const std::string& folder, std::int32_t number);

}  // namespace zanmel::platform
