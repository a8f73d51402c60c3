#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "skin/TSkin.h"

// What the skin paints, as plain data: each paint of a strip, a tree item, a list row or a popup menu item is
// worked out here as a list of raster operations, which the Windows side carries out on a device context.
// Text widths and font heights are measured by the caller and passed in.
namespace zanmel::skin {

struct SkinPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SkinPoint&) const = default;
};

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const SkinRect&) const = default;
};

// Fill a rectangle with a colour.
struct SkinFill {
    SkinRect rect;
    ColorRef color = 0;
    bool operator==(const SkinFill&) const = default;
};

// Copy the block of a graphic's image whose top-left corner is source to dest, at the same size. Built only
// through AddSkinCopy, so the block always lies inside the image.
struct SkinCopy {
    const TCustomSkinGraphic* graphic = nullptr;
    SkinPoint source;
    SkinRect dest;
    bool operator==(const SkinCopy&) const = default;
};

// Text with a transparent background at origin, in the face, size and style of font and in color; cut to
// clip when there is one. The text is drawn as it is (an ampersand is no accelerator mark).
struct SkinText {
    SkinPoint origin;
    std::string text;
    TSkinFont font;
    ColorRef color = 0;
    std::optional<SkinRect> clip;
    bool operator==(const SkinText&) const = default;
};

// A one-pixel line from `from` up to, not including, `to`.
struct SkinLine {
    SkinPoint from;
    SkinPoint to;
    ColorRef color = 0;
    bool operator==(const SkinLine&) const = default;
};

// One icon of the caller's image list, drawn at its own size.
struct SkinIcon {
    SkinPoint at;
    int imageIndex = -1;
    bool operator==(const SkinIcon&) const = default;
};

using SkinPaintOp = std::variant<SkinFill, SkinCopy, SkinText, SkinLine, SkinIcon>;
using SkinPaintOps = std::vector<SkinPaintOp>;

// Copies src of the graphic's image to dest. The copy takes the size the two rectangles share, both measured
// from their top-left corners, and is cut to the image; the parts of dest it leaves uncovered keep what was
// painted there before (the fill colour). Nothing is added when nothing of the image is left.
void AddSkinCopy(SkinPaintOps& ops, const TCustomSkinGraphic& graphic, const SkinRect& src, const SkinRect& dest);

// A strip or the splitter (width x height): its colour, then its image placed by the graphic's alignment.
// Nothing at all when the graphic has no image.
SkinPaintOps PanelGraphicOps(const TSkinGraphicX& graphic, int width, int height);
SkinPaintOps PanelGraphicOps(const TSkinGraphicY& graphic, int width, int height);

// A text with one leading folder mark "#" taken off.
std::string WithoutFolderMark(const std::string& text);

enum class TreePaintStage { PrePaint, PostPaint };

// Where a drag inside the tree points at its target node.
enum class TreeDragHit { Other, OnIcon, RightOfLabel, BelowLast };

struct TreeItemState {
    TreePaintStage stage = TreePaintStage::PrePaint;
    SkinRect rect;  // the whole row at pre-paint, the text rectangle at post-paint
    bool selected = false;
    bool hasNextVisible = true;
    int treeWidth = 0;
    int treeHeight = 0;
    std::string text;  // the node's text, "#" first for a folder
    bool dragging = false;
    // Drag feedback, read while dragging at post-paint.
    bool isDragTarget = false;
    TreeDragHit hit = TreeDragHit::Other;
    bool targetIsFirst = false;         // the tree's first node, or the first child of its parent
    std::optional<SkinRect> aboveText;  // text rectangle of the visible item above the target
};

struct TreeItemPaint {
    SkinPaintOps ops;
    bool drawImages = true;                // the tree draws the item's images
    bool defaultDraw = true;               // the tree does its own drawing of the item
    std::optional<ColorRef> textColor;     // colour of the tree's own text for this item
    std::optional<std::int32_t> fontSize;  // the tree's own font takes this size (points)
};

// One tree item at one stage.
TreeItemPaint TreeItemOps(const TSkin& skin, const TreeItemState& state);

constexpr ColorRef kDragFeedbackColor = Rgb(255, 0, 0);
extern const char* const kInsertFolderText;

struct ListRowState {
    SkinRect rect;
    bool selected = false;
    bool isLast = false;
    int listWidth = 0;
    int listHeight = 0;
    int imageIndex = -1;
    std::string text;
};

// One row of the owner-drawn result list.
SkinPaintOps ListRowOps(const TSkin& skin, const ListRowState& state);

struct SkinSize {
    int width = 0;
    int height = 0;
    bool operator==(const SkinSize&) const = default;
};

// The size of a popup menu item from the width of its text and the pixel height of Popup.BackGroundFont.
// launcherItem: an item of the launcher menu, which has an icon before its text.
SkinSize PopupItemSize(const TSkin& skin, int textWidth, int fontPixelHeight, bool launcherItem);

struct PopupItemState {
    SkinRect rect;
    bool selected = false;
    std::string text;  // the tree node's text for a launcher item, the caption otherwise
    bool launcherItem = false;
    bool separator = false;   // a separator of a fixed menu (a caption "-" counts as one too)
    int itemCount = 1;        // items of the menu or submenu that holds the item
    int fontPixelHeight = 0;  // of Popup.BackGroundFont
    int imageIndex = -1;      // the launcher item's icon
    // Set for an entry that cannot be chosen: its caption is drawn in this colour (the system's grey text).
    std::optional<ColorRef> disabledColor;
};

// One item of an owner-drawn popup menu.
SkinPaintOps PopupItemOps(const TSkin& skin, const PopupItemState& state);

// A font size in points as pixels at dpi, rounded to the nearest pixel, halves away from zero (the sign is
// kept: a negative size stays negative).
int FontPixelHeight(std::int32_t points, int dpi);

}  // namespace zanmel::skin
