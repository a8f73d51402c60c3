// The commands of the tree's context menus, and what a right click on the tree or the result list opens.
#include <windows.h>
#include <commctrl.h>

#include "ui/main/TForm1.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

HMENU TForm1::ContextMenuFor(const FolderTree::Node* node) const {
    if (!node) return treeMenus_->MenuOf(TreeContextMenus::kNoneMenu);
    if (node->IsFolder()) return treeMenus_->MenuOf(TreeContextMenus::kFolderMenu);
    const std::string kind(deps_.keyWords.KindOf(node->text));
    if (kind == "Launch") return treeMenus_->MenuOf(TreeContextMenus::kLauncherMenu);
    if (kind == "WEB") return treeMenus_->MenuOf(TreeContextMenus::kWebMenu);
    if (kind == "SpecialFolder") return treeMenus_->MenuOf(TreeContextMenus::kSpecialFolderMenu);
    return nullptr;
}

void TForm1::TreeView1MouseUp(POINT screen) {
    currentNode_ = SelectedNode();
    if (const HMENU menu = ContextMenuFor(currentNode_)) treeMenus_->Open(menu, screen);
}

// The tree node of the list's selected line: the last node in tree order with its text. Without a selected
// line the tree's selection is cleared; without a matching node it stays.
void TForm1::SelectListLineNode(bool focusTree) {
    const LRESULT selection = SendMessageW(listBox1_, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || static_cast<std::size_t>(selection) >= listLines_.size()) {
        TreeView_SelectItem(treeView1_, nullptr);
        return;
    }
    if (FolderTree::Node* node = tree_.FindLast(listLines_[static_cast<std::size_t>(selection)])) {
        TreeView_SelectItem(treeView1_, ItemOf(node));
    }
    if (focusTree) SetFocus(treeView1_);
}

void TForm1::ListBox1MouseUp(POINT screen) {
    SelectListLineNode(true);
    TreeView1MouseUp(screen);
}

}  // namespace zanmel
