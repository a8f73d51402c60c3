#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "core/CommaText.h"
#include "core/LaunchWordData.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "ui/main/MainMenus.h"

namespace zanmel::test {

using platform::KernelHandle;
using platform::ReadFileBytes;
using platform::ToCp932;
using platform::ToWide;

namespace {

// Child mode: a launched item. Writes its second argument to the file named first, then ends.
const ChildMode kLifeRecord("life-record", [](int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    platform::WriteFileAtomically(ToCp932(argv[0]), ToCp932(argv[1]));
    return 0;
});

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000) {
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

std::string Self() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return ToCp932(path);
}

// A top-level message box ("#32770" captioned "Zanmel") of the given process, or nullptr.
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

// The texts of the static controls of a dialog that have any, joined.
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

std::string ComputerName() {
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &size);
    return ToCp932(computer);
}

const char* const kStartFolder = "##自動実行-起動時\r\n";
const char* const kExitFolder = "##自動実行-終了時\r\n";
const char* const kDefaultSettings =
    "[MainForm]\r\nTop=121\r\nLeft=98\r\nWidth=798\r\nHeight=554\r\nSplitter->Left=377\r\nSkinName=デフォルト\r\n";

// A program folder with Zanmel.exe, its skins and built-in icons on the fixed drive, and the process started in it.
class LauncherLifeE2E : public ::testing::Test {
protected:
    TempFolder program{FixedDrive().Root()};
    KernelHandle process;

    void SetUp() override {
        CreateDirectoryW(ToWide(program / "defaulticon").c_str(), nullptr);
        for (int i = 0; i <= 5; ++i) {
            const std::string name = std::to_string(i) + ".ico";
            CopyFileW(ToWide(SourcePath("data/defaulticon/" + name)).c_str(),
                      ToWide(program / ("defaulticon\\" + name)).c_str(), FALSE);
        }
        CopyTree(SourcePath("data/skin"), program / "skin");
        ASSERT_TRUE(
            CopyFileW(ToWide(HostPathToWindows(ZANMEL_EXE)).c_str(), ToWide(program / "Zanmel.exe").c_str(), FALSE));
    }
    void TearDown() override {
        if (process && !Ended(process.Get())) {
            if (HWND box = FindMessageBox(GetProcessId(process.Get()))) PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (HWND window = platform::FindLauncherWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 9);
        }
    }

    std::string Sheet(const std::string& name) { return program / ("data\\fixed\\" + name); }
    void WriteSheet(const std::string& keywords, const std::string& tree) {
        CreateDirectoryW(ToWide(program / "data").c_str(), nullptr);
        CreateDirectoryW(ToWide(program / "data\\fixed").c_str(), nullptr);
        WritePlainFile(Sheet("keyword.txt"), keywords);
        WritePlainFile(Sheet("tree.txt"), tree);
    }
    // A keyword.txt line whose item starts this test program, which writes name into ran-<name>.txt.
    std::string RecordingKeyword(const std::string& name) {
        TLaunchWordData2 record;
        record.path = Self();
        record.parameters = "--child life-record " + Ran(name) + " " + name;
        return CommaTextJoin({name, "Launch", "0", "", "", "PC", "2026/01/01 00:00:00", record.ToText()}) + "\r\n";
    }
    std::string Ran(const std::string& name) { return program / ("ran-" + name + ".txt"); }
    bool HasRun(const std::string& name) { return ReadFileBytes(Ran(name)).has_value(); }

    HANDLE StartLauncher(const std::wstring& args = L"") {
        std::wstring commandLine = L"\"" + ToWide(program / "Zanmel.exe") + L"\"" + (args.empty() ? L"" : L" " + args);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            ToWide(program.Path()).c_str(), &startup, &info)) {
            return nullptr;
        }
        CloseHandle(info.hThread);
        return info.hProcess;
    }
    HWND Start() {
        process.Reset(StartLauncher());
        EXPECT_TRUE(process);
        HWND window = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (window = platform::FindLauncherWindow()) != nullptr; }))
            << "Zanmel.exe shows no window";
        return window;
    }
    void ExpectEndsWithCodeZero() {
        ASSERT_TRUE(WaitFor([&] { return Ended(process.Get()); })) << "the launcher did not end";
        DWORD code = 99;
        GetExitCodeProcess(process.Get(), &code);
        EXPECT_EQ(code, 0u);
    }

    // znxp.exe with one request; its standard output is the reply.
    std::string Znxp(const std::wstring& args) {
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
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &info)) {
            ADD_FAILURE() << "znxp.exe did not start";
            return "";
        }
        CloseHandle(info.hThread);
        KernelHandle child(info.hProcess);
        EXPECT_TRUE(WaitFor([&] { return Ended(child.Get()); }));
        out.Reset();
        return ReadFileBytes(io / "out.txt").value_or("");
    }

    // Ten recording items w0..w9 under #Launch; three EXECUTE requests teach the launcher a new order; end
    // closes it by one exit path. Afterwards the sheet and the window settings hold exactly that state.
    void LearnThenEnd(const std::function<void(HWND)>& end) {
        std::vector<std::string> lines(10);
        std::string keywords;
        std::string tree = "#WEB\r\n#Launch\r\n";
        for (int i = 0; i < 10; ++i) {
            const std::string name = "w" + std::to_string(i);
            lines[static_cast<std::size_t>(i)] = RecordingKeyword(name);
            keywords += lines[static_cast<std::size_t>(i)];
            tree += "\t" + name + "\r\n";
        }
        tree += std::string(kStartFolder) + kExitFolder;
        WriteSheet(keywords, tree);
        HWND window = Start();
        ASSERT_TRUE(window);

        // w9 from 9 to 7, then from 7 to 5; w3 from 3 to 2.
        for (const wchar_t* keyword : {L"w9", L"w9", L"w3"}) {
            EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\" \"keyword:" + std::wstring(keyword) + L"\""), "ZNXP/1.0 200 OK\r\n");
        }
        EXPECT_TRUE(WaitFor([&] { return HasRun("w9") && HasRun("w3"); }));
        end(window);
        ExpectEndsWithCodeZero();

        std::string learnt;
        for (int i : {0, 1, 3, 2, 4, 9, 5, 6, 7, 8}) learnt += lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), learnt);
        EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
        EXPECT_EQ(ReadFileBytes(program / ("data\\" + ComputerName() + "\\setting.ini")), kDefaultSettings);
    }
};

}  // namespace

// Start: s0 moves from 7 to 5. Exit: x0 moves from 8 to 6 — visible in keyword.txt only if it ran before the
// save. The items in the subfolders of both auto-run folders keep their places and never start.
TEST_F(LauncherLifeE2E, AutoRunFoldersRunTheirDirectItemsAndTheExitItemsBeforeSaving) {
    const std::vector<std::string> names = {"k0", "k1", "k2", "k3", "k4", "n1", "n2", "s0", "x0"};
    std::vector<std::string> lines;
    std::string keywords;
    for (const std::string& name : names) keywords += lines.emplace_back(RecordingKeyword(name));
    const std::string tree = "#WEB\r\n#Launch\r\n\tk0\r\n\tk1\r\n\tk2\r\n\tk3\r\n\tk4\r\n" + std::string(kStartFolder) +
                             "\ts0\r\n\t#sub\r\n\t\tn1\r\n" + kExitFolder + "\t#sub\r\n\t\tn2\r\n\tx0\r\n";
    WriteSheet(keywords, tree);
    HWND window = Start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(WaitFor([&] { return HasRun("s0"); })) << "the start auto-run item did not run";
    EXPECT_FALSE(HasRun("x0")) << "the exit auto-run item ran at start";

    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
    EXPECT_TRUE(WaitFor([&] { return HasRun("x0"); })) << "the exit auto-run item did not run";
    std::string expected;
    for (int i : {0, 1, 2, 3, 4, 7, 8, 5, 6}) expected += lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), expected);
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
    Sleep(1000);  // a nested item, had it been started, has written its file by now
    EXPECT_FALSE(HasRun("n1")) << "an item in a subfolder of the start auto-run folder ran";
    EXPECT_FALSE(HasRun("n2")) << "an item in a subfolder of the exit auto-run folder ran";
}

// "missing" is in the start auto-run folder but not in keyword.txt: a message box with the learning error, and
// the items after it are not run (kw would have moved from 2 to 1). The launcher then answers and ends normally.
TEST_F(LauncherLifeE2E, UnregisteredStartItemShowsTheLearningErrorAndTheLauncherRunsOn) {
    const std::string keywords = RecordingKeyword("a") + RecordingKeyword("b") + RecordingKeyword("kw");
    const std::string tree =
        "#WEB\r\n#Launch\r\n\ta\r\n\tb\r\n\tkw\r\n" + std::string(kStartFolder) + "\tmissing\r\n\tkw\r\n" + kExitFolder;
    WriteSheet(keywords, tree);
    process.Reset(StartLauncher());
    ASSERT_TRUE(process);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(GetProcessId(process.Get()))) != nullptr; }))
        << "no message box captioned Zanmel";
    EXPECT_EQ(StaticTextOf(box), "TKeyWordList::Learning\r\nKeyWordが見つかりません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "OK did not close the message box";

    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = platform::FindLauncherWindow()) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; })) << "the main window is not shown";
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\""), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:a,b,kw\r\n");
    EXPECT_EQ(FindMessageBox(GetProcessId(process.Get())), nullptr) << "a second message box";

    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), keywords);
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
    EXPECT_FALSE(HasRun("kw")) << "the auto-run item after the failing one ran";
}

TEST_F(LauncherLifeE2E, NothingIsLostWhenTheMenuExitEndsIt) {
    LearnThenEnd([](HWND window) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(ui::MenuFileExit, 0), 0); });
}

TEST_F(LauncherLifeE2E, NothingIsLostWhenACloseMessageFromOutsideEndsIt) {
    LearnThenEnd([](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
}

// "-exit" counts only among two or more items; w0 is first already, so running it changes no order.
TEST_F(LauncherLifeE2E, NothingIsLostWhenASecondStartSaysExit) {
    LearnThenEnd([this](HWND) {
        KernelHandle second(StartLauncher(L"-executekeyword w0 -exit"));
        ASSERT_TRUE(second);
        EXPECT_EQ(WaitForSingleObject(second.Get(), 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(second.Get(), &code);
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(WaitFor([&] { return HasRun("w0"); })) << "-executekeyword w0 did not run w0";
    });
}

}  // namespace zanmel::test
