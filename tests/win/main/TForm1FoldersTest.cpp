#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <utility>

#include "ProgramFixture.h"
#include "core/FolderTree.h"
#include "core/TreePlacement.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/DirViewWindow.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/dialogs/ExtDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToCp932;
using platform::ToWide;

namespace {

using Lines = std::vector<std::string>;
using Node = FolderTree::Node;

// A program folder with the built-in icons, the real keyword index and launch module (deletions go through
// it, so keywords and icon files really go); runs are recorded instead of started.
class MainWindowTreeTest : public test::MainWindowFixture {
protected:
    MainWindowTreeTest() : MainWindowFixture({.launcher = true}) {}

    static std::string Icon(int i) { return test::SourcePath("data/defaulticon/" + std::to_string(i) + ".ico"); }
    std::string File(const std::string& name) const { return platform::ReadFileBytes(Sheet(name)).value_or("<none>"); }

    // A sheet of tree.txt and keyword.txt; every keyword of kind "Launch" gets icon number 1000 + its position
    // and an icon file.
    void WriteSheet(const std::string& tree, const std::vector<std::pair<std::string, std::string>>& keywords) {
        std::string text;
        int number = 1000;
        for (const auto& [keyword, kind] : keywords) {
            const int icon = kind == "Launch" ? number++ : 0;
            if (icon) CopyFileW(ToWide(Icon(0)).c_str(), ToWide(IconFile(icon)).c_str(), FALSE);
            text += keyword + "," + kind + "," + std::to_string(icon) + ",,,PC,x,\"open,x.exe,,,1,0\"\r\n";
        }
        test::WritePlainFile(Sheet("tree.txt"), tree);
        test::WritePlainFile(Sheet("keyword.txt"), text);
    }
    std::string IconFile(int number) const { return Sheet("icon\\" + std::to_string(number) + ".ico"); }

    void Open() {
        TForm1::Dependencies deps = Dependencies();
        deps.deleteKeyword = [this](const std::string& keyword, bool save) {
            return launcher->DeleteKeyWord(keyword, save);
        };
        form = std::make_unique<TForm1>(std::move(deps));
        form->Show(SW_SHOWNORMAL);
    }

    HWND Tree() const { return form->TreeView1(); }
    // A folder's children enter the view when it is first opened; this asks the window for them the way the
    // tree does before opening, without opening it.
    void Fill(HTREEITEM item) const {
        NMTREEVIEWW change{};
        change.hdr.hwndFrom = Tree();
        change.hdr.code = TVN_ITEMEXPANDINGW;
        change.action = TVE_EXPAND;
        change.itemNew.hItem = item;
        SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    }
    HTREEITEM ItemOf(const Node* node, HTREEITEM item = TVI_ROOT) const {
        if (item != TVI_ROOT) Fill(item);
        for (HTREEITEM i = item == TVI_ROOT ? TreeView_GetRoot(Tree()) : TreeView_GetChild(Tree(), item); i;
             i = TreeView_GetNextSibling(Tree(), i)) {
            TVITEMW tv{};
            tv.mask = TVIF_PARAM | TVIF_HANDLE;
            tv.hItem = i;
            TreeView_GetItem(Tree(), &tv);
            if (reinterpret_cast<const Node*>(tv.lParam) == node) return i;
            if (HTREEITEM found = ItemOf(node, i)) return found;
        }
        return nullptr;
    }
    // The tree view's content in tree.txt form, to compare with the model and the file.
    std::string ViewText(HTREEITEM parent = TVI_ROOT, int depth = 0) const {
        std::string text;
        if (parent != TVI_ROOT) Fill(parent);
        for (HTREEITEM i = parent == TVI_ROOT ? TreeView_GetRoot(Tree()) : TreeView_GetChild(Tree(), parent); i;
             i = TreeView_GetNextSibling(Tree(), i)) {
            wchar_t buffer[256] = {};
            TVITEMW tv{};
            tv.mask = TVIF_TEXT | TVIF_HANDLE;
            tv.hItem = i;
            tv.pszText = buffer;
            tv.cchTextMax = 256;
            TreeView_GetItem(Tree(), &tv);
            text +=
                std::string(static_cast<std::size_t>(depth), '\t') + ToCp932(buffer) + "\r\n" + ViewText(i, depth + 1);
        }
        return text;
    }
    Node* Find(const std::string& text) const { return form->Tree().FindLast(text); }
    // Makes a node (or none) the current node the way a key press in the tree does.
    void Current(const Node* node) {
        TreeView_SelectItem(Tree(), node ? ItemOf(node) : nullptr);
        SendMessageW(Tree(), WM_KEYDOWN, VK_F5, 0);
        ASSERT_EQ(form->CurrentNode(), node);
    }
    void Key(HWND control, WPARAM key) { SendMessageW(control, WM_KEYDOWN, key, 0); }
    // Expects the tree model, the view and tree.txt to hold the same tree.
    void ExpectTree(const std::string& text) {
        EXPECT_EQ(WriteTreeText(form->Tree()), text);
        EXPECT_EQ(ViewText(), text);
        EXPECT_EQ(File("tree.txt"), text);
    }
    Lines Queries() const {
        Lines list;
        for (const auto& call : ui.Calls()) {
            if (call.kind == test::ScriptedUserInterface::Kind::QueryText) {
                list.push_back(call.title + "|" + call.text + "|" + call.initial);
            }
        }
        return list;
    }
};

constexpr char kAuto[] = "##自動実行-起動時\r\n##自動実行-終了時\r\n";

// The entries of a menu as "caption" lines; disabled ones end in " (off)", submenu entries are indented.
Lines MenuEntries(HMENU menu, const std::string& indent = "") {
    Lines entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            entries.push_back(indent + "-");
            continue;
        }
        entries.push_back(indent + ToCp932(caption) + ((info.fState & MFS_DISABLED) ? " (off)" : ""));
        if (info.hSubMenu) {
            for (auto& sub : MenuEntries(info.hSubMenu, indent + "  ")) entries.push_back(sub);
        }
    }
    return entries;
}

// Right-clicks a window at a client point; the menu that opens is recorded and closed again at once, or its entry
// with the mnemonic menuKey is chosen. The timer keeps ticking until the click is handled: the tree's own
// right-button loop may dispatch it before any menu.
HMENU openedMenu = nullptr;
wchar_t menuKey = 0;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    if (!openedMenu) openedMenu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    if (menuKey) {
        PostMessageW(menuWindow, WM_CHAR, std::exchange(menuKey, 0), 0);
    } else {
        EndMenu();
    }
}
HMENU RightClick(HWND hwnd, POINT p) {
    openedMenu = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &CloseMenu);
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    KillTimer(nullptr, timer);
    return openedMenu;
}

}  // namespace

TEST_F(MainWindowTreeTest, FoldersAreCreatedAndRenamed) {
    WriteSheet("#A\r\n\tx\r\n#B\r\n", {{"x", "Launch"}});
    Open();

    // Without a current node: empty and duplicate names are refused (the auto-run folders count), the field
    // keeps the last typed value, and the new folder goes to the end of the top level with the folder icon.
    Current(nullptr);
    for (const char* answer : {"", "A", "#自動実行-起動時", "New"}) ui.AnswerQuery(answer);
    ui.ExpectMessage();
    ui.ExpectMessage();
    ui.ExpectMessage();
    form->MakeNewFolder();
    EXPECT_EQ(ui.Messages(),
              (Lines{"フォルダ名を入力して下さい", "フォルダ名が重複しています", "フォルダ名が重複しています"}));
    EXPECT_EQ(Queries(),
              (Lines{"フォルダの作成|フォルダ名を入力して下さい|", "フォルダの作成|フォルダ名を入力して下さい|",
                     "フォルダの作成|フォルダ名を入力して下さい|A",
                     "フォルダの作成|フォルダ名を入力して下さい|#自動実行-起動時"}));
    ExpectTree(std::string("#A\r\n\tx\r\n#B\r\n") + kAuto + "#New\r\n");
    EXPECT_EQ(Find("#New")->imageIndex, form->IconIndex(1));
    EXPECT_NE(form->IconIndex(1), form->IconIndex(0));

    // On a folder the new one is its sibling before it; on an item inside a folder it goes into that folder.
    Current(Find("#B"));
    ui.AnswerQuery("C");
    form->MakeNewFolder();
    Current(Find("x"));
    ui.AnswerQuery("D");
    form->MakeNewFolder();
    ui.AnswerQuery(std::nullopt);  // cancelled: nothing happens
    form->MakeNewFolder();
    ExpectTree(std::string("#A\r\n\t#D\r\n\tx\r\n#C\r\n#B\r\n") + kAuto + "#New\r\n");

    // Rename: the own name is accepted silently, another folder's name is refused with the typed value kept,
    // an empty name leaves "#".
    ui = {};
    Current(Find("#C"));
    ui.AnswerQuery("C");
    form->FolderMenuNameChangeClick();
    ui.AnswerQuery("D");
    ui.AnswerQuery(std::nullopt);
    ui.ExpectMessage();
    form->FolderMenuNameChangeClick();
    EXPECT_EQ(ui.Messages(), Lines{"フォルダ名が重複しています。"});
    ui.AnswerQuery("");
    form->FolderMenuNameChangeClick();
    EXPECT_EQ(
        Queries(),
        (Lines{"フォルダの作成|フォルダ名を入力して下さい。|C", "フォルダの作成|フォルダ名を入力して下さい。|C",
               "フォルダの作成|フォルダ名を入力して下さい。|D", "フォルダの作成|フォルダ名を入力して下さい。|C"}));
    ExpectTree(std::string("#A\r\n\t#D\r\n\tx\r\n#\r\n#B\r\n") + kAuto + "#New\r\n");
}

TEST_F(MainWindowTreeTest, FoldersAreDeletedWithTheirItems) {
    WriteSheet("#A\r\n\tx\r\n\t#Sub\r\n\t\ty\r\n\t\tz\r\n#E\r\n#P\r\n\tp\r\n\tq\r\n\tr\r\n",
               {{"x", "Launch"}, {"y", "WEB"}, {"z", "Other"}, {"p", "Launch"}, {"r", "Launch"}, {"keep", "Launch"}});
    Open();
    ASSERT_EQ(GetFileAttributesW(ToWide(IconFile(1000)).c_str()) != INVALID_FILE_ATTRIBUTES, true);

    // An empty folder: Cancel keeps it but tree.txt is written all the same; OK removes it.
    test::WritePlainFile(Sheet("tree.txt"), "stale");
    Current(Find("#E"));
    ui.AnswerConfirm(false);
    Key(Tree(), VK_DELETE);
    ExpectTree(std::string("#A\r\n\tx\r\n\t#Sub\r\n\t\ty\r\n\t\tz\r\n#E\r\n#P\r\n\tp\r\n\tq\r\n\tr\r\n") + kAuto);
    ui.AnswerConfirm(true);
    Key(Tree(), VK_DELETE);
    EXPECT_EQ(form->CurrentNode(), nullptr);
    EXPECT_EQ(ui.Calls().back().text, "#E\r\nを削除しますよろしいですか？");

    // A folder with items: its keywords and icon files go; a kind the launch module does not delete reports
    // "エラー発生" and its node goes anyway; tree.txt and keyword.txt are written and the list refilled.
    Current(Find("#A"));
    ui.AnswerConfirm(true);
    ui.ExpectMessage();
    form->FolderMenuDeleteClick();
    EXPECT_EQ(ui.Calls()[ui.Calls().size() - 2].text,
              "#A\r\nを削除します。\r\nフォルダ内のデータも削除しますがよろしいですか？");
    EXPECT_EQ(ui.Messages(), Lines{"エラー発生"});
    ExpectTree(std::string("#P\r\n\tp\r\n\tq\r\n\tr\r\n") + kAuto);
    EXPECT_FALSE(keyWords.Exists("x"));
    EXPECT_FALSE(keyWords.Exists("y"));
    EXPECT_TRUE(keyWords.Exists("z"));
    EXPECT_EQ(GetFileAttributesW(ToWide(IconFile(1000)).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(File("keyword.txt").find("x,Launch"), std::string::npos);
    EXPECT_EQ(form->ListLines(), (Lines{"z", "p", "r", "keep"}));

    // An unregistered keyword stops the deletion there with its message. What went before stays deleted, and
    // the sheet's files are written at once: the deleted keywords' icon files are gone already.
    Current(Find("#P"));
    ui.AnswerConfirm(true);
    ui.ExpectMessage();
    Key(Tree(), VK_DELETE);
    EXPECT_EQ(ui.Messages().back(), "KeyWordList\r\nキーワードが存在していません。");
    ExpectTree(std::string("#P\r\n\tq\r\n\tr\r\n") + kAuto);
    EXPECT_FALSE(keyWords.Exists("p"));
    EXPECT_TRUE(keyWords.Exists("r"));
    EXPECT_EQ(GetFileAttributesW(ToWide(IconFile(1001)).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(File("keyword.txt").find("p,Launch,1001"), std::string::npos);
    EXPECT_NE(File("keyword.txt").find("r,Launch,1002"), std::string::npos);
    EXPECT_EQ(form->ListLines(), (Lines{"z", "r", "keep"}));
}

TEST_F(MainWindowTreeTest, ContextMenusItemsAndTheirCommands) {
    WriteSheet("#F\r\n\tl\r\n\t#S\r\n\t\tdeep\r\n\tw\r\n\tsf\r\n\to\r\n\tghost\r\n",
               {{"l", "Launch"}, {"w", "WEB"}, {"sf", "SpecialFolder"}, {"o", "Other"}, {"deep", "Launch"}});
    Open();

    EXPECT_EQ(MenuEntries(form->ContextMenuFor(nullptr)), Lines{"フォルダを作成"});
    EXPECT_EQ(MenuEntries(form->ContextMenuFor(Find("#F"))),
              (Lines{"フォルダ内を一括起動", "フォルダ名の変更", "-", "アイテムの登録(&A)", "  ランチャ登録 (off)",
                     "  WEB登録 (off)", "フォルダの作成(&M)", "-", "フォルダの削除(&D)"}));
    EXPECT_EQ(MenuEntries(form->ContextMenuFor(Find("l"))),
              (Lines{"編集(&E) (off)", "フォルダを開く(&O)", "-", "アイテムの登録(&A)", "  ランチャ登録 (off)",
                     "  WEB登録 (off)", "フォルダの作成(&M)", "-", "アイテムの削除(&D)"}));
    const Lines others{"編集(&E) (off)",     "-", "アイテムの登録(&A)", "  ランチャ登録 (off)", "  WEB登録 (off)",
                       "フォルダの作成(&F)", "-", "アイテムの削除(&D)"};
    EXPECT_EQ(MenuEntries(form->ContextMenuFor(Find("w"))), others);
    EXPECT_EQ(MenuEntries(form->ContextMenuFor(Find("sf"))), others);
    EXPECT_NE(form->ContextMenuFor(Find("w")), form->ContextMenuFor(Find("sf")));
    EXPECT_EQ(form->ContextMenuFor(Find("o")), nullptr);
    try {
        form->ContextMenuFor(Find("ghost"));
        ADD_FAILURE() << "an unregistered keyword got a menu";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "KeyWordList\r\nキーワードが存在していません。");
    }

    // A right click selects the node under the mouse, makes it current and opens its menu there; on an empty
    // area the selection is cleared and the menu for no node opens.
    TreeView_Expand(Tree(), ItemOf(Find("#F")), TVE_EXPAND);
    RECT rc;
    TreeView_GetItemRect(Tree(), ItemOf(Find("w")), &rc, TRUE);
    EXPECT_EQ(RightClick(Tree(), {rc.left + 2, (rc.top + rc.bottom) / 2}), form->ContextMenuFor(Find("w")));
    EXPECT_EQ(form->CurrentNode(), Find("w"));
    GetClientRect(Tree(), &rc);
    EXPECT_EQ(RightClick(Tree(), {5, rc.bottom - 3}), form->ContextMenuFor(nullptr));
    EXPECT_EQ(form->CurrentNode(), nullptr);
    EXPECT_EQ(TreeView_GetSelection(Tree()), nullptr);

    // In the list, the right click selects the line's node in the tree and focuses the tree.
    SendMessageW(form->ListBox1(), LB_SETCURSEL, 0, 0);  // "l"
    EXPECT_EQ(RightClick(form->ListBox1(), {4, 4}), form->ContextMenuFor(Find("l")));
    EXPECT_EQ(form->CurrentNode(), Find("l"));
    EXPECT_EQ(GetFocus(), Tree());

    // A double click below the last line selects nothing and runs nothing.
    SendMessageW(form->ListBox1(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 400));
    EXPECT_EQ(SendMessageW(form->ListBox1(), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(runs, Lines{});

    // Run all runs the folder's own items in order, not those of its subfolders; open folder runs "tlDIR".
    Current(Find("#F"));
    ui.ExpectMessage();  // the last child, ghost, is not registered
    platform::GuardCallback([&] { form->FolderMenuAllExecuteClick(); });
    EXPECT_EQ(runs, (Lines{"l|", "w|", "sf|", "o|"}));
    Current(Find("l"));
    form->LauncherMenuDirOpenClick();
    EXPECT_EQ(runs.back(), "l|tlDIR");
    // An entry chosen in the menu runs its command.
    runs.clear();
    menuKey = L'o';
    TreeView_GetItemRect(Tree(), ItemOf(Find("l")), &rc, TRUE);
    EXPECT_EQ(RightClick(Tree(), {rc.left + 2, (rc.top + rc.bottom) / 2}), form->ContextMenuFor(Find("l")));
    EXPECT_EQ(runs, Lines{"l|tlDIR"});

    // Item deletion: Cancel changes nothing; OK deletes the keyword (saved) and the node; a kind the launch
    // module does not delete leaves the tree as it is.
    ui.AnswerConfirm(false);
    Key(Tree(), VK_DELETE);
    EXPECT_TRUE(keyWords.Exists("l"));
    ui.AnswerConfirm(true);
    Key(Tree(), VK_DELETE);
    EXPECT_EQ(ui.Calls().back().text, "l\r\nを削除しますよろしいですか？");
    EXPECT_FALSE(keyWords.Exists("l"));
    EXPECT_EQ(File("keyword.txt").find("l,Launch"), std::string::npos);
    ExpectTree("#F\r\n\t#S\r\n\t\tdeep\r\n\tw\r\n\tsf\r\n\to\r\n\tghost\r\n" + std::string(kAuto));
    Current(Find("o"));
    ui.AnswerConfirm(true);
    Key(Tree(), VK_DELETE);
    EXPECT_NE(Find("o"), nullptr);

    // Delete in the list deletes the line's node and leaves the focus in the list.
    Lines listed = form->ListLines();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Lines{"deep", "o", "sf", "w"}));
    SetFocus(form->ListBox1());
    const Lines shown = form->ListLines();
    const auto deep = std::find(shown.begin(), shown.end(), "deep") - shown.begin();
    SendMessageW(form->ListBox1(), LB_SETCURSEL, static_cast<WPARAM>(deep), 0);
    ui.AnswerConfirm(true);
    Key(form->ListBox1(), VK_DELETE);
    EXPECT_EQ(Find("deep"), nullptr);
    EXPECT_EQ(GetFocus(), form->ListBox1());
    EXPECT_EQ(form->ListLines().size(), 3u);
    ExpectTree("#F\r\n\t#S\r\n\tw\r\n\tsf\r\n\to\r\n\tghost\r\n" + std::string(kAuto));
}

TEST_F(MainWindowTreeTest, DropsMoveTheDraggedNode) {
    WriteSheet("#F1\r\n\ta\r\n\tb\r\n#F2\r\n\t#G\r\n\t\tc\r\n#F3\r\nd\r\n", {});
    Open();
    auto drop = [&](const char* dragged, const char* target, UINT hit) {
        TreeView_SelectItem(Tree(), ItemOf(Find(dragged)));
        return form->TreeView1DragDrop(target ? Find(target) : nullptr, hit);
    };
    const std::string autoRun = kAuto;

    // On a folder's icon: first in that folder, which is opened; on a label: before it.
    EXPECT_TRUE(drop("b", "#F3", TVHT_ONITEMICON));
    EXPECT_TRUE(TreeView_GetItemState(Tree(), ItemOf(Find("#F3")), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(drop("a", "#F2", TVHT_ONITEMLABEL));
    ExpectTree("#F1\r\na\r\n#F2\r\n\t#G\r\n\t\tc\r\n#F3\r\n\tb\r\nd\r\n" + autoRun);
    // An item's icon is a label drop: before it.
    EXPECT_TRUE(drop("d", "c", TVHT_ONITEMICON));
    // Below the last node: the end of the top level.
    EXPECT_TRUE(drop("#F1", nullptr, TVHT_NOWHERE));
    ExpectTree("a\r\n#F2\r\n\t#G\r\n\t\td\r\n\t\tc\r\n#F3\r\n\tb\r\n" + autoRun + "#F1\r\n");

    // Into its own subtree, or onto its own icon: nothing changes and nothing is written.
    test::WritePlainFile(Sheet("tree.txt"), "unchanged");
    EXPECT_FALSE(drop("#F2", "c", TVHT_ONITEMLABEL));
    EXPECT_FALSE(drop("#F2", "#G", TVHT_ONITEMICON));
    EXPECT_FALSE(drop("#F2", "#F2", TVHT_ONITEMICON));
    EXPECT_EQ(File("tree.txt"), "unchanged");
    EXPECT_EQ(ViewText(), WriteTreeText(form->Tree()));

    // Right of a label with an open folder above: the end of that folder; with a sibling above: before it; on
    // the first child of a folder: before it.
    TreeView_Expand(Tree(), ItemOf(Find("#F2")), TVE_EXPAND);
    TreeView_Expand(Tree(), ItemOf(Find("#G")), TVE_EXPAND);
    EXPECT_TRUE(drop("a", "#F3", TVHT_ONITEMRIGHT));  // just above #F3 shows c, the last of #G
    EXPECT_TRUE(drop("#F1", "##自動実行-終了時", TVHT_ONITEMRIGHT));
    EXPECT_TRUE(drop("b", "d", TVHT_ONITEMRIGHT));
    ExpectTree(
        "#F2\r\n\t#G\r\n\t\tb\r\n\t\td\r\n\t\tc\r\n\t\ta\r\n#F3\r\n##自動実行-起動時\r\n#F1\r\n##自動実行-終了時\r\n");

    // A real drag: begin-drag notification, mouse moves and release over a folder's icon, hit-tested by the
    // tree itself.
    TreeView_SelectItem(Tree(), ItemOf(Find("#F1")));
    RECT label;
    TreeView_GetItemRect(Tree(), ItemOf(Find("#F3")), &label, TRUE);
    const POINT icon{label.left - 8, (label.top + label.bottom) / 2};
    NMTREEVIEWW begin{};
    begin.hdr = {Tree(), 0, TVN_BEGINDRAGW};
    begin.itemNew.hItem = ItemOf(Find("#F1"));
    SendMessageW(form->Panel2(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
    EXPECT_EQ(GetCapture(), Tree());
    SendMessageW(Tree(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(icon.x, icon.y));
    SendMessageW(Tree(), WM_LBUTTONUP, 0, MAKELPARAM(icon.x, icon.y));
    EXPECT_EQ(GetCapture(), nullptr);
    ExpectTree(
        "#F2\r\n\t#G\r\n\t\tb\r\n\t\td\r\n\t\tc\r\n\t\ta\r\n#F3\r\n\t#F1\r\n##自動実行-起動時\r\n##自動実行-"
        "終了時\r\n");
}

// A sheet that stops loading halfway holds part of its own data, or the sheet's before it: closing the program
// then leaves its files as they were; once it loads whole, it is saved again.
TEST_F(MainWindowTreeTest, ASheetThatFailedToLoadIsNotWrittenOverAtExit) {
    CreateDirectoryW(ToWide(folder / "data\\broken").c_str(), nullptr);
    state->RefreshSheetList();
    WriteSheet("#Mine\r\n\tabc\r\n", {{"abc", "WEB"}});
    Open();
    const auto sheets = state->SheetList();
    const auto broken = static_cast<std::size_t>(std::find(sheets.begin(), sheets.end(), "broken") - sheets.begin());
    ASSERT_LT(broken, sheets.size());

    state->SetSheetFolder("broken");
    const std::string tree = "#Theirs\r\n\tone\r\n\t\t\ttoo deep\r\n\ttwo\r\n";
    WriteSheet(tree, {{"one", "WEB"}, {"two", "WEB"}});
    const std::string keywords = File("keyword.txt");
    EXPECT_THROW(form->ChangeSheet(broken), std::exception);
    EXPECT_TRUE(form->FormClose());
    EXPECT_EQ(File("tree.txt"), tree);
    EXPECT_EQ(File("keyword.txt"), keywords);

    test::WritePlainFile(Sheet("tree.txt"), "#Theirs\r\n\tone\r\n\ttwo\r\n");
    form->ChangeSheet(broken);
    form->Tree().Roots()[0]->text = "#Renamed";
    EXPECT_TRUE(form->FormClose());
    EXPECT_EQ(File("tree.txt").rfind("#Renamed\r\n", 0), 0u);
}

// Enter and a double click run an item and open or close a folder; the node of an empty tree.txt line is
// neither and does nothing.
TEST_F(MainWindowTreeTest, EnterAndDoubleClickRunItemsAndToggleFolders) {
    WriteSheet("#F\r\n\tabc\r\n\r\n" + std::string(kAuto), {{"abc", "WEB"}});
    Open();
    const auto doubleClick = [&](const Node* node) {
        HTREEITEM item = ItemOf(node);
        TreeView_SelectItem(Tree(), item);
        RECT rc{};
        TreeView_GetItemRect(Tree(), item, &rc, TRUE);
        SendMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.left + 2, (rc.top + rc.bottom) / 2));
    };
    const auto expanded = [&](const Node* node) {
        return (TreeView_GetItemState(Tree(), ItemOf(node), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    ASSERT_FALSE(expanded(Find("#F")));
    doubleClick(Find("#F"));
    EXPECT_TRUE(expanded(Find("#F")));
    doubleClick(Find("#F"));
    EXPECT_FALSE(expanded(Find("#F")));
    Current(Find("#F"));
    Key(Tree(), VK_RETURN);
    EXPECT_TRUE(expanded(Find("#F")));
    EXPECT_EQ(runs, Lines{});

    doubleClick(Find("abc"));
    Current(Find("abc"));
    Key(Tree(), VK_RETURN);
    EXPECT_EQ(runs, (Lines{"abc|", "abc|"}));

    const Node* empty = form->Tree().FindFirst("");
    ASSERT_NE(empty, nullptr);
    doubleClick(empty);
    Current(empty);
    Key(Tree(), VK_RETURN);
    EXPECT_EQ(runs.size(), 2u);  // and no learning error was shown
}

// Load sheet reads the home sheet's ext.txt again (a sync or an edit by hand counts at once); a sheet file it
// cannot write is told with the sheet's own message and the sheet still loads.
TEST_F(MainWindowTreeTest, LoadSheetReadsExtTxtAgainAndTellsWhatItCannotWrite) {
    struct ReadOnlyMedium : FileAccess {
        platform::Win32FileAccess real;
        std::optional<std::string> ReadFile(const std::string& path) override { return real.ReadFile(path); }
        void WriteFile(const std::string& path, std::string_view) override { throw ZanmelError("AtomicFile", path); }
    } readOnly;
    test::WritePlainFile(state->HomeSheetFolder() + "\\ext.txt", "jpg,,0,,,PC,x,\"open,v.exe,,,1,0\"\r\n");
    ASSERT_EQ(launcher->ExtList.Count(), 0u);
    ui.ExpectMessage();
    ui.ExpectMessage();
    form = std::make_unique<TForm1>(TForm1::Dependencies{*timer, *setting, keyWords, readOnly, ui, *state,
                                                         [](const std::string&, const std::string&) {}},
                                    TForm1::Lifecycle{{}, {}, {}, nullptr, [this] { launcher->LoadExtList(); }});
    EXPECT_EQ(ui.Messages(), (Lines{"ファイル " + Sheet("keyword.txt") + " を作成できません",
                                    "ファイル " + Sheet("tree.txt") + " を作成できません"}));
    EXPECT_EQ(WriteTreeText(form->Tree()), "#WEB\r\n#Launch\r\n" + std::string(kAuto));
    EXPECT_EQ(launcher->ExtList.DataOf("jpg"), "open,v.exe,,,1,0");
}

TEST_F(MainWindowTreeTest, ShiftArrowsSwitchSheetsAndANewSheetStartsAsACopy) {
    for (const char* name : {"data\\extra", "data\\portable"}) CreateDirectoryW(ToWide(folder / name).c_str(), nullptr);
    state->RefreshSheetList();
    ASSERT_EQ(state->SheetList(), (Lines{"portable", "fixed", "extra"}));
    WriteSheet("#Mine\r\n\tabc\r\n", {{"abc", "WEB"}});
    Open();
    const std::string keywords = File("keyword.txt");
    const std::string tree = WriteTreeText(form->Tree());  // with the auto-run folders it got on loading

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(form->Edit1(), VK_RIGHT);
    EXPECT_EQ(form->SheetFolder(), folder / "data\\extra");
    EXPECT_EQ(File("keyword.txt"), keywords);
    EXPECT_EQ(File("tree.txt"), tree);
    wchar_t status[64] = {};
    SendMessageW(form->StatusBar1(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(std::wstring(status), L"extra");
    EXPECT_EQ(form->ListLines(), Lines{"abc"});

    Key(Tree(), VK_RIGHT);  // wraps to the first sheet
    EXPECT_EQ(form->SheetFolder(), folder / "data\\portable");
    Key(form->ListBox1(), VK_LEFT);  // and back from the first to the last
    EXPECT_EQ(form->SheetFolder(), folder / "data\\extra");
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    Key(form->Edit2(), VK_RIGHT);  // without Shift: no switch
    EXPECT_EQ(form->SheetFolder(), folder / "data\\extra");

    // A sheet that is not in the list: Shift+arrows do nothing.
    form->ChangeSheet(1);
    EXPECT_EQ(form->SheetFolder(), folder / "data\\fixed");
    state->SetSheetFolder("unlisted");
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(form->Edit2(), VK_LEFT);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(form->SheetFolder(), folder / "data\\unlisted");
}

// A button held down from elsewhere (a file dragged from another program) and hovering over a closed folder's
// button opens that folder on a TimerMouse tick.
TEST_F(MainWindowTreeTest, HeldButtonOverAFolderButtonOpensIt) {
    WriteSheet("#F1\r\n\ta\r\n#F2\r\n\tb\r\n", {});
    Open();
    HTREEITEM folder = ItemOf(Find("#F2"));
    ASSERT_FALSE(TreeView_GetItemState(Tree(), folder, TVIS_EXPANDED) & TVIS_EXPANDED);
    RECT rc{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), folder, &rc, TRUE));
    // The button lies left of the label: one indent before it, at mid height.
    const int indent = static_cast<int>(SendMessageW(Tree(), TVM_GETINDENT, 0, 0));
    POINT overButton{rc.left - indent - indent / 2, (rc.top + rc.bottom) / 2};
    TVHITTESTINFO hit{overButton, 0, nullptr};
    SendMessageW(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    ASSERT_TRUE(hit.flags & TVHT_ONITEMBUTTON) << "no button found left of the label";

    // Press on the result list, then move over the tree with the button still down.
    RECT list{};
    GetWindowRect(form->ListBox1(), &list);
    SetCursorPos(list.left + 20, list.top + 20);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(press));
    ClientToScreen(Tree(), &overButton);
    SetCursorPos(overButton.x, overButton.y);
    const DWORD start = GetTickCount();
    bool opened = false;
    while (!opened && GetTickCount() - start < 3000) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        opened = TreeView_GetItemState(Tree(), folder, TVIS_EXPANDED) & TVIS_EXPANDED;
        Sleep(20);
    }
    INPUT release = press;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof(release));
    EXPECT_TRUE(opened);
    EXPECT_EQ(ViewText(), WriteTreeText(form->Tree()));
}

// Reports how long tree edits take on a sheet of 10,000 items in 200 folders (not a pass/fail measure).
TEST_F(MainWindowTreeTest, EditTimesWithTenThousandItems) {
    std::string tree;
    for (int f = 0; f < 200; ++f) {
        tree += "#folder" + std::to_string(f) + "\r\n";
        for (int i = 0; i < 50; ++i) tree += "\titem" + std::to_string(f * 50 + i) + "\r\n";
    }
    WriteSheet(tree, {});
    Open();
    auto time = [](auto&& f) {
        const auto start = std::chrono::steady_clock::now();
        f();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const double load = time([&] { form->LoadSheet(); });
    Current(Find("#folder150"));
    ui.AnswerQuery("new");
    const double create = time([&] { form->MakeNewFolder(); });
    TreeView_SelectItem(Tree(), ItemOf(Find("#folder3")));
    const double move = time([&] { form->TreeView1DragDrop(Find("item9000"), TVHT_ONITEMLABEL); });
    Current(Find("#new"));
    ui.AnswerConfirm(true);
    const double remove = time([&] { Key(Tree(), VK_DELETE); });
    std::printf(
        "10,000 items: load sheet %.1f ms, new folder %.1f ms, move folder %.1f ms, "
        "delete empty folder %.1f ms\n",
        load, create, move, remove);
    // Filled folder by folder as they are asked for, the view ends up holding every node in the tree's order.
    EXPECT_EQ(ViewText(), WriteTreeText(form->Tree()));
    EXPECT_EQ(TreeView_GetCount(Tree()), 10202u);
}

// The launcher item dialog and the folder picker on the real window: opened from the menus, they file the new
// item into the main tree and its view, and save tree.txt.
TEST_F(MainWindowTreeTest, LauncherItemDialogFilesThroughTheMenusAndThePicker) {
    test::WritePlainFile(folder / "tool.txt", "tool");
    WriteSheet("#F\r\n\ta\r\n" + std::string(kAuto), {{"a", "Launch"}});
    Open();
    ui::TForm3 form3(*form, ui);
    ui::TFormZanmel formZanmel({*form, form3, keyWords, *launcher, *state, ui});
    form->AttachWindows({nullptr, &form3, &formZanmel});
    EXPECT_TRUE(form->Menus().IsEnabled(ui::MenuEntryLaunch));
    EXPECT_TRUE(form->Menus().IsEnabled(ui::PopupMainMenuEntryLaunch));
    const auto click = [](HWND window, int id) { test::ClickButton(window, id); };

    // The main menu: the picker decides, here the folder #F.
    SendMessageW(form->Handle(), WM_COMMAND, ui::MenuEntryLaunch, 0);
    ASSERT_TRUE(formZanmel.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    formZanmel.SetText(ui::kItemEdit1, "tool");
    formZanmel.SetText(ui::kItemEdit2, folder / "tool.txt");
    click(formZanmel.Handle(), ui::kItemBtnOK);
    ASSERT_TRUE(form3.IsShown());
    form3.SelectNode(form3.WorkingTree().FindFirst("#F"));
    click(form3.Handle(), ui::kPickerButton1Id);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    ExpectTree("#F\r\n\ta\r\n\ttool\r\n" + std::string(kAuto));
    const std::int32_t icon = keyWords.IconNumberOf("tool");
    EXPECT_GE(icon, 1000);
    EXPECT_EQ(Find("tool")->imageIndex, form->IconIndex(icon));
    EXPECT_GE(form->IconIndex(icon), 0);

    // From an item's menu: just before the selected item, no picker.
    TreeView_SelectItem(Tree(), ItemOf(Find("a")));
    form->OpenItemDialog(ItemDialogKind::Launcher, kPlaceBeforeSelected);
    formZanmel.SetText(ui::kItemEdit1, "tool2");
    formZanmel.SetText(ui::kItemEdit2, folder / "tool.txt");
    click(formZanmel.Handle(), ui::kItemBtnOK);
    EXPECT_FALSE(form3.IsShown());
    ExpectTree("#F\r\n\ttool2\r\n\ta\r\n\ttool\r\n" + std::string(kAuto));
    EXPECT_EQ(form->SelectedTreeNode(), Find("tool2"));

    // "編集(&E)" on the current item renames its node in the view and the file.
    Current(Find("tool2"));
    form->OpenItemDialog(ItemDialogKind::Launcher, std::nullopt);
    EXPECT_EQ(formZanmel.Text(ui::kItemEdit1), "tool2");
    formZanmel.SetText(ui::kItemEdit1, "道具");
    click(formZanmel.Handle(), ui::kItemBtnOK);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    ExpectTree("#F\r\n\t道具\r\n\ta\r\n\ttool\r\n" + std::string(kAuto));
    EXPECT_TRUE(keyWords.Exists("道具"));
    EXPECT_FALSE(keyWords.Exists("tool2"));
}

// The scan entries of both menus open the item scanner on the real window; what it finds enters the tree and its
// view, and tree.txt is saved.
TEST_F(MainWindowTreeTest, ScanMenusOpenTheScannerWhichFilesIntoTheTree) {
    WriteSheet("#F\r\n" + std::string(kAuto), {});
    Open();
    ui::TFormScan formScan({*form, keyWords, *launcher, *state, files, ui});
    ui::TFormDirView dirView(form->Handle());
    formScan.SetDirView(&dirView);
    EXPECT_FALSE(form->Menus().IsEnabled(ui::MenuScanIE));
    form->AttachWindows({&dirView, nullptr, nullptr, &formScan});
    for (const UINT entry :
         {ui::MenuScanIE, ui::MenuScanProgram, ui::MenuScanExe, ui::MenuScanCustom, ui::PoppupMainMenuScanIE,
          ui::PopupMainMenuScanProgram, ui::PopupMainMenuScanExe, ui::PopupMainMenuScanCustom})
        EXPECT_TRUE(form->Menus().IsEnabled(entry)) << entry;

    SendMessageW(form->Handle(), WM_COMMAND, ui::PoppupMainMenuScanIE, 0);
    EXPECT_EQ(formScan.ScanMode(), kScanFavorites);
    SendMessageW(form->Handle(), WM_COMMAND, ui::MenuScanCustom, 0);
    ASSERT_TRUE(formScan.IsShown());
    EXPECT_EQ(formScan.ScanMode(), kScanCustom);
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    test::TempFolder scanned;
    test::WritePlainFile(scanned / "tool.txt", "tool");
    formScan.SetText(ui::kScanEdit2, "txt");
    formScan.SetText(ui::kScanEdit1, scanned.Path());
    SendMessageW(formScan.Handle(), WM_COMMAND, MAKEWPARAM(ui::kScanBtnOK, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    ExpectTree("#F\r\n" + std::string(kAuto) + "#スキャンファイル(スキャン)\r\n\ttool.txt\r\n");
    EXPECT_EQ(Find("tool.txt")->imageIndex, form->IconIndex(keyWords.IconNumberOf("tool.txt")));
    EXPECT_EQ(File("keyword.txt"), keyWords.SaveToText());
}

// The settings dialogs' entries of both menus start disabled and open their dialogs once the windows are there;
// each dialog gives the main window back when it closes.
TEST_F(MainWindowTreeTest, SettingsDialogsOpenFromBothMenus) {
    WriteSheet(std::string(kAuto), {});
    Open();
    for (const UINT entry : {ui::MenuSetLaunch, ui::PopupMainMenuSetLaunch, ui::MenuSetAll, ui::PopupMainMenuSetAll,
                             ui::MenuSetSFolder, ui::PopupMainMenuSetSFolder})
        EXPECT_FALSE(form->Menus().IsEnabled(entry)) << entry;
    ui::TForm4 form4(*timer, *launcher, *state, form->Handle());
    ui::TFormExt formExt(*timer, {form4, *launcher, *state, ui});
    form4.SetFormExt(&formExt);
    ui::TFormSetting formSetting(*timer, *setting, form->Handle(), "デフォルト");
    TSpecialFolderModule specialFolders(*timer, *state, keyWords, files, ui, shell);
    ui::TFormSpecialFolder formSpecialFolder(*timer, {*form, keyWords, specialFolders, *state, ui});
    form->AttachWindows({.formSetting = &formSetting, .form4 = &form4, .formSpecialFolder = &formSpecialFolder});
    for (const UINT entry : {ui::MenuSetLaunch, ui::PopupMainMenuSetLaunch, ui::MenuSetAll, ui::PopupMainMenuSetAll,
                             ui::MenuSetSFolder, ui::PopupMainMenuSetSFolder})
        EXPECT_TRUE(form->Menus().IsEnabled(entry)) << entry;

    SendMessageW(form->Handle(), WM_COMMAND, ui::PopupMainMenuSetAll, 0);
    ASSERT_TRUE(formSetting.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    SendMessageW(formSetting.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_NE(platform::ReadFileBytes(folder / "Zanmel.ini").value_or("").find("DefaultSkinName=デフォルト"),
              std::string::npos);

    SendMessageW(form->Handle(), WM_COMMAND, ui::MenuSetLaunch, 0);
    ASSERT_TRUE(form4.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    SendMessageW(form4.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    // The special folder dialog files into the real tree and its view, and takes a cleared row's node out.
    SendMessageW(form->Handle(), WM_COMMAND, ui::PopupMainMenuSetSFolder, 0);
    ASSERT_TRUE(formSpecialFolder.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    formSpecialFolder.SetRowTicked(9, true);   // SendTo
    formSpecialFolder.SetRowTicked(10, true);  // Trash
    formSpecialFolder.BtnSetClick();
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    ExpectTree(std::string(kAuto) + "##特殊フォルダ\r\n\tSendTo\r\n\tTrash\r\n");
    EXPECT_EQ(keyWords.KindOf("Trash"), "SpecialFolder");
    EXPECT_NE(File("keyword.txt").find("Trash,SpecialFolder,5"), std::string::npos);
    formSpecialFolder.Show();
    formSpecialFolder.SetRowTicked(9, false);
    formSpecialFolder.BtnSetClick();
    ExpectTree(std::string(kAuto) + "##特殊フォルダ\r\n\tTrash\r\n");
    EXPECT_FALSE(keyWords.Exists("SendTo"));
}

// The USB menus open their dialogs, which disable the window; after a sync the sheet menus follow the sheet
// list, and a sync that copied into the current sheet has the window read it again, so that what it saves later
// is what the sync copied.
TEST_F(MainWindowTreeTest, UsbMenusOpenTheirDialogsAndASyncIntoTheSheetReloadsIt) {
    WriteSheet("#F\r\n\ta\r\n" + std::string(kAuto), {{"a", "Launch"}});
    Open();
    ui::TFormDirView dirView(form->Handle());
    ui::TFormAutorunInf formAutorunInf({form->Handle(), *state, *launcher, files});
    ui::TFormBackUp formBackUp({form->Handle(), *state, dirView, files, ui, {}});
    ui::TFormSync formSync({form->Handle(), *state, dirView, files, ui, {}});
    EXPECT_FALSE(form->Menus().IsEnabled(ui::MenuUsbSync));
    TForm1::Windows windows;
    windows.dirView = &dirView;
    windows.formAutorunInf = &formAutorunInf;
    windows.formBackUp = &formBackUp;
    windows.formSync = &formSync;
    form->AttachWindows(windows);
    for (const UINT entry : {ui::MenuUsbAutorunInf, ui::PopupMainMenuUsbAutorunInf, ui::MenuUsbBackUp,
                             ui::PopupMainMenuUsbBackUp, ui::MenuUsbSync, ui::PopupMainMenuUsbSync}) {
        EXPECT_TRUE(form->Menus().IsEnabled(entry)) << ui::MenuEntryName(entry);
    }
    SendMessageW(form->Handle(), WM_COMMAND, ui::PopupMainMenuUsbBackUp, 0);
    EXPECT_TRUE(formBackUp.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    SendMessageW(formBackUp.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    SendMessageW(form->Handle(), WM_COMMAND, ui::MenuUsbSync, 0);
    EXPECT_TRUE(formSync.IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));

    CreateDirectoryW(ToWide(state->DataRoot() + "\\PC-SYNCED").c_str(), nullptr);
    state->RefreshSheetList();
    test::WritePlainFile(Sheet("tree.txt"), "#Synced\r\n\ta\r\n" + std::string(kAuto));
    form->SheetsSynced({state->DataRoot() + "\\PC-SYNCED"});
    EXPECT_EQ(WriteTreeText(form->Tree()), "#F\r\n\ta\r\n" + std::string(kAuto));
    HMENU sheets = form->Menus().SubmenuOf(ui::MenuFileLaunchFileChange);
    EXPECT_EQ(static_cast<std::size_t>(GetMenuItemCount(sheets)), state->SheetList().size());
    EXPECT_EQ(GetMenuItemCount(form->Menus().SubmenuOf(ui::PopupMainMenuFileLanchFileChange)),
              GetMenuItemCount(sheets));
    form->SheetsSynced({state->SheetFolder()});
    ExpectTree("#Synced\r\n\ta\r\n" + std::string(kAuto));
}

}  // namespace zanmel
