#include "ui/dialogs/LauncherItemDialog.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "FakeDataObject.h"
#include "ProgramFixture.h"
#include "core/TreePlacement.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using platform::ToWide;
using test::Shape;

// A program folder on a removable or a fixed drive with the built-in icons, the real keyword index and launch
// module; the main window is the test double, the folder picker the real one.
// Under Xvfb without a window manager, Wine waits about two seconds for every hide: tests hide sparingly.
class LauncherItemTest : public test::TreeItemFixture<TFormZanmel, kItemEdit1, kItemEdit2> {
protected:
    explicit LauncherItemTest(bool portable = false)
        : TreeItemFixture(
              {.base = portable ? test::RemovableDrive().Root() : test::FixedDrive().Root(), .launcher = true}) {}

    void SetUp() override {
        TreeItemFixture::SetUp();
        test::WritePlainFile(folder / "tool.txt", "tool");
        test::WritePlainFile(folder / "other.txt", "other");
    }
};

class PortableLauncherItemTest : public LauncherItemTest {
protected:
    PortableLauncherItemTest() : LauncherItemTest(true) {}
};

}  // namespace

TEST_F(LauncherItemTest, NewItemIsCheckedRegisteredAndFiledBeforeOrIntoTheSelectedNode) {
    host.selected = host.tree.FindFirst("x");
    Open(TFormZanmel::kModeNew, kPlaceBeforeSelected);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(GetFocus(), dialog->Control(kItemBtnOK));
    EXPECT_EQ(dialog->Text(kItemEdit1), "");
    EXPECT_EQ(Selection(kItemComboBox1), 0);
    EXPECT_EQ(Selection(kItemComboBox2), 0);
    EXPECT_EQ(SendMessageW(dialog->Control(kItemComboBox1), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(dialog->Control(kItemComboBox2), CB_GETCOUNT, 0, 0), 12);

    // Checks in order, each leaving the dialog open with its fields.
    ui.AllowMessages();
    Fill("", folder / "tool.txt");
    Click(kItemBtnOK);
    Fill("#x", folder / "tool.txt");
    Click(kItemBtnOK);
    keyWords.Add("taken", "Launch", 0, ",x,,,1,0");
    Fill("taken", folder / "tool.txt");
    Click(kItemBtnOK);
    EXPECT_EQ(ui.Messages(), (Lines{"キーワード、ファイル、フォルダは空欄にはできません。",
                                    "#で始まるキーワードは許されません。", "キーワードが既に登録されています。"}));
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->Text(kItemEdit1), "taken");
    EXPECT_EQ(Shape(host.tree), "#A|.a1|x|");
    EXPECT_EQ(host.saves, 0);

    // Extra fields into the record: a verb, parameters, a working folder and a show mode.
    Fill("ツール", folder / "tool.txt");
    Click(kItemBtnShowExtra);
    SendMessageW(dialog->Control(kItemComboBox1), CB_SETCURSEL, 2, 0);
    SendMessageW(dialog->Control(kItemComboBox2), CB_SETCURSEL, 2, 0);
    dialog->SetText(kItemEdit3, "-a \"b\"");
    dialog->SetText(kItemEdit4, "C:\\作業");
    Click(kItemBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    ASSERT_TRUE(keyWords.Exists("ツール"));
    EXPECT_EQ(keyWords.DataOf("ツール"), "edit," + folder / "tool.txt" + ",\"-a \"\"b\"\"\",C:\\作業,3,0");
    EXPECT_NE(KeywordFile().find("ツール,Launch,1000,"), std::string::npos);
    EXPECT_EQ(Shape(host.tree), "#A|.a1|ツール|x|");
    FolderTree::Node* node = host.tree.FindFirst("ツール");
    ASSERT_EQ(host.iconMap.back().first, 1000);
    EXPECT_EQ(node->imageIndex, host.iconMap.back().second);
    EXPECT_EQ(node->selectedImageIndex, host.iconMap.back().second);
    EXPECT_EQ(host.selected, node);
    EXPECT_EQ(host.shown, Lines{"ツール"});
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1);

    // Into the selected folder, first; shown again the dialog is collapsed and empty.
    host.selected = host.tree.FindFirst("#A");
    Open(TFormZanmel::kModeNew, kPlaceInSelectedFolder);
    EXPECT_FALSE(dialog->ExtraShown());
    EXPECT_EQ(ClientHeight(), dialog->CollapsedHeight());
    EXPECT_EQ(dialog->Text(kItemBtnShowExtra), "詳細設定表示");
    EXPECT_EQ(dialog->Text(kItemEdit3), "");
    EXPECT_EQ(Selection(kItemComboBox1), 0);
    Fill("other", folder / "other.txt");
    Click(kItemBtnOK);
    EXPECT_EQ(Shape(host.tree), "#A|.other|.a1|ツール|x|");
    EXPECT_EQ(keyWords.DataOf("other"), "open," + folder / "other.txt" + ",,,1,0");
}

TEST_F(LauncherItemTest, ExtraToggleSetsHeightAndCaption) {
    Open(TFormZanmel::kModeNew, kPlaceWithPicker);
    EXPECT_EQ(ClientHeight(), dialog->CollapsedHeight());
    Click(kItemBtnShowExtra);
    EXPECT_TRUE(dialog->ExtraShown());
    EXPECT_TRUE(IsWindowVisible(dialog->Control(kItemEdit4)));
    EXPECT_EQ(ClientHeight(), dialog->ExpandedHeight());
    EXPECT_GT(dialog->ExpandedHeight(), dialog->CollapsedHeight());
    EXPECT_EQ(dialog->Text(kItemBtnShowExtra), "詳細設定非表示");
    Click(kItemBtnShowExtra);
    EXPECT_FALSE(IsWindowVisible(dialog->Control(kItemEdit4)));
    EXPECT_EQ(ClientHeight(), dialog->CollapsedHeight());
    EXPECT_EQ(dialog->Text(kItemBtnShowExtra), "詳細設定表示");

    // Cancel stores nothing and enables the main window.
    Fill("k", folder / "tool.txt");
    Click(kItemBtnCancel);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_FALSE(keyWords.Exists("k"));
    EXPECT_EQ(host.saves, 0);
}

TEST_F(LauncherItemTest, EditLoadsTheCurrentItemAndChangesItsRegistration) {
    ASSERT_TRUE(
        launcher->RegisterItem("a1", TLaunchWordData2::Parse("runas," + folder / "tool.txt" + ",-p,D:\\w,3,0"), true));
    keyWords.Add("taken", "Launch", 0, ",x,,,1,0");
    host.current = host.tree.FindFirst("a1");
    Open(TFormZanmel::kModeEdit, kPlaceBeforeSelected);
    EXPECT_EQ(dialog->PreviousKeyword(), "a1");
    EXPECT_EQ(dialog->Text(kItemEdit1), "a1");
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "tool.txt");
    EXPECT_EQ(Selection(kItemComboBox1), -1);  // "runas" is not listed
    EXPECT_EQ(dialog->Text(kItemEdit3), "-p");
    EXPECT_EQ(dialog->Text(kItemEdit4), "D:\\w");
    EXPECT_EQ(Selection(kItemComboBox2), 2);  // SW_MAXIMIZE

    ui.ExpectMessage();
    dialog->SetText(kItemEdit1, "taken");
    Click(kItemBtnOK);
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    EXPECT_TRUE(keyWords.Exists("a1"));
    EXPECT_TRUE(dialog->IsShown());

    // A new keyword and target: the node is renamed and shows the new icon; no verb chosen stores none.
    Fill("改名", folder / "other.txt");
    Click(kItemBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_FALSE(keyWords.Exists("a1"));
    EXPECT_EQ(keyWords.DataOf("改名"), "," + folder / "other.txt" + ",-p,D:\\w,3,0");
    EXPECT_EQ(Shape(host.tree), "#A|.改名|x|");
    EXPECT_EQ(host.updated, Lines{"改名"});
    const std::int32_t icon = keyWords.IconNumberOf("改名");
    EXPECT_EQ(host.tree.FindFirst("改名")->imageIndex, host.IconIndex(icon));
    EXPECT_EQ(host.saves, 1);
    EXPECT_NE(KeywordFile().find("改名,Launch"), std::string::npos);
}

TEST_F(LauncherItemTest, EditOfAnUnreadableItemLeavesTheMainWindowEnabled) {
    host.current = host.tree.FindFirst("x");  // not registered
    dialog->SetDialogMode(TFormZanmel::kModeEdit);
    EXPECT_THROW(dialog->Show(), std::exception);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
}

TEST_F(LauncherItemTest, PlacementByChoiceHandsOverToTheFolderPicker) {
    dialog->SetPlacement(kPlaceWithPicker);
    dialog->SetDialogMode(TFormZanmel::kModeNew);
    dialog->Show();
    Fill("選ぶ", folder / "tool.txt");
    Click(kItemBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(IsWindowEnabled(dialog->Handle()));
    EXPECT_TRUE(picker->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(host.saves, 0);

    picker->SelectNode(picker->WorkingTree().FindFirst("#A"));
    SendMessageW(picker->Handle(), WM_COMMAND, MAKEWPARAM(kPickerButton1Id, BN_CLICKED), 0);
    EXPECT_FALSE(picker->IsShown());
    EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.選ぶ|x|");
    EXPECT_EQ(host.tree.FindFirst("選ぶ")->imageIndex, host.IconIndex(keyWords.IconNumberOf("選ぶ")));
    EXPECT_EQ(host.saves, 1);
}

TEST_F(LauncherItemTest, QuickRegistrationFilesWithoutAskingAndShowsTheDialogOnlyWhenACheckFails) {
    // Onto empty space (placement 0): the end of the top level, no picker, the main window enabled again.
    EnableWindow(host.MainWindow(), FALSE);
    dialog->SetDialogMode(TFormZanmel::kModePrefilled);
    dialog->SetPlacement(kPlaceWithPicker);
    dialog->SetPathAndKeyword(folder / "tool.txt");
    EXPECT_EQ(dialog->Text(kItemEdit1), "tool.txt");
    dialog->QuickRegistration();
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(picker->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|x|tool.txt|");
    EXPECT_TRUE(keyWords.Exists("tool.txt"));

    // The same file again: the duplicate shows the dialog with the dropped path and keyword.
    EnableWindow(host.MainWindow(), FALSE);
    dialog->SetPathAndKeyword(folder / "tool.txt");
    ui.ExpectMessage();
    dialog->QuickRegistration();
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(dialog->Text(kItemEdit1), "tool.txt");
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "tool.txt");
    EXPECT_EQ(Shape(host.tree), "#A|.a1|x|tool.txt|");
}

TEST_F(LauncherItemTest, ReferenceButtonsAndDropsFillPathAndEmptyKeyword) {
    Open(TFormZanmel::kModeNew, kPlaceWithPicker);
    SetCurrentDirectoryW(L"C:\\");
    ui.AnswerOpenFile(folder / "tool.txt");
    Click(kItemBtnRefFile);
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "tool.txt");  // a fixed drive: absolute
    EXPECT_EQ(dialog->Text(kItemEdit1), "tool.txt");
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(platform::ToCp932(current), state->ProgramFolder());

    // A drive root has no last component: the keyword stays empty.
    dialog->SetText(kItemEdit1, "");
    ui.AnswerBrowseFolder("C:\\");
    Click(kItemBtnRefDir);
    ASSERT_EQ(ui.Calls().back().title, "フォルダを選んで下さい");
    EXPECT_EQ(dialog->Text(kItemEdit2), "C:\\");
    EXPECT_EQ(dialog->Text(kItemEdit1), "");
    ui.AnswerBrowseFolder("");  // cancelled: nothing changes
    Click(kItemBtnRefDir);
    EXPECT_EQ(dialog->Text(kItemEdit2), "C:\\");

    // Three files: the path ends with the last, the empty keyword comes from the first.
    SendMessageW(dialog->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     test::MakeDrop({ToWide(folder / "表示.txt"), ToWide(folder / "b.txt"), ToWide(folder / "c.txt")})),
                 0);
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "c.txt");
    EXPECT_EQ(dialog->Text(kItemEdit1), "表示.txt");

    // Relative and back against the program folder.
    dialog->SetText(kItemEdit2, folder / "sub\\..\\bin\\a.exe");
    Click(kItemBtnExpandFilePath);
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "bin\\a.exe");
    Click(kItemBtnRelativeFilePath);
    EXPECT_EQ(dialog->Text(kItemEdit2), "bin\\a.exe");
    Click(kItemBtnExpandFilePath);
    EXPECT_EQ(dialog->Text(kItemEdit2), folder / "bin\\a.exe");
}

TEST_F(PortableLauncherItemTest, OnTheProgramDriveChosenPathsBecomeRelative) {
    ASSERT_TRUE(state->PortableMode());
    Open(TFormZanmel::kModeNew, kPlaceWithPicker);
    ui.AnswerOpenFile(folder / "tool.txt");
    Click(kItemBtnRefFile);
    EXPECT_EQ(dialog->Text(kItemEdit2), "tool.txt");
    EXPECT_EQ(dialog->Text(kItemEdit1), "tool.txt");
    ui.AnswerBrowseFolder(test::RemovableDrive().Root() + "ソフト");
    Click(kItemBtnRefDir);
    EXPECT_EQ(dialog->Text(kItemEdit2), "..\\ソフト");  // the program folder is one level below the root
    // Another drive stays absolute, for a drop as well.
    SendMessageW(dialog->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(test::MakeDrop({L"C:\\windows\\notepad.exe"})), 0);
    EXPECT_EQ(dialog->Text(kItemEdit2), "C:\\windows\\notepad.exe");
    // A prefilled path from a caller follows the same rule and keeps its own last component as the keyword.
    dialog->SetPathAndKeyword(folder / "other.txt");
    EXPECT_EQ(dialog->Text(kItemEdit2), "other.txt");
    EXPECT_EQ(dialog->Text(kItemEdit1), "other.txt");
}

}  // namespace zanmel::ui
