// The launcher menu PopupMenu1 that mirrors the folder tree, the hot keys and the hook library that call the
// launcher up from anywhere, and the skin's drawing of the popup menus' items.
#include <windows.h>

#include <optional>

#include "core/CallUpRules.h"
#include "hook/HookProtocol.h"
#include "platform/CallUp.h"
#include "platform/TextCodec.h"
#include "ui/dialogs/DirViewWindow.h"
#include "ui/main/TForm1.h"
#include "ui/main/TreeContextMenus.h"

namespace zanmel {

namespace {

// tree.txt's last write time, 0 when it cannot be read.
std::uint64_t FileWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(platform::ToWide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

void TForm1::InstallCallUps() {
    popup_ = std::make_unique<LauncherPopup>(Handle(), deps_.setting, deps_.state.ProgramFolder(), deps_.ui);
}

// The virtual screen: the rectangle that bounds every monitor.
void TForm1::MeasureScreens() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    virtualScreen_ = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool TForm1::CallUpMessage(MSG& msg) {
    if (!popup_ || msg.hwnd != Handle()) return false;
    if (popup_->CallsMainWindow(msg)) {
        const bool fromHook = msg.message == hook::kMessageMainWindow;
        BringUpMainWindow(fromHook, fromHook && msg.wParam != hook::kMainWindowAnywhere);
        return true;
    }
    if (popup_->CallsMenu(msg)) {
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
    for (const auto& node : nodes) {
        const std::size_t own = tag;
        tag += SubtreeSize(*node);
        const ULONG_PTR key = popup_->Add({node->text, false, true, NodeImageIndex(node.get())});
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
    popup_->AddPending(submenu.Release(), {own, node.text});
}

// A launcher menu opens (WM_INITMENUPOPUP). The top level gets its submenus the first time; a submenu gets its
// entries the first time. A folder that is no longer at its place (the tree changed while the menu was up)
// leaves its submenu empty.
void TForm1::FillPopupSubmenu(HMENU submenu) {
    if (!popup_) return;
    if (submenu == popup_->Menu()) {
        if (!popup_->TakeTopSubmenus()) return;
        const auto& roots = tree_.Roots();
        const int count = GetMenuItemCount(submenu);
        std::size_t tag = 0;
        for (std::size_t i = 0; i < roots.size() && i < static_cast<std::size_t>(std::max(count, 0)); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_DATA;
            GetMenuItemInfoW(submenu, static_cast<UINT>(i), TRUE, &info);
            const LauncherPopup::Item* item = popup_->Find(info.dwItemData);
            if (item && item->text == roots[i]->text) AttachPopupSubmenu(submenu, static_cast<UINT>(i), *roots[i], tag);
            tag += SubtreeSize(*roots[i]);
        }
        return;
    }
    const std::optional<LauncherPopup::Pending> pending = popup_->TakePending(submenu);
    if (!pending) return;
    const std::vector<FolderTree::Node*> nodes = tree_.PreOrder();
    if (pending->tag >= nodes.size() || nodes[pending->tag]->text != pending->text) return;
    AppendPopupMenu1Entries(submenu, nodes[pending->tag]->children, pending->tag + 1, true);
}

void TForm1::BuildPopupMenu1() {
    DestroyPopupMenu1();
    AppendPopupMenu1Entries(popup_->Menu(), tree_.Roots(), 0, false);
    popup_->Built(FileWriteTime(SheetFolder() + "\\tree.txt"), WriteTreeText(tree_));
}

void TForm1::DestroyPopupMenu1() {
    if (popup_) popup_->Clear();
}

// The menu is built again when tree.txt was written since it was built, and also when the tree differs from
// the menu while the file's time did not move (a file system that keeps times in two-second steps, a change
// that was not saved): an entry's tag must name the node it shows.
void TForm1::PopupMenu1Popup() {
    const std::uint64_t stamp = FileWriteTime(SheetFolder() + "\\tree.txt");
    if (stamp == popup_->Stamp() && WriteTreeText(tree_) == popup_->TreeText()) return;
    DestroyPopupMenu1();
    if (!tree_.Empty()) BuildPopupMenu1();
    popup_->SetStamp(stamp);
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
    const LauncherPopup::Item* item = popup_->Find(info.dwItemData);
    const std::vector<FolderTree::Node*> nodes = tree_.PreOrder();
    const std::size_t tag = id - 1;
    // A node that changed while the menu was open is not run in the entry's place.
    if (!item || tag >= nodes.size() || nodes[tag]->text != item->text) return;
    const std::string text = nodes[tag]->text;
    if (!text.empty() && text[0] != '#') RunItem(text);
}

std::vector<HMENU> TForm1::FixedPopupMenus() const {
    std::vector<HMENU> menus = treeMenus_->Menus();
    menus.push_back(menus_->PopupMainMenu());
    menus.push_back(menus_->PopupTrayIconMenu());
    return menus;
}

void TForm1::AttachMenuDrawing() {
    for (HMENU menu : FixedPopupMenus()) popup_->AttachDrawing(menu);
    ApplyMenuOwnerDraw();
}

// The launcher menu is drawn by the skin when it has a side bar image; the fixed menus when, besides, the skin
// asks for it.
void TForm1::ApplyMenuOwnerDraw() {
    if (!popup_) return;
    const bool fixed = layout_ && layout_->fixedMenusOwnerDraw;
    for (HMENU menu : FixedPopupMenus()) popup_->SetOwnerDraw(menu, fixed);
    popup_->SetOwnerDraw(PopupMenu1(), launcherMenuOwnerDraw_);
}

bool TForm1::PopupMeasureItem(MEASUREITEMSTRUCT& measure) {
    const LauncherPopup::Item* item = popup_ ? popup_->Find(measure.itemData) : nullptr;
    if (!item || !life_.skins) return false;
    const platform::WindowDc dc(Handle());
    const SIZE size = painter_.PopupMeasureItem(dc.Get(), life_.skins->Skin, item->text, item->launcher);
    measure.itemWidth = static_cast<UINT>(std::max<LONG>(0, size.cx));
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(0, size.cy));
    return true;
}

bool TForm1::PopupDrawItem(const DRAWITEMSTRUCT& draw) {
    const LauncherPopup::Item* item = popup_ ? popup_->Find(draw.itemData) : nullptr;
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
