#pragma once

#include <memory>
#include <string_view>

#include "platform/DropTarget.h"
#include "ui/dialogs/ItemDialog.h"

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
// Its extra group holds the URL direct settings. Links dragged from a browser onto it fill its two fields.
class TFormWEB : public TreeItemDialog {
public:
    explicit TFormWEB(const Dependencies& deps);

    // A dropped link: the URL, and the shortcut's name without its extension as the keyword.
    void SetLink(std::string_view name, std::string_view url);

    void BtnAutoSetClick();

    // ComboBox3's entry (-1 for none) and CheckBox2.
    int CharacterSet() const { return Selection(kWebComboBox3); }
    void SetCharacterSet(int entry) { Select(kWebComboBox3, entry); }
    bool UrlDirect() const { return Checked(kWebCheckBox2); }
    void SetUrlDirect(bool on) { SetChecked(kWebCheckBox2, on); }
    platform::CDropTarget& DropTarget() const { return dropTarget_->Target(); }

protected:
    void LoadRecord(const TLaunchWordData2& record) override;
    void ResetExtra() override;
    TLaunchWordData2 RecordOf(const LauncherItemFields& fields) const override;

private:
    // Revoked as the members go, before the base destroys the window.
    std::unique_ptr<platform::DropTargetRegistration> dropTarget_;
};

}  // namespace zanmel::ui
