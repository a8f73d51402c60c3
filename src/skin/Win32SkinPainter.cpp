#include "skin/Win32SkinPainter.h"

#include <algorithm>
#include <type_traits>

#include "platform/Handles.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "skin/Win32SkinEnvironment.h"

namespace zanmel::skin {

namespace {

int ScreenDpi() {
    static const int dpi = [] {
        const platform::WindowDc screen(nullptr);
        const int value = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

RECT ToRect(const SkinRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Runs one operation; dc's state is saved and restored by the caller.
class OpPainter {
public:
    OpPainter(HDC dc, SkinFonts& fonts, HIMAGELIST images) : dc_(dc), fonts_(fonts), images_(images) {}

    void operator()(const SkinFill& fill) const {
        const RECT rect = ToRect(fill.rect);
        SetDCBrushColor(dc_, ResolveColor(fill.color));
        FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }

    void operator()(const SkinCopy& copy) const {
        HBITMAP bitmap = copy.graphic != nullptr ? GraphicBitmap(*copy.graphic) : nullptr;
        if (bitmap == nullptr) return;
        platform::MemoryDc source(CreateCompatibleDC(dc_));
        if (!source) return;
        HGDIOBJ old = SelectObject(source.Get(), bitmap);
        BitBlt(dc_, copy.dest.left, copy.dest.top, copy.dest.Width(), copy.dest.Height(), source.Get(), copy.source.x,
               copy.source.y, SRCCOPY);
        SelectObject(source.Get(), old);
    }

    void operator()(const SkinText& text) const {
        SelectObject(dc_, fonts_.Get(text.font));
        SetTextColor(dc_, ResolveColor(text.color));
        const std::wstring wide = platform::ToWide(text.text);
        RECT clip{};
        if (text.clip) clip = ToRect(*text.clip);
        ExtTextOutW(dc_, text.origin.x, text.origin.y, text.clip ? ETO_CLIPPED : 0, text.clip ? &clip : nullptr,
                    wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    }

    void operator()(const SkinLine& line) const {
        platform::PenHandle pen(CreatePen(PS_SOLID, 1, ResolveColor(line.color)));
        HGDIOBJ old = SelectObject(dc_, pen.Get());
        MoveToEx(dc_, line.from.x, line.from.y, nullptr);
        LineTo(dc_, line.to.x, line.to.y);
        SelectObject(dc_, old);
    }

    void operator()(const SkinIcon& icon) const {
        if (images_ == nullptr || icon.imageIndex < 0) return;
        ImageList_Draw(images_, icon.imageIndex, dc_, icon.at.x, icon.at.y, ILD_TRANSPARENT);
    }

private:
    HDC dc_;
    SkinFonts& fonts_;
    HIMAGELIST images_;
};

}  // namespace

HFONT SkinFonts::Get(const TSkinFont& font) {
    for (const Entry& entry : fonts_) {
        if (entry.name == font.Name && entry.size == font.Size && entry.style == font.Style) {
            return entry.handle.Get();
        }
    }
    LOGFONTW log{};
    log.lfHeight = -PixelHeight(font);
    log.lfWeight = font.Style.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.Style.italic ? TRUE : FALSE;
    log.lfUnderline = font.Style.underline ? TRUE : FALSE;
    log.lfCharSet = SHIFTJIS_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = platform::JapaneseFaceOr(platform::ToWide(font.Name));
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    face.copy(log.lfFaceName, length);
    log.lfFaceName[length] = L'\0';
    platform::FontHandle handle(CreateFontIndirectW(&log));
    HFONT result = handle.Get();
    if (result == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.push_back({font.Name, font.Size, font.Style, std::move(handle)});
    return result;
}

int SkinFonts::PixelHeight(const TSkinFont& font) const {
    return FontPixelHeight(font.Size, dpi_ ? dpi_ : ScreenDpi());
}

void SkinFonts::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    // The controls still hold the old fonts until the caller sets the new ones; they go at the next change.
    retired_ = std::move(fonts_);
    fonts_.clear();
}

void PaintSkinOps(HDC dc, const SkinPaintOps& ops, SkinFonts& fonts, HIMAGELIST images) {
    if (ops.empty()) return;
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const OpPainter painter(dc, fonts, images);
    for (const SkinPaintOp& op : ops) std::visit(painter, op);
    RestoreDC(dc, saved);
}

void PaintPanelGraphic(HDC dc, int width, int height, const TSkinGraphicX& graphic) {
    SkinFonts noFonts;
    PaintSkinOps(dc, PanelGraphicOps(graphic, width, height), noFonts, nullptr);
}

void PaintPanelGraphic(HDC dc, int width, int height, const TSkinGraphicY& graphic) {
    SkinFonts noFonts;
    PaintSkinOps(dc, PanelGraphicOps(graphic, width, height), noFonts, nullptr);
}

TreeItemResult SkinPainter::PaintTreeItem(HDC dc, const TSkin& skin, const TreeItemState& state) {
    const TreeItemPaint paint = TreeItemOps(skin, state);
    PaintSkinOps(dc, paint.ops, fonts_, nullptr);
    TreeItemResult result;
    result.drawImages = paint.drawImages;
    result.defaultDraw = paint.defaultDraw;
    if (paint.textColor) result.textColor = ResolveColor(*paint.textColor);
    if (paint.fontSize) {
        // The tree keeps the face and style it was given, at the size of the font the text was drawn in.
        TSkinFont treeFont = skin.TreeView.BackGroundFont;
        treeFont.Size = *paint.fontSize;
        result.treeFont = fonts_.Get(treeFont);
    }
    return result;
}

void SkinPainter::PaintListRow(HDC dc, const TSkin& skin, const ListRowState& state, HIMAGELIST images) {
    PaintSkinOps(dc, ListRowOps(skin, state), fonts_, images);
}

SIZE SkinPainter::PopupMeasureItem(HDC dc, const TSkin& skin, const std::string& text, bool launcherItem) {
    const TSkinFont& font = skin.Popup.BackGroundFont;
    const std::wstring wide = platform::ToWide(text);
    SIZE extent{};
    HGDIOBJ old = SelectObject(dc, fonts_.Get(font));
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, old);
    const SkinSize size = PopupItemSize(skin, extent.cx, fonts_.PixelHeight(font), launcherItem);
    return SIZE{size.width, size.height};
}

void SkinPainter::PopupDrawItem(HDC dc, const TSkin& skin, PopupItemState state, HIMAGELIST images) {
    state.fontPixelHeight = fonts_.PixelHeight(skin.Popup.BackGroundFont);
    PaintSkinOps(dc, PopupItemOps(skin, state), fonts_, images);
}

}  // namespace zanmel::skin
