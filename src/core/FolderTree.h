#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// The folder tree of a sheet: an ordered forest of nodes. A node whose text begins with "#" is a folder (its
// name is the rest); any other text is the keyword of an item. Nodes are owned by the tree; a Node* stays valid
// until that node is removed, so the tree view can map its items to nodes.
class FolderTree {
public:
    struct Node {
        std::string text;
        int imageIndex = -1;  // -1 until the node is first shown
        int selectedImageIndex = -1;
        bool expanded = false;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;

        bool IsFolder() const { return !text.empty() && text[0] == '#'; }
        // An empty line of tree.txt makes a node that is neither a folder nor an item.
        bool IsItem() const { return !text.empty() && text[0] != '#'; }
    };

    static constexpr std::string_view kStartAutoRun = "##自動実行-起動時";
    static constexpr std::string_view kExitAutoRun = "##自動実行-終了時";

    FolderTree() = default;
    FolderTree(FolderTree&&) noexcept = default;
    FolderTree& operator=(FolderTree&&) noexcept = default;

    // The tree of a sheet without tree.txt: "#WEB", "#Launch" and the two auto-run folders.
    static FolderTree Default();
    // A deep copy: texts, structure, image indexes and expanded flags.
    FolderTree Clone() const;

    const std::vector<std::unique_ptr<Node>>& Roots() const { return roots_; }
    bool Empty() const { return roots_.empty(); }
    void Clear() { roots_.clear(); }

    // The children list a node belongs to (the top level for a node without parent).
    const std::vector<std::unique_ptr<Node>>& Siblings(const Node* node) const;
    std::size_t IndexOf(const Node* node) const;
    std::size_t Depth(const Node* node) const;

    // Inserts a new node just before sibling, or at the end of the top level when sibling is null.
    Node* InsertBefore(Node* sibling, std::string text);
    // Appends a new node as the last child of parent (the top level when parent is null).
    Node* AppendChild(Node* parent, std::string text);
    // Inserts a new node as the first child of parent.
    Node* InsertFirstChild(Node* parent, std::string text);

    // Removes the node with its subtree.
    void Remove(Node* node);

    // True when node is ancestor or the node itself.
    static bool IsInSubtree(const Node* node, const Node* ancestor);
    // Moves node to position index among the children of newParent (null: the top level), the index counted
    // after node has been taken out. A move into the node's own subtree is refused (false, nothing changes).
    bool Move(Node* node, Node* newParent, std::size_t index);

    // Every node in depth-first pre-order (a node, its children, then its next sibling).
    std::vector<Node*> PreOrder() const;
    // The first and the last node in pre-order with exactly this text, or null.
    Node* FindFirst(std::string_view text) const;
    Node* FindLast(std::string_view text) const;

    // Appends the start and then the exit auto-run folder at the end of the top level when no node has their
    // text. Returns true when something was appended.
    bool EnsureAutoRunFolders();

private:
    std::vector<std::unique_ptr<Node>>& SiblingsOf(Node* parent) { return parent ? parent->children : roots_; }
    Node* InsertAt(Node* parent, std::size_t index, std::string text);

    std::vector<std::unique_ptr<Node>> roots_;
};

// A tree.txt line more than one level deeper than the line before it.
struct TreeTextError {
    std::string text;   // the line's text without its indentation
    std::size_t depth;  // its indentation
};

// Reads tree.txt bytes into tree (which is emptied first). Lines end with CR LF, CR or LF; leading TABs and
// spaces give the depth. On a line that is too deep the reading stops there and the error is returned; the
// nodes read before it stay.
std::optional<TreeTextError> ReadTreeText(std::string_view bytes, FolderTree& tree);

// tree.txt bytes: a line per node in pre-order, one TAB per level, CR LF after every line.
std::string WriteTreeText(const FolderTree& tree);

// The message for a tree.txt line that is too deep: アイテム "text" の階層 (depth) が不正です
std::string TreeTextErrorMessage(const TreeTextError& error);

}  // namespace zanmel
