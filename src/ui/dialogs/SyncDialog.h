#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/FileAccess.h"
#include "core/UserInterface.h"
#include "platform/TState.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/DirViewWindow.h"

namespace zanmel::ui {

// Control identifiers of the sync dialog, for tests that drive it.
enum SyncControl : int {
    kSyncListBox1 = 100,
    kSyncBtnAdd,
    kSyncBtnEdit,
    kSyncBtnDel,
    kSyncBtnSync,
    kSyncBtnClose,
};

// The sync dialog "同期": keeps the program on the removable drive and the copy installed on this computer (found
// through sync.txt of the home sheet) in step. A run copies the drive's portable sheet to the computer, the
// computer's fixed sheet to the drive under the computer's name, and the sheets the drive holds for other
// computers to the computer. Created once; shown without being modal while the main window is disabled.
class TFormSync : public DialogWindow {
public:
    static constexpr const char* kExeFilter = "実行ファイル(*.exe)|*.exe";

    struct Dependencies {
        HWND mainWindow;
        platform::TState& state;
        // The progress display of the copy; closing it interrupts.
        TFormDirView& dirView;
        FileAccess& files;
        UserInterface& ui;
        // After a run, with the sheet list refreshed: the main window rebuilds its sheet menus, and reloads its
        // sheet when the run copied into it (destinations: the folders copied into).
        std::function<void(const std::vector<std::string>& destinations)> sheetsCopied = {};
    };
    explicit TFormSync(Dependencies deps);

    // FormShow: the lines of sync.txt, when it exists.
    void Show();
    // FormHide, by any route: enables the main window, writes sync.txt and hides the directory view. During a
    // run only the directory view is hidden, which interrupts the copy; the run then hides the dialog.
    void Hide() override;

    void BtnAddClick();
    void BtnEditClick();
    void BtnDelClick();
    void BtnSyncClick();

    std::vector<std::string> Lines() const { return ListLines(kSyncListBox1); }
    std::string SyncPath() const { return deps_.state.HomeSheetFolder() + "\\sync.txt"; }

private:
    // An executable chosen in the file-open dialog from initial (the program folder is the current folder again
    // afterwards) added to the list (index -1) or put in place of the line at index; the list's rule refusing it is
    // told instead.
    void ChooseLine(int index, const std::string& initial);
    // The copies of a run.
    // False when a required folder could not be made; failed names the first file of a sheet that could not be
    // copied (that sheet stays as it was).
    bool RunJobs(const std::string& localFolder, std::vector<std::string>& destinations,
                 std::optional<std::string>& failed);

    Dependencies deps_;
    bool running_ = false;
};

}  // namespace zanmel::ui
