#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <random>
#include <string>

#include "LauncherFixture.h"
#include "WinTestSupport.h"
#include "platform/Handles.h"

namespace zanmel::test {

namespace {

constexpr ULONG_PTR kCommandLine = 0;
constexpr ULONG_PTR kZnxp = 1192;

SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    // Wine leaves PrivateUsage 0 for another process; the page-file usage is the same figure on Windows.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// Bytes that are no CP932 text: lone lead bytes, lead bytes before a NUL or a control character, and the
// bytes 0xFD to 0xFF, which are not characters at all.
std::string InvalidCp932(std::mt19937& random, std::size_t size) {
    static const unsigned char kBad[] = {0x81, 0x9F, 0xE0, 0xFC, 0xFD, 0xFE, 0xFF, 0x80, 0xA0};
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() % 3 == 0 ? random() % 0x20 : kBad[random() % sizeof(kBad)]);
    }
    return bytes;
}

}  // namespace

// 10,000 copy-data messages that no client should send: empty, one byte, 64 KiB and one of 16 MiB, text
// without its NUL, invalid CP932, a null data pointer, kinds nobody knows, requests naming a reply window that
// does not exist and one whose thread never answers. The launcher takes them all without a message box, and a
// correct GET is then answered correctly. Its private bytes before and after go to the test output.
TEST_F(LauncherFixture, CopyDataSoakLeavesTheLauncherAnswering) {
    WriteSheet(KeywordLine("メモ帳", RecordOf("notepad.exe", "")) + KeywordLine("note", RecordOf("notepad.exe", "")),
               "#WEB\r\n#Launch\r\n\tメモ帳\r\n\tnote\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n");
    HWND launcher = Start();
    ASSERT_TRUE(launcher);
    platform::WindowHandle sender(CreateWindowExW(0, L"STATIC", L"soak", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                                  GetModuleHandleW(nullptr), nullptr));
    // A window of a thread that takes no message until told to end: the launcher gives a reply to it up after
    // a while. (Nothing here may ask it for its text meanwhile: that would wait as long.)
    static HWND hung = nullptr;
    static platform::KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    platform::KernelHandle hungThread(CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            hung = CreateWindowExW(0, L"STATIC", L"hung", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
            WaitForSingleObject(release.Get(), INFINITE);
            DestroyWindow(hung);
            return 0;
        },
        nullptr, 0, nullptr));
    Sleep(200);
    const SIZE_T before = PrivateBytes(process.Get());

    std::mt19937 random(1192);
    const std::string big(16u << 20, 'A');
    const std::string requests[] = {"GET ZNXP/1.0\r\nsearch:",
                                    "NOTIFY ZNXP/1.0\r\n",
                                    "EXECUTE ZNXP/1.0\r\n",
                                    "XYZ ZNXP/9.9\r\nhwnd:",
                                    "GET ZNXP/1.0\r\nhwnd:87654321\r\noption:ignorecase",
                                    "EXECUTE ZNXP/1.1\r\n",
                                    "ADD ZNXP/1.0\r\nsender:x"};
    int sent = 0;
    SIZE_T middle = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; i < 10000; ++i) {
        std::string payload;
        ULONG_PTR kind = kZnxp;
        bool nullData = false;
        switch (i % 10) {
            case 0:  // empty, of either kind, or with a null data pointer and a length
                kind = i % 20 == 0 ? kCommandLine : kZnxp;
                nullData = i % 30 == 0;
                break;
            case 1:
                payload.assign(1, static_cast<char>(random() % 256));
                kind = random() % 2 == 0 ? kZnxp : kCommandLine;
                if (kind == kCommandLine) payload = std::string(1, '\0');  // a line with any item would be run
                break;
            case 2:  // 64 KiB without a NUL
                payload = requests[random() % std::size(requests)] + std::string(64u << 10, 'x');
                payload.resize(64u << 10);
                break;
            case 3:  // invalid CP932 after a request line, and on its own
                payload = (random() % 2 ? requests[random() % std::size(requests)] : "") +
                          InvalidCp932(random, 1 + random() % 4096);
                break;
            case 4:  // kinds nobody knows, with text of any size
                kind = 1 + random() % 100000;
                if (kind == kZnxp) kind = 7;
                payload = InvalidCp932(random, random() % 70000);
                break;
            case 5:  // a reply window that does not exist
                payload = "GET ZNXP/1.0\r\nhwnd:" + std::to_string(0x7FFF0000 + random() % 0xFFFF) + "\r\nsearch:メ";
                payload.push_back('\0');
                break;
            case 6:  // headers without request, request without headers, control characters
                payload = std::string("\r\n\r\nhwnd:\r\n:::\r\n") + std::string(1 + random() % 64, '\x01');
                break;
            default:  // requests cut at any length
                payload = requests[random() % std::size(requests)];
                payload.resize(random() % (payload.size() + 1));
                break;
        }
        if (i == 9999) {
            // The last one of 16 MiB. Wine carries a message this size slowly (often longer than this wait) and
            // keeps part of it, even of a kind the launcher ignores: it is counted and measured apart.
            middle = PrivateBytes(process.Get());
            payload = "GET ZNXP/1.0\r\nsearch:" + big;
        }
        COPYDATASTRUCT data{kind, static_cast<DWORD>(payload.size()), payload.empty() ? nullptr : payload.data()};
        if (nullData) data.cbData = 16;
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(launcher, WM_COPYDATA, reinterpret_cast<WPARAM>(sender.Get()),
                                reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, i == 9999 ? 20000 : 5000, &result)) {
            ++sent;
        }
    }
    // One request to the hung window.
    const std::string toHung = "GET ZNXP/1.0\r\nhwnd:" + std::to_string(reinterpret_cast<std::intptr_t>(hung)) + "\r\n";
    COPYDATASTRUCT hungData{kZnxp, static_cast<DWORD>(toHung.size() + 1), const_cast<char*>(toHung.c_str())};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(launcher, WM_COPYDATA, reinterpret_cast<WPARAM>(sender.Get()),
                        reinterpret_cast<LPARAM>(&hungData), SMTO_NORMAL, 20000, &result);
    const DWORD elapsed = GetTickCount() - start;
    SetEvent(release.Get());
    WaitForSingleObject(hungThread.Get(), 10000);

    EXPECT_FALSE(Ended(process.Get())) << "the launcher ended";
    EXPECT_EQ(FindMessageBox(GetProcessId(process.Get())), nullptr) << "the launcher shows a message box";
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"search:メ\"").out, "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:メモ帳\r\n");
    const SIZE_T after = PrivateBytes(process.Get());
    std::printf(
        "copy-data soak: %d of 10000 messages taken in %lu ms; private bytes %zu KiB before, %zu KiB after "
        "9,999 messages, %zu KiB after the one of 16 MiB\n",
        sent, static_cast<unsigned long>(elapsed), before / 1024, middle / 1024, after / 1024);
    RecordProperty("private_kib_before", static_cast<int>(before / 1024));
    RecordProperty("private_kib_middle", static_cast<int>(middle / 1024));
    RecordProperty("private_kib_after", static_cast<int>(after / 1024));
    EXPECT_GE(sent, 9999);
    // What the launcher keeps must not grow with the number of messages.
    EXPECT_LT(middle, before + (8u << 20)) << "private bytes grew by " << (middle - before) / 1024 << " KiB";
    Close(launcher);
}

}  // namespace zanmel::test
