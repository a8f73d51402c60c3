#include "ui/dialogs/FolderPickerDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ProgramFixture.h"
#include "platform/MessageLoop.h"
#include "platform/Win32UserInterface.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using test::Shape;

// Under Xvfb without a window manager, Wine waits about two seconds for every hide: each test closes the
// picker once or twice.
class FolderPickerTest : public test::DialogFixture<TForm3> {
protected:
    FolderPickerTest() : DialogFixture({.icons = false}) {}
    HWND caller = nullptr;

    void SetUp() override {
        ProgramFixture::SetUp();
        // #A { a1, #B { b1 } }, x
        ReadTreeText("#A\n\ta1\n\t#B\n\t\tb1\nx\n", host.tree);
        caller = CreateWindowExW(0, L"STATIC", L"caller", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        dialog = std::make_unique<TForm3>(host, ui);
    }
    void TearDown() override {
        dialog.reset();
        DestroyWindow(caller);
        DialogFixture::TearDown();
    }
    // The calling dialog's hand-over: it is disabled, the item registered with icon number 3.
    void HandOver(const std::string& keyword) {
        EnableWindow(caller, FALSE);
        dialog->Show(caller, keyword, 3);
    }
    FolderTree::Node* Working(std::string_view text) { return dialog->WorkingTree().FindFirst(text); }
    HTREEITEM ItemOfSelection() const { return TreeView_GetSelection(dialog->TreeView1()); }
};

}  // namespace

TEST_F(FolderPickerTest, WorksOnACopyThatReplacesTheMainTreeWhenClosed) {
    HandOver("new");
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(IsWindowEnabled(host.MainWindow()));
    EXPECT_EQ(dialog->SelectedNode(), dialog->WorkingTree().Roots().front().get());
    EXPECT_EQ(GetFocus(), dialog->TreeView1());
    EXPECT_EQ(TreeView_GetCount(dialog->TreeView1()), 2u);  // closed folders keep their children out of the view

    // A folder: a name taken anywhere in the tree is asked again, prefilled with the last answer.
    dialog->SelectNode(Working("x"));
    ui.AnswerQuery("B");
    ui.ExpectMessage();
    ui.AnswerQuery("新");
    dialog->PopMenuAddFolderClick();
    EXPECT_EQ(ui.Messages(), Lines{"フォルダ名が重複しています。"});
    ASSERT_EQ(ui.Calls().size(), 3u);
    EXPECT_EQ(ui.Calls()[0].title, "新規フォルダを作成します");
    EXPECT_EQ(ui.Calls()[0].text, "フォルダ名を入力して下さい");
    EXPECT_EQ(ui.Calls()[0].initial, "");
    EXPECT_EQ(ui.Calls()[2].initial, "B");
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.a1|.#B|..b1|#新|x|");
    EXPECT_EQ(Working("#新")->imageIndex, 11);
    EXPECT_EQ(dialog->SelectedNode(), Working("#新"));
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.#B|..b1|x|");  // the main tree waits until the picker hides
    EXPECT_EQ(host.saves, 0);

    // The close box files the item at the end of the top level, with the new folder kept.
    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.#B|..b1|#新|x|new|");
    EXPECT_EQ(host.tree.FindFirst("new")->imageIndex, 13);
    EXPECT_EQ(host.tree.FindFirst("new")->selectedImageIndex, 13);
    EXPECT_EQ(host.replaced, 1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_TRUE(IsWindowEnabled(host.MainWindow()));
    EXPECT_TRUE(IsWindowEnabled(caller));
    EXPECT_EQ(TreeView_GetCount(dialog->TreeView1()), 0u);
}

// The real prompt belongs to the picker even while another window of the program is active, so that the picker
// takes no click behind it.
TEST_F(FolderPickerTest, TheFolderPromptIsOwnedByThePicker) {
    platform::Win32UserInterface shown;
    shown.SetOwner(host.MainWindow());
    TForm3 own(host, shown);
    own.Show(nullptr, "k", 0);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    HWND owner = nullptr;
    HANDLE helper = test::RunHelperUntil(
        [&] {
            HWND prompt = FindWindowW(nullptr, L"新規フォルダを作成します");
            if (!prompt) return false;
            owner = GetWindow(prompt, GW_OWNER);
            PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        10000);
    own.PopMenuAddFolderClick();
    EXPECT_TRUE(test::JoinHelper(helper));
    EXPECT_EQ(owner, own.Handle());
    EXPECT_EQ(Shape(own.WorkingTree()), "#A|.a1|.#B|..b1|x|");  // cancelled
    DestroyWindow(other);
}

TEST_F(FolderPickerTest, OkFilesIntoTheSelectedFolderLastOrBeforeTheSelectedItem) {
    HandOver("into");
    dialog->SelectNode(Working("#B"));
    EXPECT_EQ(dialog->SelectedNode(), Working("#B"));  // selecting a nested node opens the way to it
    Click(kPickerButton1Id);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.#B|..b1|..into|x|");

    HandOver("before");
    dialog->SelectNode(Working("a1"));
    Click(kPickerButton1Id);
    EXPECT_EQ(Shape(host.tree), "#A|.before|.a1|.#B|..b1|..into|x|");
    EXPECT_EQ(host.tree.FindFirst("before")->imageIndex, 13);
    EXPECT_EQ(host.saves, 2);
}

// Enter in the tree is "OK"; Esc closes as the close box does.
TEST_F(FolderPickerTest, EnterIsOkAndEscCloses) {
    const auto key = [&](WPARAM vk) {
        PostMessageW(dialog->TreeView1(), WM_KEYDOWN, vk, 0);
        platform::PumpPendingMessages({});
    };
    HandOver("entered");
    dialog->SelectNode(Working("#B"));
    key(VK_RETURN);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.#B|..b1|..entered|x|");
    HandOver("escaped");
    key(VK_ESCAPE);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.#B|..b1|..entered|x|escaped|");
}

TEST_F(FolderPickerTest, InAnEmptyTreeOkDoesNothingAndBottomMakesTheFirstNode) {
    host.tree.Clear();
    HandOver("first");
    EXPECT_EQ(dialog->SelectedNode(), nullptr);
    Click(kPickerButton1Id);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(Shape(dialog->WorkingTree()), "");
    Click(kPickerButton2Id);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(Shape(host.tree), "first|");
}

TEST_F(FolderPickerTest, ButtonsAndDraggingRearrangeTheWorkingCopy) {
    HandOver("item");
    // "↓" on the last but one goes to the end, on the last it does nothing; "↑" stops at the first.
    dialog->SelectNode(Working("a1"));
    Click(kPickerBtnDownId);
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.#B|..b1|.a1|x|");
    Click(kPickerBtnDownId);
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.#B|..b1|.a1|x|");
    EXPECT_EQ(dialog->SelectedNode(), Working("a1"));
    Click(kPickerBtnUpId);
    Click(kPickerBtnUpId);
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.a1|.#B|..b1|x|");

    // A drag with the mouse: x onto the folder #B makes it the folder's first child and opens the folder.
    HWND tree = dialog->TreeView1();
    dialog->SelectNode(Working("#B"));
    RECT target{};
    TreeView_GetItemRect(tree, ItemOfSelection(), &target, TRUE);
    dialog->SelectNode(Working("x"));
    NMTREEVIEWW begin{};
    begin.hdr.hwndFrom = tree;
    begin.hdr.idFrom = kPickerTreeId;
    begin.hdr.code = TVN_BEGINDRAGW;
    begin.itemNew.hItem = ItemOfSelection();
    SendMessageW(dialog->Handle(), WM_NOTIFY, kPickerTreeId, reinterpret_cast<LPARAM>(&begin));
    POINT drop{target.left + 2, (target.top + target.bottom) / 2};
    MapWindowPoints(tree, dialog->Handle(), &drop, 1);
    SendMessageW(dialog->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    SendMessageW(dialog->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.a1|.#B|..x|..b1|");
    EXPECT_TRUE(Working("#B")->expanded);
    EXPECT_EQ(dialog->SelectedNode(), Working("x"));

    // Onto an item: just before it, the moved node opened; into its own subtree: nothing.
    dialog->SelectNode(Working("#B"));
    EXPECT_TRUE(dialog->TreeView1DragDrop(Working("a1")));
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.#B|..x|..b1|.a1|");
    EXPECT_FALSE(dialog->TreeView1DragDrop(Working("b1")));
    EXPECT_FALSE(dialog->TreeView1DragDrop(Working("#B")));
    EXPECT_EQ(Shape(dialog->WorkingTree()), "#A|.#B|..x|..b1|.a1|");

    Click(kPickerButton2Id);
    EXPECT_EQ(Shape(host.tree), "#A|.#B|..x|..b1|.a1|item|");
}

}  // namespace zanmel::ui
