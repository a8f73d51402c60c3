#include "ui/dialogs/LauncherSettingDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ProgramFixture.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"
#include "ui/dialogs/ExtDialog.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using platform::ToWide;

// The real launch module on a program folder of a fixed drive; the main window is a plain window.
class LauncherSettingTest : public test::ProgramFixture {
protected:
    LauncherSettingTest() : ProgramFixture({.base = test::FixedDrive().Root(), .launcher = true}) {}

    HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TFormExt> formExt;

    void SetUp() override {
        ProgramFixture::SetUp();
        form4 = std::make_unique<TForm4>(*timer, *launcher, *state, main);
        formExt = std::make_unique<TFormExt>(*timer, TFormExt::Dependencies{*form4, *launcher, *state, ui});
        form4->SetFormExt(formExt.get());
        test::WritePlainFile(folder / "view.txt", "view");
    }
    void TearDown() override {
        formExt.reset();
        form4.reset();
        DestroyWindow(main);
        ProgramFixture::TearDown();
    }
    static void Click(HWND window, int id) { test::ClickButton(window, id); }
    bool Checked(HWND window, int id) const {
        return SendMessageW(GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    std::string SettingIni() const {
        return platform::ReadFileBytes(state->HomeSheetFolder() + "\\setting.ini").value_or("<none>");
    }
    Lines Grid() const {
        Lines rows;
        for (int row = 0; row < form4->RowCount(); ++row)
            rows.push_back(form4->Cell(row, 0) + "|" + form4->Cell(row, 1));
        return rows;
    }
};

}  // namespace

TEST_F(LauncherSettingTest, ExtensionEntriesAndTheTwoRecordsAreEditedAndStoredWhenTheWindowCloses) {
    launcher->FlgWebUse = true;
    launcher->FlgMaieUse = true;
    form4->Show();
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_FALSE(Checked(form4->Handle(), kForm4CheckBox3));  // the inverse of FlgWebUse
    EXPECT_TRUE(Checked(form4->Handle(), kForm4CheckBox4));
    EXPECT_EQ(Grid(), Lines{"|"});  // an empty list shows one empty row
    // "編集" and "削除" do nothing on an empty list.
    Click(form4->Handle(), kForm4BtnExtUpdate);
    Click(form4->Handle(), kForm4BtnDelete);
    EXPECT_FALSE(formExt->IsShown());

    // A new entry picked with the reference button gets the file's name as its key.
    Click(form4->Handle(), kForm4BtnExtAdd);
    ASSERT_TRUE(formExt->IsShown());
    EXPECT_FALSE(IsWindowEnabled(form4->Handle()));
    EXPECT_TRUE(IsWindowVisible(formExt->Control(kExtEdit1)));
    EXPECT_EQ(formExt->Text(kExtLabel2), "ソフトのファイルパス");
    ui.AnswerOpenFile(folder / "view.txt");
    Click(formExt->Handle(), kExtBtnRefFile);
    EXPECT_EQ(formExt->Text(kExtEdit1), "view.txt");
    EXPECT_EQ(formExt->Text(kExtEdit2), folder / "view.txt");
    formExt->SetText(kExtEdit1, "jpg,png");
    SendMessageW(formExt->Control(kExtCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    Click(formExt->Handle(), kExtBtnOK);
    EXPECT_FALSE(formExt->IsShown());
    EXPECT_TRUE(IsWindowEnabled(form4->Handle()));
    EXPECT_EQ(launcher->ExtList.DataOf("jpg,png"), "open," + folder / "view.txt" + ",,,1,2");
    EXPECT_EQ(Grid(), Lines{"jpg,png|" + folder / "view.txt"});

    Click(form4->Handle(), kForm4BtnExtAdd);
    EXPECT_EQ(formExt->Text(kExtEdit1), "");
    formExt->SetText(kExtEdit1, "txt");
    formExt->SetText(kExtEdit2, folder / "view.txt");
    Click(formExt->Handle(), kExtBtnOK);
    ASSERT_EQ(Grid().size(), 2U);

    // The selected row's entry is edited under a new key; a key taken already is refused by the module.
    form4->SelectRow(1);
    Click(form4->Handle(), kForm4BtnExtUpdate);
    EXPECT_EQ(formExt->PreviousKey(), "txt");
    EXPECT_EQ(formExt->Text(kExtEdit1), "txt");
    EXPECT_FALSE(Checked(formExt->Handle(), kExtCheckBox1));
    ui.ExpectMessage();
    formExt->SetText(kExtEdit1, "jpg,png");
    Click(formExt->Handle(), kExtBtnOK);
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが既に登録されています。"});
    EXPECT_TRUE(formExt->IsShown());
    formExt->SetText(kExtEdit1, "txt,log");
    Click(formExt->Handle(), kExtBtnOK);
    EXPECT_EQ(Grid(), (Lines{"jpg,png|" + folder / "view.txt", "txt,log|" + folder / "view.txt"}));
    EXPECT_EQ(form4->SelectedRow(), 1);

    // "削除" takes the selected row at once.
    form4->SelectRow(0);
    Click(form4->Handle(), kForm4BtnDelete);
    EXPECT_EQ(Grid(), Lines{"txt,log|" + folder / "view.txt"});
    const std::string ext = platform::ReadFileBytes(state->HomeSheetFolder() + "\\ext.txt").value_or("");
    EXPECT_EQ(ext.find("jpg,png"), std::string::npos);
    EXPECT_NE(ext.find("txt,log"), std::string::npos);

    // The web browser: no key field, no verb stored before, only the path is required.
    Click(form4->Handle(), kForm4BtnWEB);
    EXPECT_FALSE(IsWindowVisible(formExt->Control(kExtEdit1)));
    EXPECT_EQ(formExt->Text(kExtLabel2), "WEBブラウザのファイルパス");
    EXPECT_EQ(SendMessageW(formExt->Control(kExtComboBox1), CB_GETCURSEL, 0, 0), -1);
    formExt->SetText(kExtEdit2, "");
    ui.ExpectMessage();
    Click(formExt->Handle(), kExtBtnOK);
    EXPECT_EQ(ui.Messages().back(), "キーワード、ファイルは空欄にはできません。");
    formExt->SetText(kExtEdit2, "C:\\web\\browser.exe");
    Click(formExt->Handle(), kExtBtnOK);
    EXPECT_FALSE(formExt->IsShown());
    EXPECT_EQ(launcher->WEBData.ToText(), ",C:\\web\\browser.exe,,,1,0");
    EXPECT_EQ(SettingIni().find("browser.exe"), std::string::npos);  // not before the window closes

    SendMessageW(form4->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form4->IsShown());
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_FALSE(launcher->FlgMaieUse);
    const std::string ini = SettingIni();
    for (const char* line : {"FlgMaieUse=0\r\n", "FlgWebUse=1\r\n", "FlgUnplugUse=0\r\n", "browser.exe"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
}

// A close message to the hidden window stores nothing; an entry whose data is no launch record stops the show
// before the main window is disabled, so the program stays usable.
TEST_F(LauncherSettingTest, NothingIsStoredOrDisabledUnlessTheWindowIsReallyShown) {
    launcher->FlgMaieUse = true;
    const std::string before = SettingIni();
    SendMessageW(form4->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(SettingIni(), before);
    EXPECT_FALSE(launcher->FlgWebUse);  // the unticked box would have switched it on
    EXPECT_TRUE(launcher->FlgMaieUse);

    launcher->ExtList.Add("bad", "", 0, "x");
    EXPECT_THROW(form4->Show(), zanmel::ZanmelError);
    EXPECT_FALSE(form4->IsShown());
    EXPECT_TRUE(IsWindowEnabled(main));
}

}  // namespace zanmel::ui
