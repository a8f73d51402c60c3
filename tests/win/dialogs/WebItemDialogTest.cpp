#include "ui/dialogs/WebItemDialog.h"

#include <gtest/gtest.h>

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

const std::string kSjis = "%82%A0%82%A0%82%A0%82%A0%82%A0";
const std::string kUtf8 = "%E3%81%82%E3%81%82%E3%81%82%E3%81%82%E3%81%82";

// A program folder with the built-in icons, the real keyword index and launch module; the main window is the
// test double, the folder picker the real one. Hides cost about two seconds each under Xvfb: tests hide
// sparingly.
class WebItemTest : public test::TreeItemFixture<TFormWEB, kWebEdit1, kWebEdit2> {
protected:
    WebItemTest() : TreeItemFixture({.base = test::FixedDrive().Root(), .launcher = true}) {}
};

}  // namespace

TEST_F(WebItemTest, NewItemIsCheckedAndStoredWithItsUrlDirectFlags) {
    EXPECT_EQ(Caption(), "WEB登録");
    EXPECT_EQ(SendMessageW(dialog->Control(kWebComboBox3), CB_GETCOUNT, 0, 0), 3);
    host.selected = host.tree.FindFirst("x");
    Fill("old", "http://old/");
    dialog->SetCharacterSet(2);
    dialog->SetUrlDirect(true);
    Click(kWebBtnShowExtra);
    Open(TFormWEB::kModeNew, kPlaceBeforeSelected);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(GetFocus(), dialog->Control(kWebBtnOK));
    EXPECT_FALSE(dialog->ExtraShown());  // starts collapsed whatever it was
    EXPECT_EQ(ClientHeight(), dialog->CollapsedHeight());
    EXPECT_EQ(dialog->Text(kWebBtnShowExtra), "詳細設定表示");
    EXPECT_EQ(dialog->Text(kWebEdit1), "");
    EXPECT_EQ(dialog->Text(kWebEdit2), "");
    EXPECT_EQ(dialog->CharacterSet(), 0);
    EXPECT_FALSE(dialog->UrlDirect());

    // "自動設定": an empty URL is refused; a lower-case Shift-JIS sample becomes a template.
    ui.AllowMessages();
    Click(kWebBtnAutoSet);
    EXPECT_FALSE(dialog->UrlDirect());
    Fill("", "http://s/?q=%82%a0%82%a0%82%a0%82%a0%82%a0&r=" + kUtf8);
    Click(kWebBtnAutoSet);
    EXPECT_EQ(dialog->Text(kWebEdit2), "http://s/?q=$URL_DIRECT$&r=" + kUtf8);
    EXPECT_EQ(dialog->CharacterSet(), 0);
    EXPECT_TRUE(dialog->UrlDirect());
    // A template already: nothing changes, not even the check box.
    dialog->SetUrlDirect(false);
    dialog->SetCharacterSet(1);
    Click(kWebBtnAutoSet);
    EXPECT_FALSE(dialog->UrlDirect());
    EXPECT_EQ(dialog->CharacterSet(), 1);

    // The checks in order, each leaving the dialog open with its fields.
    Click(kWebBtnOK);
    Fill("#x", "http://s/");
    Click(kWebBtnOK);
    keyWords.Add("taken", "WEB", 2, "open,http://t/,,,1,0");
    Fill("taken", "http://s/");
    Click(kWebBtnOK);
    EXPECT_EQ(ui.Messages(), (Lines{"ファイル、フォルダ、URL、メールアドレスに\r\n"
                                    "検索バーで\"あああああ\"を探索したURLを入力して下さい。",
                                    "キーワード、URLは空欄にはできません。", "#で始まるキーワードは許されません。",
                                    "キーワードが既に登録されています。"}));
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(host.saves, 0);

    // A search in UTF-8: flags 12, filed before the selected item.
    Fill("検索", "http://s/?q=" + kUtf8);
    Click(kWebBtnShowExtra);
    EXPECT_EQ(ClientHeight(), dialog->ExpandedHeight());
    Click(kWebBtnAutoSet);
    EXPECT_EQ(dialog->CharacterSet(), 1);
    Click(kWebBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(keyWords.DataOf("検索"), "open,http://s/?q=$URL_DIRECT$,,,1,12");
    EXPECT_EQ(keyWords.KindOf("検索"), "WEB");
    EXPECT_NE(KeywordFile().find("検索,WEB,"), std::string::npos);
    EXPECT_EQ(Shape(host.tree), "#A|.a1|検索|x|");
    FolderTree::Node* node = host.tree.FindFirst("検索");
    EXPECT_EQ(node->imageIndex, host.IconIndex(keyWords.IconNumberOf("検索")));
    EXPECT_EQ(host.selected, node);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1);
}

TEST_F(WebItemTest, EditLoadsTheRecordAndRewritesItsFixedFields) {
    keyWords.Add("a1", "WEB", 2, "print,http://e/,-p,C:\\w,3,16");  // EUC-JP, no URL direct
    keyWords.Add("taken", "WEB", 2, "open,http://t/,,,1,0");
    host.current = host.tree.FindFirst("a1");
    Open(TFormWEB::kModeEdit, kPlaceBeforeSelected);
    EXPECT_EQ(dialog->PreviousKeyword(), "a1");
    EXPECT_EQ(dialog->Text(kWebEdit1), "a1");
    EXPECT_EQ(dialog->Text(kWebEdit2), "http://e/");
    EXPECT_EQ(dialog->CharacterSet(), 2);
    EXPECT_FALSE(dialog->UrlDirect());

    ui.ExpectMessage();
    dialog->SetText(kWebEdit1, "taken");
    Click(kWebBtnOK);
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    // The keyword kept: no duplicate check; verb, parameters, folder and show mode are the fixed ones.
    dialog->SetText(kWebEdit1, "a1");
    Click(kWebBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(keyWords.DataOf("a1"), "open,http://e/,,,1,16");
    EXPECT_EQ(host.updated, Lines{"a1"});
    EXPECT_EQ(host.saves, 1);

    // Renamed; a link dropped on the dialog overwrites both fields, its name losing only the last extension.
    Open(TFormWEB::kModeEdit, kPlaceBeforeSelected);
    auto* link = test::FakeDataObject::Link("www.example.com.url", "http://www.example.com/");
    EXPECT_EQ(test::DropOn(dialog->DropTarget(), link), static_cast<DWORD>(DROPEFFECT_NONE));
    link->Release();
    EXPECT_EQ(dialog->Text(kWebEdit1), "www.example.com");
    EXPECT_EQ(dialog->Text(kWebEdit2), "http://www.example.com/");
    // A file list is no link: ignored.
    auto* list = new test::FakeDataObject;
    list->AddFiles({L"C:\\a.txt"});
    list->Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptor")), std::string(336, '\0'));
    list->Add(CF_TEXT, std::string("C:\\a.txt") + '\0');
    test::DropOn(dialog->DropTarget(), list);
    list->Release();
    EXPECT_EQ(dialog->Text(kWebEdit1), "www.example.com");
    Click(kWebBtnOK);
    EXPECT_EQ(Shape(host.tree), "#A|.www.example.com|x|");
    EXPECT_FALSE(keyWords.Exists("a1"));
    EXPECT_EQ(keyWords.DataOf("www.example.com"), "open,http://www.example.com/,,,1,16");
}

TEST_F(WebItemTest, QuickRegistrationAppendsOrShowsTheDialogAndChoiceGoesToThePicker) {
    // A link dropped on empty space of the tree: the end of the top level, no picker, main window enabled.
    EnableWindow(host.MainWindow(), FALSE);
    dialog->SetDialogMode(TFormWEB::kModePrefilled);
    dialog->SetPlacement(kPlaceWithPicker);
    dialog->SetCharacterSet(2);
    dialog->SetUrlDirect(true);
    dialog->SetLink("例.url", "http://例/");
    dialog->QuickRegistration();
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(picker->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|x|例|");
    EXPECT_EQ(keyWords.DataOf("例"), "open,http://例/,,,1,0");  // quick registration resets the extra fields

    // The same link again: the duplicate shows the dialog with the dropped values.
    ui.ExpectMessage();
    dialog->SetLink("例.url", "http://例/2");
    dialog->QuickRegistration();
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(dialog->Text(kWebEdit2), "http://例/2");

    // From there the user renames it; placement 0 with the dialog shown asks the folder picker.
    dialog->SetText(kWebEdit1, "例2");
    Click(kWebBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(IsWindowEnabled(dialog->Handle()));
    ASSERT_TRUE(picker->IsShown());
    picker->SelectNode(picker->WorkingTree().FindFirst("#A"));
    SendMessageW(picker->Handle(), WM_COMMAND, MAKEWPARAM(kPickerButton1Id, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Shape(host.tree), "#A|.a1|.例2|x|例|");
}

// A dialog opens centred over the main window, moved into the work area near its edges, and centred on the
// work area while the main window is hidden (in the tray).
TEST_F(WebItemTest, OpensOverTheMainWindowInsideTheWorkArea) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND main = host.MainWindow();
    auto openAt = [&](int x, int y, bool mainShown) {
        SetWindowPos(main, nullptr, x, y, 600, 400,
                     SWP_NOZORDER | SWP_NOACTIVATE | (mainShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        Open(TFormWEB::kModeNew, kPlaceBeforeSelected);
        RECT rc{};
        GetWindowRect(dialog->Handle(), &rc);
        dialog->Hide();
        return rc;
    };
    RECT rc = openAt(work.left + 200, work.top + 150, true);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    ASSERT_LE(width, 600);
    EXPECT_EQ(rc.left, work.left + 200 + (600 - width) / 2);
    EXPECT_EQ(rc.top, work.top + 150 + (400 - height) / 2);

    rc = openAt(work.right - 100, work.bottom - 50, true);
    EXPECT_EQ(rc.right, work.right);
    EXPECT_EQ(rc.bottom, work.bottom);

    rc = openAt(work.left + 200, work.top + 150, false);
    EXPECT_EQ(rc.left, work.left + (work.right - work.left - width) / 2);
    EXPECT_EQ(rc.top, work.top + (work.bottom - work.top - height) / 2);
}

}  // namespace zanmel::ui
