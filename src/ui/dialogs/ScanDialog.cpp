#include "ui/dialogs/ScanDialog.h"

#include <shlobj.h>

#include <algorithm>
#include <span>
#include <utility>

#include "platform/FolderScan.h"
#include "platform/TextCodec.h"
#include "platform/Win32LaunchShell.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

// The special folders a scan mode offers in ComboBox1 (caption, CSIDL).
constexpr std::pair<const char*, int> kFavoriteFolders[] = {{"個人", CSIDL_FAVORITES},
                                                            {"AllUsers", CSIDL_COMMON_FAVORITES}};
constexpr std::pair<const char*, int> kProgramFolders[] = {{"スタートメニュー(個人)", CSIDL_STARTMENU},
                                                           {"スタートメニュー(AllUsers)", CSIDL_COMMON_STARTMENU},
                                                           {"プログラム(個人)", CSIDL_PROGRAMS},
                                                           {"プログラム(AllUsers)", CSIDL_COMMON_PROGRAMS}};

// What the dialog shows for each scan mode; a mode without folders hides ComboBox1.
struct ModeView {
    const char* caption;
    const char* label1;
    const char* label2;
    std::span<const std::pair<const char*, int>> folders;
};
constexpr ModeView kModeViews[] = {
    {"IEお気に入りのスキャン", "", "Favoritesファイルを指定して下さい。", kFavoriteFolders},
    {"プログラムのスキャン", "スタートメニューのプログラムの", "フォルダを指定してください。", kProgramFolders},
    {"EXEファイルのスキャン", "スキャンしたいフォルダを指定してください", "※サブフォルダも検索します", {}},
    {"詳細スキャン", "スキャンしたいフォルダを指定してください", "※サブフォルダも検索します", {}},
};

}  // namespace

std::string GetSpecialFolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
    return ToCp932(path);
}

TFormScan::TFormScan(Dependencies deps)
    : DialogWindow({.className = L"TFormScan",
                    .caption = "",
                    .clientWidth = 440,
                    .clientHeight = kFullHeight - kPanel2Height,
                    .owner = deps.host.MainWindow()}),
      deps_(deps) {
    using F = TFormScan;
    // Panel2 (Label4 to CheckBox2) starts hidden; the button row is moved when it shows.
    // clang-format off
    AddControls<F>(*this, {
        {L"STATIC", "", kLabel, {12, 10, 416, 16}, kScanLabel1},
        {L"STATIC", "", kLabel, {12, 28, 416, 16}, kScanLabel2},
        {L"COMBOBOX", "", kList, {12, 50, 260, 200}, kScanComboBox1},
        {L"EDIT", "", kEdit, {12, 81, 304, 22}, kScanEdit1, WS_EX_CLIENTEDGE},
        {L"BUTTON", "フォルダを開く", kButton, {324, 80, 104, 24}, kScanBtnFolder, 0, &F::BtnFolderClick},
        {L"STATIC", "フォルダをドロップできます。", kLabel, {12, 110, 416, 16}, kScanLabel3},
        {L"STATIC", "拡張子リスト（カンマ区切りで記述 <例>txt,bmp,png）", kLabel, {12, 136, 416, 16}, kScanLabel4,
         0, nullptr, true},
        {L"EDIT", "", kEdit, {12, 154, 416, 22}, kScanEdit2, WS_EX_CLIENTEDGE, nullptr, true},
        {L"BUTTON", "キーワード", BS_GROUPBOX, {12, 182, 416, 76}, kScanRadioGroup1, 0, nullptr, true},
        {L"BUTTON", "ファイル名", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, {24, 198, 392, 18}, kScanRadioName, 0,
         nullptr, true},
        {L"BUTTON", "ファイル名(拡張子を含む)", BS_AUTORADIOBUTTON, {24, 216, 392, 18}, kScanRadioNameWithExt, 0,
         nullptr, true},
        {L"BUTTON", "フルパス", BS_AUTORADIOBUTTON, {24, 234, 392, 18}, kScanRadioFullPath, 0, nullptr, true},
        {L"BUTTON", "フォルダ構造をツリービューに反映する", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP,
         {12, 264, 416, 18}, kScanCheckBox1, 0, nullptr, true},
        {L"BUTTON", "フォルダを登録する(フルパス指定のみ有効)", kCheck, {12, 284, 416, 18},
         kScanCheckBox2, 0, nullptr, true},
        {L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, {262, 140, 80, 26}, kScanBtnOK, 0, &F::BtnOKClick},
        {L"BUTTON", "Cancel", kButton, {348, 140, 80, 26}, kScanBtnCancel, 0, &F::Hide},
    });
    // clang-format on
    DragAcceptFiles(Handle(), TRUE);
}

int TFormScan::RadioGroup1Index() const {
    for (int i = 0; i < 3; ++i)
        if (Checked(kScanRadioName + i)) return i;
    return -1;
}

// Panel2 shown or hidden: the client height and the button row follow. Its controls keep their values.
void TFormScan::ShowPanel2(bool shown) {
    for (int id = kScanLabel4; id <= kScanCheckBox2; ++id) ShowWindow(Control(id), shown ? SW_SHOWNA : SW_HIDE);
    const int height = shown ? FullHeight() : ReducedHeight();
    for (const ScanControl id : {kScanBtnOK, kScanBtnCancel}) {
        LayoutRect at = PlaceOf(id);
        at.y = height - 34;  // centred in the bottom 42 pixels
        MoveControl(id, at);
    }
    SetClientSize(440, height);
}

void TFormScan::Show() {
    const std::uint8_t mode = std::min(scanMode_, kScanCustom);
    const ModeView& view = kModeViews[mode];
    SetCaption(view.caption);
    SetText(kScanLabel1, view.label1);
    SetText(kScanLabel2, view.label2);

    comboFolders_ = view.folders;
    HWND combo = Control(kScanComboBox1);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& [caption, csidl] : comboFolders_)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(caption).c_str()));
    ShowWindow(combo, comboFolders_.empty() ? SW_HIDE : SW_SHOWNA);
    if (!comboFolders_.empty()) Select(kScanComboBox1, 0);
    SetText(kScanEdit1, comboFolders_.empty() ? "" : GetSpecialFolderPath(comboFolders_.front().second));
    if (mode == kScanCustom) {
        SetText(kScanEdit2, "pdf,doc,xls");
        CheckRadioButton(Handle(), kScanRadioName, kScanRadioFullPath, kScanRadioNameWithExt);
    }
    ShowPanel2(mode == kScanCustom);
    OpenOverOwner(kScanEdit1);
}

void TFormScan::ComboBox1Change() {
    if (scanMode_ != kScanFavorites && scanMode_ != kScanPrograms) return;
    const int index = Selection(kScanComboBox1);
    if (index < 0 || static_cast<std::size_t>(index) >= comboFolders_.size()) return;
    SetText(kScanEdit1, GetSpecialFolderPath(comboFolders_[static_cast<std::size_t>(index)].second));
}

ScanOptions TFormScan::Options() const {
    return {.mode = scanMode_,
            .extensionList = Text(kScanEdit2),
            .keywordForm = RadioGroup1Index(),
            .reflectFolders = Checked(kScanCheckBox1),
            .registerFolders = Checked(kScanCheckBox2)};
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
    dirView_->ShowProgress("スキャン中", "ファイルをスキャン中です。(※閉じるとスキャンを中断します)");
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

LRESULT TFormScan::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kScanComboBox1 && HIWORD(wParam) == CBN_SELCHANGE) {
        ComboBox1Change();
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
