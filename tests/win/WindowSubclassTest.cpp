#include <gtest/gtest.h>

#include <string>

#include "platform/WindowSubclass.h"

namespace zanmel::platform {

namespace {

constexpr UINT kProbe = WM_APP + 7;
constexpr UINT kRemoveOther = WM_APP + 8;
constexpr UINT kDestroy = WM_APP + 9;

std::string g_trace;

// Records its letter (the id) and passes the message on; on kRemoveOther it removes the procedure with id 'a'
// before passing on, on kDestroy it destroys the window.
LRESULT CALLBACK Recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == kProbe || message == kRemoveOther || message == kDestroy) g_trace += static_cast<char>(id);
    if (message == kRemoveOther) RemoveSubclass(hwnd, &Recorder, 'a');
    if (message == kDestroy) {
        DestroyWindow(hwnd);
        return 5;
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

HWND MakeEdit() {
    return CreateWindowExW(0, L"EDIT", L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(WindowSubclass, RunsLastInstalledFirstAndGivesTheWindowItsProcedureBack) {
    HWND edit = MakeEdit();
    ASSERT_NE(edit, nullptr);
    const LONG_PTR own = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    ASSERT_TRUE(InstallSubclass(edit, &Recorder, 'a', 0));
    ASSERT_TRUE(InstallSubclass(edit, &Recorder, 'b', 0));
    ASSERT_TRUE(InstallSubclass(edit, &Recorder, 'a', 1));  // again: same place, new data
    g_trace.clear();
    SendMessageW(edit, kProbe, 0, 0);
    EXPECT_EQ(g_trace, "ba");
    // The edit's own procedure still answers behind the chain.
    wchar_t text[16]{};
    EXPECT_EQ(GetWindowTextW(edit, text, 16), 4);

    // Removed while its message is on the way down, 'a' is skipped at once and gone for the next message.
    g_trace.clear();
    SendMessageW(edit, kRemoveOther, 0, 0);
    SendMessageW(edit, kProbe, 0, 0);
    EXPECT_EQ(g_trace, "bb");

    RemoveSubclass(edit, &Recorder, 'b');
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), own);
    g_trace.clear();
    SendMessageW(edit, kProbe, 0, 0);
    EXPECT_EQ(g_trace, "");
    DestroyWindow(edit);
}

TEST(WindowSubclass, AWindowDestroyedByItsOwnChainEndsTheChain) {
    HWND edit = MakeEdit();
    ASSERT_TRUE(InstallSubclass(edit, &Recorder, 'a', 0));
    ASSERT_TRUE(InstallSubclass(edit, &Recorder, 'b', 0));
    g_trace.clear();
    EXPECT_EQ(SendMessageW(edit, kDestroy, 0, 0), 5);
    EXPECT_EQ(g_trace, "b");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_FALSE(InstallSubclass(edit, &Recorder, 'c', 0));
    RemoveSubclass(edit, &Recorder, 'a');  // nothing left to remove: no effect

    // A new window, even one that gets the same handle, starts with an empty chain.
    HWND next = MakeEdit();
    ASSERT_TRUE(InstallSubclass(next, &Recorder, 'c', 0));
    g_trace.clear();
    SendMessageW(next, kProbe, 0, 0);
    EXPECT_EQ(g_trace, "c");
    DestroyWindow(next);
}

}  // namespace zanmel::platform
