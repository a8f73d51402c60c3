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
    // A drag inside the tree: the node under the mouse (null below the last node) and the TVHT_ hit flags.
    struct Drag {
        bool dragging = false;
        const FolderTree::Node* target = nullptr;
        UINT hit = 0;
    };

    explicit TreeContextMenus(TForm1& form);
    ~TreeContextMenus();
    TreeContextMenus(const TreeContextMenus&) = delete;
    TreeContextMenus& operator=(const TreeContextMenus&) = delete;

    HMENU NoneMenu() const { return menus_[0].Get(); }
    HMENU FolderMenu() const { return menus_[1].Get(); }
    HMENU LauncherMenu() const { return menus_[2].Get(); }
    HMENU WebMenu() const { return menus_[3].Get(); }
    HMENU SpecialFolderMenu() const { return menus_[4].Get(); }
    std::vector<HMENU> Menus() const {
        return {FolderMenu(), LauncherMenu(), NoneMenu(), WebMenu(), SpecialFolderMenu()};
    }
    // Opens one of the menus at a screen position, its entries enabled as the program's dialogs are there, and
    // carries out the choice.
    void Open(HMENU menu, POINT screen);
    Drag DragState() const { return dragging_ ? Drag{true, dragTarget_, dragHit_} : Drag{}; }

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
    // The menus for no node, a folder, a launcher item, a web item and a special folder item.
    platform::MenuHandle menus_[5] = {platform::MenuHandle(CreatePopupMenu()), platform::MenuHandle(CreatePopupMenu()),
                                      platform::MenuHandle(CreatePopupMenu()), platform::MenuHandle(CreatePopupMenu()),
                                      platform::MenuHandle(CreatePopupMenu())};
    bool dragging_ = false;
    FolderTree::Node* dragTarget_ = nullptr;  // the node under the mouse at the last drag over
    UINT dragHit_ = 0;                        // TVHT_ flags of the last drag over
    bool buttonWasDown_ = false;              // the left button at the previous TimerMouse tick
};

}  // namespace zanmel
