#pragma once

#include <windows.h>

#include <functional>

#include "core/FramelessWindow.h"
#include "platform/Window.h"

namespace zanmel {

// A panel of the main window: a plain child window that hosts controls and passes their notifications
// (commands, notifications, owner drawing, colours) up to its parent, so the main window handles them all.
class TPanel : public platform::Window {
public:
    // A drag of the panel with the left button: its start, each move and its end, in screen coordinates. A
    // click is a drag of zero length.
    struct DragHandlers {
        std::function<void(FramePoint screen)> start;
        std::function<void(FramePoint screen)> over;
        std::function<void(FramePoint screen)> end;
    };

    // Paints over the panel's colour (width and height of the panel).
    using PaintHandler = std::function<void(HDC dc, int width, int height)>;

    TPanel(HWND parent, COLORREF colour);
    void SetColour(COLORREF colour);
    void SetPaintHandler(PaintHandler paint) { paint_ = std::move(paint); }
    // Frame strips are dragged at once when the button goes down.
    void SetDragHandlers(DragHandlers handlers) { drag_ = std::move(handlers); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FramePoint ScreenPoint(LPARAM lParam) const;

    platform::BrushHandle brush_;
    PaintHandler paint_;
    DragHandlers drag_;
    bool dragging_ = false;
};

// The splitter between the result list and the tree: dragging it reports the new left edge of the splitter,
// relative to the parent's client area, while the button is down and once more when it is released.
class TSplitter : public platform::Window {
public:
    using MoveHandler = std::function<void(int left, bool finished)>;
    TSplitter(HWND parent, MoveHandler onMove);
    void SetColour(COLORREF colour);
    void SetPaintHandler(TPanel::PaintHandler paint) { paint_ = std::move(paint); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    MoveHandler onMove_;
    platform::BrushHandle brush_;
    TPanel::PaintHandler paint_;
    int grabOffset_ = 0;
    bool dragging_ = false;
};

}  // namespace zanmel
