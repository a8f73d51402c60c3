#include "ui/dialogs/UnitScan.h"

#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "core/ZanmelError.h"
#include "platform/FolderScan.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "platform/Win32LaunchShell.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormScan";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kClientWidth = 440;
constexpr int kLeft = 12;
constexpr int kInnerWidth = kClientWidth - 2 * kLeft;
constexpr int kPanel2Top = 132;
constexpr int kButtonRowHeight = 42;
constexpr int kButtonHeight = 26;

// Shell special folder identifiers of the standard folders.
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlFavorites = 6;
constexpr int kCsidlStartMenu = 11;
constexpr int kCsidlCommonStartMenu = 22;
constexpr int kCsidlCommonPrograms = 23;
constexpr int kCsidlCommonFavorites = 31;

struct ModeTexts {
    const char* caption;
    const char* label1;
    const char* label2;
};
constexpr ModeTexts kModeTexts[] = {
    {"IEお気に入りのスキャン", "", "Favoritesファイルを指定して下さい。"},
    {"プログラムのスキャン", "スタートメニューのプログラムの", "フォルダを指定してください。"},
    {"EXEファイルのスキャン", "スキャンしたいフォルダを指定してください", "※サブフォルダも検索します"},
    {"詳細スキャン", "スキャンしたいフォルダを指定してください", "※サブフォルダも検索します"},
};

}  // namespace

std::string GetSpecialFolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return ToCp932(path);
}

TFormScan::TFormScan(Dependencies deps) : deps_(deps), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, L"", kStyle, kExStyle, CW_USEDEFAULT, CW_USEDEFAULT, kClientWidth, 300, deps_.host.MainWindow());
    platform::EnableDialogNavigation(Handle());
    fullHeight_ = kPanel2Top + kPanel2Height + kButtonRowHeight;
    CreateControls();
    DragAcceptFiles(Handle(), TRUE);
    ShowPanel2(false);
}

void TFormScan::CreateControls() {
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id, DWORD exStyle = 0) {
        HWND child = CreateWindowExW(exStyle, cls, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                     height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        if (!child) throw ZanmelError("TFormScan", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    add(L"STATIC", "", label, kLeft, 10, kInnerWidth, 16, kScanLabel1);
    add(L"STATIC", "", label, kLeft, 28, kInnerWidth, 16, kScanLabel2);
    add(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kLeft, 50, 260, 200, kScanComboBox1);
    add(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kLeft, 81, kInnerWidth - 112, 22, kScanEdit1, WS_EX_CLIENTEDGE);
    add(L"BUTTON", "フォルダを開く", BS_PUSHBUTTON | WS_TABSTOP, kClientWidth - kLeft - 104, 80, 104, kButtonHeight - 2,
        kScanBtnFolder);
    add(L"STATIC", "フォルダをドロップできます。", label, kLeft, 110, kInnerWidth, 16, kScanLabel3);

    const int top = kPanel2Top;
    const auto panel = [&](HWND child) { panel2Controls_.push_back(child); };
    panel(add(L"STATIC", "拡張子リスト（カンマ区切りで記述 <例>txt,bmp,png）", label, kLeft, top + 4, kInnerWidth, 16,
              kScanLabel4));
    panel(
        add(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kLeft, top + 22, kInnerWidth, 22, kScanEdit2, WS_EX_CLIENTEDGE));
    panel(add(L"BUTTON", "キーワード", BS_GROUPBOX, kLeft, top + 50, kInnerWidth, 76, kScanRadioGroup1));
    int y = top + 66;
    for (const auto& [id, caption] : {std::pair{kScanRadioName, "ファイル名"},
                                      {kScanRadioNameWithExt, "ファイル名(拡張子を含む)"},
                                      {kScanRadioFullPath, "フルパス"}}) {
        const DWORD first = id == kScanRadioName ? WS_GROUP | WS_TABSTOP : 0;
        panel(add(L"BUTTON", caption, BS_AUTORADIOBUTTON | first, kLeft + 12, y, kInnerWidth - 24, 18, id));
        y += 18;
    }
    panel(add(L"BUTTON", "フォルダ構造をツリービューに反映する", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, kLeft,
              top + 132, kInnerWidth, 18, kScanCheckBox1));
    panel(add(L"BUTTON", "フォルダを登録する(フルパス指定のみ有効)", BS_AUTOCHECKBOX | WS_TABSTOP, kLeft, top + 152,
              kInnerWidth, 18, kScanCheckBox2));

    add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, kClientWidth - kLeft - 2 * 80 - 6, 0, 80,
        kButtonHeight, kScanBtnOK);
    add(L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, kClientWidth - kLeft - 80, 0, 80, kButtonHeight,
        kScanBtnCancel);
}

std::string TFormScan::Text(ScanControl id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
    return ToCp932(text);
}

void TFormScan::SetText(ScanControl id, std::string_view text) {
    SetWindowTextW(Control(id), ToWide(text).c_str());
}

bool TFormScan::Checked(ScanControl id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TFormScan::SetChecked(ScanControl id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int TFormScan::RadioGroup1Index() const {
    const ScanControl items[] = {kScanRadioName, kScanRadioNameWithExt, kScanRadioFullPath};
    for (int i = 0; i < 3; ++i)
        if (Checked(items[i])) return i;
    return -1;
}

bool TFormScan::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

bool TFormScan::Panel2Shown() const {
    return IsWindowVisible(Control(kScanEdit2)) != FALSE;
}

// Panel2 shown or hidden: the client height and the button row follow. Its controls keep their values.
void TFormScan::ShowPanel2(bool shown) {
    for (HWND control : panel2Controls_) ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    const int height = shown ? FullHeight() : ReducedHeight();
    const int rowTop = height - kButtonRowHeight + (kButtonRowHeight - kButtonHeight) / 2;
    for (const ScanControl id : {kScanBtnOK, kScanBtnCancel}) {
        HWND control = Control(id);
        RECT rc;
        GetWindowRect(control, &rc);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rc), 2);
        SetWindowPos(control, nullptr, rc.left, rowTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame{0, 0, kClientWidth, height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormScan::Show() {
    const std::uint8_t mode = scanMode_ <= kScanCustom ? scanMode_ : kScanCustom;
    const ModeTexts& texts = kModeTexts[mode];
    SetWindowTextW(Handle(), ToWide(texts.caption).c_str());
    SetText(kScanLabel1, texts.label1);
    SetText(kScanLabel2, texts.label2);

    HWND combo = Control(kScanComboBox1);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    std::vector<std::pair<const char*, int>> items;
    if (mode == kScanFavorites) {
        items = {{"個人", kCsidlFavorites}, {"AllUsers", kCsidlCommonFavorites}};
    } else if (mode == kScanPrograms) {
        items = {{"スタートメニュー(個人)", kCsidlStartMenu},
                 {"スタートメニュー(AllUsers)", kCsidlCommonStartMenu},
                 {"プログラム(個人)", kCsidlPrograms},
                 {"プログラム(AllUsers)", kCsidlCommonPrograms}};
    }
    comboFolders_.clear();
    for (const auto& [caption, csidl] : items) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(caption).c_str()));
        comboFolders_.push_back(csidl);
    }
    ShowWindow(combo, items.empty() ? SW_HIDE : SW_SHOWNA);
    if (!items.empty()) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        SetText(kScanEdit1, GetSpecialFolderPath(comboFolders_.front()));
    } else {
        SetText(kScanEdit1, "");
    }
    if (mode == kScanCustom) {
        SetText(kScanEdit2, "pdf,doc,xls");
        CheckRadioButton(Handle(), kScanRadioName, kScanRadioFullPath, kScanRadioNameWithExt);
    }
    ShowPanel2(mode == kScanCustom);

    EnableWindow(deps_.host.MainWindow(), FALSE);
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kScanEdit1));
}

void TFormScan::Hide() {
    // The main window comes back before this one hides, so the activation returns to it.
    EnableWindow(deps_.host.MainWindow(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
}

void TFormScan::ComboBox1Change() {
    if (scanMode_ != kScanFavorites && scanMode_ != kScanPrograms) return;
    const LRESULT index = SendMessageW(Control(kScanComboBox1), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= comboFolders_.size()) return;
    SetText(kScanEdit1, GetSpecialFolderPath(comboFolders_[static_cast<std::size_t>(index)]));
}

void TFormScan::BtnFolderClick() {
    SetText(kScanEdit1, deps_.state.FolderBrowser(deps_.ui, Handle(), Text(kScanEdit1)));
}

void TFormScan::FormDropFiles(HDROP drop) {
    const platform::DropHandle release(drop);
    SetForegroundWindow(Handle());
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        SetText(kScanEdit1, ToCp932(path));
    }
}

ScanOptions TFormScan::Options() const {
    ScanOptions options;
    options.mode = scanMode_;
    options.extensionList = Text(kScanEdit2);
    options.keywordForm = RadioGroup1Index();
    options.reflectFolders = Checked(kScanCheckBox1);
    options.registerFolders = Checked(kScanCheckBox2);
    return options;
}

// The image of an icon number: a built-in icon is in the image list already; a captured one is loaded and
// appended, and the item shows that image (an older map line of a reused number holds another picture).
int TFormScan::IconImage(std::int32_t number) {
    if (number < kFirstIconFileNumber) {
        const int index = deps_.host.IconIndex(number);
        if (index >= 0) return index;
    }
    const platform::IconHandle icon = platform::LoadIconFile(deps_.state.SheetFolder() + "\\icon", number);
    return deps_.host.AddIcon(number, icon.Get());
}

void TFormScan::BtnOKClick() {
    if (Text(kScanEdit1).empty()) {
        deps_.ui.ShowMessage("フォルダを指定してください。");
        return;
    }
    if (!dirView_) return;
    ItemScan scan(Options(), {deps_.host.Tree(), deps_.launcher, deps_.keyWords, deps_.files, deps_.state,
                              [this](std::int32_t number) { return IconImage(number); }, deps_.host.IconIndex(1)});
    FolderTree::Node* top = scan.AddTopFolder();
    deps_.host.ShowNewNode(top);

    Hide();
    EnableWindow(deps_.host.MainWindow(), FALSE);
    dirView_->SetTitle("スキャン中");
    dirView_->SetLabel1("ファイルをスキャン中です。(※閉じるとスキャンを中断します)");
    dirView_->SetLabel2("");
    dirView_->Show();
    try {
        platform::ScanFolder(*dirView_, scan, deps_.state.AbsolutePath(Text(kScanEdit1)), top);
    } catch (...) {
        // What was registered before the error stays and is saved (which may fail in turn, so no scope guard);
        // the main window must not stay disabled.
        EndScan(top);
        throw;
    }
    EndScan(top);
    deps_.host.RefreshResultList();
    if (!scan.Failures().empty()) deps_.ui.ShowMessage(ScanFailureMessage(scan.Failures()));
}

void TFormScan::EndScan(FolderTree::Node* top) {
    EnableWindow(deps_.host.MainWindow(), TRUE);
    deps_.host.UpdateNode(top);
    const platform::ScopeGuard hide([this] { dirView_->Hide(); });
    deps_.host.SaveTree();
    deps_.files.WriteFile(deps_.state.SheetFolder() + "\\keyword.txt", deps_.keyWords.SaveToText());
}

LRESULT TFormScan::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kScanComboBox1:
                    if (HIWORD(wParam) == CBN_SELCHANGE) ComboBox1Change();
                    return 0;
                case kScanBtnOK:
                case IDOK:
                    if (HIWORD(wParam) == BN_CLICKED) BtnOKClick();
                    return 0;
                case kScanBtnCancel:
                case IDCANCEL:
                    if (HIWORD(wParam) == BN_CLICKED) BtnCancelClick();
                    return 0;
                case kScanBtnFolder:
                    if (HIWORD(wParam) == BN_CLICKED) BtnFolderClick();
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
