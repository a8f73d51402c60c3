#include "ui/dialogs/SpecialFolderDialog.h"

#include <algorithm>

#include "core/LauncherItemRules.h"

namespace zanmel::ui {

namespace {

constexpr wchar_t kScrollBoxClass[] = L"TScrollBox";
constexpr int kRowPitch = 18;
constexpr int kWheelStep = 8;  // pixels per notch, at 96 DPI
constexpr COLORREF kRed = RGB(255, 0, 0);

// ScrollBox1 holds the rows. Its scroll bar, its rows' commands and colours and the news of a DPI change go to
// the dialog; the wheel reaches the dialog by the default procedure.
LRESULT CALLBACK ScrollBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_VSCROLL:
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_DPICHANGED_AFTERPARENT:
            return SendMessageW(GetParent(box), message, wParam, lParam);
        default:
            return DefWindowProcW(box, message, wParam, lParam);
    }
}

void RegisterScrollBox() {
    WNDCLASSEXW box{};
    box.cbSize = sizeof(box);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kScrollBoxClass, &box)) return;
    box.lpfnWndProc = &ScrollBoxProc;
    box.hInstance = GetModuleHandleW(nullptr);
    box.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    box.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    box.lpszClassName = kScrollBoxClass;
    RegisterClassExW(&box);  // a failure shows when the box cannot be made
}

}  // namespace

TFormSpecialFolder::TFormSpecialFolder(TDebugTimer& timer, Dependencies deps)
    // The stage begins before the window is made.
    : DialogWindow((timer.BeginStage(), Frame{.className = L"TFormSpecialFolder",
                                              .caption = "特殊フォルダ",
                                              .clientWidth = 720,
                                              .clientHeight = 520,
                                              .owner = deps.host.MainWindow(),
                                              .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT})),
      deps_(deps),
      registered_(kSpecialFolderCount, -1),
      previousKeywords_(kSpecialFolderCount),
      red_(kSpecialFolderCount, false) {
    timer.EndStage("TFormSpecialFolder::TFormSpecialFolder");
}

void TFormSpecialFolder::CreateControls() {
    using F = TFormSpecialFolder;
    RegisterScrollBox();
    // clang-format off
    AddControls<F>(*this, {
        {L"STATIC", "キーワード(規定値)", kLabel, {20, 10, 150, 16}, kSFolderLabel1},
        {L"STATIC", "キーワード", kLabel, {180, 10, 170, 16}, kSFolderLabel2},
        {L"STATIC", "説明", kLabel, {360, 10, 300, 16}, kSFolderLabel3},
        {L"STATIC", "チェックしたキーワード名で特殊フォルダを開けるように設定します。", kLabel, {10, 30, 700, 16},
         kSFolderLabel4},
        {kScrollBoxClass, "", WS_VSCROLL | WS_CLIPCHILDREN | WS_TABSTOP, {10, 50, 700, 384}, kSFolderScrollBox1,
         WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT},
    });
    // clang-format on
    HWND box = Control(kSFolderScrollBox1);
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int row = static_cast<int>(i);
        const int top = kRowPitch * row + 10;
        AddControlIn(box, L"BUTTON", table[i].keyword, kCheck, {10, top, 160, 17}, kSFolderRowCheck + row, 0, false,
                     [this, i] { SetRowTicked(i, RowTicked(i)); });
        AddControlIn(box, L"EDIT", table[i].keyword, kEdit | WS_BORDER, {170, top, 180, 17}, kSFolderRowEdit + row);
        AddControlIn(box, L"STATIC", table[i].description, kLabel | SS_ENDELLIPSIS, {350, top, 320, 17},
                     kSFolderRowLabel + row);
        SetRowTicked(i, true);
    }
    SetScrollBar(0);
    // clang-format off
    AddControls<F>(*this, {
        {L"BUTTON", "エクスプローラで開く", kCheck, {10, 444, 300, 20}, kSFolderCheckBox1},
        {L"BUTTON", "すべて選択", kButton, {10, 472, 100, 26}, kSFolderBtnAll, 0, &F::BtnAllClick},
        {L"BUTTON", "すべて解除", kButton, {116, 472, 100, 26}, kSFolderBtnClear, 0, &F::BtnClearClick},
        {L"BUTTON", "推奨設定", kButton, {222, 472, 100, 26}, kSFolderBtnProposal, 0, &F::BtnProposalClick},
        {L"BUTTON", "キーワードを規定値に戻す", kButton, {328, 472, 180, 26}, kSFolderBtnClearName, 0,
         &F::BtnClearNameClick},
        {L"BUTTON", "設定", BS_DEFPUSHBUTTON | WS_TABSTOP, {524, 472, 90, 26}, kSFolderBtnSet, 0, &F::BtnSetClick},
        {L"BUTTON", "閉じる", kButton, {620, 472, 90, 26}, kSFolderBtnHide, 0, &F::Hide},
    });
    // clang-format on
}

int TFormSpecialFolder::ContentHeight() const {
    return Scale(kRowPitch * static_cast<int>(kSpecialFolderCount) + 2 * 10);
}

int TFormSpecialFolder::PageHeight() const {
    RECT client;
    GetClientRect(Control(kSFolderScrollBox1), &client);
    return client.bottom;
}

void TFormSpecialFolder::SetScrollBar(int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = ContentHeight() - 1;
    info.nPage = static_cast<UINT>(PageHeight());
    info.nPos = position;
    SetScrollInfo(Control(kSFolderScrollBox1), SB_VERT, &info, TRUE);
}

void TFormSpecialFolder::ScrollRows(int position) {
    position = std::clamp(position, 0, std::max(0, ContentHeight() - PageHeight()));
    const int now = ScrollPosition();
    if (position == now) return;
    ScrollWindowEx(Control(kSFolderScrollBox1), 0, now - position, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollBar(position);
}

void TFormSpecialFolder::ScrollBox1Scroll(WORD code) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Control(kSFolderScrollBox1), SB_VERT, &info);
    const int now = ScrollPosition();
    switch (code) {
        case SB_LINEUP:
            return ScrollRows(now - Scale(kRowPitch));
        case SB_LINEDOWN:
            return ScrollRows(now + Scale(kRowPitch));
        case SB_PAGEUP:
            return ScrollRows(now - PageHeight());
        case SB_PAGEDOWN:
            return ScrollRows(now + PageHeight());
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return ScrollRows(info.nTrackPos);
        case SB_TOP:
            return ScrollRows(0);
        case SB_BOTTOM:
            return ScrollRows(ContentHeight());
        default:
            return;
    }
}

void TFormSpecialFolder::SetRowTicked(std::size_t row, bool ticked) {
    const int i = static_cast<int>(row);
    SetChecked(kSFolderRowCheck + i, ticked);
    ShowWindow(Control(kSFolderRowEdit + i), ticked ? SW_SHOWNA : SW_HIDE);
}

bool TFormSpecialFolder::RowTicked(std::size_t row) const {
    return Checked(kSFolderRowCheck + static_cast<int>(row));
}

std::string TFormSpecialFolder::RowKeyword(std::size_t row) const {
    return KeywordFromField(Text(kSFolderRowEdit + static_cast<int>(row)));
}

void TFormSpecialFolder::SetRowKeyword(std::size_t row, std::string_view keyword) {
    SetText(kSFolderRowEdit + static_cast<int>(row), keyword);
}

void TFormSpecialFolder::Show() {
    // The several hundred controls are made when the dialog is first shown, so start-up does not wait for them.
    if (!Control(kSFolderScrollBox1)) CreateControls();
    SetChecked(kSFolderCheckBox1, deps_.module.FlgOpenExplorer);
    registered_ = RegisteredRows(deps_.keyWords);
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const bool registered = registered_[i] >= 0;
        SetRowTicked(i, registered);
        SetRowKeyword(i, registered ? deps_.keyWords.KeyWordAt(static_cast<std::size_t>(registered_[i]))
                                    : std::string(table[i].keyword));
        previousKeywords_[i] = RowKeyword(i);
    }
    OpenOverOwner(kSFolderBtnSet);
}

void TFormSpecialFolder::BtnAllClick() {
    for (std::size_t i = 0; i < kSpecialFolderCount; ++i) SetRowTicked(i, true);
}

void TFormSpecialFolder::BtnClearClick() {
    for (std::size_t i = 0; i < kSpecialFolderCount; ++i) SetRowTicked(i, false);
}

void TFormSpecialFolder::BtnProposalClick() {
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) SetRowTicked(i, table[i].recommended);
}

void TFormSpecialFolder::BtnClearNameClick() {
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) SetRowKeyword(i, table[i].keyword);
}

// The last node of the tree named "##特殊フォルダ", or a new one at the end of the top level.
FolderTree::Node* TFormSpecialFolder::SpecialFolderNode() {
    FolderTree& tree = deps_.host.Tree();
    if (FolderTree::Node* node = tree.FindLast(kSpecialFolderNode)) return node;
    FolderTree::Node* node = tree.AppendChild(nullptr, kSpecialFolderNode);
    node->imageIndex = node->selectedImageIndex = deps_.host.IconIndex(1);
    deps_.host.ShowNewNode(node);
    return node;
}

void TFormSpecialFolder::BtnSetClick() {
    if (!Control(kSFolderScrollBox1)) return;  // never shown: no rows to take
    const auto& table = SpecialFolderTable();
    std::vector<SpecialFolderRow> rows(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        rows[i] = {RowTicked(i), RowKeyword(i), previousKeywords_[i], registered_[i]};
    std::vector<bool> red;
    const std::string problem = CheckSpecialFolderRows(rows, deps_.keyWords, red);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].ticked) continue;  // a cleared row keeps its colour
        red_[i] = red[i];
        InvalidateRect(RowControl(kSFolderRowEdit + static_cast<int>(i)), nullptr, TRUE);
    }
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }

    FolderTree& tree = deps_.host.Tree();
    FolderTree::Node* folder = SpecialFolderNode();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SpecialFolderRow& row = rows[i];
        const std::int32_t csidl = table[i].csidl;
        // A row's tree node changes only when the module took the change; a refusal it has reported.
        switch (ActionOf(row)) {
            case SpecialFolderAction::Register:
                if (deps_.module.RegisterSpecialFolder(row.keyword, csidl, false)) {
                    FolderTree::Node* node = tree.AppendChild(folder, row.keyword);
                    node->imageIndex = node->selectedImageIndex = deps_.host.IconIndex(5);
                    deps_.host.ShowNewNode(node);
                }
                break;
            case SpecialFolderAction::Change:
                if (!deps_.module.ChangeSpecialFolder(row.previousKeyword, row.keyword, csidl, false)) break;
                if (FolderTree::Node* node = tree.FindLast(row.previousKeyword)) {
                    node->text = row.keyword;
                    deps_.host.UpdateNode(node);
                }
                break;
            case SpecialFolderAction::Delete:
                if (!deps_.module.DeleteSpecialFolder(row.previousKeyword, false)) break;
                if (FolderTree::Node* node = tree.FindLast(row.previousKeyword)) deps_.host.RemoveNode(node);
                break;
            case SpecialFolderAction::None:
                break;
        }
    }
    deps_.host.SaveTree();
    deps_.module.SaveKeyWords();
    deps_.host.RefreshResultList();
    deps_.module.FlgOpenExplorer = Checked(kSFolderCheckBox1);
    deps_.module.SaveSetting(deps_.places.HomeSheetFolder() + "\\setting.ini");
    Hide();
}

LRESULT TFormSpecialFolder::EditColour(HDC dc, HWND edit) const {
    const int row = GetDlgCtrlID(edit) - kSFolderRowEdit;
    const bool red = row >= 0 && row < static_cast<int>(kSpecialFolderCount) && red_[static_cast<std::size_t>(row)];
    SetTextColor(dc, red ? kRed : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT TFormSpecialFolder::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Control(kSFolderScrollBox1)) return Default(message, wParam, lParam);  // no rows yet
    switch (message) {
        case WM_VSCROLL:
            ScrollBox1Scroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollRows(ScrollPosition() - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * Scale(kWheelStep));
            return 0;
        case WM_CTLCOLOREDIT:
            return EditColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED_AFTERPARENT:
            // The rows were laid out anew at the top of the box.
            SetScrollBar(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace zanmel::ui
