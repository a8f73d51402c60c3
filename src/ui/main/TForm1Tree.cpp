// The folder tree of the main window: loading a sheet, the tree view and saving tree.txt.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <vector>

#include "core/IconCache.h"
#include "core/IconFile.h"
#include "core/LaunchWordData.h"
#include "core/PathRules.h"
#include "core/ZanmelError.h"
#include "platform/ImageListIcons.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"
#include "platform/Win32LaunchShell.h"
#include "ui/main/TForm1.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

using platform::ToWide;

int TForm1::IconIndex(int iconNumber) const {
    const auto it = iconMap_.find(iconNumber);
    return it == iconMap_.end() ? -1 : it->second;
}

void TForm1::LoadSheet() {
    // The tree's menus and mouse handling, once: the first load runs in the constructor.
    if (!treeMenus_) treeMenus_ = std::make_unique<TreeContextMenus>(*this);
    sheetLoaded_ = false;
    iconMap_.clear();
    DestroyPopupMenu1();
    imageList1_.Reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 64));
    SendMessageW(statusBar1_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(ToWide(FileNameOf(SheetFolder())).c_str()));

    const std::string keywordPath = SheetFolder() + "\\keyword.txt";
    if (auto bytes = deps_.files.ReadFile(keywordPath)) {
        deps_.keyWords.LoadFromText(*bytes, keywordPath);
    } else {
        WriteSheetFile(keywordPath, deps_.keyWords.SaveToText());
    }

    const std::string treePath = SheetFolder() + "\\tree.txt";
    if (auto bytes = deps_.files.ReadFile(treePath)) {
        FolderTree loaded;
        const auto error = ReadTreeText(*bytes, loaded);
        tree_ = std::move(loaded);
        currentNode_ = nullptr;
        if (error) {
            FillTreeView();
            throw ZanmelError(TreeTextErrorMessage(*error));
        }
    } else {
        if (tree_.Empty()) tree_ = FolderTree::Default();
        // The tree kept from the last sheet loses its images with that sheet's image list: each node finds its
        // image again when shown.
        for (FolderTree::Node* node : tree_.PreOrder()) node->imageIndex = node->selectedImageIndex = -1;
        SaveTree();
    }
    if (life_.loadExtList) life_.loadExtList();
    tree_.EnsureAutoRunFolders();

    deps_.timer.Stage("IconのロードImageListへの登録", [this] { LoadIcons(); });
    deps_.timer.Stage("Iconのリストへの関連付け", [this] { FillTreeView(); });
    deps_.timer.Stage("ポップアップメニュー生成", [this] {
        if (!deps_.setting.NoMakePopupMenu) BuildPopupMenu1();
    });
    Edit1Change();
    sheetLoaded_ = true;
}

// The built-in icons 0 to 5, each appended to ImageList1 and the icon map; one that cannot be loaded stops the
// load. The icons of items are read when they are first shown (IconImage), so loading a sheet opens no file
// per item.
void TForm1::LoadIcons() {
    imageList1_.Reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 256));
    const std::string iconFolder = SheetFolder() + "\\icon";
    for (std::int32_t number = 0; number < 6; ++number) {
        const platform::IconHandle icon = platform::LoadIconFile(iconFolder, number);
        iconMap_.insert_or_assign(number, ImageList_AddIcon(imageList1_.Get(), icon.Get()));
    }
    TreeView_SetImageList(treeView1_, imageList1_.Get(), TVSIL_NORMAL);
}

// The image of an icon number; an item's icon file is read the first time it is needed. A file that is missing
// or cannot be read shows the default icon, and its number keeps that image until its file is made again.
int TForm1::IconImage(std::int32_t number) {
    const int known = IconIndex(number);
    if (known >= 0) return known;
    if (number < kFirstIconFileNumber) return IconIndex(0);
    int index = -1;
    const std::string iconFolder = SheetFolder() + "\\icon";
    try {
        if (const auto bytes = deps_.files.ReadFile(IconFilePath(iconFolder, number))) {
            if (auto small = ReadSmallIconFile(*bytes)) {
                index = platform::AddSmallIcons(imageList1_.Get(), {std::move(*small)});
            } else {
                const platform::IconHandle icon = platform::LoadIconFile(iconFolder, number);
                index = ImageList_AddIcon(imageList1_.Get(), icon.Get());
            }
        }
    } catch (const std::exception&) {
        index = -1;  // shown with the default icon, like a missing file
    }
    if (index < 0) index = IconIndex(0);
    iconMap_.insert_or_assign(number, index);
    return index;
}

int TForm1::NodeImageIndex(FolderTree::Node* node) {
    if (!node) return IconIndex(0);
    if (node->imageIndex >= 0) return node->imageIndex;
    std::int32_t number = 1;
    if (!node->IsFolder()) number = deps_.setting.NoUseIcon ? 0 : deps_.keyWords.IconLookup(node->text);
    node->imageIndex = node->selectedImageIndex = IconImage(number);
    return node->imageIndex;
}

HTREEITEM TForm1::InsertTreeItem(FolderTree::Node* node, HTREEITEM parent, HTREEITEM after) const {
    const std::wstring text = ToWide(node->text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
    insert.item.cChildren = I_CHILDRENCALLBACK;  // the button follows the tree, not the items in the view
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.iImage = I_IMAGECALLBACK;  // the icon is read when the row is first drawn
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = node->expanded ? TVIS_EXPANDED : 0;
    return reinterpret_cast<HTREEITEM>(SendMessageW(treeView1_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Rebuilds the tree view from the tree: the top level, and the children of the folders that are open.
void TForm1::FillTreeView() {
    SendMessageW(treeView1_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(treeView1_);
    for (const auto& root : tree_.Roots()) {
        const HTREEITEM item = InsertTreeItem(root.get(), TVI_ROOT, TVI_LAST);
        if (root->expanded) PopulateChildren(item, root.get());
    }
    SendMessageW(treeView1_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(treeView1_, nullptr, TRUE);
}

void TForm1::PopulateChildren(HTREEITEM item, const FolderTree::Node* node) const {
    if (!item || !node || node->children.empty() || TreeView_GetChild(treeView1_, item)) return;
    for (const auto& child : node->children) {
        const HTREEITEM childItem = InsertTreeItem(child.get(), item, TVI_LAST);
        if (child->expanded) PopulateChildren(childItem, child.get());
    }
}

LRESULT TForm1::TreeView1Notify(const NMHDR* header) {
    switch (header->code) {
        case NM_DBLCLK: {
            // An item runs; a folder opens or closes as in any tree (the default handling).
            FolderTree::Node* node = SelectedNode();
            if (!node || !node->IsItem()) return FALSE;
            RunItem(node->text);
            return TRUE;
        }
        case TVN_ITEMEXPANDINGW: {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
            if (change->action & TVE_EXPAND) PopulateChildren(change->itemNew.hItem, NodeOf(change->itemNew.hItem));
            return FALSE;
        }
        case TVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(const_cast<NMHDR*>(header));
            auto* node = reinterpret_cast<FolderTree::Node*>(info->item.lParam);
            if (info->item.mask & TVIF_CHILDREN) info->item.cChildren = node && !node->children.empty() ? 1 : 0;
            if (info->item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
                info->item.iImage = info->item.iSelectedImage = NodeImageIndex(node);
                info->item.mask |= TVIF_DI_SETITEM;  // the view keeps it from now on
            }
            return 0;
        }
        default:
            return 0;
    }
}

FolderTree::Node* TForm1::NodeOf(HTREEITEM item) const {
    return platform::TreeItemData<FolderTree::Node>(treeView1_, item);
}

FolderTree::Node* TForm1::SelectedNode() const {
    return NodeOf(TreeView_GetSelection(treeView1_));
}

void TForm1::SaveTree() {
    WriteSheetFile(SheetFolder() + "\\tree.txt", WriteTreeText(tree_));
}

// A sheet file that cannot be written is told; what is in memory keeps the change.
void TForm1::WriteSheetFile(const std::string& path, std::string_view bytes) {
    try {
        deps_.files.WriteFile(path, bytes);
    } catch (const ZanmelError&) {
        deps_.ui.ShowMessage("ファイル " + path + " を作成できません");
    }
}

bool TForm1::TreeView1KeyDown(WPARAM key) {
    currentNode_ = SelectedNode();
    bool taken = false;
    if (key == VK_RETURN && currentNode_) {
        if (currentNode_->IsFolder()) {
            TreeView_Expand(treeView1_, TreeView_GetSelection(treeView1_), TVE_TOGGLE);
        } else if (currentNode_->IsItem()) {
            RunItem(currentNode_->text);
        }
        taken = true;
    } else if (key == VK_DELETE && currentNode_) {
        DeleteCurrentNode();
        taken = true;
    } else if (key == 'D' && KeyHeld(VK_CONTROL) && currentNode_ && !currentNode_->IsFolder()) {
        if (deps_.keyWords.KindOf(currentNode_->text) == "Launch") RunItem(currentNode_->text, "tlDIR");
        taken = true;
    }
    FormKeyDown(key);
    return taken;
}

void TForm1::ChangeSheet(std::size_t n) {
    const auto& sheets = deps_.state.SheetList();
    if (n >= sheets.size()) return;
    deps_.state.SetSheetFolder(sheets[n]);
    LoadSheet();
}

// The previous or next sheet of the list, wrapping at both ends; nothing when the current sheet is not listed.
void TForm1::SwitchSheetBy(int step) {
    const auto& sheets = deps_.state.SheetList();
    const std::string current = FileNameOf(SheetFolder());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i] != current) continue;
        ChangeSheet((i + (step > 0 ? 1 : sheets.size() - 1)) % sheets.size());
        return;
    }
}

}  // namespace zanmel
