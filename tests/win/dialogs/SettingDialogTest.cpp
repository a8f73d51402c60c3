#include "ui/dialogs/SettingDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ProgramFixture.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

namespace {

// The real settings object on Zanmel.ini of a temporary program folder; the main window is the test double.
class SettingDialogTest : public test::DialogFixture<TFormSetting> {
protected:
    SettingDialogTest() : DialogFixture({.icons = false}) {}

    void SetUp() override {
        ProgramFixture::SetUp();
        test::WritePlainFile(
            folder / "Zanmel.ini",
            "[Setting]\r\nDefaultSkinName=消えたスキン\r\nImeMode=1\r\nForeCaseSensitive=1\r\nRomajiSearch=1\r\n"
            "[HotKeyZanmel]\r\nUse=1\r\nWin=1\r\nAlt=1\r\nVK=81\r\nMouse=9\r\nCorner=3\r\n"
            "[HotKeyPopup]\r\nMouse=3\r\n[BackUp]\r\nKeep=me\r\n");
        setting = std::make_unique<TSetting>(*timer, files, folder.Path());
        dialog = std::make_unique<TFormSetting>(*timer, *setting, host.MainWindow(), "デフォルト,青");
    }
    // A key pressed in a field with modifiers held, as the keyboard delivers it.
    void Press(int field, WORD key, std::initializer_list<int> held) {
        BYTE keys[256] = {};
        for (const int modifier : held) keys[modifier] = 0x80;
        SetKeyboardState(keys);
        SendMessageW(dialog->Control(field), held.size() && *held.begin() == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, key,
                     0);
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    std::string Ini() const { return platform::ReadFileBytes(folder / "Zanmel.ini").value_or("<none>"); }
};

}  // namespace

TEST_F(SettingDialogTest, ShowsTheSettingsAndStoresEveryControlWhenItCloses) {
    // Closed before it was ever shown, while its controls are not made yet: every setting stays as read.
    const std::string read = Ini();
    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Ini(), read);
    EXPECT_EQ(setting->HotKeyZanmel.VK, 81);
    EXPECT_EQ(setting->ImeMode, 1);

    dialog->ShowPage(2);
    dialog->Show();
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(dialog->CurrentPage(), 0);
    EXPECT_EQ(GetFocus(), dialog->Control(kSettingButton1));
    // A check box stands on the page: beyond its text it shows the page, not the dialog's face colour.
    RedrawWindow(dialog->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT box{}, page{};
    GetWindowRect(dialog->Control(kSettingCheckBox1), &box);
    GetWindowRect(dialog->Control(kSettingPageControl1), &page);
    HDC screen = GetDC(nullptr);
    const int middle = (box.top + box.bottom) / 2;
    EXPECT_EQ(GetPixel(screen, box.right - 3, middle), GetPixel(screen, page.left + 6, middle));
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(Checked(kSettingCheckBox3));
    EXPECT_FALSE(Checked(kSettingCheckBox1));
    EXPECT_TRUE(Checked(kSettingCheckBox7));
    EXPECT_EQ(dialog->Text(kSettingCheckBox7), "ローマ字入力で仮名のキーワードも検索する");
    EXPECT_EQ(Selection(kSettingComboBox3), -1);  // a skin that is not installed
    EXPECT_EQ(Selection(kSettingComboBox4), 1);
    EXPECT_EQ(Selection(kSettingComboBox1), -1);  // a trigger outside the list
    EXPECT_EQ(Selection(kSettingComboBox2), 3);
    EXPECT_EQ(dialog->Text(kSettingEdit1), "Alt + Q");  // Win is not shown
    EXPECT_EQ(dialog->Text(kSettingEdit2), "");
    EXPECT_TRUE(dialog->CornerLowered(0, 0));
    EXPECT_TRUE(dialog->CornerLowered(0, 1));
    EXPECT_FALSE(dialog->CornerLowered(0, 2));

    // Hot keys reach the settings as they are typed.
    Press(kSettingEdit1, 'K', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(dialog->Text(kSettingEdit1), "Ctrl + Shift + K");
    EXPECT_EQ(setting->HotKeyZanmel, (THotKeyRecord{true, true, false, false, true, 75}));
    Press(kSettingEdit2, VK_SPACE, {VK_MENU});
    EXPECT_EQ(dialog->Text(kSettingEdit2), "Alt + Space");
    EXPECT_EQ(setting->HotKeyPopup, (THotKeyRecord{true, false, false, true, false, 32}));
    Press(kSettingEdit2, VK_DELETE, {});
    EXPECT_EQ(dialog->Text(kSettingEdit2), "");
    EXPECT_FALSE(setting->HotKeyPopup.Use);

    // The two top corners of the first group instead of the two bottom ones; a lowered panel of the second.
    for (const int bit : {0, 1, 5, 7}) Click(kSettingPanel11 + bit, STN_CLICKED);
    Click(kSettingPanel21 + 4, STN_CLICKED);
    SendMessageW(dialog->Control(kSettingCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(dialog->Control(kSettingCheckBox6), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(dialog->Control(kSettingCheckBox7), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(dialog->Control(kSettingComboBox2), CB_SETCURSEL, 5, 0);

    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_TRUE(setting->MinimatizeOnNoActive);
    EXPECT_EQ(setting->CornerZanmel, 160);
    EXPECT_EQ(setting->CornerPopup, 16);
    EXPECT_EQ(setting->DefaultSkinName, "デフォルト");
    EXPECT_EQ(setting->MouseZanmel, -1);
    const std::string ini = Ini();
    for (const char* line : {"MinimatizeOnNoActive=1\r\n", "ForeCaseSensitive=1\r\n", "DefaultSkinName=デフォルト\r\n",
                             "ImeMode=1\r\n", "Corner=160\r\n", "Corner=16\r\n", "Mouse=-1\r\n", "Mouse=5\r\n",
                             "NoUseIcon=1\r\n", "VK=75\r\n", "Win=0\r\n", "Keep=me\r\n", "RomajiSearch=0\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

TEST_F(SettingDialogTest, AFailedWriteIsReportedAndStillGivesTheMainWindowBack) {
    dialog->Show();
    SendMessageW(dialog->Control(kSettingComboBox3), CB_SETCURSEL, 1, 0);
    // A folder where the file should be: the write fails.
    DeleteFileW((platform::ToWide(folder / "Zanmel.ini")).c_str());
    CreateDirectoryW((platform::ToWide(folder / "Zanmel.ini")).c_str(), nullptr);
    ui.ExpectMessage();
    Click(kSettingButton1);
    EXPECT_EQ(ui.Messages().size(), 1U);
    EXPECT_NE(ui.Messages().front().find("Zanmel.ini"), std::string::npos);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(setting->DefaultSkinName, "青");
}

}  // namespace zanmel::ui
