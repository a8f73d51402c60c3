#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "core/ZanmelError.h"
#include "ui/main/MainMenus.h"

namespace zanmel::ui {

namespace {

// One item as the menu itself reports it: name of its identifier (or "-" for a separator) and caption.
struct Item {
    std::string name;
    std::wstring caption;
    HMENU submenu;
    bool enabled;
};

std::vector<Item> ItemsOf(HMENU menu) {
    std::vector<Item> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 256;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        const bool separator = info.fType & MFT_SEPARATOR;
        items.push_back({separator ? "-" : std::string(MenuEntryName(info.wID)), separator ? L"" : text, info.hSubMenu,
                         !(info.fState & MFS_GRAYED)});
    }
    return items;
}

std::string NamesOf(const std::vector<Item>& items) {
    std::string names;
    for (const Item& item : items) names += (names.empty() ? "" : " ") + item.name;
    return names;
}

std::vector<std::wstring> CaptionsOf(HMENU menu) {
    std::vector<std::wstring> captions;
    for (const Item& item : ItemsOf(menu)) captions.push_back(item.caption);
    return captions;
}

std::vector<UINT> IdsOf(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

using Captions = std::vector<std::wstring>;

}  // namespace

TEST(MainMenus, MainMenuHoldsTheTableInOrderWithSeparatorsAndTheDebugMenu) {
    MainMenus menus;
    const auto bar = ItemsOf(menus.MainMenu1());
    EXPECT_EQ(NamesOf(bar), "MenuFile MenuScan MenuUsb MenuSet MenyEntry MenuHelp MenuDebug");
    EXPECT_EQ(CaptionsOf(menus.MainMenu1()), (Captions{L"ファイル(&F)", L"スキャン(&S)", L"USB(&U)", L"設定(&P)",
                                                       L"登録(&A)", L"ヘルプ(&H)", L"デバック"}));
    for (const Item& item : bar) EXPECT_TRUE(item.submenu) << item.name;

    EXPECT_EQ(NamesOf(ItemsOf(bar[0].submenu)), "MenuFileLaunchFileChange - MenuFileExit");
    EXPECT_EQ(CaptionsOf(bar[0].submenu), (Captions{L"シート変更(&S)", L"", L"終了(&X)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[1].submenu)), "MenuScanIE MenuScanProgram MenuScanExe MenuScanCustom");
    EXPECT_EQ(CaptionsOf(bar[1].submenu), (Captions{L"IEお気に入りのスキャン(&I)", L"プログラムのスキャン(&P)",
                                                    L"EXEファイルのスキャン(&E)", L"詳細スキャン(&C)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[2].submenu)), "MenuUsbAutorunInf MenuUsbBackUp MenuUsbSync");
    EXPECT_EQ(CaptionsOf(bar[2].submenu), (Captions{L"autorun.infの書き出し(&A)", L"バックアップ(&B)", L"同期(&S)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[3].submenu)), "MenuSkinChange MenuSetLaunch MenuSetSFolder MenuSetAll");
    EXPECT_EQ(CaptionsOf(bar[3].submenu),
              (Captions{L"スキン変更(&S)", L"ランチャ設定(&L)", L"特殊フォルダ設定(&F)", L"全体設定(&A)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[4].submenu)), "MenuEntryLaunch MenuEntryWEB");
    EXPECT_EQ(CaptionsOf(bar[4].submenu), (Captions{L"ランチャ登録(&L)", L"WEB登録(&W)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[5].submenu)), "MenuHelpShow - MenuVerShow");
    EXPECT_EQ(CaptionsOf(bar[5].submenu), (Captions{L"ヘルプの表示(&C)", L"", L"バージョン情報(&A)"}));
    EXPECT_EQ(NamesOf(ItemsOf(bar[6].submenu)), "MenuDebugDirectZNXS");
    EXPECT_EQ(CaptionsOf(bar[6].submenu), (Captions{L"DirectZNXP"}));

    // The list submenus exist and start empty.
    EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(MenuFileLaunchFileChange)), 0);
    EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(MenuSkinChange)), 0);
}

TEST(MainMenus, FrameMenuHoldsTheSameSubmenusUnderItsOwnNamesWithoutDebug) {
    MainMenus menus;
    const auto top = ItemsOf(menus.PopupMainMenu());
    EXPECT_EQ(NamesOf(top),
              "PopupMainMenuFile PopupMainMenuScan PopupMainMenuUSB PopupMainMenuSet PopupMainMenuEntry "
              "PopupMainMenuHelp");
    EXPECT_EQ(CaptionsOf(menus.PopupMainMenu()),
              (Captions{L"ファイル(&F)", L"スキャン(&S)", L"USB(&U)", L"設定(&P)", L"登録(&A)", L"ヘルプ(&H)"}));
    EXPECT_EQ(NamesOf(ItemsOf(top[0].submenu)), "PopupMainMenuFileLanchFileChange - PopupMainMenuFileExit");
    EXPECT_EQ(NamesOf(ItemsOf(top[1].submenu)),
              "PoppupMainMenuScanIE PopupMainMenuScanProgram PopupMainMenuScanExe PopupMainMenuScanCustom");
    EXPECT_EQ(NamesOf(ItemsOf(top[2].submenu)),
              "PopupMainMenuUsbAutorunInf PopupMainMenuUsbBackUp PopupMainMenuUsbSync");
    EXPECT_EQ(NamesOf(ItemsOf(top[3].submenu)),
              "PopupMainMenuSkinChange PopupMainMenuSetLaunch PopupMainMenuSetSFolder PopupMainMenuSetAll");
    EXPECT_EQ(NamesOf(ItemsOf(top[4].submenu)), "PopupMainMenuEntryLaunch PopupMainMenuEntryWEB");
    EXPECT_EQ(NamesOf(ItemsOf(top[5].submenu)), "PopupMainMenuHelpShow - PopupMainMenuVerShow");

    // Same captions as the main menu, entry for entry, and every frame entry acts as its main menu entry.
    const auto bar = ItemsOf(menus.MainMenu1());
    for (std::size_t i = 0; i < top.size(); ++i) {
        const auto mainItems = ItemsOf(bar[i].submenu);
        const auto frameItems = ItemsOf(top[i].submenu);
        ASSERT_EQ(mainItems.size(), frameItems.size());
        for (std::size_t j = 0; j < mainItems.size(); ++j) {
            EXPECT_EQ(mainItems[j].caption, frameItems[j].caption);
            if (mainItems[j].name == "-") continue;
            const UINT frameId = GetMenuItemID(top[i].submenu, static_cast<int>(j));
            const UINT mainId = GetMenuItemID(bar[i].submenu, static_cast<int>(j));
            if (frameItems[j].submenu) continue;  // submenu items report no identifier here
            EXPECT_EQ(MainMenuCommandOf(frameId), mainId) << frameItems[j].name;
        }
    }
    EXPECT_EQ(MainMenuCommandOf(PopupMainMenuUSB), UINT{MenuUsb});
    EXPECT_EQ(MainMenuCommandOf(MenuFileExit), UINT{MenuFileExit});

    EXPECT_EQ(NamesOf(ItemsOf(menus.PopupTrayIconMenu())), "MenuTrayIconEnd");
    EXPECT_EQ(CaptionsOf(menus.PopupTrayIconMenu()), (Captions{L"終了"}));
}

TEST(MainMenus, EntriesOfWindowsNotThereYetStartDisabledAndCanBeEnabled) {
    MainMenus menus;
    for (HMENU top : {menus.MainMenu1(), menus.PopupMainMenu()}) {
        std::string disabled;
        for (const Item& menu : ItemsOf(top)) {
            EXPECT_TRUE(menu.enabled) << menu.name;
            for (const Item& item : ItemsOf(menu.submenu))
                if (!item.enabled) disabled += item.name + " ";
        }
        if (top == menus.MainMenu1())
            EXPECT_EQ(disabled,
                      "MenuScanIE MenuScanProgram MenuScanExe MenuScanCustom MenuUsbAutorunInf MenuUsbBackUp "
                      "MenuUsbSync MenuSetLaunch MenuSetSFolder MenuSetAll MenuEntryLaunch MenuEntryWEB "
                      "MenuDebugDirectZNXS ");
        else
            EXPECT_EQ(disabled,
                      "PoppupMainMenuScanIE PopupMainMenuScanProgram PopupMainMenuScanExe PopupMainMenuScanCustom "
                      "PopupMainMenuUsbAutorunInf PopupMainMenuUsbBackUp PopupMainMenuUsbSync "
                      "PopupMainMenuSetLaunch PopupMainMenuSetSFolder PopupMainMenuSetAll "
                      "PopupMainMenuEntryLaunch PopupMainMenuEntryWEB ");
    }

    menus.SetEnabled(MenuEntryLaunch, true);
    menus.SetEnabled(MenuFileExit, false);
    EXPECT_TRUE(menus.IsEnabled(MenuEntryLaunch));
    EXPECT_FALSE(menus.IsEnabled(PopupMainMenuEntryLaunch));  // the frame menu has its own state
    EXPECT_FALSE(menus.IsEnabled(MenuFileExit));
    EXPECT_FALSE(ItemsOf(menus.SubmenuOf(MenuFile))[2].enabled);
    EXPECT_TRUE(ItemsOf(menus.SubmenuOf(MenyEntry))[0].enabled);
    // Also an entry that sits after a separator and a submenu item of the bar.
    menus.SetEnabled(MenuVerShow, false);
    EXPECT_FALSE(ItemsOf(menus.SubmenuOf(MenuHelp))[2].enabled);
    EXPECT_TRUE(ItemsOf(menus.SubmenuOf(MenuHelp))[0].enabled);
    menus.SetEnabled(MenuScan, false);
    EXPECT_FALSE(ItemsOf(menus.MainMenu1())[1].enabled);
    EXPECT_THROW(menus.SetEnabled(kSheetMenuBase, false), ZanmelError);
}

TEST(MainMenus, ListSubmenusAreRebuiltFromNamesAndTheirEntriesTellTheirPosition) {
    MainMenus menus;
    menus.SetSheetNames({"portable", "fixed", "PC-01"});
    menus.SetSkinNames({"標準", "夕凪", "R&D"});
    EXPECT_EQ(CaptionsOf(menus.SubmenuOf(MenuFileLaunchFileChange)), (Captions{L"portable", L"fixed", L"PC-01"}));
    EXPECT_EQ(CaptionsOf(menus.SubmenuOf(PopupMainMenuFileLanchFileChange)),
              (Captions{L"portable", L"fixed", L"PC-01"}));
    // An ampersand in a name is shown, not taken as an access key.
    EXPECT_EQ(CaptionsOf(menus.SubmenuOf(MenuSkinChange)), (Captions{L"標準", L"夕凪", L"R&&D"}));
    EXPECT_EQ(CaptionsOf(menus.SubmenuOf(PopupMainMenuSkinChange)), (Captions{L"標準", L"夕凪", L"R&&D"}));
    // A skin-drawn entry draws the name itself, so it takes the name back from the caption.
    EXPECT_EQ(NameOfLiteralCaption(L"R&&D"), "R&D");
    EXPECT_EQ(NameOfLiteralCaption(LiteralMenuCaption("&&a&")), "&&a&");

    const UINT sheet = IdsOf(menus.SubmenuOf(PopupMainMenuFileLanchFileChange))[2];
    EXPECT_EQ(ListChoiceOf(sheet), (MenuListChoice{MenuList::Sheet, 2, true}));
    const UINT skin = IdsOf(menus.SubmenuOf(MenuSkinChange))[1];
    EXPECT_EQ(ListChoiceOf(skin), (MenuListChoice{MenuList::Skin, 1, false}));
    EXPECT_EQ(ListChoiceOf(IdsOf(menus.SubmenuOf(PopupMainMenuSkinChange))[0]),
              (MenuListChoice{MenuList::Skin, 0, true}));
    // Fixed entries are no list entries, and all list identifiers differ from each other.
    EXPECT_FALSE(ListChoiceOf(MenuFileExit));
    EXPECT_FALSE(ListChoiceOf(MenuTrayIconEnd));
    EXPECT_NE(IdsOf(menus.SubmenuOf(MenuFileLaunchFileChange))[0], IdsOf(menus.SubmenuOf(MenuSkinChange))[0]);
    EXPECT_NE(IdsOf(menus.SubmenuOf(MenuFileLaunchFileChange))[0],
              IdsOf(menus.SubmenuOf(PopupMainMenuFileLanchFileChange))[0]);

    // A rebuild replaces the old entries entirely and leaves the other list alone.
    menus.SetSheetNames({"fixed"});
    EXPECT_EQ(CaptionsOf(menus.SubmenuOf(MenuFileLaunchFileChange)), (Captions{L"fixed"}));
    EXPECT_EQ(ListChoiceOf(IdsOf(menus.SubmenuOf(MenuFileLaunchFileChange))[0]),
              (MenuListChoice{MenuList::Sheet, 0, false}));
    EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(MenuSkinChange)), 3);
    menus.SetSheetNames({});
    EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(MenuFileLaunchFileChange)), 0);
    EXPECT_EQ(GetMenuItemCount(menus.SubmenuOf(PopupMainMenuFileLanchFileChange)), 0);
    // The entries around the list stay in place.
    EXPECT_EQ(NamesOf(ItemsOf(menus.SubmenuOf(MenuFile))), "MenuFileLaunchFileChange - MenuFileExit");
}

TEST(MainMenus, HiddenMenusLeaveTheirMenuAndReturnToTheirPlace) {
    MainMenus menus;
    menus.SetEnabled(MenuUsbSync, true);
    menus.SetVisible(MenuUsb, false);
    menus.SetVisible(MenuDebug, false);
    EXPECT_FALSE(menus.IsVisible(MenuUsb));
    EXPECT_FALSE(menus.IsVisible(MenuDebug));
    EXPECT_EQ(NamesOf(ItemsOf(menus.MainMenu1())), "MenuFile MenuScan MenuSet MenyEntry MenuHelp");
    EXPECT_EQ(NamesOf(ItemsOf(menus.PopupMainMenu())),
              "PopupMainMenuFile PopupMainMenuScan PopupMainMenuSet PopupMainMenuEntry PopupMainMenuHelp");
    // Hiding twice changes nothing; a hidden menu's entries can still be switched.
    menus.SetVisible(MenuUsb, false);
    menus.SetEnabled(MenuUsbBackUp, true);
    menus.SetEnabled(MenuUsb, false);
    EXPECT_FALSE(menus.IsEnabled(MenuUsb));

    menus.SetVisible(MenuUsb, true);
    EXPECT_TRUE(menus.IsVisible(MenuUsb));
    const auto bar = ItemsOf(menus.MainMenu1());
    EXPECT_EQ(NamesOf(bar), "MenuFile MenuScan MenuUsb MenuSet MenyEntry MenuHelp");
    EXPECT_EQ(bar[2].caption, L"USB(&U)");
    EXPECT_FALSE(bar[2].enabled);
    EXPECT_EQ(bar[2].submenu, menus.SubmenuOf(MenuUsb));
    const auto usb = ItemsOf(bar[2].submenu);
    EXPECT_EQ(NamesOf(usb), "MenuUsbAutorunInf MenuUsbBackUp MenuUsbSync");
    EXPECT_FALSE(usb[0].enabled);
    EXPECT_TRUE(usb[1].enabled);
    EXPECT_TRUE(usb[2].enabled);
    EXPECT_EQ(NamesOf(ItemsOf(menus.PopupMainMenu())),
              "PopupMainMenuFile PopupMainMenuScan PopupMainMenuUSB PopupMainMenuSet PopupMainMenuEntry "
              "PopupMainMenuHelp");
    EXPECT_EQ(ItemsOf(menus.PopupMainMenu())[2].caption, L"USB(&U)");

    menus.SetVisible(MenuDebug, true);
    EXPECT_EQ(NamesOf(ItemsOf(menus.MainMenu1())), "MenuFile MenuScan MenuUsb MenuSet MenyEntry MenuHelp MenuDebug");
    // Debug returns last even while USB is hidden, and USB before Set while debug is hidden.
    menus.SetVisible(MenuUsb, false);
    menus.SetVisible(MenuDebug, false);
    menus.SetVisible(MenuDebug, true);
    EXPECT_EQ(NamesOf(ItemsOf(menus.MainMenu1())), "MenuFile MenuScan MenuSet MenyEntry MenuHelp MenuDebug");
    menus.SetVisible(MenuDebug, false);
    menus.SetVisible(MenuUsb, true);
    EXPECT_EQ(NamesOf(ItemsOf(menus.MainMenu1())), "MenuFile MenuScan MenuUsb MenuSet MenyEntry MenuHelp");

    // An item made owner-drawn (as the skin does) stays owner-drawn, with its item data, across hide and show.
    MENUITEMINFOW drawn{};
    drawn.cbSize = sizeof(drawn);
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = MFT_OWNERDRAW;
    drawn.dwItemData = 77;
    ASSERT_TRUE(SetMenuItemInfoW(menus.PopupMainMenu(), 2, TRUE, &drawn));
    menus.SetVisible(MenuUsb, false);
    menus.SetVisible(MenuUsb, true);
    MENUITEMINFOW back{};
    back.cbSize = sizeof(back);
    back.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(menus.PopupMainMenu(), 2, TRUE, &back));
    EXPECT_TRUE(back.fType & MFT_OWNERDRAW);
    EXPECT_EQ(back.dwItemData, ULONG_PTR{77});
    EXPECT_EQ(back.wID, UINT{PopupMainMenuUSB});
    EXPECT_EQ(back.hSubMenu, menus.SubmenuOf(PopupMainMenuUSB));
    menus.SetVisible(MenuUsb, false);  // destroyed while hidden: the destructor frees the loose submenus
}

TEST(MainMenus, MenuBarGoesOnAndOffAWindowAndIsTakenOffBeforeTheMenusGo) {
    HWND window = CreateWindowExW(0, L"STATIC", L"menus", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    {
        MainMenus menus;
        menus.ShowMenuBar(window, true);
        EXPECT_EQ(GetMenu(window), menus.MainMenu1());
        menus.SetVisible(MenuDebug, false);  // redraws the attached bar
        EXPECT_EQ(GetMenuItemCount(GetMenu(window)), 6);
        menus.ShowMenuBar(window, false);
        EXPECT_EQ(GetMenu(window), nullptr);
        menus.ShowMenuBar(window, true);
    }
    EXPECT_EQ(GetMenu(window), nullptr);
    DestroyWindow(window);
}

}  // namespace zanmel::ui
