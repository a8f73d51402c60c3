#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles.h"

namespace zanmel {
class TForm1;
}

namespace zanmel::ui {

// Command identifiers of the main menu, the frame menu and the tray menu, named after their entries.
// Submenus have identifiers too, so they can be enabled, hidden and found like entries.
enum MenuId : UINT {
    // Main menu MainMenu1.
    MenuFile = 100,
    MenuFileLaunchFileChange,
    MenuFileExit,
    MenuScan,
    MenuScanIE,
    MenuScanProgram,
    MenuScanExe,
    MenuScanCustom,
    MenuUsb,
    MenuUsbAutorunInf,
    MenuUsbBackUp,
    MenuUsbSync,
    MenuSet,
    MenuSkinChange,
    MenuSetLaunch,
    MenuSetSFolder,
    MenuSetAll,
    MenyEntry,
    MenuEntryLaunch,
    MenuEntryWEB,
    MenuHelp,
    MenuHelpShow,
    MenuVerShow,
    MenuDebug,
    MenuDebugDirectZNXS,
    // Frame menu PopupMainMenu.
    PopupMainMenuFile = 200,
    PopupMainMenuFileLanchFileChange,
    PopupMainMenuFileExit,
    PopupMainMenuScan,
    PoppupMainMenuScanIE,
    PopupMainMenuScanProgram,
    PopupMainMenuScanExe,
    PopupMainMenuScanCustom,
    PopupMainMenuUSB,
    PopupMainMenuUsbAutorunInf,
    PopupMainMenuUsbBackUp,
    PopupMainMenuUsbSync,
    PopupMainMenuSet,
    PopupMainMenuSkinChange,
    PopupMainMenuSetLaunch,
    PopupMainMenuSetSFolder,
    PopupMainMenuSetAll,
    PopupMainMenuEntry,
    PopupMainMenuEntryLaunch,
    PopupMainMenuEntryWEB,
    PopupMainMenuHelp,
    PopupMainMenuHelpShow,
    PopupMainMenuVerShow,
    // Tray menu PopupTrayIconMenu.
    MenuTrayIconEnd = 300,
};

// The two lists of names shown as submenus: sheets under "シート変更(&S)", skins under "スキン変更(&S)".
enum class MenuList { Sheet, Skin };

// Each list entry's command identifier holds its list, its menu and its position in the list.
constexpr UINT kSheetMenuBase = 1000;            // MenuFileLaunchFileChange entries
constexpr UINT kSheetPopupBase = 2000;           // PopupMainMenuFileLanchFileChange entries
constexpr UINT kSkinMenuBase = 3000;             // MenuSkinChange entries
constexpr UINT kSkinPopupBase = 4000;            // PopupMainMenuSkinChange entries
constexpr std::size_t kMenuListCapacity = 1000;  // names beyond this many are left out of the menus

struct MenuListChoice {
    MenuList list;
    std::size_t index;   // position of the name in the list the menu was built from
    bool fromFrameMenu;  // chosen in PopupMainMenu rather than MainMenu1
    friend bool operator==(const MenuListChoice&, const MenuListChoice&) = default;
};

// The list entry a command identifier stands for, or nothing for any other identifier.
std::optional<MenuListChoice> ListChoiceOf(UINT command) noexcept;

// A name shown literally in a menu: "&" would underline the next character.
std::wstring LiteralMenuCaption(const std::string& name);
// The name such a caption shows: every "&&" back to "&".
std::string NameOfLiteralCaption(std::wstring_view caption);

// The name of the entry with this identifier ("MenuFileExit", "PopupMainMenuUSB", ...), or "" when unknown.
std::string_view MenuEntryName(UINT command) noexcept;

// For a frame menu entry, the main menu entry with the same action; any other identifier is returned as is.
UINT MainMenuCommandOf(UINT command) noexcept;

// Carries out a fixed entry of the three menus in the main window that shows them, as the menu table says; a
// frame menu entry does what its main menu twin does. False for an identifier without action.
bool RunMenuCommand(UINT command, TForm1& window);

// The main menu MainMenu1 (a menu bar), the frame menu PopupMainMenu and the tray menu PopupTrayIconMenu,
// built once and owned until destruction. Entries whose window is not there yet (scanner, USB tools,
// settings dialogs, item dialogs, protocol test window) start disabled.
class MainMenus {
public:
    MainMenus();
    ~MainMenus();
    MainMenus(const MainMenus&) = delete;
    MainMenus& operator=(const MainMenus&) = delete;

    HMENU MainMenu1() const noexcept { return mainMenu1_.Get(); }
    HMENU PopupMainMenu() const noexcept { return popupMainMenu_.Get(); }
    HMENU PopupTrayIconMenu() const noexcept { return popupTrayIconMenu_.Get(); }
    // The submenu of a submenu entry (MenuFile, MenuSkinChange, PopupMainMenuUSB, ...), or nullptr.
    HMENU SubmenuOf(UINT command) const noexcept;

    // Puts the menu bar on the window or takes it off (frameless skins have none). While it is on, the
    // window redraws its bar after hide and show; the destructor takes it off so the window never
    // destroys it twice.
    void ShowMenuBar(HWND window, bool shown);

    // Rebuilds both submenus of a list from the names (CP932), in order.
    void SetListNames(MenuList list, const std::vector<std::string>& names);
    void SetSheetNames(const std::vector<std::string>& names) { SetListNames(MenuList::Sheet, names); }
    void SetSkinNames(const std::vector<std::string>& names) { SetListNames(MenuList::Skin, names); }

    // Any fixed entry or submenu of the three menus; the state of a hidden menu is kept for its return.
    void SetEnabled(UINT command, bool enabled);
    bool IsEnabled(UINT command) const;

    // A main menu entry (MenuUsb, MenuDebug, ...) and its frame menu twin together; a hidden menu is taken out and
    // returns to its place with its caption, state, type and item data.
    void SetVisible(UINT command, bool visible);
    bool IsVisible(UINT command) const { return !entries_.at(command).hidden; }

private:
    struct Entry {
        HMENU parent = nullptr;
        HMENU submenu = nullptr;
        std::wstring caption;
        bool hidden = false;
        bool enabled = true;
        UINT type = MFT_STRING;  // kept while hidden: an owner-drawn item returns owner-drawn
        ULONG_PTR data = 0;
    };

    // Appends an entry, with a new submenu when asked; the parent takes the submenu, which is returned.
    HMENU Append(HMENU parent, UINT command, const std::wstring& caption, bool withSubmenu, bool enabled);
    void ShowEntry(UINT command, bool visible);
    void Redraw() const;

    platform::MenuHandle mainMenu1_;
    platform::MenuHandle popupMainMenu_;
    platform::MenuHandle popupTrayIconMenu_;
    HWND barWindow_ = nullptr;
    std::map<UINT, Entry> entries_;
};

}  // namespace zanmel::ui
