#pragma once

#include <windows.h>

#include <functional>

#include "core/FramelessWindow.h"
#include "platform/Window.h"

namespace zanmel {

// A panel of the main window: a plain child window filled with its colour, with what its owner paints over it.
// It hosts controls and passes their notifications (commands, notifications, owner drawing, colours) up to its
// parent, so the main window handles them all.
class TPanel : public platform::Window {
public:
    // Paints over the window's colour (width and height of the window).
    using PaintHandler = std::function<void(HDC dc, int width, int height)>;
    // A drag of the panel with the left button: its start, each move and its end, in screen coordinates. A
    // click is a drag of zero length.
    struct DragHandlers {
        std::function<void(FramePoint screen)> start;
        std::function<void(FramePoint screen)> over;
        std::function<void(FramePoint screen)> end;
    };

    TPanel(HWND parent, COLORREF colour);
    void SetColour(COLORREF colour);
    void SetPaintHandler(PaintHandler paint) { paint_ = std::move(paint); }
    // Frame strips are dragged at once when the button goes down.
    void SetDragHandlers(DragHandlers handlers) { drag_ = std::move(handlers); }

protected:
    // Registers the class and creates the window as a visible child of parent.
    TPanel(HWND parent, COLORREF colour, const wchar_t* className, DWORD style, DWORD exStyle);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // WM_PAINT: the colour first, then the handler.
    void Paint() const;
    FramePoint ScreenPoint(LPARAM lParam) const;

    platform::BrushHandle brush_;
    PaintHandler paint_;
    DragHandlers drag_;
    bool dragging_ = false;
};

// The splitter between the result list and the tree: dragging it reports the new left edge of the splitter,
// relative to the parent's client area, while the button is down and once more when it is released.
class TSplitter : public TPanel {
public:
    using MoveHandler = std::function<void(int left, bool finished)>;
    TSplitter(HWND parent, MoveHandler onMove);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int grabOffset_ = 0;  // where the splitter was grabbed, from its left edge
};

}  // namespace zanmel
