#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "core/FolderTree.h"
#include "ui/dialogs/TreeHost.h"

namespace zanmel::test {

// The main window as the dialogs see it, without the main window: a plain top-level window to be disabled, a
// tree, a selection, an image list with an icon map, and counters of saves and refreshes. The main window's own
// implementation is tested with the real window.
class FakeTreeHost : public ui::TreeHost {
public:
    FakeTreeHost() {
        window_ = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        imageList_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8);
        // Icon numbers 0 to 5 at image indexes 10 to 15, so numbers and indexes are told apart.
        for (int i = 0; i < 6; ++i) iconMap.emplace_back(i, 10 + i);
    }
    ~FakeTreeHost() override {
        ImageList_Destroy(imageList_);
        DestroyWindow(window_);
    }
    FakeTreeHost(const FakeTreeHost&) = delete;
    FakeTreeHost& operator=(const FakeTreeHost&) = delete;

    HWND MainWindow() const override { return window_; }
    FolderTree& Tree() override { return tree; }
    FolderTree::Node* CurrentNode() const override { return current; }
    FolderTree::Node* SelectedTreeNode() const override { return selected; }
    void SelectTreeNode(FolderTree::Node* node) override { selected = node; }
    void ShowNewNode(FolderTree::Node* node) override { shown.push_back(node->text); }
    void UpdateNode(FolderTree::Node* node) override { updated.push_back(node->text); }
    void RemoveNode(FolderTree::Node* node) override {
        removed.push_back(node->text);
        tree.Remove(node);
    }
    void ReplaceTree(FolderTree replacement) override {
        tree = std::move(replacement);
        current = selected = nullptr;
        ++replaced;
    }
    HIMAGELIST ImageList1() const override { return imageList_; }
    // The last line of a number counts, as an icon made again for it replaces the old one.
    int IconIndex(int iconNumber) const override {
        for (auto it = iconMap.rbegin(); it != iconMap.rend(); ++it)
            if (it->first == iconNumber) return it->second;
        return -1;
    }
    int NodeImageIndex(FolderTree::Node* node) override {
        if (node->imageIndex < 0) node->imageIndex = node->selectedImageIndex = IconIndex(node->IsFolder() ? 1 : 0);
        return node->imageIndex;
    }
    int AddIcon(int iconNumber, HICON icon) override {
        const int index = ImageList_AddIcon(imageList_, icon);
        iconMap.emplace_back(iconNumber, index);
        return index;
    }
    void SaveTree() override { ++saves; }
    void RefreshResultList() override { ++refreshes; }

    FolderTree tree;
    FolderTree::Node* current = nullptr;
    FolderTree::Node* selected = nullptr;
    std::vector<std::pair<int, int>> iconMap;
    std::vector<std::string> shown;
    std::vector<std::string> updated;
    std::vector<std::string> removed;
    int replaced = 0;
    int saves = 0;
    int refreshes = 0;

private:
    HWND window_ = nullptr;
    HIMAGELIST imageList_ = nullptr;
};

// The tree as indented lines ("." per level).
inline std::string Shape(const FolderTree& tree) {
    std::string out;
    for (const FolderTree::Node* node : tree.PreOrder()) out += std::string(tree.Depth(node), '.') + node->text + "|";
    return out;
}

}  // namespace zanmel::test
