#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "WinTestSupport.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"
#include "platform/TextQueryDialog.h"
#include "platform/Win32UserInterface.h"

namespace zanmel::platform {

namespace {

// The top-level dialog window of this process with the given caption, or nullptr.
HWND FindDialog(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t text[256] = {};
            GetWindowTextW(hwnd, text, 256);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && *s->caption == text) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ControlText(HWND control) {
    wchar_t text[1024] = {};
    GetWindowTextW(control, text, 1024);
    return text;
}

}  // namespace

TEST(Win32UserInterface, TextQueryReturnsTheEnteredTextOrNothing) {
    Win32UserInterface ui;
    std::wstring seenPrompt, seenInitial;
    HANDLE helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindDialog(L"URLダイレクト");
            if (!dialog) return false;
            seenPrompt = ControlText(GetDlgItem(dialog, kTextQueryPromptId));
            seenInitial = ControlText(GetDlgItem(dialog, kTextQueryEditId));
            SetWindowTextW(GetDlgItem(dialog, kTextQueryEditId), L"検索 語");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        10000);
    const auto answer = ui.QueryText("URLダイレクト", "google\r\n検索する文字列", "初期");
    EXPECT_TRUE(test::JoinHelper(helper));
    EXPECT_EQ(answer, std::optional<std::string>("検索 語"));
    EXPECT_EQ(seenPrompt, L"google\r\n検索する文字列");
    EXPECT_EQ(seenInitial, L"初期");

    helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindDialog(L"問い合わせ");
            if (!dialog) return false;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        10000);
    EXPECT_FALSE(ui.QueryText("問い合わせ", "名前", "x").has_value());
    EXPECT_TRUE(test::JoinHelper(helper));
}

TEST(Win32UserInterface, MessageBoxesAreCaptionedZanmelAndConfirmTellsOkFromCancel) {
    Win32UserInterface ui;
    for (const bool pressOk : {true, false}) {
        std::wstring seen;
        HANDLE helper = test::RunHelperUntil(
            [&] {
                HWND box = FindDialog(L"Zanmel");
                if (!box) return false;
                seen = ControlText(GetDlgItem(box, 0xFFFF));
                PostMessageW(box, WM_COMMAND, pressOk ? IDOK : IDCANCEL, 0);
                return true;
            },
            10000);
        EXPECT_EQ(ui.Confirm("フォルダを削除しますか？"), pressOk);
        EXPECT_TRUE(test::JoinHelper(helper));
        EXPECT_EQ(seen, L"フォルダを削除しますか？");
    }
    // A message belongs to the dialog of the main window that is active, else to the main window.
    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                nullptr);
    HWND dialog = CreateWindowExW(0, L"STATIC", L"dialog", WS_POPUP | WS_VISIBLE, 50, 50, 100, 50, main, nullptr,
                                  nullptr, nullptr);
    ui.SetOwner(main);
    for (HWND active : {dialog, main}) {
        SetActiveWindow(active);
        HWND owner = nullptr;
        HANDLE helper = test::RunHelperUntil(
            [&] {
                HWND box = FindDialog(L"Zanmel");
                if (!box) return false;
                owner = GetWindow(box, GW_OWNER);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return true;
            },
            10000);
        ui.ShowMessage("実行ファイルが見つかりません");
        EXPECT_TRUE(test::JoinHelper(helper));
        EXPECT_EQ(owner, active);
    }
    DestroyWindow(main);
}

// The text of a tree view's selected item (the tree belongs to this process).
std::wstring SelectedTreeText(HWND tree) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return L"";
    return text;
}

TEST(Win32UserInterface, FolderBrowserStartsAtTheInitialFolder) {
    ComApartment apartment;
    Win32UserInterface ui;
    test::TempFolder folder(test::FixedDrive().Root());
    const std::string initial = folder / "ソフト";
    ASSERT_TRUE(CreateDirectoryW(ToWide(initial).c_str(), nullptr));
    HANDLE helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindDialog(L"フォルダの参照");
            if (!dialog) dialog = FindDialog(L"Browse for Folder");
            if (!dialog) return false;
            // The dialog selects the initial folder after it opens: wait until its tree shows it selected (Wine
            // reads every drive first, which took over five seconds on a busy machine).
            HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
            for (int i = 0; tree && i < 400 && SelectedTreeText(tree) != L"ソフト"; ++i) Sleep(50);
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        30000);
    const std::string chosen = ui.BrowseFolder(nullptr, "フォルダを選んで下さい", initial);
    EXPECT_TRUE(test::JoinHelper(helper));
    EXPECT_EQ(chosen, initial);

    helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindDialog(L"フォルダの参照");
            if (!dialog) dialog = FindDialog(L"Browse for Folder");
            if (!dialog) return false;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        15000);
    EXPECT_EQ(ui.BrowseFolder(nullptr, "フォルダを選んで下さい", initial), "");
    EXPECT_TRUE(test::JoinHelper(helper));
}

// The visible dialog-class window of this process, whatever its caption.
static HWND FindAnyDialog() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") {
                *reinterpret_cast<HWND*>(p) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(Win32UserInterface, FileOpenDialogReturnsTheChosenFile) {
    ComApartment apartment;
    Win32UserInterface ui;
    test::TempFolder folder(test::FixedDrive().Root());
    const std::string file = folder / "表示.txt";
    test::WritePlainFile(file, "x");
    HANDLE helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindAnyDialog();
            if (!dialog) return false;
            Sleep(300);
            SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(ToWide(file).c_str()));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        15000);
    EXPECT_EQ(ui.OpenFile("テキスト|*.txt|すべて|*.*", ""), std::optional<std::string>(file));
    EXPECT_TRUE(test::JoinHelper(helper));

    helper = test::RunHelperUntil(
        [&] {
            HWND dialog = FindAnyDialog();
            if (!dialog) return false;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        15000);
    EXPECT_FALSE(ui.OpenFile("すべて|*.*", file).has_value());
    EXPECT_TRUE(test::JoinHelper(helper));
}

TEST(DefaultIcons, EachBuiltInIconLoadsAsASmallIcon) {
    for (int i = 0; i <= 5; ++i) {
        const std::wstring path = ToWide(test::SourcePath("data/defaulticon/" + std::to_string(i) + ".ico"));
        IconHandle icon(static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
        ASSERT_TRUE(icon) << i << ".ico";
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 16) << i;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
}

}  // namespace zanmel::platform
