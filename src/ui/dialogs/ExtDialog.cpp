#include "ui/dialogs/ExtDialog.h"

#include "core/LauncherSettingRules.h"
#include "ui/dialogs/LauncherSettingDialog.h"

namespace zanmel::ui {

namespace {

// clang-format off
const ItemLayout kLayout{
    .className = L"TFormExt", .caption = "FormExt", .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
    .standardHeight = 196, .extraHeight = 244,
    .standardGroup = kExtGroupBox1, .keywordLabel = {kExtKeyLabel, kExtLabel1}, .keyword = kExtEdit1,
    .pathLabel = {"", kExtLabel2}, .path = kExtEdit2, .dropPanel = kExtPanel2,  // the path label is set by Show
    .pathButtons = {.file = kExtBtnRefFile, .absolute = kExtBtnExpandFilePath, .relative = kExtBtnRelativeFilePath},
    .fileDrops = true, .extraGroup = {"詳細設定", kExtGroupBox2},
    .record = {kExtComboBox1, kExtEdit3, "作業フォルダ(空白で実行ファイルのフォルダが指定されます)", kExtEdit4,
               kExtComboBox2, kExtCheckBox1},
    .buttons = {kExtBtnShowExtra, kExtBtnOK, kExtBtnCancel},
};
// clang-format on

}  // namespace

TFormExt::TFormExt(TDebugTimer& timer, const Dependencies& deps)
    // The stage begins before the window is made.
    : ItemDialog((timer.BeginStage(), kLayout), deps.form4.Handle(), deps.launcher, deps.state, deps.ui), deps_(deps) {
    timer.EndStage("TFormExt::TFormExt");
}

void TFormExt::Show() {
    // The controls are made when the dialog is first shown, so start-up does not wait for them.
    if (!Control(kExtBtnOK)) MakeControls(*this);
    // An entry to edit is read first: data that is no record stops here, with nothing disabled.
    std::optional<TLaunchWordData2> record;  // none for a new entry
    if (mode_ == ext_mode::kExtUpdate) {
        const std::string key = deps_.form4.SelectedKey();
        record = TLaunchWordData2::Parse(deps_.launcher.ExtList.DataOf(key));
        previousKey_ = key;
        SetText(kExtEdit1, key);
    } else if (mode_ == ext_mode::kWeb) {
        record = deps_.launcher.WEBData;
    } else if (mode_ == ext_mode::kUnplug) {
        record = deps_.launcher.UnplagData;
    }
    const bool withKey = IsExtensionMode(mode_);
    for (const ExtControl id : {kExtLabel1, kExtEdit1}) ShowWindow(Control(id), withKey ? SW_SHOWNA : SW_HIDE);
    SetText(kExtLabel2, ExtPathLabel(mode_));
    Open(record, true);
}

void TFormExt::BtnOKClick() {
    if (!Control(kExtBtnOK)) return;  // never shown: nothing to take
    const LauncherItemFields fields = Fields();
    const std::string problem = CheckExtFields(mode_, fields.keyword, fields.path);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    const TLaunchWordData2 record = ExtRecordFromFields(fields, Checked(kExtCheckBox1));
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

}  // namespace zanmel::ui
