#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace zanmel::test {

// A drive the harness mapped for this run: its letter with colon ("X:") and the Linux folder behind it.
struct HarnessDrive {
    std::string letter;
    std::string host;
    std::string Root() const { return letter + "\\"; }
};
HarnessDrive RemovableDrive();
HarnessDrive FixedDrive();

// A Linux path as Windows sees it through Wine's Z: drive.
std::string HostPathToWindows(const std::string& hostPath);
// A file of the source tree (e.g. "data/defaulticon/0.ico"), as a Windows path.
std::string SourcePath(const std::string& relative);

// A fresh folder below base (CP932 path), removed with everything in it when the object goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& base = "");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void RemoveTree(const std::string& path);
// Copies a folder with everything in it (test set-up).
void CopyTree(const std::string& source, const std::string& destination);
// Writes bytes to a file directly (test set-up, not the atomic path under test).
void WritePlainFile(const std::string& path, const std::string& bytes);
// The names in a folder, "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& folder);
// Every file below folder, by its path relative to folder, with its bytes (folders as "name\\" with "").
std::map<std::string, std::string> FolderSnapshot(const std::string& folder);
// Sets or clears the read-only attribute of every file and folder below folder.
void SetTreeReadOnly(const std::string& folder, bool readOnly);

// Entry points for runs of the test executable as a child process: "ZanmelWinTests.exe --child NAME ARGS...".
using ChildMain = std::function<int(int argc, wchar_t** argv)>;
struct ChildMode {
    ChildMode(const char* name, ChildMain main);
};
// Starts this executable in the named child mode; returns the process handle (caller closes it).
HANDLE StartChild(const std::wstring& name, const std::wstring& args);

// A click on the button id of window, as the button reports it to its parent.
inline void ClickButton(HWND window, int id) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Calls f every 20 ms on a helper thread until it returns true or timeoutMs passes (for driving modal dialogs
// from outside their message loop). Returns the thread handle to join with JoinHelper.
HANDLE RunHelperUntil(std::function<bool()> f, DWORD timeoutMs);
bool JoinHelper(HANDLE thread);

}  // namespace zanmel::test
