#include "core/TreePlacement.h"

#include <utility>

namespace zanmel {

FolderTree::Node* PlaceNewItem(FolderTree& tree, std::uint8_t placement, FolderTree::Node* selected, std::string text) {
    if (selected && placement == kPlaceBeforeSelected) return tree.InsertBefore(selected, std::move(text));
    if (selected && placement == kPlaceInSelectedFolder) return tree.InsertFirstChild(selected, std::move(text));
    return tree.AppendChild(nullptr, std::move(text));
}

std::uint8_t DropPlacement(const FolderTree::Node* target) {
    if (!target) return kPlaceWithPicker;
    return target->IsFolder() ? kPlaceInSelectedFolder : kPlaceBeforeSelected;
}

FolderTree::Node* PlaceInPicker(FolderTree& tree, FolderTree::Node* selected, std::string text) {
    if (!selected) return nullptr;
    if (selected->IsFolder()) return tree.AppendChild(selected, std::move(text));
    return tree.InsertBefore(selected, std::move(text));
}

bool MoveUp(FolderTree& tree, FolderTree::Node* node) {
    const std::size_t index = tree.IndexOf(node);
    if (index == 0) return false;
    return tree.Move(node, node->parent, index - 1);
}

bool MoveDown(FolderTree& tree, FolderTree::Node* node) {
    const std::size_t index = tree.IndexOf(node);
    if (index + 1 >= tree.Siblings(node).size()) return false;
    // Counted with the node taken out, index + 1 is just after its next sibling.
    return tree.Move(node, node->parent, index + 1);
}

PickerDrop DropInPicker(FolderTree& tree, FolderTree::Node* dragged, FolderTree::Node* target) {
    if (!dragged || !target || FolderTree::IsInSubtree(target, dragged)) return {};
    if (target->IsFolder()) {
        if (!tree.Move(dragged, target, 0)) return {};
        return {true, target};
    }
    std::size_t index = tree.IndexOf(target);
    // The target moves up one place when the dragged node leaves from before it.
    if (dragged->parent == target->parent && tree.IndexOf(dragged) < index) --index;
    if (!tree.Move(dragged, target->parent, index)) return {};
    return {true, dragged};
}

}  // namespace zanmel
