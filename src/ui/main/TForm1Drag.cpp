// Moving nodes by dragging them inside the main window's tree: where a drop puts the dragged node.
#include <windows.h>
#include <commctrl.h>

#include "platform/TreeViewItem.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

// Moves node just before sibling (the index Move wants is counted with node taken out).
bool MoveBefore(FolderTree& tree, FolderTree::Node* node, FolderTree::Node* sibling) {
    if (node == sibling) return false;
    std::size_t index = tree.IndexOf(sibling);
    if (node->parent == sibling->parent && tree.IndexOf(node) < index) --index;
    return tree.Move(node, sibling->parent, index);
}

// Moves node to the end of the children list that last belongs to.
bool MoveAfterLast(FolderTree& tree, FolderTree::Node* node, FolderTree::Node* last) {
    std::size_t index = tree.Siblings(last).size();
    if (node->parent == last->parent) --index;
    return tree.Move(node, last->parent, index);
}

}  // namespace

bool TForm1::TreeView1DragDrop(FolderTree::Node* target, UINT hitFlags) {
    FolderTree::Node* node = SelectedNode();
    if (!node) return false;
    const HTREEITEM item = ItemOf(node);
    // The moved subtree is inserted anew into the view; its folders keep their open or closed state.
    std::vector<std::pair<FolderTree::Node*, HTREEITEM>> pending{{node, item}};
    while (!pending.empty()) {
        auto [n, i] = pending.back();
        pending.pop_back();
        if (!i) continue;  // a folder never opened: its subtree keeps the state it has
        n->expanded = (TreeView_GetItemState(treeView1_, i, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        HTREEITEM child = TreeView_GetChild(treeView1_, i);
        for (const auto& c : n->children) {
            pending.emplace_back(c.get(), child);
            child = TreeView_GetNextSibling(treeView1_, child);
        }
    }

    bool moved = false;
    if (!target) {
        moved = tree_.Move(node, nullptr, tree_.Roots().size() - (node->parent ? 0 : 1));
    } else if (target->IsFolder() && (hitFlags & TVHT_ONITEMICON)) {
        moved = tree_.Move(node, target, 0);
    } else if ((hitFlags & TVHT_ONITEMRIGHT) && tree_.IndexOf(target) != 0) {
        // The visible node just above: a sibling of the target, or the last node of an open folder above it.
        FolderTree::Node* above = NodeOf(TreeView_GetPrevVisible(treeView1_, ItemOf(target)));
        if (above && above->parent != target->parent) {
            moved = FolderTree::IsInSubtree(above, node) ? false : MoveAfterLast(tree_, node, above);
        } else {
            moved = MoveBefore(tree_, node, target);
        }
    } else {
        moved = MoveBefore(tree_, node, target);
    }
    if (moved) {
        TreeView_DeleteItem(treeView1_, item);
        if (node->parent) node->parent->expanded = true;
        ShowSubtree(node);
        if (node->parent) TreeView_Expand(treeView1_, ItemOf(node->parent), TVE_EXPAND);
        TreeView_SelectItem(treeView1_, ItemOf(node));
        SaveTree();
    }
    InvalidateRect(treeView1_, nullptr, TRUE);
    return moved;
}

bool TForm1::TreeView1DragDropAt(POINT client) {
    UINT flags = 0;
    const HTREEITEM item = platform::TreeItemAt(treeView1_, client, &flags);
    return TreeView1DragDrop(NodeOf(item), flags);
}

}  // namespace zanmel
