#pragma once

#include <windows.h>

#include <string>

#include "core/FolderTree.h"
#include "core/UserInterface.h"
#include "platform/Handles.h"
#include "platform/Window.h"
#include "ui/dialogs/TreeHost.h"

namespace zanmel::ui {

// Control identifiers of the folder picker, for tests that drive it.
constexpr int kPickerTreeId = 100;
constexpr int kPickerButton1Id = 101;
constexpr int kPickerButton2Id = 102;
constexpr int kPickerBtnUpId = 103;
constexpr int kPickerBtnDownId = 104;
constexpr int kPickerAddFolderId = 110;

// The folder picker: where a newly registered item goes. Shows a working copy of the main window's tree in
// which the user may also add folders and move nodes; when it hides, the working copy with the new item in it
// replaces the main tree and is saved. Created once; shown without being modal while the main window and the
// calling dialog are disabled.
class TForm3 : public platform::Window {
public:
    TForm3(TreeHost& host, UserInterface& ui);
    ~TForm3() override;

    // Handed over by the calling dialog before it shows the picker: the dialog (enabled and hidden again when
    // the picker hides), the new item's keyword and its icon number as decimal text.
    void SetCaller(HWND caller) { caller_ = caller; }
    void SetKeyword(std::string keyword) { keyword_ = std::move(keyword); }
    void SetIconNumber(std::string number) { iconNumber_ = std::move(number); }

    // FormShow: a fresh working copy of the main tree, its first node selected.
    void Show();
    // FormHide, by the buttons or the close box: a new item not placed yet goes to the end of the top level,
    // then the working copy replaces the main tree and is saved.
    void Hide();
    bool IsShown() const;

    void Button1Click();
    void Button2Click();
    void BtnUpClick();
    void BtnDownClick();
    void PopMenuAddFolderClick();
    // Drop of the selected node on target (null: no node under the mouse); false when nothing moved.
    bool TreeView1DragDrop(FolderTree::Node* target);

    HWND TreeView1() const { return treeView1_; }
    FolderTree& WorkingTree() { return working_; }
    FolderTree::Node* SelectedNode() const;
    void SelectNode(FolderTree::Node* node);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    void FillView();
    HTREEITEM InsertItem(FolderTree::Node* node, HTREEITEM parent);
    void PopulateChildren(HTREEITEM item, FolderTree::Node* node);
    HTREEITEM ItemOf(const FolderTree::Node* node);
    FolderTree::Node* NodeOf(HTREEITEM item) const;
    // Rebuilds the view after a change of the working copy and selects node.
    void Refresh(FolderTree::Node* node);
    FolderTree::Node* NodeAt(POINT treeClient, UINT* flags = nullptr) const;
    LRESULT TreeNotify(const NMHDR* header);
    void DragOver(POINT treeClient);
    void AddNewItemNode(FolderTree::Node* node);

    TreeHost& host_;
    UserInterface& ui_;
    HWND caller_ = nullptr;
    std::string keyword_;
    std::string iconNumber_;
    bool placed_ = false;
    FolderTree working_;
    bool dragging_ = false;

    platform::FontHandle font_;
    HMENU popupMenu1_ = nullptr;
    HWND treeView1_ = nullptr;  // children, destroyed with the window
    HWND button1_ = nullptr;
    HWND button2_ = nullptr;
    HWND btnUp_ = nullptr;
    HWND btnDown_ = nullptr;
};

}  // namespace zanmel::ui
