#include "ui/dialogs/SpecialFolderDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ProgramFixture.h"
#include "platform/AtomicFile.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using test::Shape;

constexpr std::size_t kControlPanel = 3;
constexpr std::size_t kTrash = 10;
constexpr std::size_t kMyComputer = 14;

// The real keyword index and special folder module on a temporary program folder; the main window is the
// test double.
class SpecialFolderDialogTest : public test::DialogFixture<TFormSpecialFolder> {
protected:
    std::unique_ptr<TSpecialFolderModule> module;

    void SetUp() override {
        ProgramFixture::SetUp();
        module = std::make_unique<TSpecialFolderModule>(*timer, *state, keyWords, files, ui, shell);
        keyWords.Add("web", "WEB", 4, "open,http://example.com/,,,1,0");
        ReadTreeText("#A\n\tweb\n", host.tree);
        dialog = std::make_unique<TFormSpecialFolder>(
            *timer, TFormSpecialFolder::Dependencies{host, keyWords, *module, *state, ui});
    }
    void TearDown() override {
        dialog.reset();
        module.reset();
        DialogFixture::TearDown();
    }
    std::size_t TickedCount() const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < kSpecialFolderCount; ++i) n += dialog->RowTicked(i);
        return n;
    }
    bool EditShown(std::size_t row) const {
        return IsWindowVisible(dialog->RowControl(kSFolderRowEdit + static_cast<int>(row))) != FALSE;
    }
    std::string File(const std::string& path) const { return platform::ReadFileBytes(path).value_or("<none>"); }
};

}  // namespace

TEST_F(SpecialFolderDialogTest, SetRegistersRenamesAndDeletesKeywordsAndTheirNodes) {
    // "設定" before the dialog was ever shown, while its rows are not made yet, changes and writes nothing.
    const std::string settings = File(state->HomeSheetFolder() + "\\setting.ini");
    Click(kSFolderBtnSet);
    EXPECT_EQ(File(state->HomeSheetFolder() + "\\setting.ini"), settings);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(WriteTreeText(host.tree), "#A\r\n\tweb\r\n");

    dialog->Show();
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(TickedCount(), 0U);
    EXPECT_FALSE(EditShown(kTrash));
    EXPECT_EQ(dialog->RowKeyword(kTrash), "Trash");

    // A click on a row's check box shows its edit; the wheel scrolls 8 pixels a notch.
    SendMessageW(dialog->RowControl(kSFolderRowCheck + 0), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog->RowTicked(0));
    EXPECT_TRUE(EditShown(0));
    SendMessageW(dialog->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    EXPECT_EQ(dialog->ScrollPosition(), 16);
    SendMessageW(dialog->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(dialog->ScrollPosition(), 8);

    Click(kSFolderBtnProposal);
    EXPECT_EQ(TickedCount(), 8U);
    EXPECT_FALSE(dialog->RowTicked(0));
    // A keyword of a web item is taken: red, a message, nothing stored, not even the folder node.
    dialog->SetRowKeyword(kTrash, "ごみ箱");
    dialog->SetRowKeyword(kMyComputer, "WEB");
    ui.ExpectMessage();
    Click(kSFolderBtnSet);
    EXPECT_EQ(ui.Messages(), Lines{"キーワードが重複しています"});
    EXPECT_TRUE(dialog->RowRed(kMyComputer));
    EXPECT_FALSE(dialog->RowRed(kTrash));
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(keyWords.Count(), 1U);
    EXPECT_EQ(Shape(host.tree), "#A|.web|");

    dialog->SetRowKeyword(kMyComputer, "PC");
    SendMessageW(dialog->Control(kSFolderCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    Click(kSFolderBtnSet);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Shape(host.tree),
              "#A|.web|##特殊フォルダ|.ControlPanel|.MyDocument|.SendTo|.ごみ箱|.DeskTopDirectory|.PC|.NetWork|"
              ".CommonAdminTools|");
    EXPECT_EQ(host.tree.FindFirst("##特殊フォルダ")->imageIndex, host.IconIndex(1));
    EXPECT_EQ(host.tree.FindFirst("ごみ箱")->selectedImageIndex, host.IconIndex(5));
    EXPECT_EQ(
        keyWords.EntryAt(*keyWords.Find("ごみ箱")),
        (TKeyWord{"ごみ箱", "SpecialFolder", 5, "", "", "PC", keyWords.EntryAt(*keyWords.Find("ごみ箱")).stamp, "10"}));
    EXPECT_NE(File(state->SheetFolder() + "\\keyword.txt").find("ごみ箱,SpecialFolder,5,"), std::string::npos);
    EXPECT_NE(File(state->HomeSheetFolder() + "\\setting.ini").find("FlgOpenExplorer=1"), std::string::npos);
    EXPECT_TRUE(module->FlgOpenExplorer);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.refreshes, 1);

    // Shown again the rows come from the index; a rename renames the node, a cleared row loses its keyword and
    // node, and no second folder node appears.
    dialog->Show();
    EXPECT_EQ(TickedCount(), 8U);
    EXPECT_EQ(dialog->RowKeyword(kTrash), "ごみ箱");
    EXPECT_GE(dialog->RowRegistered(kTrash), 0);
    dialog->SetRowKeyword(kTrash, "Recycle");
    dialog->SetRowTicked(kControlPanel, false);
    Click(kSFolderBtnSet);
    EXPECT_EQ(Shape(host.tree),
              "#A|.web|##特殊フォルダ|.MyDocument|.SendTo|.Recycle|.DeskTopDirectory|.PC|.NetWork|"
              ".CommonAdminTools|");
    EXPECT_EQ(host.updated, Lines{"Recycle"});
    EXPECT_EQ(host.removed, Lines{"ControlPanel"});
    EXPECT_FALSE(keyWords.Exists("ControlPanel"));
    EXPECT_FALSE(keyWords.Exists("ごみ箱"));
    EXPECT_EQ(keyWords.DataOf("Recycle"), "10");
}

}  // namespace zanmel::ui
