#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "skin/SkinPainting.h"

// The skin's paint operations carried out with GDI, and the fonts they draw with.
namespace zanmel::skin {

// Fonts made from skin fonts (face, size and style; the colour is the drawer's). Each is made once and kept:
// a skin has eight fonts, and the tree asks for two sizes.
class SkinFonts {
public:
    // A face that is not installed or cannot show Japanese gives way to an installed Japanese UI face.
    HFONT Get(const TSkinFont& font);
    // The font's height in pixels at the fonts' DPI (the screen's unless set), from its size in points.
    int PixelHeight(const TSkinFont& font) const;
    // The DPI the fonts are made for; a change makes them anew.
    void SetDpi(int dpi);

private:
    struct Entry {
        std::string name;
        std::int32_t size = 0;
        TSkinFontStyle style;
        platform::FontHandle handle;
    };
    std::vector<Entry> fonts_;
    std::vector<Entry> retired_;
    int dpi_ = 0;
};

// Carries out the operations on dc in order, leaving the state of dc as it was. images: the image list the
// icon operations draw from (none: icons are left out).
void PaintSkinOps(HDC dc, const SkinPaintOps& ops, SkinFonts& fonts, HIMAGELIST images);

// A strip or the splitter of width x height from its graphic; nothing when the graphic has no image.
void PaintPanelGraphic(HDC dc, int width, int height, const TSkinGraphicX& graphic);
void PaintPanelGraphic(HDC dc, int width, int height, const TSkinGraphicY& graphic);

// What the tree is to do with an item after the skin has painted it.
struct TreeItemResult {
    bool drawImages = true;
    bool defaultDraw = true;
    std::optional<COLORREF> textColor;  // for the tree's own text of the item
    HFONT treeFont = nullptr;           // the tree's own font from now on (nullptr: unchanged)
};

// Paints the tree items, list rows and popup menu items of the main window from a skin.
class SkinPainter {
public:
    TreeItemResult PaintTreeItem(HDC dc, const TSkin& skin, const TreeItemState& state);
    // A row of the owner-drawn list; images holds the row's icon.
    void PaintListRow(HDC dc, const TSkin& skin, const ListRowState& state, HIMAGELIST images);
    // Width and height of a popup menu item showing text (the tree node's text for a launcher-menu item).
    SIZE PopupMeasureItem(HDC dc, const TSkin& skin, const std::string& text, bool launcherItem);
    // A popup menu item. state.fontPixelHeight is left to this function, which takes it from the skin.
    void PopupDrawItem(HDC dc, const TSkin& skin, PopupItemState state, HIMAGELIST images);

    SkinFonts& Fonts() { return fonts_; }

private:
    SkinFonts fonts_;
};

}  // namespace zanmel::skin
