#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FakeTreeHost.h"
#include "ScriptedUserInterface.h"
#include "WinTestSupport.h"
#include "core/KeyWordList.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/TZanmelModule.h"
#include "platform/AtomicFile.h"
#include "platform/CallbackGuard.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"
#include "platform/Win32LaunchShell.h"
#include "skin/TSkinDriver.h"
#include "skin/Win32SkinEnvironment.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel::test {

// What a test's program folder holds beyond the program-wide objects every test gets.
struct ProgramSetup {
    std::string base = "";            // the drive or folder the program folder goes below ("": the usual place)
    bool icons = true;                // data/defaulticon copied in
    bool launcher = false;            // the real launch module, and the sheet's icon folder
    bool skins = false;               // data/skin copied in, and the skin driver over it
    std::string computerName = "PC";  // the keyword index's computer ("": this computer's own name)
};

// A program folder in a temporary place and the program-wide objects in their real form, made as Zanmel.exe
// makes them at start; the user's answers are scripted.
class Program {
public:
    explicit Program(const ProgramSetup& setup = {})
        : folder(setup.base),
          timer(std::make_unique<TDebugTimer>(clock, files, folder / "Debug.log")),
          state(std::make_unique<platform::TState>(*timer, folder / "Zanmel.exe")),
          setting(std::make_unique<TSetting>(*timer, files, folder.Path())),
          keyWords(setup.computerName.empty() ? state->ComputerName() : setup.computerName) {
        if (setup.icons) CopyTree(SourcePath("data/defaulticon"), folder / "defaulticon");
        if (setup.launcher) {
            launcher = std::make_unique<TZanmelModule>(*timer, *state, keyWords, files, ui, shell, codec);
            CreateDirectoryW(platform::ToWide(Sheet("icon")).c_str(), nullptr);
        }
        if (setup.skins) {
            CopyTree(SourcePath("data/skin"), folder / "skin");
            skins = std::make_unique<skin::TSkinDriver>(*timer, skinFiles, ui, folder.Path());
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TempFolder folder;
    platform::Win32FileAccess files;
    platform::MultimediaClock clock;
    platform::Win32LaunchShell shell;
    platform::Win32Cp932Codec codec;
    skin::Win32SkinEnvironment skinFiles;
    ScriptedUserInterface ui;
    std::unique_ptr<TDebugTimer> timer;
    std::unique_ptr<platform::TState> state;
    std::unique_ptr<TSetting> setting;
    TKeyWordList keyWords;
    std::unique_ptr<TZanmelModule> launcher;
    std::unique_ptr<skin::TSkinDriver> skins;

    // A file of the current sheet, and the keyword index as stored.
    std::string Sheet(const std::string& name) const { return state->SheetFolder() + "\\" + name; }
    std::string KeywordFile() const { return platform::ReadFileBytes(Sheet("keyword.txt")).value_or("<none>"); }
};

// A Program for each test: window callbacks report to its scripted user. At the end the launch module goes
// (it stores its settings then), the queue is emptied, and the user must have been asked nothing unexpected and
// given every scripted answer. Fixtures reset their own windows before calling TearDown.
class ProgramFixture : public ::testing::Test, public Program {
protected:
    explicit ProgramFixture(const ProgramSetup& setup = {}) : Program(setup) {}
    void SetUp() override { platform::SetCallbackUserInterface(&ui); }
    void TearDown() override {
        launcher.reset();
        platform::SetCallbackUserInterface(nullptr);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        EXPECT_EQ(ui.Unexpected(), std::vector<std::string>{});
        EXPECT_TRUE(ui.AllAnswersUsed());
    }
};

// The real main window over a Program; runs are recorded (and taught to the keyword index, as the launch module
// does before it starts anything) instead of started.
class MainWindowFixture : public ProgramFixture {
protected:
    using ProgramFixture::ProgramFixture;
    std::vector<std::string> runs;
    std::unique_ptr<TForm1> form;

    TForm1::Dependencies Dependencies() {
        return {*timer,
                *setting,
                keyWords,
                files,
                ui,
                *state,
                [this](const std::string& keyword, const std::string& option) {
                    keyWords.Learning(keyword);
                    runs.push_back(keyword + "|" + option);
                }};
    }
    void TearDown() override {
        form.reset();
        ProgramFixture::TearDown();
    }
};

// A dialog under test over a Program, the main window being the test double; the helpers drive and read the
// dialog as the user and the system do. The test makes the dialog; TearDown closes it first.
template <class Dialog>
class DialogFixture : public ProgramFixture {
protected:
    using ProgramFixture::ProgramFixture;
    FakeTreeHost host;
    std::unique_ptr<Dialog> dialog;

    void TearDown() override {
        dialog.reset();
        ProgramFixture::TearDown();
    }
    // A notification of a control of the dialog (also one inside a container), as the control sends it.
    void Click(int id, WORD code = BN_CLICKED) {
        SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(dialog->Control(id)));
    }
    int Selection(int id) const { return static_cast<int>(SendMessageW(dialog->Control(id), CB_GETCURSEL, 0, 0)); }
    bool Checked(int id) const { return SendMessageW(dialog->Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int ClientHeight() const {
        RECT rc;
        GetClientRect(dialog->Handle(), &rc);
        return rc.bottom;
    }
    std::string Caption() const {
        wchar_t text[128] = {};
        GetWindowTextW(dialog->Handle(), text, 128);
        return platform::ToCp932(text);
    }
    bool MainEnabled() const { return IsWindowEnabled(host.MainWindow()) != FALSE; }
};

// An item dialog filed in the tree (#A { a1 }, x), over the real launch module and folder picker; Open and Fill
// as its callers and the user do.
template <class Dialog, int keywordId, int pathId>
class TreeItemFixture : public DialogFixture<Dialog> {
protected:
    explicit TreeItemFixture(const ProgramSetup& setup) : DialogFixture<Dialog>(setup) {}
    std::unique_ptr<ui::TForm3> picker;

    void SetUp() override {
        ProgramFixture::SetUp();
        ReadTreeText("#A\n\ta1\nx\n", this->host.tree);
        picker = std::make_unique<ui::TForm3>(this->host, this->ui);
        this->dialog = std::make_unique<Dialog>(typename Dialog::Dependencies{this->host, *picker, this->keyWords,
                                                                              *this->launcher, *this->state, this->ui});
    }
    void TearDown() override {
        this->dialog.reset();
        picker.reset();
        DialogFixture<Dialog>::TearDown();
    }
    void Open(std::uint8_t mode, std::uint8_t placement) {
        this->dialog->SetDialogMode(mode);
        this->dialog->SetPlacement(placement);
        this->dialog->Show();
    }
    void Fill(const std::string& keyword, const std::string& path) {
        this->dialog->SetText(keywordId, keyword);
        this->dialog->SetText(pathId, path);
    }
};

}  // namespace zanmel::test
