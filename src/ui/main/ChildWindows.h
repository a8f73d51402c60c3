#pragma once

#include <windows.h>

#include <functional>

#include "core/FramelessWindow.h"
#include "platform/Window.h"

namespace zanmel {

// A child window filled with its colour, with what its owner paints over it.
class TColouredWindow : public platform::Window {
public:
    // Paints over the window's colour (width and height of the window).
    using PaintHandler = std::function<void(HDC dc, int width, int height)>;

    void SetColour(COLORREF colour);
    void SetPaintHandler(PaintHandler paint) { paint_ = std::move(paint); }

protected:
    explicit TColouredWindow(COLORREF colour);
    // WM_PAINT: the colour first, then the handler.
    void Paint() const;

    platform::BrushHandle brush_;
    PaintHandler paint_;
};

// A panel of the main window: a plain child window that hosts controls and passes their notifications
// (commands, notifications, owner drawing, colours) up to its parent, so the main window handles them all.
class TPanel : public TColouredWindow {
public:
    // A drag of the panel with the left button: its start, each move and its end, in screen coordinates. A
    // click is a drag of zero length.
    struct DragHandlers {
        std::function<void(FramePoint screen)> start;
        std::function<void(FramePoint screen)> over;
        std::function<void(FramePoint screen)> end;
    };

    TPanel(HWND parent, COLORREF colour);
    // Frame strips are dragged at once when the button goes down.
    void SetDragHandlers(DragHandlers handlers) { drag_ = std::move(handlers); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FramePoint ScreenPoint(LPARAM lParam) const;

    DragHandlers drag_;
    bool dragging_ = false;
};

// The splitter between the result list and the tree: dragging it reports the new left edge of the splitter,
// relative to the parent's client area, while the button is down and once more when it is released.
class TSplitter : public TColouredWindow {
public:
    using MoveHandler = std::function<void(int left, bool finished)>;
    TSplitter(HWND parent, MoveHandler onMove);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    MoveHandler onMove_;
    int grabOffset_ = 0;
    bool dragging_ = false;
};

}  // namespace zanmel
