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
                 setting.GoTaskTray || setting.NoMakePopupMenu || setting.NoUseIcon);
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
              "GoTaskTray=0\r\nDefaultSkinName=デフォルト\r\nImeMode=0\r\n"
              "\r\n[HotKeyZanmel]\r\nUse=0\r\nCtrl=0\r\nShift=0\r\nAlt=0\r\nWin=0\r\nVK=0\r\nMouse=0\r\nCorner=0\r\n"
              "\r\n[HotKeyPopup]\r\nUse=0\r\nCtrl=0\r\nShift=0\r\nAlt=0\r\nWin=0\r\nVK=0\r\nMouse=0\r\nCorner=0\r\n"
              "\r\n[SpeedUp]\r\nNoMakePopupMenu=0\r\nNoUseIcon=0\r\n");
}

TEST_F(TSettingTest, StorageWidthsAndIntegerBooleansRoundTripInReducedForm) {
    files.files[kIni] =
        "; kept\r\n[setting]\r\nForeCaseSensitive=2\r\nDefaultSkinName=青空\r\nImeMode=0x2\r\n"
        "[HotKeyZanmel]\r\nUse=1\r\nWin=-1\r\nVK=65601\r\nCorner=255\r\nMouse=3\r\n"
        "[HotKeyPopup]\r\nVK=0x1F\r\nCorner=256\r\nShift=yes\r\n"
        "[BackUp]\r\nFolder=D:\\Backup\r\n";
    TSetting setting(timer, files, "E:\\Zanmel");
    EXPECT_TRUE(setting.ForeCaseSensitive);
    EXPECT_EQ(setting.DefaultSkinName, "青空");
    EXPECT_EQ(setting.ImeMode, 2);
    EXPECT_TRUE(setting.HotKeyZanmel.Use && setting.HotKeyZanmel.Win);
    EXPECT_FALSE(setting.HotKeyZanmel.Ctrl);
    EXPECT_EQ(setting.HotKeyZanmel.VK, 65);
    EXPECT_EQ(setting.CornerZanmel, 255);
    EXPECT_EQ(setting.MouseZanmel, 3);
    EXPECT_EQ(setting.HotKeyPopup.VK, 31);
    EXPECT_EQ(setting.CornerPopup, 0);
    EXPECT_FALSE(setting.HotKeyPopup.Shift);

    setting.SaveSetting();
    ProfileFile saved(files.files.at(kIni));
    EXPECT_EQ(saved.ReadString("Setting", "ForeCaseSensitive", ""), "1");
    EXPECT_EQ(saved.ReadString("HotKeyZanmel", "VK", ""), "65");
    EXPECT_EQ(saved.ReadString("HotKeyZanmel", "Win", ""), "1");
    EXPECT_EQ(saved.ReadString("HotKeyPopup", "Corner", ""), "0");
    EXPECT_EQ(saved.ReadString("HotKeyPopup", "VK", ""), "31");
    EXPECT_EQ(saved.ReadString("BackUp", "Folder", ""), "D:\\Backup");
    EXPECT_EQ(files.files.at(kIni).rfind("; kept\r\n[setting]\r\nForeCaseSensitive=1\r\n", 0), 0u);

    // Changed fields survive a new start.
    setting.GoTaskTray = true;
    setting.HotKeyPopup.VK = 0xFFFF;
    setting.DefaultSkinName = "";
    setting.SaveSetting();
    TSetting again(timer, files, "E:\\Zanmel");
    EXPECT_TRUE(again.GoTaskTray);
    EXPECT_EQ(again.HotKeyPopup.VK, 0xFFFF);
    EXPECT_EQ(again.DefaultSkinName, "");
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
