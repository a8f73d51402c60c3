#include "skin/SkinPainting.h"

#include <gtest/gtest.h>

#include "SkinTestDoubles.h"

namespace zanmel::skin {
namespace {

void GiveImage(TCustomSkinGraphic& graphic, int width, int height, ColorRef color) {
    graphic.Bitmap = std::make_unique<test::MemoryImage>(width, height);
    graphic.Color = color;
}

SkinCopy Copy(const TCustomSkinGraphic& graphic, SkinPoint source, SkinRect dest) {
    return SkinCopy{&graphic, source, dest};
}

template <class T>
std::vector<T> OpsOf(const SkinPaintOps& ops) {
    std::vector<T> found;
    for (const SkinPaintOp& op : ops) {
        if (const T* item = std::get_if<T>(&op)) found.push_back(*item);
    }
    return found;
}

TEST(SkinCopyTest, TakesTheSharedSizeAndCutsTheBlockToTheImage) {
    TSkinGraphicXY graphic;
    SkinPaintOps ops;
    AddSkinCopy(ops, graphic, {0, 0, 10, 10}, {0, 0, 10, 10});
    EXPECT_TRUE(ops.empty()) << "no image, nothing to copy";

    GiveImage(graphic, 40, 30, 0);
    AddSkinCopy(ops, graphic, {5, 6, 15, 16}, {50, 60, 60, 70});
    AddSkinCopy(ops, graphic, {-4, -3, 6, 7}, {10, 20, 20, 30});  // above and left of the image
    AddSkinCopy(ops, graphic, {35, 25, 45, 35}, {0, 0, 10, 10});  // past its right and bottom edges
    AddSkinCopy(ops, graphic, {0, 0, 40, 30}, {0, 0, 41, 29});    // rectangles one pixel apart in size
    AddSkinCopy(ops, graphic, {0, -20, 40, -2}, {0, 0, 40, 18});  // wholly above the image
    AddSkinCopy(ops, graphic, {40, 0, 50, 10}, {0, 0, 10, 10});   // wholly right of it
    EXPECT_EQ(ops, (SkinPaintOps{Copy(graphic, {5, 6}, {50, 60, 60, 70}), Copy(graphic, {0, 0}, {14, 23, 20, 30}),
                                 Copy(graphic, {35, 25}, {0, 0, 5, 5}), Copy(graphic, {0, 0}, {0, 0, 40, 29})}));
}

TEST(PanelGraphicTest, FillsTheStripAndPlacesTheImageByItsAlignment) {
    TSkinGraphicX top;
    EXPECT_TRUE(PanelGraphicOps(top, 100, 20).empty());
    TSkinGraphicY left;
    EXPECT_TRUE(PanelGraphicOps(left, 15, 100).empty());

    struct Case {
        SkinHorizontalAlignment alignment;
        int w;
        int x;
    };
    const Case xs[] = {{SkinHorizontalAlignment::Left, 30, 0},     {SkinHorizontalAlignment::Right, 30, 70},
                       {SkinHorizontalAlignment::Right, 130, -30}, {SkinHorizontalAlignment::Center, 30, 35},
                       {SkinHorizontalAlignment::Center, 31, 34},  {SkinHorizontalAlignment::Center, 101, 0},
                       {SkinHorizontalAlignment::Center, 103, -1}};
    for (const Case& c : xs) {
        GiveImage(top, c.w, 20, Rgb(1, 2, 3));
        top.HorizontalAlignment = c.alignment;
        const SkinPaintOps expected{SkinFill{{0, 0, 100, 20}, Rgb(1, 2, 3)},
                                    Copy(top, {0, 0}, {c.x, 0, c.x + c.w, 20})};
        EXPECT_EQ(PanelGraphicOps(top, 100, 20), expected) << "w " << c.w;
    }

    struct VerticalCase {
        SkinVerticalAlignment alignment;
        int h;
        int y;
    };
    const VerticalCase ys[] = {{SkinVerticalAlignment::Top, 30, 0},      {SkinVerticalAlignment::Bottom, 30, 70},
                               {SkinVerticalAlignment::Middle, 101, 0},  {SkinVerticalAlignment::Middle, 99, 0},
                               {SkinVerticalAlignment::Middle, 103, -1}, {SkinVerticalAlignment::Middle, 40, 30}};
    for (const VerticalCase& c : ys) {
        GiveImage(left, 15, c.h, Rgb(4, 5, 6));
        left.VarticalAlignment = c.alignment;
        const SkinPaintOps expected{SkinFill{{0, 0, 15, 100}, Rgb(4, 5, 6)},
                                    Copy(left, {0, 0}, {0, c.y, 15, c.y + c.h})};
        EXPECT_EQ(PanelGraphicOps(left, 15, 100), expected) << "h " << c.h;
    }
}

class TreeItemTest : public ::testing::Test {
protected:
    TSkin skin;
    TSkinGraphicXY& back = skin.TreeView.BackGround;
    TSkinGraphicXY& fore = skin.TreeView.ForeGround;

    void SetUp() override {
        skin.TreeView.BackGroundFont = {"IPAPGothic", 9, {}, Rgb(0, 0, 1)};
        skin.TreeView.ForeGroundFont = {"IPAPGothic", 11, {true, false, false}, Rgb(0, 0, 2)};
        GiveImage(back, 40, 200, Rgb(10, 0, 0));
        GiveImage(fore, 40, 200, Rgb(20, 0, 0));
    }
    TreeItemState Item(TreePaintStage stage, SkinRect rect, bool selected = false) {
        TreeItemState state;
        state.stage = stage;
        state.rect = rect;
        state.selected = selected;
        state.treeWidth = 100;
        state.treeHeight = 300;
        state.text = "#Tools";
        return state;
    }
};

TEST_F(TreeItemTest, WithoutABackgroundImageTheTreeDrawsEverythingItself) {
    back.Bitmap.reset();
    for (TreePaintStage stage : {TreePaintStage::PrePaint, TreePaintStage::PostPaint}) {
        TreeItemState state = Item(stage, {0, 0, 100, 18}, true);
        state.hasNextVisible = false;
        const TreeItemPaint paint = TreeItemOps(skin, state);
        EXPECT_TRUE(paint.ops.empty());
        EXPECT_TRUE(paint.drawImages);
        EXPECT_TRUE(paint.defaultDraw);
        EXPECT_FALSE(paint.textColor);
        EXPECT_FALSE(paint.fontSize);
    }
}

TEST_F(TreeItemTest, PrePaintShowsTheRowsShareOfTheBackgroundAndLetsTheTreeDraw) {
    const TreeItemPaint plain = TreeItemOps(skin, Item(TreePaintStage::PrePaint, {0, 18, 100, 36}));
    EXPECT_EQ(plain.ops,
              (SkinPaintOps{SkinFill{{0, 18, 100, 36}, Rgb(10, 0, 0)}, Copy(back, {0, 18}, {0, 18, 40, 36})}));
    EXPECT_TRUE(plain.drawImages && plain.defaultDraw);
    EXPECT_EQ(plain.textColor, Rgb(0, 0, 1));

    // The selection image takes the background's right-aligned band and size.
    back.HorizontalAlignment = SkinHorizontalAlignment::Right;
    const TreeItemPaint selected = TreeItemOps(skin, Item(TreePaintStage::PrePaint, {0, 18, 100, 36}, true));
    EXPECT_EQ(selected.ops,
              (SkinPaintOps{SkinFill{{0, 18, 100, 36}, Rgb(20, 0, 0)}, Copy(fore, {0, 18}, {60, 18, 100, 36})}));
    EXPECT_EQ(selected.textColor, Rgb(0, 0, 2));

    // Centred in an odd width the band is one pixel wider than the image; the copy keeps the image's width.
    back.HorizontalAlignment = SkinHorizontalAlignment::Center;
    TreeItemState odd = Item(TreePaintStage::PrePaint, {0, 18, 101, 36});
    odd.treeWidth = 101;
    EXPECT_EQ(OpsOf<SkinCopy>(TreeItemOps(skin, odd).ops), std::vector{Copy(back, {0, 18}, {30, 18, 70, 36})});

    // Vertically the image sits at the bottom of or halfway down the tree; rows above it show the fill only.
    back.HorizontalAlignment = SkinHorizontalAlignment::Left;
    back.VarticalAlignment = SkinVerticalAlignment::Bottom;
    EXPECT_EQ(OpsOf<SkinCopy>(TreeItemOps(skin, Item(TreePaintStage::PrePaint, {0, 90, 100, 108})).ops),
              std::vector{Copy(back, {0, 0}, {0, 100, 40, 108})});
    EXPECT_TRUE(OpsOf<SkinCopy>(TreeItemOps(skin, Item(TreePaintStage::PrePaint, {0, 18, 100, 36})).ops).empty());
    back.VarticalAlignment = SkinVerticalAlignment::Middle;
    GiveImage(back, 40, 201, Rgb(10, 0, 0));  // (300 - 201) / 2 = 49
    EXPECT_EQ(OpsOf<SkinCopy>(TreeItemOps(skin, Item(TreePaintStage::PrePaint, {0, 90, 100, 108})).ops),
              std::vector{Copy(back, {0, 41}, {0, 90, 40, 108})});
}

TEST_F(TreeItemTest, PostPaintRedrawsTheTextRectangleAndDrawsTheTextWithoutTheFolderMark) {
    back.HorizontalAlignment = SkinHorizontalAlignment::Right;
    const TreeItemPaint paint = TreeItemOps(skin, Item(TreePaintStage::PostPaint, {70, 18, 120, 36}, true));
    EXPECT_EQ(paint.ops,
              (SkinPaintOps{SkinFill{{70, 18, 120, 36}, Rgb(20, 0, 0)}, Copy(fore, {10, 18}, {70, 18, 100, 36}),
                            SkinText{{72, 20}, "Tools", skin.TreeView.ForeGroundFont, Rgb(0, 0, 2), {}}}));
    EXPECT_FALSE(paint.drawImages);
    EXPECT_FALSE(paint.defaultDraw);
    EXPECT_EQ(paint.fontSize, 11);

    // Only one mark goes; an item's text is drawn as it is.
    TreeItemState state = Item(TreePaintStage::PostPaint, {20, 0, 60, 18});
    state.text = "##自動実行-起動時";
    EXPECT_EQ(OpsOf<SkinText>(TreeItemOps(skin, state).ops).at(0).text, "#自動実行-起動時");
    state.text = "メモ帳";
    const std::vector<SkinText> texts = OpsOf<SkinText>(TreeItemOps(skin, state).ops);
    EXPECT_EQ(texts.at(0).text, "メモ帳");
    EXPECT_EQ(texts.at(0).font, skin.TreeView.BackGroundFont);
    // A text rectangle left of the band leaves the band as it is.
    EXPECT_EQ(OpsOf<SkinCopy>(TreeItemOps(skin, state).ops), std::vector{Copy(back, {0, 0}, {60, 0, 100, 18})});
}

TEST_F(TreeItemTest, BelowTheLastItemTheRestOfTheBackgroundImageIsCopied) {
    struct Case {
        SkinVerticalAlignment alignment;
        int h;
        std::vector<SkinCopy> below;
    };
    const Case cases[] = {
        {SkinVerticalAlignment::Top, 200, {Copy(back, {0, 36}, {0, 36, 40, 200})}},
        {SkinVerticalAlignment::Top, 36, {}},  // the image ends at the row: the tree's colour shows below
        {SkinVerticalAlignment::Bottom, 200, {Copy(back, {0, 0}, {0, 100, 40, 300})}},
        {SkinVerticalAlignment::Bottom, 400, {Copy(back, {0, 136}, {0, 36, 40, 300})}},
        {SkinVerticalAlignment::Middle, 200, {Copy(back, {0, 0}, {0, 50, 40, 250})}},
        {SkinVerticalAlignment::Middle, 400, {Copy(back, {0, 86}, {0, 36, 40, 350})}},
    };
    for (const Case& c : cases) {
        GiveImage(back, 40, c.h, Rgb(10, 0, 0));
        back.VarticalAlignment = c.alignment;
        TreeItemState state = Item(TreePaintStage::PrePaint, {0, 18, 100, 36}, true);
        state.hasNextVisible = false;
        // The fill below always comes from the background image, even under a selected row.
        std::vector<SkinCopy> below;
        for (const SkinCopy& copy : OpsOf<SkinCopy>(TreeItemOps(skin, state).ops)) {
            if (copy.graphic == &back) below.push_back(copy);
        }
        EXPECT_EQ(below, c.below) << "h " << c.h;
    }
}

TEST_F(TreeItemTest, DuringADragTheTreeDrawsItselfAndTheTargetShowsWhereTheDropGoes) {
    TreeItemState state = Item(TreePaintStage::PrePaint, {20, 36, 60, 54});
    state.dragging = true;
    state.hasNextVisible = false;
    state.isDragTarget = true;
    state.hit = TreeDragHit::OnIcon;
    TreeItemPaint paint = TreeItemOps(skin, state);
    EXPECT_TRUE(paint.ops.empty()) << "no feedback before the item is drawn";
    EXPECT_TRUE(paint.drawImages && paint.defaultDraw);
    EXPECT_EQ(paint.textColor, Rgb(0, 0, 1));

    state.stage = TreePaintStage::PostPaint;
    paint = TreeItemOps(skin, state);
    TSkinFont red = skin.TreeView.BackGroundFont;
    EXPECT_EQ(paint.ops,
              (SkinPaintOps{SkinText{{22, 38}, "InsertFolder", red, Rgb(255, 0, 0), SkinRect{20, 36, 100, 54}}}));
    EXPECT_TRUE(paint.drawImages && paint.defaultDraw);

    auto bar = [&](TreeDragHit hit, const std::string& text, bool first) {
        TreeItemState s = state;
        s.hit = hit;
        s.text = text;
        s.targetIsFirst = first;
        s.aboveText = SkinRect{40, 18, 90, 36};
        return TreeItemOps(skin, s).ops;
    };
    const SkinFill top{{4, 36, 60, 38}, Rgb(255, 0, 0)};
    EXPECT_EQ(bar(TreeDragHit::OnIcon, "メモ帳", false), SkinPaintOps{top});
    EXPECT_EQ(bar(TreeDragHit::RightOfLabel, "#Tools", false),
              (SkinPaintOps{SkinFill{{24, 36, 90, 38}, Rgb(255, 0, 0)}}));
    EXPECT_EQ(bar(TreeDragHit::RightOfLabel, "#Tools", true), SkinPaintOps{top});
    EXPECT_EQ(bar(TreeDragHit::BelowLast, "#Tools", false),
              (SkinPaintOps{SkinFill{{-16, 52, 60, 54}, Rgb(255, 0, 0)}}));
    EXPECT_EQ(bar(TreeDragHit::Other, "#Tools", false), SkinPaintOps{top});
    // Without the item above there is nothing to mark under it: the bar goes on the target's top edge.
    state.hit = TreeDragHit::RightOfLabel;
    EXPECT_EQ(TreeItemOps(skin, state).ops, SkinPaintOps{top});
    // Items other than the target get no feedback.
    state.isDragTarget = false;
    EXPECT_TRUE(TreeItemOps(skin, state).ops.empty());
}

class ListRowTest : public ::testing::Test {
protected:
    TSkin skin;
    TSkinGraphicXY& back = skin.ListBox.BackGround;
    TSkinGraphicXY& fore = skin.ListBox.ForeGround;

    void SetUp() override {
        skin.ListBox.BackGroundFont = {"IPAPGothic", 9, {}, Rgb(0, 0, 1)};
        skin.ListBox.ForeGroundFont = {"IPAPGothic", 9, {false, true, false}, Rgb(0, 0, 2)};
        GiveImage(back, 50, 120, Rgb(10, 0, 0));
        GiveImage(fore, 50, 120, Rgb(20, 0, 0));
    }
    ListRowState Row(SkinRect rect, bool selected, bool last) {
        return ListRowState{rect, selected, last, 200, 150, 3, "notepad"};
    }
};

TEST_F(ListRowTest, ARowShowsItsShareOfTheImageItsIconAndItsClippedText) {
    EXPECT_EQ(ListRowOps(skin, Row({0, 13, 200, 26}, true, false)),
              (SkinPaintOps{
                  SkinFill{{0, 13, 200, 26}, Rgb(20, 0, 0)}, Copy(fore, {0, 13}, {0, 13, 50, 26}), SkinIcon{{2, 13}, 3},
                  SkinText{{20, 13}, "notepad", skin.ListBox.ForeGroundFont, Rgb(0, 0, 2), SkinRect{0, 13, 200, 26}}}));
    back.HorizontalAlignment = SkinHorizontalAlignment::Right;
    back.VarticalAlignment = SkinVerticalAlignment::Middle;  // (150 - 120) / 2 = 15
    const SkinPaintOps plain = ListRowOps(skin, Row({0, 26, 200, 39}, false, false));
    EXPECT_EQ(plain.at(0), SkinPaintOp(SkinFill{{0, 26, 200, 39}, Rgb(10, 0, 0)}));
    EXPECT_EQ(OpsOf<SkinCopy>(plain), std::vector{Copy(back, {0, 11}, {150, 26, 200, 39})});
    EXPECT_EQ(OpsOf<SkinText>(plain).at(0).font, skin.ListBox.BackGroundFont);
}

TEST_F(ListRowTest, BelowTheLastRowTheRestOfTheBackgroundImageIsCopied) {
    struct Case {
        SkinVerticalAlignment alignment;
        int bottom;
        std::vector<SkinCopy> below;
    };
    const Case cases[] = {
        {SkinVerticalAlignment::Top, 26, {Copy(back, {0, 26}, {0, 26, 50, 120})}},
        {SkinVerticalAlignment::Top, 120, {}},
        {SkinVerticalAlignment::Bottom, 26, {Copy(back, {0, 0}, {0, 30, 50, 150})}},
        {SkinVerticalAlignment::Bottom, 39, {Copy(back, {0, 9}, {0, 39, 50, 150})}},
        {SkinVerticalAlignment::Middle, 26, {Copy(back, {0, 11}, {0, 26, 50, 135})}},  // (150 - 120) / 2 = 15
    };
    for (const Case& c : cases) {
        back.VarticalAlignment = c.alignment;
        const std::vector<SkinCopy> copies =
            OpsOf<SkinCopy>(ListRowOps(skin, Row({0, c.bottom - 13, 200, c.bottom}, true, true)));
        std::vector<SkinCopy> below;
        for (const SkinCopy& copy : copies) {
            if (copy.graphic == &back) below.push_back(copy);
        }
        EXPECT_EQ(below, c.below) << "bottom " << c.bottom;
    }
}

class PopupItemTest : public ::testing::Test {
protected:
    TSkin skin;
    TSkinGraphicXY& back = skin.Popup.BackGround;
    TSkinGraphicY& side = skin.Popup.SideBar;

    void SetUp() override {
        skin.Popup.BackGroundFont = {"IPAPGothic", 9, {}, Rgb(0, 0, 1)};
        skin.Popup.ForeGroundFont = {"IPAPGothic", 9, {}, Rgb(0, 0, 2)};
        GiveImage(back, 80, 100, Rgb(10, 0, 0));
        GiveImage(skin.Popup.ForeGround, 80, 100, Rgb(20, 0, 0));
        GiveImage(side, 20, 100, Rgb(30, 0, 0));
    }
    PopupItemState Item(SkinRect rect, std::string text, bool launcher = false) {
        PopupItemState state;
        state.rect = rect;
        state.text = std::move(text);
        state.launcherItem = launcher;
        state.itemCount = 5;
        state.fontPixelHeight = -12;  // items 16 high, the menu 80
        state.imageIndex = 7;
        return state;
    }
};

TEST_F(PopupItemTest, MeasuresTheTextBesideTheSideBar) {
    EXPECT_EQ(PopupItemSize(skin, 50, -12, true), (SkinSize{90, 16}));
    EXPECT_EQ(PopupItemSize(skin, 50, 12, false), (SkinSize{74, 16}));
    side.Bitmap.reset();
    EXPECT_EQ(PopupItemSize(skin, 50, -12, false), (SkinSize{54, 16}));
}

TEST_F(PopupItemTest, DrawsBackgroundSideBarAndCaption) {
    EXPECT_EQ(
        PopupItemOps(skin, Item({0, 16, 150, 32}, "&Open")),
        (SkinPaintOps{SkinFill{{0, 16, 150, 32}, Rgb(10, 0, 0)}, Copy(back, {0, 16}, {20, 16, 100, 32}),
                      SkinFill{{0, 16, 20, 32}, Rgb(30, 0, 0)}, Copy(side, {0, 16}, {0, 16, 20, 32}),
                      SkinText{{22, 18}, "&Open", skin.Popup.BackGroundFont, Rgb(0, 0, 1), SkinRect{0, 16, 150, 32}}}));

    // Alignments place the images within the item's width and the whole menu's height.
    back.HorizontalAlignment = SkinHorizontalAlignment::Right;
    back.VarticalAlignment = SkinVerticalAlignment::Bottom;  // up by 80 - 100 = -20
    side.VarticalAlignment = SkinVerticalAlignment::Middle;  // up by (80 - 100) / 2 = -10
    PopupItemState selected = Item({0, 16, 150, 32}, "x");
    selected.selected = true;
    std::vector<SkinCopy> copies = OpsOf<SkinCopy>(PopupItemOps(skin, selected));
    EXPECT_EQ(copies, (std::vector{Copy(skin.Popup.ForeGround, {0, 36}, {70, 16, 150, 32}),
                                   Copy(side, {0, 26}, {0, 16, 20, 32})}));
    EXPECT_EQ(OpsOf<SkinText>(PopupItemOps(skin, selected)).at(0).font, skin.Popup.ForeGroundFont);
    // An entry that cannot be chosen keeps the font but shows its caption in the grey it is given.
    selected.disabledColor = Rgb(128, 128, 128);
    const SkinText greyed = OpsOf<SkinText>(PopupItemOps(skin, selected)).at(0);
    EXPECT_EQ(greyed.font, skin.Popup.ForeGroundFont);
    EXPECT_EQ(greyed.color, Rgb(128, 128, 128));
    back.HorizontalAlignment = SkinHorizontalAlignment::Center;  // (151 - 80) / 2 = 35
    copies = OpsOf<SkinCopy>(PopupItemOps(skin, Item({0, 16, 151, 32}, "x")));
    EXPECT_EQ(copies.at(0), Copy(back, {0, 36}, {35, 16, 115, 32}));
}

TEST_F(PopupItemTest, LauncherItemsShowTheirIconAndSeparatorsAreALineRightOfTheSideBar) {
    const SkinPaintOps launcher = PopupItemOps(skin, Item({0, 0, 150, 16}, "#Tools", true));
    EXPECT_EQ(OpsOf<SkinIcon>(launcher), (std::vector{SkinIcon{{21, 2}, 7}}));
    EXPECT_EQ(
        OpsOf<SkinText>(launcher),
        (std::vector{SkinText{{38, 2}, "Tools", skin.Popup.BackGroundFont, Rgb(0, 0, 1), SkinRect{0, 0, 150, 16}}}));

    const SkinLine line{{22, 40}, {148, 40}, Rgb(0, 0, 1)};
    PopupItemState separator = Item({0, 32, 150, 49}, "");
    separator.separator = true;
    EXPECT_EQ(OpsOf<SkinLine>(PopupItemOps(skin, separator)), std::vector{line});
    EXPECT_TRUE(OpsOf<SkinText>(PopupItemOps(skin, separator)).empty());
    EXPECT_EQ(OpsOf<SkinLine>(PopupItemOps(skin, Item({0, 32, 150, 49}, "-"))), std::vector{line});
    EXPECT_TRUE(OpsOf<SkinIcon>(PopupItemOps(skin, Item({0, 32, 150, 49}, "-"))).empty());
}

TEST(FontPixelHeightTest, RoundsPointsAtTheScreensResolution) {
    EXPECT_EQ(FontPixelHeight(12, 96), 16);
    EXPECT_EQ(FontPixelHeight(11, 96), 15);  // 14.67
    EXPECT_EQ(FontPixelHeight(7, 96), 9);    // 9.33
    EXPECT_EQ(FontPixelHeight(3, 108), 5);   // 4.5, half away from zero
    EXPECT_EQ(FontPixelHeight(-3, 108), -5);
    EXPECT_EQ(FontPixelHeight(0, 96), 0);
}

}  // namespace
}  // namespace zanmel::skin
