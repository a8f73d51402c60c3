#include "ui/dialogs/WebItemDialog.h"

#include "core/CommaText.h"
#include "core/DropRules.h"

namespace zanmel::ui {

// clang-format off
TFormWEB::TFormWEB(const Dependencies& deps)
    : TreeItemDialog({.className = L"TFormWEB", .caption = "WEB登録", .standardHeight = 164, .extraHeight = 150,
                      .standardGroup = kWebGroupBox1, .keywordLabel = {"キーワード"}, .keyword = kWebEdit1,
                      .pathLabel = {"URL"}, .path = kWebEdit2, .dropPanel = kWebPanel2,
                      .extraGroup = {"URLダイレクト", kWebGroupBox3},
                      .buttons = {kWebBtnShowExtra, kWebBtnOK, kWebBtnCancel}},
                     deps, kWebFieldsEmpty) {
    using F = TFormWEB;
    constexpr int top = 164;
    MakeControls<F>(*this, {
        {L"STATIC", "検索バーで\"あああああ\"を探索した", kLabel, {16, top + 20, 438, 16}, kWebLabel8},
        {L"STATIC", "URLを入力した状態で以下のボタンをクリック", kLabel, {16, top + 38, 438, 16}, kWebLabel9},
        {L"STATIC", "文字コード", kLabel, {16, top + 64, 90, 16}},
        {L"COMBOBOX", "", kList, {112, top + 60, 150, 120}, kWebComboBox3},
        {L"BUTTON", "URLダイレクトを使用する", kCheck, {16, top + 92, 250, 20}, kWebCheckBox2},
        {L"BUTTON", "自動設定", kButton, {354, top + 88, 100, 26}, kWebBtnAutoSet, 0, &F::BtnAutoSetClick},
    });
    // clang-format on
    AddEntries(kWebComboBox3, CommaTextSplit(deps_.launcher.CharSetList));
    dropTarget_ = std::make_unique<platform::DropTargetRegistration>(
        Handle(), new platform::CDropTarget(
                      Handle(), [this](const std::string& name, const std::string& url) { SetLink(name, url); }));
}

void TFormWEB::LoadRecord(const TLaunchWordData2& record) {
    TreeItemDialog::LoadRecord(record);
    SetCharacterSet(record.CharacterSet());
    SetUrlDirect(record.IsUrlDirect());
}

void TFormWEB::ResetExtra() {
    SetCharacterSet(TLaunchWordData2::kShiftJis);
    SetUrlDirect(false);
}

TLaunchWordData2 TFormWEB::RecordOf(const LauncherItemFields& fields) const {
    return WebRecord(fields.path, UrlDirect(), CharacterSet());
}

void TFormWEB::SetLink(std::string_view name, std::string_view url) {
    SetText(kWebEdit2, url);
    SetText(kWebEdit1, WithoutLastExtension(name));
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

}  // namespace zanmel::ui
