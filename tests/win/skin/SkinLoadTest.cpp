#include <gtest/gtest.h>

#include <algorithm>

#include "../../core/FakeFiles.h"
#include "ImageBytes.h"
#include "ScriptedUserInterface.h"
#include "WinTestSupport.h"
#include "core/ZanmelError.h"
#include "platform/TextCodec.h"
#include "skin/Win32SkinEnvironment.h"

namespace zanmel::skin {
namespace {

const std::string kHead = "name,空\r\ntype,skin\r\ncraftman,作者\r\nid,sky\r\n";

// A 3 x 2 image whose corners tell which pixel gave the fill colour.
std::string CornerPng() {
    test::PngFormat format;
    format.width = 3;
    format.height = 2;
    return test::EncodePng(format, [](int x, int y) {
        if (x == 0 && y == 0) return std::vector<std::uint32_t>{1, 0, 0};  // top left
        if (x == 2 && y == 0) return std::vector<std::uint32_t>{2, 0, 0};  // top right
        if (x == 0 && y == 1) return std::vector<std::uint32_t>{3, 0, 0};  // bottom left
        return std::vector<std::uint32_t>{9, 9, 9};
    });
}

class SkinLoadTest : public ::testing::Test {
protected:
    test::TempFolder program;
    test::FakeClock clock;
    test::FakeFiles logFiles;
    TDebugTimer timer{clock, logFiles, program / "Debug.log"};
    Win32SkinEnvironment env;
    test::ScriptedUserInterface ui;

    std::string SkinFolder(const std::string& name) {
        CreateDirectoryW(platform::ToWide(program / "skin").c_str(), nullptr);
        const std::string folder = program / ("skin\\" + name);
        CreateDirectoryW(platform::ToWide(folder).c_str(), nullptr);
        return folder;
    }
    std::unique_ptr<TSkinDriver> Load(const std::string& description) {
        test::WritePlainFile(SkinFolder("sky") + "\\descript.txt", kHead + description);
        auto driver = std::make_unique<TSkinDriver>(timer, env, ui, program.Path());
        EXPECT_TRUE(driver->LoadFromName("空"));
        return driver;
    }
};

TEST_F(SkinLoadTest, ListsOnlyPlainFoldersHoldingASkinDescription) {
    test::WritePlainFile(SkinFolder("plain") + "\\descript.txt", "TYPE,SKIN\r\nNAME,素\r\ncraftman,a\r\n");
    test::WritePlainFile(SkinFolder("other") + "\\descript.txt", "type,theme\r\nname,他\r\ncraftman,a\r\n");
    SkinFolder("empty");
    // Folders that carry a second attribute: archive or read-only set by hand, hidden by Wine for a dot name.
    // Whichever of these the file system keeps must keep the folder out of the list.
    std::vector<std::string> marked;
    const std::pair<const char*, DWORD> extras[] = {
        {"archived", FILE_ATTRIBUTE_ARCHIVE}, {"readonly", FILE_ATTRIBUTE_READONLY}, {".dotted", 0}};
    for (const auto& [name, extra] : extras) {
        const std::string folder = SkinFolder(name);
        test::WritePlainFile(folder + "\\descript.txt",
                             std::string("type,skin\r\nname,") + name + "\r\ncraftman,a\r\n");
        if (extra != 0) SetFileAttributesW(platform::ToWide(folder).c_str(), FILE_ATTRIBUTE_DIRECTORY | extra);
        if (GetFileAttributesW(platform::ToWide(folder).c_str()) != FILE_ATTRIBUTE_DIRECTORY) marked.push_back(name);
    }
    ASSERT_FALSE(marked.empty()) << "no folder with a second attribute could be made";
    TSkinDriver driver(timer, env, ui, program.Path());
    std::vector<std::string> expected{"素"};
    for (const char* name : {"archived", "readonly", ".dotted"}) {
        if (std::find(marked.begin(), marked.end(), name) == marked.end()) expected.push_back(name);
    }
    std::sort(driver.SkinNames.begin(), driver.SkinNames.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(driver.SkinNames, expected);
    EXPECT_TRUE(ui.Calls().empty());
    for (const std::string& name : {std::string("readonly")}) {
        SetFileAttributesW(platform::ToWide(program / ("skin\\" + name)).c_str(), FILE_ATTRIBUTE_DIRECTORY);
    }
}

TEST_F(SkinLoadTest, ImagesByExtensionWithMessagesForOthers) {
    const std::string folder = SkinFolder("sky");
    test::WritePlainFile(folder + "\\sky.PNG", CornerPng());
    test::WritePlainFile(folder + "\\sky.gif", "GIF89a");
    ui.ExpectMessage();
    ui.ExpectMessage();
    auto driver = Load(
        "paneltop.graphic.filename,sky.PNG\r\n"
        "panelbottom.graphic.filename,sky.gif\r\n"
        "panelright.graphic.filename,none.bmp\r\n");
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"bmp,png以外のフォーマットには対応していません",
                                                       "panelright.graphic.filename\r\nファイルが見つかりません。"}));
    const TSkin& s = driver->Skin;
    ASSERT_TRUE(s.TopGraphic.Graphic.HasImage());
    EXPECT_EQ(s.TopGraphic.Graphic.ImageWidth(), 3);
    EXPECT_NE(GraphicBitmap(s.TopGraphic.Graphic), nullptr);
    EXPECT_FALSE(s.BottomGraphic.Graphic.HasImage());
    EXPECT_EQ(ResolveColor(s.BottomGraphic.Graphic.Color), GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(s.RightGraphic.Graphic.HasImage());
}

TEST_F(SkinLoadTest, FillColourFollowsTheAlignment) {
    const std::string folder = SkinFolder("sky");
    test::WritePlainFile(folder + "\\c.png", CornerPng());
    auto driver = Load(
        "paneltop.graphic.filename,c.png\r\n"
        "panelbottom.graphic.filename,c.png\r\npanelbottom.graphic.alignment.horizontal,Right\r\n"
        "popup.background.graphic.filename,c.png\r\npopup.background.graphic.alignment.horizontal,center\r\n"
        "panelleft.graphic.filename,c.png\r\n"
        "panelright.graphic.filename,c.png\r\npanelright.graphic.alignment.vertical,BOTTOM\r\n"
        "splitter.graphic.filename,c.png\r\nsplitter.graphic.alignment.vertical,middle\r\n"
        "listbox.background.graphic.filename,c.png\r\nlistbox.background.graphic.alignment.vertical,bottom\r\n");
    const TSkin& s = driver->Skin;
    EXPECT_EQ(s.TopGraphic.Graphic.Color, RGB(2, 0, 0));
    EXPECT_EQ(s.BottomGraphic.Graphic.Color, RGB(1, 0, 0));
    EXPECT_EQ(s.Popup.BackGround.Color, RGB(1, 0, 0));
    EXPECT_EQ(s.LeftGraphic.Graphic.Color, RGB(3, 0, 0));
    EXPECT_EQ(s.RightGraphic.Graphic.Color, RGB(1, 0, 0));
    EXPECT_EQ(s.SplitterGraphic.Graphic.Color, RGB(1, 0, 0));
    // A graphic with both alignments follows the horizontal rule.
    EXPECT_EQ(s.ListBox.BackGround.Color, RGB(2, 0, 0));
}

TEST_F(SkinLoadTest, RepeatingImagesCoverThePrimaryScreen) {
    const std::string folder = SkinFolder("sky");
    test::WritePlainFile(folder + "\\t.bmp", test::EncodeBmp24(7, 5, [](int x, int y) {
                             return x == 1 && y == 2 ? RGB(200, 100, 50) : RGB(0, 0, 0);
                         }));
    auto driver = Load(
        "panelleft.graphic.filename,t.bmp\r\npanelleft.graphic.repeat,both\r\n"
        "treeview.background.graphic.filename,t.bmp\r\ntreeview.background.graphic.repeat,x\r\n");
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const TCustomSkinGraphic& left = driver->Skin.LeftGraphic.Graphic;
    EXPECT_EQ(left.BackGroundRepeat, SkinRepeat::Y);
    EXPECT_EQ(left.ImageWidth(), 7);
    EXPECT_EQ(left.ImageHeight(), (screenH / 5 + 1) * 5);
    EXPECT_EQ(left.Bitmap->Pixel(1, left.ImageHeight() - 3), RGB(200, 100, 50));
    const TCustomSkinGraphic& tree = driver->Skin.TreeView.BackGround;
    EXPECT_GE(tree.ImageWidth(), screenW);
    EXPECT_EQ(tree.ImageHeight(), 5);
    const int lastTile = (tree.ImageWidth() / 7 - 1) * 7;
    EXPECT_EQ(tree.Bitmap->Pixel(lastTile + 1, 2), RGB(200, 100, 50));
    EXPECT_EQ(tree.Bitmap->Pixel(lastTile, 2), RGB(0, 0, 0));
}

TEST_F(SkinLoadTest, TruncatedPngStopsTheLoadWithAnError) {
    const std::string folder = SkinFolder("sky");
    test::PngFormat format;
    format.width = 30;
    format.height = 30;
    const std::string png = test::EncodePng(format, [](int, int) { return std::vector<std::uint32_t>{1, 2, 3}; });
    test::WritePlainFile(folder + "\\cut.png", png.substr(0, png.size() - 200));
    test::WritePlainFile(folder + "\\descript.txt",
                         kHead + "paneltop.graphic.filename,cut.png\r\ntreeview.linebutton,false\r\n");
    TSkinDriver driver(timer, env, ui, program.Path());
    EXPECT_THROW(driver.LoadFromName("空"), ZanmelError);
    EXPECT_FALSE(driver.Skin.TopGraphic.Graphic.HasImage());
    EXPECT_FALSE(driver.Skin.TreeView.LineButton);  // never reached
}

TEST_F(SkinLoadTest, SystemColoursAreResolvedWhenDrawn) {
    EXPECT_EQ(ResolveColor(kWindowColor), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ResolveColor(kWindowTextColor), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ResolveColor(kHighlightTextColor), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(ResolveColor(Rgb(1, 2, 3)), RGB(1, 2, 3));
}

// The skins that ship load without a single message.
TEST(ShippedSkins, AllLoadCleanly) {
    test::FakeClock clock;
    test::FakeFiles logFiles;
    TDebugTimer timer{clock, logFiles, "Debug.log"};
    Win32SkinEnvironment env;
    test::ScriptedUserInterface ui;
    TSkinDriver driver(timer, env, ui, test::SourcePath("data"));
    ASSERT_EQ(driver.SkinNames.size(), 3u) << driver.GetSkinNames();
    EXPECT_NE(std::find(driver.SkinNames.begin(), driver.SkinNames.end(), "デフォルト"), driver.SkinNames.end());
    for (const std::string& name : driver.SkinNames) {
        ASSERT_TRUE(driver.LoadFromName(name));
        EXPECT_EQ(driver.Skin.Name, name);
        EXPECT_TRUE(ui.Calls().empty()) << name;
    }
    // A misspelt key would silently give its default, so the looks each skin promises are checked.
    const TSkin& s = driver.Skin;
    ASSERT_TRUE(driver.LoadFromName("デフォルト"));
    EXPECT_FALSE(s.TopGraphic.Graphic.HasImage() || s.TreeView.BackGround.HasImage() || s.Popup.SideBar.HasImage());
    EXPECT_TRUE(s.TitleBarVisible);
    ASSERT_TRUE(driver.LoadFromName("夕凪"));
    const std::vector<const TCustomSkinGraphic*> graphics = {
        &s.TopGraphic.Graphic,      &s.BottomGraphic.Graphic, &s.LeftGraphic.Graphic, &s.RightGraphic.Graphic,
        &s.SplitterGraphic.Graphic, &s.TreeView.BackGround,   &s.TreeView.ForeGround, &s.ListBox.BackGround,
        &s.ListBox.ForeGround,      &s.Popup.BackGround,      &s.Popup.ForeGround,    &s.Popup.SideBar};
    for (const TCustomSkinGraphic* g : graphics) {
        EXPECT_TRUE(g->HasImage());
    }
    EXPECT_EQ(s.TreeView.BackGround.ImageWidth(), s.TreeView.ForeGround.ImageWidth());
    EXPECT_EQ(s.ListBox.BackGround.GetHorizontalAlignment(), SkinHorizontalAlignment::Right);
    EXPECT_EQ(s.Popup.SideBar.VarticalAlignment, SkinVerticalAlignment::Bottom);
    EXPECT_EQ(s.TopGraphic.Graphic.Color, s.TopGraphic.Graphic.Bitmap->Pixel(s.TopGraphic.Graphic.ImageWidth() - 1, 5));
    ASSERT_TRUE(driver.LoadFromName("月影"));
    EXPECT_FALSE(s.TitleBarVisible);
    EXPECT_TRUE(s.TransparentMode && s.FixedMode);
    EXPECT_EQ(s.TransparentColor, Rgb(255, 0, 255));
    EXPECT_LT(s.CloseButton.left, s.CloseButton.right);
    EXPECT_LE(s.CloseButton.right, s.TopGraphic.Graphic.ImageWidth());
    EXPECT_LE(s.CloseButton.bottom, s.TopGraphic.Graphic.ImageHeight());
    EXPECT_EQ(s.LeftGraphic.Graphic.ImageHeight(), s.RightGraphic.Graphic.ImageHeight());
}

}  // namespace
}  // namespace zanmel::skin
