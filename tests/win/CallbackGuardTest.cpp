#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "WinTestSupport.h"
#include "core/ZanmelError.h"
#include "platform/CallbackGuard.h"
#include "platform/MessageLoop.h"
#include "platform/Window.h"

namespace zanmel::platform {

namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kThrowStd = WM_APP + 2;
constexpr UINT kAfter = WM_APP + 3;

class ThrowingWindow : public Window {
public:
    ThrowingWindow() {
        RegisterWindowClass(L"ZanmelThrowingWindow");
        Create(L"ZanmelThrowingWindow", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100);
    }
    int handledAfter = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case kThrow:
                throw ZanmelError("KeyWordList", "キーワードが存在していません。");
            case kThrowStd:
                throw std::out_of_range("index 7");
            case kAfter:
                ++handledAfter;
                PostQuitMessage(42);
                return 0;
            default:
                return Default(message, wParam, lParam);
        }
    }
};

class ScopedCallbackUi {
public:
    explicit ScopedCallbackUi(UserInterface* ui) { SetCallbackUserInterface(ui); }
    ~ScopedCallbackUi() { SetCallbackUserInterface(nullptr); }
};

}  // namespace

TEST(CallbackGuard, ExceptionInWindowProcedureIsShownAndTheLoopGoesOn) {
    test::ScriptedUserInterface ui;
    ui.ExpectMessage();
    ui.ExpectMessage();
    ScopedCallbackUi scope(&ui);
    ThrowingWindow window;

    PostMessageW(window.Handle(), kThrow, 0, 0);
    PostMessageW(window.Handle(), kThrowStd, 0, 0);
    PostMessageW(window.Handle(), kAfter, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 42);

    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"KeyWordList\r\nキーワードが存在していません。", "index 7"}));
    EXPECT_EQ(window.handledAfter, 1);
    // A sent message (not through the loop) is guarded too and answers 0.
    ui.ExpectMessage();
    EXPECT_EQ(SendMessageW(window.Handle(), kThrow, 0, 0), 0);
    EXPECT_EQ(ui.Messages().size(), 3u);
    EXPECT_TRUE(ui.Unexpected().empty());
}

TEST(CallbackGuard, FilterSeesQueuedMessagesFirst) {
    test::ScriptedUserInterface ui;
    ui.ExpectMessage();
    ScopedCallbackUi scope(&ui);
    ThrowingWindow window;
    int seen = 0;
    PostMessageW(window.Handle(), kThrow, 0, 0);     // taken by the filter: never reaches the window
    PostMessageW(window.Handle(), kThrowStd, 0, 0);  // the filter itself throws: reported, loop goes on
    PostMessageW(window.Handle(), kAfter, 0, 0);
    const int code = RunMessageLoop([&](MSG& msg) {
        if (msg.message == kThrow) return ++seen, true;
        if (msg.message == kThrowStd) throw ZanmelError("Filter", "bad");
        return false;
    });
    EXPECT_EQ(code, 42);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Filter\r\nbad"});
}

// Tab moves between the buttons of a window that asked for dialog navigation and stays put in one that did not.
TEST(MessageLoop, TabMovesTheFocusOnlyInDialogWindows) {
    for (const bool dialog : {true, false}) {
        ThrowingWindow window;
        ShowWindow(window.Handle(), SW_SHOWNORMAL);
        HWND first = CreateWindowExW(0, L"BUTTON", L"1", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 40, 20,
                                     window.Handle(), nullptr, nullptr, nullptr);
        HWND second = CreateWindowExW(0, L"BUTTON", L"2", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 40, 20,
                                      window.Handle(), nullptr, nullptr, nullptr);
        if (dialog) EnableDialogNavigation(window.Handle());
        SetForegroundWindow(window.Handle());
        SetFocus(first);
        PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(PumpPendingMessages());
        EXPECT_EQ(GetFocus(), dialog ? second : first) << dialog;
    }
}

TEST(Window, DestroyedFromOutsideOrWithTheObject) {
    HWND raw = nullptr;
    {
        ThrowingWindow window;
        raw = window.Handle();
        ASSERT_TRUE(IsWindow(raw));
    }
    EXPECT_FALSE(IsWindow(raw));
    ThrowingWindow window;
    DestroyWindow(window.Handle());
    EXPECT_EQ(window.Handle(), nullptr);  // the object knows, and its destructor destroys nothing twice
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace zanmel::platform
