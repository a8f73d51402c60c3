// The commands of the tree's context menus, and what a right click on the tree or the result list opens.
#include <windows.h>
#include <commctrl.h>

#include "ui/main/TForm1.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

using enum TreeContextMenus::Command;

HMENU TForm1::ContextMenuFor(const FolderTree::Node* node) const {
    if (!node) return treeMenus_->NoneMenu();
    if (node->IsFolder()) return treeMenus_->FolderMenu();
    const std::string kind(deps_.keyWords.KindOf(node->text));
    if (kind == "Launch") return treeMenus_->LauncherMenu();
    if (kind == "WEB") return treeMenus_->WebMenu();
    if (kind == "SpecialFolder") return treeMenus_->SpecialFolderMenu();
    return nullptr;
}

void TForm1::TreeView1MouseUp(POINT screen) {
    currentNode_ = SelectedNode();
    const HMENU menu = ContextMenuFor(currentNode_);
    if (!menu) return;
    // The item dialogs' entries, with the dialogs there or not (tests of single parts have none).
    const UINT launchState = windows_.formZanmel ? MF_ENABLED : MF_GRAYED;
    for (const UINT id :
         {FolderMenuAddLaunch, LauncherMenuAddLaunch, WEBMenuAddLaunch, SFolderMenuAddLaunch, LauncherMenuChangeData})
        EnableMenuItem(menu, id, MF_BYCOMMAND | launchState);
    const UINT webState = windows_.formWEB ? MF_ENABLED : MF_GRAYED;
    for (const UINT id : {FolderMenuAddWEB, LauncherMenuAddWEB, WEBMenuAddWEB, SFolderMenuAddWEB, WEBMenuChangeData})
        EnableMenuItem(menu, id, MF_BYCOMMAND | webState);
    EnableMenuItem(menu, SFolderMenuEdit, MF_BYCOMMAND | (windows_.formSpecialFolder ? MF_ENABLED : MF_GRAYED));
    const UINT id =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                                         screen.y, 0, Handle(), nullptr));
    if (id) MenuCommand(id);
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

void TForm1::MenuCommand(UINT id) {
    switch (id) {
        case NoneMenuAddFolder:
        case FolderMenuAddFolder:
        case LauncherMenuAddFolder:
        case WEBMenuAddFolder:
        case SFolderMenuAddFolder:
            MakeNewFolder();
            break;
        case FolderMenuAllExecute:
            FolderMenuAllExecuteClick();
            break;
        case FolderMenuNameChange:
            FolderMenuNameChangeClick();
            break;
        case FolderMenuDelete:
            FolderMenuDeleteClick();
            break;
        case LauncherMenuDirOpen:
            LauncherMenuDirOpenClick();
            break;
        case LauncherMenuDelete:
        case WEBMenuDelete:
        case SFolderMenuDelete:
            ItemDeleteClick();
            break;
        case FolderMenuAddLaunch:
            LaunchAddFromFolder();
            break;
        case LauncherMenuAddLaunch:
        case WEBMenuAddLaunch:
        case SFolderMenuAddLaunch:
            LaunchAddFromItem();
            break;
        case LauncherMenuChangeData:
            LauncherMenuChangeDataClick();
            break;
        case FolderMenuAddWEB:
            WebAddFromFolder();
            break;
        case LauncherMenuAddWEB:
        case WEBMenuAddWEB:
        case SFolderMenuAddWEB:
            WebAddFromItem();
            break;
        case WEBMenuChangeData:
            WEBMenuChangeDataClick();
            break;
        case SFolderMenuEdit:
            MainMenuCommand(ui::MenuSetSFolder);
            break;
        default:
            break;  // the other dialogs' entries stay disabled until their dialogs exist
    }
}

}  // namespace zanmel
