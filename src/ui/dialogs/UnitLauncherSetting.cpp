#include "ui/dialogs/UnitLauncherSetting.h"

#include <commctrl.h>

#include <algorithm>

#include "core/LauncherSettingRules.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/UnitExt.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TForm4";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 400;

}  // namespace

TForm4::TForm4(TDebugTimer& timer, TZanmelModule& launcher, const DataLocations& places, HWND mainWindow)
    : launcher_(launcher), places_(places), mainWindow_(mainWindow), font_(platform::CreateUiFont()) {
    timer.BeginStage();
    RegisterWindowClass(kClassName);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    Create(kClassName, ToWide("ランチャ設定"), kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
           frame.bottom - frame.top, mainWindow);
    CreateControls();
    timer.EndStage("TForm4::TForm4");
    platform::EnableDialogNavigation(Handle());
}

void TForm4::CreateControls() {
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id, DWORD exStyle = 0) {
        return AddControl(Handle(), font_.Get(), "TForm4", cls, text, WS_VISIBLE | style, x, y, width, height, id,
                          exStyle);
    };
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    add(L"BUTTON", "一般設定", BS_GROUPBOX, 8, 6, kClientWidth - 16, 150, kForm4GroupBox1);
    add(L"BUTTON", "フォルダを開くをエクスプローラで開く", check, 20, 26, 400, 20, kForm4CheckBox1);
    add(L"BUTTON", "終了支援機能を使用する", check, 20, 50, 400, 20, kForm4CheckBox2);
    add(L"BUTTON", "WEBブラウザ設定を無効化する", check, 20, 74, 400, 20, kForm4CheckBox3);
    add(L"BUTTON", "Unplug設定を無効化する", check, 20, 98, 400, 20, kForm4CheckBox4);
    add(L"BUTTON", "WEBブラウザ設定", button, 20, 122, 150, 26, kForm4BtnWEB);
    add(L"BUTTON", "Unplug設定", button, 180, 122, 150, 26, kForm4BtnUnplug);

    add(L"BUTTON", "拡張子設定", BS_GROUPBOX, 8, 162, kClientWidth - 16, 196, kForm4GroupBox2);
    HWND grid = add(WC_LISTVIEWW, "",
                    LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_VSCROLL | WS_TABSTOP, 20,
                    182, kClientWidth - 40, 136, kForm4SGrid1, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // Column 0 a third of the grid, column 1 two thirds.
    RECT client;
    GetClientRect(grid, &client);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_WIDTH;
        info.cx = column == 0 ? client.right / 3 : client.right * 2 / 3;
        SendMessageW(grid, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    }
    add(L"BUTTON", "追加", button, 20, 324, 80, 26, kForm4BtnExtAdd);
    add(L"BUTTON", "編集", button, 106, 324, 80, 26, kForm4BtnExtUpdate);
    add(L"BUTTON", "削除", button, 192, 324, 80, 26, kForm4BtnDelete);
    add(L"BUTTON", "閉じる", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - 98, 366, 90, 26, kForm4Button6);
}

bool TForm4::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TForm4::Show() {
    // The grid's rows first: an entry whose data is no launch record raises here, with nothing disabled yet.
    std::vector<ExtGridRow> rows = ExtGridRows(launcher_.ExtList);
    EnableWindow(mainWindow_, FALSE);
    SetChecked(Control(kForm4CheckBox1), launcher_.FlgOpenExplorer);
    SetChecked(Control(kForm4CheckBox2), launcher_.FlgUseCloseHelp);
    SetChecked(Control(kForm4CheckBox3), !launcher_.FlgWebUse);
    SetChecked(Control(kForm4CheckBox4), !launcher_.FlgUnplugUse);
    FillGrid(std::move(rows));
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kForm4Button6));
}

void TForm4::Hide() {
    // A window that is not shown (a close message from outside) has nothing to store and nothing to give back.
    if (!IsShown()) return;
    const platform::ScopeGuard release([this] {
        EnableWindow(mainWindow_, TRUE);
        ShowWindow(Handle(), SW_HIDE);
    });
    launcher_.FlgOpenExplorer = IsChecked(Control(kForm4CheckBox1));
    launcher_.FlgUseCloseHelp = IsChecked(Control(kForm4CheckBox2));
    launcher_.FlgWebUse = !IsChecked(Control(kForm4CheckBox3));
    launcher_.FlgUnplugUse = !IsChecked(Control(kForm4CheckBox4));
    // No control edits the mail program switch: closing this window switches it off.
    launcher_.FlgMaieUse = false;
    launcher_.SaveSetting(places_.HomeSheetFolder() + "\\setting.ini");
}

void TForm4::RefreshGrid() {
    FillGrid(ExtGridRows(launcher_.ExtList));
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
        SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = path.data();
        SendMessageW(grid, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
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

int TForm4::SelectedRow() const {
    return ListView_GetNextItem(Control(kForm4SGrid1), -1, LVNI_SELECTED);
}

int TForm4::RowCount() const {
    return ListView_GetItemCount(Control(kForm4SGrid1));
}

std::string TForm4::Cell(int row, int column) const {
    wchar_t text[2048] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(Control(kForm4SGrid1), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return platform::ToCp932(text);
}

std::string TForm4::SelectedKey() const {
    const int row = SelectedRow();
    return row < 0 ? std::string() : Cell(row, 0);
}

void TForm4::OpenFormExt(std::string_view mode) {
    if (!formExt_) return;
    formExt_->SetMode(mode);
    // Showing the dialog disables this window; its hiding enables it again.
    formExt_->Show();
}

void TForm4::BtnWEBClick() {
    OpenFormExt(ext_mode::kWeb);
}

void TForm4::BtnUnplugClick() {
    OpenFormExt(ext_mode::kUnplug);
}

void TForm4::BtnExtAddClick() {
    OpenFormExt(ext_mode::kExtAdd);
}

void TForm4::BtnExtUpdateClick() {
    if (launcher_.ExtList.Count() == 0) return;
    OpenFormExt(ext_mode::kExtUpdate);
}

void TForm4::BtnDeleteClick() {
    if (launcher_.ExtList.Count() == 0) return;
    // No question: the entry of the selected row goes at once (a missing key is reported by the module).
    launcher_.DeleteExt(SelectedKey());
    RefreshGrid();
}

LRESULT TForm4::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kForm4BtnWEB:
                    BtnWEBClick();
                    return 0;
                case kForm4BtnUnplug:
                    BtnUnplugClick();
                    return 0;
                case kForm4BtnExtAdd:
                    BtnExtAddClick();
                    return 0;
                case kForm4BtnExtUpdate:
                    BtnExtUpdateClick();
                    return 0;
                case kForm4BtnDelete:
                    BtnDeleteClick();
                    return 0;
                case kForm4Button6:
                case IDOK:
                case IDCANCEL:
                    Hide();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
