#include <gtest/gtest.h>

#include "core/FolderTree.h"

namespace zanmel {

namespace {

// The tree as indented lines ("." per level), for readable expectations.
std::string Shape(const FolderTree& tree) {
    std::string out;
    for (const FolderTree::Node* node : tree.PreOrder()) {
        out += std::string(tree.Depth(node), '.') + node->text + "|";
    }
    return out;
}

}  // namespace

TEST(FolderTree, DefaultTreeIsWrittenAsFourLinesWithCrLf) {
    EXPECT_EQ(WriteTreeText(FolderTree::Default()), "#WEB\r\n#Launch\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n");
    EXPECT_EQ(WriteTreeText(FolderTree()), "");
}

TEST(FolderTree, ReadingFollowsIndentationWithAnyLineEnd) {
    FolderTree tree;
    ASSERT_FALSE(ReadTreeText("#A\r\n\tb\n\t#C\r\t\td\r\n\te\r\n#F\n\t\x95\x5C\x8E\xA6\r\n", tree));
    EXPECT_EQ(Shape(tree), "#A|.b|.#C|..d|.e|#F|.表示|");
    EXPECT_EQ(WriteTreeText(tree), "#A\r\n\tb\r\n\t#C\r\n\t\td\r\n\te\r\n#F\r\n\t表示\r\n");

    // Spaces count like TABs and are written back as TABs; trailing blanks belong to the text; an empty line is
    // a node with empty text; a shallower line climbs as far as its indentation says.
    ASSERT_FALSE(ReadTreeText("#A\n #B\n \tc \n\n#D\n\t#E\n\t\t#F\n\t\t\tg\n\th", tree));
    EXPECT_EQ(Shape(tree), "#A|.#B|..c ||#D|.#E|..#F|...g|.h|");
    EXPECT_EQ(WriteTreeText(tree), "#A\r\n\t#B\r\n\t\tc \r\n\r\n#D\r\n\t#E\r\n\t\t#F\r\n\t\t\tg\r\n\th\r\n");
}

TEST(FolderTree, IndentedFirstLineIsTopLevelAndTooDeepLinesStopTheLoad) {
    FolderTree tree;
    ASSERT_FALSE(ReadTreeText("\t\t#A\r\n\t\t\tb\r\n#C\r\n", tree));
    EXPECT_EQ(Shape(tree), "#A|.b|#C|");
    EXPECT_EQ(WriteTreeText(tree), "#A\r\n\tb\r\n#C\r\n");

    const auto error = ReadTreeText("#A\r\n\tb\r\n\t\t\tdeep\r\n#after\r\n", tree);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text, "deep");
    EXPECT_EQ(error->depth, 3u);
    EXPECT_EQ(Shape(tree), "#A|.b|");  // the nodes before the bad line stay
    EXPECT_EQ(TreeTextErrorMessage(*error), "アイテム \"deep\" の階層 (3) が不正です");
}

TEST(FolderTree, AutoRunFoldersAreAppendedStartFirstAndFoundLast) {
    FolderTree tree;
    ASSERT_FALSE(ReadTreeText("#A\r\n\t##自動実行-終了時\r\n", tree));
    EXPECT_TRUE(tree.EnsureAutoRunFolders());
    EXPECT_EQ(Shape(tree), "#A|.##自動実行-終了時|##自動実行-起動時|");
    EXPECT_FALSE(tree.EnsureAutoRunFolders());
    FolderTree::Node* second = tree.AppendChild(nullptr, std::string(FolderTree::kExitAutoRun));
    EXPECT_EQ(tree.FindLast(FolderTree::kExitAutoRun), second);
    EXPECT_NE(tree.FindFirst(FolderTree::kExitAutoRun), second);
}

TEST(FolderTree, InsertRemoveAndMoveKeepNodesAndRefuseOwnSubtree) {
    FolderTree tree = FolderTree::Default();
    FolderTree::Node* web = tree.Roots()[0].get();
    FolderTree::Node* launch = tree.Roots()[1].get();
    FolderTree::Node* sub = tree.AppendChild(launch, "#Sub");
    FolderTree::Node* item = tree.AppendChild(sub, "note");
    tree.InsertBefore(web, "#New");
    tree.InsertFirstChild(launch, "first");
    EXPECT_EQ(Shape(tree), "#New|#WEB|#Launch|.first|.#Sub|..note|##自動実行-起動時|##自動実行-終了時|");

    EXPECT_FALSE(tree.Move(launch, item, 0));  // into its own subtree
    EXPECT_FALSE(tree.Move(sub, sub, 0));
    EXPECT_TRUE(tree.Move(item, web, 0));
    EXPECT_EQ(item->parent, web);
    EXPECT_TRUE(tree.Move(sub, nullptr, 99));  // past the end: last top-level node
    EXPECT_EQ(Shape(tree), "#New|#WEB|.note|#Launch|.first|##自動実行-起動時|##自動実行-終了時|#Sub|");
    EXPECT_EQ(tree.Depth(item), 1u);
    EXPECT_EQ(tree.IndexOf(sub), 5u);

    tree.Remove(web);
    EXPECT_EQ(Shape(tree), "#New|#Launch|.first|##自動実行-起動時|##自動実行-終了時|#Sub|");
}

TEST(FolderTree, DeepTreesNeitherOverflowTheStackWhenWrittenNorWhenRead) {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += std::string(static_cast<std::size_t>(i), '\t') + "#f\r\n";
    FolderTree tree;
    ASSERT_FALSE(ReadTreeText(bytes, tree));
    EXPECT_EQ(WriteTreeText(tree), bytes);
}

}  // namespace zanmel
