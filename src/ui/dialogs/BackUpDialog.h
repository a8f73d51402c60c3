#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/FileAccess.h"
#include "core/TBackUp.h"
#include "core/UserInterface.h"
#include "platform/TState.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/DirViewWindow.h"

namespace zanmel::ui {

// Control identifiers of the backup dialog, for tests that drive it.
enum BackUpControl : int {
    kBackUpRadioGroup1 = 100,
    kBackUpMode0,
    kBackUpMode1,
    kBackUpGroupBox1,
    kBackUpEdit1,
    kBackUpEdit2,
    kBackUpBtnDirSet,
    kBackUpBtnDirOpen,
    kBackUpListBox1,
    kBackUpBtnAdd,
    kBackUpBtnEdit,
    kBackUpBtnDel,
    kBackUpBtnBackUp,
    kBackUpBtnClose,
};

// The backup dialog "バックアップ": copies the whole program drive, or the listed folders of it, into a new
// time-stamped folder below a backup folder on the computer the drive is plugged into. The backup folder is
// bound to the computer it was chosen on. Settings live in [BackUp] of Zanmel.ini, loaded when the dialog is
// shown and saved when it hides. Created once; shown without being modal while the main window is disabled.
class TFormBackUp : public DialogWindow {
public:
    struct Dependencies {
        HWND mainWindow;
        const platform::TState& state;
        // The progress display of the copy; closing it interrupts.
        TFormDirView& dirView;
        FileAccess& files;
        UserInterface& ui;
        // The launch module's run file ("フォルダを開く").
        std::function<bool(const std::string& path)> runFile;
        // The local time a run folder is named after; empty means the system clock.
        std::function<LocalTime()> now = {};
    };
    explicit TFormBackUp(Dependencies deps);

    // FormShow: [BackUp] into the fields.
    void Show();
    // FormHide, by any route: the fields into [BackUp] of Zanmel.ini, and the main window enabled (unless a run
    // keeps it disabled for its copy).
    void Hide() override { Hide(false); }
    void Hide(bool keepMainDisabled);

    void BtnDirSetClick();
    void BtnDirOpenClick();
    void BtnAddClick() { ChooseEntry(-1, deps_.state.ProgramDrive() + "\\"); }
    void BtnEditClick();
    void BtnDelClick() { DeleteSelectedLine(kBackUpListBox1); }
    void BtnBackUpClick();
    void BtnCloseClick() { Hide(); }

    // The selected mode entry: 0, 1, or -1 for none.
    int SelectedMode() const;
    const TBackUp& BackUp() const { return backUp_; }
    std::string IniPath() const { return deps_.state.ProgramFolder() + "\\Zanmel.ini"; }

private:
    // A folder chosen from initial added to the list (index -1) or put in place of the entry at index; the list's
    // rule refusing it is told instead.
    void ChooseEntry(int index, const std::string& initial);

    Dependencies deps_;
    TBackUp backUp_;
};

}  // namespace zanmel::ui
