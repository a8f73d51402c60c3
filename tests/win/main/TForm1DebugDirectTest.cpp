#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ProgramFixture.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/Window.h"
#include "protocol/DirectSstp.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

using Lines = std::vector<std::string>;
using ui::TFormDebugDirectZNXS;

// The protocol test window against the real main window in a temporary program folder; runs are recorded.
class DebugDirectTest : public test::MainWindowFixture {
protected:
    std::unique_ptr<TFormDebugDirectZNXS> debug;

    void SetUp() override {
        MainWindowFixture::SetUp();
        debug = std::make_unique<TFormDebugDirectZNXS>(*timer, ui);
    }
    void TearDown() override {
        debug.reset();
        MainWindowFixture::TearDown();
    }
    void Open() { form = std::make_unique<TForm1>(Dependencies()); }
    void Click(ui::DebugDirectControl id) { test::ClickButton(debug->Handle(), id); }
    std::string Reply() const { return debug->Text(ui::kDebugMemo2); }
};

// A desktop-mascot host stand-in: a window that records the Direct SSTP messages it gets and answers as told.
class MascotStandIn : public platform::Window {
public:
    MascotStandIn() {
        RegisterWindowClass(L"ZanmelMascotStandIn");
        Create(L"ZanmelMascotStandIn", L"mascot", WS_OVERLAPPED, 0, 0, 0, 10, 10);
    }
    std::vector<std::pair<std::uint32_t, std::string>> received;
    LRESULT answer = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_COPYDATA) return Default(message, wParam, lParam);
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        received.emplace_back(static_cast<std::uint32_t>(data->dwData),
                              std::string(static_cast<const char*>(data->lpData), data->cbData));
        return answer;
    }
};

}  // namespace

TEST_F(DebugDirectTest, RequestsGoToTheRunningLauncherAndItsRepliesShow) {
    wchar_t caption[64] = {};
    GetWindowTextW(debug->Handle(), caption, 64);
    EXPECT_EQ(std::wstring(caption), L"FormDebugDirectZNXP");
    const auto self = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(debug->Handle()));
    EXPECT_EQ(debug->Text(ui::kDebugMemo1), DebugRequestText(self));
    EXPECT_EQ(Reply(), "");
    ASSERT_FALSE(timer->Lines().empty());
    EXPECT_TRUE(timer->Lines().back().ends_with(" ms:TFormDebug::TFormDebug")) << timer->Lines().back();

    // No launcher: the message, and the reply box is emptied.
    ASSERT_EQ(platform::FindLauncherWindow(), nullptr);
    debug->SetText(ui::kDebugMemo2, "old");
    ui.ExpectMessage();
    Click(ui::kDebugButton1);
    EXPECT_EQ(ui.Messages(), Lines{"Zanmelが見つかりません。"});
    EXPECT_EQ(Reply(), "");

    Open();
    keyWords.Add("メモ帳", "Launch", 0, "open,notepad.exe,,,1,0");
    keyWords.Add("メール", "Launch", 0, "open,mail.exe,,,1,0");
    // The main window's hidden debug menu opens it, and the main window stays usable.
    debug->Hide();
    form->AttachWindows({.formDebug = debug.get()});
    EXPECT_TRUE(form->Menus().IsEnabled(ui::MenuDebugDirectZNXS));
    SendMessageW(form->Handle(), WM_COMMAND, ui::MenuDebugDirectZNXS, 0);
    EXPECT_TRUE(debug->IsShown());
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    Click(ui::kDebugButton1);  // the initial request has no keyword
    EXPECT_EQ(Reply(), "ZNXP/1.0 400 Bad Request\r\n");
    debug->SetText(ui::kDebugMemo1, DebugRequestText(self) + "\r\nkeyword:メール");
    Click(ui::kDebugButton1);
    EXPECT_EQ(Reply(), "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(runs, Lines{"メール|"});
    // Without HWnd: the reply goes to the sender window.
    debug->SetText(ui::kDebugMemo1, "GET ZNXP/1.0\r\nsearch:メ");
    Click(ui::kDebugButton1);
    EXPECT_EQ(Reply(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:メール,メモ帳\r\n");
    EXPECT_EQ(ui.Messages().size(), 1u);

    // hwnd: naming a window whose thread does not answer holds the launcher only for the reply's time limit.
    struct Hung {
        HWND window = nullptr;
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    } hung;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto& h = *static_cast<Hung*>(parameter);
            h.window = CreateWindowExW(0, L"STATIC", L"hung", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            SetEvent(h.ready);
            Sleep(TForm1::kReplyTimeoutMs + 4000);  // takes no messages meanwhile
            DestroyWindow(h.window);
            return 0;
        },
        &hung, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(hung.ready, 5000);
    const auto hungHandle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hung.window));
    debug->SetText(ui::kDebugMemo1, "GET ZNXP/1.0\r\nhwnd:" + std::to_string(hungHandle) + "\r\nsearch:メ");
    const DWORD start = GetTickCount();
    Click(ui::kDebugButton1);
    const DWORD held = GetTickCount() - start;
    EXPECT_GE(held + 100, TForm1::kReplyTimeoutMs);
    EXPECT_LT(held, TForm1::kReplyTimeoutMs + 2000);
    EXPECT_EQ(Reply(), "");  // the reply went to the hung window, not here
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(hung.ready);
}

TEST_F(DebugDirectTest, DirectSstpGoesToTheLastWindowOfTheMascotDirectory) {
    // No shared memory: nothing is sent, nothing is said.
    Click(ui::kDebugButton2);

    MascotStandIn mascot;
    const std::string id(32, 'a');
    const std::string text = std::string("\x10\0\0\0", 4) + id + ".hwnd\x01" + "1" + "\r\n" + id + ".hwnd\x01" +
                             std::to_string(reinterpret_cast<std::uintptr_t>(mascot.Handle())) + "\r\n" + id +
                             ".name\x01" + "さくら\r\n";
    platform::KernelHandle mapping(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"Sakura"));
    ASSERT_TRUE(mapping);
    void* view = MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    std::copy(text.begin(), text.end(), static_cast<char*>(view));
    UnmapViewOfFile(view);

    debug->SetText(ui::kDebugMemo1, "SEND SSTP/1.4\r\nScript:\\h\\s0テスト\\e");
    ui.ExpectMessage();
    Click(ui::kDebugButton2);  // the host does not process it
    ASSERT_EQ(mascot.received.size(), 1u);
    EXPECT_EQ(mascot.received[0].first, kCopyDataDirectSstp);
    EXPECT_EQ(mascot.received[0].second, std::string("SEND SSTP/1.4\r\nScript:\\h\\s0テスト\\e") + '\0');
    EXPECT_EQ(ui.Messages(), Lines{"送信しましたが処理されませんでした"});
    mascot.answer = 1;
    Click(ui::kDebugButton2);
    EXPECT_EQ(mascot.received.size(), 2u);
    EXPECT_EQ(ui.Messages().size(), 1u);
}

}  // namespace zanmel
