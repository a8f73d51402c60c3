#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/FileAccess.h"
#include "core/KeyWordList.h"
#include "core/ScanRules.h"
#include "core/TZanmelModule.h"
#include "core/UserInterface.h"
#include "platform/TState.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/dialogs/DirViewWindow.h"

namespace zanmel::ui {

// Control identifiers of the scan dialog, for tests that drive it.
enum ScanControl : int {
    kScanComboBox1 = 100,
    kScanEdit1,
    kScanBtnFolder,
    kScanLabel1,
    kScanLabel2,
    kScanLabel3,
    kScanLabel4,
    kScanEdit2,
    kScanRadioGroup1,
    kScanRadioName,  // the three items of RadioGroup1, in order
    kScanRadioNameWithExt,
    kScanRadioFullPath,
    kScanCheckBox1,
    kScanCheckBox2,
    kScanBtnOK,
    kScanBtnCancel,
};

// The file system path of a shell special folder (a CSIDL value), or "" when the shell has none.
std::string GetSpecialFolderPath(int csidl);

// The item scanner's dialog: the folder to scan and, for the detailed scan, the extensions, the keyword form and
// whether folders are reproduced and registered. Created once; shown without being modal while the main window
// is disabled. OK hides it and walks the folder with the directory view window as progress display, filing what
// it finds into a new top-level folder of the main window's tree.
class TFormScan : public DialogWindow {
public:
    // The client heights with and without Panel2, in 96-DPI pixels.
    static constexpr int kFullHeight = 350;
    static constexpr int kPanel2Height = 176;

    struct Dependencies {
        TreeHost& host;
        TKeyWordList& keyWords;
        TZanmelModule& launcher;
        const platform::TState& state;
        FileAccess& files;
        UserInterface& ui;
    };
    explicit TFormScan(Dependencies deps);

    // The progress window is created after this one.
    void SetDirView(TFormDirView* dirView) { dirView_ = dirView; }
    // Set by the main window before Show: kScanFavorites, kScanPrograms, kScanExe or kScanCustom.
    void SetScanMode(std::uint8_t mode) { scanMode_ = mode; }
    std::uint8_t ScanMode() const { return scanMode_; }

    // FormShow for the scan mode; disables the main window.
    void Show();

    void ComboBox1Change();
    void BtnFolderClick() { SetText(kScanEdit1, deps_.state.FolderBrowser(deps_.ui, Handle(), Text(kScanEdit1))); }
    void BtnOKClick();

    // RadioGroup1's selected item (0 to 2), -1 for none.
    int RadioGroup1Index() const;
    bool Panel2Shown() const { return IsWindowVisible(Control(kScanEdit2)) != FALSE; }
    int FullHeight() const { return kFullHeight; }
    int ReducedHeight() const { return kFullHeight - kPanel2Height; }
    // The options of the next run as the controls give them.
    ScanOptions Options() const;

protected:
    // Closing is Cancel.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Files or folders dropped from the shell: each path in turn goes into Edit1.
    void OnFilesDropped(const std::vector<std::string>& paths) override {
        for (const std::string& path : paths) SetText(kScanEdit1, path);
    }

private:
    void ShowPanel2(bool shown);
    // Step 6 of a run, also when the walk stopped on an error: the main window back, tree and keyword.txt saved,
    // the progress window hidden.
    void EndScan(FolderTree::Node* top);
    int IconImage(std::int32_t number);

    Dependencies deps_;
    TFormDirView* dirView_ = nullptr;
    std::uint8_t scanMode_ = kScanFavorites;
    std::span<const std::pair<const char*, int>> comboFolders_;  // ComboBox1's items (caption, CSIDL)
};

}  // namespace zanmel::ui
