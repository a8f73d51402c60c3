#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

// "表", "ソ" and "能" end in the byte 0x5C ("\"); "ー" ends in 0x5B. A byte-wise scan would break them.
TEST(TextCodec, TrailByte5CCharactersConvertBothWays) {
    const std::string hyouji = "表示";  // 95 5C 8E A6
    const std::string soft = "ソフト";  // 83 5C 83 74 83 67
    const std::string nouryoku = "能力";
    ASSERT_EQ(hyouji, "\x95\x5C\x8E\xA6");
    EXPECT_EQ(ToWide(hyouji), L"\u8868\u793A");
    EXPECT_EQ(ToWide(soft), L"\u30BD\u30D5\u30C8");
    EXPECT_EQ(ToWide(nouryoku), L"\u80FD\u529B");
    for (const std::string& text : {hyouji, soft, nouryoku, std::string("C:\\ソフト\\表示.txt")}) {
        EXPECT_EQ(ToCp932(ToWide(text)), text);
    }
    EXPECT_EQ(ToWide("C:\\ソフト\\表示.txt"), L"C:\\\u30BD\u30D5\u30C8\\\u8868\u793A.txt");
    EXPECT_EQ(ToWide(""), L"");
    EXPECT_EQ(ToCp932(L""), "");
}

// Text shown on screen may lose bytes that are not CP932, but a data file is read and written as bytes, so such
// bytes survive a read-modify-write unchanged.
TEST(TextCodec, InvalidCp932BytesSurviveReadModifyWriteOfADataFile) {
    const std::string invalid = "bad\x85\x40|\xFD\xFE\xFF|\x81|lead-at-end\x82";
    test::TempFolder folder;
    const std::string path = folder / "keyword.txt";
    test::WritePlainFile(path, "first," + invalid + "\r\n");

    auto bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes.has_value());
    *bytes += "second,\x95\x5C\r\n";
    WriteFileAtomically(path, *bytes);
    EXPECT_EQ(ReadFileBytes(path), "first," + invalid + "\r\nsecond,\x95\x5C\r\n");

    // Conversion of such bytes never crashes and yields something to show.
    EXPECT_FALSE(ToWide(invalid).empty());
    EXPECT_FALSE(ToCp932(std::wstring(L"\xD800x")).empty());  // lone surrogate
}

}  // namespace zanmel::platform

namespace zanmel::platform {

// The UTF-8 character set of web searches goes through the system's conversion; the record's encoder then
// percent-encodes the bytes.
TEST(TextCodec, WebSearchTextInUtf8) {
    Win32Cp932Codec codec;
    EXPECT_EQ(codec.Cp932ToUtf8("表示"), "\xE8\xA1\xA8\xE7\xA4\xBA");
    EXPECT_EQ(codec.Cp932ToUtf8("a b"), "a b");
    EXPECT_EQ(codec.Cp932ToUtf8(""), "");
    EXPECT_FALSE(codec.Cp932ToUtf8("\x81").empty());  // a lone lead byte still gives something

    TLaunchWordData2 record;
    record.path = "http://example.com/?q=$URL_DIRECT$";
    record.flags = TLaunchWordData2::kUrlDirect | (TLaunchWordData2::kUtf8 * 8);
    record.PutSearchText("あ a", codec);
    EXPECT_EQ(record.path, "http://example.com/?q=%E3%81%82+%61");
}

}  // namespace zanmel::platform
