#include "skin/Win32SkinPainter.h"

#include <gtest/gtest.h>

#include "platform/UiFont.h"
#include "skin/Win32SkinEnvironment.h"

namespace zanmel::skin {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 32-bit bitmap in a memory device context, read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_.Get(), bitmap_.Get());
        const RECT all{0, 0, width, height};
        FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() { SelectObject(dc_.Get(), old_); }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

private:
    platform::MemoryDc dc_;
    platform::BitmapHandle bitmap_;
    HGDIOBJ old_ = nullptr;
};

// An image whose pixel at (x, y) is RGB(x, y, blue), so that a pixel on the canvas tells where it came from.
void GiveImage(TCustomSkinGraphic& graphic, int width, int height, int blue, ColorRef fill) {
    image::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, RGB(x, y, blue));
    }
    graphic.Bitmap = std::make_unique<DibSkinImage>(std::move(bitmap));
    graphic.Color = fill;
}

TEST(SkinPainterTest, StripsPlaceTheirImageByAlignmentAndFillTheRest) {
    Canvas top(100, 10);
    TSkinGraphicX topGraphic;
    PaintPanelGraphic(top.Dc(), 100, 10, topGraphic);
    EXPECT_EQ(top.At(0, 0), kWhite) << "no image, nothing painted";
    EXPECT_EQ(top.At(99, 9), kWhite);

    GiveImage(topGraphic, 30, 10, 200, Rgb(9, 9, 9));
    topGraphic.HorizontalAlignment = SkinHorizontalAlignment::Right;
    PaintPanelGraphic(top.Dc(), 100, 10, topGraphic);
    EXPECT_EQ(top.At(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(top.At(69, 5), RGB(9, 9, 9));
    EXPECT_EQ(top.At(70, 0), RGB(0, 0, 200));
    EXPECT_EQ(top.At(99, 9), RGB(29, 9, 200));

    // 101 pixels in a 100-pixel strip, middle: (100 - 101) / 2 truncates to 0.
    Canvas left(15, 100);
    TSkinGraphicY leftGraphic;
    GiveImage(leftGraphic, 15, 101, 200, Rgb(9, 9, 9));
    leftGraphic.VarticalAlignment = SkinVerticalAlignment::Middle;
    PaintPanelGraphic(left.Dc(), 15, 100, leftGraphic);
    EXPECT_EQ(left.At(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(left.At(14, 99), RGB(14, 99, 200));
}

TEST(SkinPainterTest, TreeRowsShowTheFillColourWhereTheImageEnds) {
    TSkin skin;
    GiveImage(skin.TreeView.BackGround, 40, 20, 200, Rgb(7, 7, 7));
    skin.TreeView.BackGroundFont = {"IPAPGothic", 9, {}, Rgb(0, 0, 1)};
    skin.TreeView.ForeGroundFont = {"IPAPGothic", 14, {}, Rgb(0, 0, 2)};
    Canvas tree(100, 50);
    SkinPainter painter;
    TreeItemState state;
    state.rect = {0, 10, 100, 28};
    state.treeWidth = 100;
    state.treeHeight = 50;
    state.text = "#Tools";
    const TreeItemResult pre = painter.PaintTreeItem(tree.Dc(), skin, state);
    EXPECT_EQ(tree.At(5, 15), RGB(5, 15, 200));
    EXPECT_EQ(tree.At(5, 25), RGB(7, 7, 7)) << "below the image";
    EXPECT_EQ(tree.At(50, 15), RGB(7, 7, 7)) << "right of the image";
    EXPECT_EQ(tree.At(5, 5), kWhite) << "outside the row";
    EXPECT_TRUE(pre.drawImages && pre.defaultDraw);
    EXPECT_EQ(pre.textColor, RGB(0, 0, 1));
    EXPECT_EQ(pre.treeFont, nullptr);

    // Post-paint draws the text itself; the tree's font follows the size of the font drawn in.
    state.stage = TreePaintStage::PostPaint;
    state.rect = {20, 10, 60, 28};
    const TreeItemResult plain = painter.PaintTreeItem(tree.Dc(), skin, state);
    state.selected = true;
    const TreeItemResult selected = painter.PaintTreeItem(tree.Dc(), skin, state);
    EXPECT_FALSE(plain.drawImages || plain.defaultDraw);
    ASSERT_NE(plain.treeFont, nullptr);
    ASSERT_NE(selected.treeFont, nullptr);
    LOGFONTW small{}, large{};
    GetObjectW(plain.treeFont, sizeof(small), &small);
    GetObjectW(selected.treeFont, sizeof(large), &large);
    EXPECT_EQ(small.lfHeight, -painter.Fonts().PixelHeight(skin.TreeView.BackGroundFont));
    EXPECT_EQ(large.lfHeight, -painter.Fonts().PixelHeight(skin.TreeView.ForeGroundFont));
}

TEST(SkinPainterTest, SelectedListRowShowsTheSelectionImageIconAndClippedText) {
    TSkin skin;
    GiveImage(skin.ListBox.BackGround, 60, 30, 200, Rgb(7, 7, 7));
    GiveImage(skin.ListBox.ForeGround, 60, 30, 100, Rgb(8, 8, 8));
    skin.ListBox.ForeGroundFont = {"IPAPGothic", 20, {}, Rgb(255, 0, 0)};
    image::Bitmap green(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) green.SetPixel(x, y, RGB(0, 255, 0));
    }
    platform::ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR24, 1, 1));
    ASSERT_EQ(ImageList_Add(images.Get(), green.Handle(), nullptr), 0);

    Canvas list(100, 30);
    SkinPainter painter;
    painter.PaintListRow(list.Dc(), skin, ListRowState{{0, 0, 60, 30}, true, false, 100, 30, 0, "■■■■■■■■"},
                         images.Get());
    EXPECT_EQ(list.At(1, 20), RGB(1, 20, 100)) << "the selection image";
    EXPECT_EQ(list.At(1, 28), RGB(1, 28, 100));
    EXPECT_EQ(list.At(5, 5), RGB(0, 255, 0)) << "the icon at (2, 0)";
    int red = 0;
    int outside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 20; x < 100; ++x) {
            if (x < 60 && list.At(x, y) == RGB(255, 0, 0)) ++red;
            if (x >= 60 && list.At(x, y) != kWhite) ++outside;
        }
    }
    EXPECT_GT(red, 50) << "the text in the row";
    EXPECT_EQ(outside, 0) << "text and images stay inside the row";
}

TEST(SkinPainterTest, PopupSeparatorIsALineRightOfTheSideBar) {
    TSkin skin;
    GiveImage(skin.Popup.BackGround, 200, 100, 200, Rgb(7, 7, 7));
    GiveImage(skin.Popup.SideBar, 20, 100, 50, Rgb(3, 3, 3));
    skin.Popup.BackGroundFont = {"IPAPGothic", 9, {}, Rgb(250, 0, 250)};
    Canvas menu(150, 17);
    SkinPainter painter;
    PopupItemState state;
    state.rect = {0, 0, 150, 17};
    state.separator = true;
    state.itemCount = 5;
    painter.PopupDrawItem(menu.Dc(), skin, state, nullptr);
    EXPECT_EQ(menu.At(10, 8), RGB(10, 8, 50)) << "the side bar";
    EXPECT_EQ(menu.At(21, 8), RGB(1, 8, 200)) << "the background starts right of the side bar";
    EXPECT_EQ(menu.At(22, 8), RGB(250, 0, 250));
    EXPECT_EQ(menu.At(147, 8), RGB(250, 0, 250));
    EXPECT_NE(menu.At(148, 8), RGB(250, 0, 250));
    EXPECT_NE(menu.At(60, 7), RGB(250, 0, 250)) << "one line only";
}

TEST(SkinPainterTest, FontsFallBackToAJapaneseFaceAndAreMadeOnce) {
    SkinFonts fonts;
    const TSkinFont missing{"NoSuchFace", 12, {true, false, false}, 0};
    HFONT font = fonts.Get(missing);
    EXPECT_EQ(fonts.Get(missing), font);
    TSkinFont other = missing;
    other.Size = 20;
    EXPECT_NE(fonts.Get(other), font);
    LOGFONTW log{};
    ASSERT_NE(GetObjectW(font, sizeof(log), &log), 0);
    EXPECT_NE(std::wstring(log.lfFaceName), L"NoSuchFace");
    EXPECT_TRUE(platform::HasJapaneseFace(log.lfFaceName));
    EXPECT_EQ(log.lfWeight, FW_BOLD);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(log.lfHeight, -FontPixelHeight(12, GetDeviceCaps(screen, LOGPIXELSY)));
    ReleaseDC(nullptr, screen);

    // Popup items are measured in the background font, beside the side bar.
    TSkin skin;
    skin.Popup.BackGroundFont = missing;
    GiveImage(skin.Popup.SideBar, 20, 100, 50, 0);
    Canvas canvas(10, 10);
    SkinPainter painter;
    const SIZE launcher = painter.PopupMeasureItem(canvas.Dc(), skin, "あいう", true);
    const SIZE caption = painter.PopupMeasureItem(canvas.Dc(), skin, "あいう", false);
    const SIZE shorter = painter.PopupMeasureItem(canvas.Dc(), skin, "あ", false);
    EXPECT_EQ(launcher.cx - caption.cx, 16);
    EXPECT_GT(caption.cx, shorter.cx);
    EXPECT_GT(shorter.cx, 24);
    EXPECT_EQ(caption.cy, -log.lfHeight + 4);
}

}  // namespace
}  // namespace zanmel::skin
