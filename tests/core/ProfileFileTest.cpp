#include "core/ProfileFile.h"

#include <gtest/gtest.h>

#include <string>

namespace zanmel {
namespace {

TEST(ProfileFile, ReadsNamesAndValuesLikeWindows) {
    ProfileFile file(
        "Orphan=1\r\n"
        "[setting]\r\n"
        "  ForeCaseSensitive =  7  \r\n"
        "forecasesensitive=8\r\n"
        ";GoTaskTray=1\r\n"
        "DefaultSkinName=\"Blue Sky\"\r\n"
        "Half='quoted\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "[Other]\r\n"
        "Key=other\r\n"
        "[SETTING]\r\n"
        "Later=1\r\n");
    // Names without regard to case; surrounding blanks trimmed; the first key of a name counts.
    EXPECT_EQ(file.ReadInteger("Setting", "FORECASESENSITIVE", -1), 7);
    // A commented-out key, a key in a later section of the same name and a key before any section are unseen.
    EXPECT_FALSE(file.HasKey("Setting", "GoTaskTray"));
    EXPECT_FALSE(file.HasKey("Setting", "Later"));
    EXPECT_FALSE(file.HasKey("", "Orphan"));
    EXPECT_FALSE(file.HasKey("Setting", "NoEquals"));
    // One pair of matching quotes is removed; an unmatched quote stays.
    EXPECT_EQ(file.ReadString("Setting", "DefaultSkinName", "x"), "Blue Sky");
    EXPECT_EQ(file.ReadString("Setting", "Half", "x"), "'quoted");
    // An empty value is a value for texts but no number.
    EXPECT_EQ(file.ReadString("Setting", "Empty", "x"), "");
    EXPECT_EQ(file.ReadInteger("Setting", "Empty", 5), 5);
    EXPECT_EQ(file.ReadString("Other", "Key", "x"), "other");
    EXPECT_EQ(file.ReadString("Missing", "Key", "デフォルト"), "デフォルト");
}

TEST(ProfileFile, IntegersAndBooleans) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"0x1F", 31},       {"0X1f", 31},      {"12abc", 12},    {"abc", -7},    {"-5", -5},  {"+7", 7},   {"0x", 0},
        {"0xFFFFFFFF", -1}, {"4294967297", 1}, {"65601", 65601}, {"-0x10", -16}, {" 42", 42}, {"x12", -7}, {"-", -7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseProfileInteger(c.text, -7), c.expected) << c.text;
    }
    ProfileFile file("[S]\r\nTwo=2\r\nZero=0\r\nJunk=yes\r\nHex=0x0\r\n");
    EXPECT_TRUE(file.ReadBool("S", "Two", false));
    EXPECT_FALSE(file.ReadBool("S", "Zero", true));
    EXPECT_FALSE(file.ReadBool("S", "Hex", true));
    // A value with no number gives the default, as a missing key does.
    EXPECT_TRUE(file.ReadBool("S", "Junk", true));
    EXPECT_FALSE(file.ReadBool("S", "Junk", false));
    EXPECT_TRUE(file.ReadBool("S", "Missing", true));
}

TEST(ProfileFile, LongTextsAreCutWithoutSplittingACharacter) {
    std::string ascii(3000, 'a');
    ProfileFile file("[S]\r\nLong=" + ascii + "\r\n");
    EXPECT_EQ(file.ReadString("S", "Long", ""), std::string(2047, 'a'));

    // Byte 2047 would be the lead byte of "あ": the text stops before the character.
    std::string kana = std::string(2046, 'b') + "あいう";
    file.WriteString("S", "Kana", kana);
    EXPECT_EQ(file.ReadString("S", "Kana", ""), std::string(2046, 'b'));
    EXPECT_EQ(file.ReadString("S", "Missing", kana).size(), 2046u);
    // "ソ" ends in 0x5C: 2045 bytes plus a full "ソ" fit exactly.
    std::string so = std::string(2045, 'c') + "ソソ";
    file.WriteString("S", "So", so);
    EXPECT_EQ(file.ReadString("S", "So", ""), std::string(2045, 'c') + "ソ");
}

TEST(ProfileFile, DoubleByteNamesAreScannedByCharacter) {
    // "‐" is 0x81 0x5D: its trail byte is "]", yet "[‐" is no section header, so Key stays in [Setting].
    ProfileFile file("[Setting]\r\n[‐\r\nKey=1\r\n[表‐]\r\nInner=2\r\n");
    EXPECT_EQ(file.ReadInteger("Setting", "Key", 0), 1);
    EXPECT_EQ(file.ReadInteger("表‐", "Inner", 0), 2);
    // Trail bytes that look like capitals are not folded: "ア" (0x83 0x41) and "ャ" (0x83 0x61) differ.
    file.WriteString("Kana", "ア", "upper");
    file.WriteString("Kana", "ャ", "lower");
    EXPECT_EQ(file.ReadString("Kana", "ア", ""), "upper");
    EXPECT_EQ(file.ReadString("Kana", "ャ", ""), "lower");
    // Full-width letters are folded like ASCII ones.
    file.WriteString("Kana", "ＡＢ", "wide");
    EXPECT_EQ(file.ReadString("kana", "ａｂ", ""), "wide");
}

TEST(ProfileFile, WritingKeepsEverythingElse) {
    const std::string original =
        "; global settings\r\n"
        "[Setting]\r\n"
        "ForeCaseSensitive = 0\r\n"
        "garbage line\r\n"
        "\r\n"
        "[BackUp]\r\n"
        "Folder=D:\\Backup\r\n";
    ProfileFile file(original);
    EXPECT_EQ(file.ToBytes(), original);  // an unchanged file round-trips byte for byte

    file.WriteInteger("setting", "forecasesensitive", 1);
    file.WriteBool("Setting", "GoTaskTray", true);
    file.WriteInteger("SpeedUp", "NoUseIcon", 0);
    file.WriteBool("BackUp", "Auto", false);
    EXPECT_EQ(file.ToBytes(),
              "; global settings\r\n"
              "[Setting]\r\n"
              "ForeCaseSensitive = 1\r\n"
              "garbage line\r\n"
              "GoTaskTray=1\r\n"
              "\r\n"
              "[BackUp]\r\n"
              "Folder=D:\\Backup\r\n"
              "Auto=0\r\n"
              "[SpeedUp]\r\n"
              "NoUseIcon=0\r\n");

    // Line ends of any kind are read and written back as CR LF.
    EXPECT_EQ(ProfileFile("[A]\nX=1\rY=2").ToBytes(), "[A]\r\nX=1\r\nY=2\r\n");
    EXPECT_EQ(ProfileFile("").ToBytes(), "");
    ProfileFile fresh;
    fresh.WriteString("A", "K", "v");
    EXPECT_EQ(fresh.ToBytes(), "[A]\r\nK=v\r\n");
}

TEST(ProfileFile, QuotedValuesReadBackAsWritten) {
    ProfileFile file;
    for (const std::string value : {"\"My Docs\",\"Old Files\"", "'x'", " \"a\" ", "\"", "plain \"inner\" text"}) {
        file.WriteString("BackUp", "DirList", value);
        EXPECT_EQ(ProfileFile(file.ToBytes()).ReadString("BackUp", "DirList", ""), value) << value;
    }
    file.WriteString("BackUp", "DirList", "\"a\",\"b\"");
    EXPECT_EQ(file.ToBytes(), "[BackUp]\r\nDirList=\"\"a\",\"b\"\"\r\n");
    // What the platform's reader takes the quotes from is read the same way.
    EXPECT_EQ(ProfileFile("[A]\r\nK= \"quoted\" \r\n").ReadString("A", "K", ""), "quoted");
}

TEST(ProfileFile, ValuesCannotBreakTheFileApart) {
    const char evil[] = "evil\r\n[Setting]\r\nGoTaskTray=1\0x";
    ProfileFile file;
    file.WriteString("Setting", "DefaultSkinName", std::string_view(evil, sizeof evil - 1));
    EXPECT_FALSE(file.HasKey("Setting", "GoTaskTray"));
    ProfileFile reread(file.ToBytes());
    EXPECT_FALSE(reread.HasKey("Setting", "GoTaskTray"));
    EXPECT_EQ(reread.ReadString("Setting", "DefaultSkinName", ""), "evil[Setting]GoTaskTray=1x");
}

TEST(ProfileFile, BadInputLoadsWithDefaults) {
    const char raw[] = "[Setting]\r\nVK=6\0005\r\nImeMode=\0\r\n[HotKey\0Zanmel]\r\nUse=1\r\n";
    std::string withNul(raw, sizeof raw - 1);
    ProfileFile nul(withNul);
    EXPECT_EQ(nul.ReadInteger("Setting", "VK", 0), 6);
    EXPECT_EQ(nul.ReadInteger("Setting", "ImeMode", 3), 3);
    EXPECT_FALSE(nul.HasKey("HotKeyZanmel", "Use"));
    EXPECT_EQ(nul.ToBytes(), withNul);

    ProfileFile unclosed("[Setting\r\nGoTaskTray=1\r\n[\r\n]\r\n[]=x\r\n");
    EXPECT_FALSE(unclosed.HasKey("Setting", "GoTaskTray"));
    EXPECT_EQ(unclosed.ReadString("", "x", "d"), "d");

    // A megabyte of lines that are no profile lines, and one megabyte line.
    std::string noise;
    for (int i = 0; noise.size() < (1u << 20); ++i) noise += "\x81[=]]\xFC" + std::to_string(i) + "\n";
    ProfileFile big(noise + "[Setting]\nForeCaseSensitive=1\n");
    EXPECT_TRUE(big.ReadBool("Setting", "ForeCaseSensitive", false));
    ProfileFile oneLine(std::string(1u << 20, '['));
    EXPECT_EQ(oneLine.ReadInteger("Setting", "VK", 9), 9);
    oneLine.WriteInteger("Setting", "VK", 1);
    EXPECT_EQ(ProfileFile(oneLine.ToBytes()).ReadInteger("Setting", "VK", 9), 1);
}

}  // namespace
}  // namespace zanmel
