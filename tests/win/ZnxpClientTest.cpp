#include <gtest/gtest.h>

#include <string>

#include "WinTestSupport.h"
#include "core/KeyWordList.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "protocol/ProtocolHandler.h"
#include "protocol/ZnxpRequest.h"

namespace zanmel::platform {

namespace {

// A launcher stand-in: a window with the instance property whose copy-data handler is the real one, over a
// real keyword index; replies go back through real copy-data messages.
class LauncherStandIn : public Window, public ProtocolServices {
public:
    TKeyWordList index{"PC"};
    std::string lastFile;
    std::string lastAdded;

    LauncherStandIn() {
        RegisterWindowClass(L"ZanmelLauncherStandIn");
        Create(L"ZanmelLauncherStandIn", L"Zanmel", WS_OVERLAPPED, 0, 0, 0, 10, 10);
        SetPropW(Handle(), kInstanceProperty, reinterpret_cast<HANDLE>(1));
    }
    ~LauncherStandIn() override { RemovePropW(Handle(), kInstanceProperty); }

    SearchResult Search(std::string query, bool caseSensitive, bool forward, bool byRomaji) override {
        auto result = index.Search(query, caseSensitive, forward, byRomaji);
        return {result.keywords, result.completed};
    }
    void RunKeyword(const std::string& keyword) override { index.Learning(keyword); }
    void RunFile(const std::string& path) override { lastFile = path; }
    void OpenRegistration(const std::string& path) override { lastAdded = path; }
    void AddNotifyWindow(std::int32_t) override {}
    void PostExit() override {}
    void SendReply(std::int32_t window, const std::string& text) override {
        SendCopyData(reinterpret_cast<HWND>(static_cast<std::intptr_t>(window)), Handle(), kCopyDataZnxp, text, 0);
    }
    void ShowError(std::string_view) override {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            const auto sender = static_cast<std::int32_t>(static_cast<std::intptr_t>(wParam));
            return HandleCopyData(static_cast<std::uint32_t>(data->dwData), sender,
                                  CopyDataText(data->lpData, data->cbData), *this);
        }
        return Default(message, wParam, lParam);
    }
};

struct ClientRun {
    DWORD exitCode = 0;
    std::string out;
};

// Runs znxp.exe with the arguments, keeping this thread's windows answering while it waits.
ClientRun RunClient(const std::wstring& args, const std::string& input = "") {
    test::TempFolder folder;
    const std::wstring outPath = ToWide(folder / "out.txt");
    const std::wstring inPath = ToWide(folder / "in.txt");
    test::WritePlainFile(folder / "in.txt", input);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    KernelHandle out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    KernelHandle in(CreateFileW(inPath.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = in.Get();
    std::wstring commandLine = L"\"" + ToWide(test::HostPathToWindows(ZANMEL_ZNXP_EXE)) + L"\" " + args;
    PROCESS_INFORMATION process{};
    ClientRun run;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start znxp.exe";
        return run;
    }
    CloseHandle(process.hThread);
    KernelHandle child(process.hProcess);
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20000, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) break;
        if (wait != WAIT_OBJECT_0 + 1) {
            ADD_FAILURE() << "znxp.exe did not end";
            TerminateProcess(child.Get(), 99);
            break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    GetExitCodeProcess(child.Get(), &run.exitCode);
    out.Reset();
    run.out = ReadFileBytes(folder / "out.txt").value_or("");
    return run;
}

}  // namespace

TEST(ZnxpClient, TellsNoLauncherReplyAndNoReplyApart) {
    ASSERT_EQ(FindLauncherWindow(), nullptr);
    EXPECT_EQ(RunClient(L"\"GET ZNXP/1.0\"").exitCode, 2u);

    LauncherStandIn launcher;
    ASSERT_EQ(FindLauncherWindow(), launcher.Handle());
    launcher.index.Add("メモ帳", "Launch", 0, "open,notepad.exe,,,1,0");
    launcher.index.Add("a b", "Launch", 0, "open,x,,,1,0");

    ClientRun run = RunClient(L"\"GET ZNXP/1.0\" \"option:matchpartial\" \"search:メ\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:メモ帳\r\n");

    // The request from standard input, as a script would pipe it.
    run = RunClient(L"", "GET ZNXP/1.0\nsearch:\n");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:メモ帳,\"a b\"\r\n");

    run = RunClient(L"\"EXECUTE ZNXP/1.1\" \"file:C:\\a b\\表示.txt\"");
    EXPECT_EQ(run.out, "ZNXP/1.1 200 OK\r\n");
    EXPECT_EQ(launcher.lastFile, "C:\\a b\\表示.txt");
    run = RunClient(L"\"ADD ZNXP/1.0\" \"file:..\\ソフト\\表.exe\"");
    EXPECT_EQ(run.out, "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(launcher.lastAdded, "..\\ソフト\\表.exe");

    // No hwnd: header and no sender: the launcher answers nobody.
    run = RunClient(L"--no-hwnd --zero-sender --timeout 3000 \"EXECUTE ZNXP/1.1\" \"file:x\"");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(launcher.lastFile, "C:\\a b\\表示.txt");
}

// Senders are untrusted: a null block, a zero count, a block without NUL, 16 MB of text and random bytes are
// all read within their bounds and the next ordinary request is still answered.
TEST(ZnxpClient, MalformedCopyDataLeavesTheHandlerAnswering) {
    LauncherStandIn launcher;
    launcher.index.Add("abc", "Launch", 0, "open,x,,,1,0");
    auto send = [&](DWORD kind, const void* data, DWORD size) {
        COPYDATASTRUCT block{kind, size, const_cast<void*>(data)};
        return SendMessageW(launcher.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
    };
    EXPECT_EQ(send(1192, nullptr, 0), 1);
    EXPECT_EQ(send(1192, nullptr, 100), 1);
    EXPECT_EQ(send(0, "", 0), 1);
    const std::string noNul = "GET ZNXP/1.0\r\nhwnd:1";
    EXPECT_EQ(send(1192, noNul.data(), static_cast<DWORD>(noNul.size())), 1);
    std::string big(16u << 20, 'x');
    big.replace(0, 14, "GET ZNXP/1.0\r\n");
    EXPECT_EQ(send(1192, big.data(), static_cast<DWORD>(big.size())), 1);
    std::string noise(4096, '\0');
    unsigned state = 12345;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    EXPECT_EQ(send(1192, noise.data(), static_cast<DWORD>(noise.size())), 1);
    EXPECT_EQ(send(0, noise.data(), static_cast<DWORD>(noise.size())), 1);
    EXPECT_EQ(send(5, "x", 2), 0);

    const ClientRun run = RunClient(L"\"GET ZNXP/1.0\" \"search:a\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out, "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:abc\r\n");
}

}  // namespace zanmel::platform
