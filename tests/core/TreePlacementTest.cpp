#include <gtest/gtest.h>

#include "core/TreePlacement.h"

namespace zanmel {

namespace {

using Node = FolderTree::Node;

std::string Shape(const FolderTree& tree) {
    std::string out;
    for (const Node* node : tree.PreOrder()) out += std::string(tree.Depth(node), '.') + node->text + "|";
    return out;
}

// #A { a1, #B { b1 } }, x, #C
FolderTree Sample() {
    FolderTree tree;
    ReadTreeText("#A\n\ta1\n\t#B\n\t\tb1\nx\n#C\n", tree);
    return tree;
}

Node* Find(const FolderTree& tree, std::string_view text) {
    return tree.FindFirst(text);
}

}  // namespace

TEST(TreePlacement, CloneCopiesStructureAndIndexesIndependently) {
    FolderTree tree = Sample();
    Find(tree, "b1")->imageIndex = 7;
    Find(tree, "b1")->selectedImageIndex = 8;
    Find(tree, "#B")->expanded = true;
    FolderTree copy = tree.Clone();
    EXPECT_EQ(Shape(copy), Shape(tree));
    EXPECT_EQ(Find(copy, "b1")->imageIndex, 7);
    EXPECT_EQ(Find(copy, "b1")->selectedImageIndex, 8);
    EXPECT_TRUE(Find(copy, "#B")->expanded);
    EXPECT_EQ(Find(copy, "b1")->parent, Find(copy, "#B"));
    copy.Remove(Find(copy, "#A"));
    EXPECT_EQ(Shape(tree), "#A|.a1|.#B|..b1|x|#C|");
}

TEST(TreePlacement, NewItemGoesBeforeOrIntoTheSelectedNodeOrAtTheEnd) {
    FolderTree tree = Sample();
    PlaceNewItem(tree, kPlaceBeforeSelected, Find(tree, "b1"), "n1");
    PlaceNewItem(tree, kPlaceInSelectedFolder, Find(tree, "#A"), "n2");
    PlaceNewItem(tree, kPlaceWithPicker, Find(tree, "x"), "n3");  // a quick registration onto empty space
    PlaceNewItem(tree, kPlaceBeforeSelected, nullptr, "n4");      // nothing selected
    EXPECT_EQ(Shape(tree), "#A|.n2|.a1|.#B|..n1|..b1|x|#C|n3|n4|");
}

// Three files dropped one after another on the same folder line each become its first child: reverse order.
// On an item line the new node takes the item's row, so the next drop goes before it: reverse order as well.
TEST(TreePlacement, DropsGoIntoTheFolderOrBeforeTheItemUnderTheMouse) {
    FolderTree tree = Sample();
    EXPECT_EQ(DropPlacement(nullptr), kPlaceWithPicker);
    for (const char* file : {"f1", "f2", "f3"}) {
        Node* target = Find(tree, "#C");
        PlaceNewItem(tree, DropPlacement(target), target, file);
    }
    Node* under = Find(tree, "x");
    for (const char* file : {"i1", "i2"}) under = PlaceNewItem(tree, DropPlacement(under), under, file);
    PlaceNewItem(tree, DropPlacement(nullptr), nullptr, "end");
    EXPECT_EQ(Shape(tree), "#A|.a1|.#B|..b1|i2|i1|x|#C|.f3|.f2|.f1|end|");
}

TEST(TreePlacement, PickerFilesIntoAFolderLastOrBeforeAnItemAndNeedsASelection) {
    FolderTree tree = Sample();
    EXPECT_EQ(PlaceInPicker(tree, Find(tree, "#A"), "f")->parent, Find(tree, "#A"));
    PlaceInPicker(tree, Find(tree, "x"), "i");
    EXPECT_EQ(PlaceInPicker(tree, nullptr, "none"), nullptr);
    EXPECT_EQ(Shape(tree), "#A|.a1|.#B|..b1|.f|i|x|#C|");
}

TEST(TreePlacement, UpAndDownMoveOnePlaceAndStopAtTheEnds) {
    FolderTree tree = Sample();
    EXPECT_FALSE(MoveUp(tree, Find(tree, "#A")));
    EXPECT_TRUE(MoveUp(tree, Find(tree, "#B")));
    EXPECT_EQ(Shape(tree), "#A|.#B|..b1|.a1|x|#C|");
    // The last but one goes to the end; the last stays.
    EXPECT_TRUE(MoveDown(tree, Find(tree, "x")));
    EXPECT_EQ(Shape(tree), "#A|.#B|..b1|.a1|#C|x|");
    EXPECT_FALSE(MoveDown(tree, Find(tree, "x")));
    EXPECT_TRUE(MoveDown(tree, Find(tree, "#A")));
    EXPECT_EQ(Shape(tree), "#C|#A|.#B|..b1|.a1|x|");
    EXPECT_FALSE(MoveDown(tree, Find(tree, "b1")));
}

TEST(TreePlacement, PickerDropsIntoFoldersFirstAndBeforeItems) {
    FolderTree tree = Sample();
    PickerDrop drop = DropInPicker(tree, Find(tree, "x"), Find(tree, "#B"));
    EXPECT_TRUE(drop.moved);
    EXPECT_EQ(drop.expand, Find(tree, "#B"));
    EXPECT_EQ(Shape(tree), "#A|.a1|.#B|..x|..b1|#C|");

    // Before an item, from before it among the same siblings and from elsewhere.
    drop = DropInPicker(tree, Find(tree, "a1"), Find(tree, "x"));
    EXPECT_EQ(drop.expand, Find(tree, "a1"));
    EXPECT_EQ(Shape(tree), "#A|.#B|..a1|..x|..b1|#C|");
    DropInPicker(tree, Find(tree, "a1"), Find(tree, "b1"));
    EXPECT_EQ(Shape(tree), "#A|.#B|..x|..a1|..b1|#C|");
    DropInPicker(tree, Find(tree, "#C"), Find(tree, "x"));
    EXPECT_EQ(Shape(tree), "#A|.#B|..#C|..x|..a1|..b1|");
}

TEST(TreePlacement, PickerDropOnItselfOrIntoItsOwnSubtreeChangesNothing) {
    FolderTree tree = Sample();
    const std::string before = Shape(tree);
    EXPECT_FALSE(DropInPicker(tree, Find(tree, "#A"), Find(tree, "#A")).moved);
    EXPECT_FALSE(DropInPicker(tree, Find(tree, "#A"), Find(tree, "#B")).moved);
    EXPECT_FALSE(DropInPicker(tree, Find(tree, "#A"), Find(tree, "b1")).moved);
    EXPECT_FALSE(DropInPicker(tree, Find(tree, "x"), Find(tree, "x")).moved);
    EXPECT_EQ(Shape(tree), before);
}

}  // namespace zanmel
