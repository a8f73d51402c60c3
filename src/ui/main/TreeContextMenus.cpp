// The tree's context menus, the mouse on the tree and the result list, dragging inside the tree and the two
// timers of the tree.
#include "ui/main/TreeContextMenus.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"
#include "platform/WindowSubclass.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToWide;

namespace {

constexpr UINT_PTR kSubclassId = 2;
constexpr UINT_PTR kTimerMouse = 1;
constexpr UINT_PTR kTimer1 = 2;
constexpr UINT kTimerMouseInterval = 500;
constexpr UINT kTimerMouseHeldInterval = 100;
constexpr UINT kTimer1Interval = 10;
constexpr int kScrollMargin = 30;

// Entries whose dialog does not exist yet are shown disabled.
void AddEntry(HMENU menu, UINT id, const char* caption, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, ToWide(caption).c_str());
}
void AddSeparator(HMENU menu) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}
// The "アイテムの登録(&A)" submenu with its two registration entries.
void AddItemSubmenu(HMENU menu, UINT launchId, UINT webId) {
    platform::MenuHandle submenu(CreatePopupMenu());
    AddEntry(submenu.Get(), launchId, "ランチャ登録", false);
    AddEntry(submenu.Get(), webId, "WEB登録", false);
    // Appended, the submenu goes with its parent.
    if (AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()), ToWide("アイテムの登録(&A)").c_str()))
        submenu.Release();
}

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

TreeContextMenus::TreeContextMenus(TForm1& form)
    : form_(form), tree_(form.TreeView1()), list_(form.ListBox1()), panel_(form.Panel2()) {
    AddEntry(none_.Get(), NoneMenuAddFolder, "フォルダを作成");

    AddEntry(folder_.Get(), FolderMenuAllExecute, "フォルダ内を一括起動");
    AddEntry(folder_.Get(), FolderMenuNameChange, "フォルダ名の変更");
    AddSeparator(folder_.Get());  // N1
    AddItemSubmenu(folder_.Get(), FolderMenuAddLaunch, FolderMenuAddWEB);
    AddEntry(folder_.Get(), FolderMenuAddFolder, "フォルダの作成(&M)");
    AddSeparator(folder_.Get());  // N2
    AddEntry(folder_.Get(), FolderMenuDelete, "フォルダの削除(&D)");

    AddEntry(launcher_.Get(), LauncherMenuChangeData, "編集(&E)", false);
    AddEntry(launcher_.Get(), LauncherMenuDirOpen, "フォルダを開く(&O)");
    AddSeparator(launcher_.Get());  // N3
    AddItemSubmenu(launcher_.Get(), LauncherMenuAddLaunch, LauncherMenuAddWEB);
    AddEntry(launcher_.Get(), LauncherMenuAddFolder, "フォルダの作成(&M)");
    AddSeparator(launcher_.Get());  // N4
    AddEntry(launcher_.Get(), LauncherMenuDelete, "アイテムの削除(&D)");

    AddEntry(web_.Get(), WEBMenuChangeData, "編集(&E)", false);
    AddSeparator(web_.Get());  // N7
    AddItemSubmenu(web_.Get(), WEBMenuAddLaunch, WEBMenuAddWEB);
    AddEntry(web_.Get(), WEBMenuAddFolder, "フォルダの作成(&F)");
    AddSeparator(web_.Get());  // N10
    AddEntry(web_.Get(), WEBMenuDelete, "アイテムの削除(&D)");

    AddEntry(specialFolder_.Get(), SFolderMenuEdit, "編集(&E)", false);
    AddSeparator(specialFolder_.Get());                                             // N9
    AddItemSubmenu(specialFolder_.Get(), SFolderMenuAddLaunch, SFolderMenuAddWEB);  // SFolderAddItem
    AddEntry(specialFolder_.Get(), SFolderMenuAddFolder, "フォルダの作成(&F)");
    AddSeparator(specialFolder_.Get());  // N11
    AddEntry(specialFolder_.Get(), SFolderMenuDelete, "アイテムの削除(&D)");

    const auto self = reinterpret_cast<DWORD_PTR>(this);
    platform::InstallSubclass(tree_, &TreeContextMenus::TreeProc, kSubclassId, self);
    platform::InstallSubclass(list_, &TreeContextMenus::ListProc, kSubclassId, self);
    platform::InstallSubclass(panel_, &TreeContextMenus::PanelProc, kSubclassId, self);
    SetTimer(tree_, kTimerMouse, kTimerMouseInterval, nullptr);
}

TreeContextMenus::~TreeContextMenus() {
    KillTimer(tree_, kTimerMouse);
    KillTimer(tree_, kTimer1);
    platform::RemoveSubclass(tree_, &TreeContextMenus::TreeProc, kSubclassId);
    platform::RemoveSubclass(list_, &TreeContextMenus::ListProc, kSubclassId);
    platform::RemoveSubclass(panel_, &TreeContextMenus::PanelProc, kSubclassId);
}

HTREEITEM TreeContextMenus::HitTest(POINT client, UINT* flags) const {
    TVHITTESTINFO hit{};
    hit.pt = client;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) *flags = hit.flags;
    return item;
}
void TreeContextMenus::Repaint() const {
    InvalidateRect(tree_, nullptr, TRUE);
}

// TreeView1MouseDown, right button: the node under the mouse is selected, none clears the selection.
void TreeContextMenus::TreeView1MouseDown(POINT client) const {
    TreeView_SelectItem(tree_, HitTest(client, nullptr));
}
void TreeContextMenus::TreeView1StartDrag(HTREEITEM item) {
    TreeView_SelectItem(tree_, item);
    dragging_ = true;
    dragTarget_ = nullptr;
    SetCapture(tree_);
    Repaint();
}
void TreeContextMenus::TreeView1DragOver(POINT client) {
    const HTREEITEM item = HitTest(client, &dragHit_);
    if (item) {
        dragTarget_ = platform::TreeItemData<FolderTree::Node>(tree_, item);
        TreeView_SelectDropTarget(tree_, item);
    } else {
        Repaint();
    }
}
void TreeContextMenus::EndDrag() {
    dragging_ = false;
    TreeView_SelectDropTarget(tree_, nullptr);
    if (GetCapture() == tree_) ReleaseCapture();
}

void TreeContextMenus::TimerMouseTick() {
    SetTimer(tree_, kTimerMouse, kTimerMouseInterval, nullptr);
    const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool held = down && buttonWasDown_;
    buttonWasDown_ = down;
    if (!held || !IsWindowEnabled(form_.Handle())) return;
    SetTimer(tree_, kTimerMouse, kTimerMouseHeldInterval, nullptr);
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(tree_, &p);
    UINT flags = 0;
    const HTREEITEM item = HitTest(p, &flags);
    if (item && !dragging_) {
        TreeView_SelectItem(tree_, item);
        SetFocus(tree_);
    }
    if (item && (flags & TVHT_ONITEMBUTTON)) {
        TreeView_Expand(tree_, item, TVE_EXPAND);
        Repaint();
        return;
    }
    RECT rc;
    GetClientRect(tree_, &rc);
    if (p.y >= 0 && p.y < kScrollMargin) {
        SendMessageW(tree_, WM_VSCROLL, SB_LINEUP, 0);
    } else if (p.y >= rc.bottom - kScrollMargin && p.y < rc.bottom) {
        SendMessageW(tree_, WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

LRESULT CALLBACK TreeContextMenus::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) noexcept {
    auto& ui = *reinterpret_cast<TreeContextMenus*>(self);
    switch (message) {
        case WM_RBUTTONDOWN:
            platform::GuardCallback([&] { ui.TreeView1MouseDown(PointOf(lParam)); });
            return 0;
        case WM_RBUTTONUP: {
            POINT p = PointOf(lParam);
            ClientToScreen(hwnd, &p);
            platform::GuardCallback([&] { ui.form_.TreeView1MouseUp(p); });
            return 0;
        }
        case WM_CONTEXTMENU:
            return 0;
        case WM_MOUSEMOVE:
            if (ui.dragging_) {
                platform::GuardCallback([&] { ui.TreeView1DragOver(PointOf(lParam)); });
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (ui.dragging_) {
                ui.EndDrag();
                platform::GuardCallback([&] { ui.form_.TreeView1DragDropAt(PointOf(lParam)); });
                ui.Repaint();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (ui.dragging_ && reinterpret_cast<HWND>(lParam) != hwnd) {
                ui.dragging_ = false;
                TreeView_SelectDropTarget(hwnd, nullptr);
                ui.Repaint();
            }
            break;
        case WM_MOUSEWHEEL:
            SetTimer(hwnd, kTimer1, kTimer1Interval, nullptr);
            break;
        case WM_TIMER:
            if (wParam == kTimer1) {
                KillTimer(hwnd, kTimer1);
                ui.Repaint();
                return 0;
            }
            if (wParam == kTimerMouse) {
                platform::GuardCallback([&] { ui.TimerMouseTick(); });
                return 0;
            }
            break;
        default:
            break;
    }
    return platform::CallNextSubclass(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TreeContextMenus::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) noexcept {
    auto& ui = *reinterpret_cast<TreeContextMenus*>(self);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // ListBox1MouseDown: the line under the mouse, or none below the last line.
            const auto hit = static_cast<DWORD>(SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam));
            const bool outside = HIWORD(hit) != 0 || LOWORD(hit) >= ui.form_.ListLineCount();
            SendMessageW(hwnd, LB_SETCURSEL, outside ? static_cast<WPARAM>(-1) : LOWORD(hit), 0);
            if (message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) return 0;
            if (outside) {
                SetFocus(hwnd);
                return 0;
            }
            break;
        }
        case WM_RBUTTONUP: {
            POINT p = PointOf(lParam);
            ClientToScreen(hwnd, &p);
            platform::GuardCallback([&] { ui.form_.ListBox1MouseUp(p); });
            return 0;
        }
        case WM_CONTEXTMENU:
            return 0;
        default:
            break;
    }
    return platform::CallNextSubclass(hwnd, message, wParam, lParam);
}

// The tree's notifications reach its panel first.
LRESULT CALLBACK TreeContextMenus::PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) noexcept {
    auto& ui = *reinterpret_cast<TreeContextMenus*>(self);
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == ui.tree_) {
            if (header->code == TVN_BEGINDRAGW) {
                const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
                platform::GuardCallback([&] { ui.TreeView1StartDrag(tv->itemNew.hItem); });
                return 0;
            }
            if (header->code == TVN_ITEMEXPANDEDW) {  // TreeView1Expanded, TreeView1Collapsed
                ui.Repaint();
                return 0;
            }
        }
    }
    return platform::CallNextSubclass(hwnd, message, wParam, lParam);
}

}  // namespace zanmel
