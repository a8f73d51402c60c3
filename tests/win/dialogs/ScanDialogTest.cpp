#include "ui/dialogs/ScanDialog.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "FakeDataObject.h"
#include "ProgramFixture.h"
#include "platform/AtomicFile.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using platform::ToWide;
using test::Shape;

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(ToWide(path).c_str(), nullptr)) << path;
}

// A program folder with the built-in icons, the real keyword index, launch module and progress window, and a
// prepared folder tree to scan; the main window is the test double. Nothing depends on the Wine prefix's own
// folders. Under Xvfb without a window manager Wine waits about two seconds for every hide: a scan costs two.
class ScanTest : public test::DialogFixture<TFormScan> {
protected:
    ScanTest() : DialogFixture({.base = test::FixedDrive().Root(), .launcher = true}) {}

    test::TempFolder scanned{test::FixedDrive().Root()};
    std::unique_ptr<TFormDirView> dirView;

    void SetUp() override {
        ProgramFixture::SetUp();
        ReadTreeText("#A\n\tx\n", host.tree);
        dialog = std::make_unique<TFormScan>(TFormScan::Dependencies{host, keyWords, *launcher, *state, files, ui});
        dirView = std::make_unique<TFormDirView>(host.MainWindow());
        dialog->SetDirView(dirView.get());
    }
    void TearDown() override {
        dialog.reset();
        dirView.reset();
        DialogFixture::TearDown();
    }

    void Open(std::uint8_t mode) {
        dialog->SetScanMode(mode);
        dialog->Show();
    }
    int ComboCount() const {
        return static_cast<int>(SendMessageW(dialog->Control(kScanComboBox1), CB_GETCOUNT, 0, 0));
    }
    static std::string Url(const std::string& address) { return "[InternetShortcut]\r\nURL=" + address + "\r\n"; }
};

}  // namespace

TEST_F(ScanTest, EachModePreparesTheDialogAndTheDetailedOptionsKeepTheirValues) {
    Open(kScanCustom);
    EXPECT_EQ(Caption(), "詳細スキャン");
    EXPECT_FALSE(MainEnabled());
    EXPECT_TRUE(dialog->Panel2Shown());
    EXPECT_EQ(ClientHeight(), dialog->FullHeight());
    EXPECT_FALSE(IsWindowVisible(dialog->Control(kScanComboBox1)));
    EXPECT_EQ(dialog->Text(kScanEdit2), "pdf,doc,xls");
    EXPECT_EQ(dialog->RadioGroup1Index(), 1);
    EXPECT_EQ(dialog->Text(kScanLabel1), "スキャンしたいフォルダを指定してください");
    dialog->SetChecked(kScanCheckBox1, true);
    dialog->SetText(kScanEdit2, "txt");
    CheckRadioButton(dialog->Handle(), kScanRadioName, kScanRadioFullPath, kScanRadioFullPath);

    // Favourites: the standard folders in the list, the personal one in Edit1, the options out of sight but kept.
    Open(kScanFavorites);
    EXPECT_EQ(Caption(), "IEお気に入りのスキャン");
    EXPECT_EQ(dialog->Text(kScanLabel2), "Favoritesファイルを指定して下さい。");
    EXPECT_FALSE(dialog->Panel2Shown());
    EXPECT_EQ(ClientHeight(), dialog->ReducedHeight());
    EXPECT_EQ(ComboCount(), 2);
    EXPECT_EQ(dialog->Text(kScanEdit1), GetSpecialFolderPath(CSIDL_FAVORITES));
    SendMessageW(dialog->Control(kScanComboBox1), CB_SETCURSEL, 1, 0);
    SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(kScanComboBox1, CBN_SELCHANGE), 0);
    EXPECT_EQ(dialog->Text(kScanEdit1), GetSpecialFolderPath(CSIDL_COMMON_FAVORITES));
    EXPECT_EQ(dialog->Options().extensionList, "txt");
    EXPECT_TRUE(dialog->Options().reflectFolders);
    EXPECT_EQ(dialog->Options().keywordForm, kScanKeywordFullPath);

    Open(kScanPrograms);
    EXPECT_EQ(ComboCount(), 4);
    EXPECT_EQ(dialog->Text(kScanEdit1), GetSpecialFolderPath(CSIDL_STARTMENU));
    SendMessageW(dialog->Control(kScanComboBox1), CB_SETCURSEL, 3, 0);
    SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(kScanComboBox1, CBN_SELCHANGE), 0);
    EXPECT_EQ(dialog->Text(kScanEdit1), GetSpecialFolderPath(CSIDL_COMMON_PROGRAMS));

    // The EXE scan starts empty; a drop of several objects leaves the last one; an empty folder is refused.
    Open(kScanExe);
    EXPECT_EQ(dialog->Text(kScanEdit1), "");
    EXPECT_FALSE(IsWindowVisible(dialog->Control(kScanComboBox1)));
    ui.ExpectMessage();
    Click(kScanBtnOK);
    EXPECT_EQ(ui.Messages(), Lines{"フォルダを指定してください。"});
    EXPECT_TRUE(dialog->IsShown());
    SendMessageW(dialog->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(test::MakeDrop({ToWide(scanned / "a"), ToWide(scanned / "ソフト\\b")})), 0);
    EXPECT_EQ(dialog->Text(kScanEdit1), scanned / "ソフト\\b");
    ui.AnswerBrowseFolder("");
    Click(kScanBtnFolder);  // cancelled: Edit1 empty
    EXPECT_EQ(dialog->Text(kScanEdit1), "");
    EXPECT_EQ(host.saves, 0);
    // Esc in a field cancels, as in a dialog box.
    PostMessageW(dialog->Control(kScanEdit1), WM_KEYDOWN, VK_ESCAPE, 0);
    platform::PumpPendingMessages();
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
}

// Favourites in a prepared tree: folder nodes for the subfolders, items above them, duplicate names made
// unique, a hidden file taken and a capitalised extension not; the tree and keyword.txt are saved at the end.
TEST_F(ScanTest, FavouritesScanFilesAndSavesEverythingFound) {
    test::WritePlainFile(scanned / "News.url", Url("http://news.example/"));
    test::WritePlainFile(scanned / "Caps.URL", Url("http://caps.example/"));
    test::WritePlainFile(scanned / "Hidden.url", Url("http://hidden.example/"));
    SetFileAttributesW(ToWide(scanned / "Hidden.url").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(scanned / "旅行");
    test::WritePlainFile(scanned / "旅行\\News.url", Url("http://travel.example/"));
    MakeFolder(scanned / "旅行\\空");
    keyWords.Add("hidden", "WEB", 4, "open,http://old/,,,1,0");

    Open(kScanFavorites);
    dialog->SetText(kScanEdit1, scanned.Path());
    Click(kScanBtnOK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(dirView->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(dirView->Title(), "スキャン中");
    EXPECT_EQ(dirView->Label1Text(), "ファイルをスキャン中です。(※閉じるとスキャンを中断します)");

    FolderTree::Node* top = host.tree.FindFirst("#IEお気に入り(スキャン)");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->parent, nullptr);
    EXPECT_EQ(top->imageIndex, host.IconIndex(1));
    ASSERT_EQ(top->children.size(), 3u);
    EXPECT_EQ(top->children[2]->text, "#旅行");
    ASSERT_EQ(top->children[2]->children.size(), 2u);
    const std::string travel = top->children[2]->children[0]->text;
    EXPECT_EQ(top->children[2]->children[1]->text, "#空");
    EXPECT_EQ(keyWords.DataOf(travel), "open,http://travel.example/,,,1,0");
    // The top folder's own favourites, in whatever order the file system gave them.
    const std::string news = travel == "News" ? "News_1" : "News";
    EXPECT_EQ(keyWords.DataOf(news), "open,http://news.example/,,,1,0");
    EXPECT_EQ(keyWords.DataOf("Hidden_1"), "open,http://hidden.example/,,,1,0");
    EXPECT_FALSE(keyWords.Exists("Caps"));
    EXPECT_EQ(top->children[0]->imageIndex, host.IconIndex(4));
    EXPECT_EQ(host.shown, Lines{"#IEお気に入り(スキャン)"});
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(KeywordFile(), keyWords.SaveToText());

    // A second scan of the same mode gets a folder of its own; its subfolder's name is taken already.
    Open(kScanFavorites);
    dialog->SetText(kScanEdit1, scanned / "旅行");
    Click(kScanBtnOK);
    FolderTree::Node* second = host.tree.FindFirst("#IEお気に入り(スキャン)_1");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Shape(host.tree).substr(Shape(host.tree).find("#IEお気に入り(スキャン)_1")),
              "#IEお気に入り(スキャン)_1|.News_2|.#空_1|");
}

// Closing the progress window stops the walk from entering folders: the folder already open is read to its
// end, so its files are taken and its subfolders get empty folder nodes. What was found is saved.
TEST_F(ScanTest, ClosingTheProgressWindowKeepsWhatWasFound) {
    test::WritePlainFile(scanned / "top.txt", "t");
    test::WritePlainFile(scanned / "skip.bin", "s");
    for (const char* sub : {"S1", "S2"}) {
        MakeFolder(scanned / sub);
        test::WritePlainFile(scanned / sub + "\\inner.txt", "i");
        MakeFolder(scanned / sub + "\\Deep");
    }
    Open(kScanCustom);
    dialog->SetText(kScanEdit2, "TXT");
    dialog->SetChecked(kScanCheckBox1, true);
    dialog->SetText(kScanEdit1, scanned.Path());
    // Handled at the first pause of the walk, before the first subfolder is entered.
    PostMessageW(dirView->Handle(), WM_CLOSE, 0, 0);
    Click(kScanBtnOK);
    FolderTree::Node* top = host.tree.FindFirst("#スキャンファイル(スキャン)");
    ASSERT_NE(top, nullptr);
    ASSERT_EQ(top->children.size(), 3u);
    EXPECT_EQ(top->children[0]->text, "top.txt");
    const std::string folders = top->children[1]->text + top->children[2]->text;
    EXPECT_TRUE(folders == "#S1#S2" || folders == "#S2#S1") << folders;
    EXPECT_TRUE(top->children[1]->children.empty());
    EXPECT_TRUE(top->children[2]->children.empty());
    EXPECT_FALSE(keyWords.Exists("inner.txt"));
    EXPECT_EQ(keyWords.DataOf("top.txt"), "open," + scanned / "top.txt" + ",,,1,0");
    EXPECT_GE(keyWords.IconNumberOf("top.txt"), 1000);
    EXPECT_EQ(host.tree.FindFirst("top.txt")->imageIndex, host.iconMap.back().second);
    EXPECT_TRUE(MainEnabled());
    EXPECT_NE(KeywordFile().find("top.txt,Launch,"), std::string::npos);
    EXPECT_EQ(host.saves, 1);
}

}  // namespace zanmel::ui
