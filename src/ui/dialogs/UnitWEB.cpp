#include "ui/dialogs/UnitWEB.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/CommaText.h"
#include "core/DropRules.h"
#include "core/LauncherItemRules.h"
#include "core/ZanmelError.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/ItemFiling.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormWEB";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kClientWidth = 470;
constexpr int kInnerLeft = 16;
constexpr int kInnerWidth = kClientWidth - 2 * kInnerLeft;
constexpr int kStandardHeight = 164;  // GroupBox1 with its margins
constexpr int kExtraHeight = 150;     // GroupBox3 with its margins
constexpr int kButtonRowHeight = 40;
constexpr int kButtonHeight = 26;
constexpr int kEditHeight = 22;

}  // namespace

TFormWEB::TFormWEB(Dependencies deps) : deps_(deps), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, ToWide("WEB登録"), kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, 300,
           deps_.host.MainWindow());
    platform::EnableDialogNavigation(Handle());
    collapsedHeight_ = kStandardHeight + kButtonRowHeight;
    expandedHeight_ = collapsedHeight_ + kExtraHeight;
    CreateControls();
    ShowExtra(false);
    dropTarget_ = std::make_unique<platform::DropTargetRegistration>(
        Handle(), new platform::CDropTarget(
                      Handle(), [this](const std::string& name, const std::string& url) { SetLink(name, url); }));
}

// The drop target goes while the window is still there.
TFormWEB::~TFormWEB() = default;

void TFormWEB::CreateControls() {
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id = 0, DWORD exStyle = 0) {
        HWND child = CreateWindowExW(exStyle, cls, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                     height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        if (!child) throw ZanmelError("TFormWEB", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;

    add(L"BUTTON", "標準設定", BS_GROUPBOX, 6, 4, kClientWidth - 12, kStandardHeight - 8, kWebGroupBox1);
    add(L"STATIC", "キーワード", label, kInnerLeft, 24, kInnerWidth, 16);
    add(L"EDIT", "", edit, kInnerLeft, 42, kInnerWidth, kEditHeight, kWebEdit1, WS_EX_CLIENTEDGE);
    add(L"STATIC", "URL", label, kInnerLeft, 72, kInnerWidth, 16);
    add(L"EDIT", "", edit, kInnerLeft, 90, kInnerWidth, kEditHeight, kWebEdit2, WS_EX_CLIENTEDGE);
    add(L"STATIC", "ファイルをドロップして下さい", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX, kInnerLeft,
        120, kInnerWidth, 28, kWebPanel2);

    const int top = kStandardHeight;
    const auto extra = [&](HWND child) { extraControls_.push_back(child); };
    extra(add(L"BUTTON", "URLダイレクト", BS_GROUPBOX, 6, top, kClientWidth - 12, kExtraHeight - 8, kWebGroupBox3));
    extra(
        add(L"STATIC", "検索バーで\"あああああ\"を探索した", label, kInnerLeft, top + 20, kInnerWidth, 16, kWebLabel8));
    extra(add(L"STATIC", "URLを入力した状態で以下のボタンをクリック", label, kInnerLeft, top + 38, kInnerWidth, 16,
              kWebLabel9));
    extra(add(L"STATIC", "文字コード", label, kInnerLeft, top + 64, 90, 16));
    HWND combo = add(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kInnerLeft + 96, top + 60, 150, 120,
                     kWebComboBox3);
    extra(combo);
    for (const std::string& entry : CommaTextSplit(deps_.launcher.CharSetList))
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
    extra(add(L"BUTTON", "URLダイレクトを使用する", BS_AUTOCHECKBOX | WS_TABSTOP, kInnerLeft, top + 92, 250, 20,
              kWebCheckBox2));
    extra(add(L"BUTTON", "自動設定", button, kClientWidth - kInnerLeft - 100, top + 88, 100, kButtonHeight,
              kWebBtnAutoSet));

    add(L"BUTTON", "詳細設定表示", button, kInnerLeft, 0, 130, kButtonHeight, kWebBtnShowExtra);
    add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - kInnerLeft - 2 * 80 - 6, 0, 80, kButtonHeight,
        kWebBtnOK);
    add(L"BUTTON", "Cancel", button, kClientWidth - kInnerLeft - 80, 0, 80, kButtonHeight, kWebBtnCancel);
}

std::string TFormWEB::Text(WebItemControl id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
    return ToCp932(text);
}

void TFormWEB::SetText(WebItemControl id, std::string_view text) {
    SetWindowTextW(Control(id), ToWide(text).c_str());
}

int TFormWEB::CharacterSet() const {
    return static_cast<int>(SendMessageW(Control(kWebComboBox3), CB_GETCURSEL, 0, 0));
}

void TFormWEB::SetCharacterSet(int entry) {
    SendMessageW(Control(kWebComboBox3), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

bool TFormWEB::UrlDirect() const {
    return SendMessageW(Control(kWebCheckBox2), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFormWEB::SetUrlDirect(bool on) {
    SendMessageW(Control(kWebCheckBox2), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TFormWEB::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

bool TFormWEB::ExtraShown() const {
    return IsWindowVisible(Control(kWebGroupBox3)) != FALSE;
}

// The extra group shown or hidden; the client height and the button row follow.
void TFormWEB::ShowExtra(bool shown) {
    const int rowTop =
        (shown ? kStandardHeight + kExtraHeight : kStandardHeight) + (kButtonRowHeight - kButtonHeight) / 2;
    ShowExtraGroup(Handle(), extraControls_, {Control(kWebBtnShowExtra), Control(kWebBtnOK), Control(kWebBtnCancel)},
                   rowTop, kClientWidth, shown ? expandedHeight_ : collapsedHeight_, Control(kWebBtnShowExtra), shown);
}

void TFormWEB::BtnShowExtraClick() {
    ShowExtra(!ExtraShown());
}

void TFormWEB::ResetExtra() {
    SetCharacterSet(TLaunchWordData2::kShiftJis);
    SetUrlDirect(false);
}

void TFormWEB::SetLink(std::string_view name, std::string_view url) {
    SetText(kWebEdit2, url);
    SetText(kWebEdit1, WithoutLastExtension(name));
}

void TFormWEB::Show() {
    // An edit reads its record first: a keyword that cannot be read stops here, with nothing disabled.
    TLaunchWordData2 record;
    if (dialogMode_ == kModeEdit) {
        const FolderTree::Node* node = deps_.host.CurrentNode();
        if (!node) return;
        record = TLaunchWordData2::Parse(deps_.keyWords.DataOf(node->text));
        previousKeyword_ = node->text;
    }
    EnableWindow(deps_.host.MainWindow(), FALSE);
    ShowExtra(false);
    if (dialogMode_ == kModeEdit) {
        SetText(kWebEdit1, previousKeyword_);
        SetText(kWebEdit2, record.path);
        SetCharacterSet(record.CharacterSet());
        SetUrlDirect(record.IsUrlDirect());
    } else {
        ResetExtra();
        if (dialogMode_ == kModeNew) {
            SetText(kWebEdit1, "");
            SetText(kWebEdit2, "");
        }
    }
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kWebBtnOK));
}

void TFormWEB::Hide() {
    // The main window comes back before this one hides, so the activation returns to it.
    EnableWindow(deps_.host.MainWindow(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void TFormWEB::BtnAutoSetClick() {
    const std::string url = Text(kWebEdit2);
    if (url.empty()) {
        deps_.ui.ShowMessage(kAutoSetUrlEmpty);
        return;
    }
    const auto setting = AutoSetUrlDirect(url);
    if (!setting) return;  // a template already
    SetCharacterSet(setting->characterSet);
    SetText(kWebEdit2, setting->url);
    SetUrlDirect(true);
}

void TFormWEB::BtnOKClick() {
    LauncherItemFields fields;
    fields.keyword = KeywordFromField(Text(kWebEdit1));
    fields.path = Text(kWebEdit2);
    const bool editing = dialogMode_ == kModeEdit;
    const std::string problem = CheckLauncherItem(
        fields, editing, previousKeyword_, [&](std::string_view keyword) { return deps_.keyWords.Exists(keyword); },
        kWebFieldsEmpty);
    if (!problem.empty()) {
        if (!IsShown()) Show();
        deps_.ui.ShowMessage(problem);
        return;
    }
    const TLaunchWordData2 record = WebRecord(fields.path, UrlDirect(), CharacterSet());
    const ItemFiling filing{deps_.host, deps_.picker, deps_.keyWords, deps_.state};
    if (!editing) {
        if (!deps_.launcher.RegisterItem(fields.keyword, record, true)) return;
        filing.FileNewItem(Handle(), IsShown(), placement_, fields.keyword, [this] { Hide(); });
        return;
    }
    if (!deps_.launcher.ChangeItem(previousKeyword_, fields.keyword, record)) return;
    filing.RenameCurrentItem(fields.keyword);
    Hide();
}

void TFormWEB::QuickRegistration() {
    // Whatever stops the registration while the dialog stays hidden (the launch module's own message, a raised
    // error) must not leave the main window disabled.
    const platform::ScopeGuard release([this] {
        if (!IsShown() && !deps_.picker.IsShown()) EnableWindow(deps_.host.MainWindow(), TRUE);
    });
    ShowExtra(false);
    ResetExtra();
    BtnOKClick();
}

LRESULT TFormWEB::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kWebBtnOK:
                case IDOK:
                    BtnOKClick();
                    return 0;
                case kWebBtnCancel:
                case IDCANCEL:
                    BtnCancelClick();
                    return 0;
                case kWebBtnShowExtra:
                    BtnShowExtraClick();
                    return 0;
                case kWebBtnAutoSet:
                    BtnAutoSetClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            // The dialog lives until exit: closing is Cancel.
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
