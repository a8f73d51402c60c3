#include "core/TextLines.h"
#include "skin/SkinDescription.h"

#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "core/ZanmelError.h"

namespace zanmel::skin {
namespace {

using test::ScriptedUserInterface;

TEST(SkinDescriptionGrammar, OnlyLinesOfTwoFieldsCountAndTheFirstKeyWins) {
    const SkinKeyValues keys = ParseSkinDescription(
        "name,Blue Sky\r\n"  // three fields: ignored
        "single\r\n"         // one field
        "\r\n"
        "Name,\"Blue, \"\"Sky\"\"\"\r\n"  // quoted value with a comma and quotes
        "NAME,second\r\n"
        "empty,\r\n"            // a closing comma adds an empty field
        "  spaced   value  \n"  // blanks separate fields like commas
        "last,line");
    ASSERT_NE(keys.Find("name"), nullptr);
    EXPECT_EQ(*keys.Find("name"), "Blue, \"Sky\"");
    ASSERT_NE(keys.Find("EMPTY"), nullptr);
    EXPECT_EQ(*keys.Find("empty"), "");
    ASSERT_NE(keys.Find("spaced"), nullptr);
    EXPECT_EQ(*keys.Find("spaced"), "value");
    EXPECT_EQ(*keys.Find("last"), "line");
    EXPECT_EQ(keys.Find("single"), nullptr);
    EXPECT_EQ(keys.Pairs().size(), 5u);
}

TEST(SkinDescriptionGrammar, HeaderLinesSplitAtTheFirstCommaAndKeepQuotes) {
    const SkinKeyValues keys = ParseSkinHeaderLines("name , Blue Sky, again \r\nq,\"quoted\"\r\nnocomma\r\nname,x");
    EXPECT_EQ(*keys.Find("NAME"), "Blue Sky, again");
    EXPECT_EQ(*keys.Find("q"), "\"quoted\"");
    EXPECT_EQ(keys.Pairs().size(), 3u);
}

TEST(SkinHeaderReader, TypeAndKeysIgnoreLetterCase) {
    ScriptedUserInterface ui;
    const auto header = ReadSkinHeader("TYPE,SKIN\r\nNAME,空\r\nCRAFTMAN,作者\r\n", ui);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->name, "空");
    EXPECT_EQ(header->maker, "作者");
    EXPECT_TRUE(ui.Calls().empty());
}

TEST(SkinHeaderReader, SkipsOtherTypesSilentlyAndReportsMissingKeys) {
    ScriptedUserInterface ui;
    EXPECT_FALSE(ReadSkinHeader("type,theme\r\nname,a\r\ncraftman,b", ui));
    EXPECT_FALSE(ReadSkinHeader("name,a\r\ncraftman,b", ui));
    EXPECT_TRUE(ui.Calls().empty());

    ui.ExpectMessage();
    ui.ExpectMessage();
    EXPECT_FALSE(ReadSkinHeader("type,skin\r\ncraftman,b", ui));
    EXPECT_FALSE(ReadSkinHeader("type,skin\r\nname,a\r\ncraftmanurl,x", ui));
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"『Name』は省略できません。",
                                                       "『craftman』,『craftmanw』のいずれかが必須です。"}));
}

TEST(SkinHeaderReader, MakerPrefersANonEmptyCraftmanW) {
    ScriptedUserInterface ui;
    EXPECT_EQ(ReadSkinHeader("type,skin\r\nname,a\r\ncraftman,b\r\ncraftmanw,w", ui)->maker, "w");
    EXPECT_EQ(ReadSkinHeader("type,skin\r\nname,a\r\ncraftman,b\r\ncraftmanw,", ui)->maker, "b");
    EXPECT_EQ(ReadSkinHeader("type,skin\r\nname,a\r\ncraftmanw,w", ui)->maker, "w");
    // The first of repeated lines wins here too.
    EXPECT_EQ(ReadSkinHeader("type,skin\r\nname,first\r\nname,second\r\ncraftman,b", ui)->name, "first");
}

TEST(SkinValues, IntegersAreDecimalAndAnythingElseNamesTheText) {
    EXPECT_EQ(ParseSkinInteger("12"), 12);
    EXPECT_EQ(ParseSkinInteger("-1"), -1);
    EXPECT_EQ(ParseSkinInteger("+7"), 7);
    EXPECT_EQ(ParseSkinInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "1a", "0x10", "2147483648", "99999999999999999999", "1 2"}) {
        try {
            ParseSkinInteger(bad);
            ADD_FAILURE() << bad;
        } catch (const ZanmelError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' は整数ではありません");
        }
    }
}

TEST(SkinValues, BooleansChangeTheirDefaultOnlyByTheOppositeWord) {
    SkinKeyValues keys = ParseSkinDescription("a,TRUE\r\nb,yes\r\nc,no\r\nd,False\r\ne,\r\n");
    EXPECT_TRUE(ReadSkinBool(keys, "a", false));
    EXPECT_FALSE(ReadSkinBool(keys, "b", false));
    EXPECT_TRUE(ReadSkinBool(keys, "c", true));
    EXPECT_FALSE(ReadSkinBool(keys, "d", true));
    EXPECT_TRUE(ReadSkinBool(keys, "e", true));
    EXPECT_FALSE(ReadSkinBool(keys, "missing", false));
}

TEST(SkinValues, LinesEndAtAnyLineBreak) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd\r\n"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (std::vector<std::string_view>{"", ""}));
}

}  // namespace
}  // namespace zanmel::skin
