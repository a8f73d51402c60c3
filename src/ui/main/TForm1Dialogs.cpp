// The main window as the item dialogs and the folder picker see it, and the menu entries that open them.
#include <windows.h>
#include <commctrl.h>

#include "core/TreePlacement.h"
#include "platform/TextCodec.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/ScanDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/dialogs/WebItemDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

void TForm1::AttachWindows(const Windows& windows) {
    windows_ = windows;
    const bool launchDialog = windows_.formZanmel != nullptr;
    menus_->SetEnabled(ui::MenuEntryLaunch, launchDialog);
    menus_->SetEnabled(ui::PopupMainMenuEntryLaunch, launchDialog);
    EnableScanMenus(windows_.formScan != nullptr);
    const bool webDialog = windows_.formWEB != nullptr;
    menus_->SetEnabled(ui::MenuEntryWEB, webDialog);
    menus_->SetEnabled(ui::PopupMainMenuEntryWEB, webDialog);
    menus_->SetEnabled(ui::MenuDebugDirectZNXS, windows_.formDebug != nullptr);
    for (const UINT entry : {ui::MenuSetAll, ui::PopupMainMenuSetAll})
        menus_->SetEnabled(entry, windows_.formSetting != nullptr);
    for (const UINT entry : {ui::MenuSetLaunch, ui::PopupMainMenuSetLaunch})
        menus_->SetEnabled(entry, windows_.form4 != nullptr);
    for (const UINT entry : {ui::MenuSetSFolder, ui::PopupMainMenuSetSFolder})
        menus_->SetEnabled(entry, windows_.formSpecialFolder != nullptr);
    const auto enable = [&](UINT entry, UINT popupEntry, bool there) {
        menus_->SetEnabled(entry, there);
        menus_->SetEnabled(popupEntry, there);
    };
    enable(ui::MenuUsbAutorunInf, ui::PopupMainMenuUsbAutorunInf, windows_.formAutorunInf != nullptr);
    enable(ui::MenuUsbBackUp, ui::PopupMainMenuUsbBackUp, windows_.formBackUp != nullptr);
    enable(ui::MenuUsbSync, ui::PopupMainMenuUsbSync, windows_.formSync != nullptr);
}

void TForm1::SelectTreeNode(FolderTree::Node* node) {
    TreeView_SelectItem(treeView1_, ItemOf(node));
}

void TForm1::ShowNewNode(FolderTree::Node* node) {
    ShowSubtree(node);
}

void TForm1::UpdateNode(FolderTree::Node* node) {
    const std::wstring text = platform::ToWide(node->text);
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = ItemOf(node);
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = item.iSelectedImage = NodeImageIndex(node);
    SendMessageW(treeView1_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TForm1::ReplaceTree(FolderTree tree) {
    // The nodes the current node and the view pointed to are gone.
    currentNode_ = nullptr;
    TreeView_DeleteAllItems(treeView1_);
    tree_ = std::move(tree);
    FillTreeView();
}

int TForm1::AddIcon(int iconNumber, HICON icon) {
    const int index = ImageList_AddIcon(imageList1_.Get(), icon);
    // A number made again after its item was deleted or changed shows the new icon, not the old one.
    iconMap_.insert_or_assign(iconNumber, index);
    return index;
}

void TForm1::OpenItemDialog(ItemDialogKind kind, std::optional<std::uint8_t> placement) {
    ui::TreeItemDialog* dialog = windows_.formWEB;
    if (kind == ItemDialogKind::Launcher) dialog = windows_.formZanmel;
    if (!dialog) return;
    dialog->SetDialogMode(placement ? ui::TreeItemDialog::kModeNew : ui::TreeItemDialog::kModeEdit);
    if (placement) dialog->SetPlacement(*placement);
    // Showing disables this window; an edit whose item cannot be read raises before that.
    dialog->Show();
}

}  // namespace zanmel
