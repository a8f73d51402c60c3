#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/FolderTree.h"
#include "core/UserInterface.h"
#include "platform/Handles.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/TreeHost.h"

namespace zanmel::ui {

// Control identifiers of the folder picker, for tests that drive it.
enum PickerControl : int {
    kPickerTreeId = 100,
    kPickerButton1Id,
    kPickerButton2Id,
    kPickerBtnUpId,
    kPickerBtnDownId,
    kPickerAddFolderId = 110,  // the item of PopupMenu1
};

// The folder picker: where a newly registered item goes. Shows a working copy of the main window's tree in
// which the user may also add folders and move nodes; when it hides, the working copy with the new item in it
// replaces the main tree and is saved. Created once; shown without being modal while the main window and the
// calling dialog are disabled. Its prompt and messages are its own, so nothing behind them takes a click.
class TForm3 : public DialogWindow {
public:
    TForm3(TreeHost& host, UserInterface& ui);

    // FormShow, with what the calling dialog hands over: itself (enabled and hidden again when the picker hides;
    // null for none), the new item's keyword and its icon number. A fresh working copy of the main tree, its first
    // node selected.
    void Show(HWND caller, std::string keyword, std::int32_t iconNumber);
    // FormHide, by the buttons or the close box: a new item not placed yet goes to the end of the top level,
    // then the working copy replaces the main tree and is saved.
    void Hide() override;

    void Button1Click();
    void BtnUpClick();
    void BtnDownClick();
    void PopMenuAddFolderClick();
    // Drop of the selected node on target (null: no node under the mouse); false when nothing moved.
    bool TreeView1DragDrop(FolderTree::Node* target);

    HWND TreeView1() const { return Control(kPickerTreeId); }
    FolderTree& WorkingTree() { return working_; }
    FolderTree::Node* SelectedNode() const;
    void SelectNode(FolderTree::Node* node);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The tree fills the client area above the button row.
    void Layout();
    HTREEITEM InsertItem(FolderTree::Node* node, HTREEITEM parent);
    void PopulateChildren(HTREEITEM item, FolderTree::Node* node);
    HTREEITEM ItemOf(const FolderTree::Node* node);
    FolderTree::Node* NodeOf(HTREEITEM item) const;
    // Builds the view anew from the working copy (after a change, or when shown) and selects node.
    void Refresh(FolderTree::Node* node);
    // A point of the dialog's client area (a mouse message's lParam) in the tree's client area.
    POINT TreePoint(LPARAM clientPoint) const;
    // The item under a point of the tree's client area, null when the point is on none.
    HTREEITEM ItemAt(POINT treeClient) const;
    LRESULT TreeNotify(const NMHDR* header);
    void DragOver(POINT treeClient);
    // The drag ends: no drop target marked any more.
    void EndDrag();
    void AddNewItemNode(FolderTree::Node* node);

    TreeHost& host_;
    UserInterface& ui_;
    HWND caller_ = nullptr;
    std::string keyword_;
    std::int32_t iconNumber_ = 0;
    bool placed_ = false;
    FolderTree working_;
    bool dragging_ = false;

    platform::MenuHandle popupMenu1_;
};

}  // namespace zanmel::ui
