#include "core/SpecialFolderRules.h"

#include <gtest/gtest.h>

#include <set>

namespace zanmel {
namespace {

using Action = SpecialFolderAction;

TEST(SpecialFolderRulesTest, TableHasFortyThreeFoldersEightRecommended) {
    const auto& table = SpecialFolderTable();
    std::vector<std::string_view> recommended;
    std::set<std::int32_t> ids;
    for (const SpecialFolderEntry& entry : table) {
        if (entry.recommended) recommended.push_back(entry.keyword);
        ids.insert(entry.csidl);
        EXPECT_FALSE(entry.description.empty()) << entry.keyword;
    }
    EXPECT_EQ(recommended,
              (std::vector<std::string_view>{"ControlPanel", "MyDocument", "SendTo", "Trash", "DeskTopDirectory",
                                             "MyComputer", "NetWork", "CommonAdminTools"}));
    EXPECT_EQ(ids.size(), kSpecialFolderCount);  // each folder once
    EXPECT_EQ(table[10].keyword, "Trash");
    EXPECT_EQ(table[10].csidl, 10);
    EXPECT_EQ(table[42].csidl, 48);
}

TEST(SpecialFolderRulesTest, RegisteredRowsComeFromTheSpecialFolderKeywords) {
    TKeyWordList keyWords("PC");
    keyWords.Add("tool", "Launch", 1000, "open,x.exe,,,1,0");
    keyWords.Add("ごみ", "SpecialFolder", 5, "10");
    keyWords.Add("broken", "SpecialFolder", 5, "ten");  // no integer: no row
    keyWords.Add("unknown", "SpecialFolder", 5, "12");  // no row has CSIDL 12
    keyWords.Add("PC", "SpecialFolder", 5, "17");
    keyWords.Add("マイPC", "SpecialFolder", 5, "17");  // the later keyword of a folder counts
    const std::vector<std::int32_t> rows = RegisteredRows(keyWords);
    ASSERT_EQ(rows.size(), kSpecialFolderCount);
    EXPECT_EQ(rows[10], 1);
    EXPECT_EQ(rows[14], 5);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), -1), static_cast<long>(kSpecialFolderCount) - 2);
}

TEST(SpecialFolderRulesTest, DuplicateAndTakenKeywordsOfTickedRowsTurnRed) {
    TKeyWordList keyWords("PC");
    keyWords.Add("web", "WEB", 4, "open,http://x/,,,1,0");
    keyWords.Add("Trash", "SpecialFolder", 5, "10");
    std::vector<SpecialFolderRow> rows = {
        {true, "same", "", -1},      {true, "SAME", "", -1},  // one keyword without regard to case
        {false, "same", "", -1},                              // not ticked: not counted
        {true, "Web", "", -1},                                // held by a web item
        {true, "Trash", "Trash", 1},                          // a special folder keyword is not taken
        {true, "free", "", -1},
    };
    std::vector<bool> red;
    EXPECT_EQ(CheckSpecialFolderRows(rows, keyWords, red), "キーワードが重複しています");
    EXPECT_EQ(red, (std::vector<bool>{true, true, false, true, false, false}));

    rows[1].keyword = "other";
    rows[3].ticked = false;
    EXPECT_EQ(CheckSpecialFolderRows(rows, keyWords, red), "");
    EXPECT_EQ(red, std::vector<bool>(rows.size(), false));

    // Keywords the tree could not hold as items.
    rows[5].keyword = "";
    rows[1].keyword = "#dir";
    EXPECT_EQ(CheckSpecialFolderRows(rows, keyWords, red), "キーワードは空欄にはできません。");
    EXPECT_EQ(red, (std::vector<bool>{false, true, false, false, false, true}));
    rows[5].keyword = "ok";
    EXPECT_EQ(CheckSpecialFolderRows(rows, keyWords, red), "#で始まるキーワードは許されません。");
}

TEST(SpecialFolderRulesTest, ActionOfARowByItsFinalState) {
    EXPECT_EQ(ActionOf({true, "a", "a", -1}), Action::Register);
    EXPECT_EQ(ActionOf({true, "b", "a", 3}), Action::Change);
    EXPECT_EQ(ActionOf({true, "a", "a", 3}), Action::None);
    EXPECT_EQ(ActionOf({false, "b", "a", 3}), Action::Delete);
    EXPECT_EQ(ActionOf({false, "a", "a", -1}), Action::None);
}

}  // namespace
}  // namespace zanmel
