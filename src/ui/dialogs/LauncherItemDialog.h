#pragma once

#include <string_view>

#include "ui/dialogs/ItemDialog.h"

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
// one, with its launch record (verb, parameters, working folder, show mode) in the extra group.
class TFormZanmel : public TreeItemDialog {
public:
    explicit TFormZanmel(const Dependencies& deps);

    // A prefilled registration: the path (in relative form when portable on the program drive) and its last
    // component as the keyword.
    void SetPathAndKeyword(std::string_view fullPath) { TakeChosenPath(fullPath, true); }

protected:
    TLaunchWordData2 RecordOf(const LauncherItemFields& fields) const override { return RecordFromFields(fields); }
};

}  // namespace zanmel::ui
