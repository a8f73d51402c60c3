#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "LauncherFixture.h"
#include "WinTestSupport.h"
#include "core/TextLines.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/TextCodec.h"
#include "platform/Window.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"

namespace zanmel::test {

using platform::KernelHandle;
using platform::ReadFileBytes;
using platform::ToCp932;
using platform::ToWide;

namespace {

// Child mode: the started item. Writes its arguments to the file named first, then ends.
const ChildMode kRecord("record", [](int argc, wchar_t** argv) {
    if (argc < 1) return 2;
    std::wstring rest;
    for (int i = 1; i < argc; ++i) rest += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    platform::WriteFileAtomically(ToCp932(argv[0]), ToCp932(rest));
    return 0;
});

class LauncherE2E : public LauncherFixture {};

}  // namespace

TEST_F(LauncherE2E, FirstStartOpensTheWindowAndClosingSavesEverything) {
    HWND window = Start();
    ASSERT_TRUE(window);
    RECT rc;
    GetWindowRect(window, &rc);
    EXPECT_EQ(rc.left, 98);
    EXPECT_EQ(rc.top, 121);
    EXPECT_EQ(rc.right - rc.left, 798);
    EXPECT_EQ(rc.bottom - rc.top, 554);
    Close(window);
    DWORD code = 99;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(code, 0u);

    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), "#WEB\r\n#Launch\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n");
    EXPECT_EQ(ReadFileBytes(Sheet("keyword.txt")), "");
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &size);
    const auto settings = ReadFileBytes(program / ("data\\" + ToCp932(computer) + "\\setting.ini"));
    ASSERT_TRUE(settings);
    EXPECT_EQ(
        *settings,
        "[MainForm]\r\nTop=121\r\nLeft=98\r\nWidth=798\r\nHeight=554\r\nSplitter->Left=377\r\nSkinName=デフォルト\r\n");

    // Debug.log: every stage of the run in the order it ended, at its depth (a tab per open stage), each line
    // CP932 with CR LF: the singletons, the main window's construction and creation, every window made at
    // start-up in creation order, and the shutdown.
    const std::string log = ReadFileBytes(program / "Debug.log").value_or("");
    std::vector<std::string> stages;
    for (const std::string_view line : SplitLines(log)) {
        const std::size_t tabs = line.find_first_not_of('\t');
        const std::size_t label = line.find(" ms:");
        ASSERT_NE(label, std::string::npos) << line;
        stages.push_back(std::to_string(tabs) + " " + std::string(line.substr(label + 4)));
    }
    const std::vector<std::string> expected = {"1 TState::TState",
                                               "1 TSetting::TSetting",
                                               "1 TZanmelModule::TZanmelModule",
                                               "1 TSkinDriver::TSkinDriver",
                                               "1 TSpecialFolderModule::TSpecialFolderModule",
                                               "2 Form1コンストラクタ開始",
                                               "2 2重起動防止設定登録",
                                               "2 システムフック完了",
                                               "3 IconのロードImageListへの登録",
                                               "3 Iconのリストへの関連付け",
                                               "3 ポップアップメニュー生成",
                                               "2 アイテムデータ読み出し",
                                               "2 スキン変更に追加完了",
                                               "2 トレイアイコン追加完了",
                                               "2 OLE Drag&Drop設定完了",
                                               "2 複数モニタのための画面計測完了",
                                               "1 TForm1::TForm1",
                                               "2 スキンの読み込み",
                                               "1 TForm1::FormCreate",
                                               "1 TForm3::TForm3",
                                               "1 TForm4::TForm4",
                                               "1 TFormZanmel::TFormZanmel",
                                               "1 TFormExt::TFormExt",
                                               "1 TFormWEB::TFormWEB",
                                               "1 TFormSetting::TFormSetting",
                                               "1 TFormDebug::TFormDebug",
                                               "1 TFormScan::TFormScan",
                                               "1 TFormDirView::TFormDirView",
                                               "1 TFormAutorunInf::TFormAutorunInf",
                                               "1 TFormBackUp::TFormBackUp",
                                               "1 TFormSync::TFormSync",
                                               "1 TFormSpecialFolder::TFormSpecialFolder",
                                               "2 自動実行(終了)",
                                               "2 アイテムデータ保存",
                                               "2 設定の保存",
                                               "2 終了処理",
                                               "1 TForm1::FormClose"};
    EXPECT_EQ(stages, expected);
}

// A start-up that stops on an error (a malformed tree.txt) shows the error's text and ends the program; the
// stages it finished are in Debug.log.
TEST_F(LauncherE2E, AStartUpErrorIsShownAndEndsTheProgram) {
    WriteSheet("", "#A\r\n\t\t\tdeep\r\n");
    process.Reset(StartLauncher());
    ASSERT_TRUE(process);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(GetProcessId(process.Get()))) != nullptr; }))
        << "no message box captioned Zanmel";
    EXPECT_EQ(StaticTextOf(box), "アイテム \"deep\" の階層 (3) が不正です");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return Ended(process.Get()); })) << "the launcher did not end";
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), "#A\r\n\t\t\tdeep\r\n");
    EXPECT_NE(ReadFileBytes(program / "Debug.log").value_or("").find(" ms:TState::TState\r\n"), std::string::npos);
}

// (Which menus show is checked inside the process: Wine does not let another process read a window's menus.)
TEST_F(LauncherE2E, FromTheRemovableDriveTheSheetStaysOnTheStick) {
    TempFolder stick(RemovableDrive().Root());
    PrepareProgramFolder(stick.Path());
    HWND window = Start(stick.Path());
    ASSERT_TRUE(window);
    Close(window);
    process.Reset();
    EXPECT_TRUE(ReadFileBytes(stick / "data\\portable\\tree.txt").has_value()) << "the sheet is not on the stick";
}

TEST_F(LauncherE2E, ZnxpRequestsAgainstTheRunningLauncher) {
    const std::string started = program / "started.txt";
    const std::string record = RecordOf(SelfPath(), "--child record " + started + " from-znxp");
    WriteSheet(KeywordLine("first", "open,x.exe,,,1,0") + KeywordLine("a b", "open,y.exe,,,1,0") +
                   KeywordLine("c,d", "open,z.exe,,,1,0") + KeywordLine("Run", record),
               "#Launch\r\n\tfirst\r\n\ta b\r\n\tc,d\r\n\tRun\r\n");
    HWND window = Start();
    ASSERT_TRUE(window);

    EXPECT_EQ(Znxp(L"\"get znxp/1.0  \"").out,
              "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:first,\"a b\",\"c,d\",Run\r\n");
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"Option: IgnoreCase MatchPartial\" \"Search:R\"").out,
              "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:first,Run\r\n");
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"option:matchpartial,ignorecase\" \"search:U\"").out,
              "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:Run\r\n");
    // The same single match again: completed already, so not unique.
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"search:fir\"").out, "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:first\r\n");
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"search:fi\"").out, "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:first\r\n");
    // A header indented by a blank is no header: the search is empty and lists everything.
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \" search:a\"").out,
              "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:first,\"a b\",\"c,d\",Run\r\n");

    EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\" \"Keyword:nothing\"").out, "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\"").out, "ZNXP/1.0 400 Bad Request\r\n");
    EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.1\"").out, "ZNXP/1.1 400 Bad Request\r\n");
    EXPECT_EQ(Znxp(L"\"NOTIFY ZNXP/1.0\"").out, "ZNXP/1.0 400 Bad Request\r\n");
    EXPECT_EQ(Znxp(L"\"ADD ZNXP/1.0\"").out, "ZNXP/1.0 400 Bad Request\r\n");
    EXPECT_EQ(Znxp(L"\"PUT ZNXP/1.0\" \"file:C:\\x.exe\"").out, "501 Not Implemented\r\n");
    EXPECT_EQ(Znxp(L"--no-hwnd --zero-sender \"EXECUTE ZNXP/1.0\" \"keyword:Run\"").exitCode, 3u);
    EXPECT_FALSE(ReadFileBytes(started).has_value()) << "a request nobody could be answered was carried out";

    EXPECT_EQ(Znxp(L"\"EXECUTE ZNXP/1.0\" \"keyword:Run\"").out, "ZNXP/1.0 200 OK\r\n");
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(started).has_value(); }));
    EXPECT_EQ(ReadFileBytes(started), "from-znxp");

    // Malformed copy-data blocks from a test program leave the launcher answering.
    auto send = [&](DWORD kind, const void* data, DWORD size) {
        COPYDATASTRUCT block{kind, size, const_cast<void*>(data)};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block), SMTO_NORMAL, 10000, &result);
        return result;
    };
    EXPECT_EQ(send(1192, nullptr, 0), 1u);
    std::string big(16u << 20, 'x');
    big.replace(0, 14, "GET ZNXP/1.0\r\n");
    send(1192, big.data(), static_cast<DWORD>(big.size()));  // Wine may refuse to carry 16 MB across processes
    EXPECT_EQ(send(77, "x", 2), 0u);
    EXPECT_EQ(Znxp(L"\"GET ZNXP/1.0\" \"search:a\"").out, "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:\"a b\"\r\n");

    // NOTIFY: the registered window is sent a close message when the launcher ends.
    bool closed = false;
    platform::Window::RegisterWindowClass(L"ZanmelNotified");
    struct Notified : platform::Window {
        bool* closed;
        explicit Notified(bool* flag) : closed(flag) {
            Create(L"ZanmelNotified", L"notified", WS_OVERLAPPED, 0, 0, 0, 10, 10);
        }
        LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
            if (message == WM_CLOSE) return *closed = true, 0;
            return Default(message, w, l);
        }
    } notified(&closed);
    const auto handle = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(notified.Handle()));
    EXPECT_EQ(Znxp(L"\"NOTIFY ZNXP/1.0\" \"apphwnd:" + std::to_wstring(handle) + L"\"").out, "ZNXP/1.0 200 OK\r\n");
    Close(window);
    EXPECT_TRUE(WaitFor([&] { return closed; }, 5000));

    // Running Run moved it a fifth of the way forward: from position 3 to 2.
    const std::string keywords = ReadFileBytes(Sheet("keyword.txt")).value_or("");
    EXPECT_LT(keywords.find("Run,"), keywords.find("\"c,d\""));
}

// ADD opens the launcher item dialog prefilled, with the main window disabled, before the reply comes; its OK
// goes on to the folder picker, whose "一番下に追加" files the item at the end of the top level.
TEST_F(LauncherE2E, ZnxpAddOpensThePrefilledLauncherItemDialog) {
    WriteSheet("", "#Launch\r\n");
    const std::string tool = program / "道具 箱.txt";
    WritePlainFile(tool, "tool");
    HWND window = Start();
    ASSERT_TRUE(window);
    EXPECT_EQ(Znxp(L"\"ADD ZNXP/1.0\" \"file:" + ToWide(tool) + L"\"").out, "ZNXP/1.0 200 OK\r\n");
    HWND dialog = FindWindowW(L"TFormZanmel", nullptr);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IsWindowEnabled(window));
    const auto text = [](HWND control) {
        // The text of another process's control comes by message; GetWindowTextW gives only a caption.
        wchar_t buffer[MAX_PATH] = {};
        SendMessageW(control, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(buffer));
        return ToCp932(buffer);
    };
    EXPECT_EQ(text(GetDlgItem(dialog, ui::kItemEdit1)), "道具 箱.txt");
    EXPECT_EQ(text(GetDlgItem(dialog, ui::kItemEdit2)), tool);

    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ui::kItemBtnOK, BN_CLICKED), 0);
    HWND picker = FindWindowW(L"TForm3", nullptr);
    ASSERT_TRUE(picker);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(picker) != FALSE; }));
    SendMessageW(picker, WM_COMMAND, MAKEWPARAM(ui::kPickerButton2Id, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(ReadFileBytes(Sheet("tree.txt")), "#Launch\r\n##自動実行-起動時\r\n##自動実行-終了時\r\n道具 箱.txt\r\n");
    Close(window);
    EXPECT_NE(ReadFileBytes(Sheet("keyword.txt")).value_or("").find("\"道具 箱.txt\",Launch,"), std::string::npos);
}

TEST_F(LauncherE2E, SecondStartActivatesTheFirstOrHandsOverItsCommandLine) {
    const std::string started = program / "started.txt";
    WriteSheet(KeywordLine("KW", RecordOf(SelfPath(), "--child record " + started + " second")), "#Launch\r\n\tKW\r\n");
    HWND window = Start();
    ASSERT_TRUE(window);

    KernelHandle second(StartLauncher());
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(second.Get(), 20000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(second.Get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForSingleObject(process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one ended";

    Sleep(300);
    second.Reset(StartLauncher(L"-executekeyword KW -exit"));
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(second.Get(), 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(started).has_value(); }));
    EXPECT_EQ(ReadFileBytes(started), "second");
    EXPECT_TRUE(WaitFor([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }))
        << "-exit did not end the first instance";
}

// Reports the round trip of a GET through znxp.exe (median of 100, measured inside the client) and the start-up
// stages of Debug.log and the memory in use, for a small sheet and for 10,000 items in 200 folders.
// With ZANMEL_BIG_SHEETS set, also 2,000 and 20,000 items with icon files of their own and 100,000 items.
TEST_F(LauncherE2E, StartUpAndGetRoundTripTimes) {
    struct Size {
        int count;
        bool icons;
    };
    std::vector<Size> sheets{{0, false}, {10000, false}};
    if (GetEnvironmentVariableW(L"ZANMEL_BIG_SHEETS", nullptr, 0) > 0)
        sheets.insert(sheets.end(), {{2000, true}, {20000, true}, {100000, false}});
    const std::string iconFile = ReadFileBytes(program / "defaulticon\\0.ico").value_or("");
    for (const auto& [count, icons] : sheets) {
        std::string keywords;
        std::string tree;
        CreateDirectoryW(ToWide(Sheet("icon")).c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            const std::string keyword = "key" + std::to_string(i);
            const std::string line = KeywordLine(keyword, "open,x.exe,,,1,0");
            if (icons) {
                const std::string number = std::to_string(1000 + i);
                keywords += line.substr(0, line.find(",0,")) + "," + number + "," + line.substr(line.find(",0,") + 3);
                platform::WriteFileAtomically(Sheet("icon\\" + number + ".ico"), iconFile);
            } else {
                keywords += line;
            }
            if (i % 50 == 0) tree += "#folder" + std::to_string(i / 50) + "\r\n";
            tree += "\t" + keyword + "\r\n";
        }
        WriteSheet(keywords, tree);
        const DWORD started = GetTickCount();
        HWND window = Start();
        ASSERT_TRUE(window);
        const DWORD shown = GetTickCount() - started;
        const ClientRun run = Znxp(L"--repeat 100 \"GET ZNXP/1.0\" \"search:key99\"");
        EXPECT_EQ(run.exitCode, 0u);
        const std::size_t median = run.out.find("znxp: median");
        ASSERT_NE(median, std::string::npos) << run.out;
        std::printf("GET round trip with %d items: %s", count,
                    run.out.substr(median, run.out.find('\n', median) - median + 1).c_str());
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        ASSERT_TRUE(K32GetProcessMemoryInfo(process.Get(), &memory, sizeof(memory)));
        std::printf("  %d items: working set %zu KiB (peak %zu KiB), private bytes %zu KiB\n", count,
                    memory.WorkingSetSize / 1024, memory.PeakWorkingSetSize / 1024, memory.PagefileUsage / 1024);
        Close(window);
        process.Reset();

        // The top-level stages before the shutdown's add up to the time from the first singleton to the window
        // shown (the last window is made before it shows); the whole process start under Wine is measured from
        // outside.
        const std::string log = ReadFileBytes(program / "Debug.log").value_or("");
        long toShown = 0;
        bool closed = false;
        for (const std::string_view line : SplitLines(log)) {
            if (line.size() < 2 || line[0] != '\t' || line[1] == '\t') continue;
            const std::size_t mark = line.find(" ms:");
            ASSERT_NE(mark, std::string::npos) << line;
            if (line.substr(mark + 4) == "TForm1::FormClose") {
                closed = true;
                break;
            }
            toShown += std::stol(std::string(line.substr(1, mark - 1)));
        }
        EXPECT_TRUE(closed) << log;
        std::printf(
            "  %d items: %ld ms from the first singleton to the window shown (Debug.log), %lu ms from "
            "process start (outside)\n",
            count, toShown, static_cast<unsigned long>(shown));
        for (const char* stage : {"アイテムデータ読み出し", "TForm1::TForm1", "スキンの読み込み", "TForm1::FormCreate",
                                  "アイテムデータ保存", "TForm1::FormClose"}) {
            const std::size_t end = log.find(std::string(" ms:") + stage + "\r\n");
            ASSERT_NE(end, std::string::npos) << stage;
            const std::size_t start = log.rfind('\t', end);
            std::printf("  %d items, %s:%s ms\n", count, stage, log.substr(start + 1, end - start - 1).c_str());
        }
    }
}

}  // namespace zanmel::test
