#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "FakeDataObject.h"
#include "ProgramFixture.h"
#include "core/TreePlacement.h"
#include "platform/AtomicFile.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/dialogs/WebItemDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToWide;

namespace {

using Lines = std::vector<std::string>;

constexpr char kAuto[] = "##自動実行-起動時\r\n##自動実行-終了時\r\n";

// The real main window with its skin, the folder picker and both item dialogs over the real launch module in a
// program folder on the fixed drive; files run from the list are recorded instead of opened.
class MainWindowDropsTest : public test::ProgramFixture {
protected:
    MainWindowDropsTest() : ProgramFixture({.launcher = true, .skins = true}) {}

    Lines opened;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<ui::TForm3> form3;
    std::unique_ptr<ui::TFormZanmel> formZanmel;
    std::unique_ptr<ui::TFormWEB> formWEB;

    void TearDown() override {
        formWEB.reset();
        formZanmel.reset();
        form3.reset();
        form.reset();
        ProgramFixture::TearDown();
    }
    std::string File(const std::string& name) const { return platform::ReadFileBytes(Sheet(name)).value_or("<none>"); }

    void Open() {
        form = std::make_unique<TForm1>(TForm1::Dependencies{*timer, *setting, keyWords, files, ui, *state,
                                                             [](const std::string&, const std::string&) {}},
                                        TForm1::Lifecycle{[this](const std::string& path) {
                                                              opened.push_back(path);
                                                              return true;
                                                          },
                                                          {},
                                                          {},
                                                          skins.get()});
        form3 = std::make_unique<ui::TForm3>(*form, ui);
        formZanmel = std::make_unique<ui::TFormZanmel>(
            ui::TFormZanmel::Dependencies{*form, *form3, keyWords, *launcher, *state, ui});
        formWEB =
            std::make_unique<ui::TFormWEB>(ui::TFormWEB::Dependencies{*form, *form3, keyWords, *launcher, *state, ui});
        form->AttachWindows({nullptr, form3.get(), formZanmel.get(), nullptr, formWEB.get()});
        form->FormCreate();
        form->Show(SW_SHOWNORMAL);
    }
    // The message loop's filter sees what is queued, as in the program.
    void Pump() {
        platform::PumpPendingMessages([this](MSG& msg) { return form && form->ApplicationMessage(msg); });
    }
    HWND Tree() const { return form->TreeView1(); }
    // The view's item of a node on a visible line, or null.
    HTREEITEM ItemOf(const FolderTree::Node* node) const {
        for (HTREEITEM i = TreeView_GetRoot(Tree()); node && i; i = TreeView_GetNextVisible(Tree(), i))
            if (platform::TreeItemData<FolderTree::Node>(Tree(), i) == node) return i;
        return nullptr;
    }
    // The mouse over a node's line (null: below the last line).
    void MouseOver(const FolderTree::Node* node) {
        RECT rc{};
        GetClientRect(Tree(), &rc);
        POINT p{20, rc.bottom - 4};
        if (HTREEITEM item = ItemOf(node)) {
            TreeView_GetItemRect(Tree(), item, &rc, TRUE);
            p = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        }
        ClientToScreen(Tree(), &p);
        SetCursorPos(p.x, p.y);
    }
    void DropLink(const std::string& name, const std::string& url) {
        auto* link = test::FakeDataObject::Link(name, url);
        EXPECT_EQ(test::DropOn(form->TreeDropTarget(), link), static_cast<DWORD>(DROPEFFECT_NONE));
        link->Release();
    }
    FolderTree::Node* Find(const std::string& text) const { return form->Tree().FindLast(text); }
};

}  // namespace

TEST_F(MainWindowDropsTest, FilesAndLinksDroppedOnTheTreeAreRegisteredWhereTheyLandAndOnTheListOpened) {
    test::WritePlainFile(Sheet("tree.txt"), "#F\r\n\ta\r\n" + std::string(kAuto));
    test::WritePlainFile(Sheet("keyword.txt"), "a,Launch,0,,,PC,x,\"open,x.exe,,,1,0\"\r\n");
    for (const char* name : {"t1.txt", "t2.txt", "t3.txt", "t4.txt", "t5.txt", "t6.txt"})
        test::WritePlainFile(folder / name, name);
    Open();
    // The skin made the list and the tree accept shell drops and the tree is an OLE drop target.
    EXPECT_TRUE(GetWindowLongPtrW(form->ListBox1(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetWindowLongPtrW(Tree(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    auto* probe = new platform::CDropTarget(form->Handle(), {});
    EXPECT_EQ(RegisterDragDrop(Tree(), probe), DRAGDROP_E_ALREADYREGISTERED);
    probe->Release();
    EXPECT_TRUE(form->Menus().IsEnabled(ui::MenuEntryWEB));
    DWORD effect = DROPEFFECT_COPY;
    form->TreeDropTarget().DragOver(0, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));

    // Three files through the shell's message onto the folder's line: each becomes its first child in turn.
    MouseOver(Find("#F"));
    PostMessageW(Tree(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     test::MakeDrop({ToWide(folder / "t1.txt"), ToWide(folder / "t2.txt"), ToWide(folder / "t3.txt")})),
                 0);
    Pump();
    EXPECT_EQ(File("tree.txt"), "#F\r\n\tt3.txt\r\n\tt2.txt\r\n\tt1.txt\r\n\ta\r\n" + std::string(kAuto));
    EXPECT_EQ(keyWords.DataOf("t2.txt"), "open," + folder / "t2.txt" + ",,,1,0");
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    // A browser link onto an item goes just before it, named after the shortcut without ".url".
    MouseOver(Find("a"));
    DropLink("Example Site.html.url", "http://example.com/");
    EXPECT_EQ(keyWords.KindOf("Example Site.html"), "WEB");
    EXPECT_EQ(keyWords.DataOf("Example Site.html"), "open,http://example.com/,,,1,0");
    EXPECT_EQ(form->SelectedTreeNode(), Find("Example Site.html"));
    // Below the last line: the end of the top level, without the folder picker.
    MouseOver(nullptr);
    DropLink("tail.url", "http://tail/");
    EXPECT_FALSE(form3->IsShown());
    // Files dragged through OLE: registered as the shell's message would.
    auto* list = new test::FakeDataObject;
    list->AddFiles({ToWide(folder / "t4.txt")});
    test::DropOn(form->TreeDropTarget(), list);
    list->Release();
    EXPECT_EQ(File("tree.txt"), "#F\r\n\tt3.txt\r\n\tt2.txt\r\n\tt1.txt\r\n\tExample Site.html\r\n\ta\r\n" +
                                    std::string(kAuto) + "tail\r\nt4.txt\r\n");

    // Files dropped on the list are opened, not registered.
    PostMessageW(form->ListBox1(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({ToWide(folder / "t1.txt")})),
                 0);
    Pump();
    EXPECT_EQ(opened, Lines{folder / "t1.txt"});

    // A link whose keyword is taken opens the WEB item dialog with the dropped values; while it is up, drops on
    // the tree are left alone.
    ui.ExpectMessage();
    DropLink("tail.url", "http://other/");
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    ASSERT_TRUE(formWEB->IsShown());
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(formWEB->Text(ui::kWebEdit2), "http://other/");
    DropLink("more.url", "http://more/");
    PostMessageW(Tree(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({ToWide(folder / "t5.txt")})), 0);
    Pump();
    EXPECT_FALSE(keyWords.Exists("more"));
    EXPECT_FALSE(keyWords.Exists("t5.txt"));
    SendMessageW(formWEB->Handle(), WM_COMMAND, MAKEWPARAM(ui::kWebBtnCancel, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(keyWords.DataOf("tail"), "open,http://tail/,,,1,0");

    // Of several files, one whose keyword is taken is told by its message; the files after it still register,
    // and it comes back in the dialog at the end.
    ui.ExpectMessage();
    MouseOver(nullptr);
    PostMessageW(Tree(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     test::MakeDrop({ToWide(folder / "t5.txt"), ToWide(folder / "t1.txt"), ToWide(folder / "t6.txt")})),
                 0);
    Pump();
    EXPECT_EQ(ui.Messages().back(), "キーワードが既に登録されています。");
    EXPECT_TRUE(keyWords.Exists("t5.txt"));
    EXPECT_TRUE(keyWords.Exists("t6.txt"));
    ASSERT_TRUE(formZanmel->IsShown());
    EXPECT_EQ(formZanmel->Text(ui::kItemEdit2), folder / "t1.txt");
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    SendMessageW(formZanmel->Handle(), WM_COMMAND, MAKEWPARAM(ui::kItemBtnCancel, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(MainWindowDropsTest, WebItemDialogFromTheMenusFilesIntoTheFolderAndEditsTheCurrentWebItem) {
    test::WritePlainFile(Sheet("tree.txt"), "#F\r\n\ta\r\n" + std::string(kAuto));
    test::WritePlainFile(Sheet("keyword.txt"), "a,Launch,0,,,PC,x,\"open,x.exe,,,1,0\"\r\n");
    Open();
    const auto click = [&](int id) { test::ClickButton(formWEB->Handle(), id); };

    // The frame menu's entry: a new item, its folder chosen in the picker.
    SendMessageW(form->Handle(), WM_COMMAND, ui::PopupMainMenuEntryWEB, 0);
    ASSERT_TRUE(formWEB->IsShown());
    EXPECT_EQ(formWEB->Placement(), kPlaceWithPicker);
    EXPECT_FALSE(IsWindowEnabled(form->Handle()));
    click(ui::kWebBtnCancel);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));

    // The folder's menu entry: the new item becomes the folder's first child.
    TreeView_SelectItem(Tree(), ItemOf(Find("#F")));
    form->OpenItemDialog(ItemDialogKind::Web, kPlaceInSelectedFolder);
    formWEB->SetText(ui::kWebEdit1, "web");
    formWEB->SetText(ui::kWebEdit2, "http://web/");
    click(ui::kWebBtnOK);
    EXPECT_EQ(File("tree.txt"), "#F\r\n\tweb\r\n\ta\r\n" + std::string(kAuto));

    // "編集(&E)" of the current web item (a key in the tree makes the selected node current) renames its node.
    TreeView_SelectItem(Tree(), ItemOf(Find("web")));
    SendMessageW(Tree(), WM_KEYDOWN, VK_F5, 0);
    ASSERT_EQ(form->CurrentNode(), Find("web"));
    form->OpenItemDialog(ItemDialogKind::Web, std::nullopt);
    EXPECT_EQ(formWEB->Text(ui::kWebEdit2), "http://web/");
    formWEB->SetText(ui::kWebEdit1, "ウェブ");
    click(ui::kWebBtnOK);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(File("tree.txt"), "#F\r\n\tウェブ\r\n\ta\r\n" + std::string(kAuto));
    EXPECT_EQ(keyWords.DataOf("ウェブ"), "open,http://web/,,,1,0");
    EXPECT_FALSE(keyWords.Exists("web"));
}

}  // namespace zanmel
