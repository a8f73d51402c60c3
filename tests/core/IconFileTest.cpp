#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "RecordingShell.h"
#include "core/IconCache.h"
#include "core/IconFile.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

CapturedIcon Pattern(int w, int h) {
    CapturedIcon icon;
    icon.width = w;
    icon.height = h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            icon.colour.push_back(static_cast<std::uint32_t>((x << 16) | (y << 8) | 0x7F));
            icon.maskSet.push_back(x == 0 || y == 0 ? 1 : 0);  // left column and top row transparent
        }
    }
    return icon;
}

TEST(IconFile, SixteenBySixteenLayout) {
    const std::string bytes = IconFileBytes(Pattern(16, 16));
    ASSERT_EQ(bytes.size(), 1150u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
    EXPECT_EQ(bytes.substr(6, 8), std::string("\x10\x10\0\0\0\0\0\0", 8));
    EXPECT_EQ(Read32(bytes, 14), 1128u);
    EXPECT_EQ(Read32(bytes, 18), 22u);
    EXPECT_EQ(Read32(bytes, 22), 40u);
    EXPECT_EQ(Read32(bytes, 26), 16u);
    EXPECT_EQ(Read32(bytes, 30), 32u);          // colour and mask together
    EXPECT_EQ(Read32(bytes, 34), 0x00200001u);  // planes 1, 32 bits per pixel
    EXPECT_EQ(Read32(bytes, 42), 1128u - 40u);  // image size without the header
    EXPECT_EQ(bytes.substr(46, 16), std::string(16, '\0'));
    // First colour pixel is the bottom-left one: x 0, y 15 as blue, green, red, 0.
    EXPECT_EQ(bytes.substr(62, 4), std::string("\x7F\x0F\0\0", 4));
    // The top-right pixel is the last colour pixel.
    EXPECT_EQ(bytes.substr(62 + 1024 - 4, 4), std::string("\x7F\0\x0F\0", 4));
    // Mask rows bottom-up, 2 bytes of bits and 2 bytes 0xFF each; the top row is all transparent.
    const std::string mask = bytes.substr(62 + 1024);
    ASSERT_EQ(mask.size(), 64u);
    EXPECT_EQ(mask.substr(0, 4), std::string("\x80\x00\xFF\xFF", 4));
    EXPECT_EQ(mask.substr(60, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    for (std::size_t row = 0; row < 16; ++row) EXPECT_EQ(mask.substr(row * 4 + 2, 2), "\xFF\xFF") << row;
}

TEST(IconFile, OtherSizesAndCursors) {
    CapturedIcon big = Pattern(32, 32);
    const std::string bytes = IconFileBytes(big);
    EXPECT_EQ(bytes.size(), 62u + 4096u + 128u);  // no padding: 32-pixel rows already fill 4 bytes
    EXPECT_EQ(Read32(bytes, 14), 4096u + 128u + 40u);

    CapturedIcon cursor = Pattern(16, 16);
    cursor.cursor = true;
    cursor.hotSpotX = 3;
    cursor.hotSpotY = 9;
    const std::string cursorBytes = IconFileBytes(cursor);
    EXPECT_EQ(cursorBytes[2], 2);
    EXPECT_EQ(cursorBytes.substr(10, 4), std::string("\3\0\x09\0", 4));
}

// A written 16 x 16 icon reads back pixel for pixel; anything else is left to the platform's loader.
TEST(IconFile, SmallIconsReadBackAndOtherFilesAreNotTaken) {
    CapturedIcon icon = Pattern(16, 16);
    icon.maskSet[5 * 16 + 9] = 1;  // a pixel inside, to tell rows and bit order apart
    const std::string bytes = IconFileBytes(icon);
    const auto read = ReadSmallIconFile(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 16);
    EXPECT_EQ(read->height, 16);
    EXPECT_FALSE(read->cursor);
    EXPECT_EQ(read->colour, icon.colour);
    EXPECT_EQ(read->maskSet, icon.maskSet);

    CapturedIcon cursor = Pattern(16, 16);
    cursor.cursor = true;
    EXPECT_FALSE(ReadSmallIconFile(IconFileBytes(cursor)));
    EXPECT_FALSE(ReadSmallIconFile(IconFileBytes(Pattern(32, 32))));
    EXPECT_FALSE(ReadSmallIconFile(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(ReadSmallIconFile(bytes + "x"));
    EXPECT_FALSE(ReadSmallIconFile(""));
    for (const std::size_t at : {4u, 6u, 18u, 22u, 30u, 36u, 38u}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] + 1);
        EXPECT_FALSE(ReadSmallIconFile(changed)) << at;
    }
}

class IconCacheTest : public ::testing::Test {
protected:
    test::FakeFiles files;
    test::RecordingShell shell{files};
    IconCache cache{shell, files};
    const std::string folder = "X:\\Zanmel\\data\\portable\\icon";
};

TEST_F(IconCacheTest, NumbersFillTheLowestGapFrom1000) {
    EXPECT_EQ(cache.MakeIconFile(folder, "a.exe"), 1000);
    EXPECT_EQ(cache.MakeIconFile(folder, "b.exe"), 1001);
    EXPECT_EQ(cache.MakeIconFile(folder, "c.exe"), 1002);
    EXPECT_EQ(files.files.at(folder + "\\1001.ico").size(), 1150u);
    cache.RemoveIconFile(folder, 1001);
    EXPECT_EQ(files.files.count(folder + "\\1001.ico"), 0u);
    EXPECT_EQ(cache.MakeIconFile(folder, "d.exe"), 1001);
}

TEST_F(IconCacheTest, RemoveFailuresAndBuiltInNumbers) {
    files.files[folder + "\\999.ico"] = "x";
    files.files["defaulticon\\4.ico"] = "x";
    cache.RemoveIconFile(folder, 999);
    cache.RemoveIconFile(folder, 4);
    EXPECT_EQ(files.files.size(), 2u);
    try {
        cache.RemoveIconFile(folder, 1000);
        FAIL() << "missing file removed";
    } catch (const ZanmelError& e) {
        EXPECT_STREQ(e.what(), "IconControl\r\nFileが削除できません。");
    }
}

TEST_F(IconCacheTest, UncapturableIconMakesNoFile) {
    shell.withoutIcon.insert("Q:\\none.exe");
    try {
        cache.MakeIconFile(folder, "Q:\\none.exe");
        FAIL() << "no icon but a number";
    } catch (const ZanmelError& e) {
        EXPECT_EQ(std::string(e.what()), "GetIconInfoに失敗\r\nFileName:" + folder + "\\1000.ico");
    }
    EXPECT_TRUE(files.files.empty());
    files.unwritable = folder + "\\1000.ico";
    try {
        cache.MakeIconFile(folder, "a.exe");
        FAIL() << "unwritable file";
    } catch (const ZanmelError& e) {
        EXPECT_STREQ(e.what(), "FileOpen Error");
    }
}

}  // namespace
}  // namespace zanmel
