#include "ui/main/ChildWindows.h"

#include <windowsx.h>

namespace zanmel {

TPanel::TPanel(HWND parent, COLORREF colour)
    : TPanel(parent, colour, L"TPanel", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT) {}

TPanel::TPanel(HWND parent, COLORREF colour, const wchar_t* className, DWORD style, DWORD exStyle)
    : brush_(CreateSolidBrush(colour)) {
    RegisterWindowClass(className, nullptr, nullptr, nullptr, 0);
    Create(className, L"", WS_CHILD | WS_VISIBLE | style, exStyle, 0, 0, 0, 0, parent);
}

void TPanel::SetColour(COLORREF colour) {
    brush_.Reset(CreateSolidBrush(colour));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TPanel::Paint() const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, brush_.Get());
    if (paint_) paint_(dc, rc.right, rc.bottom);
    EndPaint(Handle(), &ps);
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

TSplitter::TSplitter(HWND parent, MoveHandler onMove) : TPanel(parent, GetSysColor(COLOR_BTNFACE), L"TSplitter", 0, 0) {
    // The new left edge: the mouse in the parent's client area, less where the splitter was grabbed.
    auto report = [this, onMove = std::move(onMove)](FramePoint screen, bool finished) {
        POINT p{screen.x, screen.y};
        ScreenToClient(GetParent(Handle()), &p);
        if (onMove) onMove(static_cast<int>(p.x) - grabOffset_, finished);
    };
    SetDragHandlers({[this](FramePoint screen) {
                         POINT p{screen.x, screen.y};
                         ScreenToClient(Handle(), &p);
                         grabOffset_ = static_cast<int>(p.x);
                     },
                     [report](FramePoint screen) { report(screen, false); },
                     [report](FramePoint screen) { report(screen, true); }});
}

LRESULT TSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETCURSOR) return TPanel::HandleMessage(message, wParam, lParam);
    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
    return TRUE;
}

}  // namespace zanmel
