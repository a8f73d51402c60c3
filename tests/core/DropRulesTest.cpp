#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/DropRules.h"

namespace zanmel {

namespace {

// A descriptor block with the count field and one descriptor per name.
std::string Block(std::uint32_t count, std::initializer_list<std::string> names) {
    std::string block;
    for (int i = 0; i < 4; ++i) block += static_cast<char>((count >> (8 * i)) & 0xFF);
    for (const std::string& name : names) {
        std::string descriptor(kFileDescriptorSize, '\x7F');  // garbage around the name
        descriptor.replace(kFileDescriptorNameOffset, name.size() + 1, name + '\0');
        block += descriptor;
    }
    return block;
}

}  // namespace

TEST(DropRules, FileGroupNameIsTheLastDescriptorsWithinTheBlock) {
    EXPECT_EQ(LastFileGroupName(Block(1, {"検索 ソフト.url"})), "検索 ソフト.url");
    EXPECT_EQ(LastFileGroupName(Block(2, {"a.url", "b.url"})), "b.url");
    // A count beyond the block takes the last descriptor that is there; a partial one is not read.
    EXPECT_EQ(LastFileGroupName(Block(70000, {"a.url", "b.url"})), "b.url");
    EXPECT_EQ(LastFileGroupName(Block(2, {"a.url", "b.url"}).substr(0, 4 + kFileDescriptorSize + 100)), "a.url");
    EXPECT_EQ(LastFileGroupName(Block(0, {"a.url"})), "");
    EXPECT_EQ(LastFileGroupName("\x01\x00"), "");
    // A name without NUL ends with its descriptor.
    std::string unterminated = Block(1, {""});
    unterminated.replace(4 + kFileDescriptorNameOffset, kFileDescriptorSize - kFileDescriptorNameOffset,
                         std::string(kFileDescriptorSize - kFileDescriptorNameOffset, 'n'));
    EXPECT_EQ(LastFileGroupName(unterminated), std::string(kFileDescriptorSize - kFileDescriptorNameOffset, 'n'));
}

TEST(DropRules, OnlyTheLastExtensionGoes) {
    EXPECT_EQ(WithoutLastExtension("www.example.com.url"), "www.example.com");
    EXPECT_EQ(WithoutLastExtension("表示.url"), "表示");  // 表 ends in the byte of a backslash
    EXPECT_EQ(WithoutLastExtension("link"), "link");
    EXPECT_EQ(WithoutLastExtension(""), "");
}

}  // namespace zanmel
