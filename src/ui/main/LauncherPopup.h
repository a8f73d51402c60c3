#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "core/TSetting.h"
#include "core/UserInterface.h"
#include "hook/HookProtocol.h"
#include "platform/CallUp.h"
#include "platform/Handles.h"

namespace zanmel {

// What calls the launcher up from anywhere (the two hot keys and the hook library), the launcher menu
// PopupMenu1 with what it was built from, and the items the skin draws in the popup menus.
class LauncherPopup {
public:
    // What the skin draws of a menu item; the item's data is its key here.
    struct Item {
        std::string text;  // the caption, "-" for a separator; the node's text for a launcher menu entry
        bool separator = false;
        bool launcher = false;  // an entry of PopupMenu1
        int imageIndex = -1;
    };
    // A submenu whose entries are made when it first opens: the tag and text of the folder node it shows.
    struct Pending {
        std::size_t tag = 0;
        std::string text;
    };

    // Registers the hot keys for window and, when the setting uses it, loads the hook library.
    LauncherPopup(HWND window, const TSetting& setting, const std::string& programFolder, UserInterface& ui);
    LauncherPopup(const LauncherPopup&) = delete;
    LauncherPopup& operator=(const LauncherPopup&) = delete;
    void ReleaseCallUps(UserInterface& ui);
    bool HotKeyRegistered(bool popup) const { return popup ? hotKeyPopup_.Registered() : hotKeyZanmel_.Registered(); }
    bool HookLoaded() const { return hook_.Hooked(); }
    // The message is the hot key or the hook's call for the main window, or for the launcher menu.
    bool CallsMainWindow(const MSG& msg) const {
        return hotKeyZanmel_.Matches(msg) || msg.message == hook::kMessageMainWindow;
    }
    bool CallsMenu(const MSG& msg) const {
        return hotKeyPopup_.Matches(msg) || msg.message == hook::kMessageLauncherMenu;
    }

    HMENU Menu() const { return menu_.Get(); }
    std::size_t Builds() const { return builds_; }
    // A new empty launcher menu, forgetting its entries, their submenus and what it was built from.
    void Clear();
    // The menu was built from treeText, with tree.txt's time stamp.
    void Built(std::uint64_t stamp, std::string treeText);
    std::uint64_t Stamp() const { return stamp_; }
    const std::string& TreeText() const { return treeText_; }
    void SetStamp(std::uint64_t stamp) { stamp_ = stamp; }

    // A new item to draw; its key goes in the menu item's data.
    ULONG_PTR Add(Item item);
    const Item* Find(ULONG_PTR key) const;
    void AddPending(HMENU submenu, Pending pending) { pending_[submenu] = std::move(pending); }
    // The folder the submenu is to show, once: the first time it opens.
    std::optional<Pending> TakePending(HMENU submenu);
    // True the first time after a build: the top level's folder entries get their submenus when it first opens,
    // since a submenu is a window-system object and a sheet of 2,000 folders would make 2,000 of them at every
    // load.
    bool TakeTopSubmenus() { return !std::exchange(topSubmenusAttached_, true); }

    // Every item of the menu, at any depth, gets the skin's measuring and drawing (they take effect while the
    // menu is owner-drawn).
    void AttachDrawing(HMENU menu);
    // The items of the menu with a key here, at any depth, become owner-drawn or are drawn by the system again.
    void SetOwnerDraw(HMENU menu, bool ownerDraw) const;

private:
    platform::HotKey hotKeyZanmel_;
    platform::HotKey hotKeyPopup_;
    platform::HookLibrary hook_;
    platform::MenuHandle menu_{CreatePopupMenu()};
    std::uint64_t stamp_ = 0;  // tree.txt's time when the launcher menu was built
    std::string treeText_;     // the tree it was built from
    std::size_t builds_ = 0;
    std::unordered_map<ULONG_PTR, Item> items_;
    ULONG_PTR nextKey_ = 1;
    std::unordered_map<HMENU, Pending> pending_;
    bool topSubmenusAttached_ = false;
};

}  // namespace zanmel
