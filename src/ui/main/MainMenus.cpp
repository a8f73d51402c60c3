#include "ui/main/MainMenus.h"

#include <iterator>

#include "core/ScanRules.h"
#include "core/TreePlacement.h"
#include "core/ZanmelError.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "ui/dialogs/AutorunInfDialog.h"
#include "ui/dialogs/BackUpDialog.h"
#include "ui/dialogs/DebugDirectDialog.h"
#include "ui/dialogs/LauncherSettingDialog.h"
#include "ui/dialogs/SettingDialog.h"
#include "ui/dialogs/SpecialFolderDialog.h"
#include "ui/dialogs/SyncDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel::ui {

namespace {

constexpr unsigned kSeparatorAfter = 1;
constexpr unsigned kStartsDisabled = 2;  // the window it opens is not there yet
constexpr unsigned kListMenu = 4;        // a submenu filled from a list of names

// One line of the menu table: a submenu of the bar (level 0) or an entry of it (level 1), with its frame
// menu counterpart (0 when the frame menu has none) and what choosing the entry does in the main window.
struct MenuRow {
    int level;
    UINT main;
    const char* mainName;
    UINT popup;
    const char* popupName;
    const wchar_t* caption;
    unsigned flags;
    void (*run)(TForm1&) = nullptr;
};

#define ZANMEL_ENTRY(level, main, popup, caption, ...) \
    { level, main, #main, popup, #popup, caption, __VA_ARGS__ }

// A window the program may not have is shown when it is there; all but the protocol test window disable the
// main window while they are shown.
template <auto Member>
void ShowWindowOf(TForm1& form) {
    if (auto* window = form.AttachedWindows().*Member) window->Show();
}

using W = TForm1::Windows;

constexpr MenuRow kTable[] = {
    ZANMEL_ENTRY(0, MenuFile, PopupMainMenuFile, L"ファイル(&F)", 0),
    ZANMEL_ENTRY(1, MenuFileLaunchFileChange, PopupMainMenuFileLanchFileChange, L"シート変更(&S)",
                 kListMenu | kSeparatorAfter),
    ZANMEL_ENTRY(1, MenuFileExit, PopupMainMenuFileExit, L"終了(&X)", 0, [](TForm1& f) { f.MenuFileExitClick(); }),
    ZANMEL_ENTRY(0, MenuScan, PopupMainMenuScan, L"スキャン(&S)", 0),
    ZANMEL_ENTRY(1, MenuScanIE, PoppupMainMenuScanIE, L"IEお気に入りのスキャン(&I)", kStartsDisabled,
                 [](TForm1& f) { f.OpenScan(kScanFavorites); }),
    ZANMEL_ENTRY(1, MenuScanProgram, PopupMainMenuScanProgram, L"プログラムのスキャン(&P)", kStartsDisabled,
                 [](TForm1& f) { f.OpenScan(kScanPrograms); }),
    ZANMEL_ENTRY(1, MenuScanExe, PopupMainMenuScanExe, L"EXEファイルのスキャン(&E)", kStartsDisabled,
                 [](TForm1& f) { f.OpenScan(kScanExe); }),
    ZANMEL_ENTRY(1, MenuScanCustom, PopupMainMenuScanCustom, L"詳細スキャン(&C)", kStartsDisabled,
                 [](TForm1& f) { f.OpenScan(kScanCustom); }),
    ZANMEL_ENTRY(0, MenuUsb, PopupMainMenuUSB, L"USB(&U)", 0),
    ZANMEL_ENTRY(1, MenuUsbAutorunInf, PopupMainMenuUsbAutorunInf, L"autorun.infの書き出し(&A)", kStartsDisabled,
                 &ShowWindowOf<&W::formAutorunInf>),
    ZANMEL_ENTRY(1, MenuUsbBackUp, PopupMainMenuUsbBackUp, L"バックアップ(&B)", kStartsDisabled,
                 &ShowWindowOf<&W::formBackUp>),
    ZANMEL_ENTRY(1, MenuUsbSync, PopupMainMenuUsbSync, L"同期(&S)", kStartsDisabled, &ShowWindowOf<&W::formSync>),
    ZANMEL_ENTRY(0, MenuSet, PopupMainMenuSet, L"設定(&P)", 0),
    ZANMEL_ENTRY(1, MenuSkinChange, PopupMainMenuSkinChange, L"スキン変更(&S)", kListMenu),
    ZANMEL_ENTRY(1, MenuSetLaunch, PopupMainMenuSetLaunch, L"ランチャ設定(&L)", kStartsDisabled,
                 &ShowWindowOf<&W::form4>),
    ZANMEL_ENTRY(1, MenuSetSFolder, PopupMainMenuSetSFolder, L"特殊フォルダ設定(&F)", kStartsDisabled,
                 &ShowWindowOf<&W::formSpecialFolder>),
    ZANMEL_ENTRY(1, MenuSetAll, PopupMainMenuSetAll, L"全体設定(&A)", kStartsDisabled, &ShowWindowOf<&W::formSetting>),
    ZANMEL_ENTRY(0, MenyEntry, PopupMainMenuEntry, L"登録(&A)", 0),
    ZANMEL_ENTRY(1, MenuEntryLaunch, PopupMainMenuEntryLaunch, L"ランチャ登録(&L)", kStartsDisabled,
                 [](TForm1& f) { f.OpenItemDialog(ItemDialogKind::Launcher, kPlaceWithPicker); }),
    ZANMEL_ENTRY(1, MenuEntryWEB, PopupMainMenuEntryWEB, L"WEB登録(&W)", kStartsDisabled,
                 [](TForm1& f) { f.OpenItemDialog(ItemDialogKind::Web, kPlaceWithPicker); }),
    ZANMEL_ENTRY(0, MenuHelp, PopupMainMenuHelp, L"ヘルプ(&H)", 0),
    ZANMEL_ENTRY(1, MenuHelpShow, PopupMainMenuHelpShow, L"ヘルプの表示(&C)", kSeparatorAfter,
                 [](TForm1& f) { f.MenuHelpShowClick(); }),
    ZANMEL_ENTRY(1, MenuVerShow, PopupMainMenuVerShow, L"バージョン情報(&A)", 0,
                 [](TForm1& f) { f.MenuVerShowClick(); }),
    {0, MenuDebug, "MenuDebug", 0, nullptr, L"デバック", 0},
    {1, MenuDebugDirectZNXS, "MenuDebugDirectZNXS", 0, nullptr, L"DirectZNXP", kStartsDisabled,
     &ShowWindowOf<&W::formDebug>},
};

#undef ZANMEL_ENTRY

constexpr UINT kListBases[] = {kSheetMenuBase, kSheetPopupBase, kSkinMenuBase, kSkinPopupBase};

[[noreturn]] void Fail(const char* call) {
    throw ZanmelError("MainMenus", std::string(call) + ": " + platform::SystemErrorText(GetLastError()));
}

platform::MenuHandle NewMenu(bool bar) {
    platform::MenuHandle menu(bar ? CreateMenu() : CreatePopupMenu());
    if (!menu) Fail(bar ? "CreateMenu" : "CreatePopupMenu");
    return menu;
}

void InsertAt(HMENU parent, UINT position, UINT command, const std::wstring& caption, HMENU submenu, bool enabled,
              UINT type = MFT_STRING, ULONG_PTR data = 0) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | (submenu ? MIIM_SUBMENU : 0);
    info.fType = type;
    info.dwItemData = data;
    info.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    info.wID = command;
    info.hSubMenu = submenu;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    if (!InsertMenuItemW(parent, position, TRUE, &info)) Fail("InsertMenuItemW");
}

void AppendSeparator(HMENU parent) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    if (!InsertMenuItemW(parent, static_cast<UINT>(GetMenuItemCount(parent)), TRUE, &info)) Fail("InsertMenuItemW");
}

// Position of the item with this identifier among the direct items of the menu, or -1.
int PositionOf(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && !(info.fType & MFT_SEPARATOR) &&
            info.wID == command)
            return i;
    }
    return -1;
}

}  // namespace

std::wstring LiteralMenuCaption(const std::string& name) {
    std::wstring caption;
    for (wchar_t c : platform::ToWide(name)) {
        if (c == L'&') caption += L'&';
        caption += c;
    }
    return caption;
}

std::string NameOfLiteralCaption(std::wstring_view caption) {
    std::wstring name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        name += caption[i];
        if (caption[i] == L'&' && i + 1 < caption.size() && caption[i + 1] == L'&') ++i;
    }
    return platform::ToCp932(name);
}

std::optional<MenuListChoice> ListChoiceOf(UINT command) noexcept {
    for (std::size_t i = 0; i < std::size(kListBases); ++i) {
        if (command >= kListBases[i] && command < kListBases[i] + kMenuListCapacity)
            return MenuListChoice{i < 2 ? MenuList::Sheet : MenuList::Skin, command - kListBases[i], i % 2 == 1};
    }
    return std::nullopt;
}

std::string_view MenuEntryName(UINT command) noexcept {
    if (command == MenuTrayIconEnd) return "MenuTrayIconEnd";
    for (const MenuRow& row : kTable) {
        if (row.main == command) return row.mainName;
        if (row.popup != 0 && row.popup == command) return row.popupName;
    }
    return "";
}

bool RunMenuCommand(UINT command, TForm1& window) {
    if (command == MenuTrayIconEnd) {
        window.MenuTrayIconEndClick();
        return true;
    }
    for (const MenuRow& row : kTable) {
        if (row.run && (row.main == command || (row.popup != 0 && row.popup == command))) {
            row.run(window);
            return true;
        }
    }
    return false;
}

UINT MainMenuCommandOf(UINT command) noexcept {
    for (const MenuRow& row : kTable) {
        if (row.popup != 0 && row.popup == command) return row.main;
    }
    return command;
}

// A table row that fails leaves no menu behind: the top menus are owned, and submenus already appended go with
// their parents.
MainMenus::MainMenus() : mainMenu1_(NewMenu(true)), popupMainMenu_(NewMenu(false)), popupTrayIconMenu_(NewMenu(false)) {
    HMENU mainSub = nullptr;
    HMENU popupSub = nullptr;
    for (const MenuRow& row : kTable) {
        const bool enabled = !(row.flags & kStartsDisabled);
        const bool hasSubmenu = row.level == 0 || (row.flags & kListMenu);
        HMENU mainParent = row.level == 0 ? mainMenu1_.Get() : mainSub;
        HMENU popupParent = row.level == 0 ? popupMainMenu_.Get() : popupSub;
        HMENU mainMenu = Append(mainParent, row.main, row.caption, hasSubmenu, enabled);
        HMENU popupMenu = row.popup != 0 ? Append(popupParent, row.popup, row.caption, hasSubmenu, enabled) : nullptr;
        if (row.level == 0) {
            mainSub = mainMenu;
            popupSub = popupMenu;
        }
        if (row.flags & kSeparatorAfter) {
            AppendSeparator(mainParent);
            if (popupParent) AppendSeparator(popupParent);
        }
    }
    Append(popupTrayIconMenu_.Get(), MenuTrayIconEnd, L"終了", false, true);
}

MainMenus::~MainMenus() {
    // The window would destroy its menu bar with itself.
    if (barWindow_ && IsWindow(barWindow_) && GetMenu(barWindow_) == mainMenu1_.Get()) SetMenu(barWindow_, nullptr);
    // Hidden submenus belong to no menu any more.
    for (auto& [command, entry] : entries_) {
        if (entry.hidden && entry.submenu) DestroyMenu(entry.submenu);
    }
}

HMENU MainMenus::Append(HMENU parent, UINT command, const std::wstring& caption, bool withSubmenu, bool enabled) {
    platform::MenuHandle submenu = withSubmenu ? NewMenu(false) : platform::MenuHandle();
    InsertAt(parent, static_cast<UINT>(GetMenuItemCount(parent)), command, caption, submenu.Get(), enabled);
    // From here the parent menu owns the submenu.
    HMENU attached = submenu.Release();
    entries_[command] = Entry{parent, attached, caption, false, enabled};
    return attached;
}

HMENU MainMenus::SubmenuOf(UINT command) const noexcept {
    const auto it = entries_.find(command);
    return it == entries_.end() ? nullptr : it->second.submenu;
}

void MainMenus::ShowMenuBar(HWND window, bool shown) {
    if (shown) {
        if (!SetMenu(window, mainMenu1_.Get())) Fail("SetMenu");
        barWindow_ = window;
    } else {
        if (GetMenu(window) == mainMenu1_.Get()) SetMenu(window, nullptr);
        if (barWindow_ == window) barWindow_ = nullptr;
    }
}

void MainMenus::SetListNames(MenuList list, const std::vector<std::string>& names) {
    const bool sheets = list == MenuList::Sheet;
    const struct {
        UINT owner;
        UINT base;
    } menus[] = {{sheets ? MenuFileLaunchFileChange : MenuSkinChange, sheets ? kSheetMenuBase : kSkinMenuBase},
                 {sheets ? PopupMainMenuFileLanchFileChange : PopupMainMenuSkinChange,
                  sheets ? kSheetPopupBase : kSkinPopupBase}};
    for (const auto& menu : menus) {
        HMENU submenu = SubmenuOf(menu.owner);
        while (GetMenuItemCount(submenu) > 0) DeleteMenu(submenu, 0, MF_BYPOSITION);
        for (std::size_t i = 0; i < names.size() && i < kMenuListCapacity; ++i)
            InsertAt(submenu, static_cast<UINT>(i), menu.base + static_cast<UINT>(i), LiteralMenuCaption(names[i]),
                     nullptr, true);
    }
}

void MainMenus::SetEnabled(UINT command, bool enabled) {
    const auto it = entries_.find(command);
    if (it == entries_.end()) throw ZanmelError("MainMenus", "unknown menu entry " + std::to_string(command));
    Entry& entry = it->second;
    entry.enabled = enabled;
    if (entry.hidden) return;
    const int position = PositionOf(entry.parent, command);
    if (position >= 0)
        EnableMenuItem(entry.parent, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (entry.parent == mainMenu1_.Get()) Redraw();
}

bool MainMenus::IsEnabled(UINT command) const {
    const auto it = entries_.find(command);
    if (it == entries_.end()) return false;
    const Entry& entry = it->second;
    if (entry.hidden) return entry.enabled;
    const int position = PositionOf(entry.parent, command);
    if (position < 0) return false;
    return !(GetMenuState(entry.parent, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

void MainMenus::SetVisible(UINT command, bool visible) {
    for (const MenuRow& row : kTable) {
        if (row.main != command) continue;
        ShowEntry(row.main, visible);
        if (row.popup != 0) ShowEntry(row.popup, visible);
    }
}

void MainMenus::ShowEntry(UINT command, bool visible) {
    Entry& entry = entries_.at(command);
    if (entry.hidden == !visible) return;
    if (!visible) {
        const int position = PositionOf(entry.parent, command);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (position < 0 || !GetMenuItemInfoW(entry.parent, static_cast<UINT>(position), TRUE, &info) ||
            !RemoveMenu(entry.parent, static_cast<UINT>(position), MF_BYPOSITION))
            Fail("RemoveMenu");
        entry.type = info.fType;
        entry.data = info.dwItemData;
        entry.hidden = true;
    } else {
        // Back after the shown submenus that precede it in the table.
        UINT position = 0;
        for (const MenuRow& row : kTable) {
            const UINT id = entry.parent == mainMenu1_.Get() ? row.main : row.popup;
            if (id == command) break;
            if (row.level == 0 && id != 0 && !entries_.at(id).hidden) ++position;
        }
        InsertAt(entry.parent, position, command, entry.caption, entry.submenu, entry.enabled, entry.type, entry.data);
        entry.hidden = false;
    }
    if (entry.parent == mainMenu1_.Get()) Redraw();
}

void MainMenus::Redraw() const {
    if (barWindow_ && IsWindow(barWindow_) && GetMenu(barWindow_) == mainMenu1_.Get()) DrawMenuBar(barWindow_);
}

}  // namespace zanmel::ui
