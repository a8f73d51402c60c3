#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/FolderTree.h"

namespace zanmel::ui {

// What the item dialogs and the folder picker use of the main window: its window (disabled while they are up),
// its folder tree with the tree view's selection and current node, its image list and icon map, and saving and
// refreshing after a change. The main window implements it.
class TreeHost {
public:
    virtual ~TreeHost() = default;

    virtual HWND MainWindow() const = 0;
    virtual FolderTree& Tree() = 0;
    // The node whose context menu was used last (null for none).
    virtual FolderTree::Node* CurrentNode() const = 0;
    // The tree view's selected node (null for none), and making a node of the tree the selected one.
    virtual FolderTree::Node* SelectedTreeNode() const = 0;
    virtual void SelectTreeNode(FolderTree::Node* node) = 0;
    // A node put into Tree() is shown in the view; a node whose text or images changed is redrawn.
    virtual void ShowNewNode(FolderTree::Node* node) = 0;
    virtual void UpdateNode(FolderTree::Node* node) = 0;
    // Takes a node with its subtree out of Tree() and the view.
    virtual void RemoveNode(FolderTree::Node* node) = 0;
    // Replaces the whole tree (the folder picker's working copy) and rebuilds the view.
    virtual void ReplaceTree(FolderTree tree) = 0;

    virtual HIMAGELIST ImageList1() const = 0;
    // The image index of an icon number (the first icon map line with that number), or -1.
    virtual int IconIndex(int iconNumber) const = 0;
    // Adds an icon to ImageList1 and appends a line for it to the icon map (even when the number is mapped
    // already); returns its image index.
    virtual int AddIcon(int iconNumber, HICON icon) = 0;
    // A node's image (of Tree() or of a copy of it): its own when it has one, otherwise found from its folder mark
    // or its keyword's icon number, the icon read when first needed.
    virtual int NodeImageIndex(FolderTree::Node* node) = 0;

    virtual void SaveTree() = 0;
    virtual void RefreshResultList() = 0;
};

}  // namespace zanmel::ui
