#include "platform/TState.h"

#include <gtest/gtest.h>

#include <map>

#include <algorithm>
#include <set>

#include "ScriptedUserInterface.h"
#include "WinTestSupport.h"
#include "core/CommaText.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"

namespace zanmel::platform {

namespace {

using List = std::vector<std::string>;
using Names = std::set<std::string>;

// The timing log of one test; Debug.log goes into the test's own folder.
struct Timer {
    explicit Timer(const std::string& folder) : timer(clock, files, folder + "\\Debug.log") {}
    MultimediaClock clock;
    Win32FileAccess files;
    TDebugTimer timer;
};

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(ToWide(path).c_str(), nullptr)) << path;
}

Names EntriesOf(const std::string& folder) {
    List names = test::FolderEntries(folder);
    return Names(names.begin(), names.end());
}

std::string CurrentDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return ToCp932(buffer);
}

std::string ThisComputer() {
    wchar_t name[256] = {};
    DWORD size = 256;
    GetComputerNameW(name, &size);
    return ToCp932(name);
}

// A directory view for the copy tests: shown or hidden at will, records what it was shown.
struct RecordingView : DirectoryView {
    bool shown = true;
    List paths;
    std::size_t hideAfter = SIZE_MAX;
    bool IsShown() const override { return shown; }
    void ShowPath(std::string_view path) override {
        paths.emplace_back(path);
        if (paths.size() >= hideAfter) shown = false;
    }
};

}  // namespace

TEST(TState, FromTheRemovableDrivePortableModeOffersEveryComputerFolder) {
    test::TempFolder program(test::RemovableDrive().Root());
    MakeFolder(program / "data");
    MakeFolder(program / "data\\PC-OTHER");
    Timer log(program.Path());
    SetCurrentDirectoryW(L"C:\\");

    TState state(log.timer, program / "Zanmel.exe");
    EXPECT_TRUE(state.PortableMode());
    EXPECT_EQ(state.ProgramFolder(), program.Path());
    EXPECT_EQ(state.ProgramDrive(), test::RemovableDrive().letter);
    EXPECT_EQ(state.ComputerName(), ThisComputer());
    EXPECT_FALSE(state.ComputerName().empty());
    EXPECT_EQ(state.SheetFolder(), program / "data\\portable");
    EXPECT_EQ(state.HomeSheetFolder(), state.SheetFolder());
    EXPECT_TRUE(test::FolderEntries(program / "data\\portable\\icon").empty());
    EXPECT_EQ(CurrentDirectory(), program.Path());

    // "portable", then every computer folder in enumeration order, this computer's included; no "fixed".
    const List& sheets = state.SheetList();
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0], "portable");
    EXPECT_EQ(Names(sheets.begin() + 1, sheets.end()), (Names{"PC-OTHER", state.ComputerName()}));

    ASSERT_EQ(log.timer.Lines().size(), 1u);
    EXPECT_EQ(log.timer.Lines()[0].substr(0, 1), "\t");
    EXPECT_EQ(log.timer.Lines()[0].substr(13), "TState::TState");
}

TEST(TState, FromTheFixedDriveSheetListSkipsThisComputerAndOddFolders) {
    test::TempFolder program(test::FixedDrive().Root());
    MakeFolder(program / "data");
    MakeFolder(program / "data\\PC-OTHER");
    MakeFolder(program / "data\\Fixed");
    MakeFolder(program / "data\\PORTABLE");
    MakeFolder(program / "data\\表計算 用");  // a space and trail bytes 0x5C survive the comma text
    test::WritePlainFile(program / "data\\file.txt", "not a folder");
    // Folders carrying any attribute beside the directory attribute are not sheets. Wine 8 keeps hidden and
    // system on a folder but drops archive and read-only, so each is expected out exactly when it is reported.
    const std::pair<const char*, DWORD> marked[] = {{"Archived", FILE_ATTRIBUTE_ARCHIVE},
                                                    {"ReadOnly", FILE_ATTRIBUTE_READONLY},
                                                    {"Hidden", FILE_ATTRIBUTE_HIDDEN},
                                                    {"System", FILE_ATTRIBUTE_SYSTEM}};
    Names plainMarked;
    for (const auto& [name, attribute] : marked) {
        const std::string path = program / "data\\" + name;
        MakeFolder(path);
        ASSERT_TRUE(SetFileAttributesW(ToWide(path).c_str(), attribute));
        const DWORD reported = GetFileAttributesW(ToWide(path).c_str());
        if (reported == FILE_ATTRIBUTE_DIRECTORY) plainMarked.insert(name);
        if (attribute == FILE_ATTRIBUTE_HIDDEN || attribute == FILE_ATTRIBUTE_SYSTEM) {
            ASSERT_EQ(reported, FILE_ATTRIBUTE_DIRECTORY | attribute) << name;
        }
    }
    Timer log(program.Path());

    TState state(log.timer, program / "Zanmel.exe");
    EXPECT_FALSE(state.PortableMode());
    EXPECT_EQ(state.SheetFolder(), program / "data\\fixed");
    // "Fixed" and "PORTABLE" stand for the two built-in sheets; this computer's folder is not offered.
    const List& sheets = state.SheetList();
    ASSERT_GE(sheets.size(), 2u);
    EXPECT_EQ(sheets[0], "portable");
    EXPECT_EQ(sheets[1], "fixed");
    Names others{"PC-OTHER", "表計算 用"};
    others.insert(plainMarked.begin(), plainMarked.end());
    EXPECT_EQ(Names(sheets.begin() + 2, sheets.end()), others);

    // The data root keeps "Fixed" as it was (no second fixed folder was made).
    Names data = EntriesOf(state.DataRoot());
    EXPECT_EQ(data.count("fixed"), 0u);
    EXPECT_EQ(data.count("Fixed"), 1u);

    // Switching sheets and refreshing after another sheet appeared.
    state.SetSheetFolder("PC-OTHER");
    EXPECT_EQ(state.SheetFolder(), program / "data\\PC-OTHER");
    EXPECT_EQ(state.HomeSheetFolder(), program / "data\\fixed");
    MakeFolder(program / "data\\Synced");
    state.RefreshSheetList();
    EXPECT_NE(std::find(state.SheetList().begin(), state.SheetList().end(), "Synced"), state.SheetList().end());

    // The listing itself: only plain folders, as comma text.
    List listed = CommaTextSplit(TState::ListSubFolders(state.DataRoot()));
    Names plain{"PC-OTHER", "Fixed", "PORTABLE", "表計算 用", "Synced", state.ComputerName()};
    plain.insert(plainMarked.begin(), plainMarked.end());
    EXPECT_EQ(Names(listed.begin(), listed.end()), plain);
    EXPECT_EQ(TState::ListSubFolders(program / "missing"), "");
}

TEST(TState, FirstStartCreatesExactlyTheFolderLayout) {
    for (const test::HarnessDrive& drive : {test::RemovableDrive(), test::FixedDrive()}) {
        test::TempFolder program(drive.Root());
        Timer log(program.Path());
        TState state(log.timer, program / "Zanmel.exe");
        const std::string computer = state.ComputerName();
        const std::string sheet = state.PortableMode() ? "portable" : "fixed";
        EXPECT_EQ(EntriesOf(program.Path()), (Names{"data", "skin"})) << drive.letter;
        EXPECT_EQ(EntriesOf(program / "data"), (Names{"portable", "fixed", computer}));
        EXPECT_EQ(EntriesOf(program / "data\\" + sheet), (Names{"icon"}));
        EXPECT_EQ(EntriesOf(program / ("data\\" + std::string(sheet == "fixed" ? "portable" : "fixed"))), Names{});
        EXPECT_EQ(EntriesOf(program / "data\\" + computer), (Names{"icon"}));
        EXPECT_TRUE(EntriesOf(program / "skin").empty());
    }

    // A folder that cannot be created is left out and the others are still made.
    test::TempFolder blocked(test::FixedDrive().Root());
    test::WritePlainFile(blocked / "skin", "a file where the skin folder belongs");
    Timer log(blocked.Path());
    TState state(log.timer, blocked / "Zanmel.exe");
    EXPECT_EQ(EntriesOf(blocked / "data"), (Names{"portable", "fixed", state.ComputerName()}));
    EXPECT_EQ(ReadFileBytes(blocked / "skin"), "a file where the skin folder belongs");
}

TEST(TState, PathConversions) {
    test::TempFolder program(test::RemovableDrive().Root());
    Timer log(program.Path());
    TState state(log.timer, program / "Zanmel.exe");
    const std::string folder = program.Path();
    const std::string parent = folder.substr(0, folder.rfind('\\'));

    EXPECT_EQ(state.RelativePath(folder + "\\bin\\app.exe"), "bin\\app.exe");
    EXPECT_EQ(state.RelativePath(folder + "\\readme.txt"), "readme.txt");
    EXPECT_EQ(state.RelativePath(test::FixedDrive().Root() + "tools\\x.exe"),
              test::FixedDrive().Root() + "tools\\x.exe");
    EXPECT_EQ(state.AutoRelativePath(folder + "\\bin\\app.exe"), "bin\\app.exe");
    EXPECT_EQ(state.AutoRelativePath("C:\\windows\\notepad.exe"), "C:\\windows\\notepad.exe");

    // Resolved against the program folder whatever the current directory was.
    SetCurrentDirectoryW(L"C:\\");
    EXPECT_EQ(state.AbsolutePath("bin\\..\\.\\app.exe"), folder + "\\app.exe");
    EXPECT_EQ(CurrentDirectory(), folder);
    EXPECT_EQ(state.AbsolutePath("."), folder);
    EXPECT_EQ(state.AbsolutePath("..\\other\\表.txt"), parent + "\\other\\表.txt");
    EXPECT_EQ(state.AbsolutePath("Y:\\a\\..\\b.txt"), "Y:\\b.txt");
    // Relative and back again.
    const std::string deep = folder + "\\sub\\ソフト\\a.exe";
    EXPECT_EQ(state.AbsolutePath(state.RelativePath(deep)), deep);
    EXPECT_EQ(state.AbsolutePath(""), "");
}

TEST(TState, FolderBrowserGoesThroughTheUserInterface) {
    test::TempFolder program(test::FixedDrive().Root());
    Timer log(program.Path());
    TState state(log.timer, program / "Zanmel.exe");
    test::ScriptedUserInterface ui;
    ui.AnswerBrowseFolder("Y:\\Backup");
    ui.AnswerBrowseFolder("");
    EXPECT_EQ(state.FolderBrowser(ui, nullptr, "Y:\\Start"), "Y:\\Backup");
    EXPECT_EQ(state.FolderBrowser(ui, nullptr, ""), "");
    ASSERT_EQ(ui.Calls().size(), 2u);
    EXPECT_EQ(ui.Calls()[0].title, "フォルダを選んで下さい");
    EXPECT_EQ(ui.Calls()[0].initial, "Y:\\Start");
    EXPECT_TRUE(ui.Unexpected().empty());
}

TEST(TState, CopyFolderTreeCopiesOnlyWhileTheViewIsShown) {
    test::TempFolder source(test::RemovableDrive().Root());
    test::TempFolder target(test::FixedDrive().Root());
    test::WritePlainFile(source / "a.txt", "alpha");
    MakeFolder(source / "sub");
    MakeFolder(source / "sub\\表");
    MakeFolder(source / "empty");
    test::WritePlainFile(source / "sub\\表\\deep.txt", "deep");
    test::WritePlainFile(source / "ro.txt", "read only");
    ASSERT_TRUE(SetFileAttributesW(ToWide(source / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    // Left behind by a copy that a pulled drive cut short: not spread further.
    test::WritePlainFile(source / "ZNM3F0A.tmp", "half");
    test::WritePlainFile(source / "sub\\znm1.TMP", "half");

    RecordingView view;
    view.shown = false;
    TState::CopyFolderTree(view, target.Path(), source.Path());
    EXPECT_TRUE(test::FolderEntries(target.Path()).empty());
    EXPECT_TRUE(view.paths.empty());

    view.shown = true;
    test::WritePlainFile(target / "a.txt", "old");  // overwritten
    TState::CopyFolderTree(view, target.Path(), source.Path());
    EXPECT_EQ(EntriesOf(target.Path()), (Names{"a.txt", "sub", "empty", "ro.txt"}));
    EXPECT_EQ(ReadFileBytes(target / "a.txt"), "alpha");
    EXPECT_EQ(ReadFileBytes(target / "ro.txt"), "read only");
    EXPECT_EQ(ReadFileBytes(target / "sub\\表\\deep.txt"), "deep");
    EXPECT_TRUE(test::FolderEntries(target / "empty").empty());
    EXPECT_EQ(Names(view.paths.begin(), view.paths.end()),
              (Names{source / "a.txt", source / "sub", source / "sub\\表", source / "sub\\表\\deep.txt",
                     source / "empty", source / "ro.txt"}));

    // Hidden during the walk (the user closed the window): the entry on display and the rest are not copied.
    test::TempFolder interrupted(test::FixedDrive().Root());
    RecordingView closing;
    closing.hideAfter = 2;
    TState::CopyFolderTree(closing, interrupted.Path(), source.Path());
    EXPECT_EQ(closing.paths.size(), 2u);
    EXPECT_LE(test::FolderEntries(interrupted.Path()).size(), 1u);
}

// A sync into a sheet: cut short anywhere in the walk, the sheet stays as it was; run to its end, it is the new
// one. What an earlier crash left in the sheet's folders goes, and no copy of this run stays behind.
TEST(TState, CopySheetFolderChangesTheSheetAsOneStep) {
    test::TempFolder source(test::RemovableDrive().Root());
    test::TempFolder sheet(test::FixedDrive().Root());
    for (const test::TempFolder* folder : {&source, &sheet}) MakeFolder(*folder / "icon");
    test::WritePlainFile(source / "keyword.txt", "new keywords");
    test::WritePlainFile(source / "tree.txt", "new tree");
    test::WritePlainFile(source / "icon\\1000.ico", "new icon");
    const std::map<std::string, std::string> old = {
        {"icon\\", ""}, {"icon\\1000.ico", "old icon"}, {"keyword.txt", "old keywords"}, {"tree.txt", "old tree"}};
    for (const auto& [name, bytes] : old) {
        if (name.back() != '\\') test::WritePlainFile(sheet / name, bytes);
    }

    for (std::size_t cut = 1; cut <= 4; ++cut) {  // four entries: the view shows each before it is copied
        test::WritePlainFile(sheet / "icon\\znm1A.tmp", "left by a crash");
        RecordingView closing;
        closing.hideAfter = cut;
        TState::CopySheetFolder(closing, sheet.Path(), source.Path());
        auto now = test::FolderSnapshot(sheet.Path());
        now.erase("icon\\znm1A.tmp");  // the walk may have stopped before it reached the icon folder
        EXPECT_EQ(now, old) << "cut after " << cut;
    }
    RecordingView view;
    TState::CopySheetFolder(view, sheet.Path(), source.Path());
    EXPECT_EQ(test::FolderSnapshot(sheet.Path()), (std::map<std::string, std::string>{{"icon\\", ""},
                                                                                      {"icon\\1000.ico", "new icon"},
                                                                                      {"keyword.txt", "new keywords"},
                                                                                      {"tree.txt", "new tree"}}));
}

}  // namespace zanmel::platform
