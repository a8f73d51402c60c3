// znxp: sends one ZNXP request to the running launcher and prints the reply.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "protocol/ZnxpRequest.h"

namespace {

using zanmel::platform::ToCp932;

constexpr int kReplied = 0;
constexpr int kUsage = 1;
constexpr int kNoLauncher = 2;
constexpr int kNoReply = 3;

constexpr wchar_t kUsageText[] =
    L"usage: znxp [options] [LINE...]\n"
    L"Sends a ZNXP request to the running launcher and prints its reply. Each LINE is one line of the\n"
    L"request; without LINEs the request is read from standard input.\n"
    L"  --no-hwnd       do not add an \"hwnd:\" header naming this client's reply window\n"
    L"  --zero-sender   send with no sender window\n"
    L"  --timeout MS    how long to wait for the launcher (default 5000)\n"
    L"  --repeat N      send the request N times; the median time goes to standard error\n"
    L"Exit codes: 0 replied, 1 usage, 2 no launcher, 3 no reply.\n";

std::string g_reply;
bool g_replied = false;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data && data->dwData == zanmel::kCopyDataZnxp) {
            g_reply = std::string(zanmel::CopyDataText(data->lpData, data->cbData));
            g_replied = true;
            return 1;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void WriteOut(HANDLE stream, const std::string& bytes) {
    DWORD written = 0;
    WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadAll(HANDLE stream) {
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(stream, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

bool HasHwndHeader(const std::string& request) {
    std::size_t start = 0;
    while (start <= request.size()) {
        std::size_t end = request.find_first_of("\r\n", start);
        if (end == std::string::npos) end = request.size();
        if (start > 0 && end - start >= 5 && _strnicmp(request.c_str() + start, "hwnd:", 5) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool addHwnd = true;
    bool zeroSender = false;
    UINT timeoutMs = 5000;
    int repeat = 1;
    std::vector<std::string> lines;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--no-hwnd") {
            addHwnd = false;
        } else if (arg == L"--zero-sender") {
            zeroSender = true;
        } else if (arg == L"--timeout" && i + 1 < argc) {
            timeoutMs = static_cast<UINT>(std::max(1, _wtoi(argv[++i])));
        } else if (arg == L"--repeat" && i + 1 < argc) {
            repeat = std::max(1, _wtoi(argv[++i]));
        } else if (arg == L"--help" || arg == L"-h") {
            fwprintf(stderr, L"%ls", kUsageText);
            return kUsage;
        } else {
            lines.push_back(ToCp932(arg));
        }
    }

    std::string request;
    if (lines.empty()) {
        request = ReadAll(GetStdHandle(STD_INPUT_HANDLE));
    } else {
        for (const std::string& line : lines) request += line + "\r\n";
    }

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ReplyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZnxpClientReply";
    RegisterClassExW(&wc);
    HWND self =
        CreateWindowExW(0, wc.lpszClassName, L"znxp", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!self) return kNoReply;

    if (addHwnd && !HasHwndHeader(request)) {
        if (!request.empty() && request.back() != '\n' && request.back() != '\r') request += "\r\n";
        request += "hwnd:" + std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(self))) + "\r\n";
    }

    HWND launcher = zanmel::platform::FindLauncherWindow();
    if (!launcher) {
        fwprintf(stderr, L"znxp: no launcher is running\n");
        return kNoLauncher;
    }

    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int round = 0; round < repeat; ++round) {
        g_replied = false;
        LARGE_INTEGER start{}, end{};
        QueryPerformanceCounter(&start);
        const bool sent = zanmel::platform::SendCopyData(launcher, zeroSender ? nullptr : self, zanmel::kCopyDataZnxp,
                                                         request, timeoutMs);
        // A reply sent right after the request returned still arrives: look once more.
        MSG msg;
        while (!g_replied && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        QueryPerformanceCounter(&end);
        if (!sent) {
            fwprintf(stderr, L"znxp: the launcher did not take the request\n");
            return kNoReply;
        }
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    if (repeat > 1) {
        std::sort(times.begin(), times.end());
        fwprintf(stderr, L"znxp: median %.3f ms, min %.3f ms, max %.3f ms over %d requests\n", times[times.size() / 2],
                 times.front(), times.back(), repeat);
    }
    if (!g_replied) {
        fwprintf(stderr, L"znxp: no reply\n");
        return kNoReply;
    }
    WriteOut(GetStdHandle(STD_OUTPUT_HANDLE), g_reply);
    return kReplied;
}
