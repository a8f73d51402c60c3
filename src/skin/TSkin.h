#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "skin/SkinDescription.h"

namespace zanmel::skin {

// The raster behind a skin graphic: 24-bit pixels that can be read one by one, enlarged keeping what they
// hold, and copied by rectangles within the image.
class SkinImage {
public:
    virtual ~SkinImage() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The pixel at (x, y) as an RGB colour reference; (x, y) lies inside the image.
    virtual ColorRef Pixel(int x, int y) const = 0;
    // New size; the pixels of the old image stay at the top left, new pixels are black.
    virtual void Resize(int width, int height) = 0;
    // Copies the rectangle (srcX, srcY, width, height) to (dstX, dstY), both inside the image.
    virtual void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY) = 0;
};

struct SkinScreenSize {
    int width = 0;
    int height = 0;
};

enum class SkinRepeat : std::uint8_t { None = 0, X = 1, Y = 2, Both = 3 };
enum class SkinHorizontalAlignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };
enum class SkinVerticalAlignment : std::uint8_t { Top = 0, Bottom = 1, Middle = 2 };

// The base of every skin graphic. It owns its image.
class TCustomSkinGraphic {
public:
    virtual ~TCustomSkinGraphic() = default;

    // Enlarges a repeating image once so that it covers the screen; painting never tiles.
    virtual void Prepare(const SkinScreenSize& screen);

    bool HasImage() const { return Bitmap != nullptr && Bitmap->Width() > 0 && Bitmap->Height() > 0; }
    int ImageWidth() const { return HasImage() ? Bitmap->Width() : 0; }
    int ImageHeight() const { return HasImage() ? Bitmap->Height() : 0; }

    std::unique_ptr<SkinImage> Bitmap;
    ColorRef Color = 0;
    SkinRepeat BackGroundRepeat = SkinRepeat::None;
};

class TSkinGraphicX : public virtual TCustomSkinGraphic {
public:
    virtual SkinHorizontalAlignment GetHorizontalAlignment() const { return HorizontalAlignment; }
    void Prepare(const SkinScreenSize& screen) override;

    SkinHorizontalAlignment HorizontalAlignment = SkinHorizontalAlignment::Left;
};

class TSkinGraphicY : public virtual TCustomSkinGraphic {
public:
    void Prepare(const SkinScreenSize& screen) override;

    SkinVerticalAlignment VarticalAlignment = SkinVerticalAlignment::Top;
};

// Both alignments on one shared base; the repeat is kept as read.
class TSkinGraphicXY : public TSkinGraphicX, public TSkinGraphicY {
public:
    void Prepare(const SkinScreenSize& screen) override { TCustomSkinGraphic::Prepare(screen); }
};

struct TSkinFontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const TSkinFontStyle&) const = default;
};

struct TSkinFont {
    std::string Name;
    std::int32_t Size = 0;
    TSkinFontStyle Style;
    ColorRef Color = 0;
    bool operator==(const TSkinFont&) const = default;
};

struct TSkinPanelX {
    TSkinGraphicX Graphic;
};

struct TSkinPanelY {
    TSkinGraphicY Graphic;
};

// "ForeGround" is the look of a selected item, "BackGround" that of everything else.
struct TSkinBackGround {
    TSkinGraphicXY ForeGround;
    TSkinGraphicXY BackGround;
    TSkinFont ForeGroundFont;
    TSkinFont BackGroundFont;
};

struct TSkinTreeView : TSkinBackGround {
    bool Border = false;
    bool LineButton = false;
};

struct TSkinListBox : TSkinBackGround {
    bool Border = false;
    bool Limit = false;
};

struct TSkinPopup : TSkinBackGround {
    TSkinGraphicY SideBar;
};

struct TSkinInputBox {
    TSkinFont LabelFont;
    TSkinFont EditFont;
    ColorRef Color = 0;
    bool Border = false;
};

struct TSkinCloseButton {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The current skin. All zero (no images, false flags, empty texts) until a skin is loaded.
struct TSkin {
    TSkinPanelX TopGraphic;
    TSkinPanelX BottomGraphic;
    TSkinPanelY LeftGraphic;
    TSkinPanelY RightGraphic;
    TSkinPanelY SplitterGraphic;
    TSkinTreeView TreeView;
    TSkinListBox ListBox;
    TSkinPopup Popup;
    TSkinInputBox InputBox;
    std::string Name;
    std::string Type;
    std::string Craftman;
    std::string CraftmanW;
    std::string Id;
    std::uint8_t Charset = 0;
    std::string CraftmanUrl;
    bool FixedMode = false;
    bool TransparentMode = false;
    ColorRef TransparentColor = 0;
    bool SplitterVisible = false;
    bool TitleBarVisible = false;
    TSkinCloseButton CloseButton;
    bool SystemPopupOwnerDraw = false;
};

}  // namespace zanmel::skin
