#include "core/SettingRules.h"

#include <gtest/gtest.h>

namespace zanmel {
namespace {

TEST(SettingRulesTest, TypingAHotKeySetsTheRecordAndItsText) {
    THotKeyRecord key;
    EXPECT_EQ(TypeHotKey(key, true, true, false, 'K'), "Ctrl + Shift + K");
    EXPECT_EQ(key, (THotKeyRecord{true, true, false, false, true, 75}));
    EXPECT_EQ(HotKeyText(key), "Ctrl + Shift + K");

    EXPECT_EQ(TypeHotKey(key, false, false, true, ' '), "Alt + Space");
    EXPECT_EQ(key, (THotKeyRecord{true, false, false, true, false, 32}));

    // A stored Win is not shown, and the next key clears it.
    key.Win = true;
    EXPECT_EQ(HotKeyText(key), "Alt + Space");
    TypeHotKey(key, true, false, false, 'A');
    EXPECT_FALSE(key.Win);
}

TEST(SettingRulesTest, KeysOtherThanLettersAndSpaceSwitchTheHotKeyOff) {
    for (const std::uint16_t other :
         std::initializer_list<std::uint16_t>{0x74 /* F5 */, '5', 0x2E /* Delete */, 0x11 /* Ctrl alone */, '@', '['}) {
        THotKeyRecord key{true, false, false, false, false, 'Z'};
        EXPECT_EQ(TypeHotKey(key, true, false, false, other), "") << other;
        EXPECT_FALSE(key.Use);
        EXPECT_TRUE(key.Ctrl);  // the modifiers held are still recorded
        EXPECT_EQ(key.VK, 'Z');
    }
    // A record in use with a key the dialog does not accept shows nothing, and one not in use neither.
    EXPECT_EQ(HotKeyText(THotKeyRecord{true, true, false, false, false, 0x74}), "");
    EXPECT_EQ(HotKeyText(THotKeyRecord{false, true, false, false, false, 'A'}), "");
    EXPECT_EQ(HotKeyText(THotKeyRecord{true, false, false, false, false, 'A'}), "A");
}

TEST(SettingRulesTest, CornerMaskAndPositions) {
    CornerPositions topCorners{};
    topCorners[5] = topCorners[7] = true;
    EXPECT_EQ(CornerMaskOf(topCorners), 160);
    EXPECT_EQ(CornerPositionsOf(160), topCorners);
    EXPECT_EQ(CornerMaskOf(CornerPositionsOf(255)), 255);
    EXPECT_EQ(CornerPositionsOf(1)[0], true);
    EXPECT_EQ(CornerMaskOf(CornerPositions{}), 0);
}

TEST(SettingRulesTest, StoredIndexesOutsideTheListsSelectNothing) {
    EXPECT_EQ(MouseTriggerNames().size(), 8U);
    EXPECT_EQ(ImeModeNames().size(), 3U);
    EXPECT_EQ(ListSelection(7, MouseTriggerNames().size()), 7);
    EXPECT_EQ(ListSelection(8, MouseTriggerNames().size()), -1);
    EXPECT_EQ(ListSelection(-1, ImeModeNames().size()), -1);
    EXPECT_EQ(ListSelection(2, ImeModeNames().size()), 2);
}

}  // namespace
}  // namespace zanmel
