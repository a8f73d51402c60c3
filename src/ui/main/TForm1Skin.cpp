// The main window's look from the current skin: ApplySkin, the painting of the strips, the tree rows and the
// list rows, and the frame strips that move a window without title bar and close it by the skin's close
// rectangle.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "core/ZanmelError.h"
#include "platform/TextCodec.h"
#include "skin/SkinLayout.h"
#include "skin/Win32SkinEnvironment.h"
#include "ui/main/TForm1.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

namespace {

constexpr DWORD kFrameStyles =
    WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP | WS_DLGFRAME | WS_BORDER;

LONG_PTR WithBits(LONG_PTR style, LONG_PTR bits, bool on) {
    return on ? (style | bits) : (style & ~bits);
}

// Turns a style bit of a window on or off; true when it changed.
bool SetStyle(HWND hwnd, int index, LONG_PTR bits, bool on) {
    const LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    const LONG_PTR now = WithBits(old, bits, on);
    if (now == old) return false;
    SetWindowLongPtrW(hwnd, index, now);
    return true;
}

// A control's single-line border comes and goes with the skin.
void SetBorder(HWND hwnd, bool border) {
    const bool changed =
        SetStyle(hwnd, GWL_STYLE, WS_BORDER, border) | SetStyle(hwnd, GWL_EXSTYLE, WS_EX_CLIENTEDGE, false);
    if (changed) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

void TForm1::ApplySkin() {
    if (!life_.skins) return;
    const skin::TSkin& skin = life_.skins->Skin;
    skin::SkinFonts& fonts = painter_.Fonts();

    // A fixed-size skin is a picture of its images' pixels, its text drawn as at 96 DPI; other skins' fonts,
    // list column and rows follow the window's DPI.
    const UINT skinDpi = skin.FixedMode ? kBaseDpi : dpi_;
    fonts.SetDpi(static_cast<int>(skinDpi));
    RECT status{};
    GetWindowRect(statusBar1_, &status);
    const skin::SkinLayoutMetrics metrics{
        fonts.PixelHeight(skin.InputBox.LabelFont), fonts.PixelHeight(skin.InputBox.EditFont),
        static_cast<int>(status.bottom - status.top), ScaleToDpi(kSearchLabelTop, skinDpi), skinDpi};
    const skin::SkinLayout layout = skin::LayoutSkin(skin, metrics);
    layout_ = layout;

    // Frame, menu bar and status bar. The outer size stays; fixed mode sets the client size below.
    RECT outer;
    GetWindowRect(Handle(), &outer);
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(kFrameStyles);
    LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME);
    switch (layout.frame) {
        case skin::SkinFrame::Sizeable:
            style |= WS_OVERLAPPEDWINDOW;
            break;
        case skin::SkinFrame::FixedDialog:
            style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case skin::SkinFrame::None:
            // The system menu and minimise box stay, so the taskbar button can still minimise and restore it.
            style |= WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
            break;
    }
    // Colour keying: every pixel of exactly the transparent colour is see-through.
    exStyle = WithBits(exStyle, WS_EX_LAYERED, layout.transparent);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle);
    if (layout.transparent) {
        SetLayeredWindowAttributes(Handle(), skin::ResolveColor(layout.transparentColor), 0, LWA_COLORKEY);
    }
    menus_->ShowMenuBar(Handle(), layout.menuVisible);
    ShowWindow(statusBar1_, layout.statusBarVisible ? SW_SHOWNA : SW_HIDE);
    SetWindowPos(Handle(), nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);

    // Splitter and strips.
    ShowWindow(splitter1_->Handle(), layout.splitterVisible ? SW_SHOWNA : SW_HIDE);
    topHeight_ = layout.topHeight;
    leftWidth_ = layout.leftWidth;
    rightWidth_ = layout.rightWidth;
    splitterWidth_ = layout.splitterVisible ? layout.splitterWidth : 0;
    paintBox3_->SetColour(skin::ResolveColor(layout.topColor));
    paintBox1_->SetColour(skin::ResolveColor(layout.leftColor));
    paintBox2_->SetColour(skin::ResolveColor(layout.rightColor));
    splitter1_->SetColour(skin::ResolveColor(layout.splitterColor));

    // Search boxes with their labels.
    for (HWND label : {label1_, label2_}) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(skin.InputBox.LabelFont)), FALSE);
    }
    for (HWND edit : {edit1_, edit2_}) {
        SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(skin.InputBox.EditFont)), FALSE);
        SetBorder(edit, layout.editBorder);
    }
    editBrush_.Reset(CreateSolidBrush(skin::ResolveColor(layout.editColor)));

    // Bottom strip.
    bottomHeight_ = layout.bottomHeight;
    panelBottom_->SetColour(skin::ResolveColor(layout.bottomColor));

    // Result list.
    SendMessageW(listBox1_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(skin.ListBox.BackGroundFont)), FALSE);
    listOwnerDraw_ = layout.listOwnerDraw;
    listRowHeight_ = layout.listOwnerDraw ? layout.listRowHeight
                                          : std::max(ScaleToDpi(kListLineHeight, skinDpi),
                                                     fonts.PixelHeight(skin.ListBox.BackGroundFont) + 2);
    SendMessageW(listBox1_, LB_SETITEMHEIGHT, 0, listRowHeight_);
    listLimit_ = skin.ListBox.Limit;
    listBrush_.Reset(CreateSolidBrush(skin::ResolveColor(layout.listColor)));
    SetBorder(listBox1_, layout.listBorder);
    if (layout.listWidth) listWidth_ = *layout.listWidth;

    // Tree.
    SendMessageW(treeView1_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(skin.TreeView.BackGroundFont)), FALSE);
    TreeView_SetBkColor(treeView1_, skin::ResolveColor(layout.treeColor));
    TreeView_SetTextColor(treeView1_, skin::ResolveColor(skin.TreeView.BackGroundFont.Color));
    SetBorder(treeView1_, layout.treeBorder);
    if (SetStyle(treeView1_, GWL_STYLE, TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS, layout.treeLinesAndButtons)) {
        InvalidateRect(treeView1_, nullptr, TRUE);
    }

    // Fixed mode: the client area is the skin's size.
    if (layout.fixedClientSize) {
        RECT rc{0, 0, layout.fixedClientSize->width, layout.fixedClientSize->height};
        AdjustWindowRectEx(&rc, static_cast<DWORD>(style), GetMenu(Handle()) != nullptr, static_cast<DWORD>(exStyle));
        SetWindowPos(Handle(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    launcherMenuOwnerDraw_ = layout.launcherMenuOwnerDraw;
    ApplyMenuOwnerDraw();

    FormResize();
    InvalidateRect(Handle(), nullptr, TRUE);
    Edit1Change();
    RegisterDrops();
}

void TForm1::ChooseSkin(std::size_t index) {
    if (!life_.skins || index >= life_.skins->SkinNames.size()) return;
    const std::string name = life_.skins->SkinNames[index];
    life_.skins->LoadFromName(name);
    skinName_ = name;
    ApplySkin();
    InvalidateRect(treeView1_, nullptr, TRUE);
    InvalidateRect(listBox1_, nullptr, TRUE);
}

void TForm1::InstallSkinPainting() {
    // Each strip paints the graphic of its panel of the skin.
    auto strip = [this](auto panel) {
        return [this, panel](HDC dc, int width, int height) {
            if (life_.skins) skin::PaintPanelGraphic(dc, width, height, (life_.skins->Skin.*panel).Graphic);
        };
    };
    paintBox3_->SetPaintHandler(strip(&skin::TSkin::TopGraphic));
    paintBox1_->SetPaintHandler(strip(&skin::TSkin::LeftGraphic));
    paintBox2_->SetPaintHandler(strip(&skin::TSkin::RightGraphic));
    splitter1_->SetPaintHandler(strip(&skin::TSkin::SplitterGraphic));
    // PaintBox4 fills the bottom strip under the search boxes.
    panelBottom_->SetPaintHandler(strip(&skin::TSkin::BottomGraphic));
}

// Colours of the search boxes and their labels (the labels show the strip through).
LRESULT TForm1::ControlColour(UINT message, HDC dc, HWND control) {
    if (!life_.skins) return 0;
    const skin::TSkin& skin = life_.skins->Skin;
    if (message == WM_CTLCOLORSTATIC && (control == label1_ || control == label2_)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, skin::ResolveColor(skin.InputBox.LabelFont.Color));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    if ((message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) && (control == edit1_ || control == edit2_) &&
        editBrush_ && layout_) {
        SetTextColor(dc, skin::ResolveColor(skin.InputBox.EditFont.Color));
        SetBkColor(dc, skin::ResolveColor(layout_->editColor));
        return reinterpret_cast<LRESULT>(editBrush_.Get());
    }
    if (message == WM_CTLCOLORLISTBOX && control == listBox1_ && listBrush_ && layout_) {
        SetBkColor(dc, skin::ResolveColor(layout_->listColor));
        return reinterpret_cast<LRESULT>(listBrush_.Get());
    }
    return 0;
}

int TForm1::ListIconIndex(std::string_view keyword) {
    // A row is painted often: one look-up, and a malformed icon number shows the default icon instead of an
    // error on every paint.
    int number = 0;
    if (!deps_.setting.NoUseIcon) {
        if (const auto row = deps_.keyWords.Find(keyword)) {
            try {
                number = deps_.keyWords.EntryAt(*row).iconNumber;
            } catch (const ZanmelError&) {
                number = 0;
            }
        }
    }
    return IconImage(number);
}

// A row of the result list: from the skin's images while the skin draws the list, plain otherwise.
void TForm1::DrawListItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (listOwnerDraw_ && life_.skins && item.itemID < listLines_.size()) {
        RECT list;
        GetClientRect(listBox1_, &list);
        skin::ListRowState row;
        row.rect = {item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
        row.selected = selected;
        row.isLast = item.itemID + 1 == listLines_.size();
        row.listWidth = list.right;
        row.listHeight = list.bottom;
        row.imageIndex = ListIconIndex(listLines_[item.itemID]);
        row.text = std::string(listLines_[item.itemID]);
        painter_.PaintListRow(item.hDC, life_.skins->Skin, row, imageList1_.Get());
        return;
    }
    const COLORREF back = layout_ ? skin::ResolveColor(layout_->listColor) : GetSysColor(COLOR_WINDOW);
    platform::BrushHandle backBrush(CreateSolidBrush(back));
    FillRect(item.hDC, &item.rcItem, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : backBrush.Get());
    if (item.itemID >= listLines_.size()) return;
    SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF text = life_.skins ? skin::ResolveColor(life_.skins->Skin.ListBox.BackGroundFont.Color)
                                      : GetSysColor(COLOR_WINDOWTEXT);
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    const platform::SelectedObject font(item.hDC, reinterpret_cast<HFONT>(SendMessageW(listBox1_, WM_GETFONT, 0, 0)));
    RECT rc = item.rcItem;
    rc.left += 2;
    const std::wstring line = platform::ToWide(listLines_[item.itemID]);
    DrawTextW(item.hDC, line.c_str(), static_cast<int>(line.size()), &rc,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

// The tree's custom drawing: the skin paints every row before and after the tree's own drawing.
LRESULT TForm1::TreeView1CustomDraw(NMTVCUSTOMDRAW* draw) {
    if (!life_.skins) return CDRF_DODEFAULT;
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage != CDDS_ITEMPREPAINT && stage != CDDS_ITEMPOSTPAINT) return CDRF_DODEFAULT;

    const auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    const FolderTree::Node* node = reinterpret_cast<const FolderTree::Node*>(draw->nmcd.lItemlParam);
    RECT tree;
    GetClientRect(treeView1_, &tree);
    skin::TreeItemState state;
    state.stage = stage == CDDS_ITEMPREPAINT ? skin::TreePaintStage::PrePaint : skin::TreePaintStage::PostPaint;
    RECT rc = draw->nmcd.rc;
    if (stage == CDDS_ITEMPOSTPAINT) TreeView_GetItemRect(treeView1_, item, &rc, TRUE);
    state.rect = {rc.left, rc.top, rc.right, rc.bottom};
    state.selected = (TreeView_GetItemState(treeView1_, item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    state.hasNextVisible = TreeView_GetNextVisible(treeView1_, item) != nullptr;
    state.treeWidth = tree.right;
    state.treeHeight = tree.bottom;
    state.text = node ? node->text : std::string();
    const TreeContextMenus::Drag drag = treeMenus_ ? treeMenus_->DragState() : TreeContextMenus::Drag{};
    state.dragging = drag.dragging;
    if (drag.dragging && drag.target == node && node) {
        state.isDragTarget = true;
        if (drag.hit & TVHT_ONITEMICON) {
            state.hit = skin::TreeDragHit::OnIcon;
        } else if (drag.hit & TVHT_ONITEMRIGHT) {
            state.hit = skin::TreeDragHit::RightOfLabel;
        }
        state.targetIsFirst = tree_.IndexOf(node) == 0;
        const HTREEITEM above = TreeView_GetPrevVisible(treeView1_, item);
        RECT aboveText;
        if (above && TreeView_GetItemRect(treeView1_, above, &aboveText, TRUE))
            state.aboveText = skin::SkinRect{aboveText.left, aboveText.top, aboveText.right, aboveText.bottom};
    } else if (drag.dragging && !drag.target && !state.hasNextVisible) {
        state.isDragTarget = true;
        state.hit = skin::TreeDragHit::BelowLast;
    }

    const skin::TreeItemResult result = painter_.PaintTreeItem(draw->nmcd.hdc, life_.skins->Skin, state);
    if (result.textColor) draw->clrText = *result.textColor;
    if (result.treeFont) SendMessageW(treeView1_, WM_SETFONT, reinterpret_cast<WPARAM>(result.treeFont), FALSE);
    if (stage == CDDS_ITEMPOSTPAINT) return CDRF_DODEFAULT;
    LRESULT flags = CDRF_NOTIFYPOSTPAINT;
    if (!result.defaultDraw) flags |= CDRF_SKIPDEFAULT;
    return flags;
}

void TForm1::PaintBox3StartDrag(FramePoint screen) {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    frameDrag_.Start({static_cast<int>(rc.left), static_cast<int>(rc.top)}, screen);
}

void TForm1::PaintBox3DragOver(FramePoint screen) {
    const FramePoint to = frameDrag_.WindowPositionFor(screen);
    SetWindowPos(Handle(), nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::PaintBox3EndDrag(FramePoint screen) {
    if (!life_.skins) return;
    POINT client{screen.x, screen.y};
    ScreenToClient(Handle(), &client);
    const skin::TSkinCloseButton& close = life_.skins->Skin.CloseButton;
    if (IsStrictlyInside({close.left, close.top, close.right, close.bottom},
                         {static_cast<int>(client.x), static_cast<int>(client.y)})) {
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
    }
}

}  // namespace zanmel
