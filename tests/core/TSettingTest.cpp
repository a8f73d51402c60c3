#include "core/TSetting.h"

#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

using test::FakeClock;
using test::FakeFiles;

const std::string kIni = "E:\\Zanmel\\Zanmel.ini";

class TSettingTest : public ::testing::Test {
protected:
    FakeClock clock;
    FakeFiles files;
    TDebugTimer timer{clock, files, "E:\\Zanmel\\Debug.log"};
};

TEST_F(TSettingTest, FreshFolderGivesDefaultsAndFirstSaveWritesEveryKeyInOrder) {
    TSetting setting(timer, files, "E:\\Zanmel");
    EXPECT_EQ(setting.IniPath(), kIni);
    EXPECT_FALSE(setting.ForeCaseSensitive || setting.PartialCaseSensitive || setting.MinimatizeOnNoActive ||
                 setting.GoTaskTray || setting.NoMakePopupMenu || setting.NoUseIcon || setting.RomajiSearch);
    EXPECT_EQ(setting.DefaultSkinName, "デフォルト");
    EXPECT_EQ(setting.HotKeyZanmel, THotKeyRecord{});
    EXPECT_EQ(setting.HotKeyPopup, THotKeyRecord{});
    EXPECT_EQ(setting.MouseZanmel | setting.MousePopup | setting.CornerZanmel | setting.CornerPopup, 0);
    EXPECT_EQ(setting.ImeMode, 0);
    ASSERT_EQ(timer.Lines().size(), 1u);
    EXPECT_EQ(timer.Lines()[0], "\t       0 ms:TSetting::TSetting");

    setting.SaveSetting();
    EXPECT_EQ(files.files.at(kIni),
              "[Setting]\r\nForeCaseSensitive=0\r\nPartialCaseSensitive=0\r\nMinimatizeOnNoActive=0\r\n"
              "GoTaskTray=0\r\nDefaultSkinName=デフォルト\r\nImeMode=0\r\nRomajiSearch=0\r\n"
              "[HotKeyZanmel]\r\nUse=0\r\nCtrl=0\r\nShift=0\r\nAlt=0\r\nWin=0\r\nVK=0\r\nMouse=0\r\nCorner=0\r\n"
              "[HotKeyPopup]\r\nUse=0\r\nCtrl=0\r\nShift=0\r\nAlt=0\r\nWin=0\r\nVK=0\r\nMouse=0\r\nCorner=0\r\n"
              "[SpeedUp]\r\nNoMakePopupMenu=0\r\nNoUseIcon=0\r\n");
}

// VK 65601, Corner 256, ForeCaseSensitive 2 and 0x1F are shown on real files under Wine; these are the rest.
TEST_F(TSettingTest, ValuesReadAsIntegersAndChangedFieldsSurviveARestart) {
    files.files[kIni] =
        "[setting]\r\nImeMode=0x2\r\nDefaultSkinName=青空\r\n"
        "[HotKeyZanmel]\r\nWin=-1\r\nShift=yes\r\nCorner=255\r\n";
    TSetting setting(timer, files, "E:\\Zanmel");
    EXPECT_EQ(setting.ImeMode, 2);
    EXPECT_EQ(setting.DefaultSkinName, "青空");
    EXPECT_TRUE(setting.HotKeyZanmel.Win);
    EXPECT_FALSE(setting.HotKeyZanmel.Shift);
    EXPECT_EQ(setting.CornerZanmel, 255);

    setting.GoTaskTray = true;
    setting.RomajiSearch = true;
    setting.HotKeyPopup.VK = 0xFFFF;
    setting.MousePopup = 7;
    setting.DefaultSkinName = "";
    setting.SaveSetting();
    TSetting again(timer, files, "E:\\Zanmel");
    EXPECT_TRUE(again.GoTaskTray);
    EXPECT_TRUE(again.RomajiSearch);
    EXPECT_EQ(again.HotKeyPopup.VK, 0xFFFF);
    EXPECT_EQ(again.MousePopup, 7);
    EXPECT_EQ(again.DefaultSkinName, "");
    EXPECT_EQ(again.ImeMode, 2);
}

TEST_F(TSettingTest, SaveKeepsWhatOthersWroteAndFailuresLeaveTheFile) {
    TSetting setting(timer, files, "E:\\Zanmel");
    // The backup tool writes its section after start-up; a later save keeps it.
    files.files[kIni] = "[BackUp]\r\nFolder=D:\\B\r\n";
    setting.NoUseIcon = true;
    setting.SaveSetting();
    EXPECT_EQ(ProfileFile(files.files.at(kIni)).ReadString("BackUp", "Folder", ""), "D:\\B");

    const std::string before = files.files.at(kIni);
    files.unwritable = kIni;
    EXPECT_THROW(setting.SaveSetting(), ZanmelError);
    files.unwritable.clear();
    // A file that exists but cannot be read back is not replaced by one holding only our sections.
    files.unreadable = kIni;
    EXPECT_THROW(setting.SaveSetting(), ZanmelError);
    EXPECT_EQ(files.files.at(kIni), before);

    // Unreadable at start-up: every default, no error.
    TSetting unreadable(timer, files, "E:\\Zanmel");
    EXPECT_FALSE(unreadable.NoUseIcon);
    EXPECT_EQ(unreadable.DefaultSkinName, "デフォルト");
}

}  // namespace
}  // namespace zanmel
