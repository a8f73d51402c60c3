#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ScriptedUserInterface.h"
#include "WinTestSupport.h"
#include "core/IconCache.h"
#include "core/SpecialFolderModule.h"
#include "core/TZanmelModule.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"
#include "platform/Win32LaunchShell.h"

using namespace zanmel;
using namespace zanmel::platform;

namespace {

// Whole files through the atomic writer, as the program's own file access does.
struct AtomicFiles : FileAccess {
    std::optional<std::string> ReadFile(const std::string& path) override { return ReadFileBytes(path); }
    void WriteFile(const std::string& path, std::string_view bytes) override { WriteFileAtomically(path, bytes); }
};

struct NoClock : MillisecondClock {
    std::uint32_t Now() override { return 0; }
};

struct Places : DataLocations {
    std::string programFolder, programDrive, sheetFolder;
    bool portable = true;
    const std::string& ProgramFolder() const override { return programFolder; }
    const std::string& ProgramDrive() const override { return programDrive; }
    bool PortableMode() const override { return portable; }
    const std::string& SheetFolder() const override { return sheetFolder; }
    const std::string& HomeSheetFolder() const override { return sheetFolder; }
};

// The real adapter, with the windows it closes and the special folder starts it makes recorded.
struct ObservedShell : Win32LaunchShell {
    std::vector<std::uintptr_t> closed;
    std::vector<std::wstring> itemVerbs;
    void ShowAndPostClose(std::uintptr_t window) override {
        closed.push_back(window);
        Win32LaunchShell::ShowAndPostClose(window);
    }
    void ExecuteItem(SHELLEXECUTEINFOW& info) override {
        if (info.lpIDList && (info.fMask & SEE_MASK_IDLIST) && info.nShow == 1) itemVerbs.push_back(info.lpVerb);
    }
};

std::string OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return ToCp932(path);
}

// Child: writes its command line and current folder to the file argv[0], then shows a window that appends
// "WM_CLOSE" when asked to close. With "--quit" it ends at once instead.
const test::ChildMode kHelper("launch-helper", [](int argc, wchar_t** argv) {
    if (argc < 1) return 2;
    static std::string out = ToCp932(argv[0]);
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    WriteFileAtomically(out, ToCp932(GetCommandLineW()) + "\r\n" + ToCp932(folder) + "\r\n");
    if (argc >= 2 && std::wstring(argv[1]) == L"--quit") return 0;
    WNDCLASSW wc{};
    wc.lpszClassName = L"ZanmelLaunchHelper";
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM w, LPARAM l) noexcept -> LRESULT {
        if (message == WM_CLOSE) {
            WriteFileAtomically(out, ReadFileBytes(out).value_or("") + "WM_CLOSE\r\n");
            DestroyWindow(hwnd);
            return 0;
        }
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, w, l);
    };
    RegisterClassW(&wc);
    CreateWindowExW(0, wc.lpszClassName, L"helper", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                    nullptr);
    SetTimer(nullptr, 0, 30000, nullptr);  // never outlives a broken test for long
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) return 3;
        DispatchMessageW(&msg);
    }
    return 0;
});

template <class F>
bool WaitFor(F condition, int ms = 15000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

class LaunchWin : public ::testing::Test {
protected:
    LaunchWin() {
        places.programFolder = program.Path();
        places.programDrive = test::RemovableDrive().letter;
        places.sheetFolder = program / "data";
        CreateDirectoryW(ToWide(places.sheetFolder).c_str(), nullptr);
        CreateDirectoryW(ToWide(places.sheetFolder + "\\icon").c_str(), nullptr);
        CopyFileW(ToWide(OwnPath()).c_str(), ToWide(program / "helper.exe").c_str(), FALSE);
        module = std::make_unique<TZanmelModule>(timer, places, keywords, files, ui, shell, codec);
        special = std::make_unique<TSpecialFolderModule>(timer, places, keywords, files, ui, shell);
        module->SetSpecialFolderModule(special.get());
    }
    ~LaunchWin() override {
        special.reset();
        module.reset();
        SetCurrentDirectoryW(L"C:\\");
    }
    std::string IconPath(int n) const { return places.sheetFolder + "\\icon\\" + std::to_string(n) + ".ico"; }
    // Starts the helper by a relative path, from another current folder, and waits for its report.
    std::string StartHelper(const std::string& extra) {
        SetCurrentDirectoryW(ToWide(elsewhere.Path()).c_str());
        TLaunchWordData2 record;
        record.path = "helper.exe";
        record.parameters = "--child launch-helper " + report + extra;
        EXPECT_TRUE(module->RunRecord(record, false, ""));
        EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(report).has_value(); }));
        return ReadFileBytes(report).value_or("");
    }

    test::TempFolder program{test::RemovableDrive().Root()};
    test::TempFolder elsewhere;
    std::string report = program / "report.txt";
    NoClock clock;
    AtomicFiles files;
    TDebugTimer timer{clock, files, program / "Debug.log"};
    Places places;
    TKeyWordList keywords{"PC"};
    test::ScriptedUserInterface ui;
    ObservedShell shell;
    Win32Cp932Codec codec;
    std::unique_ptr<TZanmelModule> module;
    std::unique_ptr<TSpecialFolderModule> special;
};

TEST_F(LaunchWin, TrackedStartFromTheRemovableDriveClosesOnCloseDown) {
    module->FlgUseCloseHelp = true;
    const std::string text = StartHelper("");
    ASSERT_EQ(module->TrackedCount(), 1);
    const std::string exe = program / "helper.exe";
    EXPECT_EQ(text, "\"" + exe + "\" --child launch-helper " + report + "\r\n" + program.Path() + "\r\n");
    const std::uint32_t id = module->TrackedAt(0).processId;
    HANDLE process = reinterpret_cast<HANDLE>(module->TrackedAt(0).process);
    HANDLE waitable = nullptr;
    DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &waitable, SYNCHRONIZE, FALSE, 0);
    ASSERT_TRUE(WaitFor([&] {
        for (const TopLevelWindow& w : shell.TopLevelWindows())
            if (w.processId == id && w.owner == 0) return true;
        return false;
    }));
    EXPECT_TRUE(module->CloseDown());
    EXPECT_EQ(shell.closed.size(), 1u);
    EXPECT_EQ(WaitForSingleObject(waitable, 15000), WAIT_OBJECT_0);
    CloseHandle(waitable);
    EXPECT_NE(ReadFileBytes(report).value_or("").find("WM_CLOSE\r\n"), std::string::npos);
    EXPECT_EQ(module->TrackedCount(), 0);
}

TEST_F(LaunchWin, CloseDownAfterTheProgramEndedClosesNothing) {
    module->FlgUseCloseHelp = true;
    StartHelper(" --quit");
    ASSERT_EQ(module->TrackedCount(), 1);
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(module->TrackedAt(0).process), 15000), WAIT_OBJECT_0);
    EXPECT_TRUE(module->CloseDown());
    EXPECT_TRUE(shell.closed.empty());
}

TEST_F(LaunchWin, IconFilesOfRealIcons) {
    for (const char* name : {"a", "b", "c"}) {
        TLaunchWordData2 record;
        record.path = program / "helper.exe";
        ASSERT_TRUE(module->RegisterItem(name, record, true));
    }
    EXPECT_EQ(test::FolderEntries(places.sheetFolder + "\\icon"),
              (std::vector<std::string>{"1000.ico", "1001.ico", "1002.ico"}));
    ASSERT_TRUE(module->DeleteItem("b", true));
    TLaunchWordData2 again;
    again.path = program / "helper.exe";
    ASSERT_TRUE(module->RegisterItem("d", again, true));
    EXPECT_EQ(keywords.IconNumberOf("d"), 1001);

    const std::string bytes = ReadFileBytes(IconPath(1001)).value_or("");
    ASSERT_EQ(bytes.size(), 1150u);
    for (std::size_t row = 0; row < 16; ++row) EXPECT_EQ(bytes.substr(1086 + row * 4 + 2, 2), "\xFF\xFF");
    EXPECT_TRUE(LoadIconFile(places.sheetFolder + "\\icon", 1001));
    EXPECT_THROW(LoadIconFile(places.sheetFolder + "\\icon", 1005), ZanmelError);

    // Removing below 1000 touches nothing; a file deleted by hand cannot be removed.
    test::WritePlainFile(places.sheetFolder + "\\icon\\999.ico", "x");
    IconCache cache(shell, files);
    cache.RemoveIconFile(places.sheetFolder + "\\icon", 999);
    EXPECT_TRUE(PathExists(places.sheetFolder + "\\icon\\999.ico"));
    DeleteFileW(ToWide(IconPath(1002)).c_str());
    try {
        module->DeleteItem("c", true);
        FAIL() << "deleted a missing icon file";
    } catch (const ZanmelError& e) {
        EXPECT_STREQ(e.what(), "IconControl\r\nFileが削除できません。");
    }
}

TEST(IconFileWin, WrittenByteForByteFromTheBitmaps) {
    std::vector<std::uint32_t> red(256, 0x00FF0000);
    std::vector<std::uint8_t> maskBits;
    for (int row = 0; row < 16; ++row) maskBits.insert(maskBits.end(), {0xFF, 0x00});  // left half transparent
    BitmapHandle colour(CreateBitmap(16, 16, 1, 32, red.data()));
    BitmapHandle mask(CreateBitmap(16, 16, 1, 1, maskBits.data()));
    ICONINFO parts{TRUE, 0, 0, mask.Get(), colour.Get()};
    IconHandle icon(CreateIconIndirect(&parts));
    ASSERT_TRUE(icon);
    test::TempFolder folder;
    WriteIconFile(icon.Get(), folder / "x.ico");

    CapturedIcon expected;
    expected.width = expected.height = 16;
    expected.colour = red;
    for (int i = 0; i < 256; ++i) expected.maskSet.push_back(i % 16 < 8 ? 1 : 0);
    EXPECT_EQ(ReadFileBytes(folder / "x.ico"), IconFileBytes(expected));
    try {
        WriteIconFile(nullptr, folder / "y.ico");
        FAIL() << "no icon written";
    } catch (const ZanmelError& e) {
        EXPECT_EQ(std::string(e.what()), "GetIconInfoに失敗\r\nFileName:" + (folder / "y.ico"));
    }
}

TEST_F(LaunchWin, SpecialFoldersOpenThroughTheirItemIdentifier) {
    ASSERT_TRUE(special->RegisterSpecialFolder("ごみ箱", 10, false));
    ASSERT_TRUE(special->RegisterSpecialFolder("なし", 0x7777, false));
    module->RunKeyWord("ごみ箱", "");
    special->FlgOpenExplorer = true;
    module->RunKeyWord("ごみ箱", "");
    module->RunKeyWord("なし", "");  // no such folder: silently nothing
    EXPECT_EQ(shell.itemVerbs, (std::vector<std::wstring>{L"open", L"explore"}));
    special->SaveSetting(places.sheetFolder + "\\setting.ini");
    module->SaveSetting(places.sheetFolder + "\\setting.ini");
    const std::string ini = ReadFileBytes(places.sheetFolder + "\\setting.ini").value_or("");
    EXPECT_NE(ini.find("[SpecialFolderModule]\r\nFlgOpenExplorer=1\r\n"), std::string::npos);
    EXPECT_NE(ini.find("UnplagData=,,,,1,0\r\n"), std::string::npos);
}

}  // namespace
