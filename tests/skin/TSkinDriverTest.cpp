#include "skin/TSkinDriver.h"

#include <gtest/gtest.h>

#include "../core/FakeFiles.h"
#include "ScriptedUserInterface.h"
#include "SkinTestDoubles.h"
#include "core/ZanmelError.h"

namespace zanmel::skin {
namespace {

using test::MemoryImage;

const std::string kHead = "name,空\r\ntype,skin\r\ncraftman,作者\r\nid,sky-1\r\n";
const std::string kSky = "C:\\Z\\skin\\sky\\descript.txt";

class SkinDriverTest : public ::testing::Test {
protected:
    test::FakeClock clock;
    test::FakeFiles logFiles;
    TDebugTimer timer{clock, logFiles, "C:\\Z\\Debug.log"};
    test::MemorySkinEnvironment env;
    test::ScriptedUserInterface ui;

    std::unique_ptr<TSkinDriver> Driver() { return std::make_unique<TSkinDriver>(timer, env, ui, "C:\\Z"); }
    // A driver with the skin "sky" loaded from the given description.
    std::unique_ptr<TSkinDriver> Loaded(const std::string& description) {
        env.AddSkin("sky", kHead + description);
        auto driver = Driver();
        EXPECT_TRUE(driver->LoadFromName("空"));
        return driver;
    }
};

TEST_F(SkinDriverTest, ListsOnlyPlainFoldersWithASkinDescription) {
    env.AddSkin("plain", "type,Skin\r\nname,Blue Sky\r\ncraftman,a\r\n");
    env.AddSkin("archived", "type,skin\r\nname,A\r\ncraftman,a\r\n", 0x10 | 0x20);
    env.AddSkin("readonly", "type,skin\r\nname,R\r\ncraftman,a\r\n", 0x10 | 0x01);
    env.AddSkin("notskin", "type,theme\r\nname,T\r\ncraftman,a\r\n");
    env.AddSkin("quoted", "type,skin\r\nname,\"Blue Sky\"\r\ncraftmanw,w\r\n");
    env.AddSkin("file.txt", "type,skin\r\nname,F\r\ncraftman,a\r\n", 0x20);
    env.folders["C:\\Z\\skin"].push_back({"empty", 0x10});  // no descript.txt
    env.AddSkin("locked", "type,skin\r\nname,L\r\ncraftman,a\r\n");
    env.unreadable = "C:\\Z\\skin\\locked\\descript.txt";
    env.folders["C:\\Z\\skin"].push_back({".", 0x10});
    env.files["C:\\Z\\skin\\.\\descript.txt"] = "type,skin\r\nname,Dot\r\ncraftman,a\r\n";

    auto driver = Driver();
    EXPECT_EQ(driver->SkinNames, (std::vector<std::string>{"Blue Sky", "\"Blue Sky\""}));
    EXPECT_EQ(driver->SkinCraftmen, (std::vector<std::string>{"a", "w"}));
    EXPECT_EQ(driver->SkinFiles[1], "C:\\Z\\skin\\quoted\\descript.txt");
    EXPECT_EQ(driver->GetSkinNames(), "\"Blue Sky\",\"\"\"Blue Sky\"\"\"");
    EXPECT_TRUE(ui.Calls().empty());
    ASSERT_EQ(timer.Lines().size(), 1u);
    EXPECT_EQ(timer.OpenStages(), 0u);
    EXPECT_NE(timer.Lines()[0].find("TSkinDriver::TSkinDriver"), std::string::npos);
    // Until a skin is loaded the current skin is all zero.
    EXPECT_FALSE(driver->Skin.TitleBarVisible);
    EXPECT_EQ(driver->Skin.TreeView.BackGroundFont.Size, 0);
}

TEST_F(SkinDriverTest, LoaderNeedsQuotesAroundANameWithABlank) {
    env.AddSkin("unquoted", "type,skin\r\nname,Blue Sky\r\ncraftman,a\r\nid,1\r\n");
    env.AddSkin("quoted", "type,skin\r\nname,\"Blue Sky\"\r\ncraftman,a\r\nid,1\r\n");
    auto driver = Driver();
    ui.ExpectMessage();
    EXPECT_TRUE(driver->LoadFromName("blue sky"));  // found, letter case ignored, but the load fails
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"『Name』は省略できません。"});
    EXPECT_TRUE(driver->LoadFromName("\"BLUE SKY\""));
    EXPECT_EQ(driver->Skin.Name, "Blue Sky");
}

TEST_F(SkinDriverTest, UnknownNameLeavesTheSkinUntouched) {
    auto driver = Loaded("fixedmode,true\r\n");
    ui.ExpectMessage();
    EXPECT_FALSE(driver->LoadFromName("雲"));
    EXPECT_EQ(ui.Messages().back(), "KeyWordが見つかりません。TSkinDriver->LoadFromName");
    EXPECT_EQ(driver->Skin.Name, "空");
    EXPECT_TRUE(driver->Skin.FixedMode);
}

TEST_F(SkinDriverTest, AbsentKeysGiveTheirDefaults) {
    auto driver = Loaded("");
    const TSkin& s = driver->Skin;
    EXPECT_EQ(s.Craftman, "作者");
    EXPECT_EQ(s.CraftmanW, "作者");  // craftman without craftmanw
    EXPECT_EQ(s.Charset, 128);
    EXPECT_FALSE(s.FixedMode);
    EXPECT_FALSE(s.TransparentMode);
    EXPECT_TRUE(s.TitleBarVisible);
    EXPECT_TRUE(s.SplitterVisible);
    EXPECT_TRUE(s.SystemPopupOwnerDraw);
    EXPECT_TRUE(s.TreeView.Border && s.ListBox.Border && s.InputBox.Border && s.TreeView.LineButton);
    EXPECT_FALSE(s.ListBox.Limit);
    EXPECT_EQ(s.TransparentColor, 0u);
    EXPECT_EQ(s.InputBox.Color, SystemColor(5));
    EXPECT_EQ(s.TreeView.ForeGroundFont.Name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(s.TreeView.ForeGroundFont.Size, 12);
    EXPECT_EQ(s.TreeView.ForeGroundFont.Color, SystemColor(14));
    EXPECT_EQ(s.Popup.ForeGroundFont.Color, SystemColor(14));
    EXPECT_EQ(s.InputBox.EditFont.Color, SystemColor(8));
    EXPECT_EQ(s.ListBox.BackGround.Color, SystemColor(5));
    EXPECT_EQ(s.Popup.BackGround.Color, SystemColor(15));
    EXPECT_EQ(s.Popup.SideBar.Color, SystemColor(15));
    EXPECT_FALSE(s.TopGraphic.Graphic.HasImage());
    EXPECT_EQ(s.TopGraphic.Graphic.BackGroundRepeat, SkinRepeat::None);
}

TEST_F(SkinDriverTest, ValuesAreReadByTheirRules) {
    auto driver = Loaded(
        "fixedmode,TRUE\r\ntransparent.mode,yes\r\ntitlebar.visble,no\r\nsplitter.visble,FALSE\r\n"
        "transparent.color.r,300\r\ntransparent.color.g,-1\r\ntransparent.color.b,2\r\n"
        "inputbox.color.r,1\r\ninputbox.color.g,2\r\n"
        "paneltop.closebutton.left,-5\r\npaneltop.closebutton.bottom,20\r\n"
        "listbox.foreground.font.name,\"IPA ゴシック\"\r\nlistbox.foreground.font.size,9\r\n"
        "listbox.foreground.font.italic,true\r\nlistbox.foreground.font.color.r,1\r\n"
        "listbox.foreground.font.color.g,2\r\nlistbox.foreground.font.color.b,3\r\n"
        "listbox.limit,TRUE\r\ntreeview.linebutton,false\r\nfixedmode,false\r\n");
    const TSkin& s = driver->Skin;
    EXPECT_TRUE(s.FixedMode);  // the first fixedmode line wins
    EXPECT_FALSE(s.TransparentMode);
    EXPECT_TRUE(s.TitleBarVisible);
    EXPECT_FALSE(s.SplitterVisible);
    EXPECT_EQ(s.TransparentColor, Rgb(44, 255, 2));
    EXPECT_EQ(s.InputBox.Color, SystemColor(5));  // blue missing
    EXPECT_EQ(s.CloseButton.left, -5);
    EXPECT_EQ(s.CloseButton.top, 0);
    EXPECT_EQ(s.CloseButton.bottom, 20);
    const TSkinFont& f = s.ListBox.ForeGroundFont;
    EXPECT_EQ(f.Name, "IPA ゴシック");
    EXPECT_EQ(f.Size, 9);
    EXPECT_TRUE(f.Style.italic);
    EXPECT_FALSE(f.Style.bold || f.Style.underline);
    EXPECT_EQ(f.Color, Rgb(1, 2, 3));
    EXPECT_TRUE(s.ListBox.Limit);
    EXPECT_FALSE(s.TreeView.LineButton);
}

TEST_F(SkinDriverTest, MissingTransparentBlueGivesBlack) {
    auto driver = Loaded("transparent.color.r,10\r\ntransparent.color.g,20\r\n");
    EXPECT_EQ(driver->Skin.TransparentColor, 0u);
}

TEST_F(SkinDriverTest, MissingIdLeavesAPartlyUpdatedSkinWithoutImages) {
    env.AddImage("C:\\Z\\skin\\sky\\top.bmp", MemoryImage(4, 2));
    auto driver = Loaded("fixedmode,true\r\npaneltop.graphic.filename,top.bmp\r\n");
    ASSERT_TRUE(driver->Skin.TopGraphic.Graphic.HasImage());
    env.AddSkin("noid", "name,雲\r\ntype,Skin\r\ncraftmanw,別\r\ncraftmanurl,http://x\r\n");
    auto reloaded = std::make_unique<TSkinDriver>(timer, env, ui, "C:\\Z");
    ASSERT_TRUE(reloaded->LoadFromName("空"));
    ui.ExpectMessage();
    EXPECT_TRUE(reloaded->LoadFromName("雲"));
    EXPECT_EQ(ui.Messages().back(), "『id』は省略できません。");
    const TSkin& s = reloaded->Skin;
    EXPECT_EQ(s.Name, "雲");
    EXPECT_EQ(s.Craftman, "別");
    EXPECT_EQ(s.CraftmanUrl, "http://x");
    EXPECT_EQ(s.Id, "sky-1");  // kept from the skin before
    EXPECT_TRUE(s.FixedMode);  // kept
    EXPECT_FALSE(s.TopGraphic.Graphic.HasImage());
}

TEST_F(SkinDriverTest, NonIntegerStopsTheLoadWithItsText) {
    env.AddSkin("sky", kHead + "fixedmode,true\r\ntreeview.background.font.size,12pt\r\nlistbox.limit,true\r\n");
    auto driver = Driver();
    try {
        driver->LoadFromName("空");
        ADD_FAILURE();
    } catch (const ZanmelError& e) {
        EXPECT_EQ(std::string(e.what()), "'12pt' は整数ではありません");
    }
    EXPECT_TRUE(driver->Skin.FixedMode);
    EXPECT_FALSE(driver->Skin.ListBox.Limit);
}

TEST_F(SkinDriverTest, StartUpLoadsTheSkinNamedInTheComputerSettings) {
    env.AddSkin("sky", kHead);
    env.AddSkin("cloud", "name,デフォルト\r\ntype,skin\r\ncraftman,a\r\nid,d\r\n");
    env.AddSkin("bad", "name,壊れ\r\ntype,skin\r\ncraftman,a\r\nid,b\r\npaneltop.closebutton.left,abc\r\n");
    auto driver = Driver();
    std::string name;
    LoadStartupSkin(*driver, ProfileFile("[MainForm]\r\nSkinName=空\r\n"), "デフォルト", name);
    EXPECT_EQ(name, "空");
    EXPECT_EQ(driver->Skin.Name, "空");
    LoadStartupSkin(*driver, ProfileFile("[Other]\r\nSkinName=空\r\n"), "デフォルト", name);
    EXPECT_EQ(name, "デフォルト");
    EXPECT_EQ(driver->Skin.Id, "d");
    ui.ExpectMessage();  // a skin that is gone is still the remembered name
    LoadStartupSkin(*driver, ProfileFile("[MainForm]\r\nSkinName=消えた\r\n"), "デフォルト", name);
    EXPECT_EQ(name, "消えた");
    EXPECT_EQ(driver->Skin.Id, "d");
    // A skin whose description fails to load raises, and its name is remembered all the same.
    name.clear();
    EXPECT_THROW(LoadStartupSkin(*driver, ProfileFile("[MainForm]\r\nSkinName=壊れ\r\n"), "デフォルト", name),
                 ZanmelError);
    EXPECT_EQ(name, "壊れ");
}

TEST_F(SkinDriverTest, ImageProblemsAreReportedAndLoadingGoesOn) {
    env.AddImage("C:\\Z\\skin\\sky\\sky.PNG", MemoryImage(2, 2, Rgb(5, 6, 7)));
    env.files["C:\\Z\\skin\\sky\\sky.gif"] = "GIF89a";
    auto driver = [&] {
        ui.AllowMessages();
        return Loaded(
            "paneltop.graphic.filename,sky.PNG\r\n"
            "panelbottom.graphic.filename,sky.gif\r\n"
            "panelleft.graphic.filename,gone.png\r\n"
            "panelright.graphic.filename,sky.PNG\r\npanelright.graphic.alignment.vertical,up\r\n"
            "popup.sidbar.graphic.repeat,sideways\r\n"
            "splitter.graphic.alignment.horizontal,nonsense\r\n"
            "listbox.limit,true\r\n");
    }();
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{
                                 "bmp,png以外のフォーマットには対応していません",
                                 "panelleft.graphic.filename\r\nファイルが見つかりません。",
                                 "VarticalAlignmentの設定語では無い文字が代入された。",
                                 "BackGroundRepeatの設定語では無い文字が代入された。",
                             }));
    const TSkin& s = driver->Skin;
    EXPECT_TRUE(s.TopGraphic.Graphic.HasImage());
    EXPECT_FALSE(s.BottomGraphic.Graphic.HasImage());
    EXPECT_EQ(s.BottomGraphic.Graphic.Color, SystemColor(15));
    EXPECT_FALSE(s.LeftGraphic.Graphic.HasImage());
    EXPECT_EQ(s.RightGraphic.Graphic.VarticalAlignment, SkinVerticalAlignment::Top);
    EXPECT_EQ(s.Popup.SideBar.BackGroundRepeat, SkinRepeat::None);
    EXPECT_TRUE(s.ListBox.Limit);  // loading went on to the end
    EXPECT_EQ(env.imagesRead, (std::vector<std::string>{"C:\\Z\\skin\\sky\\sky.PNG", "C:\\Z\\skin\\sky\\sky.PNG"}));
}

TEST_F(SkinDriverTest, UndecodableImageStopsTheLoad) {
    env.files["C:\\Z\\skin\\sky\\broken.png"] = "\x89PNG";
    env.AddSkin("sky", kHead + "paneltop.graphic.filename,broken.png\r\nlistbox.limit,true\r\n");
    auto driver = Driver();
    EXPECT_THROW(driver->LoadFromName("空"), ZanmelError);
    EXPECT_FALSE(driver->Skin.ListBox.Limit);
}

TEST_F(SkinDriverTest, RepeatIsNarrowedToTheGraphicsDirectionAndTiledToTheScreen) {
    MemoryImage tile(100, 30);
    tile.Set(1, 2, Rgb(1, 2, 3));
    env.AddImage("C:\\Z\\skin\\sky\\t.bmp", tile);
    auto driver = Loaded(
        "panelleft.graphic.filename,t.bmp\r\npanelleft.graphic.repeat,both\r\n"
        "paneltop.graphic.filename,t.bmp\r\npaneltop.graphic.repeat,Y\r\n"
        "treeview.background.graphic.filename,t.bmp\r\ntreeview.background.graphic.repeat,x\r\n"
        "listbox.background.graphic.filename,t.bmp\r\nlistbox.background.graphic.repeat,both\r\n"
        "popup.background.graphic.filename,t.bmp\r\n");
    const TSkin& s = driver->Skin;
    const TCustomSkinGraphic& left = s.LeftGraphic.Graphic;
    EXPECT_EQ(left.BackGroundRepeat, SkinRepeat::Y);
    EXPECT_EQ(left.ImageWidth(), 100);
    EXPECT_EQ(left.ImageHeight(), 30 * (768 / 30 + 1));
    EXPECT_EQ(left.Bitmap->Pixel(1, 2 + 25 * 30), Rgb(1, 2, 3));
    EXPECT_EQ(s.TopGraphic.Graphic.BackGroundRepeat, SkinRepeat::X);
    EXPECT_EQ(s.TopGraphic.Graphic.ImageWidth(), 1100);  // a 100-pixel tile on 1024 pixels: 11 tiles
    EXPECT_EQ(s.TopGraphic.Graphic.ImageHeight(), 30);
    EXPECT_EQ(s.TreeView.BackGround.ImageWidth(), 1100);
    EXPECT_EQ(s.TreeView.BackGround.Bitmap->Pixel(1001, 2), Rgb(1, 2, 3));
    const TCustomSkinGraphic& both = s.ListBox.BackGround;
    EXPECT_EQ(both.BackGroundRepeat, SkinRepeat::Both);
    EXPECT_EQ(both.ImageWidth(), 1100);
    EXPECT_EQ(both.ImageHeight(), 780);
    EXPECT_EQ(both.Bitmap->Pixel(501, 752), Rgb(1, 2, 3));
    EXPECT_EQ(both.Bitmap->Pixel(500, 752), 0u);
    EXPECT_EQ(s.Popup.BackGround.ImageWidth(), 100);  // no repeat: unchanged
}

TEST(SkinPaths, AbsoluteAgainstTheProgramFolderAndFolderPart) {
    EXPECT_EQ(AbsoluteSkinPath("C:\\Z", "skin\\a\\descript.txt"), "C:\\Z\\skin\\a\\descript.txt");
    EXPECT_EQ(AbsoluteSkinPath("C:\\Z\\", "x"), "C:\\Z\\x");
    EXPECT_EQ(AbsoluteSkinPath("C:\\Z", "D:\\x"), "D:\\x");
    EXPECT_EQ(AbsoluteSkinPath("C:\\Z", "\\\\srv\\x"), "\\\\srv\\x");
    // "表" ends in the byte 0x5C; it is not a separator.
    EXPECT_EQ(SkinFolderOf("C:\\Z\\skin\\表\\descript.txt"), "C:\\Z\\skin\\表");
    EXPECT_EQ(SkinFolderOf("C:\\表"), "C:");
}

}  // namespace
}  // namespace zanmel::skin
