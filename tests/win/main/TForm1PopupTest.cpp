#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "hook/HookProtocol.h"
#include "hook/HookRules.h"
#include "platform/CallUp.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"
#include "skin/Win32SkinEnvironment.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToCp932;
using platform::ToWide;

namespace {

using Lines = std::vector<std::string>;

std::string HookDll() {
    return test::HostPathToWindows(ZANMEL_HOOK_DLL);
}

// Entries of a menu: caption and command identifier, submenus indented. Each menu is opened first (its
// owner makes its entries then).
Lines Entries(HWND owner, HMENU menu, const std::string& indent = "") {
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);  // opened, as a person would
    Lines lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        lines.push_back(indent + ToCp932(caption) + "|" + std::to_string(info.wID));
        if (info.hSubMenu) {
            for (auto& line : Entries(owner, info.hSubMenu, indent + "  ")) lines.push_back(line);
        }
    }
    return lines;
}

// Owner-drawn items among all items of a menu, at any depth: "owner/all".
std::string OwnerDrawn(HMENU menu) {
    int owner = 0, all = 0;
    auto walk = [&](auto&& self, HMENU m) -> void {
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
            GetMenuItemInfoW(m, static_cast<UINT>(i), TRUE, &info);
            ++all;
            if (info.fType & MFT_OWNERDRAW) ++owner;
            if (info.hSubMenu) self(self, info.hSubMenu);
        }
    };
    walk(walk, menu);
    return std::to_string(owner) + "/" + std::to_string(all);
}

// The first menu that a modal menu loop shows, recorded with its window's place. Every menu is closed again
// while a MenuCloser lives, so a menu opened late or twice cannot hold the test in its loop.
struct OpenedMenu {
    HMENU menu = nullptr;
    POINT at{-1, -1};
};
OpenedMenu opened;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowW(L"#32768", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    if (!opened.menu) {
        opened.menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        RECT rc;
        GetWindowRect(window, &rc);
        opened.at = {rc.left, rc.top};
    }
    EndMenu();
}
class MenuCloser {
public:
    MenuCloser() : timer_(SetTimer(nullptr, 0, 50, &CloseMenu)) { opened = {}; }
    ~MenuCloser() { KillTimer(nullptr, timer_); }
    MenuCloser(const MenuCloser&) = delete;
    MenuCloser& operator=(const MenuCloser&) = delete;

private:
    UINT_PTR timer_;
};

class MainWindowPopupTest : public test::MainWindowFixture {
protected:
    Lines seen;  // hook library messages that reached the filter

    void WriteSheet(const std::string& tree) {
        test::WritePlainFile(Sheet("tree.txt"), tree);
        test::WritePlainFile(Sheet("keyword.txt"), "x,Launch,0,,,PC,x,\"open,x.exe,,,1,0\"\r\n");
    }
    void Open(skin::TSkinDriver* skins = nullptr) {
        form = std::make_unique<TForm1>(Dependencies(), TForm1::Lifecycle{{}, {}, {}, skins});
        if (skins) form->FormCreate();
        form->Show(SW_SHOWNORMAL);
    }
    // Runs the queue through the application filter for a while, as the message loop does.
    void Pump(DWORD ms) {
        const DWORD end = GetTickCount() + ms;
        do {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == form->Handle() && msg.message >= WM_APP && msg.message <= WM_APP + 2)
                    seen.push_back(std::to_string(msg.message - WM_APP) + ":" + std::to_string(msg.wParam));
                if (form->ApplicationMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        } while (GetTickCount() < end);
    }
    // Posts a message to the main window, lets the filter see it, and returns the menu it opened (if any).
    OpenedMenu PostAndPump(UINT message, WPARAM wParam) {
        MenuCloser closer;
        PostMessageW(form->Handle(), message, wParam, 0);
        Pump(400);
        return opened;
    }
    // Pumps for at least ms and until the helper thread has ended: its input may wait on this thread's hook.
    void PumpUntilDone(HANDLE helper, DWORD ms) {
        Pump(ms);
        while (WaitForSingleObject(helper, 0) == WAIT_TIMEOUT) Pump(20);
        test::JoinHelper(helper);
    }
    RECT WindowRect() const {
        RECT rc;
        GetWindowRect(form->Handle(), &rc);
        return rc;
    }
};

}  // namespace

TEST_F(MainWindowPopupTest, LauncherMenuMirrorsTheTreeAndIsBuiltAgainOnlyWhenTheTreeChanged) {
    WriteSheet("#A\r\n\tx\r\n\t#Sub\r\n\t\tdeep\r\n\t#Empty\r\n#B&C\r\n");
    test::WritePlainFile(Sheet("keyword.txt"),
                         "x,Launch,0,,,PC,x,\"open,x.exe,,,1,0\"\r\ndeep,Launch,0,,,PC,x,\"open,d.exe,,,1,0\"\r\n");
    Open();
    EXPECT_EQ(form->PopupMenu1Builds(), 1u);
    // The top level gets its submenus when it first opens, a submenu its entries.
    EXPECT_EQ(GetSubMenu(form->PopupMenu1(), 0), nullptr);
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->PopupMenu1()), 0);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(form->PopupMenu1(), 0)), 0);
    const Lines expected{"#A|1",
                         "  x|2",
                         "  #Sub|3",
                         "    deep|4",
                         "  #Empty|5",
                         "#B&&C|6",
                         "##自動実行-起動時|7",
                         "##自動実行-終了時|8"};
    EXPECT_EQ(Entries(form->Handle(), form->PopupMenu1()), expected);
    EXPECT_EQ(Entries(form->Handle(), form->PopupMenu1()), expected);  // opened again: made once

    // Opening again without a change builds nothing.
    form->PopupMenu1Popup();
    form->PopupMenu1Popup();
    EXPECT_EQ(form->PopupMenu1Builds(), 1u);

    // An item runs and empties the search boxes; a folder entry runs nothing; Edit1 is editable either way.
    SendMessageW(form->Edit1(), EM_SETREADONLY, TRUE, 0);
    form->PopupMenu1Click(5);
    EXPECT_EQ(runs, Lines{});
    EXPECT_FALSE(form->Edit1ReadOnly());
    form->PopupMenu1Click(2);
    form->PopupMenu1Click(4);  // in a submenu of a submenu
    EXPECT_EQ(runs, (Lines{"x|", "deep|"}));

    // A renamed folder is saved, so tree.txt's time moves and the menu shows the new name.
    form->Tree().Roots()[0]->text = "#Renamed";
    form->SaveTree();
    form->PopupMenu1Popup();
    EXPECT_EQ(form->PopupMenu1Builds(), 2u);
    EXPECT_EQ(Entries(form->Handle(), form->PopupMenu1())[0], "#Renamed|1");

    // tree.txt touched without a change of content: built again, as its time says.
    HANDLE file = CreateFileW(ToWide(Sheet("tree.txt")).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME later{};
    GetFileTime(file, nullptr, nullptr, &later);
    later.dwHighDateTime += 1;
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
    form->PopupMenu1Popup();
    EXPECT_EQ(form->PopupMenu1Builds(), 3u);

    // The tree moved on while tree.txt kept its time (not saved): the entries still name their nodes.
    form->Tree().Remove(form->Tree().Roots()[0].get());
    form->PopupMenu1Popup();
    EXPECT_EQ(form->PopupMenu1Builds(), 4u);
    EXPECT_EQ(Entries(form->Handle(), form->PopupMenu1())[0], "#B&&C|1");
    // An entry whose node changed while the menu was built runs nothing in its place.
    form->Tree().InsertBefore(form->Tree().Roots()[0].get(), "x");
    form->PopupMenu1Click(1);
    EXPECT_EQ(runs, (Lines{"x|", "deep|"}));
}

TEST_F(MainWindowPopupTest, WithNoMakePopupMenuTheMenuIsBuiltWhenFirstOpened) {
    WriteSheet("#A\r\n\tx\r\n");
    setting->NoMakePopupMenu = true;
    Open();
    EXPECT_EQ(form->PopupMenu1Builds(), 0u);
    EXPECT_EQ(GetMenuItemCount(form->PopupMenu1()), 0);
    form->PopupMenu1Popup();
    EXPECT_EQ(form->PopupMenu1Builds(), 1u);
    EXPECT_EQ(GetMenuItemCount(form->PopupMenu1()), 3);
}

// Reports what the launcher menu costs on a sheet of 10,000 items in 200 folders, with ZANMEL_BIG_SHEETS set
// also of 100,000 items in 2,000 folders (not a pass/fail measure).
TEST_F(MainWindowPopupTest, LauncherMenuTimesWithTenThousandItems) {
    const int items = GetEnvironmentVariableW(L"ZANMEL_BIG_SHEETS", nullptr, 0) > 0 ? 100000 : 10000;
    std::string tree;
    for (int f = 0; f < items / 50; ++f) {
        tree += "#folder" + std::to_string(f) + "\r\n";
        for (int i = 0; i < 50; ++i) tree += "\titem" + std::to_string(f * 50 + i) + "\r\n";
    }
    WriteSheet(tree);
    setting->NoMakePopupMenu = true;
    Open();
    auto time = [](auto&& f) {
        const auto start = std::chrono::steady_clock::now();
        f();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const double without = time([&] { form->LoadSheet(); });
    setting->NoMakePopupMenu = false;
    const double with = time([&] { form->LoadSheet(); });
    const double unchanged = time([&] { form->PopupMenu1Popup(); });
    // The top level's submenus and a submenu of the last folder, made when they first open.
    const double top =
        time([&] { SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->PopupMenu1()), 0); });
    HMENU last = GetSubMenu(form->PopupMenu1(), items / 50 - 1);
    const double submenu =
        time([&] { SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(last), items / 50 - 1); });
    EXPECT_EQ(GetMenuItemCount(last), 50);
    form->Tree().Roots()[0]->text = "#renamed";
    const double changed = time([&] { form->PopupMenu1Popup(); });
    std::printf(
        "%d items: load sheet %.1f ms without the launcher menu, %.1f ms with it; opening it unchanged %.1f ms, "
        "after a change %.1f ms; the top level first opened %.1f ms, a submenu of 50 entries %.1f ms\n",
        items, without, with, unchanged, changed, top, submenu);
    EXPECT_EQ(form->PopupMenu1Builds(), 2u);
    EXPECT_EQ(GetMenuItemCount(form->PopupMenu1()), items / 50 + 2);
}

// Hot keys are registered for the window while it exists; the filter brings the window up, moves it only for
// the hook library's message, opens the launcher menu and sets the caption.
TEST_F(MainWindowPopupTest, HotKeysAndHookMessagesCallTheLauncherUp) {
    WriteSheet("#A\r\n\tx\r\n");
    setting->HotKeyZanmel = {true, true, false, true, false, VK_F11};
    setting->HotKeyPopup = {true, true, false, true, false, VK_F12};
    Open();
    ASSERT_TRUE(form->HotKeyRegistered(false));
    ASSERT_TRUE(form->HotKeyRegistered(true));
    platform::WindowHandle other(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    EXPECT_FALSE(RegisterHotKey(other.Get(), 1, MOD_CONTROL | MOD_ALT, VK_F11));

    const ATOM zanmel = GlobalFindAtomW(L"Zanmel");
    const ATOM popup = GlobalFindAtomW(L"ZanmelPopup");
    ASSERT_NE(zanmel, 0);
    ASSERT_NE(popup, 0);
    const RECT screens = form->VirtualScreen();
    EXPECT_LT(screens.left, screens.right);

    // The hot key restores the minimised window where it was.
    SetWindowPos(form->Handle(), nullptr, 100, 120, 400, 300, SWP_NOZORDER);
    ShowWindow(form->Handle(), SW_MINIMIZE);
    SetCursorPos(screens.left + 5, screens.top + 5);
    PostAndPump(WM_HOTKEY, zanmel);
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_EQ(WindowRect().left, 100);
    EXPECT_EQ(WindowRect().top, 120);

    // The hook library's message centres it on the mouse: inside the screens, or, with 1, anywhere.
    PostAndPump(hook::kMessageMainWindow, 0);
    EXPECT_EQ(WindowRect().left, screens.left);
    EXPECT_EQ(WindowRect().top, screens.top);
    PostAndPump(hook::kMessageMainWindow, hook::kMainWindowAnywhere);
    EXPECT_EQ(WindowRect().left, screens.left + 5 - 200);
    EXPECT_EQ(WindowRect().top, screens.top + 5 - 150);

    // The launcher menu opens at the mouse for 512, else 50 pixels up and left; the hot key is the latter.
    SetCursorPos(300, 300);
    EXPECT_EQ(GetSubMenu(form->PopupMenu1(), 0), nullptr);
    OpenedMenu menu = PostAndPump(hook::kMessageLauncherMenu, hook::kMenuAtMouse);
    EXPECT_EQ(menu.menu, form->PopupMenu1());
    EXPECT_NE(GetSubMenu(form->PopupMenu1(), 0), nullptr);  // the menu loop's opening gave it its submenus
    EXPECT_EQ(menu.at.x, 300);
    EXPECT_EQ(menu.at.y, 300);
    menu = PostAndPump(hook::kMessageLauncherMenu, 0);
    EXPECT_EQ(menu.at.x, 250);
    EXPECT_EQ(menu.at.y, 250);
    menu = PostAndPump(WM_HOTKEY, popup);
    EXPECT_EQ(menu.menu, form->PopupMenu1());
    EXPECT_EQ(menu.at.x, 250);

    PostAndPump(hook::kMessageCaption, static_cast<WPARAM>(-42));
    wchar_t caption[32] = {};
    GetWindowTextW(form->Handle(), caption, 32);
    EXPECT_EQ(std::wstring(caption), L"-42");

    // The same messages for another window are none of the filter's business.
    MSG foreign{other.Get(), hook::kMessageCaption, 7, 0, 0, {}};
    EXPECT_FALSE(form->ApplicationMessage(foreign));

    // The window's hot keys go with it.
    form.reset();
    EXPECT_TRUE(RegisterHotKey(other.Get(), 1, MOD_CONTROL | MOD_ALT, VK_F11));
    UnregisterHotKey(other.Get(), 1);
}

// The real hook library beside the program: a Ctrl + right click and a screen corner call the launcher up;
// after the window has gone the library posts nothing.
TEST_F(MainWindowPopupTest, HookLibraryPostsGesturesAndCornersUntilReleased) {
    ASSERT_TRUE(CopyFileW(ToWide(HookDll()).c_str(), ToWide(folder / "ZanmelHook.dll").c_str(), FALSE));
    WriteSheet("#A\r\n\tx\r\n");
    setting->MouseZanmel = hook::kCtrlRightClick;
    setting->CornerPopup = hook::kTopLeft;
    Open();
    ASSERT_TRUE(form->HookLoaded());

    auto input = [](std::vector<INPUT> events) {
        const HANDLE helper = test::RunHelperUntil(
            [events]() mutable {
                SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
                return true;
            },
            2000);
        return helper;
    };
    auto key = [](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return in;
    };
    auto mouse = [](DWORD flags, LONG x = 0, LONG y = 0) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = x;
        in.mi.dy = y;
        in.mi.dwFlags = flags;
        return in;
    };
    // Wine may set the keyboard state back to the display's (no key down) when a window of a fresh prefix gets
    // the focus, so the held Ctrl can be lost once; a click the hook let through opens a context menu.
    SetCursorPos(400, 300);
    for (int attempt = 0; attempt < 3 && seen.empty(); ++attempt) {
        MenuCloser closer;
        PumpUntilDone(input({key(VK_CONTROL, false), mouse(MOUSEEVENTF_RIGHTDOWN), mouse(MOUSEEVENTF_RIGHTUP),
                             key(VK_CONTROL, true)}),
                      600);
        if (!seen.empty()) {
            EXPECT_EQ(opened.menu, nullptr);  // the gesture's clicks reach no window
        }
    }
    EXPECT_EQ(seen, Lines{"0:0"});

    seen.clear();
    {
        MenuCloser closer;
        PumpUntilDone(input({mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0)}), 800);
        // The display may report the earlier cursor warp late, so the corner can be left and entered again.
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen, Lines(seen.size(), "1:512"));
        EXPECT_EQ(opened.menu, form->PopupMenu1());
    }

    // Released with the window: nothing more arrives.
    HWND window = form->Handle();
    form.reset();
    SetCursorPos(400, 300);
    MenuCloser closer;
    const HANDLE helper = input({key(VK_CONTROL, false), mouse(MOUSEEVENTF_RIGHTDOWN), mouse(MOUSEEVENTF_RIGHTUP),
                                 key(VK_CONTROL, true), mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0)});
    MSG msg;
    int posted = 0;
    const DWORD end = GetTickCount() + 600;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == window && msg.message >= WM_APP && msg.message <= WM_APP + 2) ++posted;
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    test::JoinHelper(helper);
    EXPECT_EQ(posted, 0);
}

// Without the library, with a library that lacks the functions, or when the hook cannot be set, the user is
// told and the launcher runs on without it; with no gesture and no corner set nothing is loaded.
TEST_F(MainWindowPopupTest, HookLibraryFailuresAreToldAndTheLauncherRunsOn) {
    WriteSheet("#A\r\n");
    const std::string path = folder / "ZanmelHook.dll";
    ASSERT_TRUE(CopyFileW(ToWide(HookDll()).c_str(), ToWide(path).c_str(), FALSE));
    Open();  // nothing set: the library beside it is not loaded
    EXPECT_FALSE(form->HookLoaded());
    EXPECT_EQ(GetModuleHandleW(ToWide(path).c_str()), nullptr);
    form.reset();

    DeleteFileW(ToWide(path).c_str());
    setting->MousePopup = hook::kCircleClockwise;
    ui.ExpectMessage();
    Open();
    EXPECT_EQ(ui.Messages(), Lines{path + "がみつかりません\r\nDLLがロードできません。"});
    EXPECT_FALSE(form->HookLoaded());
    EXPECT_TRUE(IsWindow(form->Handle()));
    form.reset();

    // A program file in the library's place has no such functions.
    ASSERT_TRUE(CopyFileW(ToWide(test::HostPathToWindows(ZANMEL_ZNXP_EXE)).c_str(), ToWide(path).c_str(), FALSE));
    platform::HookLibrary wrong;
    test::ScriptedUserInterface told;
    told.ExpectMessage();
    wrong.Load(folder.Path(), nullptr, {}, told);
    EXPECT_EQ(told.Messages(), Lines{"DLLの関数が見つかりません。"});
    EXPECT_FALSE(wrong.Loaded());

    // The real library refuses a window that does not exist.
    ASSERT_TRUE(CopyFileW(ToWide(HookDll()).c_str(), ToWide(path).c_str(), FALSE));
    platform::HookLibrary library;
    test::ScriptedUserInterface failed;
    failed.ExpectMessage();
    library.Load(folder.Path(), reinterpret_cast<HWND>(0x1234), {1, 0, 0, 0}, failed);
    EXPECT_EQ(failed.Messages(), Lines{"DLLでエラーが発生しました。"});
    EXPECT_FALSE(library.Hooked());
    library.Release(failed);
    EXPECT_FALSE(library.Loaded());
}

// The skin draws the launcher menu when it has a side bar image, and the fixed menus when it also asks for it;
// the items are measured and drawn by the skin's painter.
TEST_F(MainWindowPopupTest, SkinDrawsThePopupMenus) {
    test::CopyTree(test::SourcePath("data/skin"), folder / "skin");
    const std::string descript = folder / "skin\\yunagi\\descript.txt";
    test::WritePlainFile(descript, platform::ReadFileBytes(descript).value_or("") + "system.popup.ownerdraw,true\r\n");
    WriteSheet("#A\r\n\tx\r\n");
    test::WritePlainFile(state->DataRoot() + "\\" + state->ComputerName() + "\\setting.ini",
                         "[MainForm]\r\nSkinName=夕凪\r\n");
    skin::Win32SkinEnvironment skinFiles;
    skin::TSkinDriver skins(*timer, skinFiles, ui, folder.Path());
    Open(&skins);
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->PopupMenu1()), 0);
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(form->PopupMenu1(), 0)), 0);
    const int sideBar = skins.Skin.Popup.SideBar.ImageWidth();
    ASSERT_GT(sideBar, 0);
    EXPECT_EQ(OwnerDrawn(form->PopupMenu1()), "4/4");
    EXPECT_EQ(OwnerDrawn(form->Menus().PopupTrayIconMenu()), "1/1");
    EXPECT_EQ(OwnerDrawn(form->ContextMenuFor(nullptr)), "1/1");
    const auto allOwnerDrawn = [](const std::string& counts) {
        return counts.substr(0, counts.find('/')) == counts.substr(counts.find('/') + 1);
    };
    EXPECT_TRUE(allOwnerDrawn(OwnerDrawn(form->Menus().PopupMainMenu())));
    // A sync that brought a sheet rebuilds the sheet entries: the skin draws the new ones too.
    const HMENU sheets = form->Menus().SubmenuOf(ui::PopupMainMenuFileLanchFileChange);
    const int sheetCount = GetMenuItemCount(sheets);
    CreateDirectoryW(ToWide(state->DataRoot() + "\\PC-SYNCED").c_str(), nullptr);
    state->RefreshSheetList();
    form->SheetsSynced({state->DataRoot() + "\\PC-SYNCED"});
    EXPECT_EQ(GetMenuItemCount(sheets), sheetCount + 1);
    EXPECT_TRUE(allOwnerDrawn(OwnerDrawn(sheets))) << OwnerDrawn(sheets);
    EXPECT_TRUE(allOwnerDrawn(OwnerDrawn(form->Menus().PopupMainMenu())));

    // The launcher entry "x": its width is the text's + side bar + 20, its height the font's + 4.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(form->PopupMenu1(), 2, FALSE, &info));
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 2, 0, 0, info.dwItemData};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    HDC screen = GetDC(nullptr);
    skin::SkinPainter painter;
    const SIZE expected = painter.PopupMeasureItem(screen, skins.Skin, "x", true);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(measure.itemWidth, static_cast<UINT>(expected.cx));
    EXPECT_EQ(measure.itemHeight, static_cast<UINT>(expected.cy));
    EXPECT_GT(expected.cx, sideBar + 20);

    // Drawn: the side bar shows left of the text.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bits{};
    bits.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bits, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT white{0, 0, 200, 40};
    FillRect(dc, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HMENU submenu = GetSubMenu(form->PopupMenu1(), 0);
    DRAWITEMSTRUCT draw{ODT_MENU,
                        0,
                        2,
                        ODA_DRAWENTIRE,
                        0,
                        reinterpret_cast<HWND>(submenu),
                        dc,
                        {0, 0, 200, static_cast<LONG>(measure.itemHeight)},
                        info.dwItemData};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_NE(GetPixel(dc, 0, 1), RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // The default skin has no side bar: nothing is owner-drawn.
    const auto at = std::find(skins.SkinNames.begin(), skins.SkinNames.end(), "デフォルト");
    ASSERT_NE(at, skins.SkinNames.end());
    SendMessageW(form->Handle(), WM_COMMAND, ui::kSkinMenuBase + static_cast<UINT>(at - skins.SkinNames.begin()), 0);
    EXPECT_EQ(OwnerDrawn(form->PopupMenu1()), "0/4");
    EXPECT_EQ(OwnerDrawn(form->ContextMenuFor(nullptr)), "0/1");
}

}  // namespace zanmel
