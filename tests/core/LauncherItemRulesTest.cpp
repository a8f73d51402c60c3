#include <gtest/gtest.h>

#include <set>

#include "core/FolderTree.h"
#include "core/LauncherItemRules.h"

namespace zanmel {

namespace {

LauncherItemFields Fields(std::string keyword, std::string path) {
    LauncherItemFields fields;
    fields.keyword = std::move(keyword);
    fields.path = std::move(path);
    return fields;
}

}  // namespace

TEST(LauncherItemRules, RecordTakesTheFieldsAsTheyAre) {
    LauncherItemFields fields = Fields("メモ帳", "..\\bin\\a b.exe");
    fields.verb = "edit";
    fields.parameters = "-x \"y\"";
    fields.workingFolder = "C:\\作業";
    fields.showModeName = "SW_SHOWMINNOACTIVE";
    const TLaunchWordData2 record = RecordFromFields(fields);
    EXPECT_EQ(record.verb, "edit");
    EXPECT_EQ(record.path, "..\\bin\\a b.exe");
    EXPECT_EQ(record.parameters, "-x \"y\"");
    EXPECT_EQ(record.workingFolder, "C:\\作業");
    EXPECT_EQ(record.showMode, 7);
    EXPECT_EQ(record.flags, 0);

    // No verb selected stores an empty verb; no show mode selected is SW_SHOWNORMAL.
    const TLaunchWordData2 bare = RecordFromFields(Fields("k", "p"));
    EXPECT_EQ(bare.verb, "");
    EXPECT_EQ(bare.showMode, 1);
    EXPECT_EQ(bare.ToText(), ",p,,,1,0");
}

TEST(LauncherItemRules, ChecksRunInOrderEmptyThenHashThenDuplicate) {
    const std::set<std::string, std::less<>> registered{"#x", "taken", "old"};
    const auto isRegistered = [&](std::string_view k) { return registered.count(k) != 0; };
    for (const bool editing : {false, true}) {
        SCOPED_TRACE(editing);
        EXPECT_EQ(CheckLauncherItem(Fields("", "p"), editing, "old", isRegistered), kItemFieldsEmpty);
        EXPECT_EQ(CheckLauncherItem(Fields("k", ""), editing, "old", isRegistered), kItemFieldsEmpty);
        // "#x" is registered too: the mark is refused before any duplicate check.
        EXPECT_EQ(CheckLauncherItem(Fields("#x", "p"), editing, "#x", isRegistered), kItemKeywordHash);
        EXPECT_EQ(CheckLauncherItem(Fields("taken", "p"), editing, "old", isRegistered), kItemKeywordTaken);
        EXPECT_EQ(CheckLauncherItem(Fields("new", "p"), editing, "old", isRegistered), "");
    }
    // An edit that keeps its keyword is no duplicate; a new item with that keyword is.
    EXPECT_EQ(CheckLauncherItem(Fields("old", "p"), true, "old", isRegistered), "");
    EXPECT_EQ(CheckLauncherItem(Fields("old", "p"), false, "old", isRegistered), kItemKeywordTaken);
}

// Leading blanks are tree.txt's indentation: a keyword keeping one would be read back one level deeper.
TEST(LauncherItemRules, TypedKeywordLosesLeadingBlanksSoTheTreeReadsItBack) {
    EXPECT_EQ(KeywordFromField(" \t メモ 帳 "), "メモ 帳 ");
    EXPECT_EQ(KeywordFromField(" \t"), "");
    EXPECT_EQ(KeywordFromField("　全角"), "　全角");  // a full-width space is no indentation

    FolderTree tree;
    FolderTree::Node* folder = tree.AppendChild(nullptr, "#Launch");
    tree.AppendChild(folder, KeywordFromField("  spaced"));
    tree.AppendChild(nullptr, "#WEB");
    FolderTree again;
    EXPECT_FALSE(ReadTreeText(WriteTreeText(tree), again).has_value());
    EXPECT_EQ(WriteTreeText(again), WriteTreeText(tree));
    EXPECT_EQ(again.Roots().size(), 2u);
}

TEST(LauncherItemRules, WebRecordIsFixedApartFromUrlAndFlags) {
    // An edit rewrites verb, parameters, working folder and show mode, whatever the item held.
    const TLaunchWordData2 direct = WebRecord("http://s/?q=$URL_DIRECT$", true, TLaunchWordData2::kUtf8);
    EXPECT_EQ(direct.ToText(), "open,http://s/?q=$URL_DIRECT$,,,1,12");
    EXPECT_EQ(WebRecord("http://s/", false, TLaunchWordData2::kEucJp).flags, 16);
    EXPECT_EQ(WebRecord("http://s/", true, TLaunchWordData2::kShiftJis).flags, 4);
    EXPECT_EQ(WebRecord("http://s/", false, -1).flags, 0);  // no entry selected counts as Shift-JIS
    EXPECT_EQ(CheckLauncherItem(
                  Fields("k", ""), false, "", [](std::string_view) { return false; }, kWebFieldsEmpty),
              "キーワード、URLは空欄にはできません。");
}

TEST(LauncherItemRules, AutoSetTurnsASampleSearchIntoATemplate) {
    const std::string sjis = "%82%A0%82%A0%82%A0%82%A0%82%A0";
    const std::string utf8 = "%E3%81%82%E3%81%82%E3%81%82%E3%81%82%E3%81%82";
    const std::string euc = "%A4%A2%A4%A2%A4%A2%A4%A2%A4%A2";
    EXPECT_EQ(AutoSetUrlDirect("http://s/?q=" + utf8 + "&r=" + utf8),
              (UrlDirectSetting{"http://s/?q=$URL_DIRECT$&r=$URL_DIRECT$", TLaunchWordData2::kUtf8}));
    EXPECT_EQ(AutoSetUrlDirect("http://s/?k=" + euc), (UrlDirectSetting{"http://s/?k=$URL_DIRECT$", 2}));
    // Lower-case hex digits: detected as Shift-JIS and replaced as well.
    EXPECT_EQ(AutoSetUrlDirect("http://s/?q=%82%a0%82%a0%82%a0%82%a0%82%a0&x=" + sjis),
              (UrlDirectSetting{"http://s/?q=$URL_DIRECT$&x=$URL_DIRECT$", 0}));
    // No sample word: Shift-JIS, the URL as it was (the dialog still ticks URL direct).
    EXPECT_EQ(AutoSetUrlDirect("http://s/?q=abc"), (UrlDirectSetting{"http://s/?q=abc", 0}));
    // A template already, or nothing typed: nothing changes.
    EXPECT_EQ(AutoSetUrlDirect("http://s/?q=$URL_DIRECT$&r=" + utf8), std::nullopt);
    EXPECT_EQ(AutoSetUrlDirect(""), std::nullopt);
}

}  // namespace zanmel
