#include "ui/dialogs/LauncherSettingDialog.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "ui/dialogs/ExtDialog.h"

namespace zanmel::ui {

using platform::ToWide;

TForm4::TForm4(TDebugTimer& timer, TZanmelModule& launcher, const DataLocations& places, HWND mainWindow)
    // The stage begins before the window is made.
    : DialogWindow(
          (timer.BeginStage(), Frame{L"TForm4", "ランチャ設定", 460, 400, mainWindow,
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT})),
      launcher_(launcher),
      places_(places) {
    using F = TForm4;
    constexpr DWORD grid =
        LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_VSCROLL | WS_TABSTOP;
    // clang-format off
    AddControls<F>(*this, {
        {L"BUTTON", "一般設定", BS_GROUPBOX, {8, 6, 444, 150}, kForm4GroupBox1},
        {L"BUTTON", "フォルダを開くをエクスプローラで開く", kCheck, {20, 26, 400, 20}, kForm4CheckBox1},
        {L"BUTTON", "終了支援機能を使用する", kCheck, {20, 50, 400, 20}, kForm4CheckBox2},
        {L"BUTTON", "WEBブラウザ設定を無効化する", kCheck, {20, 74, 400, 20}, kForm4CheckBox3},
        {L"BUTTON", "Unplug設定を無効化する", kCheck, {20, 98, 400, 20}, kForm4CheckBox4},
        {L"BUTTON", "WEBブラウザ設定", kButton, {20, 122, 150, 26}, kForm4BtnWEB, 0, &F::OpenFormExt<ext_mode::kWeb>},
        {L"BUTTON", "Unplug設定", kButton, {180, 122, 150, 26}, kForm4BtnUnplug, 0, &F::OpenFormExt<ext_mode::kUnplug>},
        {L"BUTTON", "拡張子設定", BS_GROUPBOX, {8, 162, 444, 196}, kForm4GroupBox2},
        {WC_LISTVIEWW, "", grid, {20, 182, 420, 136}, kForm4SGrid1, WS_EX_CLIENTEDGE},
        {L"BUTTON", "追加", kButton, {20, 324, 80, 26}, kForm4BtnExtAdd, 0, &F::OpenFormExt<ext_mode::kExtAdd>},
        {L"BUTTON", "編集", kButton, {106, 324, 80, 26}, kForm4BtnExtUpdate, 0, &F::BtnExtUpdateClick},
        {L"BUTTON", "削除", kButton, {192, 324, 80, 26}, kForm4BtnDelete, 0, &F::BtnDeleteClick},
        {L"BUTTON", "閉じる", BS_DEFPUSHBUTTON | WS_TABSTOP, {362, 366, 90, 26}, kForm4Button6, 0, &F::Hide},
    });
    // clang-format on
    ListView_SetExtendedListViewStyle(Control(kForm4SGrid1), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVCOLUMNW column{};
    for (const int index : {0, 1}) ListView_InsertColumn(Control(kForm4SGrid1), index, &column);
    OnDpiChanged();
    timer.EndStage("TForm4::TForm4");
}

void TForm4::OnDpiChanged() {
    HWND grid = Control(kForm4SGrid1);
    RECT client{};
    GetClientRect(grid, &client);
    ListView_SetColumnWidth(grid, 0, client.right / 3);
    ListView_SetColumnWidth(grid, 1, client.right * 2 / 3);
}

void TForm4::Show() {
    // The grid's rows first: an entry whose data is no launch record raises here, with nothing disabled yet.
    std::vector<ExtGridRow> rows = ExtGridRows(launcher_.ExtList);
    SetChecked(kForm4CheckBox1, launcher_.FlgOpenExplorer);
    SetChecked(kForm4CheckBox2, launcher_.FlgUseCloseHelp);
    SetChecked(kForm4CheckBox3, !launcher_.FlgWebUse);
    SetChecked(kForm4CheckBox4, !launcher_.FlgUnplugUse);
    FillGrid(std::move(rows));
    OpenOverOwner(kForm4Button6);
}

void TForm4::Hide() {
    // A window that is not shown (a close message from outside) has nothing to store and nothing to give back.
    if (!IsShown()) return;
    const platform::ScopeGuard release([this] { HideToOwner(); });
    launcher_.FlgOpenExplorer = Checked(kForm4CheckBox1);
    launcher_.FlgUseCloseHelp = Checked(kForm4CheckBox2);
    launcher_.FlgWebUse = !Checked(kForm4CheckBox3);
    launcher_.FlgUnplugUse = !Checked(kForm4CheckBox4);
    // No control edits the mail program switch: closing this window switches it off.
    launcher_.FlgMaieUse = false;
    launcher_.SaveSetting(places_.HomeSheetFolder() + "\\setting.ini");
}

void TForm4::FillGrid(std::vector<ExtGridRow> rows) {
    HWND grid = Control(kForm4SGrid1);
    const int selected = SelectedRow();
    if (rows.empty()) rows.emplace_back();  // an empty list shows one empty row
    SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(grid);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::wstring key = ToWide(rows[i].key);
        std::wstring path = ToWide(rows[i].path);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = key.data();
        ListView_InsertItem(grid, &item);
        ListView_SetItemText(grid, static_cast<int>(i), 1, path.data());
    }
    SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
    // The grid always has a selected row: the one before, or the last when it has gone.
    SelectRow(std::clamp(selected, 0, static_cast<int>(rows.size()) - 1));
}

void TForm4::SelectRow(int row) {
    HWND grid = Control(kForm4SGrid1);
    ListView_SetItemState(grid, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(grid, row, FALSE);
}

std::string TForm4::Cell(int row, int column) const {
    wchar_t text[2048] = {};
    ListView_GetItemText(Control(kForm4SGrid1), row, column, text, static_cast<int>(std::size(text)));
    return platform::ToCp932(text);
}

std::string TForm4::SelectedKey() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : Cell(row, 0);
}

template <const std::string_view& Mode>
void TForm4::OpenFormExt() {
    if (!formExt_) return;
    formExt_->SetMode(Mode);
    // Showing the dialog disables this window; its hiding enables it again.
    formExt_->Show();
}

void TForm4::BtnExtUpdateClick() {
    if (launcher_.ExtList.Count() == 0) return;
    OpenFormExt<ext_mode::kExtUpdate>();
}

void TForm4::BtnDeleteClick() {
    if (launcher_.ExtList.Count() == 0) return;
    // No question: the entry of the selected row goes at once (a missing key is reported by the module).
    launcher_.DeleteExt(SelectedKey());
    RefreshGrid();
}

}  // namespace zanmel::ui
