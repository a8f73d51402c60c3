#include "core/LaunchWordData.h"

#include <gtest/gtest.h>

#include "IconvCp932Codec.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

TLaunchWordData2 Record(std::string path, std::int32_t flags = 0) {
    TLaunchWordData2 record;
    record.path = std::move(path);
    record.flags = flags;
    return record;
}

std::string ParseError(std::string_view text) {
    try {
        TLaunchWordData2::Parse(text);
    } catch (const ZanmelError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(LaunchWordData, RecordTextBothWays) {
    const TLaunchWordData2 defaults;
    EXPECT_EQ(defaults.ToText(), "open,,,,1,0");
    EXPECT_EQ(TLaunchWordData2::Parse("open,,,,1,0"), defaults);

    TLaunchWordData2 record;
    record.verb = "edit";
    record.path = "C:\\Program Files\\a,b\\表 \"x\".exe";
    record.parameters = "-n \"file\"";
    record.workingFolder = "..\\work";
    record.showMode = 3;
    record.flags = -12;
    EXPECT_EQ(record.ToText(), "edit,\"C:\\Program Files\\a,b\\表 \"\"x\"\".exe\",\"-n \"\"file\"\"\",..\\work,3,-12");
    EXPECT_EQ(TLaunchWordData2::Parse(record.ToText()), record);
    EXPECT_EQ(TLaunchWordData2::Parse("open,x,,,5,12,extra,more").flags, 12);  // fields beyond six ignored
}

TEST(LaunchWordData, MalformedRecordTextFailsAndLeavesTheRecord) {
    EXPECT_EQ(ParseError("open,,,,1"), "TLaunchWordData2\r\n起動データの項目が足りません (5 個、6 個必要)。");
    EXPECT_EQ(ParseError(""), "TLaunchWordData2\r\n起動データの項目が足りません (0 個、6 個必要)。");
    EXPECT_EQ(ParseError("open,,,,SW_HIDE,0"), "TLaunchWordData2\r\n起動データの表示モードが整数ではありません。");
    EXPECT_EQ(ParseError("open,,,,1,"), "TLaunchWordData2\r\n起動データのフラグが整数ではありません。");
    EXPECT_EQ(ParseError("open,,,,1,\" 1\""), "TLaunchWordData2\r\n起動データのフラグが整数ではありません。");
    EXPECT_EQ(ParseError("open,,,,1,2147483648"), "TLaunchWordData2\r\n起動データのフラグが整数ではありません。");
    EXPECT_EQ(TLaunchWordData2::Parse("open,,,,-2147483648,2147483647").showMode, INT32_MIN);

    TLaunchWordData2 record = Record("kept");
    EXPECT_THROW(record.FromText("open,,,,x,0"), ZanmelError);
    EXPECT_EQ(record.path, "kept");
}

TEST(LaunchWordData, ShowModeTables) {
    const std::pair<const char*, int> table[] = {
        {"SW_SHOWNORMAL", 1},      {"SW_HIDE", 0},          {"SW_MAXIMIZE", 3},
        {"SW_MINIMIZE", 6},        {"SW_RESTORE", 9},       {"SW_SHOW", 5},
        {"SW_SHOWDEFAULT", 10},    {"SW_SHOWMAXIMIZED", 3}, {"SW_SHOWMINIMIZED", 2},
        {"SW_SHOWMINNOACTIVE", 7}, {"SW_SHOWNA", 8},        {"SW_SHOWNOACTIVATE", 4}};
    for (const auto& [name, number] : table) {
        EXPECT_EQ(TLaunchWordData2::ShowModeFromName(name), number) << name;
        if (std::string_view(name) != "SW_SHOWMAXIMIZED") {
            EXPECT_EQ(TLaunchWordData2::ShowModeNameOf(number), name);
        }
    }
    TLaunchWordData2 record;
    record.SetShowModeByName("SW_SHOWMAXIMIZED");
    EXPECT_EQ(record.showMode, 3);
    EXPECT_EQ(record.ShowModeName(), "SW_MAXIMIZE");
    record.SetShowModeByName("sw_hide");
    EXPECT_EQ(record.showMode, 1);
    EXPECT_EQ(TLaunchWordData2::ShowModeNameOf(11), "SW_SHOWNORMAL");
    EXPECT_EQ(TLaunchWordData2::ShowModeNameOf(-1), "SW_SHOWNORMAL");
}

TEST(LaunchWordData, FlagsAndClassify) {
    EXPECT_TRUE(Record("", 1).IsMailAddress());
    EXPECT_TRUE(Record("", 2).IsBareArgument());
    EXPECT_TRUE(Record("", 12).IsUrlDirect());
    EXPECT_EQ(Record("", 12).CharacterSet(), 1);
    EXPECT_EQ(Record("", 16).CharacterSet(), 2);
    EXPECT_EQ(Record("", 24).CharacterSet(), 0);
    EXPECT_EQ(Record("", 56).CharacterSet(), 0);
    EXPECT_EQ(Record("", 7).CharacterSet(), 0);
    TLaunchWordData2 web = Record("", 4 | 16 | 64);
    web.SetCharacterSet(1);
    EXPECT_EQ(web.flags, 4 | 8 | 64);
    web.SetCharacterSet(5);
    EXPECT_EQ(web.flags, 4 | 64);

    EXPECT_EQ(Record("http://example.com", 1).Classify(), LaunchTarget::MailAddress);
    EXPECT_EQ(Record("http://example.com").Classify(), LaunchTarget::WebAddress);
    EXPECT_EQ(Record("HTTP://example.com").Classify(), LaunchTarget::File);
    EXPECT_EQ(Record("https://example").Classify(), LaunchTarget::Other);  // not a web address by the rule
    EXPECT_EQ(Record("C:\\tools\\app.exe").Classify(), LaunchTarget::File);
    EXPECT_EQ(Record("C:\\my.folder").Classify(), LaunchTarget::File);
    EXPECT_EQ(Record("C:\\docs.d\\readme").Classify(), LaunchTarget::Other);
    EXPECT_EQ(Record("D:").Classify(), LaunchTarget::Other);
    EXPECT_EQ(Record("a.b:readme").Classify(), LaunchTarget::Other);
    // The trail byte 0x5C of 表 is not a folder separator.
    EXPECT_EQ(Record("C:\\dir\\a.表").Classify(), LaunchTarget::File);
}

TEST(LaunchWordData, EucJpConversion) {
    EXPECT_EQ(Cp932ToEucJp("あア表ポ"), "\xA4\xA2\xA5\xA2\xC9\xBD\xA5\xDD");
    EXPECT_EQ(Cp932ToEucJp("\xE0\x40\xEA\xA4"), "\xDF\xA1\xF4\xA6");
    EXPECT_EQ(Cp932ToEucJp("a\xB1z"), "a?z");  // half-width katakana
    EXPECT_EQ(Cp932ToEucJp("\x81\x20\xF0\x40"), "\x80\x80\x80\x80");
    EXPECT_EQ(Cp932ToEucJp("\xA0\x80\xFF"), "\xA0\x80\xFF");
    EXPECT_EQ(Cp932ToEucJp("ab\x81"), "ab?");  // a lone lead byte: nothing read past the end, no growth
}

TEST(LaunchWordData, EncodeAndPutSearchText) {
    const test::IconvCp932Codec codec;
    for (const std::int32_t flags : {0, 8, 16}) {
        EXPECT_EQ(Record("", flags).EncodeSearchText("a b.c", codec), "%61+%62.%63") << flags;
    }
    EXPECT_EQ(Record("", 0).EncodeSearchText("あ_-~\t\x01", codec), "%82%A0_-%7E%09%01");
    EXPECT_EQ(Record("", 8).EncodeSearchText("あ表", codec), "%E3%81%82%E8%A1%A8");
    EXPECT_EQ(Record("", 16).EncodeSearchText("あｱ", codec), "%A4%A2%3F");

    // At most 1023 bytes; the byte that would go beyond is dropped with the rest.
    EXPECT_EQ(PercentEncode(std::string(400, 'a')).size(), 1023u);
    EXPECT_EQ(PercentEncode(std::string(341, 'a') + "."), PercentEncode(std::string(341, 'a')));
    EXPECT_EQ(PercentEncode(std::string(340, 'a') + "...").size(), 1023u);
    EXPECT_EQ(PercentEncode(std::string(340, 'a') + "..a").size(), 1022u);

    TLaunchWordData2 web = Record("http://s/?q=$URL_DIRECT$&r=$URL_DIRECT$&$url_direct$", 12);
    web.PutSearchText("あ", codec);
    EXPECT_EQ(web.path, "http://s/?q=%E3%81%82&r=%E3%81%82&$url_direct$");
}

TEST(LaunchWordData, DetectCharacterSetAndMakeTemplate) {
    const std::string sjis = "%82%A0%82%A0%82%A0%82%A0%82%A0";
    const std::string utf8 = "%E3%81%82%E3%81%82%E3%81%82%E3%81%82%E3%81%82";
    const std::string euc = "%A4%A2%A4%A2%A4%A2%A4%A2%A4%A2";
    EXPECT_EQ(DetectCharacterSet("http://s/?q=" + utf8 + "&x=" + euc), 2);
    EXPECT_EQ(DetectCharacterSet("http://s/?q=" + utf8 + "&x=" + sjis), 0);
    EXPECT_EQ(DetectCharacterSet("http://s/?q=%e3%81%82%e3%81%82%e3%81%82%e3%81%82%E3%81%82"), 1);
    EXPECT_EQ(DetectCharacterSet("http://s/?q=abc"), 0);

    EXPECT_EQ(MakeTemplate("http://s/?q=" + utf8 + "&p=%e3%81%82%e3%81%82%e3%81%82%e3%81%82%e3%81%82", 1),
              "http://s/?q=$URL_DIRECT$&p=$URL_DIRECT$");
    EXPECT_EQ(MakeTemplate("q=%a4%a2%A4%A2%a4%a2%a4%a2%a4%a2", 2), "q=%a4%a2%A4%A2%a4%a2%a4%a2%a4%a2");
    EXPECT_EQ(MakeTemplate("q=" + sjis, 2), "q=" + sjis);
    EXPECT_EQ(MakeTemplate("q=" + sjis, 0), "q=$URL_DIRECT$");
    EXPECT_EQ(MakeTemplate("q=" + sjis, 3), "Error");
    EXPECT_EQ(MakeTemplate("q=" + sjis, -1), "Error");
}

}  // namespace
}  // namespace zanmel
