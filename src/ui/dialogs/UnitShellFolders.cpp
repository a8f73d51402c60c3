#include "ui/dialogs/UnitShellFolders.h"

#include <algorithm>

#include "core/LauncherItemRules.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormSpecialFolder";
constexpr wchar_t kScrollBoxClass[] = L"TScrollBox";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 720;
constexpr int kClientHeight = 520;
constexpr int kScrollLeft = 10;
constexpr int kScrollTop = 50;
constexpr int kScrollWidth = 700;
constexpr int kScrollHeight = 384;
constexpr int kRowPitch = 18;
constexpr int kRowHeight = 17;
constexpr int kWheelStep = 8;  // pixels per notch
constexpr COLORREF kRed = RGB(255, 0, 0);

int ContentHeight() {
    return kRowPitch * static_cast<int>(kSpecialFolderCount) + 2 * 10;
}

}  // namespace

// ScrollBox1: holds the rows and scrolls them; their commands and colours go to the dialog.
class TFormSpecialFolder::ScrollBox : public platform::Window {
public:
    explicit ScrollBox(TFormSpecialFolder& owner) : owner_(owner) {
        RegisterWindowClass(kScrollBoxClass);
        Create(kScrollBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | WS_TABSTOP,
               WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, kScrollLeft, kScrollTop, kScrollWidth, kScrollHeight,
               owner.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSFolderScrollBox1)));
        SetWindowLongPtrW(Handle(), GWLP_ID, kSFolderScrollBox1);
        UpdateScrollBar();
    }

    int Position() const { return position_; }

    void ScrollTo(int position) {
        RECT client;
        GetClientRect(Handle(), &client);
        const int limit = std::max(0, ContentHeight() - static_cast<int>(client.bottom));
        position = std::clamp(position, 0, limit);
        if (position == position_) return;
        ScrollWindowEx(Handle(), 0, position_ - position, nullptr, nullptr, nullptr, nullptr,
                       SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        position_ = position;
        UpdateScrollBar();
    }

    void Wheel(short delta) { ScrollTo(position_ - delta / WHEEL_DELTA * kWheelStep); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_VSCROLL: {
                RECT client;
                GetClientRect(Handle(), &client);
                SCROLLINFO info{};
                info.cbSize = sizeof(info);
                info.fMask = SIF_TRACKPOS;
                GetScrollInfo(Handle(), SB_VERT, &info);
                switch (LOWORD(wParam)) {
                    case SB_LINEUP:
                        ScrollTo(position_ - kRowPitch);
                        break;
                    case SB_LINEDOWN:
                        ScrollTo(position_ + kRowPitch);
                        break;
                    case SB_PAGEUP:
                        ScrollTo(position_ - client.bottom);
                        break;
                    case SB_PAGEDOWN:
                        ScrollTo(position_ + client.bottom);
                        break;
                    case SB_THUMBTRACK:
                    case SB_THUMBPOSITION:
                        ScrollTo(info.nTrackPos);
                        break;
                    case SB_TOP:
                        ScrollTo(0);
                        break;
                    case SB_BOTTOM:
                        ScrollTo(ContentHeight());
                        break;
                    default:
                        break;
                }
                return 0;
            }
            case WM_MOUSEWHEEL:
                Wheel(static_cast<short>(HIWORD(wParam)));
                return 0;
            case WM_COMMAND:
                if (owner_.RowCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
                break;
            case WM_CTLCOLOREDIT:
                return owner_.EditColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            default:
                break;
        }
        return Default(message, wParam, lParam);
    }

private:
    void UpdateScrollBar() {
        RECT client;
        GetClientRect(Handle(), &client);
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = ContentHeight() - 1;
        info.nPage = static_cast<UINT>(client.bottom);
        info.nPos = position_;
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    }

    TFormSpecialFolder& owner_;
    int position_ = 0;
};

TFormSpecialFolder::TFormSpecialFolder(TDebugTimer& timer, Dependencies deps)
    : deps_(deps),
      registered_(kSpecialFolderCount, -1),
      previousKeywords_(kSpecialFolderCount),
      red_(kSpecialFolderCount, false),
      font_(platform::CreateUiFont()) {
    timer.BeginStage();
    RegisterWindowClass(kClassName);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    Create(kClassName, ToWide("特殊フォルダ"), kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
           frame.bottom - frame.top, deps_.host.MainWindow());
    platform::EnableDialogNavigation(Handle());
    timer.EndStage("TFormSpecialFolder::TFormSpecialFolder");
}

TFormSpecialFolder::~TFormSpecialFolder() = default;

void TFormSpecialFolder::CreateControls() {
    const auto add = [&](HWND parent, const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width,
                         int height, int id = 0, DWORD exStyle = 0) {
        return AddControl(parent, font_.Get(), "TFormSpecialFolder", cls, text, WS_VISIBLE | style, x, y, width, height,
                          id, exStyle);
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    add(Handle(), L"STATIC", "キーワード(規定値)", label, kScrollLeft + 10, 10, 150, 16, kSFolderLabel1);
    add(Handle(), L"STATIC", "キーワード", label, kScrollLeft + 170, 10, 170, 16, kSFolderLabel2);
    add(Handle(), L"STATIC", "説明", label, kScrollLeft + 350, 10, 300, 16, kSFolderLabel3);
    add(Handle(), L"STATIC", "チェックしたキーワード名で特殊フォルダを開けるように設定します。", label, kScrollLeft, 30,
        kScrollWidth, 16, kSFolderLabel4);

    scrollBox1_ = std::make_unique<ScrollBox>(*this);
    HWND box = scrollBox1_->Handle();
    const int labelWidth = kScrollWidth - 160 - 10 - 180 - 30;
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int top = kRowPitch * static_cast<int>(i) + 10;
        const int row = static_cast<int>(i);
        add(box, L"BUTTON", table[i].keyword, BS_AUTOCHECKBOX | WS_TABSTOP, 10, top, 160, kRowHeight,
            kSFolderRowCheck + row);
        add(box, L"EDIT", table[i].keyword, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 170, top, 180, kRowHeight,
            kSFolderRowEdit + row);
        add(box, L"STATIC", table[i].description, label | SS_ENDELLIPSIS, 350, top, labelWidth, kRowHeight,
            kSFolderRowLabel + row);
        SetRowTicked(i, true);
    }

    const int top = kScrollTop + kScrollHeight + 10;
    add(Handle(), L"BUTTON", "エクスプローラで開く", BS_AUTOCHECKBOX | WS_TABSTOP, kScrollLeft, top, 300, 20,
        kSFolderCheckBox1);
    int x = kScrollLeft;
    for (const auto& [id, caption] : {std::pair{kSFolderBtnAll, "すべて選択"},
                                      {kSFolderBtnClear, "すべて解除"},
                                      {kSFolderBtnProposal, "推奨設定"},
                                      {kSFolderBtnClearName, "キーワードを規定値に戻す"}}) {
        const int width = id == kSFolderBtnClearName ? 180 : 100;
        add(Handle(), L"BUTTON", caption, button, x, top + 28, width, 26, id);
        x += width + 6;
    }
    add(Handle(), L"BUTTON", "設定", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - 10 - 2 * 90 - 6, top + 28, 90, 26,
        kSFolderBtnSet);
    add(Handle(), L"BUTTON", "閉じる", button, kClientWidth - 10 - 90, top + 28, 90, 26, kSFolderBtnHide);
}

HWND TFormSpecialFolder::Control(int id) const {
    if (!scrollBox1_) return nullptr;  // not shown yet
    if (id >= kSFolderRowCheck) return GetDlgItem(scrollBox1_->Handle(), id);
    return GetDlgItem(Handle(), id);
}

bool TFormSpecialFolder::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

int TFormSpecialFolder::ScrollPosition() const {
    return scrollBox1_ ? scrollBox1_->Position() : 0;
}

void TFormSpecialFolder::SetRowTicked(std::size_t row, bool ticked) {
    const int i = static_cast<int>(row);
    SetChecked(Control(kSFolderRowCheck + i), ticked);
    ShowWindow(Control(kSFolderRowEdit + i), ticked ? SW_SHOWNA : SW_HIDE);
}

bool TFormSpecialFolder::RowTicked(std::size_t row) const {
    return IsChecked(Control(kSFolderRowCheck + static_cast<int>(row)));
}

std::string TFormSpecialFolder::RowKeyword(std::size_t row) const {
    return KeywordFromField(ControlText(Control(kSFolderRowEdit + static_cast<int>(row))));
}

void TFormSpecialFolder::SetRowKeyword(std::size_t row, std::string_view keyword) {
    SetControlText(Control(kSFolderRowEdit + static_cast<int>(row)), keyword);
}

void TFormSpecialFolder::Show() {
    // The several hundred controls are made when the dialog is first shown, so start-up does not wait for them.
    if (!scrollBox1_) CreateControls();
    SetChecked(Control(kSFolderCheckBox1), deps_.module.FlgOpenExplorer);
    registered_ = RegisteredRows(deps_.keyWords);
    const auto& table = SpecialFolderTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const bool registered = registered_[i] >= 0;
        SetRowTicked(i, registered);
        SetRowKeyword(i, registered ? deps_.keyWords.KeyWordAt(static_cast<std::size_t>(registered_[i]))
                                    : std::string(table[i].keyword));
        previousKeywords_[i] = RowKeyword(i);
    }
    EnableWindow(deps_.host.MainWindow(), FALSE);
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kSFolderBtnSet));
}

void TFormSpecialFolder::Hide() {
    EnableWindow(deps_.host.MainWindow(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
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
    if (!scrollBox1_) return;  // never shown: no rows to take
    const auto& table = SpecialFolderTable();
    std::vector<SpecialFolderRow> rows(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        rows[i] = {RowTicked(i), RowKeyword(i), previousKeywords_[i], registered_[i]};
    std::vector<bool> red;
    const std::string problem = CheckSpecialFolderRows(rows, deps_.keyWords, red);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].ticked) continue;  // a cleared row keeps its colour
        red_[i] = red[i];
        InvalidateRect(Control(kSFolderRowEdit + static_cast<int>(i)), nullptr, TRUE);
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
                if (deps_.module.ChangeSpecialFolder(row.previousKeyword, row.keyword, csidl, false)) {
                    if (FolderTree::Node* node = tree.FindLast(row.previousKeyword)) {
                        node->text = row.keyword;
                        deps_.host.UpdateNode(node);
                    }
                }
                break;
            case SpecialFolderAction::Delete:
                if (deps_.module.DeleteSpecialFolder(row.previousKeyword, false)) {
                    if (FolderTree::Node* node = tree.FindLast(row.previousKeyword)) deps_.host.RemoveNode(node);
                }
                break;
            case SpecialFolderAction::None:
                break;
        }
    }
    deps_.host.SaveTree();
    deps_.module.SaveKeyWords();
    deps_.host.RefreshResultList();
    deps_.module.FlgOpenExplorer = IsChecked(Control(kSFolderCheckBox1));
    deps_.module.SaveSetting(deps_.places.HomeSheetFolder() + "\\setting.ini");
    Hide();
}

bool TFormSpecialFolder::RowCommand(int id, WORD code) {
    if (id >= kSFolderRowCheck && id < kSFolderRowCheck + static_cast<int>(kSpecialFolderCount) && code == BN_CLICKED) {
        const auto row = static_cast<std::size_t>(id - kSFolderRowCheck);
        SetRowTicked(row, RowTicked(row));
        return true;
    }
    return false;
}

LRESULT TFormSpecialFolder::EditColour(HDC dc, HWND edit) const {
    const int row = GetDlgCtrlID(edit) - kSFolderRowEdit;
    const bool red = row >= 0 && row < static_cast<int>(kSpecialFolderCount) && red_[static_cast<std::size_t>(row)];
    SetTextColor(dc, red ? kRed : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT TFormSpecialFolder::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kSFolderBtnAll:
                    BtnAllClick();
                    return 0;
                case kSFolderBtnClear:
                    BtnClearClick();
                    return 0;
                case kSFolderBtnProposal:
                    BtnProposalClick();
                    return 0;
                case kSFolderBtnClearName:
                    BtnClearNameClick();
                    return 0;
                case kSFolderBtnSet:
                case IDOK:
                    BtnSetClick();
                    return 0;
                case kSFolderBtnHide:
                case IDCANCEL:
                    Hide();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_MOUSEWHEEL:
            if (scrollBox1_) scrollBox1_->Wheel(static_cast<short>(HIWORD(wParam)));
            return 0;
        case WM_CLOSE:
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
