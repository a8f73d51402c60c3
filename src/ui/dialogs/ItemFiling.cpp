#include "ui/dialogs/ItemFiling.h"

#include "core/TreePlacement.h"
#include "platform/Win32LaunchShell.h"

namespace zanmel::ui {

int ItemFiling::LoadIcon(std::int32_t number) const {
    const platform::IconHandle icon = platform::LoadIconFile(state.SheetFolder() + "\\icon", number);
    return host.AddIcon(number, icon.Get());
}

void ItemFiling::FileNewItem(HWND dialog, bool dialogShown, std::uint8_t placement, const std::string& keyword,
                             const std::function<void()>& hide) const {
    const std::int32_t number = keyWords.IconNumberOf(keyword);
    LoadIcon(number);
    if (placement == kPlaceWithPicker && dialogShown) {
        hide();
        EnableWindow(dialog, FALSE);
        picker.SetCaller(dialog);
        picker.SetKeyword(keyword);
        picker.SetIconNumber(std::to_string(number));
        picker.Show();
        return;
    }
    FolderTree::Node* node = PlaceNewItem(host.Tree(), placement, host.SelectedTreeNode(), keyword);
    node->imageIndex = node->selectedImageIndex = host.IconIndex(number);
    host.ShowNewNode(node);
    host.SelectTreeNode(node);
    host.SaveTree();
    host.RefreshResultList();
    hide();
}

void ItemFiling::RenameCurrentItem(const std::string& keyword) const {
    if (FolderTree::Node* node = host.CurrentNode()) {
        node->text = keyword;
        // A new target has a new icon file; the node shows it at once rather than after the next sheet load.
        const std::int32_t number = keyWords.IconNumberOf(keyword);
        if (number >= 1000) node->imageIndex = node->selectedImageIndex = LoadIcon(number);
        host.UpdateNode(node);
    }
    host.SaveTree();
    host.RefreshResultList();
}

}  // namespace zanmel::ui
