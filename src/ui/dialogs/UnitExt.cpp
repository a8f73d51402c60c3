#include "ui/dialogs/UnitExt.h"

#include <utility>

#include "core/CommaText.h"
#include "core/LauncherSettingRules.h"
#include "core/PathRules.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/UnitLauncherSetting.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormExt";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 470;
constexpr int kInnerLeft = 16;
constexpr int kInnerWidth = kClientWidth - 2 * kInnerLeft;
constexpr int kStandardHeight = 196;  // GroupBox1 with its margins
constexpr int kExtraHeight = 244;     // GroupBox2 with its margins
constexpr int kButtonRowHeight = 40;
constexpr int kButtonHeight = 26;
constexpr int kEditHeight = 22;

WPARAM IndexOf(const std::vector<std::string>& entries, std::string_view text) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == text) return static_cast<WPARAM>(i);
    return static_cast<WPARAM>(-1);  // not listed: nothing selected
}

}  // namespace

TFormExt::TFormExt(TDebugTimer& timer, Dependencies deps) : deps_(deps), font_(platform::CreateUiFont()) {
    timer.BeginStage();
    RegisterWindowClass(kClassName);
    Create(kClassName, L"FormExt", kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, 300,
           deps_.form4.Handle());
    collapsedHeight_ = kStandardHeight + kButtonRowHeight;
    expandedHeight_ = collapsedHeight_ + kExtraHeight;
    verbs_ = CommaTextSplit(deps_.launcher.VerbList);
    showModes_ = CommaTextSplit(deps_.launcher.ShowModeList);
    DragAcceptFiles(Handle(), TRUE);
    platform::EnableDialogNavigation(Handle());
    timer.EndStage("TFormExt::TFormExt");
}

void TFormExt::CreateControls() {
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id = 0, DWORD exStyle = 0) {
        return AddControl(Handle(), font_.Get(), "TFormExt", cls, text, WS_VISIBLE | style, x, y, width, height, id,
                          exStyle);
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;

    add(L"BUTTON", "標準設定", BS_GROUPBOX, 6, 4, kClientWidth - 12, kStandardHeight - 8, kExtGroupBox1);
    add(L"STATIC", kExtKeyLabel, label, kInnerLeft, 24, kInnerWidth, 16, kExtLabel1);
    add(L"EDIT", "", edit, kInnerLeft, 42, kInnerWidth, kEditHeight, kExtEdit1, WS_EX_CLIENTEDGE);
    add(L"STATIC", ExtPathLabel(ext_mode::kExtAdd), label, kInnerLeft, 72, kInnerWidth, 16, kExtLabel2);
    add(L"EDIT", "", edit, kInnerLeft, 90, kInnerWidth, kEditHeight, kExtEdit2, WS_EX_CLIENTEDGE);
    add(L"STATIC", "ファイルをドロップして下さい", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX, kInnerLeft,
        120, kInnerWidth, 28, kExtPanel2);
    const int buttonWidth = (kInnerWidth - 2 * 6) / 3;
    int x = kInnerLeft;
    for (const auto& [id, caption] : {std::pair{kExtBtnRefFile, "ファイル参照"},
                                      {kExtBtnExpandFilePath, "絶対パス化"},
                                      {kExtBtnRelativeFilePath, "相対パス化"}}) {
        add(L"BUTTON", caption, button, x, 156, buttonWidth, kButtonHeight, id);
        x += buttonWidth + 6;
    }

    const int top = kStandardHeight;
    const auto extra = [&](HWND child) { extraControls_.push_back(child); };
    extra(add(L"BUTTON", "詳細設定", BS_GROUPBOX, 6, top, kClientWidth - 12, kExtraHeight - 8, kExtGroupBox2));
    extra(add(L"STATIC", "オープンモード", label, kInnerLeft, top + 20, kInnerWidth, 16));
    const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    HWND combo1 = add(L"COMBOBOX", "", list, kInnerLeft, top + 38, 200, 200, kExtComboBox1);
    extra(combo1);
    extra(add(L"STATIC", "アプリケーションに渡す引数", label, kInnerLeft, top + 68, kInnerWidth, 16));
    extra(add(L"EDIT", "", edit, kInnerLeft, top + 86, kInnerWidth, kEditHeight, kExtEdit3, WS_EX_CLIENTEDGE));
    extra(add(L"STATIC", "作業フォルダ(空白で実行ファイルのフォルダが指定されます)", label, kInnerLeft, top + 116,
              kInnerWidth, 16));
    extra(add(L"EDIT", "", edit, kInnerLeft, top + 134, kInnerWidth, kEditHeight, kExtEdit4, WS_EX_CLIENTEDGE));
    extra(add(L"STATIC", "メインウィンドウの表示方法", label, kInnerLeft, top + 164, kInnerWidth, 16));
    HWND combo2 = add(L"COMBOBOX", "", list, kInnerLeft, top + 182, 200, 300, kExtComboBox2);
    extra(combo2);
    extra(add(L"BUTTON", "アプリケーションに渡す引数を無視して起動", BS_AUTOCHECKBOX | WS_TABSTOP, kInnerLeft,
              top + 210, kInnerWidth, 20, kExtCheckBox1));
    for (const std::string& verb : verbs_)
        SendMessageW(combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(verb).c_str()));
    for (const std::string& mode : showModes_)
        SendMessageW(combo2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(mode).c_str()));

    add(L"BUTTON", "詳細設定表示", button, kInnerLeft, 0, 130, kButtonHeight, kExtBtnShowExtra);
    add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kClientWidth - kInnerLeft - 2 * 80 - 6, 0, 80, kButtonHeight,
        kExtBtnOK);
    add(L"BUTTON", "Cancel", button, kClientWidth - kInnerLeft - 80, 0, 80, kButtonHeight, kExtBtnCancel);
}

std::string TFormExt::Text(ExtControl id) const {
    return ControlText(Control(id));
}

void TFormExt::SetText(ExtControl id, std::string_view text) {
    SetControlText(Control(id), text);
}

bool TFormExt::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

bool TFormExt::ExtraShown() const {
    return IsWindowVisible(Control(kExtGroupBox2)) != FALSE;
}

void TFormExt::ShowExtra(bool shown) {
    const int rowTop =
        (shown ? kStandardHeight + kExtraHeight : kStandardHeight) + (kButtonRowHeight - kButtonHeight) / 2;
    ShowExtraGroup(Handle(), extraControls_, {Control(kExtBtnShowExtra), Control(kExtBtnOK), Control(kExtBtnCancel)},
                   rowTop, kClientWidth, shown ? expandedHeight_ : collapsedHeight_, Control(kExtBtnShowExtra), shown);
}

void TFormExt::BtnShowExtraClick() {
    ShowExtra(!ExtraShown());
}

void TFormExt::LoadRecord(const TLaunchWordData2& record) {
    SetText(kExtEdit2, record.path);
    SendMessageW(Control(kExtComboBox1), CB_SETCURSEL, IndexOf(verbs_, record.verb), 0);
    SetText(kExtEdit3, record.parameters);
    SetText(kExtEdit4, record.workingFolder);
    SendMessageW(Control(kExtComboBox2), CB_SETCURSEL, IndexOf(showModes_, record.ShowModeName()), 0);
    SetChecked(Control(kExtCheckBox1), record.IsBareArgument());
}

void TFormExt::Show() {
    // The controls are made when the dialog is first shown, so start-up does not wait for them.
    if (!Control(kExtBtnOK)) CreateControls();
    // An entry to edit is read first: data that is no record stops here, with nothing disabled.
    TLaunchWordData2 record;
    std::string key;
    if (mode_ == ext_mode::kExtUpdate) {
        key = deps_.form4.SelectedKey();
        record = TLaunchWordData2::Parse(deps_.launcher.ExtList.DataOf(key));
    } else if (mode_ == ext_mode::kWeb) {
        record = deps_.launcher.WEBData;
    } else if (mode_ == ext_mode::kUnplug) {
        record = deps_.launcher.UnplagData;
    }
    EnableWindow(deps_.form4.Handle(), FALSE);
    ShowExtra(false);
    const bool withKey = IsExtensionMode(mode_);
    for (const ExtControl id : {kExtLabel1, kExtEdit1}) ShowWindow(Control(id), withKey ? SW_SHOWNA : SW_HIDE);
    SetText(kExtLabel2, ExtPathLabel(mode_));
    if (mode_ == ext_mode::kExtAdd) {
        SendMessageW(Control(kExtComboBox1), CB_SETCURSEL, 0, 0);
        SendMessageW(Control(kExtComboBox2), CB_SETCURSEL, 0, 0);
        SetChecked(Control(kExtCheckBox1), false);
        for (const ExtControl id : {kExtEdit1, kExtEdit2, kExtEdit3, kExtEdit4}) SetText(id, "");
    } else {
        if (mode_ == ext_mode::kExtUpdate) {
            previousKey_ = key;
            SetText(kExtEdit1, key);
        }
        LoadRecord(record);
    }
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kExtBtnOK));
}

void TFormExt::Hide() {
    EnableWindow(deps_.form4.Handle(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void TFormExt::BtnOKClick() {
    if (!Control(kExtBtnOK)) return;  // never shown: nothing to take
    const auto selected = [&](ExtControl id, const std::vector<std::string>& entries) {
        const LRESULT index = SendMessageW(Control(id), CB_GETCURSEL, 0, 0);
        return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? entries[static_cast<std::size_t>(index)]
                                                                              : std::string();
    };
    LauncherItemFields fields;
    fields.keyword = Text(kExtEdit1);
    fields.path = Text(kExtEdit2);
    fields.verb = selected(kExtComboBox1, verbs_);
    fields.parameters = Text(kExtEdit3);
    fields.workingFolder = Text(kExtEdit4);
    fields.showModeName = selected(kExtComboBox2, showModes_);
    const std::string problem = CheckExtFields(mode_, fields.keyword, fields.path);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    const TLaunchWordData2 record = ExtRecordFromFields(fields, IsChecked(Control(kExtCheckBox1)));
    if (mode_ == ext_mode::kExtAdd) {
        if (!deps_.launcher.RegisterExt(fields.keyword, record)) return;
        deps_.form4.RefreshGrid();
    } else if (mode_ == ext_mode::kExtUpdate) {
        if (!deps_.launcher.ChangeExt(previousKey_, fields.keyword, record)) return;
        deps_.form4.RefreshGrid();
    } else if (mode_ == ext_mode::kWeb) {
        deps_.launcher.WEBData = record;
    } else if (mode_ == ext_mode::kUnplug) {
        deps_.launcher.UnplagData = record;
    }
    Hide();
}

void TFormExt::TakeChosenPath(const std::string& path) {
    SetText(kExtEdit2, deps_.state.AutoRelativePath(path));
    if (Text(kExtEdit1).empty()) SetText(kExtEdit1, FileNameOf(path));
}

void TFormExt::BtnRefFileClick() {
    const auto chosen = deps_.ui.OpenFile("", "");
    if (chosen) TakeChosenPath(*chosen);
    SetCurrentDirectoryW(ToWide(deps_.state.ProgramFolder()).c_str());
}

void TFormExt::BtnExpandFilePathClick() {
    SetText(kExtEdit2, deps_.state.AbsolutePath(Text(kExtEdit2)));
}

void TFormExt::BtnRelativeFilePathClick() {
    SetText(kExtEdit2, deps_.state.RelativePath(Text(kExtEdit2)));
}

void TFormExt::FormDropFiles(HDROP drop) {
    const platform::DropHandle release(drop);
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        TakeChosenPath(ToCp932(path));
    }
}

LRESULT TFormExt::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kExtBtnOK:
                case IDOK:
                    BtnOKClick();
                    return 0;
                case kExtBtnCancel:
                case IDCANCEL:
                    BtnCancelClick();
                    return 0;
                case kExtBtnShowExtra:
                    BtnShowExtraClick();
                    return 0;
                case kExtBtnRefFile:
                    BtnRefFileClick();
                    return 0;
                case kExtBtnExpandFilePath:
                    BtnExpandFilePathClick();
                    return 0;
                case kExtBtnRelativeFilePath:
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
            Hide();  // closing is Cancel
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
