// The launcher menu PopupMenu1 that mirrors the folder tree, the hot keys and the hook library that call the
// launcher up from anywhere, and the skin's drawing of the popup menus' items.
#include <windows.h>

#include <unordered_map>

#include "core/CallUpRules.h"
#include "hook/HookProtocol.h"
#include "platform/CallUp.h"
#include "platform/TextCodec.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

// tree.txt's last write time, 0 when it cannot be read.
std::uint64_t FileWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(platform::ToWide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

BOOL CALLBACK WidenByMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        auto& all = *reinterpret_cast<ScreenRect*>(data);
        all =
            WidenToInclude(all, {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom});
    }
    return TRUE;
}

}  // namespace

struct TForm1::PopupUi {
    platform::HotKey hotKeyZanmel;
    platform::HotKey hotKeyPopup;
    platform::HookLibrary hook;
    platform::MenuHandle popupMenu1{CreatePopupMenu()};
    std::uint64_t stamp = 0;  // tree.txt's time when the launcher menu was built
    std::string treeText;     // the tree it was built from
    std::size_t builds = 0;

    // What the skin draws of a menu item; the item's data is its key here.
    struct Item {
        std::string text;  // the caption, "-" for a separator; the node's text for a launcher menu entry
        bool separator = false;
        bool launcher = false;  // an entry of PopupMenu1
        int imageIndex = -1;
    };
    std::unordered_map<ULONG_PTR, Item> items;
    ULONG_PTR nextKey = 1;
    // Submenus whose entries are made when they first open: the tag and text of the folder node they show.
    struct Pending {
        std::size_t tag = 0;
        std::string text;
    };
    std::unordered_map<HMENU, Pending> pending;
    // The top level's folder entries get their submenus when it first opens: a submenu is a window-system
    // object, and a sheet of 2,000 folders would make 2,000 of them at every load.
    bool topSubmenusAttached = false;

    const Item* Find(ULONG_PTR key) const {
        const auto it = items.find(key);
        return it == items.end() ? nullptr : &it->second;
    }
};

void TForm1::InstallCallUps() {
    popupUi_ = std::make_shared<PopupUi>();
    const TSetting& setting = deps_.setting;
    popupUi_->hotKeyZanmel.Register(Handle(), L"Zanmel", setting.HotKeyZanmel);
    popupUi_->hotKeyPopup.Register(Handle(), L"ZanmelPopup", setting.HotKeyPopup);
    if (HookInUse(setting)) {
        popupUi_->hook.Load(deps_.state.ProgramFolder(), Handle(),
                            {setting.MouseZanmel, setting.MousePopup, setting.CornerZanmel, setting.CornerPopup},
                            deps_.ui);
    }
}

void TForm1::ReleaseCallUps() {
    if (!popupUi_) return;
    popupUi_->hotKeyZanmel.Unregister();
    popupUi_->hotKeyPopup.Unregister();
    popupUi_->hook.Release(deps_.ui);
}

bool TForm1::HotKeyRegistered(bool popup) const {
    return popup ? popupUi_->hotKeyPopup.Registered() : popupUi_->hotKeyZanmel.Registered();
}

bool TForm1::HookLoaded() const {
    return popupUi_->hook.Hooked();
}

void TForm1::MeasureScreens() {
    ScreenRect all{};
    EnumDisplayMonitors(nullptr, nullptr, &WidenByMonitor, reinterpret_cast<LPARAM>(&all));
    virtualScreen_ = {all.left, all.top, all.right, all.bottom};
}

bool TForm1::CallUpMessage(MSG& msg) {
    if (!popupUi_ || msg.hwnd != Handle()) return false;
    if (popupUi_->hotKeyZanmel.Matches(msg) || msg.message == hook::kMessageMainWindow) {
        const bool fromHook = msg.message == hook::kMessageMainWindow;
        BringUpMainWindow(fromHook, fromHook && msg.wParam != hook::kMainWindowAnywhere);
        return true;
    }
    if (popupUi_->hotKeyPopup.Matches(msg) || msg.message == hook::kMessageLauncherMenu) {
        POINT mouse{};
        GetCursorPos(&mouse);
        // The menu closes when the user clicks elsewhere only while the launcher is in the foreground.
        SetForegroundWindow(Handle());
        const ScreenPoint at = LauncherMenuPosition({mouse.x, mouse.y}, msg.wParam == hook::kMenuAtMouse);
        OpenPopupMenu1({at.x, at.y});
        return true;
    }
    if (msg.message == hook::kMessageCaption) {
        SetWindowTextW(Handle(), std::to_wstring(static_cast<std::intptr_t>(msg.wParam)).c_str());
        return true;
    }
    return false;
}

void TForm1::BringUpMainWindow(bool toMouse, bool keepInside) {
    if (toMouse) {
        // A minimised window is moved once it is back.
        if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
        POINT mouse{};
        GetCursorPos(&mouse);
        RECT rc;
        GetWindowRect(Handle(), &rc);
        const ScreenRect screens{virtualScreen_.left, virtualScreen_.top, virtualScreen_.right, virtualScreen_.bottom};
        const ScreenPoint at =
            CentredOnMouse({mouse.x, mouse.y}, rc.right - rc.left, rc.bottom - rc.top, keepInside ? &screens : nullptr);
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyImeMode();
    RestoreFromTray();
    // An open dialog comes to the front rather than the disabled main window.
    HWND last = GetLastActivePopup(Handle());
    if (last && last != Handle()) SetForegroundWindow(last);
    if (DirViewShown()) SetForegroundWindow(windows_.dirView->Handle());
}

HMENU TForm1::PopupMenu1() const {
    return popupUi_->popupMenu1.Get();
}

std::size_t TForm1::PopupMenu1Builds() const {
    return popupUi_->builds;
}

namespace {

// The number of nodes of a subtree, its root included: the tags a node and its descendants take in pre-order.
std::size_t SubtreeSize(const FolderTree::Node& node) {
    std::size_t size = 1;
    for (const auto& child : node.children) size += SubtreeSize(*child);
    return size;
}

}  // namespace

// One entry per node: a node's tag is its position in the tree's pre-order, starting at tag for the first of
// nodes. With withSubmenus a node with children gets a submenu whose entries are made when it first opens
// (FillPopupSubmenu), so the menu costs what is opened of it, not the whole sheet.
void TForm1::AppendPopupMenu1Entries(HMENU menu, const std::vector<std::unique_ptr<FolderTree::Node>>& nodes,
                                     std::size_t tag, bool withSubmenus) {
    PopupUi& ui = *popupUi_;
    for (const auto& node : nodes) {
        const std::size_t own = tag;
        tag += SubtreeSize(*node);
        const ULONG_PTR key = ui.nextKey++;
        ui.items[key] = {node->text, false, true, NodeImageIndex(node.get())};
        const std::wstring caption = ui::LiteralMenuCaption(node->text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_DATA;
        info.fType = launcherMenuOwnerDraw_ ? MFT_OWNERDRAW : MFT_STRING;
        info.wID = static_cast<UINT>(own + 1);
        info.dwItemData = key;
        info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
        if (withSubmenus) AttachPopupSubmenu(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), *node, own);
    }
}

// Gives the entry at position of menu, which shows node (tag own), a submenu to be filled when it opens.
void TForm1::AttachPopupSubmenu(HMENU menu, UINT position, const FolderTree::Node& node, std::size_t own) {
    if (node.children.empty()) return;
    platform::MenuHandle submenu(CreatePopupMenu());
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = submenu.Get();
    // Attached, the submenu goes with its parent.
    if (!SetMenuItemInfoW(menu, position, TRUE, &info)) return;
    popupUi_->pending[submenu.Release()] = {own, node.text};
}

// A launcher menu opens (WM_INITMENUPOPUP). The top level gets its submenus the first time; a submenu gets its
// entries the first time. A folder that is no longer at its place (the tree changed while the menu was up)
// leaves its submenu empty.
void TForm1::FillPopupSubmenu(HMENU submenu) {
    if (!popupUi_) return;
    PopupUi& ui = *popupUi_;
    if (submenu == ui.popupMenu1.Get()) {
        if (ui.topSubmenusAttached) return;
        ui.topSubmenusAttached = true;
        const auto& roots = tree_.Roots();
        const int count = GetMenuItemCount(submenu);
        std::size_t tag = 0;
        for (std::size_t i = 0; i < roots.size() && i < static_cast<std::size_t>(std::max(count, 0)); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            GetMenuItemInfoW(submenu, static_cast<UINT>(i), TRUE, &info);
            const PopupUi::Item* item = ui.Find(info.dwItemData);
            if (item && item->text == roots[i]->text) AttachPopupSubmenu(submenu, static_cast<UINT>(i), *roots[i], tag);
            tag += SubtreeSize(*roots[i]);
        }
        return;
    }
    const auto it = ui.pending.find(submenu);
    if (it == ui.pending.end()) return;
    const PopupUi::Pending pending = std::move(it->second);
    ui.pending.erase(it);
    const std::vector<FolderTree::Node*> nodes = tree_.PreOrder();
    if (pending.tag >= nodes.size() || nodes[pending.tag]->text != pending.text) return;
    AppendPopupMenu1Entries(submenu, nodes[pending.tag]->children, pending.tag + 1, true);
}

void TForm1::BuildPopupMenu1() {
    DestroyPopupMenu1();
    AppendPopupMenu1Entries(popupUi_->popupMenu1.Get(), tree_.Roots(), 0, false);
    popupUi_->stamp = FileWriteTime(SheetFolder() + "\\tree.txt");
    popupUi_->treeText = WriteTreeText(tree_);
    ++popupUi_->builds;
}

void TForm1::DestroyPopupMenu1() {
    if (!popupUi_) return;
    PopupUi& ui = *popupUi_;
    // A new menu rather than deleting thousands of entries one by one.
    ui.popupMenu1.Reset(CreatePopupMenu());
    std::erase_if(ui.items, [](const auto& entry) { return entry.second.launcher; });
    ui.pending.clear();
    ui.topSubmenusAttached = false;
    ui.stamp = 0;
    ui.treeText.clear();
}

// The menu is built again when tree.txt was written since it was built, and also when the tree differs from
// the menu while the file's time did not move (a file system that keeps times in two-second steps, a change
// that was not saved): an entry's tag must name the node it shows.
void TForm1::PopupMenu1Popup() {
    const std::uint64_t stamp = FileWriteTime(SheetFolder() + "\\tree.txt");
    if (stamp == popupUi_->stamp && WriteTreeText(tree_) == popupUi_->treeText) return;
    DestroyPopupMenu1();
    if (!tree_.Empty()) BuildPopupMenu1();
    popupUi_->stamp = stamp;
}

void TForm1::OpenPopupMenu1(POINT at) {
    PopupMenu1Popup();
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(PopupMenu1(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, Handle(), nullptr));
    PostMessageW(Handle(), WM_NULL, 0, 0);
    if (id) PopupMenu1Click(id);
}

void TForm1::PopupMenu1Click(UINT id) {
    SetEdit1ReadOnly(false);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (id == 0 || !GetMenuItemInfoW(PopupMenu1(), id, FALSE, &info)) return;
    const PopupUi::Item* item = popupUi_->Find(info.dwItemData);
    const std::vector<FolderTree::Node*> nodes = tree_.PreOrder();
    const std::size_t tag = id - 1;
    // A node that changed while the menu was open is not run in the entry's place.
    if (!item || tag >= nodes.size() || nodes[tag]->text != item->text) return;
    const std::string text = nodes[tag]->text;
    if (!text.empty() && text[0] != '#') RunItem(text);
}

std::vector<HMENU> TForm1::FixedPopupMenus() const {
    std::vector<HMENU> menus = ContextMenus();
    menus.push_back(menus_->PopupMainMenu());
    menus.push_back(menus_->PopupTrayIconMenu());
    return menus;
}

// Every item of the menu, at any depth, gets the skin's measuring and drawing (they take effect while the
// menu is owner-drawn).
void TForm1::AttachMenuDrawing(HMENU menu) {
    PopupUi& ui = *popupUi_;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING | MIIM_ID;
        info.dwTypeData = caption;
        info.cch = static_cast<UINT>(std::size(caption));
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu) AttachMenuDrawing(info.hSubMenu);
        if (info.dwItemData != 0) continue;
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        const ULONG_PTR key = ui.nextKey++;
        // A sheet or skin name is drawn as it is, not as the doubled "&" that keeps the system from underlining.
        const bool listEntry = !info.hSubMenu && ui::ListChoiceOf(info.wID).has_value();
        std::string text = separator   ? std::string("-")
                           : listEntry ? ui::NameOfLiteralCaption(caption)
                                       : platform::ToCp932(caption);
        ui.items[key] = {std::move(text), separator, false, -1};
        MENUITEMINFOW data{};
        data.cbSize = sizeof(data);
        data.fMask = MIIM_DATA;
        data.dwItemData = key;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &data);
    }
}

void TForm1::AttachMenuDrawing() {
    for (HMENU menu : FixedPopupMenus()) AttachMenuDrawing(menu);
    ApplyMenuOwnerDraw();
}

namespace {

void SetOwnerDraw(HMENU menu, bool ownerDraw, const auto& isOurs) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu) SetOwnerDraw(info.hSubMenu, ownerDraw, isOurs);
        if (!isOurs(info.dwItemData)) continue;
        const UINT type = ownerDraw ? (info.fType | MFT_OWNERDRAW) : (info.fType & ~static_cast<UINT>(MFT_OWNERDRAW));
        if (type == info.fType) continue;
        info.fMask = MIIM_FTYPE;
        info.fType = type;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

}  // namespace

// The launcher menu is drawn by the skin when it has a side bar image; the fixed menus when, besides, the skin
// asks for it.
void TForm1::ApplyMenuOwnerDraw() {
    if (!popupUi_) return;
    const bool fixed = layout_ && layout_->fixedMenusOwnerDraw;
    auto isOurs = [this](ULONG_PTR key) { return popupUi_->Find(key) != nullptr; };
    for (HMENU menu : FixedPopupMenus()) SetOwnerDraw(menu, fixed, isOurs);
    SetOwnerDraw(PopupMenu1(), launcherMenuOwnerDraw_, isOurs);
}

bool TForm1::PopupMeasureItem(MEASUREITEMSTRUCT& measure) {
    const PopupUi::Item* item = popupUi_ ? popupUi_->Find(measure.itemData) : nullptr;
    if (!item || !life_.skins) return false;
    const platform::WindowDc dc(Handle());
    const SIZE size = painter_.PopupMeasureItem(dc.Get(), life_.skins->Skin, item->text, item->launcher);
    measure.itemWidth = static_cast<UINT>(std::max<LONG>(0, size.cx));
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(0, size.cy));
    return true;
}

bool TForm1::PopupDrawItem(const DRAWITEMSTRUCT& draw) {
    const PopupUi::Item* item = popupUi_ ? popupUi_->Find(draw.itemData) : nullptr;
    if (!item || !life_.skins) return false;
    skin::PopupItemState state;
    state.rect = {draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    state.selected = (draw.itemState & ODS_SELECTED) != 0;
    if (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) state.disabledColor = GetSysColor(COLOR_GRAYTEXT);
    state.text = item->text;
    state.launcherItem = item->launcher;
    state.separator = item->separator;
    // For a menu item the control's handle is the menu that holds it.
    state.itemCount = std::max(1, GetMenuItemCount(reinterpret_cast<HMENU>(draw.hwndItem)));
    state.imageIndex = item->imageIndex;
    painter_.PopupDrawItem(draw.hDC, life_.skins->Skin, state, imageList1_.Get());
    return true;
}

}  // namespace zanmel
