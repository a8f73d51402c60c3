#include "core/ScanRules.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "FakeFiles.h"
#include "IconvCp932Codec.h"
#include "RecordingShell.h"
#include "ScriptedUserInterface.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

// The tree as indented lines ("." per level).
std::string Shape(const FolderTree& tree) {
    std::string out;
    for (const FolderTree::Node* node : tree.PreOrder()) out += std::string(tree.Depth(node), '.') + node->text + "|";
    return out;
}

TEST(ScanRules, FolderNamesAreUniqueOverTheWholeTreeWithCase) {
    FolderTree tree;
    ReadTreeText("#A\n\t#IEお気に入り(スキャン)\n#ieお気に入り(スキャン)_1\n", tree);
    const std::string name(ScanFolderName(kScanFavorites));
    // A nested node carries the name; the lower-case "ie" is another name.
    EXPECT_EQ(UniqueScanFolderName(tree, name), name + "_1");
    tree.AppendChild(nullptr, name + "_1");
    EXPECT_EQ(UniqueScanFolderName(tree, name), name + "_2");
    EXPECT_EQ(UniqueScanFolderName(tree, ScanFolderName(kScanCustom)), "#スキャンファイル(スキャン)");
    EXPECT_EQ(ScanFolderName(kScanPrograms), "#プログラム(スキャン)");
    EXPECT_EQ(ScanFolderName(kScanExe), "#EXEファイル(スキャン)");
}

TEST(ScanRules, KeywordsLoseTheirHashAndFindAFreeSuffix) {
    std::set<std::string> taken{"untitle", "tool", "tool_1"};
    const auto isTaken = [&](std::string_view k) {
        std::string lower(k);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return taken.count(lower) != 0;
    };
    EXPECT_EQ(UniqueScanKeyword("#", isTaken), "Untitle_1");
    EXPECT_EQ(UniqueScanKeyword("", [](std::string_view) { return false; }), "Untitle");
    EXPECT_EQ(UniqueScanKeyword("#Tool", isTaken), "Tool_2");
    EXPECT_EQ(UniqueScanKeyword("##x", isTaken), "x");  // "#x" would be a folder in tree.txt
    EXPECT_EQ(UniqueScanKeyword("# #", isTaken), "Untitle_1");
    EXPECT_EQ(UniqueScanKeyword("表示", isTaken), "表示");
    EXPECT_EQ(UniqueScanKeyword("  #Tool", isTaken), "Tool_2");  // a file name's leading blanks would indent tree.txt
}

TEST(ScanRules, NamesPathsAndShortcutFiles) {
    EXPECT_EQ(FileExtension("a.tar.gz"), ".gz");
    EXPECT_EQ(NameWithoutExtension("a.tar.gz"), "a.tar");
    EXPECT_EQ(FileExtension("README"), "");
    EXPECT_EQ(NameWithoutExtension(".url"), "");
    EXPECT_EQ(JoinScanPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(JoinScanPath("C:\\ソ", "a"), "C:\\ソ\\a");  // the trail byte 0x5C is no separator
    EXPECT_EQ(InternetShortcutUrl("[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nurl=http://a.jp/\r\n"),
              "http://a.jp/");
    EXPECT_EQ(InternetShortcutUrl("[InternetShortcut]\r\nIconIndex=0\r\n"), "0");
    EXPECT_EQ(InternetShortcutUrl(""), "0");
}

TEST(ScanRules, EachModeTakesItsFiles) {
    test::FixedLocations places;  // portable, program folder X:\Zanmel
    ScanOptions options;
    options.mode = kScanFavorites;
    EXPECT_EQ(ScanRule(options, "Site.url", "Y:\\F\\Site.url", places),
              (ScanCandidate{"Site", "Y:\\F\\Site.url", true}));
    EXPECT_FALSE(ScanRule(options, "Site.URL", "Y:\\F\\Site.URL", places));  // letter case counts
    options.mode = kScanPrograms;
    EXPECT_EQ(ScanRule(options, "Tool.lnk", "X:\\Zanmel\\Tool.lnk", places),
              (ScanCandidate{"Tool", "X:\\Zanmel\\Tool.lnk", false}));  // shortcuts stay absolute
    EXPECT_FALSE(ScanRule(options, "Tool.url", "X:\\Tool.url", places));

    // Programs on the program drive are stored relative in portable mode, others absolute.
    options.mode = kScanExe;
    EXPECT_EQ(ScanRule(options, "a.exe", "X:\\Apps\\a.exe", places)->target, "..\\Apps\\a.exe");
    EXPECT_EQ(ScanRule(options, "a.exe", "Y:\\Apps\\a.exe", places)->target, "Y:\\Apps\\a.exe");
    places.portable = false;
    EXPECT_EQ(ScanRule(options, "a.exe", "X:\\Apps\\a.exe", places)->target, "X:\\Apps\\a.exe");
    EXPECT_FALSE(ScanRule(options, "a.EXE", "X:\\a.EXE", places));
    places.portable = true;

    // The detailed scan: listed extensions without regard to case, in the chosen keyword form.
    options.mode = kScanCustom;
    options.extensionList = "pdf, URL";
    options.keywordForm = kScanKeywordName;
    EXPECT_EQ(ScanRule(options, "Site.URL", "Y:\\Site.URL", places), (ScanCandidate{"Site", "Y:\\Site.URL", false}));
    options.keywordForm = kScanKeywordNameWithExt;
    EXPECT_EQ(ScanRule(options, "m.Pdf", "X:\\D\\m.Pdf", places)->keyword, "m.Pdf");
    options.keywordForm = kScanKeywordFullPath;
    EXPECT_EQ(ScanRule(options, "m.pdf", "X:\\D\\m.pdf", places), (ScanCandidate{"X:\\D\\m.pdf", "..\\D\\m.pdf"}));
    EXPECT_FALSE(ScanRule(options, "README", "X:\\README", places));
    EXPECT_FALSE(ScanRule(options, "m.pdfx", "X:\\m.pdfx", places));
    options.registerFolders = true;  // the empty extension matches too
    EXPECT_EQ(ScanRule(options, "README", "Y:\\README", places)->keyword, "Y:\\README");
    EXPECT_FALSE(ScanRule(options, "a.txt", "Y:\\a.txt", places));
}

ScanOptions Mode(std::uint8_t mode) {
    ScanOptions options;
    options.mode = mode;
    return options;
}

// A run of the scanner against the real launch module with in-memory files and a recording shell.
class ItemScanTest : public ::testing::Test {
protected:
    test::FakeClock clock;
    test::FakeFiles files;
    TDebugTimer timer{clock, files, "X:\\Zanmel\\Debug.log"};
    test::FixedLocations places;
    TKeyWordList keywords{"PC"};
    test::ScriptedUserInterface ui;
    test::RecordingShell shell{files};
    test::IconvCp932Codec codec;
    TZanmelModule module{timer, places, keywords, files, ui, shell, codec};
    FolderTree tree;
    std::vector<std::int32_t> iconsLoaded;

    std::unique_ptr<ItemScan> Scan(ScanOptions options) {
        return std::make_unique<ItemScan>(options, ItemScan::Dependencies{tree, module, keywords, files, places,
                                                                          [this](std::int32_t n) {
                                                                              iconsLoaded.push_back(n);
                                                                              return 100 + n;
                                                                          },
                                                                          7});
    }
};

TEST_F(ItemScanTest, FavouritesKeepTheFolderShapeWithItemsFirstAndNewestOnTop) {
    keywords.Add("News", "WEB", 4, "open,http://old/,,,1,0");
    ReadTreeText("#IEお気に入り(スキャン)\n", tree);
    files.files["F:\\Fav\\News.url"] = "[InternetShortcut]\r\nURL=http://news.example/\r\n";
    files.files["F:\\Fav\\A\\News.url"] = "[InternetShortcut]\r\nURL=http://a.example/\r\n";
    files.files["F:\\Fav\\B\\Blank.url"] = "[InternetShortcut]\r\n";
    auto scan = Scan(Mode(kScanFavorites));
    FolderTree::Node* top = scan->AddTopFolder();
    EXPECT_EQ(top->text, "#IEお気に入り(スキャン)_1");
    EXPECT_EQ(top->imageIndex, 7);
    // The walker's order: the folder's entries as enumerated, each subfolder scanned when met.
    FolderTree::Node* a = scan->EnterFolder(top, "A", "F:\\Fav\\A");
    scan->TakeFile(a, "News.url", "F:\\Fav\\A\\News.url");
    scan->TakeFile(top, "News.url", "F:\\Fav\\News.url");
    scan->TakeFile(top, "note.txt", "F:\\Fav\\note.txt");
    FolderTree::Node* b = scan->EnterFolder(top, "B", "F:\\Fav\\B");
    scan->TakeFile(b, "Blank.url", "F:\\Fav\\B\\Blank.url");
    scan->TakeFile(top, "Gone.url", "F:\\Fav\\Gone.url");  // vanished before it was read

    EXPECT_EQ(Shape(tree), "#IEお気に入り(スキャン)|#IEお気に入り(スキャン)_1|.Gone|.News_2|.#A|..News_1|.#B|..Blank|");
    EXPECT_EQ(keywords.DataOf("News_1"), "open,http://a.example/,,,1,0");
    EXPECT_EQ(keywords.KindOf("News_1"), "WEB");
    EXPECT_EQ(keywords.DataOf("News_2"), "open,http://news.example/,,,1,0");
    EXPECT_EQ(keywords.DataOf("Blank"), "open,0,,,1,0");
    EXPECT_EQ(keywords.DataOf("Gone"), "open,0,,,1,0");
    EXPECT_EQ(tree.FindFirst("News_1")->imageIndex, 104);
    EXPECT_EQ(scan->RegisteredCount(), 4u);
    EXPECT_TRUE(files.files.count(places.sheetFolder + "\\keyword.txt") == 0);  // the dialog saves at the end
}

TEST_F(ItemScanTest, ProgramFilesFlattenUnlessFoldersAreReflectedAndBadTargetsAreSkipped) {
    shell.withoutIcon.insert("Y:\\P\\Sub\\broken.exe");
    ScanOptions options = Mode(kScanExe);
    auto flat = Scan(options);
    FolderTree::Node* top = flat->AddTopFolder();
    FolderTree::Node* sub = flat->EnterFolder(top, "Sub", "Y:\\P\\Sub");
    EXPECT_EQ(sub, top);
    flat->TakeFile(sub, "broken.exe", "Y:\\P\\Sub\\broken.exe");
    flat->TakeFile(sub, "#.exe", "Y:\\P\\Sub\\#.exe");
    flat->TakeFile(sub, "#.exe", "Y:\\P\\#.exe");
    EXPECT_EQ(Shape(tree), "#EXEファイル(スキャン)|.Untitle_1|.Untitle|");
    EXPECT_EQ(keywords.DataOf("Untitle_1"), "open,Y:\\P\\#.exe,,,1,0");
    EXPECT_EQ(keywords.IconNumberOf("Untitle"), 1000);
    EXPECT_EQ(iconsLoaded, (std::vector<std::int32_t>{1000, 1001}));
    ASSERT_EQ(flat->Failures().size(), 1u);
    EXPECT_FALSE(keywords.Exists("broken"));
    EXPECT_EQ(ScanFailureMessage(flat->Failures()),
              "登録できなかったファイルが1件あります。\r\n" + flat->Failures().front());
    EXPECT_EQ(ScanFailureMessage({}), "");

    options.reflectFolders = true;
    auto nested = Scan(options);
    FolderTree::Node* top2 = nested->AddTopFolder();
    EXPECT_EQ(top2->text, "#EXEファイル(スキャン)_1");
    FolderTree::Node* sub2 = nested->EnterFolder(top2, "Sub", "Y:\\P\\Sub");
    EXPECT_EQ(sub2->text, "#Sub");
    EXPECT_EQ(sub2->parent, top2);
    FolderTree::Node* inner = nested->EnterFolder(sub2, "Sub", "Y:\\P\\Sub\\Sub");
    EXPECT_EQ(inner->text, "#Sub_1");
    EXPECT_EQ(inner->parent, sub2);
}

TEST_F(ItemScanTest, DetailedScanRegistersFoldersUnderTheirOwnNode) {
    ScanOptions options{kScanCustom, "txt", kScanKeywordFullPath, true, true};
    auto scan = Scan(options);
    FolderTree::Node* top = scan->AddTopFolder();
    FolderTree::Node* docs = scan->EnterFolder(top, "Docs", "X:\\Zanmel\\Docs");
    scan->EnterFolder(top, "v1.2", "X:\\Zanmel\\v1.2");  // has an extension that is not listed
    scan->TakeFile(docs, "plain", "X:\\Zanmel\\Docs\\plain");
    EXPECT_EQ(Shape(tree), "#スキャンファイル(スキャン)|.#Docs|..X:\\Zanmel\\Docs\\plain|..X:\\Zanmel\\Docs|.#v1.2|");
    EXPECT_EQ(keywords.DataOf("X:\\Zanmel\\Docs"), "open,Docs,,,1,0");  // portable: relative to the program

    // An icon file that cannot be loaded ends the scan with its error; the item registered keeps its node.
    auto failing = std::make_unique<ItemScan>(
        options, ItemScan::Dependencies{tree, module, keywords, files, places,
                                        [](std::int32_t) -> int { throw ZanmelError("IconControl", "x"); }, 7});
    EXPECT_THROW(failing->TakeFile(docs, "late.txt", "Y:\\late.txt"), ZanmelError);
    EXPECT_TRUE(keywords.Exists("Y:\\late.txt"));
    ASSERT_NE(tree.FindFirst("Y:\\late.txt"), nullptr);
    EXPECT_EQ(tree.FindFirst("Y:\\late.txt")->parent, docs);
}

}  // namespace
}  // namespace zanmel
