#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "ProgramFixture.h"
#include "core/FolderTree.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"
#include "skin/Win32SkinEnvironment.h"
#include "ui/dialogs/DirViewWindow.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToWide;

namespace {

// The main window over a program folder in a temporary place with the built-in icons.
class MainWindowTest : public test::MainWindowFixture {
protected:
    void Open() {
        form = std::make_unique<TForm1>(Dependencies());
        form->Show(SW_SHOWNORMAL);
    }
    void Type(HWND control, const std::string& text) {
        for (wchar_t c : ToWide(text)) SendMessageW(control, WM_CHAR, c, 0);
    }
    void Key(HWND control, WPARAM key) { SendMessageW(control, WM_KEYDOWN, key, 0); }
    std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        SendMessageW(form->Edit1(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void AddKeywords(std::initializer_list<const char*> list) {
        for (const char* keyword : list) keyWords.Add(keyword, "Launch", 0, "open,x.exe,,,1,0");
    }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(MainWindowTest, FirstStartWritesTheDefaultTreeAndAnEmptyIndex) {
    Open();
    EXPECT_EQ(platform::ReadFileBytes(Sheet("tree.txt")),
              "#WEB\r\n#Launch\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n");
    EXPECT_EQ(platform::ReadFileBytes(Sheet("keyword.txt")), "");
    EXPECT_EQ(TreeView_GetCount(form->TreeView1()), 4u);
    RECT pane;
    GetWindowRect(form->Panel1(), &pane);
    EXPECT_EQ(pane.right - pane.left, 377);
    wchar_t status[64] = {};
    SendMessageW(form->StatusBar1(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(std::wstring(status), L"fixed");
}

TEST_F(MainWindowTest, SheetWithoutAutoRunFoldersGetsThemAndATooDeepLineStopsTheLoad) {
    test::WritePlainFile(Sheet("tree.txt"), "#A\r\n\tnote\r\n\tmissing\r\n\ttorn\r\n");
    const std::string note = "note,Launch,1000,,,PC,x,\"open,n.exe,,,1,0\"\r\n";
    const std::string missing = "missing,Launch,1001,,,PC,x,\"open,m.exe,,,1,0\"\r\n";
    const std::string torn = "torn,Launch,1002,,,PC,x,\"open,t.exe,,,1,0\"\r\n";
    test::WritePlainFile(Sheet("keyword.txt"), note + missing + torn);
    CopyFileW(ToWide(folder / "defaulticon\\4.ico").c_str(), ToWide(Sheet("icon\\1000.ico")).c_str(), FALSE);
    const std::string icon = platform::ReadFileBytes(folder / "defaulticon\\4.ico").value_or("");
    test::WritePlainFile(Sheet("icon\\1002.ico"), icon.substr(0, icon.size() / 3));
    Open();
    EXPECT_EQ(WriteTreeText(form->Tree()),
              "#A\r\n\tnote\r\n\tmissing\r\n\ttorn\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n");
    EXPECT_EQ(form->ListLines(), (Lines{"note", "missing", "torn"}));
    // Loading read no item's icon file; a node reads its own when first shown. The folder shows the folder icon;
    // a missing or torn icon file shows the default icon, and the sheet loads all the same.
    EXPECT_EQ(form->IconIndex(1000), -1);
    EXPECT_EQ(form->NodeImageIndex(form->Tree().FindFirst("note")), 6);
    EXPECT_EQ(form->IconIndex(1000), 6);
    EXPECT_EQ(form->NodeImageIndex(form->Tree().FindFirst("#A")), form->IconIndex(1));
    EXPECT_EQ(form->NodeImageIndex(form->Tree().FindFirst("missing")), form->IconIndex(0));
    EXPECT_EQ(form->NodeImageIndex(form->Tree().FindFirst("torn")), form->IconIndex(0));
    // A number whose file is made again (its item deleted, a new one registered) shows the new icon.
    EXPECT_EQ(form->AddIcon(1000, LoadIconW(nullptr, IDI_APPLICATION)), 7);
    EXPECT_EQ(form->IconIndex(1000), 7);
    // Both items run, and keyword.txt keeps their rows as they were, in the order that use taught.
    Type(form->Edit1(), "m");
    Key(form->Edit1(), VK_RETURN);
    Type(form->Edit1(), "t");
    Key(form->Edit1(), VK_RETURN);
    EXPECT_EQ(runs, (Lines{"missing|", "torn|"}));
    ASSERT_TRUE(form->FormClose());
    EXPECT_EQ(platform::ReadFileBytes(Sheet("keyword.txt")), missing + torn + note);
    form.reset();

    test::WritePlainFile(Sheet("tree.txt"), "#A\r\n\t\t\tdeep\r\n");
    try {
        Open();
        ADD_FAILURE() << "a malformed tree.txt loaded";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "アイテム \"deep\" の階層 (3) が不正です");
    }
}

TEST_F(MainWindowTest, ForwardSearchCompletesOnceAndLocksTheBox) {
    AddKeywords({"abc", "abd", "xyz"});
    Open();
    EXPECT_EQ(form->ListLines(), (Lines{"abc", "abd", "xyz"}));

    Type(form->Edit1(), "ab");
    EXPECT_EQ(form->ListLines(), (Lines{"abc", "abd"}));
    EXPECT_FALSE(form->Edit1ReadOnly());
    Type(form->Edit1(), "c");  // the one match equals the text: no new text, but locked and selected
    EXPECT_EQ(form->Edit1Text(), "abc");
    EXPECT_TRUE(form->Edit1ReadOnly());
    EXPECT_EQ(Selection(), std::make_pair(DWORD{0}, DWORD{3}));
    EXPECT_EQ(form->ListLines(), Lines{"abc"});

    Key(form->Edit1(), VK_BACK);  // empties the whole box and unlocks it
    EXPECT_EQ(form->Edit1Text(), "");
    EXPECT_FALSE(form->Edit1ReadOnly());
    EXPECT_EQ(form->ListLines(), (Lines{"abc", "abd", "xyz"}));

    Type(form->Edit1(), "x");  // completes to xyz at once; further letters are ignored
    EXPECT_EQ(form->Edit1Text(), "xyz");
    EXPECT_TRUE(form->Edit1ReadOnly());
    Type(form->Edit1(), "q");
    EXPECT_EQ(form->Edit1Text(), "xyz");

    // The partial-match box replaces the list with its own result.
    Key(form->Edit1(), VK_DELETE);
    Type(form->Edit2(), "b");
    EXPECT_EQ(form->ListLines(), (Lines{"abc", "abd"}));
}

TEST_F(MainWindowTest, RomajiTypingFindsKanaKeywordsOnlyWithTheSetting) {
    AddKeywords({"メモ帳", "メール"});
    Open();
    Type(form->Edit1(), "memo");
    EXPECT_EQ(form->ListLines(), Lines{});
    EXPECT_FALSE(form->Edit1ReadOnly());
    Key(form->Edit1(), VK_BACK);

    setting->RomajiSearch = true;  // takes effect at once
    Type(form->Edit1(), "me");
    EXPECT_EQ(form->ListLines(), (Lines{"メモ帳", "メール"}));
    EXPECT_FALSE(form->Edit1ReadOnly());
    Type(form->Edit1(), "mo");
    EXPECT_EQ(form->Edit1Text(), "メモ帳");
    EXPECT_TRUE(form->Edit1ReadOnly());
    EXPECT_EQ(form->ListLines(), Lines{"メモ帳"});

    Key(form->Edit1(), VK_DELETE);
    Type(form->Edit2(), "ru");
    EXPECT_EQ(form->ListLines(), Lines{"メール"});
}

TEST_F(MainWindowTest, EnterRunsTheCompletedKeywordAndEmptiesBothBoxes) {
    AddKeywords({"abc", "xyz"});
    Open();
    Type(form->Edit2(), "q");  // no match: the shared completion memory is emptied
    Type(form->Edit1(), "x");
    ASSERT_EQ(form->Edit1Text(), "xyz");
    Key(form->Edit1(), VK_RETURN);
    EXPECT_EQ(runs, Lines{"xyz|"});
    EXPECT_EQ(form->Edit1Text(), "");
    EXPECT_EQ(GetWindowTextLengthW(form->Edit2()), 0);
    EXPECT_FALSE(form->Edit1ReadOnly());
    EXPECT_EQ(form->ListLines(), (Lines{"xyz", "abc"}));  // learning moved it forward

    // Enter on a text that is no keyword runs nothing.
    SetWindowTextW(form->Edit1(), L"nothing");
    Key(form->Edit1(), VK_RETURN);
    EXPECT_EQ(runs.size(), 1u);

    // A listed keyword deleted meanwhile: the double click fails in learning, shows its message, keeps the boxes.
    SetWindowTextW(form->Edit2(), L"b");
    keyWords.Delete("abc");
    SendMessageW(form->ListBox1(), LB_SETCURSEL, 0, 0);
    ui.ExpectMessage();
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(form->ListBox1()));
    EXPECT_EQ(ui.Messages(), Lines{"TKeyWordList::Learning\r\nKeyWordが見つかりません。"});
    wchar_t edit2[16] = {};
    GetWindowTextW(form->Edit2(), edit2, 16);
    EXPECT_EQ(std::wstring(edit2), L"b");
}

TEST_F(MainWindowTest, ArrowKeysMoveTheFocus) {
    AddKeywords({"abc"});
    Open();
    SetFocus(form->Edit1());
    Key(form->Edit1(), VK_LEFT);
    EXPECT_EQ(GetFocus(), form->Edit2());
    Key(form->Edit2(), VK_DOWN);
    EXPECT_EQ(GetFocus(), form->ListBox1());
    EXPECT_EQ(SendMessageW(form->ListBox1(), LB_GETCURSEL, 0, 0), 0);
    Key(form->ListBox1(), VK_RETURN);
    EXPECT_EQ(runs, Lines{"abc|"});
}

TEST_F(MainWindowTest, UsbMenusOnlyOnARemovableDriveAndTheDebugMenuNever) {
    Open();
    EXPECT_FALSE(form->Menus().IsVisible(ui::MenuUsb));
    EXPECT_FALSE(form->Menus().IsVisible(ui::MenuDebug));
    EXPECT_EQ(GetMenu(form->Handle()), form->Menus().MainMenu1());
    form.reset();

    test::TempFolder stick(test::RemovableDrive().Root());
    test::CopyTree(folder / "defaulticon", stick / "defaulticon");
    state = std::make_unique<platform::TState>(*timer, stick / "Zanmel.exe");
    ASSERT_TRUE(state->PortableMode());
    Open();
    EXPECT_TRUE(form->Menus().IsVisible(ui::MenuUsb));
    form.reset();
    SetCurrentDirectoryW(ToWide(folder.Path()).c_str());  // let the stick's folder go
}

TEST_F(MainWindowTest, TrayIconMinimisingAndActivation) {
    setting->GoTaskTray = true;
    setting->MinimatizeOnNoActive = true;
    Open();
    HWND window = form->Handle();
    EXPECT_TRUE(form->TrayIconShown());
    EXPECT_NE(GetWindow(window, GW_OWNER), nullptr) << "a hidden owner keeps the window off the taskbar";

    // Minimised with the icon shown, the window goes; the icon's left button brings it back with Edit1 focused.
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, TForm1::kTrayMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetFocus(), form->Edit1());

    // Losing activation minimises (into the icon); becoming active again focuses nothing with the tray on.
    SendMessageW(window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, TForm1::kTrayMessage, 1, WM_LBUTTONUP);

    // While the directory view window works the tray menu's 終了 is refused with its caption, and losing
    // activation still minimises even though the main window is disabled by the long operation.
    ui::TFormDirView dirView(window);
    form->AttachWindows({&dirView});
    dirView.SetTitle("スキャン");
    dirView.Show();
    EnableWindow(window, FALSE);
    SendMessageW(window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(IsIconic(window));
    SendMessageW(window, TForm1::kTrayMessage, 1, WM_LBUTTONUP);
    EnableWindow(window, TRUE);
    ui.ExpectMessage();
    SendMessageW(window, WM_COMMAND, ui::MenuTrayIconEnd, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(ui.Messages(), Lines{"[スキャン]終了できません"});
    EXPECT_TRUE(IsWindow(window));
    dirView.Hide();

    // Otherwise it closes the program: the sheet is saved and the window goes. Closed while minimised into the
    // icon, the window's place is the one it is restored to.
    SetWindowPos(window, nullptr, 98, 121, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(window));
    SendMessageW(window, WM_COMMAND, ui::MenuTrayIconEnd, 0);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(platform::ReadFileBytes(Sheet("tree.txt")).has_value());
    const std::string settings =
        platform::ReadFileBytes(state->DataRoot() + "\\" + state->ComputerName() + "\\setting.ini").value_or("");
    EXPECT_NE(settings.find("Top=121\r\nLeft=98\r\nWidth=500\r\nHeight=400\r\n"), std::string::npos) << settings;
}

TEST_F(MainWindowTest, FrameStripsMoveTheWindowAndCloseItOnlyStrictlyInsideTheCloseRectangle) {
    skin::Win32SkinEnvironment skinFiles;
    skin::TSkinDriver skins(*timer, skinFiles, ui, folder.Path());
    skins.Skin.CloseButton = {2, 40, 12, 60};  // on the left strip, 15 pixels wide
    form = std::make_unique<TForm1>(TForm1::Dependencies{*timer, *setting, keyWords, files, ui, *state,
                                                         [](const std::string&, const std::string&) {}},
                                    TForm1::Lifecycle{{}, {}, {}, &skins});
    form->Show(SW_SHOWNORMAL);
    HWND window = form->Handle();
    auto at = [](int x, int y) { return MAKELPARAM(x, y); };
    auto flush = [] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    };
    // Strip coordinates are the window's client coordinates less the strip's place.
    POINT origin{0, 0};
    MapWindowPoints(form->PaintBox1(), window, &origin, 1);

    // Dragging keeps the grabbed point under the mouse; the drag ends on the rectangle's left edge: no close.
    RECT before;
    GetWindowRect(window, &before);
    SendMessageW(form->PaintBox1(), WM_LBUTTONDOWN, MK_LBUTTON, at(2 - origin.x, 50 - origin.y));
    SendMessageW(form->PaintBox1(), WM_MOUSEMOVE, MK_LBUTTON, at(2 - origin.x + 30, 50 - origin.y + 20));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
    SendMessageW(form->PaintBox1(), WM_LBUTTONUP, 0, at(2 - origin.x, 50 - origin.y));
    flush();
    EXPECT_TRUE(IsWindow(window));

    // A click on the bottom edge or below the rectangle does not close either; one strictly inside does.
    for (int y : {60, 61}) {
        SendMessageW(form->PaintBox1(), WM_LBUTTONDOWN, MK_LBUTTON, at(7 - origin.x, y - origin.y));
        SendMessageW(form->PaintBox1(), WM_LBUTTONUP, 0, at(7 - origin.x, y - origin.y));
        flush();
        EXPECT_TRUE(IsWindow(window)) << y;
    }
    SendMessageW(form->PaintBox1(), WM_LBUTTONDOWN, MK_LBUTTON, at(7 - origin.x, 59 - origin.y));
    SendMessageW(form->PaintBox1(), WM_LBUTTONUP, 0, at(7 - origin.x, 59 - origin.y));
    flush();
    EXPECT_FALSE(IsWindow(window));
    form.reset();
}

// The built-in skins through the real window: one without images, one with a title bar and images, and a fixed
// frameless one with colour keying.
TEST_F(MainWindowTest, ChosenSkinSetsTheFrameTheStripsAndTheDrawingModes) {
    test::CopyTree(test::SourcePath("data/skin"), folder / "skin");
    skin::Win32SkinEnvironment skinFiles;
    skin::TSkinDriver skins(*timer, skinFiles, ui, folder.Path());
    form = std::make_unique<TForm1>(TForm1::Dependencies{*timer, *setting, keyWords, files, ui, *state,
                                                         [](const std::string&, const std::string&) {}},
                                    TForm1::Lifecycle{{}, {}, {}, &skins});
    form->FormCreate();
    form->Show(SW_SHOWNORMAL);
    HWND window = form->Handle();
    auto width = [](HWND hwnd) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        return rc.right - rc.left;
    };
    auto height = [](HWND hwnd) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        return rc.bottom - rc.top;
    };
    auto choose = [&](const std::string& name) {
        const auto at = std::find(skins.SkinNames.begin(), skins.SkinNames.end(), name);
        ASSERT_NE(at, skins.SkinNames.end()) << name;
        SendMessageW(window, WM_COMMAND, ui::kSkinMenuBase + static_cast<UINT>(at - skins.SkinNames.begin()), 0);
    };
    auto treeText = [&](int index) {
        HTREEITEM item = TreeView_GetRoot(form->TreeView1());
        for (int i = 0; i < index; ++i) item = TreeView_GetNextSibling(form->TreeView1(), item);
        RECT rc;
        TreeView_GetItemRect(form->TreeView1(), item, &rc, TRUE);
        return rc;
    };

    // The default skin has no image: strips 15, 15 and 5 wide, no top strip, a sizeable frame with menu bar.
    EXPECT_EQ(form->SkinName(), "デフォルト");
    EXPECT_EQ(height(form->PaintBox3()), 0);
    EXPECT_EQ(width(form->PaintBox1()), 15);
    EXPECT_EQ(width(form->PaintBox2()), 15);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(GetMenu(window), form->Menus().MainMenu1());
    EXPECT_TRUE(IsWindowVisible(form->StatusBar1()));
    EXPECT_GT(treeText(0).right, 0);

    // 夕凪 keeps the title bar and frames the window with its images; the bottom strip spans the whole width
    // under the side strips.
    choose("夕凪");
    EXPECT_EQ(form->SkinName(), "夕凪");
    RECT bottom, left, right;
    GetWindowRect(GetParent(form->Edit1()), &bottom);
    GetWindowRect(form->PaintBox1(), &left);
    GetWindowRect(form->PaintBox2(), &right);
    EXPECT_EQ(bottom.left, left.left);
    EXPECT_EQ(bottom.right, right.right);
    EXPECT_EQ(left.bottom, bottom.top);
    EXPECT_EQ(right.bottom, bottom.top);
    EXPECT_EQ(height(form->PaintBox3()), skins.Skin.TopGraphic.Graphic.ImageHeight());
    EXPECT_EQ(width(form->PaintBox1()), skins.Skin.LeftGraphic.Graphic.ImageWidth());
    // The bottom image fills the strip its search boxes make: no plain band below it.
    EXPECT_EQ(bottom.bottom - bottom.top, skins.Skin.BottomGraphic.Graphic.ImageHeight());
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetMenu(window), form->Menus().MainMenu1());

    // 月影: no frame, no menu bar, no status bar, see-through magenta; the client area is the skin's size and
    // the result list is as wide as its image because the splitter is hidden.
    choose("月影");
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsWindowVisible(form->StatusBar1()));
    RECT client;
    GetClientRect(window, &client);
    const skin::TSkin& s = skins.Skin;
    EXPECT_EQ(client.right, s.TopGraphic.Graphic.ImageWidth());
    EXPECT_EQ(client.bottom, s.TopGraphic.Graphic.ImageHeight() + s.BottomGraphic.Graphic.ImageHeight() +
                                 s.LeftGraphic.Graphic.ImageHeight());
    EXPECT_EQ(width(form->Panel1()), s.ListBox.BackGround.ImageWidth());
    EXPECT_EQ(height(form->PaintBox3()), s.TopGraphic.Graphic.ImageHeight());
    EXPECT_EQ(height(GetParent(form->Edit1())), s.BottomGraphic.Graphic.ImageHeight());

    // Back to the default: frame, menu bar and status bar return, colour keying goes.
    choose("デフォルト");
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(GetMenu(window), form->Menus().MainMenu1());
    EXPECT_TRUE(IsWindowVisible(form->StatusBar1()));
    form.reset();
}

// listbox.limit keeps only the rows that fit the list. A start-up skin that fails to load stays the chosen one
// (saved at exit), and the stages it cut short leave later Debug.log lines at their depth.
TEST_F(MainWindowTest, SkinsLimitTheListAndAStartUpSkinThatFailsIsKept) {
    for (const char* name : {"skin", "skin\\limited", "skin\\broken"})
        CreateDirectoryW(ToWide(folder / name).c_str(), nullptr);
    CreateDirectoryW(ToWide(state->DataRoot() + "\\" + state->ComputerName()).c_str(), nullptr);
    test::WritePlainFile(folder / "skin\\limited\\descript.txt",
                         "name,限\r\ntype,skin\r\ncraftman,a\r\nid,lim\r\nlistbox.limit,true\r\n");
    test::WritePlainFile(folder / "skin\\broken\\descript.txt",
                         "name,壊れ\r\ntype,skin\r\ncraftman,a\r\nid,brk\r\npaneltop.closebutton.left,abc\r\n");
    for (int i = 0; i < 300; ++i) keyWords.Add("k" + std::to_string(i), "Launch", 0, "open,x.exe,,,1,0");
    const std::string settingPath = state->DataRoot() + "\\" + state->ComputerName() + "\\setting.ini";
    test::WritePlainFile(settingPath, "[MainForm]\r\nSkinName=限\r\n");
    skin::Win32SkinEnvironment skinFiles;
    skin::TSkinDriver skins(*timer, skinFiles, ui, folder.Path());
    const auto open = [&] {
        form = std::make_unique<TForm1>(TForm1::Dependencies{*timer, *setting, keyWords, files, ui, *state,
                                                             [](const std::string&, const std::string&) {}},
                                        TForm1::Lifecycle{{}, {}, {}, &skins});
    };
    open();
    form->FormCreate();
    RECT list;
    GetClientRect(form->ListBox1(), &list);
    const auto rowHeight = static_cast<LONG>(SendMessageW(form->ListBox1(), LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(form->ListLines().size(), static_cast<std::size_t>(list.bottom / rowHeight));
    form.reset();

    test::WritePlainFile(settingPath, "[MainForm]\r\nSkinName=壊れ\r\n");
    open();
    const std::size_t depth = timer->OpenStages();
    EXPECT_THROW(form->FormCreate(), ZanmelError);
    EXPECT_EQ(timer->OpenStages(), depth);
    EXPECT_EQ(form->SkinName(), "壊れ");
    ASSERT_TRUE(form->FormClose());
    EXPECT_NE(platform::ReadFileBytes(settingPath).value_or("").find("SkinName=壊れ\r\n"), std::string::npos);
    form.reset();
}

TEST_F(MainWindowTest, ActivationFocusesTheSearchBoxWithoutTray) {
    Open();
    EXPECT_FALSE(form->TrayIconShown());
    SetFocus(form->ListBox1());
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(GetFocus(), form->Edit1());
    SendMessageW(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);  // MinimatizeOnNoActive is off
    EXPECT_FALSE(IsIconic(form->Handle()));
}

// Reports the time from a keystroke in Edit1 to the list holding its result (not a pass/fail measure).
TEST_F(MainWindowTest, KeystrokeTimeWithLargeIndexes) {
    for (int count : {10000, 100000}) {
        keyWords = TKeyWordList("PC");
        for (int i = 0; i < count; ++i) {
            keyWords.Add((i % 3 ? "key" : "キー") + std::to_string(i * 7919 % 1000003), "Launch", 0, "open,x,,,1,0");
        }
        form.reset();
        DeleteFileW(ToWide(Sheet("keyword.txt")).c_str());
        Open();
        SetWindowTextW(form->Edit1(), L"");
        const auto start = std::chrono::steady_clock::now();
        Type(form->Edit1(), "k");
        Key(form->Edit1(), VK_BACK);
        Type(form->Edit1(), "key1");
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / 6.0;
        std::printf("keystroke to result list, %d keywords: %.2f ms\n", count, ms);
        RecordProperty("keystroke_ms_" + std::to_string(count), static_cast<int>(ms * 1000));
        EXPECT_FALSE(form->ListLines().empty());
    }
}

}  // namespace zanmel
