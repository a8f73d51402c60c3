#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "LauncherFixture.h"
#include "WinTestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "ui/main/MainMenus.h"

namespace zanmel::test {

using platform::KernelHandle;
using platform::ReadFileBytes;
using platform::ToCp932;
using platform::ToWide;

namespace {

// Child mode: a launched item. Writes its second argument to the file named first, then ends.
const ChildMode kLifeRecord("life-record", [](int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    platform::WriteFileAtomically(ToCp932(argv[0]), ToCp932(argv[1]));
    return 0;
});

// The names of the files that differ between two snapshots, one a line.
std::string ChangedFiles(const std::map<std::string, std::string>& a, const std::map<std::string, std::string>& b) {
    std::string names;
    for (const auto& [name, bytes] : a) {
        if (!b.count(name) || b.at(name) != bytes) names += name + "\n";
    }
    for (const auto& [name, bytes] : b) {
        if (!a.count(name)) names += name + " (new)\n";
    }
    return names;
}

const char* const kStartFolder = "##自動実行-起動時\r\n";
const char* const kExitFolder = "##自動実行-終了時\r\n";
const char* const kDefaultSettings =
    "[MainForm]\r\nTop=121\r\nLeft=98\r\nWidth=798\r\nHeight=554\r\nSplitter->Left=377\r\nSkinName=デフォルト\r\n";

// Items that record that they ran, and the exit paths of the launcher.
class LauncherLifeE2E : public LauncherFixture {
protected:
    // A keyword.txt line whose item starts this test program, which writes name into ran-<name>.txt.
    std::string RecordingKeyword(const std::string& name) {
        return KeywordLine(name, RecordOf(SelfPath(), "--child life-record " + Ran(name) + " " + name));
    }
    std::string Ran(const std::string& name) { return program / ("ran-" + name + ".txt"); }
    bool HasRun(const std::string& name) { return ReadFileBytes(Ran(name)).has_value(); }

    void ExpectEndsWithCodeZero() {
        ASSERT_TRUE(WaitFor([&] { return Ended(process.Get()); })) << "the launcher did not end";
        DWORD code = 99;
        GetExitCodeProcess(process.Get(), &code);
        EXPECT_EQ(code, 0u);
    }

    // Ten recording items w0..w9 under #Launch; three EXECUTE requests teach the launcher a new order; end
    // closes it by one exit path. Afterwards the sheet and the window settings hold exactly that state. With
    // exitItem, that item (first already, so its learning moves nothing) is in the exit auto-run folder.
    void LearnThenEnd(const std::function<void(HWND)>& end, const std::string& exitItem = "") {
        std::vector<std::string> lines(10);
        std::string keywords;
        std::string tree = "#WEB\r\n#Launch\r\n";
        for (int i = 0; i < 10; ++i) {
            const std::string name = "w" + std::to_string(i);
            lines[static_cast<std::size_t>(i)] = RecordingKeyword(name);
            keywords += lines[static_cast<std::size_t>(i)];
            tree += "\t" + name + "\r\n";
        }
        tree += std::string(kStartFolder) + kExitFolder + (exitItem.empty() ? "" : "\t" + exitItem + "\r\n");
        WriteSheet(keywords, tree);
        HWND window = Start();
        ASSERT_TRUE(window);

        // w9 from 9 to 7, then from 7 to 5; w3 from 3 to 2.
        for (const wchar_t* keyword : {L"w9", L"w9", L"w3"}) {
            EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\" \"keyword:" + std::wstring(keyword) + L"\"").out,
                      "ZNXP/1.0 200 OK\r\n");
        }
        EXPECT_TRUE(WaitFor([&] { return HasRun("w9") && HasRun("w3"); }));
        end(window);
        ExpectEndsWithCodeZero();

        std::string learnt;
        for (int i : {0, 1, 3, 2, 4, 9, 5, 6, 7, 8}) learnt += lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), learnt);
        EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
        EXPECT_EQ(ReadFileBytes(program / ("data\\" + ComputerName() + "\\setting.ini")), kDefaultSettings);
    }
};

}  // namespace

// Start: s0 moves from 7 to 5. Exit: x0 moves from 8 to 6 — visible in keyword.txt only if it ran before the
// save. The items in the subfolders of both auto-run folders keep their places and never start.
TEST_F(LauncherLifeE2E, AutoRunFoldersRunTheirDirectItemsAndTheExitItemsBeforeSaving) {
    const std::vector<std::string> names = {"k0", "k1", "k2", "k3", "k4", "n1", "n2", "s0", "x0"};
    std::vector<std::string> lines;
    std::string keywords;
    for (const std::string& name : names) keywords += lines.emplace_back(RecordingKeyword(name));
    const std::string tree = "#WEB\r\n#Launch\r\n\tk0\r\n\tk1\r\n\tk2\r\n\tk3\r\n\tk4\r\n" + std::string(kStartFolder) +
                             "\ts0\r\n\t#sub\r\n\t\tn1\r\n" + kExitFolder + "\t#sub\r\n\t\tn2\r\n\tx0\r\n";
    WriteSheet(keywords, tree);
    HWND window = Start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(WaitFor([&] { return HasRun("s0"); })) << "the start auto-run item did not run";
    EXPECT_FALSE(HasRun("x0")) << "the exit auto-run item ran at start";

    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
    EXPECT_TRUE(WaitFor([&] { return HasRun("x0"); })) << "the exit auto-run item did not run";
    std::string expected;
    for (int i : {0, 1, 2, 3, 4, 7, 8, 5, 6}) expected += lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), expected);
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
    Sleep(1000);  // a nested item, had it been started, has written its file by now
    EXPECT_FALSE(HasRun("n1")) << "an item in a subfolder of the start auto-run folder ran";
    EXPECT_FALSE(HasRun("n2")) << "an item in a subfolder of the exit auto-run folder ran";
}

// "missing" is in the start auto-run folder but not in keyword.txt: a message box with the learning error, and
// the items after it are not run (kw would have moved from 2 to 1). The launcher then answers and ends normally.
TEST_F(LauncherLifeE2E, UnregisteredStartItemShowsTheLearningErrorAndTheLauncherRunsOn) {
    const std::string keywords = RecordingKeyword("a") + RecordingKeyword("b") + RecordingKeyword("kw");
    const std::string tree =
        "#WEB\r\n#Launch\r\n\ta\r\n\tb\r\n\tkw\r\n" + std::string(kStartFolder) + "\tmissing\r\n\tkw\r\n" + kExitFolder;
    WriteSheet(keywords, tree);
    process.Reset(StartLauncher());
    ASSERT_TRUE(process);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(GetProcessId(process.Get()))) != nullptr; }))
        << "no message box captioned Zanmel";
    EXPECT_EQ(StaticTextOf(box), "TKeyWordList::Learning\r\nKeyWordが見つかりません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "OK did not close the message box";

    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = platform::FindLauncherWindow()) != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; })) << "the main window is not shown";
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\"").out, "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:a,b,kw\r\n");
    EXPECT_EQ(FindMessageBox(GetProcessId(process.Get())), nullptr) << "a second message box";

    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), keywords);
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), tree);
    EXPECT_FALSE(HasRun("kw")) << "the auto-run item after the failing one ran";
}

TEST_F(LauncherLifeE2E, NothingIsLostWhenTheMenuExitEndsIt) {
    LearnThenEnd([](HWND window) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(ui::MenuFileExit, 0), 0); });
}

TEST_F(LauncherLifeE2E, NothingIsLostWhenTheTrayMenuExitEndsIt) {
    WritePlainFile(program / "Zanmel.ini", "[Setting]\r\nGoTaskTray=1\r\n");
    LearnThenEnd([](HWND window) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(ui::MenuTrayIconEnd, 0), 0); });
}

// 月影 has no title bar; its close rectangle (311, 5)-(331, 25) lies on the top strip.
TEST_F(LauncherLifeE2E, TheFramelessSkinsCloseRectangleEndsItAndItsBorderDoesNot) {
    WriteSheet("", std::string("#WEB\r\n#Launch\r\n") + kStartFolder + kExitFolder);
    const std::string settings = "[MainForm]\r\nSkinName=月影\r\n";
    CreateDirectoryW(ToWide(program / ("data\\" + ComputerName())).c_str(), nullptr);
    WritePlainFile(program / ("data\\" + ComputerName() + "\\setting.ini"), settings);
    HWND window = Start();
    ASSERT_TRUE(window);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);
    auto click = [window](POINT client) {
        HWND strip = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE);
        ASSERT_NE(strip, window) << client.x << "," << client.y;
        MapWindowPoints(window, strip, &client, 1);
        PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        PostMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    };
    click({311, 15});  // the left edge
    click({321, 25});  // the bottom edge
    EXPECT_FALSE(WaitFor([&] { return Ended(process.Get()); }, 1500)) << "a click on the border closed it";
    click({321, 15});
    ExpectEndsWithCodeZero();
    const std::string saved = ReadFileBytes(program / ("data\\" + ComputerName() + "\\setting.ini")).value_or("");
    EXPECT_NE(saved.find("SkinName=月影\r\n"), std::string::npos) << saved;
}

// Windows asks whether the session may end, then says it ends (a cancelled ending changes nothing). The
// launcher has saved everything and written Debug.log before its answer returns, and then ends by itself.
TEST_F(LauncherLifeE2E, NothingIsLostWhenWindowsEndsTheSession) {
    LearnThenEnd(
        [this](HWND window) {
            DWORD_PTR answer = 0;
            ASSERT_TRUE(
                SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer));
            EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
            SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer);
            EXPECT_FALSE(WaitFor([&] { return Ended(process.Get()); }, 500)) << "a cancelled ending ended it";
            ASSERT_TRUE(
                SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 20000, &answer));
            const std::string log = ReadFileBytes(program / "Debug.log").value_or("");
            EXPECT_NE(log.find("TForm1::FormClose"), std::string::npos) << log;
            EXPECT_TRUE(WaitFor([&] { return HasRun("w0"); })) << "the exit auto-run item did not run";
        },
        "w0");
}

TEST_F(LauncherLifeE2E, NothingIsLostWhenACloseMessageFromOutsideEndsIt) {
    LearnThenEnd([](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
}

// A write-protected program folder: every file and folder read-only. (Wine ignores the read-only attribute of
// folders, and honours it on files for writes and for renames over them, so the files are what protects here.)
// Unchanged, the sheet and the settings close without error; only Debug.log, whose times always differ, is
// reported. A learnt order that cannot be saved is reported and keeps the launcher open.
TEST_F(LauncherLifeE2E, AReadOnlyProgramFolderClosesWhenNothingChanged) {
    const std::string keywords = RecordingKeyword("a") + RecordingKeyword("b");
    WriteSheet(keywords, std::string("#WEB\r\n#Launch\r\n\ta\r\n\tb\r\n") + kStartFolder + kExitFolder);
    // A stick used once, then write-protected.
    Close(Start());
    const auto before = FolderSnapshot(program.Path());
    SetTreeReadOnly(program.Path(), true);

    auto closeThroughErrors = [&](HWND window, const char* expectedName) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        HWND box = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (box = FindMessageBox(GetProcessId(process.Get()))) != nullptr; }));
        if (!box) return;
        const std::string text = StaticTextOf(box);
        EXPECT_NE(text.find(expectedName), std::string::npos) << text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    HWND window = Start();
    ASSERT_TRUE(window);
    closeThroughErrors(window, "Debug.log");
    ExpectEndsWithCodeZero();
    EXPECT_EQ(ChangedFiles(before, FolderSnapshot(program.Path())), "");

    window = Start();
    ASSERT_TRUE(window);
    EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\" \"keyword:b\"").out, "ZNXP/1.0 200 OK\r\n");
    closeThroughErrors(window, "keyword.txt");
    EXPECT_FALSE(WaitFor([&] { return Ended(process.Get()); }, 1000)) << "it ended without saving the sheet";
    EXPECT_TRUE(IsWindow(window));
    SetTreeReadOnly(program.Path(), false);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), RecordingKeyword("b") + RecordingKeyword("a"));
}

// "-exit" counts only among two or more items; w0 is first already, so running it changes no order.
TEST_F(LauncherLifeE2E, NothingIsLostWhenASecondStartSaysExit) {
    LearnThenEnd([this](HWND) {
        KernelHandle second(StartLauncher(L"-executekeyword w0 -exit"));
        ASSERT_TRUE(second);
        EXPECT_EQ(WaitForSingleObject(second.Get(), 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(second.Get(), &code);
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(WaitFor([&] { return HasRun("w0"); })) << "-executekeyword w0 did not run w0";
    });
}

}  // namespace zanmel::test
