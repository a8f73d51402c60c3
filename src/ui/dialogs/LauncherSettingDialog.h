#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/DataLocations.h"
#include "core/LauncherSettingRules.h"
#include "core/TDebugTimer.h"
#include "core/TZanmelModule.h"
#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

class TFormExt;

// Control identifiers of the launcher settings window, for tests that drive it.
enum LauncherSettingControl : int {
    kForm4GroupBox1 = 100,
    kForm4CheckBox1,
    kForm4CheckBox2,
    kForm4CheckBox3,
    kForm4CheckBox4,
    kForm4BtnWEB,
    kForm4BtnUnplug,
    kForm4GroupBox2,
    kForm4SGrid1,
    kForm4BtnExtAdd,
    kForm4BtnExtUpdate,
    kForm4BtnDelete,
    kForm4Button6,
};

// The launcher settings window "ランチャ設定": the launch module's switches and the extension list, with the
// application dialog for the web browser, the drive-ejection tool and the extension entries. Created once;
// shown without being modal while the main window is disabled. Hiding it stores the switches (and the two
// records as they stand) in setting.ini of the home sheet and enables the main window.
class TForm4 : public DialogWindow {
public:
    // Timed as "TForm4::TForm4".
    TForm4(TDebugTimer& timer, TZanmelModule& launcher, const DataLocations& places, HWND mainWindow);

    // The application dialog is created after this window.
    void SetFormExt(TFormExt* formExt) { formExt_ = formExt; }

    void Show();
    // FormHide: the switches into the launch module, FlgMaieUse off, setting.ini written, the main window
    // enabled. A failed write is raised after the window has hidden.
    void Hide() override;

    // The grid from the extension list, keeping the selected row where it still exists.
    void RefreshGrid() { FillGrid(ExtGridRows(launcher_.ExtList)); }
    // The key in the selected row of the grid ("" when the list is empty).
    std::string SelectedKey() const;
    void SelectRow(int row);
    int SelectedRow() const { return ListView_GetNextItem(Control(kForm4SGrid1), -1, LVNI_SELECTED); }
    int RowCount() const { return ListView_GetItemCount(Control(kForm4SGrid1)); }
    std::string Cell(int row, int column) const;

    void BtnExtUpdateClick();
    void BtnDeleteClick();

protected:
    // The grid's columns: a third of its width for the key, two thirds for the path.
    void OnDpiChanged() override;

private:
    // The application dialog in a mode of ext_mode ("WEBブラウザ設定", "Unplug設定", "追加", "編集").
    template <const std::string_view& Mode>
    void OpenFormExt();
    void FillGrid(std::vector<ExtGridRow> rows);

    TZanmelModule& launcher_;
    const DataLocations& places_;
    TFormExt* formExt_ = nullptr;
};

}  // namespace zanmel::ui
