#pragma once

#include <cstdint>
#include <string>

#include "core/FolderTree.h"

namespace zanmel {

// Where the item dialogs file a new item when the user is not asked: 1 just before the selected node, 2 as the
// first child of the selected node (a folder), anything else (or no selected node) at the end of the top level.
constexpr std::uint8_t kPlaceWithPicker = 0;
constexpr std::uint8_t kPlaceBeforeSelected = 1;
constexpr std::uint8_t kPlaceInSelectedFolder = 2;
FolderTree::Node* PlaceNewItem(FolderTree& tree, std::uint8_t placement, FolderTree::Node* selected, std::string text);

// The placement of an item dropped on the tree: into the folder under the mouse, before the item under it, or
// (no node) at the end of the top level.
std::uint8_t DropPlacement(const FolderTree::Node* target);

// The folder picker's "OK": the last child of a selected folder, just before a selected item; null (nothing
// made) when nothing is selected.
FolderTree::Node* PlaceInPicker(FolderTree& tree, FolderTree::Node* selected, std::string text);

// One place up or down among the node's siblings; false when it is already first or last.
bool MoveUp(FolderTree& tree, FolderTree::Node* node);
bool MoveDown(FolderTree& tree, FolderTree::Node* node);

// A node of the folder picker dropped on another: onto a folder it becomes the folder's first child, onto an
// item it goes just before it. A drop on the node itself or into its own subtree changes nothing. expand is the
// node to open one level afterwards: the folder dropped on, or the moved node.
struct PickerDrop {
    bool moved = false;
    FolderTree::Node* expand = nullptr;
};
PickerDrop DropInPicker(FolderTree& tree, FolderTree::Node* dragged, FolderTree::Node* target);

}  // namespace zanmel
