// The removable-drive tools on the harness's drives: the program on the removable drive X:, the computer's
// backup folder and installed copy on the fixed drive Y:.
#include <gtest/gtest.h>

#include <memory>

#include "ProgramFixture.h"
#include "core/CommaText.h"
#include "core/TBackUp.h"
#include "core/SyncRules.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"
#include "platform/Win32LaunchShell.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/SyncDialog.h"

namespace zanmel::ui {

namespace {

using Lines = std::vector<std::string>;
using platform::ReadFileBytes;
using platform::ToWide;

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(ToWide(path).c_str(), nullptr)) << path;
}

std::string CurrentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return platform::ToCp932(buffer);
}

// The program folder on the removable drive with its data locations, a stand-in main window to be disabled and
// the real directory view. Under Xvfb without a window manager Wine waits about two seconds for every hide, so
// the tests hide sparingly.
class UsbToolTest : public test::ProgramFixture {
protected:
    UsbToolTest() : ProgramFixture({.base = test::RemovableDrive().Root(), .icons = false}) {}

    platform::WindowHandle main;
    std::unique_ptr<TFormDirView> dirView;

    void SetUp() override {
        ProgramFixture::SetUp();
        main.Reset(CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
        dirView = std::make_unique<TFormDirView>(main.Get());
    }
    static void Click(HWND dialog, int id) { test::ClickButton(dialog, id); }
    bool MainEnabled() const { return IsWindowEnabled(main.Get()) != FALSE; }
    // Messages shown since the last call.
    Lines NewMessages() {
        Lines all = ui.Messages();
        Lines fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }

private:
    std::size_t seen_ = 0;
};

// The three files at the drive's root, removed before and after each test.
class AutorunInfTest : public UsbToolTest {
protected:
    const std::string drive = test::RemovableDrive().letter;
    const Lines rootFiles{drive + "\\autorun.inf", drive + "\\Zanmel.bat", drive + "\\UnplugDrive.bat"};
    platform::Win32LaunchShell shell;
    platform::Win32Cp932Codec codec;
    TKeyWordList keyWords{"PC"};
    std::unique_ptr<TZanmelModule> launcher;

    void SetUp() override {
        UsbToolTest::SetUp();
        for (const std::string& file : rootFiles) DeleteFileW(ToWide(file).c_str());
        launcher = std::make_unique<TZanmelModule>(*timer, *state, keyWords, files, ui, shell, codec);
    }
    void TearDown() override {
        launcher.reset();
        for (const std::string& file : rootFiles) DeleteFileW(ToWide(file).c_str());
        UsbToolTest::TearDown();
    }
    std::string Root(const std::string& name) const { return ReadFileBytes(drive + "\\" + name).value_or("<none>"); }
};

}  // namespace

TEST_F(AutorunInfTest, WritesTheRootFilesWithPathsBelowTheDriveRoot) {
    TFormAutorunInf dialog({main.Get(), *state, *launcher, files, folder / "Zanmel.exe"});
    const std::string exe = folder.Path().substr(3) + "\\Zanmel.exe";  // below "X:\"
    test::WritePlainFile(drive + "\\UnplugDrive.bat", "kept\r\n");

    // No UnplugDrive: the warning shows, autorun.inf has six lines, an UnplugDrive.bat on the drive stays.
    dialog.Show();
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_FALSE(MainEnabled());
    EXPECT_TRUE(IsWindowVisible(dialog.Control(kAutorunLabel3)));
    EXPECT_TRUE(IsWindowVisible(dialog.Control(kAutorunLabel4)));
    // On a denser screen the warning is still bold, in the dialog's new font size.
    RECT frame{};
    GetWindowRect(dialog.Handle(), &frame);
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&frame));
    const auto fontOf = [&](int id) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.Control(id), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    };
    EXPECT_EQ(fontOf(kAutorunLabel4).lfWeight, FW_BOLD);
    EXPECT_NE(fontOf(kAutorunLabel1).lfWeight, FW_BOLD);
    EXPECT_EQ(fontOf(kAutorunLabel4).lfHeight, fontOf(kAutorunLabel1).lfHeight);
    Click(dialog.Handle(), kAutorunBtnOK);
    EXPECT_EQ(Root("autorun.inf"), "[autorun]\r\nopen=" + exe + "\r\nicon=" + exe +
                                       "\r\naction=Zanmel起動\r\nshell\\usbOpen=Zanmel起動\r\n"
                                       "shell\\usbOpen\\command=" +
                                       exe + "\r\n");
    EXPECT_EQ(Root("Zanmel.bat"), exe + "\r\n");
    EXPECT_EQ(Root("UnplugDrive.bat"), "kept\r\n");
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_TRUE(MainEnabled());

    // A path stored relative to the program folder is expanded, then written relative to the drive root; writing
    // again replaces every file.
    launcher->UnplagData.path = "..\\Unplug\\UnplugDrive.exe";
    dialog.Show();
    EXPECT_FALSE(IsWindowVisible(dialog.Control(kAutorunLabel3)));
    Click(dialog.Handle(), kAutorunBtnOK);
    Click(dialog.Handle(), kAutorunBtnOK);
    const std::string inf = Root("autorun.inf");
    EXPECT_EQ(inf.substr(inf.find("shell\\usbOpen2=")),
              "shell\\usbOpen2=UnplugDriveで取り外す\r\nshell\\usbOpen2\\command=Unplug\\UnplugDrive.exe\r\n");
    EXPECT_EQ(inf.find("[autorun]", 1), std::string::npos);
    EXPECT_EQ(Root("UnplugDrive.bat"), "Unplug\\UnplugDrive.exe\r\n");
    EXPECT_EQ(Root("Zanmel.bat"), exe + "\r\n");
}

TEST_F(AutorunInfTest, AFileThatCannotBeWrittenStopsTheRestAndKeepsTheDialogOpen) {
    TFormAutorunInf dialog({main.Get(), *state, *launcher, files, folder / "Zanmel.exe"});
    launcher->UnplagData.path = "C:\\Tools\\UnplugDrive.exe";
    test::WritePlainFile(drive + "\\Zanmel.bat", "old\r\n");
    dialog.Show();
    {
        // Another program holds Zanmel.bat without letting it be replaced.
        platform::KernelHandle holder(CreateFileW(ToWide(drive + "\\Zanmel.bat").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        ui.ExpectMessage();
        Click(dialog.Handle(), kAutorunBtnOK);
    }
    const Lines messages = NewMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Zanmel.bat"), std::string::npos) << messages[0];
    EXPECT_NE(Root("autorun.inf").find("command=C:\\Tools\\UnplugDrive.exe\r\n"), std::string::npos);
    EXPECT_EQ(Root("Zanmel.bat"), "old\r\n");
    EXPECT_EQ(Root("UnplugDrive.bat"), "<none>");
    EXPECT_TRUE(dialog.IsShown());
    EXPECT_FALSE(MainEnabled());
    Click(dialog.Handle(), kAutorunBtnCancel);
    EXPECT_TRUE(MainEnabled());
}

namespace {

class BackUpTest : public UsbToolTest {
protected:
    test::TempFolder target{test::FixedDrive().Root()};
    test::TempFolder elsewhere{test::RemovableDrive().Root()};  // beside the program folder on the drive
    LocalTime now{2009, 4, 1, 9, 5, 7};
    Lines opened;
    std::unique_ptr<TFormBackUp> dialog;

    void SetUp() override {
        UsbToolTest::SetUp();
        test::WritePlainFile(folder / "Zanmel.ini",
                             "[Setting]\r\nGoTaskTray=1\r\n[BackUp]\r\nLastBackUpDate=2009/03/01 8:00:00\r\n");
        test::WritePlainFile(state->HomeSheetFolder() + "\\keyword.txt", "one\r\n");
        test::WritePlainFile(elsewhere / "表.txt", "elsewhere");
        dialog = std::make_unique<TFormBackUp>(TFormBackUp::Dependencies{main.Get(), *state, *dirView, files, ui,
                                                                         [this](const std::string& path) {
                                                                             opened.push_back(path);
                                                                             return true;
                                                                         },
                                                                         [this] { return now; }});
    }
    void TearDown() override {
        dialog.reset();
        UsbToolTest::TearDown();
    }
    void Click(BackUpControl id) { UsbToolTest::Click(dialog->Handle(), id); }
    Lines List() const { return CommaTextSplit(dialog->BackUp().DirList); }
    std::string Ini() const { return ReadFileBytes(folder / "Zanmel.ini").value_or(""); }
};

}  // namespace

TEST_F(BackUpTest, BacksUpListedFoldersOfTheDriveIntoANewFolderPerRunOnItsOwnComputer) {
    const std::string backUpDir = target / "バックアップ";
    dialog->Show();
    EXPECT_FALSE(MainEnabled());
    EXPECT_EQ(dialog->Text(kBackUpEdit1), "");
    EXPECT_EQ(dialog->SelectedMode(), TBackUp::kModeListedFolders);

    // No folder chosen yet: the stored computer name is empty and differs from this one's.
    ui.ExpectMessage();
    Click(kBackUpBtnBackUp);
    // A folder on the drive itself is refused, one on the computer taken with this computer's name.
    ui.AnswerBrowseFolder(folder / "data");
    ui.ExpectMessage();
    Click(kBackUpBtnDirSet);
    EXPECT_EQ(dialog->Text(kBackUpEdit2), "");
    ui.AnswerBrowseFolder(backUpDir);
    Click(kBackUpBtnDirSet);
    EXPECT_EQ(dialog->Text(kBackUpEdit2), backUpDir);
    EXPECT_EQ(dialog->Text(kBackUpEdit1), state->ComputerName());
    Click(kBackUpBtnDirOpen);
    EXPECT_EQ(opened, Lines{backUpDir});

    // The list takes folders of the drive, once each, relative to the program folder.
    ui.AnswerBrowseFolder(state->HomeSheetFolder());
    Click(kBackUpBtnAdd);
    ui.AnswerBrowseFolder(state->HomeSheetFolder());
    ui.ExpectMessage();
    Click(kBackUpBtnAdd);
    ui.AnswerBrowseFolder(target.Path());
    ui.ExpectMessage();
    Click(kBackUpBtnAdd);
    ui.AnswerBrowseFolder(elsewhere.Path());
    Click(kBackUpBtnAdd);
    EXPECT_EQ(NewMessages(),
              (Lines{kBackUpOtherComputer, kBackUpTargetOnDrive, kBackUpAlreadyListed, kBackUpSourceOffDrive}));

    // The backup folder is made on request; the run goes into a folder named after the start.
    ui.AnswerConfirm(true);
    Click(kBackUpBtnBackUp);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(dirView->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(dirView->Title(), "バックアップ中");
    const std::string run = backUpDir + "\\2009_04_01_09_05_07";
    const std::string sheetCopy = run + "\\" + BackUpFolderName(state->HomeSheetFolder());
    EXPECT_EQ(ReadFileBytes(sheetCopy + "\\keyword.txt"), "one\r\n");
    EXPECT_TRUE(test::FolderEntries(sheetCopy + "\\icon").empty());
    // Out of the program folder with "..", and named after its absolute path.
    EXPECT_EQ(ReadFileBytes(run + "\\" + BackUpFolderName(elsewhere.Path()) + "\\表.txt"), "elsewhere");
    EXPECT_EQ(test::FolderEntries(run).size(), 2u);

    // The settings went to [BackUp] beside the global settings; the last backup date is kept as it was.
    const std::string ini = Ini();
    EXPECT_NE(ini.find("[Setting]\r\nGoTaskTray=1\r\n"), std::string::npos);
    EXPECT_NE(ini.find("ComputerName=" + state->ComputerName() + "\r\n"), std::string::npos);
    EXPECT_NE(ini.find("BackUpDir=" + backUpDir + "\r\n"), std::string::npos);
    EXPECT_NE(ini.find("Mode=1\r\n"), std::string::npos);
    EXPECT_NE(ini.find("LastBackUpDate=2009/03/01 8:00:00\r\n"), std::string::npos);
    EXPECT_EQ(List(), (Lines{"data\\portable", "..\\" + elsewhere.Path().substr(3)}));

    // A second run within the same second finds its folder taken and writes nothing; a later one makes a
    // sibling, and the first run keeps what it copied.
    test::WritePlainFile(state->HomeSheetFolder() + "\\keyword.txt", "two\r\n");
    dialog->Show();
    ui.ExpectMessage();
    Click(kBackUpBtnBackUp);
    EXPECT_EQ(NewMessages(), Lines{kBackUpCreateFailed});
    EXPECT_TRUE(dialog->IsShown());
    now.second = 8;
    Click(kBackUpBtnBackUp);
    EXPECT_EQ(ReadFileBytes(sheetCopy + "\\keyword.txt"), "one\r\n");
    const std::string second = backUpDir + "\\2009_04_01_09_05_08\\" + BackUpFolderName(state->HomeSheetFolder());
    EXPECT_EQ(ReadFileBytes(second + "\\keyword.txt"), "two\r\n");
    EXPECT_EQ(test::FolderEntries(backUpDir).size(), 2u);
}

TEST_F(BackUpTest, RefusesABackUpFolderOnTheDriveAndAModeOfNeitherEntry) {
    test::WritePlainFile(folder / "Zanmel.ini", "[BackUp]\r\nComputerName=" + state->ComputerName() +
                                                    "\r\nBackUpDir=" + target.Path() + "\r\nMode=5\r\n");
    dialog->Show();
    EXPECT_EQ(dialog->SelectedMode(), -1);
    // A folder typed by hand, relative: it would lie on the drive, which would be copied into itself.
    dialog->SetText(kBackUpEdit2, "backup");
    ui.ExpectMessage();
    Click(kBackUpBtnBackUp);
    dialog->SetText(kBackUpEdit2, target.Path());
    ui.ExpectMessage();
    Click(kBackUpBtnBackUp);
    EXPECT_EQ(NewMessages(), (Lines{kBackUpTargetOnDrive, kBackUpBadMode}));
    EXPECT_FALSE(platform::PathExists(folder / "backup"));
    // The empty run folder stays; nothing was copied.
    const Lines runs = test::FolderEntries(target.Path());
    ASSERT_EQ(runs, Lines{"2009_04_01_09_05_07"});
    EXPECT_TRUE(test::FolderEntries(target / runs[0]).empty());
    EXPECT_TRUE(dialog->IsShown());
    SendMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(MainEnabled());
    EXPECT_NE(Ini().find("Mode=-1\r\n"), std::string::npos);
}

namespace {

// An installed copy on the fixed drive with its own sheets, and sheets of the drive for this and another
// computer.
class SyncTest : public UsbToolTest {
protected:
    test::TempFolder local{test::FixedDrive().Root()};
    std::vector<Lines> copied;
    std::unique_ptr<TFormSync> dialog;

    void SetUp() override {
        UsbToolTest::SetUp();
        test::WritePlainFile(local / "Zanmel.exe", "");
        MakeFolder(local / "data");
        for (const char* sheet : {"fixed", "portable"}) MakeFolder(local / "data\\" + sheet);
        test::WritePlainFile(local / "data\\fixed\\keyword.txt", "local fixed\r\n");
        test::WritePlainFile(local / "data\\portable\\only-here.txt", "stays");
        test::WritePlainFile(state->HomeSheetFolder() + "\\keyword.txt", "drive portable\r\n");
        test::WritePlainFile(Drive(state->ComputerName()) + "\\setting.ini", "[MainForm]\r\n");
        MakeFolder(Drive("OTHERPC"));
        test::WritePlainFile(Drive("OTHERPC") + "\\keyword.txt", "other computer\r\n");
        dialog = std::make_unique<TFormSync>(TFormSync::Dependencies{
            main.Get(), *state, *dirView, files, ui,
            [this](const std::vector<std::string>& destinations) { copied.push_back(destinations); }});
    }
    void TearDown() override {
        dialog.reset();
        UsbToolTest::TearDown();
    }
    std::string Drive(const std::string& sheet) const { return state->DataRoot() + "\\" + sheet; }
    void Click(SyncControl id) { UsbToolTest::Click(dialog->Handle(), id); }
};

}  // namespace

TEST_F(SyncTest, CopiesTheThreeGroupsOfSheetsBetweenTheDriveAndTheInstalledCopy) {
    const std::string computer = state->ComputerName();
    dialog->Show();
    EXPECT_FALSE(MainEnabled());
    ui.ExpectMessage();
    Click(kSyncBtnSync);

    // Only a file named exactly Zanmel.exe, once per computer; the program folder is current afterwards.
    SetCurrentDirectoryW(ToWide(local.Path()).c_str());
    ui.AnswerOpenFile(local / "zanmel.exe");
    ui.ExpectMessage();
    Click(kSyncBtnAdd);
    EXPECT_EQ(CurrentDirectory(), folder.Path());
    ui.AnswerOpenFile(local / "Zanmel.exe");
    Click(kSyncBtnAdd);
    ui.AnswerOpenFile(local / "Zanmel.exe");
    ui.ExpectMessage();
    Click(kSyncBtnAdd);
    ui.AnswerOpenFile(std::nullopt);
    Click(kSyncBtnAdd);
    EXPECT_EQ(NewMessages(), (Lines{kSyncNoLocalCopy, kSyncNotZanmel, kSyncAlreadyAdded}));
    ASSERT_EQ(dialog->Lines(), Lines{SyncLine(computer, local / "Zanmel.exe")});
    EXPECT_EQ(ui.Calls().back().text, TFormSync::kExeFilter);

    Click(kSyncBtnSync);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(dirView->IsShown());
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(dirView->Title(), "同期中");
    // 1: the drive's portable sheet to the computer, whose own files stay.
    EXPECT_EQ(ReadFileBytes(local / "data\\portable\\keyword.txt"), "drive portable\r\n");
    EXPECT_EQ(ReadFileBytes(local / "data\\portable\\only-here.txt"), "stays");
    // 2: the computer's fixed sheet to the drive under this computer's name.
    EXPECT_EQ(ReadFileBytes(Drive(computer) + "\\keyword.txt"), "local fixed\r\n");
    // 3: the drive's sheets of other computers to the computer; this computer's own is never copied back.
    EXPECT_EQ(ReadFileBytes(local / "data\\OTHERPC\\keyword.txt"), "other computer\r\n");
    EXPECT_FALSE(platform::PathExists(local / "data\\" + computer));
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0], (Lines{local / "data\\portable", Drive(computer), local / "data\\OTHERPC"}));
    EXPECT_EQ(ReadFileBytes(dialog->SyncPath()), SyncLine(computer, local / "Zanmel.exe") + "\r\n");

    // A file another program holds cannot be copied: its sheet keeps its old files, the others are copied, and
    // the user is told which file.
    test::WritePlainFile(Drive("OTHERPC") + "\\keyword.txt", "newer\r\n");
    test::WritePlainFile(Drive("OTHERPC") + "\\tree.txt", "#newer\r\n");
    {
        const platform::KernelHandle held(CreateFileW(ToWide(Drive("OTHERPC") + "\\tree.txt").c_str(), GENERIC_READ, 0,
                                                      nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        dialog->Show();
        ui.ExpectMessage();
        Click(kSyncBtnSync);
    }
    EXPECT_EQ(NewMessages(), Lines{"ファイル " + local / "data\\OTHERPC\\tree.txt" + " を作成できません"});
    EXPECT_EQ(ReadFileBytes(local / "data\\OTHERPC\\keyword.txt"), "other computer\r\n");
    EXPECT_FALSE(platform::PathExists(local / "data\\OTHERPC\\tree.txt"));
    EXPECT_EQ(ReadFileBytes(local / "data\\portable\\keyword.txt"), "drive portable\r\n");
    EXPECT_TRUE(MainEnabled());

    // An installed copy without a data folder: only one folder level is made, so the run stops.
    test::TempFolder bare(test::FixedDrive().Root());
    test::WritePlainFile(bare / "Zanmel.exe", "");
    dialog->Show();
    SendMessageW(dialog->Control(kSyncListBox1), LB_SETCURSEL, 0, 0);
    ui.AnswerOpenFile(bare / "Zanmel.exe");
    Click(kSyncBtnEdit);
    EXPECT_EQ(ui.Calls().back().initial, local / "Zanmel.exe");
    ui.ExpectMessage();
    Click(kSyncBtnSync);
    EXPECT_EQ(NewMessages(), Lines{kSyncCreateFailed});
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_FALSE(dirView->IsShown());
    EXPECT_EQ(copied.size(), 2u);
    EXPECT_TRUE(test::FolderEntries(bare.Path()) == Lines{"Zanmel.exe"});
    Click(kSyncBtnClose);
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(ReadFileBytes(dialog->SyncPath()), SyncLine(computer, bare / "Zanmel.exe") + "\r\n");
}

}  // namespace zanmel::ui
