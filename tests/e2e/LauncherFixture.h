#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "WinTestSupport.h"
#include "platform/Handles.h"

namespace zanmel::test {

// Pumps this thread's messages while waiting for done (at most timeoutMs).
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000);
bool Ended(HANDLE process);
// This test program's own path, for items that start it in a child mode.
std::string SelfPath();
std::string ComputerName();
// A top-level message box ("#32770" captioned "Zanmel") of the given process, or nullptr.
HWND FindMessageBox(DWORD processId);
// The texts of a dialog's static controls, joined.
std::string StaticTextOf(HWND dialog);

// The record text of an item that starts path with parameters.
std::string RecordOf(const std::string& path, const std::string& parameters);
// A keyword.txt line of a "Launch" item.
std::string KeywordLine(const std::string& keyword, const std::string& record);

struct ClientRun {
    DWORD exitCode = 0;
    std::string out;  // standard output and error
};

// A program folder on the fixed drive with Zanmel.exe, ZanmelHook.dll, its skins and built-in icons, and the launcher
// process started in it; the launcher is closed (or ended) after each test.
class LauncherFixture : public ::testing::Test {
protected:
    TempFolder program{FixedDrive().Root()};
    platform::KernelHandle process;

    void SetUp() override;
    // Zanmel.exe with ZanmelHook.dll, its skins and built-in icons in folder.
    static void PrepareProgramFolder(const std::string& folder);
    void TearDown() override;

    std::string Sheet(const std::string& name) { return program / ("data\\fixed\\" + name); }
    void WriteSheet(const std::string& keywords, const std::string& tree);

    // Starts Zanmel.exe of folder (the program folder when empty).
    HANDLE StartLauncher(const std::wstring& args = L"", const std::string& folder = "");
    // Starts the launcher and waits for its window to be shown.
    HWND Start(const std::string& folder = "");
    // Posts a close message and waits for the process to end.
    void Close(HWND window);
    // Runs znxp.exe with the arguments.
    ClientRun Znxp(const std::wstring& args);
};

}  // namespace zanmel::test
