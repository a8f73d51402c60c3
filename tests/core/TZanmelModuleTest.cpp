#include <gtest/gtest.h>

#include <memory>

#include "FakeFiles.h"
#include "IconvCp932Codec.h"
#include "RecordingShell.h"
#include "ScriptedUserInterface.h"
#include "core/LaunchRules.h"
#include "core/ProfileFile.h"
#include "core/SpecialFolderModule.h"
#include "core/TZanmelModule.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

TLaunchWordData2 Record(std::string path, std::string parameters = "", std::string folder = "",
                        std::int32_t flags = 0) {
    TLaunchWordData2 r;
    r.path = std::move(path);
    r.parameters = std::move(parameters);
    r.workingFolder = std::move(folder);
    r.flags = flags;
    return r;
}

class LaunchModuleTest : public ::testing::Test {
protected:
    LaunchModuleTest() { Build(); }

    void Build() {
        special.reset();
        module.reset();
        module = std::make_unique<TZanmelModule>(timer, places, keywords, files, ui, shell, codec);
        special = std::make_unique<TSpecialFolderModule>(timer, places, keywords, files, ui, shell);
        module->SetSpecialFolderModule(special.get());
    }
    std::string IconFile(int n) const { return places.sheetFolder + "\\icon\\" + std::to_string(n) + ".ico"; }
    std::string KeyWordFile() const { return places.sheetFolder + "\\keyword.txt"; }
    std::string SettingFile() const { return places.homeSheetFolder + "\\setting.ini"; }
    // An extension entry written straight into the list, as ext.txt would give it.
    void AddExtension(const std::string& key, const TLaunchWordData2& program) {
        module->ExtList.Add(key, "", 1000, program.ToText());
    }
    void Exists(const std::string& path) { shell.existing.insert(path); }

    test::FakeClock clock;
    test::FakeFiles files;
    TDebugTimer timer{clock, files, "X:\\Zanmel\\Debug.log"};
    test::FixedLocations places;
    TKeyWordList keywords{"PC"};
    test::ScriptedUserInterface ui;
    test::RecordingShell shell{files};
    test::IconvCp932Codec codec;
    std::unique_ptr<TZanmelModule> module;
    std::unique_ptr<TSpecialFolderModule> special;
};

TEST_F(LaunchModuleTest, RegisterChangeAndDeleteItemsWithTheirIcons) {
    EXPECT_TRUE(module->RegisterItem("memo", Record("X:\\Tools\\memo.exe"), false));
    EXPECT_EQ(files.files.count(KeyWordFile()), 0u);
    EXPECT_TRUE(module->RegisterItem("web", Record("http://example.jp/"), true));
    EXPECT_EQ(keywords.KindOf("memo"), "Launch");
    EXPECT_EQ(keywords.IconNumberOf("memo"), 1000);
    EXPECT_EQ(keywords.KindOf("web"), "WEB");
    EXPECT_EQ(keywords.IconNumberOf("web"), 4);
    EXPECT_EQ(files.files.count(IconFile(1001)), 0u);  // no icon file for the web item
    EXPECT_EQ(files.files.at(KeyWordFile()), keywords.SaveToText());

    ui.ExpectMessage();
    EXPECT_FALSE(module->RegisterItem("MEMO", Record("X:\\b.exe"), true));
    EXPECT_EQ(ui.Messages().back(), "キーワードが既に登録されています。");

    // A file item changed to a web address keeps its icon file on disk.
    EXPECT_TRUE(module->ChangeItem("memo", "memo2", Record("http://example.com/")));
    EXPECT_EQ(keywords.KindOf("memo2"), "WEB");
    EXPECT_EQ(keywords.IconNumberOf("memo2"), 4);
    EXPECT_EQ(files.files.count(IconFile(1000)), 1u);

    // Back to a file: a new icon file; the old one of a web item (4) is not touched.
    EXPECT_TRUE(module->ChangeItem("memo2", "memo2", Record("X:\\c.exe")));
    EXPECT_EQ(keywords.IconNumberOf("memo2"), 1001);

    ui.ExpectMessage();
    ui.ExpectMessage();
    EXPECT_FALSE(module->ChangeItem("nothing", "x", Record("X:\\c.exe")));
    EXPECT_FALSE(module->ChangeItem("memo2", "web", Record("X:\\c.exe")));
    EXPECT_EQ(ui.Messages()[1], "元のキーワードが存在しません。");
    EXPECT_EQ(ui.Messages()[2], "キーワードが既に登録されています。");

    EXPECT_TRUE(module->DeleteItem("memo2", true));
    EXPECT_EQ(files.files.count(IconFile(1001)), 0u);
    EXPECT_FALSE(keywords.Exists("memo2"));
    ui.ExpectMessage();
    EXPECT_FALSE(module->DeleteItem("memo2", true));
    EXPECT_EQ(ui.Messages().back(), "キーワードが存在しません。");
}

TEST_F(LaunchModuleTest, IconFailuresLeaveTheIndexAlone) {
    shell.withoutIcon.insert("Q:\\gone.exe");
    EXPECT_THROW(module->RegisterItem("gone", Record("Q:\\gone.exe"), true), ZanmelError);
    EXPECT_FALSE(keywords.Exists("gone"));
    EXPECT_TRUE(files.files.empty());

    // A change whose new icon cannot be captured keeps the old entry and its icon file.
    ASSERT_TRUE(module->RegisterItem("memo", Record("X:\\memo.exe"), true));
    EXPECT_THROW(module->ChangeItem("memo", "memo", Record("Q:\\gone.exe")), ZanmelError);
    EXPECT_EQ(keywords.IconNumberOf("memo"), 1000);
    EXPECT_EQ(files.files.count(IconFile(1000)), 1u);

    // An old icon file deleted by hand: the change fails and leaves no new file behind.
    files.files.erase(IconFile(1000));
    EXPECT_THROW(module->ChangeItem("memo", "memo", Record("X:\\other.exe")), ZanmelError);
    EXPECT_EQ(keywords.DataOf("memo"), Record("X:\\memo.exe").ToText());
    EXPECT_EQ(files.files.count(IconFile(1000)), 0u);
}

TEST_F(LaunchModuleTest, ExtensionEntriesUseTheHomeSheet) {
    places.sheetFolder = "X:\\Zanmel\\data\\other";
    EXPECT_TRUE(module->RegisterExt("txt,log", Record("http://not.special/")));
    EXPECT_EQ(module->ExtList.IconNumberOf("txt,log"), 1000);  // every program gets an icon file
    EXPECT_EQ(module->ExtList.KindOf("txt,log"), "");
    EXPECT_EQ(files.files.count(places.homeSheetFolder + "\\icon\\1000.ico"), 1u);
    EXPECT_EQ(files.files.at(places.homeSheetFolder + "\\ext.txt"), module->ExtList.SaveToText());
    EXPECT_TRUE(module->ChangeExt("txt,log", "txt", Record("X:\\edit.exe")));
    EXPECT_EQ(module->ExtList.IconNumberOf("txt"), 1001);
    EXPECT_EQ(files.files.count(places.homeSheetFolder + "\\icon\\1000.ico"), 0u);
    EXPECT_TRUE(module->DeleteExt("txt"));
    EXPECT_EQ(module->ExtList.Count(), 0u);
    EXPECT_EQ(files.files.at(places.homeSheetFolder + "\\ext.txt"), "");

    // A fresh module reads ext.txt back.
    ASSERT_TRUE(module->RegisterExt("jpg,png", Record("X:\\view.exe")));
    Build();
    EXPECT_TRUE(module->ExtList.Exists("jpg,png"));
}

TEST_F(LaunchModuleTest, DocumentsOpenThroughTheirExtensionEntry) {
    AddExtension("txt,log", Record("Y:\\Editor\\edit.exe", "-n", ""));
    Exists("Y:\\Editor\\edit.exe");
    EXPECT_TRUE(module->RunRecord(Record("Y:\\Docs\\README.TXT", "-line 3"), false, "readme"));
    ASSERT_EQ(shell.shellStarts.size(), 1u);
    EXPECT_EQ(shell.shellStarts[0],
              (ShellStart{"open", "Y:\\Editor\\edit.exe", "\"Y:\\Docs\\README.TXT\" -line 3 -n", "Y:\\Editor\\", 1}));

    // The bare-argument flag passes the path alone, unquoted, without any parameters.
    module->ExtList.Change("txt,log", "txt,log", "", 1000,
                           Record("Y:\\Editor\\edit.exe", "-n", "Y:\\Work", 2).ToText());
    EXPECT_TRUE(module->RunRecord(Record("Y:\\Docs\\a.log", "-x"), false, ""));
    EXPECT_EQ(shell.shellStarts[1], (ShellStart{"open", "Y:\\Editor\\edit.exe", "Y:\\Docs\\a.log", "Y:\\Work", 1}));
    EXPECT_TRUE(shell.processStarts.empty());
}

TEST_F(LaunchModuleTest, RelativePathsResolveAgainstTheProgramFolder) {
    shell.currentFolder = "C:\\Users\\somewhere";  // a file dialog went elsewhere
    Exists("X:\\Zanmel\\tools\\a.doc");
    EXPECT_TRUE(module->RunRecord(Record("tools\\a.doc"), false, ""));
    ASSERT_EQ(shell.shellStarts.size(), 1u);
    EXPECT_EQ(shell.shellStarts[0].path, "X:\\Zanmel\\tools\\a.doc");
    EXPECT_EQ(shell.shellStarts[0].workingFolder, "X:\\Zanmel\\tools\\");
}

TEST_F(LaunchModuleTest, FolderModeOpensTheItemsFolderUntested) {
    EXPECT_TRUE(module->RunRecord(Record("Q:\\missing\\tool.exe", "-p"), true, "tool"));
    module->FlgOpenExplorer = true;
    EXPECT_TRUE(module->RunRecord(Record("Q:\\missing\\tool.exe", "-p"), true, "tool"));
    ASSERT_EQ(shell.shellStarts.size(), 2u);
    EXPECT_EQ(shell.shellStarts[0], (ShellStart{"open", "Q:\\missing\\", "-p", "", 1}));
    EXPECT_EQ(shell.shellStarts[1], (ShellStart{"explore", "Q:\\missing\\", "-p", "", 1}));
    // An extensionless path is "other": explore too, and no existence test.
    EXPECT_TRUE(module->RunRecord(Record("Q:\\folder"), false, ""));
    EXPECT_EQ(shell.shellStarts[2].verb, "explore");
}

TEST_F(LaunchModuleTest, ProgramsOnTheProgramDriveAreTracked) {
    Exists("X:\\Apps\\tool.exe");
    Exists("Y:\\Apps\\tool.exe");
    Exists("X:\\Apps\\view.EXE");
    Exists("Y:\\pic.jpg");
    AddExtension("jpg", Record("X:\\Apps\\view.EXE"));
    EXPECT_TRUE(module->RunRecord(Record("X:\\Apps\\tool.exe"), false, ""));
    EXPECT_TRUE(module->RunRecord(Record("Y:\\Apps\\tool.exe", "-a"), false, ""));
    EXPECT_TRUE(module->RunRecord(Record("Y:\\pic.jpg"), false, ""));
    ASSERT_EQ(shell.processStarts.size(), 2u);
    EXPECT_EQ(shell.processStarts[0], (ProcessStart{"\"X:\\Apps\\tool.exe\" ", "X:\\Apps\\", 1}));
    EXPECT_EQ(shell.processStarts[1], (ProcessStart{"\"X:\\Apps\\view.EXE\" \"Y:\\pic.jpg\"", "X:\\Apps\\", 1}));
    ASSERT_EQ(shell.shellStarts.size(), 1u);
    EXPECT_EQ(shell.shellStarts[0].path, "Y:\\Apps\\tool.exe");
    EXPECT_EQ(module->TrackedCount(), 2);

    // A failed creation is not tracked and not retried through the shell.
    shell.processFails = true;
    EXPECT_TRUE(module->RunRecord(Record("X:\\Apps\\tool.exe"), false, ""));
    EXPECT_EQ(module->TrackedCount(), 2);
    EXPECT_EQ(shell.shellStarts.size(), 1u);
    shell.processFails = false;

    // The table holds 200: the 201st goes through the shell.
    for (int i = 2; i < 200; ++i) module->RunRecord(Record("X:\\Apps\\tool.exe"), false, "");
    EXPECT_EQ(module->TrackedCount(), 200);
    EXPECT_TRUE(module->RunRecord(Record("X:\\Apps\\tool.exe"), false, ""));
    EXPECT_EQ(module->TrackedCount(), 200);
    EXPECT_EQ(shell.shellStarts.back().path, "X:\\Apps\\tool.exe");
}

TEST_F(LaunchModuleTest, MailAndWebRecords) {
    module->FlgMaieUse = true;
    module->MailData = Record("Y:\\Mail\\mailer.exe", "-compose");
    Exists("Y:\\Mail\\mailer.exe");
    EXPECT_TRUE(module->RunRecord(Record("someone@example.jp", "", "", TLaunchWordData2::kMailAddress), false, ""));
    ASSERT_EQ(shell.shellStarts.size(), 2u);
    EXPECT_EQ(shell.shellStarts[0], (ShellStart{"open", "Y:\\Mail\\mailer.exe", "-compose", "Y:\\Mail\\", 1}));
    EXPECT_EQ(shell.shellStarts[1].path, "mailto:someone@example.jp");

    module->FlgWebUse = true;
    module->WEBData = Record("Y:\\Browser\\b.exe", "-new");
    EXPECT_TRUE(module->RunRecord(Record("http://example.jp/", "-p"), false, ""));
    EXPECT_EQ(shell.shellStarts[2],
              (ShellStart{"open", "Y:\\Browser\\b.exe", "\"http://example.jp/\" -p -new", "Y:\\Browser\\", 1}));
    module->WEBData.flags = TLaunchWordData2::kBareArgument;
    module->WEBData.workingFolder = "Y:\\Tmp";
    EXPECT_TRUE(module->RunRecord(Record("http://example.jp/"), false, ""));
    EXPECT_EQ(shell.shellStarts[3], (ShellStart{"open", "Y:\\Browser\\b.exe", "http://example.jp/", "Y:\\Tmp", 1}));
}

TEST_F(LaunchModuleTest, UrlDirectAsksWithTheKeyword) {
    const TLaunchWordData2 search =
        Record("http://search.example/?q=$URL_DIRECT$", "", "", TLaunchWordData2::kUrlDirect);
    ui.AnswerQuery(std::nullopt);
    ui.AnswerQuery(std::string("a b"));
    EXPECT_TRUE(module->RunRecord(search, false, "検索"));
    EXPECT_TRUE(shell.shellStarts.empty());
    EXPECT_TRUE(module->RunRecord(search, false, "検索"));
    ASSERT_EQ(ui.Calls().size(), 2u);
    EXPECT_EQ(ui.Calls()[0].title, "URLダイレクト");
    EXPECT_EQ(ui.Calls()[0].text, "検索\r\n検索文字を入力して下さい");
    EXPECT_EQ(ui.Calls()[0].initial, "");
    ASSERT_EQ(shell.shellStarts.size(), 1u);
    EXPECT_EQ(shell.shellStarts[0].path, "http://search.example/?q=%61+%62");
}

TEST_F(LaunchModuleTest, MissingFileStartsNothing) {
    ui.ExpectMessage();
    EXPECT_FALSE(module->RunFile("Y:\\gone\\x.exe"));
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"実行ファイルが見つかりません\r\nY:\\gone\\x.exe"});
    // A document whose program is missing names the program.
    AddExtension("txt", Record("Y:\\gone\\edit.exe"));
    Exists("Y:\\a.txt");
    ui.ExpectMessage();
    EXPECT_FALSE(module->RunFile("Y:\\a.txt"));
    EXPECT_EQ(ui.Messages().back(), "実行ファイルが見つかりません\r\nY:\\gone\\edit.exe");
    EXPECT_TRUE(shell.shellStarts.empty());
    EXPECT_TRUE(shell.processStarts.empty());
}

TEST_F(LaunchModuleTest, DispatchersByKind) {
    Exists("Y:\\a.exe");
    Exists("Y:\\b.exe");
    ASSERT_TRUE(module->RegisterItem("a", Record("Y:\\a.exe"), false));
    ASSERT_TRUE(module->RegisterItem("b", Record("Y:\\b.exe"), false));
    ASSERT_TRUE(special->RegisterSpecialFolder("ごみ箱", 10, false));
    // Learning moves "ごみ箱" from 2 to 1 before it opens.
    module->RunKeyWord("ごみ箱", "");
    EXPECT_EQ(keywords.KeyWordAt(1), "ごみ箱");
    EXPECT_EQ(shell.specialFolders, (std::vector<std::pair<std::int32_t, std::string>>{{10, "open"}}));
    module->RunKeyWord("b", "tlDIR");
    EXPECT_EQ(keywords.KeyWordAt(1), "b");
    EXPECT_EQ(shell.shellStarts.back().path, "Y:\\");

    try {
        module->RunKeyWord("none", "");
        FAIL() << "missing keyword ran";
    } catch (const ZanmelError& e) {
        EXPECT_STREQ(e.what(), "TKeyWordList::Learning\r\nKeyWordが見つかりません。");
    }
    EXPECT_EQ(shell.shellStarts.size(), 1u);

    files.files[IconFile(1000)] = "keep";  // the special folder delete must not touch icon files
    EXPECT_TRUE(module->DeleteKeyWord("ごみ箱", false));
    EXPECT_EQ(files.files.count(KeyWordFile()), 1u);  // saved whatever the flag said
    EXPECT_EQ(files.files.at(IconFile(1000)), "keep");
    EXPECT_TRUE(module->DeleteKeyWord("a", false));
    EXPECT_EQ(files.files.count(IconFile(1000)), 0u);
    EXPECT_THROW(module->DeleteKeyWord("a", false), ZanmelError);
    keywords.Add("odd", "Other", 0, "");
    EXPECT_FALSE(module->DeleteKeyWord("odd", false));
}

TEST_F(LaunchModuleTest, CloseDownClosesTrackedWindowsAndEjects) {
    Exists("X:\\Apps\\tool.exe");
    module->RunRecord(Record("X:\\Apps\\tool.exe"), false, "");  // process id 100
    module->RunRecord(Record("X:\\Apps\\tool.exe"), false, "");  // process id 101, already ended
    shell.windows = {{1, 0, 7}, {2, 55, 100}, {3, 0, 100}, {4, 0, 100}};
    module->FlgUseCloseHelp = true;
    module->FlgUnplugUse = true;
    module->UnplagData = Record("X:\\UnplugDrive\\UnplugDrive.exe", "-l");
    Exists("X:\\UnplugDrive\\UnplugDrive.exe");
    EXPECT_TRUE(module->CloseDown());
    EXPECT_EQ(shell.closed, std::vector<std::uintptr_t>{3});  // first unowned window of the process only
    EXPECT_EQ(shell.released, (std::vector<std::uintptr_t>{1000, 1010}));
    ASSERT_EQ(shell.processStarts.size(), 3u);
    EXPECT_EQ(shell.processStarts[2].commandLine, "\"X:\\UnplugDrive\\UnplugDrive.exe\" -l");

    // Not portable: no ejection tool.
    places.portable = false;
    module->CloseDown();
    EXPECT_EQ(shell.processStarts.size(), 3u);
    EXPECT_EQ(shell.released.size(), 3u);  // the ejection tool's entry, once

    // Windows ends the session: the tracked program is released, the ejection tool is not run.
    places.portable = true;
    module->RunRecord(Record("X:\\Apps\\tool.exe"), false, "");
    module->CloseDown(false);
    EXPECT_EQ(shell.processStarts.size(), 4u);
    EXPECT_EQ(shell.released.size(), 4u);
}

TEST_F(LaunchModuleTest, SettingsRoundTripBothSections) {
    module->FlgWebUse = true;
    module->FlgMaieUse = true;
    module->FlgUseCloseHelp = true;
    module->ScanDirCustom = "C:\\好き";
    module->UnplagData = Record("X:\\u.exe", "-a b");
    special->FlgOpenExplorer = true;
    module->SaveSetting(SettingFile());
    special->SaveSetting(SettingFile());
    const ProfileFile file(files.files.at(SettingFile()));
    EXPECT_EQ(file.ReadString("LaunchModule", "FlgMaieUse", "x"), "1");
    EXPECT_EQ(file.ReadString("LaunchModule", "FlgOpenExplorer", "x"), "0");
    EXPECT_EQ(file.ReadString("LaunchModule", "UnplagData", "x"), Record("X:\\u.exe", "-a b").ToText());
    EXPECT_EQ(file.ReadString("LaunchModule", "MailData", "x"), ",,,,1,0");
    EXPECT_EQ(file.ReadString("SpecialFolderModule", "FlgOpenExplorer", "x"), "1");

    module.reset();  // the destructors save too
    special.reset();
    Build();
    EXPECT_TRUE(module->FlgWebUse);
    EXPECT_TRUE(module->FlgMaieUse);
    EXPECT_FALSE(module->FlgUnplugUse);
    EXPECT_TRUE(module->FlgUseCloseHelp);
    EXPECT_EQ(module->ScanDirCustom, "C:\\好き");
    EXPECT_EQ(module->UnplagData, Record("X:\\u.exe", "-a b"));
    EXPECT_TRUE(special->FlgOpenExplorer);

    // A damaged record keeps its default instead of stopping the start-up.
    module.reset();
    special.reset();
    files.files[SettingFile()] = "[LaunchModule]\r\nWEBData=broken\r\nFlgWebUse=0x10\r\n";
    Build();
    EXPECT_EQ(module->WEBData.ToText(), TLaunchWordData2::Parse(",,,,1,0").ToText());
    EXPECT_TRUE(module->FlgWebUse);
    EXPECT_FALSE(special->FlgOpenExplorer);
}

TEST_F(LaunchModuleTest, SpecialFolderRegistration) {
    EXPECT_TRUE(special->RegisterSpecialFolder("ごみ箱", 10, false));
    EXPECT_EQ(keywords.EntryAt(0).kind, "SpecialFolder");
    EXPECT_EQ(keywords.EntryAt(0).iconNumber, 5);
    EXPECT_EQ(keywords.EntryAt(0).data, "10");
    EXPECT_EQ(files.files.count(KeyWordFile()), 0u);
    EXPECT_TRUE(special->ChangeSpecialFolder("ごみ箱", "ドライブ", 17, true));
    EXPECT_EQ(keywords.DataOf("ドライブ"), "17");
    EXPECT_EQ(files.files.at(KeyWordFile()), keywords.SaveToText());
    special->FlgOpenExplorer = true;
    EXPECT_TRUE(special->Run("ドライブ"));
    EXPECT_EQ(shell.specialFolders.back(), (std::pair<std::int32_t, std::string>{17, "explore"}));

    ui.ExpectMessage();
    ui.ExpectMessage();
    ui.ExpectMessage();
    ASSERT_TRUE(special->RegisterSpecialFolder("desk", 0, false));
    EXPECT_FALSE(special->RegisterSpecialFolder("DESK", 0, false));
    EXPECT_FALSE(special->ChangeSpecialFolder("none", "x", 0, false));
    EXPECT_FALSE(special->DeleteSpecialFolder("none", false));
    EXPECT_EQ(ui.Messages(),
              (std::vector<std::string>{"キーワードが既に登録されています。", "元のキーワードが存在しません。",
                                        "キーワードが存在しません。"}));
    keywords.Change("desk", "desk", "SpecialFolder", 5, "ten");
    EXPECT_THROW(special->Run("desk"), ZanmelError);
}

}  // namespace
}  // namespace zanmel

namespace zanmel {
namespace {

TEST(LaunchRules, PathsAreScannedByCharacter) {
    // "ソ" and "表" end in the byte of "\".
    EXPECT_EQ(FolderPartOf("C:\\ソ\\a.txt"), "C:\\ソ\\");
    EXPECT_EQ(FolderPartOf("C:\\表"), "C:\\");
    EXPECT_EQ(FolderPartOf("a.txt"), "");
    EXPECT_EQ(ExtensionOf("C:\\a.b\\ソ"), "");
    EXPECT_EQ(ExtensionOf("C:\\x.tar.GZ"), "GZ");
    TKeyWordList list;
    list.Add("doc,", "", 0, "");
    list.Add("txt,log", "", 0, "");
    list.Add("LOG", "", 0, "");
    EXPECT_EQ(FindExtensionEntry(list, "Log"), std::optional<std::size_t>(1));
    EXPECT_EQ(FindExtensionEntry(list, ""), std::optional<std::size_t>(0));  // only an empty item matches ""
    EXPECT_EQ(FindExtensionEntry(list, "lo"), std::nullopt);
    EXPECT_FALSE(IsTrackedStart("x:\\a.exe", "X:", 0));  // drive parts compared byte for byte
    EXPECT_FALSE(IsTrackedStart("X:\\a.exe.lnk", "X:", 0));
}

}  // namespace
}  // namespace zanmel
