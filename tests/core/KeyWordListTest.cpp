#include "core/KeyWordList.h"

#include <gtest/gtest.h>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

template <typename F>
std::string ErrorOf(F action) {
    try {
        action();
    } catch (const ZanmelError& e) {
        return e.what();
    }
    return "(no error)";
}

// An index whose clock moves on one second per stamp.
struct Fixture {
    int seconds = 0;
    TKeyWordList list{"PC1", [this] { return LocalTime{2026, 1, 2, 3, 4, seconds++}; }};
};

std::string Row(const TKeyWordList& list, std::size_t row) {
    std::string text;
    for (std::size_t c = 0; c < TKeyWordList::kColumnCount; ++c) (text += list.Cell(row, c)) += "|";
    return text;
}

std::string Keywords(const TKeyWordList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.Count(); ++i) (text += list.KeyWordAt(i)) += " ";
    return text;
}

// The search keys kept beside the columns agree with the keyword column.
void ExpectKeysAgree(TKeyWordList& list) {
    std::vector<std::string> keywords;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        keywords.emplace_back(list.KeyWordAt(i));
        ASSERT_EQ(list.Find(cp932::ToLower(list.KeyWordAt(i))), i);
    }
    std::string all;
    ASSERT_EQ(list.Search(all, true, true).keywords, CommaTextJoin(keywords));
}

TEST(KeyWordCase, LowerCasingIsByCharacterAndLocaleIndependent) {
    EXPECT_EQ(cp932::ToLower("AbZ@[ＡＺΑΩАНОЯ"), "abz@[ａｚαωаноя");
    // Trail bytes that look like capitals (ア is 0x83 0x41) stay; half-width katakana and kanji stay.
    EXPECT_EQ(cp932::ToLower("アＡｱ表"), "アａｱ表");
    EXPECT_TRUE(cp932::EqualsIgnoreCase("ＸyΣЖ", "ｘYσж"));
    EXPECT_FALSE(cp932::EqualsIgnoreCase("ア", "ャ"));  // 0x8341 and 0x8361 differ only in a "letter" trail
    EXPECT_FALSE(cp932::EqualsIgnoreCase("ab", "abc"));
    EXPECT_EQ(cp932::ToLower("A\x84"), "a\x84");
}

TEST(KeyWordList, AddAndLookupIgnoreLetterCase) {
    Fixture f;
    f.list.Add("Editor", "Launch", 3, "open,notepad.exe,,,1,0");
    f.list.Add("ＷＥＢ検索", "WEB", 1000, "open,\"http://s/?q=$URL_DIRECT$\",,,1,12");
    EXPECT_EQ(Row(f.list, 0), "Editor|Launch|3|||PC1|2026/01/02 03:04:00|open,notepad.exe,,,1,0|");
    EXPECT_TRUE(f.list.Exists("EDITOR"));
    EXPECT_TRUE(f.list.Exists("ｗｅｂ検索"));
    EXPECT_FALSE(f.list.Exists("Edito"));
    EXPECT_EQ(f.list.KindOf("editor"), "Launch");
    EXPECT_EQ(f.list.IconNumberOf("ｗｅｂ検索"), 1000);
    EXPECT_EQ(f.list.DataOf("ＷＥＢ検索"), "open,\"http://s/?q=$URL_DIRECT$\",,,1,12");
    EXPECT_EQ(f.list.EntryAt(1), (TKeyWord{"ＷＥＢ検索", "WEB", 1000, "", "", "PC1", "2026/01/02 03:04:01",
                                           "open,\"http://s/?q=$URL_DIRECT$\",,,1,12"}));

    EXPECT_EQ(ErrorOf([&] { f.list.Add("eDiToR", "Launch", 0, ""); }),
              "KeyWordList\r\nキーワードは既に存在しています。");
    EXPECT_EQ(f.list.Count(), 2u);
    for (const char* missing : {"KindOf", "IconNumberOf", "DataOf", "Delete"}) {
        const std::string what = ErrorOf([&] {
            const std::string_view name = missing;
            if (name == "KindOf") f.list.KindOf("nothing");
            if (name == "IconNumberOf") f.list.IconNumberOf("nothing");
            if (name == "DataOf") f.list.DataOf("nothing");
            if (name == "Delete") f.list.Delete("nothing");
        });
        EXPECT_EQ(what, "KeyWordList\r\nキーワードが存在していません。") << missing;
    }
    EXPECT_NE(ErrorOf([&] { f.list.KeyWordAt(2); }).find("KeyWordList\r\n"), std::string::npos);

    f.list.Delete("EDITOR");
    EXPECT_EQ(f.list.Count(), 1u);
    EXPECT_FALSE(f.list.Exists("Editor"));
    ExpectKeysAgree(f.list);
}

TEST(KeyWordList, ChangeKeepsPositionAndReservedColumns) {
    Fixture f;
    f.list.LoadFromText("a,Launch,1,r1,r2,OLD,then,d1\r\nb,Launch,2,,,OLD,then,d2\r\n", "k.txt");
    f.list.SetComputerName("PC2");
    f.list.Change("a", "a", "WEB", 4, "d3");
    EXPECT_EQ(Row(f.list, 0), "a|WEB|4|r1|r2|PC2|2026/01/02 03:04:00|d3|");
    f.list.Change("A", "A", "WEB", 4, "d4");  // the old keyword is found in any case
    EXPECT_EQ(f.list.KeyWordAt(0), "A");
    EXPECT_EQ(f.list.DataAt(0), "d4");
    f.list.Change("a", "c", "Launch", 5, "d5");
    EXPECT_EQ(Keywords(f.list), "c b ");
    ExpectKeysAgree(f.list);
    EXPECT_FALSE(f.list.Exists("a"));

    EXPECT_EQ(ErrorOf([&] { f.list.Change("x", "y", "", 0, ""); }),
              "KeyWordList\r\n変更前のキーワードが存在していません。");
    EXPECT_EQ(ErrorOf([&] { f.list.Change("c", "C", "", 0, ""); }),
              "KeyWordList\r\n変更後のキーワードが既に存在しています。");
    EXPECT_EQ(ErrorOf([&] { f.list.Change("c", "B", "", 0, ""); }),
              "KeyWordList\r\n変更後のキーワードが既に存在しています。");
    EXPECT_EQ(Row(f.list, 0), "c|Launch|5|r1|r2|PC2|2026/01/02 03:04:02|d5|");
}

TEST(KeyWordList, LearningMovesAFifthOfTheWay) {
    TKeyWordList list;
    std::string file;
    for (int i = 0; i <= 100; ++i)
        file += "k" + std::to_string(i) + ",Launch,0,,,PC,stamp" + std::to_string(i) + ",d\r\n";
    for (const auto& [from, to] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {4, 3}, {9, 7}, {10, 8}, {100, 80}}) {
        list.LoadFromText(file, "k.txt");
        const std::string moved = Row(list, static_cast<std::size_t>(from));
        list.Learning("K" + std::to_string(from));
        EXPECT_EQ(Row(list, static_cast<std::size_t>(to)), moved) << from;
        // Rows between the two positions move one place back; the others stay.
        for (int i = 0; i <= 100; ++i) {
            const int expected = i < to || i > from ? i : i == to ? from : i - 1;
            ASSERT_EQ(list.KeyWordAt(static_cast<std::size_t>(i)), "k" + std::to_string(expected)) << from;
        }
        ExpectKeysAgree(list);
    }
    EXPECT_EQ(ErrorOf([&] { list.Learning("none"); }), "TKeyWordList::Learning\r\nKeyWordが見つかりません。");
}

TEST(KeyWordList, SearchAndCompletionOncePerKeyword) {
    TKeyWordList list;
    list.LoadFromText("xAbc,,0,,,,,\r\nabcde,,0,,,,,\r\nabd,,0,,,,,\r\n表示,,0,,,,,\r\nＡＢ,,0,,,,,\r\n", "k.txt");

    std::string query;
    auto result = list.Search(query, false, true);
    EXPECT_EQ(result.keywords, "xAbc,abcde,abd,表示,ＡＢ");
    EXPECT_FALSE(result.completed);

    query = "ab";
    EXPECT_EQ(list.Search(query, false, false).keywords, "xAbc,abcde,abd");
    EXPECT_EQ(list.Search(query, true, false).keywords, "abcde,abd");
    EXPECT_EQ(list.Search(query, false, true).keywords, "abcde,abd");
    query = "Ab";
    EXPECT_EQ(list.Search(query, true, false).keywords, "xAbc");  // one match, but from a partial search
    query = "ａｂ";
    EXPECT_EQ(list.Search(query, false, true).keywords, "ＡＢ");
    query = "\\";  // the trail byte of 表 is no character of its own
    EXPECT_EQ(list.Search(query, false, false).keywords, "");
    query = "\x95";  // nor is its lead byte
    EXPECT_EQ(list.Search(query, false, false).keywords, "");

    // Partial matches never run from one keyword into the next, and a keyword matching twice is listed once.
    list.LoadFromText("ab,,0,,,,,\r\ncd,,0,,,,,\r\nxbcbc,,0,,,,,\r\n", "k.txt");
    list.Add("表\x81", "", 0, "");
    query = "bc";
    EXPECT_EQ(list.Search(query, true, false).keywords, "xbcbc");
    query = "bcd";
    EXPECT_EQ(list.Search(query, true, false).keywords, "");
    query = "\x81";  // a lone lead byte only matches a lone lead byte ending the keyword
    EXPECT_EQ(list.Search(query, true, false).keywords, "表\x81");
    list.LoadFromText("xAbc,,0,,,,,\r\nabcde,,0,,,,,\r\nabd,,0,,,,,\r\n", "k.txt");

    query = "ABC";
    result = list.Search(query, false, true);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(query, "abcde");
    EXPECT_EQ(result.keywords, "abcde");
    // The user deletes the completed tail: the same single match completes no more.
    query = "abc";
    result = list.Search(query, false, true);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(query, "abc");
    EXPECT_EQ(result.keywords, "abcde");
    // A search with another number of matches empties the memory; then it completes again.
    query = "ab";
    list.Search(query, false, true);
    EXPECT_EQ(list.CompletionMemory(), "");
    query = "abc";
    EXPECT_TRUE(list.Search(query, false, true).completed);
    EXPECT_EQ(list.CompletionMemory(), "abcde");
}

TEST(KeyWordList, LoadAndSaveKeepTheBytes) {
    TKeyWordList list;
    // CR LF, LF and CR line ends, empty and blank lines, quoted fields and bytes that are not valid CP932.
    list.LoadFromText("a,Launch,0,,,PC,s,d\n\r\n   \r\"b c,\"\"d\"\"\",WEB,1,,,PC,s,\"x y\"\rz\x80\xFF\xA0,,2,,,,,\x81",
                      "k.txt");
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.KeyWordAt(1), "b c,\"d\"");
    EXPECT_EQ(list.DataAt(1), "x y");
    EXPECT_EQ(list.KeyWordAt(2), "z\x80\xFF\xA0");
    EXPECT_EQ(list.DataAt(2), "\x81");
    const std::string saved = list.SaveToText();
    EXPECT_EQ(saved, "a,Launch,0,,,PC,s,d\r\n\"b c,\"\"d\"\"\",WEB,1,,,PC,s,\"x y\"\r\nz\x80\xFF\xA0,,2,,,,,\x81\r\n");
    TKeyWordList again;
    again.LoadFromText(saved, "k.txt");
    EXPECT_EQ(again.SaveToText(), saved);

    // A line break inside a field is written as a space, so the row stays one line.
    Fixture f;
    f.list.Add("two\r\nlines", "Launch", 0, "d");
    EXPECT_EQ(f.list.SaveToText(), "\"two  lines\",Launch,0,,,PC1,\"2026/01/02 03:04:00\",d\r\n");
    EXPECT_EQ(TKeyWordList().SaveToText(), "");
}

TEST(KeyWordList, MalformedLineKeepsTheRowsBeforeIt) {
    TKeyWordList list;
    list.LoadFromText("old,,0,,,,,\r\n", "old.txt");
    const std::string what = ErrorOf(
        [&] { list.LoadFromText("a,,0,,,,,\r\nb,,0,,,,,\r\nc,,0,,,,\r\nd,,0,,,,,\r\n", "C:\\Zanmel\\keyword.txt"); });
    EXPECT_EQ(what, "KeyWordList\r\nC:\\Zanmel\\keyword.txtのデータが不正です。");
    EXPECT_EQ(Keywords(list), "a b ");
    EXPECT_NE(ErrorOf([&] { list.LoadFromText("a,,0,,,,,,\r\n", "k"); }), "(no error)");  // nine fields
}

TEST(KeyWordList, IconLookup) {
    TKeyWordList list;
    list.LoadFromText("Abc,,3,,,,,\r\nx,,1001,,,,,\r\nABC,,5,,,,,\r\nbad,,?,,,,,\r\n", "k.txt");
    EXPECT_EQ(list.IconLookup("abc"), 3);  // without the lookup: the first row
    list.BuildIconLookup();
    EXPECT_EQ(list.IconLookup("aBc"), 5);  // a repeated keyword keeps the last icon number
    EXPECT_EQ(list.IconLookup("X"), 1001);
    EXPECT_EQ(list.IconLookup("unknown"), 0);
    EXPECT_EQ(list.IconLookup("bad"), 0);
    EXPECT_NE(ErrorOf([&] { list.IconNumberOf("bad"); }).find("KeyWordList\r\n"), std::string::npos);
    list.ReleaseIconLookup();
    EXPECT_EQ(list.IconLookup("x"), 1001);
}

TEST(KeyWordList, StampFormat) {
    EXPECT_EQ(FormatStamp({2026, 12, 31, 23, 59, 7}), "2026/12/31 23:59:07");
    const LocalTime now = CurrentLocalTime();
    EXPECT_GE(now.year, 2000);
    EXPECT_EQ(FormatStamp(now).size(), 19u);
}

}  // namespace
}  // namespace zanmel
