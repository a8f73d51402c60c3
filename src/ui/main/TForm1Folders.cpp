// Folder and item commands of the main window's tree, and keeping the tree view in step with the tree without
// rebuilding it.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "core/ZanmelError.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

constexpr std::string_view kFolderTitle = "フォルダの作成";
constexpr std::string_view kFolderPrompt = "フォルダ名を入力して下さい";

bool DeleteKeyword(const TForm1::Dependencies& deps, const std::string& keyword, bool save) {
    if (!deps.deleteKeyword) throw ZanmelError("TForm1", "キーワードを削除できません。");
    return deps.deleteKeyword(keyword, save);
}

}  // namespace

// The view holds the tree's nodes in the tree's order, so a node's item is found by its position among its
// siblings at every level: a walk over its ancestors' siblings, not over the whole view. Folders on the way that
// were never opened get their children first.
HTREEITEM TForm1::ItemOf(const FolderTree::Node* node) const {
    if (!node) return nullptr;
    std::vector<const FolderTree::Node*> path;
    for (const FolderTree::Node* n = node; n; n = n->parent) path.push_back(n);
    HTREEITEM item = TreeView_GetRoot(treeView1_);
    for (auto it = path.rbegin(); it != path.rend() && item; ++it) {
        for (std::size_t i = tree_.IndexOf(*it); i > 0 && item; --i) item = TreeView_GetNextSibling(treeView1_, item);
        if (it + 1 != path.rend() && item) {
            PopulateChildren(item, *it);
            item = TreeView_GetChild(treeView1_, item);
        }
    }
    return item;
}

// Inserts the view items of a node that is in the tree but not yet in the view, with its subtree.
void TForm1::ShowSubtree(FolderTree::Node* node) {
    const HTREEITEM parent = node->parent ? ItemOf(node->parent) : TVI_ROOT;
    // A folder whose children are not in the view yet takes all of them at once, the new one included.
    if (node->parent && !TreeView_GetChild(treeView1_, parent)) {
        PopulateChildren(parent, node->parent);
        return;
    }
    const std::size_t index = tree_.IndexOf(node);
    const HTREEITEM after = index == 0 ? TVI_FIRST : ItemOf(tree_.Siblings(node)[index - 1].get());
    std::vector<std::pair<FolderTree::Node*, HTREEITEM>> pending{{node, InsertTreeItem(node, parent, after)}};
    while (!pending.empty()) {
        auto [n, item] = pending.back();
        pending.pop_back();
        for (const auto& child : n->children)
            pending.emplace_back(child.get(), InsertTreeItem(child.get(), item, TVI_LAST));
    }
}

// Removes a node with its subtree from the tree and the view.
void TForm1::RemoveNode(FolderTree::Node* node) {
    if (currentNode_ && FolderTree::IsInSubtree(currentNode_, node)) currentNode_ = nullptr;
    TreeView_DeleteItem(treeView1_, ItemOf(node));
    tree_.Remove(node);
}

void TForm1::MakeNewFolder() {
    std::string name;
    for (;;) {
        auto answer = deps_.ui.QueryText(kFolderTitle, kFolderPrompt, name);
        if (!answer) return;
        name = std::move(*answer);
        if (name.empty()) {
            deps_.ui.ShowMessage(kFolderPrompt);
        } else if (tree_.FindFirst("#" + name)) {
            deps_.ui.ShowMessage("フォルダ名が重複しています");
        } else {
            break;
        }
    }
    FolderTree::Node* node = tree_.InsertBefore(currentNode_, "#" + name);
    node->imageIndex = node->selectedImageIndex = IconIndex(1);
    ShowSubtree(node);
    SaveTree();
}

void TForm1::FolderMenuNameChangeClick() {
    FolderTree::Node* node = currentNode_;
    if (!node || !node->IsFolder()) return;
    const std::string oldName = node->text.substr(1);
    std::string name = oldName;
    for (;;) {
        auto answer = deps_.ui.QueryText(kFolderTitle, "フォルダ名を入力して下さい。", name);
        if (!answer) return;
        name = std::move(*answer);
        if (name == oldName || !tree_.FindFirst("#" + name)) break;
        deps_.ui.ShowMessage("フォルダ名が重複しています。");
    }
    node->text = "#" + name;
    UpdateNode(node);
    SaveTree();
}

// Bottom-up: always the first remaining child, recursively, then the node itself. A keyword that cannot be
// deleted is reported and its node goes anyway; an unregistered one raises and leaves the rest in place.
void TForm1::DeleteFolderContents(FolderTree::Node* node, HTREEITEM item) {
    PopulateChildren(item, node);
    while (!node->children.empty())
        DeleteFolderContents(node->children.front().get(), TreeView_GetChild(treeView1_, item));
    if (!node->IsFolder() && !node->text.empty()) {
        if (!DeleteKeyword(deps_, node->text, false)) deps_.ui.ShowMessage("エラー発生");
    }
    if (currentNode_ == node) currentNode_ = nullptr;
    TreeView_DeleteItem(treeView1_, item);
    tree_.Remove(node);
}

void TForm1::SaveDeletion() {
    SaveTree();
    deps_.files.WriteFile(SheetFolder() + "\\keyword.txt", deps_.keyWords.SaveToText());
    RefreshResultList();
}

void TForm1::FolderMenuDeleteClick() {
    FolderTree::Node* node = currentNode_;
    if (!node) return;
    if (!node->children.empty()) {
        if (!deps_.ui.Confirm(node->text + "\r\nを削除します。\r\nフォルダ内のデータも削除しますがよろしいですか？"))
            return;
        try {
            DeleteFolderContents(node, ItemOf(node));
        } catch (const std::exception&) {
            // Stopped at an unregistered keyword. The keywords deleted so far have lost their icon files
            // already, so the sheet's files follow at once: left unsaved, a sheet switch would keep keyword.txt
            // naming icon files that no longer exist, and that sheet would no longer load.
            SaveDeletion();
            throw;
        }
        SaveDeletion();
        return;
    }
    if (deps_.ui.Confirm(node->text + "\r\nを削除しますよろしいですか？")) RemoveNode(node);
    SaveTree();
}

void TForm1::ItemDeleteClick() {
    FolderTree::Node* node = currentNode_;
    if (!node) return;
    if (!deps_.ui.Confirm(node->text + "\r\nを削除しますよろしいですか？")) return;
    if (!DeleteKeyword(deps_, node->text, true)) return;
    RemoveNode(node);
    SaveTree();
    RefreshResultList();
}

void TForm1::DeleteCurrentNode() {
    if (currentNode_ && currentNode_->IsFolder()) {
        FolderMenuDeleteClick();
    } else {
        ItemDeleteClick();
    }
}

void TForm1::FolderMenuAllExecuteClick() {
    if (!currentNode_) return;
    // Keywords first: running one may change the tree (nothing does today, but a node must not be read after).
    std::vector<std::string> keywords;
    for (const auto& child : currentNode_->children) {
        if (!child->text.empty() && !child->IsFolder()) keywords.push_back(child->text);
    }
    for (const std::string& keyword : keywords) RunItem(keyword);
}

void TForm1::LauncherMenuDirOpenClick() {
    if (currentNode_) RunItem(currentNode_->text, "tlDIR");
}

}  // namespace zanmel
