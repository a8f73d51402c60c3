#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/KeyWordList.h"
#include "core/TZanmelModule.h"
#include "core/UserInterface.h"
#include "platform/DropTarget.h"
#include "platform/Handles.h"
#include "platform/TState.h"
#include "platform/Window.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/dialogs/UnitFolderPicker.h"

namespace zanmel::ui {

// Control identifiers of the WEB item dialog, for tests that drive it.
enum WebItemControl : int {
    kWebGroupBox1 = 100,
    kWebEdit1,
    kWebEdit2,
    kWebPanel2,
    kWebGroupBox3,
    kWebLabel8,
    kWebLabel9,
    kWebComboBox3,
    kWebCheckBox2,
    kWebBtnAutoSet,
    kWebBtnShowExtra,
    kWebBtnOK,
    kWebBtnCancel,
};

// The WEB item dialog "WEB登録": registers a URL (a page or a search template) under a keyword, or edits one.
// The launcher item dialog's twin: created once, shown without being modal while the main window is disabled,
// storing through the launch module and the main window's tree, and handing a new item to the folder picker
// when the user is to choose its folder. Links dragged from a browser onto it fill its two fields.
class TFormWEB : public platform::Window {
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
    explicit TFormWEB(Dependencies deps);
    ~TFormWEB() override;

    // Set by the callers before Show or QuickRegistration, as for the launcher item dialog.
    void SetDialogMode(std::uint8_t mode) { dialogMode_ = mode; }
    void SetPlacement(std::uint8_t placement) { placement_ = placement; }
    std::uint8_t DialogMode() const { return dialogMode_; }
    std::uint8_t Placement() const { return placement_; }
    // A dropped link: the URL, and the shortcut's name without its extension as the keyword.
    void SetLink(std::string_view name, std::string_view url);

    // FormShow: collapsed, the fields reset for a new item or loaded from the current node for an edit. An edit
    // whose keyword cannot be read raises before anything is disabled or shown.
    void Show();
    // FormHide, by any route: enables the main window.
    void Hide();
    bool IsShown() const;
    // The OK processing without showing the dialog (links dropped on the tree); a check that fails shows it.
    void QuickRegistration();

    void BtnOKClick();
    void BtnCancelClick() { Hide(); }
    void BtnShowExtraClick();
    void BtnAutoSetClick();

    HWND Control(WebItemControl id) const { return GetDlgItem(Handle(), id); }
    std::string Text(WebItemControl id) const;
    void SetText(WebItemControl id, std::string_view text);
    // ComboBox3's entry (-1 for none) and CheckBox2.
    int CharacterSet() const;
    void SetCharacterSet(int entry);
    bool UrlDirect() const;
    void SetUrlDirect(bool on);
    bool ExtraShown() const;
    int CollapsedHeight() const { return collapsedHeight_; }
    int ExpandedHeight() const { return expandedHeight_; }
    const std::string& PreviousKeyword() const { return previousKeyword_; }
    platform::CDropTarget& DropTarget() const { return dropTarget_->Target(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void ShowExtra(bool shown);
    void ResetExtra();

    Dependencies deps_;
    std::uint8_t dialogMode_ = kModeNew;
    std::uint8_t placement_ = 0;
    std::string previousKeyword_;
    std::vector<HWND> extraControls_;  // GroupBox3 and what it holds
    int collapsedHeight_ = 0;
    int expandedHeight_ = 0;
    platform::FontHandle font_;
    std::unique_ptr<platform::DropTargetRegistration> dropTarget_;
};

}  // namespace zanmel::ui
