#include "core/FolderTree.h"

#include <algorithm>
#include <utility>

#include "core/TextLines.h"

namespace zanmel {

FolderTree FolderTree::Default() {
    FolderTree tree;
    for (std::string_view text : {std::string_view("#WEB"), std::string_view("#Launch"), kStartAutoRun, kExitAutoRun}) {
        tree.AppendChild(nullptr, std::string(text));
    }
    return tree;
}

FolderTree FolderTree::Clone() const {
    FolderTree copy;
    // Pairs of a node to copy and the copy's parent, in pre-order so children are appended in order.
    std::vector<std::pair<const Node*, Node*>> pending;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) pending.emplace_back(it->get(), nullptr);
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        Node* made = copy.AppendChild(parent, node->text);
        made->imageIndex = node->imageIndex;
        made->selectedImageIndex = node->selectedImageIndex;
        made->expanded = node->expanded;
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
            pending.emplace_back(it->get(), made);
    }
    return copy;
}

const std::vector<std::unique_ptr<FolderTree::Node>>& FolderTree::Siblings(const Node* node) const {
    return node->parent ? node->parent->children : roots_;
}

std::size_t FolderTree::IndexOf(const Node* node) const {
    const auto& siblings = Siblings(node);
    const auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& n) { return n.get() == node; });
    return static_cast<std::size_t>(it - siblings.begin());
}

std::size_t FolderTree::Depth(const Node* node) const {
    std::size_t depth = 0;
    for (const Node* p = node->parent; p; p = p->parent) ++depth;
    return depth;
}

FolderTree::Node* FolderTree::InsertAt(Node* parent, std::size_t index, std::string text) {
    auto node = std::make_unique<Node>();
    node->text = std::move(text);
    node->parent = parent;
    Node* raw = node.get();
    auto& siblings = SiblingsOf(parent);
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(std::min(index, siblings.size())), std::move(node));
    return raw;
}

FolderTree::Node* FolderTree::InsertBefore(Node* sibling, std::string text) {
    if (!sibling) return InsertAt(nullptr, roots_.size(), std::move(text));
    return InsertAt(sibling->parent, IndexOf(sibling), std::move(text));
}

FolderTree::Node* FolderTree::AppendChild(Node* parent, std::string text) {
    return InsertAt(parent, SiblingsOf(parent).size(), std::move(text));
}

FolderTree::Node* FolderTree::InsertFirstChild(Node* parent, std::string text) {
    return InsertAt(parent, 0, std::move(text));
}

void FolderTree::Remove(Node* node) {
    auto& siblings = SiblingsOf(node->parent);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(IndexOf(node)));
}

bool FolderTree::IsInSubtree(const Node* node, const Node* ancestor) {
    for (const Node* p = node; p; p = p->parent) {
        if (p == ancestor) return true;
    }
    return false;
}

bool FolderTree::Move(Node* node, Node* newParent, std::size_t index) {
    if (newParent && IsInSubtree(newParent, node)) return false;
    auto& from = SiblingsOf(node->parent);
    const auto at = from.begin() + static_cast<std::ptrdiff_t>(IndexOf(node));
    std::unique_ptr<Node> owned = std::move(*at);
    from.erase(at);
    owned->parent = newParent;
    auto& to = SiblingsOf(newParent);
    to.insert(to.begin() + static_cast<std::ptrdiff_t>(std::min(index, to.size())), std::move(owned));
    return true;
}

namespace {

// Calls visit(node, depth) for each node in pre-order until it returns false. An explicit stack: a tree.txt can
// nest as deep as it has lines.
template <typename Visit>
void VisitPreOrder(const std::vector<std::unique_ptr<FolderTree::Node>>& roots, Visit visit) {
    std::vector<std::pair<const std::vector<std::unique_ptr<FolderTree::Node>>*, std::size_t>> stack{{&roots, 0}};
    while (!stack.empty()) {
        auto& [list, next] = stack.back();
        if (next >= list->size()) {
            stack.pop_back();
            continue;
        }
        FolderTree::Node* node = (*list)[next++].get();
        if (!visit(node, stack.size() - 1)) return;
        if (!node->children.empty()) stack.push_back({&node->children, 0});
    }
}

}  // namespace

std::vector<FolderTree::Node*> FolderTree::PreOrder() const {
    std::vector<Node*> order;
    VisitPreOrder(roots_, [&](Node* node, std::size_t) {
        order.push_back(node);
        return true;
    });
    return order;
}

FolderTree::Node* FolderTree::FindFirst(std::string_view text) const {
    Node* found = nullptr;
    VisitPreOrder(roots_, [&](Node* node, std::size_t) {
        if (node->text == text) found = node;
        return found == nullptr;
    });
    return found;
}

FolderTree::Node* FolderTree::FindLast(std::string_view text) const {
    Node* found = nullptr;
    VisitPreOrder(roots_, [&](Node* node, std::size_t) {
        if (node->text == text) found = node;
        return true;
    });
    return found;
}

bool FolderTree::EnsureAutoRunFolders() {
    bool appended = false;
    for (std::string_view text : {kStartAutoRun, kExitAutoRun}) {
        if (!FindFirst(text)) {
            AppendChild(nullptr, std::string(text));
            appended = true;
        }
    }
    return appended;
}

std::optional<TreeTextError> ReadTreeText(std::string_view bytes, FolderTree& tree) {
    tree.Clear();
    // Reading only ever appends, so the previous node is the last of its siblings. The rules compare the
    // indentation lines had in the file (which the first line may break), kept for previous and its ancestors.
    FolderTree::Node* previous = nullptr;
    std::vector<std::size_t> ancestorDepths;  // innermost last

    for (const std::string_view line : SplitLines(bytes)) {
        std::size_t depth = 0;
        while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' ')) ++depth;
        std::string text(line.substr(depth));

        if (!previous) {
            previous = tree.AppendChild(nullptr, std::move(text));
            ancestorDepths = {depth};
            continue;
        }
        const std::size_t previousDepth = ancestorDepths.back();
        if (depth == previousDepth) {
            previous = tree.AppendChild(previous->parent, std::move(text));
        } else if (depth == previousDepth + 1) {
            previous = tree.AppendChild(previous, std::move(text));
            ancestorDepths.push_back(depth);
        } else if (depth > previousDepth + 1) {
            return TreeTextError{std::move(text), depth};
        } else {
            // Up through the ancestors to the first one not deeper than the line; the line joins its parent.
            FolderTree::Node* anchor = previous;
            while (ancestorDepths.back() > depth && anchor->parent) {
                anchor = anchor->parent;
                ancestorDepths.pop_back();
            }
            if (ancestorDepths.back() > depth) {
                previous = tree.AppendChild(nullptr, std::move(text));
                ancestorDepths = {depth};
            } else {
                previous = tree.AppendChild(anchor->parent, std::move(text));
                ancestorDepths.back() = depth;
            }
        }
    }
    return std::nullopt;
}

std::string WriteTreeText(const FolderTree& tree) {
    std::size_t size = 0;
    VisitPreOrder(tree.Roots(), [&](const FolderTree::Node* node, std::size_t depth) {
        size += depth + node->text.size() + 2;
        return true;
    });
    std::string bytes;
    bytes.reserve(size);
    VisitPreOrder(tree.Roots(), [&](const FolderTree::Node* node, std::size_t depth) {
        bytes.append(depth, '\t');
        bytes += node->text;
        bytes += "\r\n";
        return true;
    });
    return bytes;
}

std::string TreeTextErrorMessage(const TreeTextError& error) {
    return "アイテム \"" + error.text + "\" の階層 (" + std::to_string(error.depth) + ") が不正です";
}

}  // namespace zanmel
