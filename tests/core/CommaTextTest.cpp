#include "core/CommaText.h"

#include <gtest/gtest.h>

#include <random>

#include "core/Cp932.h"

namespace zanmel {
namespace {

using Fields = std::vector<std::string>;

TEST(CommaText, JoinQuotesBlanksCommasAndQuotes) {
    EXPECT_EQ(CommaTextJoin({}), "");
    EXPECT_EQ(CommaTextJoin({""}), "\"\"");
    EXPECT_EQ(CommaTextJoin({"", ""}), ",");
    EXPECT_EQ(CommaTextJoin({"a", "", "b"}), "a,,b");
    EXPECT_EQ(CommaTextJoin({"a b", "c,d", "e\"f", "g"}), "\"a b\",\"c,d\",\"e\"\"f\",g");
    EXPECT_EQ(CommaTextJoin({"tab\there", std::string("nul\0x", 5), "\x7F"}),
              "\"tab\there\",\"" + std::string("nul\0x", 5) + "\",\x7F");
    // Trail bytes 0x5C and 0x7C (表, ソ, ポ) are plain characters; a trail byte that looks like a comma, quote or
    // blank does not make the field quoted either.
    EXPECT_EQ(CommaTextJoin({"表ソ", "ポ|", "\x81,", "\x81\"", "\x81 "}), "表ソ,ポ|,\x81,,\x81\",\x81 ");
}

TEST(CommaText, SplitReadsFieldsByCharacter) {
    EXPECT_EQ(CommaTextSplit(""), Fields{});
    EXPECT_EQ(CommaTextSplit("  \t "), Fields{});
    EXPECT_EQ(CommaTextSplit("\"\""), Fields{""});
    EXPECT_EQ(CommaTextSplit(" a , b"), (Fields{"a", "b"}));
    EXPECT_EQ(CommaTextSplit(",a"), (Fields{"", "a"}));
    EXPECT_EQ(CommaTextSplit("a,"), (Fields{"a", ""}));
    EXPECT_EQ(CommaTextSplit("a, "), Fields{"a"});  // the comma is not the last character
    EXPECT_EQ(CommaTextSplit("a,,"), (Fields{"a", "", ""}));
    EXPECT_EQ(CommaTextSplit("a b"), (Fields{"a", "b"}));  // an unquoted space ends a field
    EXPECT_EQ(CommaTextSplit("\"a \"\"b\"\",c\",d"), (Fields{"a \"b\",c", "d"}));
    EXPECT_EQ(CommaTextSplit("\"a\"b"), (Fields{"a", "b"}));
    EXPECT_EQ(CommaTextSplit("表,ソ|,ポ"), (Fields{"表", "ソ|", "ポ"}));
    // Trail bytes are never separators or quotes.
    EXPECT_EQ(CommaTextSplit("\x81,x,y"), (Fields{"\x81,x", "y"}));
    EXPECT_EQ(CommaTextSplit("\"\x81\"\",x"), (Fields{"\x81\"", "x"}));
    // A NUL byte separates like a blank and does not stop or stall the reader.
    EXPECT_EQ(CommaTextSplit(std::string("a\0b,\0c", 6)), (Fields{"a", "b", "c"}));
}

TEST(CommaText, UnclosedQuoteAndLoneLeadByteAtTheEnd) {
    EXPECT_EQ(CommaTextSplit("x,\"abc,d e"), (Fields{"x", "abc,d e"}));
    EXPECT_EQ(CommaTextSplit("\"a\"\"b"), Fields{"a\"b"});
    EXPECT_EQ(CommaTextSplit("ab\x81"), Fields{"ab\x81"});
    EXPECT_EQ(CommaTextSplit("\"a b\x81"), Fields{"a b\x81"});
    EXPECT_EQ(CommaTextSplit("\x81"), Fields{"\x81"});

    // A lone lead byte ending the last field is kept; a quoted one goes without the closing quote that the lead
    // byte would swallow. Elsewhere it is dropped, as it would swallow the comma.
    EXPECT_EQ(CommaTextJoin({"c", "ab\x81"}), "c,ab\x81");
    EXPECT_EQ(CommaTextJoin({"c", "a b\x81"}), "c,\"a b\x81");
    EXPECT_EQ(CommaTextSplit(CommaTextJoin({"c", "a \"b\x81"})), (Fields{"c", "a \"b\x81"}));
    EXPECT_EQ(CommaTextJoin({"ab\x81", "c"}), "ab,c");
    EXPECT_EQ(CommaTextJoin({"\x81", "c"}), ",c");
    EXPECT_EQ(CommaTextJoin({"\x81\x81\x81", "c"}), "\x81\x81,c");
}

// Random field lists over the bytes that matter to the rules.
Fields RandomFields(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "a",    "Z",    " ",    "\t",   ",",    "\"",   std::string(1, '\0'),
        "\x81", "\x9F", "\xE0", "\xFC", "\x5C", "\x7C", "表",
        "ソ",   "\xA0", "\xFF", "\x80", "\xB1", "\r",   "\n"};
    Fields fields(random() % 6);
    for (auto& field : fields) {
        const int length = static_cast<int>(random() % 7);
        for (int i = 0; i < length; ++i) field += pieces[random() % pieces.size()];
    }
    return fields;
}

TEST(CommaText, JoinOfSplitOfJoinIsStable) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        const Fields fields = RandomFields(random);
        const std::string joined = CommaTextJoin(fields);
        const Fields back = CommaTextSplit(joined);
        ASSERT_EQ(CommaTextJoin(back), joined) << "round " << round;
        // Fields survive whole unless a lead byte ends a field that is not the last one.
        bool faithful = true;
        for (std::size_t i = 0; i + 1 < fields.size(); ++i) faithful &= !cp932::EndsWithLoneLeadByte(fields[i]);
        if (faithful) {
            ASSERT_EQ(back, fields) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace zanmel
