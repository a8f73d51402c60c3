#include "skin/SkinPainting.h"

#include <algorithm>
#include <cstdlib>

namespace zanmel::skin {

const char* const kInsertFolderText = "InsertFolder";

namespace {

// Halving truncates toward zero, as C++ integer division does: (100 - 101) / 2 is 0, not -1.
int Half(int value) {
    return value / 2;
}

void AddFill(SkinPaintOps& ops, const SkinRect& rect, ColorRef color) {
    if (!rect.Empty()) ops.push_back(SkinFill{rect, color});
}

// How far an image of height h is moved up so that it sits at the vertical alignment within a height of
// `height` (negative: moved down).
int VerticalShift(SkinVerticalAlignment alignment, int height, int h) {
    switch (alignment) {
        case SkinVerticalAlignment::Bottom:
            return height - h;
        case SkinVerticalAlignment::Middle:
            return Half(height - h);
        case SkinVerticalAlignment::Top:
            break;
    }
    return 0;
}

// The destination and source rectangles of a row's share of a background image.
struct Band {
    SkinRect dest;
    SkinRect src;
};

// A row R of a control (width x height) showing a background image of w x h placed by its alignments: the
// row shows the part of the image that lies behind it.
Band RowBand(const SkinRect& r, int width, int height, const TSkinGraphicXY& background) {
    const int w = background.ImageWidth();
    const int h = background.ImageHeight();
    Band band{r, r};
    switch (background.GetHorizontalAlignment()) {
        case SkinHorizontalAlignment::Right:
            band.src.left = 0;
            band.src.right = w;
            band.dest.left = width - w;
            band.dest.right = width;
            break;
        case SkinHorizontalAlignment::Center:
            band.src.left = 0;
            band.src.right = w;
            band.dest.left = Half(width - w);
            band.dest.right = width - Half(width - w);
            break;
        case SkinHorizontalAlignment::Left:
            break;
    }
    const int shift = VerticalShift(background.VarticalAlignment, height, h);
    band.src.top -= shift;
    band.src.bottom -= shift;
    return band;
}

// Below the last row of a tree or list the rest of the background image is copied, keeping the row's
// horizontal placement.
void AddBelowLastRow(SkinPaintOps& ops, const TSkinGraphicXY& background, Band band, int rowBottom, int height) {
    const int h = background.ImageHeight();
    band.dest.top = rowBottom;
    switch (background.VarticalAlignment) {
        case SkinVerticalAlignment::Top:
            if (h <= rowBottom) return;
            band.dest.bottom = h;
            band.src.top = rowBottom;
            band.src.bottom = h;
            break;
        case SkinVerticalAlignment::Bottom:
            band.dest.bottom = height;
            band.src.top = h - (height - rowBottom);
            band.src.bottom = h;
            break;
        case SkinVerticalAlignment::Middle:
            band.dest.bottom = height - Half(height - h);
            band.src.bottom = h;
            band.src.top = h - band.dest.Height();
            break;
    }
    AddSkinCopy(ops, background, band.src, band.dest);
}

void AddPanelImage(SkinPaintOps& ops, const TCustomSkinGraphic& graphic, int width, int height, SkinPoint at) {
    AddFill(ops, {0, 0, width, height}, graphic.Color);
    const int w = graphic.ImageWidth();
    const int h = graphic.ImageHeight();
    AddSkinCopy(ops, graphic, {0, 0, w, h}, {at.x, at.y, at.x + w, at.y + h});
}

}  // namespace

void AddSkinCopy(SkinPaintOps& ops, const TCustomSkinGraphic& graphic, const SkinRect& src, const SkinRect& dest) {
    if (!graphic.HasImage()) return;
    int width = std::min(src.Width(), dest.Width());
    int height = std::min(src.Height(), dest.Height());
    SkinPoint from{src.left, src.top};
    SkinPoint to{dest.left, dest.top};
    if (from.x < 0) {
        to.x -= from.x;
        width += from.x;
        from.x = 0;
    }
    if (from.y < 0) {
        to.y -= from.y;
        height += from.y;
        from.y = 0;
    }
    width = std::min(width, graphic.ImageWidth() - from.x);
    height = std::min(height, graphic.ImageHeight() - from.y);
    if (width <= 0 || height <= 0) return;
    ops.push_back(SkinCopy{&graphic, from, {to.x, to.y, to.x + width, to.y + height}});
}

SkinPaintOps PanelGraphicOps(const TSkinGraphicX& graphic, int width, int height) {
    SkinPaintOps ops;
    if (!graphic.HasImage()) return ops;
    const int free = width - graphic.ImageWidth();
    int x = 0;
    switch (graphic.GetHorizontalAlignment()) {
        case SkinHorizontalAlignment::Right:
            x = free;
            break;
        case SkinHorizontalAlignment::Center:
            x = Half(free);
            break;
        case SkinHorizontalAlignment::Left:
            break;
    }
    AddPanelImage(ops, graphic, width, height, {x, 0});
    return ops;
}

SkinPaintOps PanelGraphicOps(const TSkinGraphicY& graphic, int width, int height) {
    SkinPaintOps ops;
    if (!graphic.HasImage()) return ops;
    const int y = VerticalShift(graphic.VarticalAlignment, height, graphic.ImageHeight());
    AddPanelImage(ops, graphic, width, height, {0, y});
    return ops;
}

std::string WithoutFolderMark(const std::string& text) {
    return !text.empty() && text[0] == '#' ? text.substr(1) : text;
}

TreeItemPaint TreeItemOps(const TSkin& skin, const TreeItemState& state) {
    const TSkinTreeView& tree = skin.TreeView;
    const TSkinGraphicXY& background = tree.BackGround;
    const TSkinGraphicXY& foreground = tree.ForeGround;
    const bool post = state.stage == TreePaintStage::PostPaint;
    const SkinRect& r = state.rect;
    TreeItemPaint paint;
    if (state.dragging) paint.textColor = tree.BackGroundFont.Color;

    if (background.HasImage() && !state.dragging) {
        AddFill(paint.ops, r, state.selected ? foreground.Color : background.Color);
        Band band = RowBand(r, state.treeWidth, state.treeHeight, background);
        // The text rectangle at post-paint starts right of the item's images, which must stay visible.
        if (post && r.left > band.dest.left) {
            band.src.left += r.left - band.dest.left;
            band.dest.left = r.left;
        }
        // The selection image is placed like the background, with the background's size.
        AddSkinCopy(paint.ops, state.selected ? static_cast<const TCustomSkinGraphic&>(foreground) : background,
                    band.src, band.dest);
        const TSkinFont& font = state.selected ? tree.ForeGroundFont : tree.BackGroundFont;
        paint.textColor = font.Color;
        if (!state.hasNextVisible) AddBelowLastRow(paint.ops, background, band, r.bottom, state.treeHeight);
        if (post) {
            paint.ops.push_back(SkinText{{r.left + 2, r.top + 2}, WithoutFolderMark(state.text), font, font.Color, {}});
            paint.fontSize = font.Size;
            paint.drawImages = false;
            paint.defaultDraw = false;
        }
    }

    if (post && state.dragging && state.isDragTarget) {
        if (!state.text.empty() && state.text[0] == '#' && state.hit == TreeDragHit::OnIcon) {
            const SkinRect row{r.left, r.top, state.treeWidth, r.bottom};
            paint.ops.push_back(
                SkinText{{row.left + 2, row.top + 2}, kInsertFolderText, tree.BackGroundFont, kDragFeedbackColor, row});
        } else if (state.hit == TreeDragHit::RightOfLabel && !state.targetIsFirst && state.aboveText) {
            const SkinRect& above = *state.aboveText;
            AddFill(paint.ops, {above.left - 16, above.bottom, above.right, above.bottom + 2}, kDragFeedbackColor);
        } else if (state.hit == TreeDragHit::BelowLast) {
            AddFill(paint.ops, {-16, r.bottom - 2, r.right, r.bottom}, kDragFeedbackColor);
        } else {
            AddFill(paint.ops, {r.left - 16, r.top, r.right, r.top + 2}, kDragFeedbackColor);
        }
    }
    return paint;
}

SkinPaintOps ListRowOps(const TSkin& skin, const ListRowState& state) {
    const TSkinListBox& list = skin.ListBox;
    const SkinRect& r = state.rect;
    SkinPaintOps ops;
    AddFill(ops, r, state.selected ? list.ForeGround.Color : list.BackGround.Color);
    const Band band = RowBand(r, state.listWidth, state.listHeight, list.BackGround);
    AddSkinCopy(ops, state.selected ? list.ForeGround : list.BackGround, band.src, band.dest);
    if (state.isLast) AddBelowLastRow(ops, list.BackGround, band, r.bottom, state.listHeight);
    ops.push_back(SkinIcon{{r.left + 2, r.top}, state.imageIndex});
    const TSkinFont& font = state.selected ? list.ForeGroundFont : list.BackGroundFont;
    ops.push_back(SkinText{{r.left + 20, r.top}, state.text, font, font.Color, r});
    return ops;
}

SkinSize PopupItemSize(const TSkin& skin, int textWidth, int fontPixelHeight, bool launcherItem) {
    const int sideBar = skin.Popup.SideBar.ImageWidth();
    return {textWidth + sideBar + (launcherItem ? 20 : 4), std::abs(fontPixelHeight) + 4};
}

SkinPaintOps PopupItemOps(const TSkin& skin, const PopupItemState& state) {
    const TSkinPopup& popup = skin.Popup;
    const TSkinGraphicXY& background = popup.BackGround;
    const TSkinGraphicY& sideBar = popup.SideBar;
    const SkinRect& r = state.rect;
    const int w = background.ImageWidth();
    const int sw = sideBar.ImageWidth();
    const int menuHeight = (std::abs(state.fontPixelHeight) + 4) * state.itemCount;
    SkinPaintOps ops;

    AddFill(ops, r, state.selected ? popup.ForeGround.Color : background.Color);
    SkinRect dest = r;
    SkinRect src = r;
    switch (background.GetHorizontalAlignment()) {
        case SkinHorizontalAlignment::Right:
            src.left = 0;
            src.right = w;
            dest.left = r.right - w;
            dest.right = r.right;
            break;
        case SkinHorizontalAlignment::Center:
            src.left = 0;
            src.right = w;
            dest.left = Half(r.right - w);
            dest.right = r.right - Half(r.right - w);
            break;
        case SkinHorizontalAlignment::Left:
            // The background starts right of the side bar with its own left edge.
            src.left = 0;
            src.right = r.right - sw;
            dest.left = sw;
            dest.right = r.right;
            break;
    }
    const int shift = VerticalShift(background.VarticalAlignment, menuHeight, background.ImageHeight());
    src.top -= shift;
    src.bottom -= shift;
    AddSkinCopy(ops, state.selected ? static_cast<const TCustomSkinGraphic&>(popup.ForeGround) : background, src, dest);

    const SkinRect side{r.left, r.top, sw, r.bottom};
    AddFill(ops, side, sideBar.Color);
    const int sideShift = VerticalShift(sideBar.VarticalAlignment, menuHeight, sideBar.ImageHeight());
    AddSkinCopy(ops, sideBar, {side.left, side.top - sideShift, side.right, side.bottom - sideShift}, side);

    const TSkinFont& font = state.selected ? popup.ForeGroundFont : popup.BackGroundFont;
    const ColorRef textColor = state.disabledColor.value_or(font.Color);
    if (state.launcherItem) {
        ops.push_back(SkinIcon{{sw + r.left + 1, r.top + 2}, state.imageIndex});
        ops.push_back(SkinText{{sw + r.left + 18, r.top + 2}, WithoutFolderMark(state.text), font, textColor, r});
    } else if (state.separator || state.text == "-") {
        const int y = Half(r.top + r.bottom);
        ops.push_back(SkinLine{{sw + r.left + 2, y}, {r.right - 2, y}, popup.BackGroundFont.Color});
    } else {
        ops.push_back(SkinText{{sw + r.left + 2, r.top + 2}, state.text, font, textColor, r});
    }
    return ops;
}

int FontPixelHeight(std::int32_t points, int dpi) {
    const long long product = static_cast<long long>(points) * dpi;
    const long long magnitude = (std::llabs(product) + 36) / 72;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace zanmel::skin
