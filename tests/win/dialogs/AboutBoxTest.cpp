#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WinTestSupport.h"
#include "ui/dialogs/AboutBox.h"

namespace zanmel::ui {

namespace {

// The visible top-level window of this process with the given caption, or nullptr.
HWND FindShown(const wchar_t* caption) {
    HWND found = FindWindowW(nullptr, caption);
    DWORD pid = 0;
    if (found) GetWindowThreadProcessId(found, &pid);
    return found && pid == GetCurrentProcessId() && IsWindowVisible(found) ? found : nullptr;
}

std::wstring TextOf(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

struct Seen {
    std::wstring product, version, description, ok;
    bool ownerEnabled = true;
    HWND ownerOfBox = nullptr;
};

}  // namespace

class TAboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(owner_);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Runs the box modally while a helper thread reads it and then closes it with the message given.
    Seen RunAndClose(TAboutBox& box, UINT message, WPARAM wParam) {
        Seen seen;
        HANDLE helper = test::RunHelperUntil(
            [&] {
                HWND shown = FindShown(L"バージョン情報");
                if (!shown) return false;
                seen.product = TextOf(GetDlgItem(shown, kAboutProductId));
                seen.version = TextOf(GetDlgItem(shown, kAboutVersionId));
                seen.description = TextOf(GetDlgItem(shown, kAboutDescriptionId));
                seen.ok = TextOf(GetDlgItem(shown, IDOK));
                seen.ownerEnabled = IsWindowEnabled(owner_);
                seen.ownerOfBox = GetWindow(shown, GW_OWNER);
                PostMessageW(shown, message, wParam, 0);
                return true;
            },
            10000);
        box.ShowModal(owner_);
        EXPECT_TRUE(test::JoinHelper(helper));
        return seen;
    }

    HWND owner_ = nullptr;
};

TEST_F(TAboutBoxTest, ShowsNameVersionAndDescriptionWithTheOwnerDisabledUntilOk) {
    TAboutBox box("1.2.3");
    EXPECT_FALSE(box.IsShown());
    const Seen seen = RunAndClose(box, WM_COMMAND, IDOK);
    EXPECT_EQ(seen.product, L"Zanmel");
    EXPECT_EQ(seen.version, L"バージョン 1.2.3");
    EXPECT_NE(seen.description.find(L"ランチャー"), std::wstring::npos);
    EXPECT_EQ(seen.ok, L"OK");
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_EQ(seen.ownerOfBox, owner_);
    // Back: hidden, owner usable again.
    EXPECT_FALSE(box.IsShown());
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(TAboutBoxTest, EscapeAndTheCloseButtonEndItTooAndTheBoxCanBeShownAgain) {
    TAboutBox box("0.9");
    for (const auto& [message, wParam] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}}) {
        const Seen seen = RunAndClose(box, message, wParam);
        EXPECT_EQ(seen.version, L"バージョン 0.9");
        EXPECT_FALSE(box.IsShown());
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

TEST_F(TAboutBoxTest, AQuitMessageEndsTheBoxAndIsPassedOnToTheOuterLoop) {
    TAboutBox box("1.0");
    // The helper quits the loop the box runs on (this thread); the box must hand the quit on.
    const DWORD thread = GetCurrentThreadId();
    HANDLE helper = test::RunHelperUntil(
        [&] {
            if (!FindShown(L"バージョン情報")) return false;
            PostThreadMessageW(thread, WM_QUIT, 42, 0);
            return true;
        },
        10000);
    box.ShowModal(owner_);
    EXPECT_TRUE(test::JoinHelper(helper));
    EXPECT_FALSE(box.IsShown());
    EXPECT_TRUE(IsWindowEnabled(owner_));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM{42});
}

TEST_F(TAboutBoxTest, ADisabledOwnerStaysDisabled) {
    // A dialog that already disabled the main window keeps it disabled after the box.
    EnableWindow(owner_, FALSE);
    TAboutBox box("1.0");
    RunAndClose(box, WM_COMMAND, IDOK);
    EXPECT_FALSE(IsWindowEnabled(owner_));
}

}  // namespace zanmel::ui
