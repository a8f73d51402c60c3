#include "ui/main/TForm1.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/Dpi.h"
#include "platform/WindowSubclass.h"
#include "platform/CallbackGuard.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr UINT_PTR kControlSubclassId = 1;
constexpr int kStatusBarHeightFallback = 20;

}  // namespace

TForm1::TForm1(Dependencies dependencies) : TForm1(std::move(dependencies), Lifecycle{}) {}

TForm1::TForm1(Dependencies dependencies, Lifecycle lifecycle)
    : deps_(std::move(dependencies)), life_(std::move(lifecycle)) {
    TDebugTimer& timer = deps_.timer;
    timer.BeginStage();
    timer.Mark("Form1コンストラクタ開始");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    HICON small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    RegisterWindowClass(kClassName, icon, small);
    // The size of a first start, for the screen's DPI; a stored size replaces it in FormCreate.
    dpi_ = platform::WindowDpi(nullptr);
    Create(kClassName, L"Zanmel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 98, 121, Scale(798),
           Scale(554));
    dpi_ = platform::WindowDpi(Handle());
    ScaleDefaultLayout();
    SetPropW(Handle(), platform::kInstanceProperty, reinterpret_cast<HANDLE>(1));
    // Protocol clients may run at a lower integrity level than the launcher.
    ChangeWindowMessageFilterEx(Handle(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    timer.Mark("2重起動防止設定登録");
    InstallCallUps();
    timer.Mark("システムフック完了");
    CreateControls();
    CreateMenus();
    FormResize();

    timer.Stage("アイテムデータ読み出し", [this] { LoadSheet(); });
    timer.Mark("スキン変更に追加完了");
    CreateTrayIcon();
    timer.Mark("トレイアイコン追加完了");
    AttachMenuDrawing();
    InstallDropTarget();
    timer.Mark("OLE Drag&Drop設定完了");
    MeasureScreens();
    timer.Mark("複数モニタのための画面計測完了");
    timer.EndStage("TForm1::TForm1");
}

TForm1::~TForm1() {
    for (HWND control : {edit1_, edit2_, listBox1_, treeView1_}) {
        if (control) platform::RemoveSubclass(control, &TForm1::ControlProc, kControlSubclassId);
    }
}

void TForm1::Show(int showCommand) {
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
    SetFocus(edit1_);  // FormShow
}

void TForm1::CreateControls() {
    font_ = platform::CreateUiFont(dpi_);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);

    HWND form = Handle();
    paintBox3_ = std::make_unique<TPanel>(form, face);
    paintBox1_ = std::make_unique<TPanel>(form, face);
    paintBox2_ = std::make_unique<TPanel>(form, face);
    panel1_ = std::make_unique<TPanel>(form, face);
    splitter1_ = std::make_unique<TSplitter>(form, [this](int left, bool) {
        listWidth_ = std::max(0, left - leftWidth_);
        FormResize();
        Splitter1Moved();
    });
    panel2_ = std::make_unique<TPanel>(form, face);
    panelBottom_ = std::make_unique<TPanel>(form, face);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto control = [&](const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, const wchar_t* text) {
        HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr,
                                    instance, nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return hwnd;
    };
    // The result list holds no strings of its own: it draws listLines_, so a refill of 100,000 keywords is a
    // count, not 100,000 insertions.
    listBox1_ = control(WC_LISTBOXW,
                        LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                        WS_EX_CLIENTEDGE, panel1_->Handle(), L"");
    SendMessageW(listBox1_, LB_SETITEMHEIGHT, 0, listRowHeight_);
    treeView1_ = control(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                         0, panel2_->Handle(), L"");
    label2_ =
        control(WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, panelBottom_->Handle(), ToWide("絞込検索（部分一致)").c_str());
    edit2_ = control(WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, panelBottom_->Handle(), L"");
    label1_ = control(WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, panelBottom_->Handle(), ToWide("検索(前方一致)").c_str());
    edit1_ = control(WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, panelBottom_->Handle(), L"");
    statusBar1_ = control(STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, form, L"");
    int parts[] = {-1};
    SendMessageW(statusBar1_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));

    // The labels show the bottom strip's image through, so the strip paints under them too.
    SetWindowLongPtrW(panelBottom_->Handle(), GWL_STYLE,
                      GetWindowLongPtrW(panelBottom_->Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
    InstallSkinPainting();
    for (TPanel* strip : {paintBox1_.get(), paintBox2_.get(), paintBox3_.get()}) {
        strip->SetDragHandlers({[this](FramePoint p) { PaintBox3StartDrag(p); },
                                [this](FramePoint p) { PaintBox3DragOver(p); },
                                [this](FramePoint p) { PaintBox3EndDrag(p); }});
    }
    for (HWND hwnd : {edit1_, edit2_, listBox1_, treeView1_}) {
        platform::InstallSubclass(hwnd, &TForm1::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
}

// The program's own lengths for a window of dpi_: the widths of a skin without images and the first start's
// list width. Lengths a skin or setting.ini gives are pixels and stay as they are.
void TForm1::ScaleDefaultLayout() {
    leftWidth_ = rightWidth_ = Scale(15);
    splitterWidth_ = Scale(5);
    bottomHeight_ = Scale(50);
    listWidth_ = Scale(377);
    listRowHeight_ = Scale(kListLineHeight);
}

// Moved to a screen of another density: the suggested frame, the window's font and the skin's layout anew.
void TForm1::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_ = platform::CreateUiFont(dpi_);
    for (HWND control : {label1_, label2_, edit1_, edit2_, listBox1_, treeView1_, statusBar1_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplySkin();
    FormResize();
}

void TForm1::FormResize() {
    RECT client;
    GetClientRect(Handle(), &client);
    RECT status{};
    SendMessageW(statusBar1_, WM_SIZE, 0, 0);
    GetWindowRect(statusBar1_, &status);
    // A status bar the skin hides takes no room (its own style bit: the window may not be shown yet).
    const bool statusShown = (GetWindowLongPtrW(statusBar1_, GWL_STYLE) & WS_VISIBLE) != 0;
    const int statusHeight =
        !statusShown ? 0 : (status.bottom > status.top ? status.bottom - status.top : Scale(kStatusBarHeightFallback));
    const int width = client.right;
    const int height = std::max(0, static_cast<int>(client.bottom) - statusHeight);
    const int middleTop = topHeight_;
    const int middleHeight = std::max(0, height - topHeight_ - bottomHeight_);
    const int innerWidth = std::max(0, width - leftWidth_ - rightWidth_);
    listWidth_ = std::clamp(listWidth_, 0, std::max(0, innerWidth - splitterWidth_));
    const int treeLeft = leftWidth_ + listWidth_ + splitterWidth_;
    const int treeWidth = std::max(0, width - rightWidth_ - treeLeft);

    MoveWindow(paintBox3_->Handle(), 0, 0, width, topHeight_, TRUE);
    // The side strips stand between the top strip and the bottom strip, which spans the whole width.
    MoveWindow(paintBox1_->Handle(), 0, middleTop, leftWidth_, middleHeight, TRUE);
    MoveWindow(paintBox2_->Handle(), width - rightWidth_, middleTop, rightWidth_, middleHeight, TRUE);
    MoveWindow(panel1_->Handle(), leftWidth_, middleTop, listWidth_, middleHeight, TRUE);
    MoveWindow(splitter1_->Handle(), leftWidth_ + listWidth_, middleTop, splitterWidth_, middleHeight, TRUE);
    MoveWindow(panel2_->Handle(), treeLeft, middleTop, treeWidth, middleHeight, TRUE);
    MoveWindow(panelBottom_->Handle(), 0, middleTop + middleHeight, width, bottomHeight_, TRUE);
    MoveWindow(listBox1_, 0, 0, listWidth_, middleHeight, TRUE);
    MoveWindow(treeView1_, 0, 0, treeWidth, middleHeight, TRUE);
    LayoutSearchBoxes(false);
}

void TForm1::Splitter1Moved() {
    LayoutSearchBoxes(true);
}

// Edit2 sits under the list and Edit1 under the tree, each as wide as its pane. The bottom strip spans the window
// from its left edge, so the boxes' positions inside it are the panes' positions.
void TForm1::LayoutSearchBoxes(bool) {
    RECT tree;
    GetWindowRect(panel2_->Handle(), &tree);
    const int treeWidth = tree.right - tree.left;
    // Heights from the skin's fonts once one is applied.
    const int labelHeight = layout_ ? layout_->labelHeight : Scale(16);
    const int editHeight = layout_ ? layout_->editHeight : Scale(22);
    const int editTop = layout_ ? layout_->editTop : Scale(22);
    const int labelTop = Scale(kSearchLabelTop);
    const int treeLeft = leftWidth_ + listWidth_ + splitterWidth_;
    MoveWindow(label2_, leftWidth_, labelTop, listWidth_, labelHeight, TRUE);
    MoveWindow(edit2_, leftWidth_, editTop, listWidth_, editHeight, TRUE);
    MoveWindow(label1_, treeLeft, labelTop, treeWidth, labelHeight, TRUE);
    MoveWindow(edit1_, treeLeft, editTop, treeWidth, editHeight, TRUE);
    Trim();
    InvalidateRect(listBox1_, nullptr, TRUE);
    InvalidateRect(treeView1_, nullptr, TRUE);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleWindowState(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_SIZE:
            if (statusBar1_) FormResize();
            return 0;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND: {
            if (lParam == 0 && HIWORD(wParam) == 0 && MainMenuCommand(LOWORD(wParam))) return 0;
            const HWND from = reinterpret_cast<HWND>(lParam);
            const WORD code = HIWORD(wParam);
            if (from == edit1_ && code == EN_CHANGE) {
                Edit1Change();
            } else if (from == edit2_ && code == EN_CHANGE) {
                Edit2Change();
            } else if (from == listBox1_ && code == LBN_DBLCLK) {
                ListBox1DblClick();
            }
            return 0;
        }
        case WM_INITMENUPOPUP:
            FillPopupSubmenu(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU) return PopupMeasureItem(*item);
            if (item->CtlType == ODT_LISTBOX) item->itemHeight = static_cast<UINT>(listRowHeight_);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_MENU) return PopupDrawItem(*item);
            if (item->hwndItem == listBox1_) DrawListItem(*item);
            return TRUE;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == treeView1_ && header->code == NM_CUSTOMDRAW) {
                return TreeView1CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
            }
            if (header->hwndFrom == treeView1_) return TreeView1Notify(header);
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            if (LRESULT brush = ControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            return Default(message, wParam, lParam);
        case WM_PAINT: {
            // The list and the tree are repainted whole whenever the window paints.
            const LRESULT result = Default(message, wParam, lParam);
            InvalidateRect(listBox1_, nullptr, FALSE);
            InvalidateRect(treeView1_, nullptr, FALSE);
            return result;
        }
        case WM_CLOSE:
            if (FormClose()) DestroyWindow(Handle());
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) SessionEnd();
            return 0;
        case WM_CONTEXTMENU: {
            // The frame strips open the frame menu.
            const HWND from = reinterpret_cast<HWND>(wParam);
            if (from == paintBox1_->Handle() || from == paintBox2_->Handle() || from == paintBox3_->Handle()) {
                TrackPopupMenu(menus_->PopupMainMenu(), TPM_LEFTALIGN | TPM_TOPALIGN, GET_X_LPARAM(lParam),
                               GET_Y_LPARAM(lParam), 0, Handle(), nullptr);
                return 0;
            }
            return Default(message, wParam, lParam);
        }
        case WM_COPYDATA:
            return Form1CopyData(wParam, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_SETFOCUS:
            SetFocus(edit1_);
            return 0;
        case WM_DESTROY:
            FormDestroy();
            PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

LRESULT CALLBACK TForm1::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) noexcept {
    auto* form = reinterpret_cast<TForm1*>(self);
    if (message == WM_KEYDOWN) {
        const bool taken = platform::GuardCallback(true, [&] {
            if (hwnd == form->edit1_) return form->Edit1KeyDown(wParam);
            if (hwnd == form->edit2_) return form->Edit2KeyDown(wParam);
            if (hwnd == form->listBox1_) return form->ListBox1KeyDown(wParam);
            return form->TreeView1KeyDown(wParam);
        });
        if (taken) return 0;
    } else if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n') && hwnd != form->treeView1_) {
        return 0;  // Enter was handled on key down; a single-line edit would only beep
    } else if (message == WM_GETDLGCODE && hwnd == form->treeView1_) {
        return DLGC_WANTALLKEYS;
    }
    return platform::CallNextSubclass(hwnd, message, wParam, lParam);
}

}  // namespace zanmel
