#pragma once

#include <cstdint>
#include <optional>

#include "skin/SkinPainting.h"
#include "skin/TSkin.h"

// The main window's frame, sizes, colours and drawing modes for a skin, as plain values: the window applies
// them when a skin has been loaded.
namespace zanmel::skin {

enum class SkinFrame { Sizeable, FixedDialog, None };

// What the window measures before it lays itself out for a skin.
struct SkinLayoutMetrics {
    int labelFontPixelHeight = 0;  // InputBox.LabelFont
    int editFontPixelHeight = 0;   // InputBox.EditFont
    int statusBarHeight = 0;
    int labelTop = 0;   // top of Label1 within the bottom strip
    unsigned dpi = 96;  // the window's: lengths of the program's own, not the skin's, follow it
};

struct SkinLayout {
    SkinFrame frame = SkinFrame::Sizeable;
    bool menuVisible = true;  // the top-level main menu items (those start-up hides stay hidden)
    bool statusBarVisible = true;
    bool splitterVisible = true;
    bool transparent = false;  // pixels of exactly transparentColor are see-through
    ColorRef transparentColor = 0;

    int topHeight = 0;      // PaintBox3
    int leftWidth = 15;     // PaintBox1
    int rightWidth = 15;    // PaintBox2
    int splitterWidth = 5;  // Splitter1
    ColorRef topColor = 0;
    ColorRef leftColor = 0;
    ColorRef rightColor = 0;
    ColorRef splitterColor = 0;

    // Both search boxes with their labels.
    int labelHeight = 0;
    int editHeight = 0;
    int editTop = 0;
    bool editBorder = true;
    ColorRef editColor = 0;

    int bottomHeight = 0;  // PanelBottom
    ColorRef bottomColor = 0;

    bool listOwnerDraw = false;  // owner-drawn with fixed row height
    int listRowHeight = 0;
    ColorRef listColor = 0;
    bool listBorder = true;
    std::optional<int> listWidth;  // Panel1, set only while the splitter is hidden

    ColorRef treeColor = 0;
    bool treeBorder = true;
    bool treeLinesAndButtons = true;  // connecting lines, root lines and expand buttons

    std::optional<SkinSize> fixedClientSize;  // set in fixed mode: the window cannot be resized

    bool launcherMenuOwnerDraw = false;  // PopupMenu1
    bool fixedMenusOwnerDraw = false;    // the seven fixed popup menus
};

// Largest row height a list box accepts.
constexpr int kMaxListRowHeight = 255;

SkinLayout LayoutSkin(const TSkin& skin, const SkinLayoutMetrics& metrics);

}  // namespace zanmel::skin
