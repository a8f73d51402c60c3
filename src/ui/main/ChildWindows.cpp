#include "ui/main/ChildWindows.h"

#include <windowsx.h>

namespace zanmel {

namespace {
constexpr wchar_t kPanelClass[] = L"TPanel";
constexpr wchar_t kSplitterClass[] = L"TSplitter";

}  // namespace

TColouredWindow::TColouredWindow(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}

void TColouredWindow::SetColour(COLORREF colour) {
    brush_.Reset(CreateSolidBrush(colour));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TColouredWindow::Paint() const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, brush_.Get());
    if (paint_) paint_(dc, rc.right, rc.bottom);
    EndPaint(Handle(), &ps);
}

TPanel::TPanel(HWND parent, COLORREF colour) : TColouredWindow(colour) {
    RegisterWindowClass(kPanelClass, nullptr, nullptr, nullptr, 0);
    Create(kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 0, 0, 0,
           parent);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CONTEXTMENU:
            return SendMessageW(GetParent(Handle()), message, wParam, lParam);
        case WM_ERASEBKGND: {
            if (paint_) return 1;  // painted whole in WM_PAINT, without flicker
            RECT rc;
            GetClientRect(Handle(), &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, brush_.Get());
            return 1;
        }
        case WM_PAINT:
            if (!paint_) return Default(message, wParam, lParam);
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            if (!drag_.start) return Default(message, wParam, lParam);
            dragging_ = true;
            SetCapture(Handle());
            drag_.start(ScreenPoint(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_ && drag_.over) drag_.over(ScreenPoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (!dragging_) return 0;
            dragging_ = false;
            ReleaseCapture();
            if (drag_.end) drag_.end(ScreenPoint(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;  // the drag was taken away: it ends without a drop
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

// The window may have moved since the message was posted, so the point is mapped with the current position.
FramePoint TPanel::ScreenPoint(LPARAM lParam) const {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &p);
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

TSplitter::TSplitter(HWND parent, MoveHandler onMove)
    : TColouredWindow(GetSysColor(COLOR_BTNFACE)), onMove_(std::move(onMove)) {
    RegisterWindowClass(kSplitterClass, nullptr, nullptr, nullptr, 0);
    Create(kSplitterClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, parent);
}

LRESULT TSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONDOWN:
            grabOffset_ = GET_X_LPARAM(lParam);
            dragging_ = true;
            SetCapture(Handle());
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            if (!dragging_) return 0;
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
            const bool finished = message == WM_LBUTTONUP;
            if (finished) {
                dragging_ = false;
                ReleaseCapture();
            }
            if (onMove_) onMove_(p.x - grabOffset_, finished);
            return 0;
        }
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace zanmel
