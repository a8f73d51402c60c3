#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/KeyWordList.h"
#include "core/LauncherItemRules.h"
#include "core/TZanmelModule.h"
#include "core/UserInterface.h"
#include "platform/Handles.h"
#include "platform/TState.h"
#include "platform/Window.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/dialogs/UnitFolderPicker.h"

namespace zanmel::ui {

// Control identifiers of the launcher item dialog, for tests that drive it.
enum LauncherItemControl : int {
    kItemGroupBox1 = 100,
    kItemEdit1,
    kItemEdit2,
    kItemPanel2,
    kItemBtnRefFile,
    kItemBtnRefDir,
    kItemBtnExpandFilePath,
    kItemBtnRelativeFilePath,
    kItemGroupBox2,
    kItemComboBox1,
    kItemEdit3,
    kItemEdit4,
    kItemComboBox2,
    kItemBtnShowExtra,
    kItemBtnOK,
    kItemBtnCancel,
};

// The launcher item dialog "ランチャ登録": registers a program, document or folder under a keyword, or edits
// one. Created once; shown without being modal while the main window is disabled, and hidden when done, which
// enables the main window again. What it stores goes through the launch module (keyword.txt) and the main
// window's tree (tree.txt); a new item filed by the user's choice goes on to the folder picker.
class TFormZanmel : public platform::Window {
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
    explicit TFormZanmel(Dependencies deps);

    // Set by the callers before Show: dialog mode (new, edit, new prefilled) and placement of a new item
    // (0 chosen in the folder picker, 1 before the main tree's selected node, 2 its first child).
    void SetDialogMode(std::uint8_t mode) { dialogMode_ = mode; }
    void SetPlacement(std::uint8_t placement) { placement_ = placement; }
    std::uint8_t DialogMode() const { return dialogMode_; }
    std::uint8_t Placement() const { return placement_; }
    // A prefilled registration: the path (in relative form when portable on the program drive) and its last
    // component as the keyword.
    void SetPathAndKeyword(std::string_view fullPath);

    // FormShow: collapsed, the fields reset for a new item or loaded from the current node for an edit. An edit
    // whose keyword cannot be read raises before anything is disabled or shown.
    void Show();
    // FormHide, by any route: enables the main window.
    void Hide();
    bool IsShown() const;
    // The OK processing without showing the dialog (files dropped on the tree); a check that fails shows it.
    void QuickRegistration();

    void BtnOKClick();
    void BtnCancelClick() { Hide(); }
    void BtnShowExtraClick();
    void BtnRefFileClick();
    void BtnRefDirClick();
    void BtnExpandFilePathClick();
    void BtnRelativeFilePathClick();
    // Files dropped from the shell onto the dialog; releases the drop.
    void FormDropFiles(HDROP drop);

    HWND Control(LauncherItemControl id) const { return GetDlgItem(Handle(), id); }
    std::string Text(LauncherItemControl id) const;
    void SetText(LauncherItemControl id, std::string_view text);
    bool ExtraShown() const;
    int CollapsedHeight() const { return collapsedHeight_; }
    int ExpandedHeight() const { return expandedHeight_; }
    const std::string& PreviousKeyword() const { return previousKeyword_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void ShowExtra(bool shown);
    void ResetExtra();
    LauncherItemFields Fields() const;
    // The path field after a reference button or a drop: relative when portable on the program drive; an
    // empty keyword field takes the last component.
    void TakeChosenPath(const std::string& path, bool keywordFromField);

    Dependencies deps_;
    std::uint8_t dialogMode_ = kModeNew;
    std::uint8_t placement_ = 0;
    std::string previousKeyword_;
    std::vector<std::string> verbs_;
    std::vector<std::string> showModes_;
    std::vector<HWND> extraControls_;  // GroupBox2 and what it holds
    int collapsedHeight_ = 0;
    int expandedHeight_ = 0;
    platform::FontHandle font_;
};

}  // namespace zanmel::ui
