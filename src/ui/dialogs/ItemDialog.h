#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/KeyWordList.h"
#include "core/LauncherItemRules.h"
#include "core/TZanmelModule.h"
#include "core/UserInterface.h"
#include "platform/TState.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/dialogs/FolderPickerDialog.h"

namespace zanmel::ui {

// One item dialog as the layer makes it: its window, the ids of the controls the layer makes (0 leaves one
// out) and the heights of its two groups with their margins, in 96-DPI pixels.
struct ItemLayout {
    struct Label {
        const char* text = "";
        int id = 0;
    };
    struct PathButtons {
        int file = 0;  // "ファイル参照"
        int folder = 0;
        int absolute = 0;
        int relative = 0;
    };
    struct RecordFields {
        int verb = 0;
        int parameters = 0;
        const char* workingFolderLabel = "";
        int workingFolder = 0;
        int showMode = 0;
        int bareArgument = 0;  // "アプリケーションに渡す引数を無視して起動"
    };
    struct ButtonRow {
        int toggle = 0;
        int ok = 0;
        int cancel = 0;
    };

    const wchar_t* className = L"";
    const char* caption = "";
    DWORD exStyle = WS_EX_DLGMODALFRAME;
    int standardHeight = 0;
    int extraHeight = 0;
    // The standard group: the keyword and the path under their labels, the drop panel, the path buttons in a row.
    int standardGroup = 0;
    Label keywordLabel{};
    int keyword = 0;
    Label pathLabel{};
    int path = 0;
    int dropPanel = 0;
    PathButtons pathButtons{};
    // Files dropped from the shell onto the dialog fill the path.
    bool fileDrops = false;
    // The extra group: its box, and a launch record's fields where the dialog edits one.
    Label extraGroup{};
    RecordFields record{};
    ButtonRow buttons{};
};

// Base of the collapsible item dialogs: a standard group over an extra group that "詳細設定表示" shows and
// "詳細設定非表示" hides again (the button row and the client height follow), then the toggle, OK and Cancel.
// It makes the shared controls from an ItemLayout, handles the path buttons and file drops, and cancels on
// close. Created once and shown without being modal while its owner is disabled; hiding enables the owner.
class ItemDialog : public DialogWindow {
public:
    virtual void BtnOKClick() = 0;
    void BtnShowExtraClick() { ShowExtra(!ExtraShown()); }
    void BtnRefFileClick();
    void BtnRefDirClick();

    bool ExtraShown() const;
    // The client height collapsed and expanded, in pixels at the dialog's DPI.
    int CollapsedHeight() const { return Scale(ClientHeight(false)); }
    int ExpandedHeight() const { return Scale(ClientHeight(true)); }

protected:
    ItemDialog(const ItemLayout& layout, HWND owner, const TZanmelModule& launcher, const platform::TState& state,
               UserInterface& ui);

    // The controls: the standard group, the extra group with the dialog's own rows after the record fields,
    // the button row; collapsed.
    template <class Form>
    void MakeControls(Form& form, std::initializer_list<ControlSpec<Form>> extraRows = {}) {
        MakeStandardGroup();
        const std::size_t firstExtra = ControlCount();
        MakeExtraGroup();
        AddControls<Form>(form, extraRows);
        extra_.clear();
        for (std::size_t i = firstExtra; i < ControlCount(); ++i) extra_.push_back(ControlAt(i));
        MakeButtonRow();
        ShowExtra(false);
    }
    const ItemLayout& Layout() const { return layout_; }
    void ShowExtra(bool shown);
    // The path field after a reference button, a drop or a prefilled registration: relative when portable on the
    // program drive; the keyword field takes the last component when it is empty, or always with replaceKeyword.
    void TakeChosenPath(std::string_view path, bool replaceKeyword = false);

    // Shows the dialog collapsed over its owner, focus on OK: with the record's fields, or for a new item with the
    // extra fields reset and, when clear, the keyword and path emptied.
    void Open(const std::optional<TLaunchWordData2>& record, bool clear);
    // The record's path and extra fields into the dialog; the extra fields at their defaults (the first verb
    // and show mode, no parameters, no working folder).
    virtual void LoadRecord(const TLaunchWordData2& record);
    virtual void ResetExtra();
    // The fields as typed; verb and show mode are the selected entries.
    LauncherItemFields Fields() const;

    void OnFilesDropped(const std::vector<std::string>& paths) override {
        for (const std::string& path : paths) TakeChosenPath(path);
    }

private:
    void MakeStandardGroup();
    // The extra group's box, and the record fields in it where the dialog has them.
    void MakeExtraGroup();
    void MakeButtonRow();
    int ClientHeight(bool expanded) const;

    const ItemLayout layout_;
    const platform::TState& state_;
    UserInterface& ui_;
    std::vector<std::string> verbs_;
    std::vector<std::string> showModes_;
    std::vector<HWND> extra_;  // the extra group's box and what it holds
};

// An item dialog whose keyword is filed in the main window's tree: the launcher item and the WEB item dialogs.
// Opened for a new item, an edit of the current node or a new item prefilled by a drop. Its OK checks the
// fields, registers or changes the keyword through the launch module (keyword.txt) and files it in the tree
// (tree.txt), handing a new item to the folder picker when the user is to choose its folder.
class TreeItemDialog : public ItemDialog {
public:
    static constexpr std::uint8_t kModeNew = 0;
    static constexpr std::uint8_t kModeEdit = 1;
    static constexpr std::uint8_t kModePrefilled = 2;

    struct Dependencies {
        TreeHost& host;
        TForm3& picker;
        TKeyWordList& keyWords;
        TZanmelModule& launcher;
        const platform::TState& state;
        UserInterface& ui;
    };

    // Set by the callers before Show or QuickRegistration: dialog mode (new, edit, new prefilled) and placement
    // of a new item (0 chosen in the folder picker, 1 before the main tree's selected node, 2 its first child).
    void SetDialogMode(std::uint8_t mode) { dialogMode_ = mode; }
    void SetPlacement(std::uint8_t placement) { placement_ = placement; }
    std::uint8_t Placement() const { return placement_; }
    const std::string& PreviousKeyword() const { return previousKeyword_; }

    // FormShow: collapsed, the fields reset for a new item or loaded from the current node for an edit. An edit
    // whose keyword cannot be read raises before anything is disabled or shown.
    void Show();
    // The OK processing without showing the dialog (files or links dropped on the tree); a check that fails
    // shows it. The main window, which the caller disabled, is never left disabled behind a hidden dialog.
    void QuickRegistration();
    void BtnOKClick() override;

protected:
    // emptyMessage: what the check says of an empty keyword or path.
    TreeItemDialog(const ItemLayout& layout, const Dependencies& deps, const char* emptyMessage);

    // The record an OK stores.
    virtual TLaunchWordData2 RecordOf(const LauncherItemFields& fields) const = 0;

    Dependencies deps_;

private:
    // The icon file of the current sheet with that number, into the main window's image list; its image index.
    int LoadIcon(std::int32_t number) const;
    // A newly registered keyword: its icon is loaded; placement 0 with the dialog shown hands over to the
    // folder picker (the dialog hidden, then disabled until the picker hides it), otherwise a node at the
    // placement is selected, the tree saved, the list refreshed and the dialog hidden.
    void FileNewItem(const std::string& keyword);
    // An edited item: the current node takes the new keyword (and the image of a new icon file), the tree is
    // saved and the list refreshed.
    void RenameCurrentItem(const std::string& keyword) const;

    const char* emptyMessage_;
    std::uint8_t dialogMode_ = kModeNew;
    std::uint8_t placement_ = 0;
    std::string previousKeyword_;
};

}  // namespace zanmel::ui
