#pragma once

#include <string>
#include <string_view>

#include "core/TDebugTimer.h"
#include "ui/dialogs/ItemDialog.h"

namespace zanmel::ui {

class TForm4;

// Control identifiers of the application dialog, for tests that drive it.
enum ExtControl : int {
    kExtGroupBox1 = 100,
    kExtLabel1,
    kExtEdit1,
    kExtLabel2,
    kExtEdit2,
    kExtPanel2,
    kExtBtnRefFile,
    kExtBtnExpandFilePath,
    kExtBtnRelativeFilePath,
    kExtGroupBox2,
    kExtComboBox1,
    kExtEdit3,
    kExtEdit4,
    kExtComboBox2,
    kExtCheckBox1,
    kExtBtnShowExtra,
    kExtBtnOK,
    kExtBtnCancel,
};

// The application dialog "FormExt", opened from the launcher settings window: edits one launch record that
// serves as a program setting, the web browser ("WEB"), the drive-ejection tool ("UNPLUG"), or an extension
// entry, new ("EXT_ADD") or existing ("EXT_UPDATE"). Its controls are made when it is first shown; it is shown
// without being modal while the launcher settings window is disabled; hiding enables it again. The two records
// reach setting.ini when that window closes.
class TFormExt : public ItemDialog {
public:
    struct Dependencies {
        TForm4& form4;
        TZanmelModule& launcher;
        const platform::TState& state;
        UserInterface& ui;
    };
    // Timed as "TFormExt::TFormExt".
    TFormExt(TDebugTimer& timer, const Dependencies& deps);

    // Set by the launcher settings window before Show.
    void SetMode(std::string_view mode) { mode_ = mode; }
    const std::string& PreviousKey() const { return previousKey_; }

    // FormShow: disables the launcher settings window, starts collapsed and loads the fields of the mode. An
    // entry whose data cannot be read raises before anything is disabled or shown.
    void Show();
    void BtnOKClick() override;

private:
    Dependencies deps_;
    std::string mode_;
    std::string previousKey_;
};

}  // namespace zanmel::ui
