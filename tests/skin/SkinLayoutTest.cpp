#include "skin/SkinLayout.h"

#include <gtest/gtest.h>

#include "SkinTestDoubles.h"

namespace zanmel::skin {
namespace {

void GiveImage(TCustomSkinGraphic& graphic, int width, int height, ColorRef color = 0) {
    graphic.Bitmap = std::make_unique<test::MemoryImage>(width, height);
    graphic.Color = color;
}

// A loaded skin without any image: the key defaults of a description that names nothing else.
void MakePlain(TSkin& skin) {
    skin.TitleBarVisible = true;
    skin.SplitterVisible = true;
    skin.SystemPopupOwnerDraw = true;
    skin.TreeView.Border = skin.ListBox.Border = skin.InputBox.Border = true;
    skin.TreeView.LineButton = true;
    skin.ListBox.BackGroundFont.Size = 12;
    skin.InputBox.Color = kWindowColor;
}

const SkinLayoutMetrics kMetrics{-12, -16, 20, 4};

TEST(SkinLayoutTest, ASkinWithoutImagesKeepsThePlainWindow) {
    TSkin skin;
    MakePlain(skin);
    const SkinLayout layout = LayoutSkin(skin, kMetrics);
    EXPECT_EQ(layout.frame, SkinFrame::Sizeable);
    EXPECT_TRUE(layout.menuVisible && layout.statusBarVisible && layout.splitterVisible);
    EXPECT_FALSE(layout.transparent);
    EXPECT_EQ(layout.topHeight, 0);
    EXPECT_EQ(layout.leftWidth, 15);
    EXPECT_EQ(layout.rightWidth, 15);
    EXPECT_EQ(layout.splitterWidth, 5);
    EXPECT_FALSE(layout.listOwnerDraw);
    EXPECT_FALSE(layout.listWidth);
    EXPECT_FALSE(layout.fixedClientSize);
    EXPECT_FALSE(layout.launcherMenuOwnerDraw || layout.fixedMenusOwnerDraw);
    EXPECT_TRUE(layout.treeBorder && layout.listBorder && layout.editBorder && layout.treeLinesAndButtons);
    EXPECT_EQ(layout.editColor, kWindowColor);
    // Boxes from the measured fonts: label 16 high at 4, box 20 high at 22, strip down to 46.
    EXPECT_EQ(layout.labelHeight, 16);
    EXPECT_EQ(layout.editHeight, 20);
    EXPECT_EQ(layout.editTop, 22);
    EXPECT_EQ(layout.bottomHeight, 46);
}

TEST(SkinLayoutTest, ImagesGiveTheStripSizesColoursAndDrawingModes) {
    TSkin skin;
    MakePlain(skin);
    GiveImage(skin.TopGraphic.Graphic, 300, 40, Rgb(1, 0, 0));
    GiveImage(skin.LeftGraphic.Graphic, 8, 200, Rgb(2, 0, 0));
    GiveImage(skin.RightGraphic.Graphic, 9, 200, Rgb(3, 0, 0));
    GiveImage(skin.SplitterGraphic.Graphic, 3, 200, Rgb(4, 0, 0));
    GiveImage(skin.BottomGraphic.Graphic, 300, 60, Rgb(5, 0, 0));
    GiveImage(skin.ListBox.BackGround, 120, 200, Rgb(6, 0, 0));
    skin.TreeView.BackGround.Color = Rgb(7, 0, 0);
    skin.TreeView.LineButton = false;
    skin.TreeView.Border = false;
    skin.TransparentMode = true;
    skin.TransparentColor = Rgb(255, 0, 255);
    GiveImage(skin.Popup.SideBar, 20, 100);
    SkinLayout layout = LayoutSkin(skin, kMetrics);
    EXPECT_EQ(layout.topHeight, 40);
    EXPECT_EQ(layout.leftWidth, 8);
    EXPECT_EQ(layout.rightWidth, 9);
    EXPECT_EQ(layout.splitterWidth, 3);
    EXPECT_EQ(layout.bottomHeight, 60);  // taller than the boxes need
    EXPECT_EQ((std::vector{layout.topColor, layout.leftColor, layout.rightColor, layout.splitterColor,
                           layout.bottomColor, layout.listColor, layout.treeColor}),
              (std::vector{Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(3, 0, 0), Rgb(4, 0, 0), Rgb(5, 0, 0), Rgb(6, 0, 0),
                           Rgb(7, 0, 0)}));
    EXPECT_TRUE(layout.transparent);
    EXPECT_EQ(layout.transparentColor, Rgb(255, 0, 255));
    EXPECT_TRUE(layout.listOwnerDraw);
    EXPECT_EQ(layout.listRowHeight, 16);  // 12 points + 4, whatever the pixel height
    EXPECT_FALSE(layout.listWidth) << "the splitter decides the list's width";
    EXPECT_FALSE(layout.treeLinesAndButtons || layout.treeBorder);
    EXPECT_TRUE(layout.launcherMenuOwnerDraw && layout.fixedMenusOwnerDraw);

    skin.SplitterVisible = false;
    skin.SystemPopupOwnerDraw = false;
    GiveImage(skin.BottomGraphic.Graphic, 300, 46);  // not taller than the boxes
    layout = LayoutSkin(skin, kMetrics);
    EXPECT_FALSE(layout.splitterVisible);
    EXPECT_EQ(layout.listWidth, 120);
    EXPECT_EQ(layout.bottomHeight, 46);
    EXPECT_TRUE(layout.launcherMenuOwnerDraw);
    EXPECT_FALSE(layout.fixedMenusOwnerDraw) << "only the launcher menu is drawn from the skin";

    // A font size the list box cannot take as a row height stays within its range.
    skin.ListBox.BackGroundFont.Size = -12;
    EXPECT_EQ(LayoutSkin(skin, kMetrics).listRowHeight, 1);
    skin.ListBox.BackGroundFont.Size = 400;
    EXPECT_EQ(LayoutSkin(skin, kMetrics).listRowHeight, kMaxListRowHeight);
}

TEST(SkinLayoutTest, FixedModeSizesTheClientAreaFromTheImages) {
    TSkin skin;
    MakePlain(skin);
    skin.FixedMode = true;
    EXPECT_EQ(LayoutSkin(skin, kMetrics).frame, SkinFrame::FixedDialog);
    EXPECT_FALSE(LayoutSkin(skin, kMetrics).fixedClientSize) << "no images: the window keeps its size";

    GiveImage(skin.TopGraphic.Graphic, 300, 40);
    GiveImage(skin.BottomGraphic.Graphic, 280, 30);  // shorter than the boxes need: their height counts
    GiveImage(skin.LeftGraphic.Graphic, 10, 150);
    EXPECT_EQ(LayoutSkin(skin, kMetrics).fixedClientSize, (SkinSize{300, 256}));

    skin.TitleBarVisible = false;
    const SkinLayout frameless = LayoutSkin(skin, kMetrics);
    EXPECT_EQ(frameless.frame, SkinFrame::None);
    EXPECT_FALSE(frameless.menuVisible || frameless.statusBarVisible);
    EXPECT_EQ(frameless.fixedClientSize, (SkinSize{300, 236}));
    // At 144 DPI the program's own widths and the rows grow; the images' sizes stay.
    SkinLayoutMetrics dense = kMetrics;
    dense.dpi = 144;
    skin.LeftGraphic.Graphic.Bitmap.reset();
    const SkinLayout scaled = LayoutSkin(skin, dense);
    EXPECT_EQ(scaled.leftWidth, 23);
    EXPECT_EQ(scaled.rightWidth, 23);
    EXPECT_EQ(scaled.splitterWidth, 8);
    EXPECT_EQ(scaled.listRowHeight, 24);
    EXPECT_EQ(scaled.topHeight, 40);
}

}  // namespace
}  // namespace zanmel::skin
