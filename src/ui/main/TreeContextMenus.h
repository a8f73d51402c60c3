#pragma once

#include <windows.h>

#include <vector>

#include "core/FolderTree.h"
#include "platform/Handles.h"

namespace zanmel {

class TForm1;

// The tree's five context menus, and the mouse, drag and timer handling of the tree and the result list: it
// subclasses the tree, the list and the tree's panel for as long as it lives.
class TreeContextMenus {
public:
    // A drag inside the tree: the node under the mouse at the last drag over (null below the last node) and its
    // TVHT_ hit flags; both are stale when no drag is on.
    struct Drag {
        bool dragging = false;
        FolderTree::Node* target = nullptr;
        UINT hit = 0;
    };

    explicit TreeContextMenus(TForm1& form);
    ~TreeContextMenus();
    TreeContextMenus(const TreeContextMenus&) = delete;
    TreeContextMenus& operator=(const TreeContextMenus&) = delete;

    // The menus for no node, a folder, a launcher item, a web item and a special folder item.
    enum Menu { kNoneMenu, kFolderMenu, kLauncherMenu, kWebMenu, kSpecialFolderMenu };
    HMENU MenuOf(Menu menu) const { return menus_[menu].Get(); }
    std::vector<HMENU> Menus() const {
        return {MenuOf(kFolderMenu), MenuOf(kLauncherMenu), MenuOf(kNoneMenu), MenuOf(kWebMenu),
                MenuOf(kSpecialFolderMenu)};
    }
    // Opens one of the menus at a screen position, its entries enabled as the program's dialogs are there, and
    // carries out the choice.
    void Open(HMENU menu, POINT screen);
    const Drag& DragState() const { return drag_; }

private:
    void Repaint() const;
    void TreeView1MouseDown(POINT client) const;
    void TreeView1StartDrag(HTREEITEM item);
    void TreeView1DragOver(POINT client);
    void EndDrag();
    void TimerMouseTick();
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) noexcept;
    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) noexcept;
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) noexcept;

    TForm1& form_;
    HWND tree_;
    HWND list_;
    HWND panel_;
    platform::MenuHandle menus_[5];
    Drag drag_;
    bool buttonWasDown_ = false;  // the left button at the previous TimerMouse tick
};

}  // namespace zanmel
