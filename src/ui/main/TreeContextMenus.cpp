// The tree's context menus, the mouse on the tree and the result list, dragging inside the tree and the two
// timers of the tree.
#include "ui/main/TreeContextMenus.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <optional>

#include "core/TreePlacement.h"
#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"
#include "platform/WindowSubclass.h"
#include "ui/main/MainMenus.h"
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

using Menu = TreeContextMenus::Menu;
using enum TreeContextMenus::Menu;
// The dialog an entry opens: the entry is enabled only when the program has it.
enum class Needs { Nothing, LauncherDialog, WebDialog, SpecialFolderDialog };
enum class Line { Entry, Separator, ItemSubmenu, SubmenuEntry };

// One line of the context menus; the command of an entry is its row's index + 1. A submenu entry goes into the
// "アイテムの登録(&A)" submenu last started in its menu.
struct Row {
    Menu menu;
    Line line;
    const char* caption = nullptr;
    Needs needs = Needs::Nothing;
    void (*run)(TForm1&) = nullptr;
};

template <void (TForm1::*Command)()>
void Call(TForm1& form) {
    (form.*Command)();
}

// New item (at a placement) or edit of the current item (kEdit) in an item dialog.
constexpr int kEdit = -1;
template <ItemDialogKind Kind, int Placement>
void OpenItem(TForm1& form) {
    form.OpenItemDialog(Kind, Placement == kEdit ? std::nullopt : std::optional<std::uint8_t>(Placement));
}

void EditSpecialFolder(TForm1& form) {
    ui::RunMenuCommand(ui::MenuSetSFolder, form);
}

constexpr auto kLaunch = ItemDialogKind::Launcher;
constexpr auto kWeb = ItemDialogKind::Web;
constexpr Row Entry(Menu menu, const char* caption, void (*run)(TForm1&), Needs needs = Needs::Nothing) {
    return {menu, Line::Entry, caption, needs, run};
}
constexpr Row Separator(Menu menu) {
    return {menu, Line::Separator};
}
constexpr Row ItemSubmenu(Menu menu) {
    return {menu, Line::ItemSubmenu, "アイテムの登録(&A)"};
}
// The submenu's two entries: before the current item, or into the current folder.
constexpr Row AddLaunch(Menu menu, bool intoFolder) {
    return {menu, Line::SubmenuEntry, "ランチャ登録", Needs::LauncherDialog,
            intoFolder ? &OpenItem<kLaunch, kPlaceInSelectedFolder> : &OpenItem<kLaunch, kPlaceBeforeSelected>};
}
constexpr Row AddWeb(Menu menu, bool intoFolder) {
    return {menu, Line::SubmenuEntry, "WEB登録", Needs::WebDialog,
            intoFolder ? &OpenItem<kWeb, kPlaceInSelectedFolder> : &OpenItem<kWeb, kPlaceBeforeSelected>};
}

constexpr Row kRows[] = {
    Entry(kNoneMenu, "フォルダを作成", &Call<&TForm1::MakeNewFolder>),

    Entry(kFolderMenu, "フォルダ内を一括起動", &Call<&TForm1::FolderMenuAllExecuteClick>),
    Entry(kFolderMenu, "フォルダ名の変更", &Call<&TForm1::FolderMenuNameChangeClick>),
    Separator(kFolderMenu),
    ItemSubmenu(kFolderMenu),
    AddLaunch(kFolderMenu, true),
    AddWeb(kFolderMenu, true),
    Entry(kFolderMenu, "フォルダの作成(&M)", &Call<&TForm1::MakeNewFolder>),
    Separator(kFolderMenu),
    Entry(kFolderMenu, "フォルダの削除(&D)", &Call<&TForm1::FolderMenuDeleteClick>),

    Entry(kLauncherMenu, "編集(&E)", &OpenItem<kLaunch, kEdit>, Needs::LauncherDialog),
    Entry(kLauncherMenu, "フォルダを開く(&O)", &Call<&TForm1::LauncherMenuDirOpenClick>),
    Separator(kLauncherMenu),
    ItemSubmenu(kLauncherMenu),
    AddLaunch(kLauncherMenu, false),
    AddWeb(kLauncherMenu, false),
    Entry(kLauncherMenu, "フォルダの作成(&M)", &Call<&TForm1::MakeNewFolder>),
    Separator(kLauncherMenu),
    Entry(kLauncherMenu, "アイテムの削除(&D)", &Call<&TForm1::ItemDeleteClick>),

    Entry(kWebMenu, "編集(&E)", &OpenItem<kWeb, kEdit>, Needs::WebDialog),
    Separator(kWebMenu),
    ItemSubmenu(kWebMenu),
    AddLaunch(kWebMenu, false),
    AddWeb(kWebMenu, false),
    Entry(kWebMenu, "フォルダの作成(&F)", &Call<&TForm1::MakeNewFolder>),
    Separator(kWebMenu),
    Entry(kWebMenu, "アイテムの削除(&D)", &Call<&TForm1::ItemDeleteClick>),

    Entry(kSpecialFolderMenu, "編集(&E)", &EditSpecialFolder, Needs::SpecialFolderDialog),
    Separator(kSpecialFolderMenu),
    ItemSubmenu(kSpecialFolderMenu),
    AddLaunch(kSpecialFolderMenu, false),
    AddWeb(kSpecialFolderMenu, false),
    Entry(kSpecialFolderMenu, "フォルダの作成(&F)", &Call<&TForm1::MakeNewFolder>),
    Separator(kSpecialFolderMenu),
    Entry(kSpecialFolderMenu, "アイテムの削除(&D)", &Call<&TForm1::ItemDeleteClick>),
};

bool Available(Needs needs, const TForm1::Windows& windows) {
    if (needs == Needs::LauncherDialog) return windows.formZanmel != nullptr;
    if (needs == Needs::WebDialog) return windows.formWEB != nullptr;
    return needs != Needs::SpecialFolderDialog || windows.formSpecialFolder != nullptr;
}

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
POINT ScreenPointOf(HWND window, LPARAM lParam) {
    POINT p = PointOf(lParam);
    ClientToScreen(window, &p);
    return p;
}

}  // namespace

TreeContextMenus::TreeContextMenus(TForm1& form)
    : form_(form), tree_(form.TreeView1()), list_(form.ListBox1()), panel_(form.Panel2()) {
    for (platform::MenuHandle& menu : menus_) menu = platform::MenuHandle(CreatePopupMenu());
    HMENU submenu = nullptr;
    for (UINT command = 1; const Row& row : kRows) {
        const HMENU menu = menus_[row.menu].Get();
        if (row.line == Line::Separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (row.line == Line::ItemSubmenu) {
            platform::MenuHandle owned(CreatePopupMenu());
            // Appended, the submenu goes with its parent.
            if (AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(owned.Get()), ToWide(row.caption).c_str()))
                submenu = owned.Release();
        } else {
            // An entry whose dialog is not there yet shows disabled until the menu opens.
            const UINT state = row.needs == Needs::Nothing ? MF_ENABLED : MF_GRAYED;
            AppendMenuW(row.line == Line::SubmenuEntry ? submenu : menu, MF_STRING | state, command,
                        ToWide(row.caption).c_str());
        }
        ++command;
    }

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

void TreeContextMenus::Open(HMENU menu, POINT screen) {
    const TForm1::Windows& windows = form_.AttachedWindows();
    for (UINT command = 1; const Row& row : kRows) {
        if (row.needs != Needs::Nothing) {
            EnableMenuItem(menus_[row.menu].Get(), command,
                           MF_BYCOMMAND | (Available(row.needs, windows) ? MF_ENABLED : MF_GRAYED));
        }
        ++command;
    }
    const auto chosen =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                                         screen.y, 0, form_.Handle(), nullptr));
    if (chosen >= 1 && chosen <= std::size(kRows) && kRows[chosen - 1].run) kRows[chosen - 1].run(form_);
}

void TreeContextMenus::Repaint() const {
    InvalidateRect(tree_, nullptr, TRUE);
}

// TreeView1MouseDown, right button: the node under the mouse is selected, none clears the selection.
void TreeContextMenus::TreeView1MouseDown(POINT client) const {
    TreeView_SelectItem(tree_, platform::TreeItemAt(tree_, client));
}
void TreeContextMenus::TreeView1StartDrag(HTREEITEM item) {
    TreeView_SelectItem(tree_, item);
    drag_.dragging = true;
    drag_.target = nullptr;
    SetCapture(tree_);
    Repaint();
}
void TreeContextMenus::TreeView1DragOver(POINT client) {
    const HTREEITEM item = platform::TreeItemAt(tree_, client, &drag_.hit);
    if (item) {
        drag_.target = platform::TreeItemData<FolderTree::Node>(tree_, item);
        TreeView_SelectDropTarget(tree_, item);
    } else {
        Repaint();
    }
}
void TreeContextMenus::EndDrag() {
    drag_.dragging = false;
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
    const HTREEITEM item = platform::TreeItemAt(tree_, p, &flags);
    if (item && !drag_.dragging) {
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
        case WM_RBUTTONUP:
            platform::GuardCallback([&] { ui.form_.TreeView1MouseUp(ScreenPointOf(hwnd, lParam)); });
            return 0;
        case WM_CONTEXTMENU:
            return 0;
        case WM_MOUSEMOVE:
            if (ui.drag_.dragging) {
                platform::GuardCallback([&] { ui.TreeView1DragOver(PointOf(lParam)); });
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (ui.drag_.dragging) {
                ui.EndDrag();
                platform::GuardCallback([&] { ui.form_.TreeView1DragDropAt(PointOf(lParam)); });
                ui.Repaint();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (ui.drag_.dragging && reinterpret_cast<HWND>(lParam) != hwnd) {
                ui.drag_.dragging = false;
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
        case WM_RBUTTONUP:
            platform::GuardCallback([&] { ui.form_.ListBox1MouseUp(ScreenPointOf(hwnd, lParam)); });
            return 0;
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
