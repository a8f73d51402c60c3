#include "LauncherFixture.h"

#include "core/CommaText.h"
#include "core/LaunchWordData.h"
#include "platform/AtomicFile.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"

namespace zanmel::test {

using platform::KernelHandle;
using platform::ReadFileBytes;
using platform::ToCp932;
using platform::ToWide;

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (done()) return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    return done();
}

bool Ended(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

std::string SelfPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return ToCp932(path);
}

std::string ComputerName() {
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &size);
    return ToCp932(computer);
}

HWND FindMessageBox(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t className[64] = {};
            wchar_t caption[64] = {};
            GetClassNameW(hwnd, className, 64);
            GetWindowTextW(hwnd, caption, 64);
            if (owner != s->processId || std::wstring(className) != L"#32770" || std::wstring(caption) != L"Zanmel") {
                return TRUE;
            }
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string StaticTextOf(HWND dialog) {
    std::wstring text;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM p) -> BOOL {
            wchar_t className[64] = {};
            GetClassNameW(child, className, 64);
            if (_wcsicmp(className, L"Static") != 0) return TRUE;
            std::wstring own(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
            own.resize(static_cast<std::size_t>(GetWindowTextW(child, own.data(), static_cast<int>(own.size()))));
            *reinterpret_cast<std::wstring*>(p) += own;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return ToCp932(text);
}

std::string RecordOf(const std::string& path, const std::string& parameters) {
    TLaunchWordData2 record;
    record.path = path;
    record.parameters = parameters;
    return record.ToText();
}

std::string KeywordLine(const std::string& keyword, const std::string& record) {
    return CommaTextJoin({keyword, "Launch", "0", "", "", "PC", "2026/01/01 00:00:00", record}) + "\r\n";
}

void LauncherFixture::PrepareProgramFolder(const std::string& folder) {
    CopyTree(SourcePath("data/defaulticon"), folder + "\\defaulticon");
    CopyTree(SourcePath("data/skin"), folder + "\\skin");
    ASSERT_TRUE(
        CopyFileW(ToWide(HostPathToWindows(ZANMEL_EXE)).c_str(), ToWide(folder + "\\Zanmel.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(ToWide(HostPathToWindows(ZANMEL_HOOK_DLL)).c_str(),
                          ToWide(folder + "\\ZanmelHook.dll").c_str(), FALSE));
}

void LauncherFixture::SetUp() {
    PrepareProgramFolder(program.Path());
}

void LauncherFixture::TearDown() {
    if (process && !Ended(process.Get())) {
        if (HWND box = FindMessageBox(GetProcessId(process.Get()))) PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (HWND window = platform::FindLauncherWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 9);
    }
}

void LauncherFixture::WriteSheet(const std::string& keywords, const std::string& tree) {
    CreateDirectoryW(ToWide(program / "data").c_str(), nullptr);
    CreateDirectoryW(ToWide(program / "data\\fixed").c_str(), nullptr);
    WritePlainFile(Sheet("keyword.txt"), keywords);
    WritePlainFile(Sheet("tree.txt"), tree);
}

HANDLE LauncherFixture::StartLauncher(const std::wstring& args, const std::string& folder) {
    const std::string where = folder.empty() ? program.Path() : folder;
    std::wstring commandLine = L"\"" + ToWide(where + "\\Zanmel.exe") + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, ToWide(where).c_str(),
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

HWND LauncherFixture::Start(const std::string& folder) {
    process.Reset(StartLauncher(L"", folder));
    EXPECT_TRUE(process);
    HWND window = nullptr;
    // The marker is set while the window is built; it is shown once its settings and skin are applied.
    const bool shown = WaitFor([&] {
        window = platform::FindLauncherWindow();
        return window && IsWindowVisible(window);
    });
    DWORD code = 0;
    if (!shown) GetExitCodeProcess(process.Get(), &code);
    EXPECT_TRUE(shown) << "Zanmel.exe shows no window; its exit code " << code;
    return window;
}

void LauncherFixture::Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return Ended(process.Get()); }));
}

ClientRun LauncherFixture::Znxp(const std::wstring& args) {
    TempFolder io;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    KernelHandle out(CreateFileW(ToWide(io / "out.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Get();
    startup.hStdError = out.Get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring commandLine = L"\"" + ToWide(HostPathToWindows(ZANMEL_ZNXP_EXE)) + L"\" " + args;
    PROCESS_INFORMATION info{};
    ClientRun run;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        ADD_FAILURE() << "znxp.exe did not start";
        return run;
    }
    CloseHandle(info.hThread);
    KernelHandle child(info.hProcess);
    EXPECT_TRUE(WaitFor([&] { return Ended(child.Get()); }));
    GetExitCodeProcess(child.Get(), &run.exitCode);
    out.Reset();
    run.out = ReadFileBytes(io / "out.txt").value_or("");
    return run;
}

}  // namespace zanmel::test
