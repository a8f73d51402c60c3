#include "ui/dialogs/ItemDialog.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string_view>

#include "core/CommaText.h"
#include "core/PathRules.h"
#include "core/TreePlacement.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"
#include "platform/Win32LaunchShell.h"

namespace zanmel::ui {

namespace {

constexpr int kClientWidth = 470;
constexpr int kInnerLeft = 16;
constexpr int kInnerWidth = kClientWidth - 2 * kInnerLeft;
constexpr int kButtonRowHeight = 40;
constexpr int kButtonHeight = 26;
constexpr int kRowMargin = (kButtonRowHeight - kButtonHeight) / 2;

}  // namespace

ItemDialog::ItemDialog(const ItemLayout& layout, HWND owner, const TZanmelModule& launcher,
                       const platform::TState& state, UserInterface& ui)
    : DialogWindow({.className = layout.className,
                    .caption = layout.caption,
                    .clientWidth = kClientWidth,
                    .clientHeight = layout.standardHeight + kButtonRowHeight,
                    .owner = owner,
                    .exStyle = layout.exStyle}),
      layout_(layout),
      state_(state),
      ui_(ui) {
    if (layout_.record.verb) {
        verbs_ = CommaTextSplit(launcher.VerbList);
        showModes_ = CommaTextSplit(launcher.ShowModeList);
    }
    if (layout_.fileDrops) DragAcceptFiles(Handle(), TRUE);
}

void ItemDialog::MakeStandardGroup() {
    const ItemLayout& l = layout_;
    using F = ItemDialog;
    // clang-format off
    AddControls<F>(*this, {
        {L"BUTTON", "標準設定", BS_GROUPBOX, {6, 4, kClientWidth - 12, l.standardHeight - 8}, l.standardGroup},
        {L"STATIC", l.keywordLabel.text, kLabel, {kInnerLeft, 24, kInnerWidth, 16}, l.keywordLabel.id},
        {L"EDIT", "", kEdit, {kInnerLeft, 42, kInnerWidth, 22}, l.keyword, WS_EX_CLIENTEDGE},
        {L"STATIC", l.pathLabel.text, kLabel, {kInnerLeft, 72, kInnerWidth, 16}, l.pathLabel.id},
        {L"EDIT", "", kEdit, {kInnerLeft, 90, kInnerWidth, 22}, l.path, WS_EX_CLIENTEDGE},
        {L"STATIC", "ファイルをドロップして下さい", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | SS_NOPREFIX,
         {kInnerLeft, 120, kInnerWidth, 28}, l.dropPanel},
    });
    // clang-format on
    // The path buttons the dialog has share one row, equally wide.
    struct PathButton {
        int id;
        const char* caption;
        std::function<void()> onClick;
    };
    const PathButton all[] = {{l.pathButtons.file, "ファイル参照", [this] { BtnRefFileClick(); }},
                              {l.pathButtons.folder, "フォルダ参照", [this] { BtnRefDirClick(); }},
                              {l.pathButtons.absolute, "絶対パス化",
                               [this] { SetText(layout_.path, state_.AbsolutePath(Text(layout_.path))); }},
                              {l.pathButtons.relative, "相対パス化",
                               [this] { SetText(layout_.path, state_.RelativePath(Text(layout_.path))); }}};
    const int count =
        static_cast<int>(std::count_if(std::begin(all), std::end(all), [](const PathButton& b) { return b.id != 0; }));
    if (count == 0) return;
    const int width = (kInnerWidth - (count - 1) * 6) / count;
    int x = kInnerLeft;
    for (const PathButton& b : all) {
        if (b.id == 0) continue;
        AddControl(L"BUTTON", b.caption, kButton, {x, 156, width, kButtonHeight}, b.id, 0, false, b.onClick);
        x += width + 6;
    }
}

void ItemDialog::MakeExtraGroup() {
    const int top = layout_.standardHeight;
    const ItemLayout::RecordFields& r = layout_.record;
    AddControl(L"BUTTON", layout_.extraGroup.text, BS_GROUPBOX, {6, top, kClientWidth - 12, layout_.extraHeight - 8},
               layout_.extraGroup.id);
    if (!r.verb) return;
    // clang-format off
    AddControls<ItemDialog>(*this, {
        {L"STATIC", "オープンモード", kLabel, {kInnerLeft, top + 20, kInnerWidth, 16}},
        {L"COMBOBOX", "", kList, {kInnerLeft, top + 38, 200, 200}, r.verb},
        {L"STATIC", "アプリケーションに渡す引数", kLabel, {kInnerLeft, top + 68, kInnerWidth, 16}},
        {L"EDIT", "", kEdit, {kInnerLeft, top + 86, kInnerWidth, 22}, r.parameters, WS_EX_CLIENTEDGE},
        {L"STATIC", r.workingFolderLabel, kLabel, {kInnerLeft, top + 116, kInnerWidth, 16}},
        {L"EDIT", "", kEdit, {kInnerLeft, top + 134, kInnerWidth, 22}, r.workingFolder, WS_EX_CLIENTEDGE},
        {L"STATIC", "メインウィンドウの表示方法", kLabel, {kInnerLeft, top + 164, kInnerWidth, 16}},
        {L"COMBOBOX", "", kList, {kInnerLeft, top + 182, 200, 300}, r.showMode},
    });
    // clang-format on
    AddEntries(r.verb, verbs_);
    AddEntries(r.showMode, showModes_);
    if (r.bareArgument) {
        AddControl(L"BUTTON", "アプリケーションに渡す引数を無視して起動", kCheck,
                   {kInnerLeft, top + 210, kInnerWidth, 20}, r.bareArgument);
    }
}

void ItemDialog::MakeButtonRow() {
    const int top = layout_.standardHeight + kRowMargin;
    const ItemLayout::ButtonRow& b = layout_.buttons;
    using F = ItemDialog;
    // clang-format off
    AddControls<F>(*this, {
        {L"BUTTON", "詳細設定表示", kButton, {kInnerLeft, top, 130, kButtonHeight}, b.toggle, 0, &F::BtnShowExtraClick},
        {L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {kClientWidth - kInnerLeft - 166, top, 80, kButtonHeight},
         b.ok, 0, &F::BtnOKClick},
        {L"BUTTON", "Cancel", kButton, {kClientWidth - kInnerLeft - 80, top, 80, kButtonHeight}, b.cancel, 0,
         &F::Hide},
    });
    // clang-format on
}

int ItemDialog::ClientHeight(bool expanded) const {
    return layout_.standardHeight + (expanded ? layout_.extraHeight : 0) + kButtonRowHeight;
}

bool ItemDialog::ExtraShown() const {
    return IsWindowVisible(Control(layout_.extraGroup.id)) != FALSE;
}

// The extra group shown or hidden; the button row and the client height follow.
void ItemDialog::ShowExtra(bool shown) {
    for (HWND control : extra_) ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    const int height = ClientHeight(shown);
    for (const int id : {layout_.buttons.toggle, layout_.buttons.ok, layout_.buttons.cancel}) {
        LayoutRect at = PlaceOf(id);
        at.y = height - kButtonRowHeight + kRowMargin;
        MoveControl(id, at);
    }
    SetClientSize(kClientWidth, height);
    SetText(layout_.buttons.toggle, shown ? "詳細設定非表示" : "詳細設定表示");
}

void ItemDialog::Open(const std::optional<TLaunchWordData2>& record, bool clear) {
    ShowExtra(false);
    if (record) {
        LoadRecord(*record);
    } else {
        ResetExtra();
        if (clear) {
            SetText(layout_.keyword, "");
            SetText(layout_.path, "");
        }
    }
    OpenOverOwner(layout_.buttons.ok);
}

void ItemDialog::LoadRecord(const TLaunchWordData2& record) {
    SetText(layout_.path, record.path);
    const ItemLayout::RecordFields& r = layout_.record;
    if (!r.verb) return;
    SelectEntry(r.verb, verbs_, record.verb);
    SetText(r.parameters, record.parameters);
    SetText(r.workingFolder, record.workingFolder);
    SelectEntry(r.showMode, showModes_, record.ShowModeName());
    if (r.bareArgument) SetChecked(r.bareArgument, record.IsBareArgument());
}

void ItemDialog::ResetExtra() {
    const ItemLayout::RecordFields& r = layout_.record;
    if (!r.verb) return;
    Select(r.verb, 0);
    Select(r.showMode, 0);
    SetText(r.parameters, "");
    SetText(r.workingFolder, "");
    if (r.bareArgument) SetChecked(r.bareArgument, false);
}

LauncherItemFields ItemDialog::Fields() const {
    LauncherItemFields fields;
    fields.keyword = Text(layout_.keyword);
    fields.path = Text(layout_.path);
    const ItemLayout::RecordFields& r = layout_.record;
    if (!r.verb) return fields;
    fields.verb = SelectedEntry(r.verb, verbs_).value_or("");
    fields.parameters = Text(r.parameters);
    fields.workingFolder = Text(r.workingFolder);
    fields.showModeName = SelectedEntry(r.showMode, showModes_).value_or("");
    return fields;
}

void ItemDialog::TakeChosenPath(std::string_view path, bool replaceKeyword) {
    SetText(layout_.path, state_.AutoRelativePath(path));
    if (replaceKeyword || Text(layout_.keyword).empty()) SetText(layout_.keyword, FileNameOf(path));
}

void ItemDialog::BtnRefFileClick() {
    const auto chosen = ui_.OpenFile("", "");
    if (chosen) TakeChosenPath(*chosen);
    SetCurrentDirectoryW(platform::ToWide(state_.ProgramFolder()).c_str());
}

void ItemDialog::BtnRefDirClick() {
    const std::string folder = state_.FolderBrowser(ui_, Handle(), "");
    if (!folder.empty()) TakeChosenPath(folder);
}

TreeItemDialog::TreeItemDialog(const ItemLayout& layout, const Dependencies& deps, const char* emptyMessage)
    : ItemDialog(layout, deps.host.MainWindow(), deps.launcher, deps.state, deps.ui),
      deps_(deps),
      emptyMessage_(emptyMessage) {}

void TreeItemDialog::Show() {
    // An edit reads its record first: a keyword that cannot be read stops here, with nothing disabled.
    std::optional<TLaunchWordData2> record;
    if (dialogMode_ == kModeEdit) {
        const FolderTree::Node* node = deps_.host.CurrentNode();
        if (!node) return;
        record = TLaunchWordData2::Parse(deps_.keyWords.DataOf(node->text));
        previousKeyword_ = node->text;
        SetText(Layout().keyword, previousKeyword_);
    }
    Open(record, dialogMode_ == kModeNew);
}

void TreeItemDialog::QuickRegistration() {
    // Whatever stops the registration while the dialog stays hidden (the launch module's own message, a raised
    // error) must not leave the main window disabled.
    const platform::ScopeGuard release([this] {
        if (!IsShown() && !deps_.picker.IsShown()) EnableWindow(Owner(), TRUE);
    });
    ShowExtra(false);
    ResetExtra();
    BtnOKClick();
}

void TreeItemDialog::BtnOKClick() {
    LauncherItemFields fields = Fields();
    fields.keyword = KeywordFromField(fields.keyword);
    const bool editing = dialogMode_ == kModeEdit;
    const std::string problem = CheckLauncherItem(
        fields, editing, previousKeyword_, [&](std::string_view keyword) { return deps_.keyWords.Exists(keyword); },
        emptyMessage_);
    if (!problem.empty()) {
        if (!IsShown()) Show();
        deps_.ui.ShowMessage(problem);
        return;
    }
    const TLaunchWordData2 record = RecordOf(fields);
    if (!editing) {
        if (deps_.launcher.RegisterItem(fields.keyword, record, true)) FileNewItem(fields.keyword);
        return;
    }
    if (!deps_.launcher.ChangeItem(previousKeyword_, fields.keyword, record)) return;
    RenameCurrentItem(fields.keyword);
    Hide();
}

int TreeItemDialog::LoadIcon(std::int32_t number) const {
    const platform::IconHandle icon = platform::LoadIconFile(deps_.state.SheetFolder() + "\\icon", number);
    return deps_.host.AddIcon(number, icon.Get());
}

void TreeItemDialog::FileNewItem(const std::string& keyword) {
    const std::int32_t number = deps_.keyWords.IconNumberOf(keyword);
    LoadIcon(number);
    if (placement_ == kPlaceWithPicker && IsShown()) {
        Hide();
        EnableWindow(Handle(), FALSE);
        deps_.picker.Show(Handle(), keyword, number);
        return;
    }
    TreeHost& host = deps_.host;
    FolderTree::Node* node = PlaceNewItem(host.Tree(), placement_, host.SelectedTreeNode(), keyword);
    node->imageIndex = node->selectedImageIndex = host.IconIndex(number);
    host.ShowNewNode(node);
    host.SelectTreeNode(node);
    host.SaveTree();
    host.RefreshResultList();
    Hide();
}

void TreeItemDialog::RenameCurrentItem(const std::string& keyword) const {
    if (FolderTree::Node* node = deps_.host.CurrentNode()) {
        node->text = keyword;
        // A new target has a new icon file; the node shows it at once rather than after the next sheet load.
        const std::int32_t number = deps_.keyWords.IconNumberOf(keyword);
        if (number >= 1000) node->imageIndex = node->selectedImageIndex = LoadIcon(number);
        deps_.host.UpdateNode(node);
    }
    deps_.host.SaveTree();
    deps_.host.RefreshResultList();
}

}  // namespace zanmel::ui
