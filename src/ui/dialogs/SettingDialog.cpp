#include "ui/dialogs/SettingDialog.h"

#include <optional>
#include <utility>

#include "core/CommaText.h"
#include "platform/WindowSubclass.h"
#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr UINT_PTR kHotKeySubclassId = 1;
constexpr const char* kRestartNote = "※1 設定を有効にするにはZanmelの再起動が必要";

// Where each corner panel of a group sits in the picture of the screen, by bit: column and row of a 3 x 3 grid.
constexpr int kCornerColumn[8] = {0, 1, 2, 0, 2, 0, 1, 2};
constexpr int kCornerRow[8] = {2, 2, 2, 1, 1, 0, 0, 0};
// The first corner panel of each group; the others follow it in bit order.
constexpr int kFirstCorner[2] = {kSettingPanel11, kSettingPanel21};

// The group and bit of a corner panel; none for another control.
std::optional<std::pair<int, int>> CornerOf(int id) {
    for (const int group : {0, 1})
        if (id >= kFirstCorner[group] && id < kFirstCorner[group] + 8)
            return std::pair{group, id - kFirstCorner[group]};
    return std::nullopt;
}

// The check boxes and the switches of TSetting they show.
// clang-format off
constexpr std::pair<SettingControl, bool TSetting::*> kSwitches[] = {
    {kSettingCheckBox1, &TSetting::MinimatizeOnNoActive}, {kSettingCheckBox2, &TSetting::GoTaskTray},
    {kSettingCheckBox3, &TSetting::ForeCaseSensitive}, {kSettingCheckBox4, &TSetting::PartialCaseSensitive},
    {kSettingCheckBox5, &TSetting::NoMakePopupMenu}, {kSettingCheckBox6, &TSetting::NoUseIcon},
    {kSettingCheckBox7, &TSetting::RomajiSearch},
};
// clang-format on

}  // namespace

TFormSetting::TFormSetting(TDebugTimer& timer, TSetting& setting, HWND mainWindow, std::string_view skinNames)
    // The stage begins before the window is made.
    : DialogWindow(
          (timer.BeginStage(), Frame{L"TFormSetting", "全体設定", 440, 382, mainWindow,
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT})),
      setting_(setting),
      skinNames_(CommaTextSplit(skinNames)) {
    timer.EndStage("TFormSetting::TFormSetting");
}

TFormSetting::~TFormSetting() {
    for (const int id : {kSettingEdit1, kSettingEdit2})
        if (HWND edit = Control(id)) platform::RemoveSubclass(edit, &TFormSetting::HotKeyEditProc, kHotKeySubclassId);
}

// The pages' controls are made visible while the dialog is hidden; showing it shows only the first page.
void TFormSetting::CreateControls() {
    using F = TFormSetting;

    // The tab strip lies under the pages' controls, which are its siblings; TabSheet1 "設定" follows it.
    pageStarts_[0] = ControlCount() + 1;
    // clang-format off
    AddControls<F>(*this, {
        {WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, {6, 6, 428, 332}, kSettingPageControl1},
        {L"BUTTON", "非アクティブで最小化", kCheck, {20, 42, 380, 20}, kSettingCheckBox1},
        {L"BUTTON", "タスクトレイに常駐(※1)", kCheck, {20, 66, 380, 20}, kSettingCheckBox2},
        {L"BUTTON", "前方一致検索時に大文字小文字を区別する", kCheck, {20, 90, 380, 20}, kSettingCheckBox3},
        {L"BUTTON", "部分一致検索時に大文字小文字を区別する", kCheck, {20, 114, 380, 20}, kSettingCheckBox4},
        {L"BUTTON", "ローマ字入力で仮名のキーワードも検索する", kCheck, {20, 138, 380, 20}, kSettingCheckBox7},
        {L"STATIC", "初めて起動するPCで使用するスキン", kLabel, {20, 172, 380, 16}},
        {L"COMBOBOX", "", kList, {20, 190, 220, 240}, kSettingComboBox3},
        {L"STATIC", "呼び出し時のIMEの状態(※1)", kLabel, {20, 224, 380, 16}},
        {L"COMBOBOX", "", kList, {20, 242, 220, 200}, kSettingComboBox4},
        {L"STATIC", kRestartNote, kLabel, {20, 312, 400, 16}},
    });
    // clang-format on
    int index = 0;
    for (const char* caption : {"設定", "呼び出し", "高速化"}) {
        std::wstring text = ToWide(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        TabCtrl_InsertItem(Control(kSettingPageControl1), index++, &item);
    }
    AddEntries(kSettingComboBox3, skinNames_);
    AddEntries(kSettingComboBox4, ImeModeNames());

    // TabSheet2 "呼び出し": the same three triggers for the main window and for the popup menu.
    pageStarts_[1] = ControlCount();
    const struct {
        const char* caption;
        int edit;
        int mouse;
        int top;
    } groups[] = {{"Zanmel呼び出し設定(※1)", kSettingEdit1, kSettingComboBox1, 36},
                  {"ポップアップメニュー呼び出し設定(※1)", kSettingEdit2, kSettingComboBox2, 172}};
    for (int g = 0; g < 2; ++g) {
        const auto& group = groups[g];
        const int top = group.top;
        // clang-format off
        AddControls<F>(*this, {
            {L"BUTTON", group.caption, BS_GROUPBOX, {14, top, 412, 130}},
            {L"BUTTON", "ホットキー", BS_GROUPBOX, {24, top + 18, 190, 50}},
            {L"EDIT", "", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, {32, top + 36, 174, 22}, group.edit,
             WS_EX_CLIENTEDGE},
            {L"BUTTON", "マウス", BS_GROUPBOX, {24, top + 70, 190, 52}},
            {L"COMBOBOX", "", kList, {32, top + 88, 174, 240}, group.mouse},
            {L"BUTTON", "コーナーマウス", BS_GROUPBOX, {226, top + 18, 186, 104}},
        });
        // clang-format on
        for (int bit = 0; bit < 8; ++bit) {
            AddControl(L"STATIC", "", SS_OWNERDRAW | SS_NOTIFY,
                       {240 + kCornerColumn[bit] * 56, top + 38 + kCornerRow[bit] * 26, 46, 20}, kFirstCorner[g] + bit);
        }
        platform::InstallSubclass(Control(group.edit), &TFormSetting::HotKeyEditProc, kHotKeySubclassId,
                                  reinterpret_cast<DWORD_PTR>(this));
        AddEntries(group.mouse, MouseTriggerNames());
    }
    AddControl(L"STATIC", kRestartNote, kLabel, {20, 312, 400, 16});

    // TabSheet4 "高速化".
    pageStarts_[2] = ControlCount();
    // clang-format off
    AddControls<F>(*this, {
        {L"STATIC", "※ポップアップメニュー型のランチャとして使わない人向け", kLabel, {20, 42, 400, 16}},
        {L"STATIC", "登録アイテム数が多くなると起動に時間がかかるようになります。", kLabel, {20, 62, 400, 16}},
        {L"STATIC", "起動時間が遅すぎて我慢できない人は以下の項目を試してください。", kLabel, {20, 82, 400, 16}},
        {L"BUTTON", "起動時にポップアップメニューを作成しない(※1)", kCheck, {20, 112, 400, 20}, kSettingCheckBox5},
        {L"BUTTON", "アイコンを表示しない(※1)", kCheck, {20, 136, 400, 20}, kSettingCheckBox6},
        {L"STATIC", kRestartNote, kLabel, {20, 312, 400, 16}},
    });
    pageStarts_[3] = ControlCount();
    AddControls<F>(*this, {
        {L"BUTTON", "閉じる", BS_DEFPUSHBUTTON | WS_TABSTOP, {344, 346, 90, 26}, kSettingButton1, 0, &F::Hide},
    });
    // clang-format on
}

void TFormSetting::ShowPage(int page) {
    SendMessageW(Control(kSettingPageControl1), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (int i = 0; i < kPageCount; ++i) {
        for (std::size_t c = pageStarts_[i]; c < pageStarts_[i + 1]; ++c)
            ShowWindow(ControlAt(c), i == page ? SW_SHOWNA : SW_HIDE);
    }
}

void TFormSetting::Show() {
    // The controls are made when the dialog is first shown, so start-up does not wait for them.
    if (!Control(kSettingPageControl1)) CreateControls();
    for (const auto& [id, on] : kSwitches) SetChecked(id, setting_.*on);
    Select(kSettingComboBox1, ListSelection(setting_.MouseZanmel, MouseTriggerNames().size()));
    Select(kSettingComboBox2, ListSelection(setting_.MousePopup, MouseTriggerNames().size()));
    Select(kSettingComboBox4, ListSelection(setting_.ImeMode, ImeModeNames().size()));
    SetText(kSettingEdit1, HotKeyText(setting_.HotKeyZanmel));
    SetText(kSettingEdit2, HotKeyText(setting_.HotKeyPopup));
    corners_ = {CornerPositionsOf(setting_.CornerZanmel), CornerPositionsOf(setting_.CornerPopup)};
    for (int group = 0; group < 2; ++group)
        for (int bit = 0; bit < 8; ++bit) InvalidateRect(Control(kFirstCorner[group] + bit), nullptr, TRUE);
    SelectEntry(kSettingComboBox3, skinNames_, setting_.DefaultSkinName);
    ShowPage(0);
    OpenOverOwner(kSettingButton1);
}

void TFormSetting::Hide() {
    // Whatever the save does, the main window comes back and the dialog goes; a failed write is reported after.
    const platform::ScopeGuard release([this] { HideToOwner(); });
    if (!Control(kSettingPageControl1)) return;  // never shown: nothing to take, the settings stay
    for (const auto& [id, on] : kSwitches) setting_.*on = Checked(id);
    // No selection is stored as -1.
    setting_.MouseZanmel = Selection(kSettingComboBox1);
    setting_.MousePopup = Selection(kSettingComboBox2);
    setting_.ImeMode = Selection(kSettingComboBox4);
    setting_.CornerZanmel = CornerMaskOf(corners_[0]);
    setting_.CornerPopup = CornerMaskOf(corners_[1]);
    setting_.DefaultSkinName = SelectedEntry(kSettingComboBox3, skinNames_).value_or(kDefaultSkinName);
    setting_.SaveSetting();
}

void TFormSetting::HotKeyKeyDown(SettingControl field, std::uint16_t virtualKey, bool ctrl, bool shift, bool alt) {
    THotKeyRecord& key = field == kSettingEdit2 ? setting_.HotKeyPopup : setting_.HotKeyZanmel;
    SetText(field, TypeHotKey(key, ctrl, shift, alt, virtualKey));
}

LRESULT CALLBACK TFormSetting::HotKeyEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) noexcept {
    auto* form = reinterpret_cast<TFormSetting*>(self);
    switch (message) {
        case WM_GETDLGCODE: {
            // Every key but Tab belongs to the field (Esc and Enter too), so that Tab still leaves it.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->wParam != VK_TAB &&
                (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN || msg->message == WM_CHAR ||
                 msg->message == WM_SYSCHAR))
                return DLGC_WANTMESSAGE | DLGC_WANTCHARS;
            break;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            const auto field = static_cast<SettingControl>(GetDlgCtrlID(hwnd));
            const auto held = [](int key) { return GetKeyState(key) < 0; };
            platform::GuardCallback([&] {
                form->HotKeyKeyDown(field, static_cast<std::uint16_t>(wParam), held(VK_CONTROL), held(VK_SHIFT),
                                    held(VK_MENU));
            });
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR:
            return 0;  // the field shows only what a key-down wrote
        default:
            break;
    }
    return platform::CallNextSubclass(hwnd, message, wParam, lParam);
}

// The tab control as it paints itself (its page and tabs), made when first needed.
bool TFormSetting::EnsurePageBrush() {
    if (pageBrush_) return true;
    // The tab control asks for this dialog's background while it paints its page: that request gets the face
    // colour.
    if (makingPageBrush_) return false;
    makingPageBrush_ = true;
    const platform::ScopeGuard done([this] { makingPageBrush_ = false; });
    HWND tabs = Control(kSettingPageControl1);
    RECT page{};
    if (!tabs || !GetClientRect(tabs, &page) || page.right <= 0 || page.bottom <= 0) return false;
    {
        const platform::WindowDc screen(tabs);
        const platform::MemoryDc memory(CreateCompatibleDC(screen.Get()));
        pageBitmap_.Reset(CreateCompatibleBitmap(screen.Get(), page.right, page.bottom));
        const platform::SelectedObject drawn(memory.Get(), pageBitmap_.Get());
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    pageBrush_.Reset(CreatePatternBrush(pageBitmap_.Get()));
    return static_cast<bool>(pageBrush_);
}

// A control standing on the tab control's page gets the page's painting as its background brush, aligned to
// where the control stands; other controls get the default.
LRESULT TFormSetting::PageControlColor(HDC dc, HWND control) {
    HWND tabs = Control(kSettingPageControl1);
    RECT page{};
    RECT at{};
    if (!tabs || !GetClientRect(tabs, &page) || !GetWindowRect(control, &at)) return 0;
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&at), 2);
    RECT overlap{};
    if (!IntersectRect(&overlap, &page, &at) || !EnsurePageBrush()) return 0;
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, -at.left, -at.top, nullptr);
    return reinterpret_cast<LRESULT>(pageBrush_.Get());
}

// The dialog's background: its face colour, and under the tab control the page, for themed group boxes that
// paint their parent's background behind them.
void TFormSetting::PaintBackground(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HWND tabs = Control(kSettingPageControl1);
    RECT page{};
    if (!tabs || !GetWindowRect(tabs, &page) || !EnsurePageBrush()) return;
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&page), 2);
    POINT origin{page.left, page.top};
    LPtoDP(dc, &origin, 1);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    FillRect(dc, &page, pageBrush_.Get());
}

LRESULT TFormSetting::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // A click on a corner panel toggles it between raised and lowered.
            if (const auto corner = CornerOf(LOWORD(wParam))) {
                if (HIWORD(wParam) == STN_CLICKED || HIWORD(wParam) == STN_DBLCLK) {
                    bool& lowered = corners_[corner->first][corner->second];
                    lowered = !lowered;
                    InvalidateRect(Control(LOWORD(wParam)), nullptr, TRUE);
                }
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kSettingPageControl1 && header->code == TCN_SELCHANGE) {
                ShowPage(CurrentPage());
                return 0;
            }
            break;
        }
        case WM_DRAWITEM: {
            // A corner panel: raised when off, lowered when on, with a bevel two pixels wide.
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (const auto corner = CornerOf(static_cast<int>(item->CtlID))) {
                RECT rc = item->rcItem;
                FillRect(item->hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
                DrawEdge(item->hDC, &rc, corners_[corner->first][corner->second] ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const LRESULT brush = PageControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            break;
        case WM_ERASEBKGND:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            ResetPageBrush();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
