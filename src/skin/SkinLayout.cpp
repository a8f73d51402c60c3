#include "skin/SkinLayout.h"

#include <algorithm>
#include <cstdlib>

#include "core/DialogPlacement.h"

namespace zanmel::skin {

namespace {

int WidthOr(const TCustomSkinGraphic& graphic, int fallback) {
    return graphic.HasImage() ? graphic.ImageWidth() : fallback;
}

}  // namespace

SkinLayout LayoutSkin(const TSkin& skin, const SkinLayoutMetrics& metrics) {
    SkinLayout layout;
    if (skin.TitleBarVisible) {
        layout.frame = skin.FixedMode ? SkinFrame::FixedDialog : SkinFrame::Sizeable;
    } else {
        layout.frame = SkinFrame::None;
    }
    layout.menuVisible = skin.TitleBarVisible;
    layout.statusBarVisible = skin.TitleBarVisible;
    layout.splitterVisible = skin.SplitterVisible;
    layout.transparent = skin.TransparentMode;
    layout.transparentColor = skin.TransparentColor;

    const TCustomSkinGraphic& top = skin.TopGraphic.Graphic;
    const TCustomSkinGraphic& bottom = skin.BottomGraphic.Graphic;
    const TCustomSkinGraphic& left = skin.LeftGraphic.Graphic;
    layout.topHeight = top.ImageHeight();
    layout.leftWidth = WidthOr(left, ScaleToDpi(15, metrics.dpi));
    layout.rightWidth = WidthOr(skin.RightGraphic.Graphic, ScaleToDpi(15, metrics.dpi));
    layout.splitterWidth = WidthOr(skin.SplitterGraphic.Graphic, ScaleToDpi(5, metrics.dpi));
    layout.topColor = top.Color;
    layout.leftColor = left.Color;
    layout.rightColor = skin.RightGraphic.Graphic.Color;
    layout.splitterColor = skin.SplitterGraphic.Graphic.Color;

    layout.labelHeight = std::abs(metrics.labelFontPixelHeight) + 4;
    layout.editHeight = std::abs(metrics.editFontPixelHeight) + 4;
    layout.editTop = metrics.labelTop + layout.labelHeight + 2;
    layout.editBorder = skin.InputBox.Border;
    layout.editColor = skin.InputBox.Color;

    const int boxesBottom = layout.editTop + layout.editHeight + 4;
    layout.bottomHeight = bottom.HasImage() && bottom.ImageHeight() > boxesBottom ? bottom.ImageHeight() : boxesBottom;
    layout.bottomColor = bottom.Color;

    const TSkinGraphicXY& listBackground = skin.ListBox.BackGround;
    layout.listOwnerDraw = listBackground.HasImage();
    // A list box takes row heights of 1 to 255 only; a font size outside keeps the row inside that range.
    layout.listRowHeight =
        std::clamp(ScaleToDpi(skin.ListBox.BackGroundFont.Size + 4, metrics.dpi), 1, kMaxListRowHeight);
    layout.listColor = listBackground.Color;
    layout.listBorder = skin.ListBox.Border;
    if (!skin.SplitterVisible && listBackground.HasImage()) layout.listWidth = listBackground.ImageWidth();

    layout.treeColor = skin.TreeView.BackGround.Color;
    layout.treeBorder = skin.TreeView.Border;
    layout.treeLinesAndButtons = skin.TreeView.LineButton;

    if (skin.FixedMode) {
        // The bottom strip counts as tall as the search boxes need when its image is shorter (large fonts, a
        // high DPI): the boxes stay inside the window.
        const int bottomStrip = bottom.HasImage() ? layout.bottomHeight : 0;
        const int imagesHeight = top.ImageHeight() + bottomStrip + left.ImageHeight();
        // A fixed-mode skin whose images are missing would shrink the window to nothing it could be grown
        // back from; such a window keeps its size.
        if (top.ImageWidth() > 0 && imagesHeight > 0) {
            layout.fixedClientSize =
                SkinSize{top.ImageWidth(), imagesHeight + (skin.TitleBarVisible ? metrics.statusBarHeight : 0)};
        }
    }

    layout.launcherMenuOwnerDraw = skin.Popup.SideBar.HasImage();
    layout.fixedMenusOwnerDraw = skin.Popup.SideBar.HasImage() && skin.SystemPopupOwnerDraw;
    return layout;
}

}  // namespace zanmel::skin
