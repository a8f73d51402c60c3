#include "ui/dialogs/UnitLauncherItem.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "core/CommaText.h"
#include "core/LauncherItemRules.h"
#include "core/PathRules.h"
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

constexpr wchar_t kClassName[] = L"TFormZanmel";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kClientWidth = 470;
constexpr int kInnerLeft = 16;
constexpr int kInnerWidth = kClientWidth - 2 * kInnerLeft;
constexpr int kStandardHeight = 196;  // GroupBox1 with its margins
constexpr int kExtraHeight = 220;     // GroupBox2 with its margins
constexpr int kButtonRowHeight = 40;
constexpr int kButtonHeight = 26;
constexpr int kEditHeight = 22;

}  // namespace

TFormZanmel::TFormZanmel(Dependencies deps) : deps_(deps), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, ToWide("ランチャ登録"), kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, 300,
           deps_.host.MainWindow());
    platform::EnableDialogNavigation(Handle());
    collapsedHeight_ = kStandardHeight + kButtonRowHeight;
    expandedHeight_ = collapsedHeight_ + kExtraHeight;
    verbs_ = CommaTextSplit(deps_.launcher.VerbList);
    showModes_ = CommaTextSplit(deps_.launcher.ShowModeList);
    CreateControls();
    ShowExtra(false);
}

void TFormZanmel::CreateControls() {
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id = 0, DWORD exStyle = 0) {
        HWND child = CreateWindowExW(exStyle, cls, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                     height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        if (!child) throw ZanmelError("TFormZanmel", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;

    add(L"BUTTON", "標準設定", BS_GROUPBOX, 6, 4, kClientWidth - 12, kStandardHeight - 8, kItemGroupBox1);
    add(L"STATIC", "キーワード", label, kInnerLeft, 24, kInnerWidth, 16);
    add(L"EDIT", "", edit, kInnerLeft, 42, kInnerWidth, kEditHeight, kItemEdit1, WS_EX_CLIENTEDGE);
    add(L"STATIC", "ファイル、フォルダ", label, kInnerLeft, 72, kInnerWidth, 16);
    add(L"EDIT", "", edit, kInnerLeft, 90, kInnerWidth, kEditHeight, kItemEdit2, WS_EX_CLIENTEDGE);
    add(L"STATIC", "ファイルをドロップして下さい", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX, kInnerLeft,
        120, kInnerWidth, 28, kItemPanel2);
    const int buttonWidth = (kInnerWidth - 3 * 6) / 4;
    int x = kInnerLeft;
    for (const auto& [id, caption] : {std::pair{kItemBtnRefFile, "ファイル参照"},
                                      {kItemBtnRefDir, "フォルダ参照"},
                                      {kItemBtnExpandFilePath, "絶対パス化"},
                                      {kItemBtnRelativeFilePath, "相対パス化"}}) {
        add(L"BUTTON", caption, button, x, 156, buttonWidth, kButtonHeight, id);
        x += buttonWidth + 6;
    }

    const int top = kStandardHeight;
    const auto extra = [&](HWND child) { extraControls_.push_back(child); };
    extra(add(L"BUTTON", "詳細設定", BS_GROUPBOX, 6, top, kClientWidth - 12, kExtraHeight - 8, kItemGroupBox2));
    extra(add(L"STATIC", "オープンモード", label, kInnerLeft, top + 20, kInnerWidth, 16));
    // Lists only: a verb or show mode counts only as a selected entry.
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    HWND combo1 = add(L"COMBOBOX", "", list, kInnerLeft, top + 38, 200, 200, kItemComboBox1);
    extra(combo1);
    extra(add(L"STATIC", "アプリケーションに渡す引数", label, kInnerLeft, top + 68, kInnerWidth, 16));
    extra(add(L"EDIT", "", edit, kInnerLeft, top + 86, kInnerWidth, kEditHeight, kItemEdit3, WS_EX_CLIENTEDGE));
    extra(add(L"STATIC", "作業フォルダ(実行ファイルの場合、空白で実行ファイルのフォルダが指定されます)", label,
              kInnerLeft, top + 116, kInnerWidth, 16));
    extra(add(L"EDIT", "", edit, kInnerLeft, top + 134, kInnerWidth, kEditHeight, kItemEdit4, WS_EX_CLIENTEDGE));
    extra(add(L"STATIC", "メインウィンドウの表示方法", label, kInnerLeft, top + 164, kInnerWidth, 16));
    HWND combo2 = add(L"COMBOBOX", "", list, kInnerLeft, top + 182, 200, 300, kItemComboBox2);
    extra(combo2);
    for (const std::string& verb : verbs_)
        SendMessageW(combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(verb).c_str()));
    for (const std::string& mode : showModes_)
        SendMessageW(combo2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(mode).c_str()));

    add(L"BUTTON", "詳細設定表示", button, kInnerLeft, 0, 130, kButtonHeight, kItemBtnShowExtra);
    add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - kInnerLeft - 2 * 80 - 6, 0, 80, kButtonHeight,
        kItemBtnOK);
    add(L"BUTTON", "Cancel", button, kClientWidth - kInnerLeft - 80, 0, 80, kButtonHeight, kItemBtnCancel);
}

std::string TFormZanmel::Text(LauncherItemControl id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
    return ToCp932(text);
}

void TFormZanmel::SetText(LauncherItemControl id, std::string_view text) {
    SetWindowTextW(Control(id), ToWide(text).c_str());
}

bool TFormZanmel::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

bool TFormZanmel::ExtraShown() const {
    return IsWindowVisible(Control(kItemGroupBox2)) != FALSE;
}

// The extra group shown or hidden; the client height and the button row follow.
void TFormZanmel::ShowExtra(bool shown) {
    const int rowTop =
        (shown ? kStandardHeight + kExtraHeight : kStandardHeight) + (kButtonRowHeight - kButtonHeight) / 2;
    ShowExtraGroup(Handle(), extraControls_, {Control(kItemBtnShowExtra), Control(kItemBtnOK), Control(kItemBtnCancel)},
                   rowTop, kClientWidth, shown ? expandedHeight_ : collapsedHeight_, Control(kItemBtnShowExtra), shown);
}

void TFormZanmel::BtnShowExtraClick() {
    ShowExtra(!ExtraShown());
}

// The first verb ("open") and the first show mode ("SW_SHOWNORMAL"), no parameters, no working folder.
void TFormZanmel::ResetExtra() {
    SendMessageW(Control(kItemComboBox1), CB_SETCURSEL, 0, 0);
    SendMessageW(Control(kItemComboBox2), CB_SETCURSEL, 0, 0);
    SetText(kItemEdit3, "");
    SetText(kItemEdit4, "");
}

void TFormZanmel::SetPathAndKeyword(std::string_view fullPath) {
    SetText(kItemEdit2, deps_.state.AutoRelativePath(fullPath));
    SetText(kItemEdit1, FileNameOf(fullPath));
}

void TFormZanmel::Show() {
    // An edit reads its record first: a keyword that cannot be read stops here, with nothing disabled.
    TLaunchWordData2 record;
    if (dialogMode_ == kModeEdit) {
        const FolderTree::Node* node = deps_.host.CurrentNode();
        if (!node) return;
        record = TLaunchWordData2::Parse(deps_.keyWords.DataOf(node->text));
        previousKeyword_ = node->text;
    }
    DragAcceptFiles(Handle(), TRUE);
    EnableWindow(deps_.host.MainWindow(), FALSE);
    ShowExtra(false);
    if (dialogMode_ == kModeEdit) {
        SetText(kItemEdit1, previousKeyword_);
        SetText(kItemEdit2, record.path);
        const auto indexOf = [](const std::vector<std::string>& entries, std::string_view text) {
            for (std::size_t i = 0; i < entries.size(); ++i)
                if (entries[i] == text) return static_cast<WPARAM>(i);
            return static_cast<WPARAM>(-1);  // not listed: nothing selected
        };
        SendMessageW(Control(kItemComboBox1), CB_SETCURSEL, indexOf(verbs_, record.verb), 0);
        SetText(kItemEdit3, record.parameters);
        SetText(kItemEdit4, record.workingFolder);
        SendMessageW(Control(kItemComboBox2), CB_SETCURSEL, indexOf(showModes_, record.ShowModeName()), 0);
    } else {
        ResetExtra();
        if (dialogMode_ == kModeNew) {
            SetText(kItemEdit1, "");
            SetText(kItemEdit2, "");
        }
    }
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kItemBtnOK));
}

void TFormZanmel::Hide() {
    // The main window comes back before this one hides, so the activation returns to it.
    EnableWindow(deps_.host.MainWindow(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

LauncherItemFields TFormZanmel::Fields() const {
    const auto selected = [&](LauncherItemControl id, const std::vector<std::string>& entries) {
        const LRESULT index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
        return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? entries[static_cast<std::size_t>(index)]
                                                                              : std::string();
    };
    LauncherItemFields fields;
    fields.keyword = KeywordFromField(Text(kItemEdit1));
    fields.path = Text(kItemEdit2);
    fields.verb = selected(kItemComboBox1, verbs_);
    fields.parameters = Text(kItemEdit3);
    fields.workingFolder = Text(kItemEdit4);
    fields.showModeName = selected(kItemComboBox2, showModes_);
    return fields;
}

void TFormZanmel::BtnOKClick() {
    const LauncherItemFields fields = Fields();
    const bool editing = dialogMode_ == kModeEdit;
    const std::string problem = CheckLauncherItem(
        fields, editing, previousKeyword_, [&](std::string_view keyword) { return deps_.keyWords.Exists(keyword); });
    if (!problem.empty()) {
        if (!IsShown()) Show();
        deps_.ui.ShowMessage(problem);
        return;
    }
    const TLaunchWordData2 record = RecordFromFields(fields);
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

void TFormZanmel::QuickRegistration() {
    // The caller disabled the main window; whatever stops the registration while the dialog stays hidden (the
    // launch module's own message, a raised error) must not leave it disabled.
    const platform::ScopeGuard release([this] {
        if (!IsShown() && !deps_.picker.IsShown()) EnableWindow(deps_.host.MainWindow(), TRUE);
    });
    ShowExtra(false);
    ResetExtra();
    BtnOKClick();
}

void TFormZanmel::TakeChosenPath(const std::string& path, bool keywordFromField) {
    SetText(kItemEdit2, deps_.state.AutoRelativePath(path));
    if (Text(kItemEdit1).empty()) SetText(kItemEdit1, FileNameOf(keywordFromField ? Text(kItemEdit2) : path));
}

void TFormZanmel::BtnRefFileClick() {
    const auto chosen = deps_.ui.OpenFile("", "");
    if (chosen) TakeChosenPath(*chosen, false);
    SetCurrentDirectoryW(ToWide(deps_.state.ProgramFolder()).c_str());
}

void TFormZanmel::BtnRefDirClick() {
    const std::string folder = deps_.state.FolderBrowser(deps_.ui, Handle(), "");
    if (!folder.empty()) TakeChosenPath(folder, false);
}

void TFormZanmel::BtnExpandFilePathClick() {
    SetText(kItemEdit2, deps_.state.AbsolutePath(Text(kItemEdit2)));
}

void TFormZanmel::BtnRelativeFilePathClick() {
    SetText(kItemEdit2, deps_.state.RelativePath(Text(kItemEdit2)));
}

void TFormZanmel::FormDropFiles(HDROP drop) {
    const platform::DropHandle release(drop);
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        TakeChosenPath(ToCp932(path), true);
    }
}

LRESULT TFormZanmel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kItemBtnOK:
                case IDOK:
                    BtnOKClick();
                    return 0;
                case kItemBtnCancel:
                case IDCANCEL:
                    BtnCancelClick();
                    return 0;
                case kItemBtnShowExtra:
                    BtnShowExtraClick();
                    return 0;
                case kItemBtnRefFile:
                    BtnRefFileClick();
                    return 0;
                case kItemBtnRefDir:
                    BtnRefDirClick();
                    return 0;
                case kItemBtnExpandFilePath:
                    BtnExpandFilePathClick();
                    return 0;
                case kItemBtnRelativeFilePath:
                    BtnRelativeFilePathClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_DROPFILES:
            FormDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
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
