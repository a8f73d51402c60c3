// The context menus of the tree and the result list, the mouse on both, dragging inside the tree and the two
// timers of the tree.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "platform/WindowSubclass.h"
#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToWide;

namespace {

constexpr UINT_PTR kTreeUiSubclassId = 2;
constexpr UINT_PTR kTimerMouse = 1;
constexpr UINT_PTR kTimer1 = 2;
constexpr UINT kTimerMouseInterval = 500;
constexpr UINT kTimerMouseHeldInterval = 100;
constexpr UINT kTimer1Interval = 10;
constexpr int kScrollMargin = 30;

// Command identifiers of the menu entries.
enum : UINT {
    NoneMenuAddFolder = 1,
    FolderMenuAllExecute,
    FolderMenuNameChange,
    FolderMenuAddLaunch,
    FolderMenuAddWEB,
    FolderMenuAddFolder,
    FolderMenuDelete,
    LauncherMenuChangeData,
    LauncherMenuDirOpen,
    LauncherMenuAddLaunch,
    LauncherMenuAddWEB,
    LauncherMenuAddFolder,
    LauncherMenuDelete,
    WEBMenuChangeData,
    WEBMenuAddLaunch,
    WEBMenuAddWEB,
    WEBMenuAddFolder,
    WEBMenuDelete,
    SFolderMenuEdit,
    SFolderMenuAddLaunch,
    SFolderMenuAddWEB,
    SFolderMenuAddFolder,
    SFolderMenuDelete,
};

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

struct TForm1::TreeUi {
    TForm1& form;
    platform::MenuHandle PopupNoneMenu{CreatePopupMenu()};
    platform::MenuHandle PopupFolderMenu{CreatePopupMenu()};
    platform::MenuHandle PopupLauncherMenu{CreatePopupMenu()};
    platform::MenuHandle PopupWEBMenu{CreatePopupMenu()};
    platform::MenuHandle PopupSpecialFolderMenu{CreatePopupMenu()};
    bool dragging = false;
    FolderTree::Node* dragTarget = nullptr;  // the node under the mouse at the last drag over
    UINT dragHit = 0;                        // TVHT_ flags of the last drag over
    bool buttonWasDown = false;              // the left button at the previous TimerMouse tick

    explicit TreeUi(TForm1& owner) : form(owner) {
        AddEntry(PopupNoneMenu.Get(), NoneMenuAddFolder, "フォルダを作成");

        AddEntry(PopupFolderMenu.Get(), FolderMenuAllExecute, "フォルダ内を一括起動");
        AddEntry(PopupFolderMenu.Get(), FolderMenuNameChange, "フォルダ名の変更");
        AddSeparator(PopupFolderMenu.Get());  // N1
        AddItemSubmenu(PopupFolderMenu.Get(), FolderMenuAddLaunch, FolderMenuAddWEB);
        AddEntry(PopupFolderMenu.Get(), FolderMenuAddFolder, "フォルダの作成(&M)");
        AddSeparator(PopupFolderMenu.Get());  // N2
        AddEntry(PopupFolderMenu.Get(), FolderMenuDelete, "フォルダの削除(&D)");

        AddEntry(PopupLauncherMenu.Get(), LauncherMenuChangeData, "編集(&E)", false);
        AddEntry(PopupLauncherMenu.Get(), LauncherMenuDirOpen, "フォルダを開く(&O)");
        AddSeparator(PopupLauncherMenu.Get());  // N3
        AddItemSubmenu(PopupLauncherMenu.Get(), LauncherMenuAddLaunch, LauncherMenuAddWEB);
        AddEntry(PopupLauncherMenu.Get(), LauncherMenuAddFolder, "フォルダの作成(&M)");
        AddSeparator(PopupLauncherMenu.Get());  // N4
        AddEntry(PopupLauncherMenu.Get(), LauncherMenuDelete, "アイテムの削除(&D)");

        AddEntry(PopupWEBMenu.Get(), WEBMenuChangeData, "編集(&E)", false);
        AddSeparator(PopupWEBMenu.Get());  // N7
        AddItemSubmenu(PopupWEBMenu.Get(), WEBMenuAddLaunch, WEBMenuAddWEB);
        AddEntry(PopupWEBMenu.Get(), WEBMenuAddFolder, "フォルダの作成(&F)");
        AddSeparator(PopupWEBMenu.Get());  // N10
        AddEntry(PopupWEBMenu.Get(), WEBMenuDelete, "アイテムの削除(&D)");

        AddEntry(PopupSpecialFolderMenu.Get(), SFolderMenuEdit, "編集(&E)", false);
        AddSeparator(PopupSpecialFolderMenu.Get());                                             // N9
        AddItemSubmenu(PopupSpecialFolderMenu.Get(), SFolderMenuAddLaunch, SFolderMenuAddWEB);  // SFolderAddItem
        AddEntry(PopupSpecialFolderMenu.Get(), SFolderMenuAddFolder, "フォルダの作成(&F)");
        AddSeparator(PopupSpecialFolderMenu.Get());  // N11
        AddEntry(PopupSpecialFolderMenu.Get(), SFolderMenuDelete, "アイテムの削除(&D)");

        const auto self = reinterpret_cast<DWORD_PTR>(this);
        platform::InstallSubclass(form.treeView1_, &TreeUi::TreeProc, kTreeUiSubclassId, self);
        platform::InstallSubclass(form.listBox1_, &TreeUi::ListProc, kTreeUiSubclassId, self);
        platform::InstallSubclass(form.panel2_->Handle(), &TreeUi::PanelProc, kTreeUiSubclassId, self);
        SetTimer(form.treeView1_, kTimerMouse, kTimerMouseInterval, nullptr);
    }
    ~TreeUi() {
        KillTimer(form.treeView1_, kTimerMouse);
        KillTimer(form.treeView1_, kTimer1);
        platform::RemoveSubclass(form.treeView1_, &TreeUi::TreeProc, kTreeUiSubclassId);
        platform::RemoveSubclass(form.listBox1_, &TreeUi::ListProc, kTreeUiSubclassId);
        platform::RemoveSubclass(form.panel2_->Handle(), &TreeUi::PanelProc, kTreeUiSubclassId);
    }
    TreeUi(const TreeUi&) = delete;
    TreeUi& operator=(const TreeUi&) = delete;

    HTREEITEM HitTest(POINT client, UINT* flags) const {
        TVHITTESTINFO hit{};
        hit.pt = client;
        const auto item =
            reinterpret_cast<HTREEITEM>(SendMessageW(form.treeView1_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (flags) *flags = hit.flags;
        return item;
    }
    void Repaint() const { InvalidateRect(form.treeView1_, nullptr, TRUE); }

    // TreeView1MouseDown, right button: the node under the mouse is selected, none clears the selection.
    void TreeView1MouseDown(POINT client) const { TreeView_SelectItem(form.treeView1_, HitTest(client, nullptr)); }
    void TreeView1StartDrag(HTREEITEM item) {
        TreeView_SelectItem(form.treeView1_, item);
        dragging = true;
        dragTarget = nullptr;
        SetCapture(form.treeView1_);
        Repaint();
    }
    void TreeView1DragOver(POINT client) {
        const HTREEITEM item = HitTest(client, &dragHit);
        if (item) {
            dragTarget = form.NodeOf(item);
            TreeView_SelectDropTarget(form.treeView1_, item);
        } else {
            Repaint();
        }
    }
    void EndDrag() {
        dragging = false;
        TreeView_SelectDropTarget(form.treeView1_, nullptr);
        if (GetCapture() == form.treeView1_) ReleaseCapture();
    }

    void TimerMouseTick() {
        SetTimer(form.treeView1_, kTimerMouse, kTimerMouseInterval, nullptr);
        const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        const bool held = down && buttonWasDown;
        buttonWasDown = down;
        if (!held || !IsWindowEnabled(form.Handle())) return;
        SetTimer(form.treeView1_, kTimerMouse, kTimerMouseHeldInterval, nullptr);
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(form.treeView1_, &p);
        UINT flags = 0;
        const HTREEITEM item = HitTest(p, &flags);
        if (item && !dragging) {
            TreeView_SelectItem(form.treeView1_, item);
            SetFocus(form.treeView1_);
        }
        if (item && (flags & TVHT_ONITEMBUTTON)) {
            TreeView_Expand(form.treeView1_, item, TVE_EXPAND);
            Repaint();
            return;
        }
        RECT rc;
        GetClientRect(form.treeView1_, &rc);
        if (p.y >= 0 && p.y < kScrollMargin) {
            SendMessageW(form.treeView1_, WM_VSCROLL, SB_LINEUP, 0);
        } else if (p.y >= rc.bottom - kScrollMargin && p.y < rc.bottom) {
            SendMessageW(form.treeView1_, WM_VSCROLL, SB_LINEDOWN, 0);
        }
    }

    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) noexcept {
        auto& ui = *reinterpret_cast<TreeUi*>(self);
        switch (message) {
            case WM_RBUTTONDOWN:
                platform::GuardCallback([&] { ui.TreeView1MouseDown(PointOf(lParam)); });
                return 0;
            case WM_RBUTTONUP: {
                POINT p = PointOf(lParam);
                ClientToScreen(hwnd, &p);
                platform::GuardCallback([&] { ui.form.TreeView1MouseUp(p); });
                return 0;
            }
            case WM_CONTEXTMENU:
                return 0;
            case WM_MOUSEMOVE:
                if (ui.dragging) {
                    platform::GuardCallback([&] { ui.TreeView1DragOver(PointOf(lParam)); });
                    return 0;
                }
                break;
            case WM_LBUTTONUP:
                if (ui.dragging) {
                    ui.EndDrag();
                    platform::GuardCallback([&] { ui.form.TreeView1DragDropAt(PointOf(lParam)); });
                    ui.Repaint();
                    return 0;
                }
                break;
            case WM_CAPTURECHANGED:
                if (ui.dragging && reinterpret_cast<HWND>(lParam) != hwnd) {
                    ui.dragging = false;
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

    static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) noexcept {
        auto& ui = *reinterpret_cast<TreeUi*>(self);
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN: {
                // ListBox1MouseDown: the line under the mouse, or none below the last line.
                const auto hit = static_cast<DWORD>(SendMessageW(hwnd, LB_ITEMFROMPOINT, 0, lParam));
                const bool outside = HIWORD(hit) != 0 || LOWORD(hit) >= ui.form.listLines_.size();
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
                platform::GuardCallback([&] { ui.form.ListBox1MouseUp(p); });
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
    static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) noexcept {
        auto& ui = *reinterpret_cast<TreeUi*>(self);
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == ui.form.treeView1_) {
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
};

void TForm1::InstallTreeUi() {
    if (!treeUi_) treeUi_ = std::make_shared<TreeUi>(*this);
}

HMENU TForm1::ContextMenuFor(const FolderTree::Node* node) const {
    if (!node) return treeUi_->PopupNoneMenu.Get();
    if (node->IsFolder()) return treeUi_->PopupFolderMenu.Get();
    const std::string kind(deps_.keyWords.KindOf(node->text));
    if (kind == "Launch") return treeUi_->PopupLauncherMenu.Get();
    if (kind == "WEB") return treeUi_->PopupWEBMenu.Get();
    if (kind == "SpecialFolder") return treeUi_->PopupSpecialFolderMenu.Get();
    return nullptr;
}

void TForm1::TreeView1MouseUp(POINT screen) {
    currentNode_ = SelectedNode();
    const HMENU menu = ContextMenuFor(currentNode_);
    if (!menu) return;
    // The item dialogs' entries, with the dialogs there or not (tests of single parts have none).
    const UINT launchState = windows_.formZanmel ? MF_ENABLED : MF_GRAYED;
    for (const UINT id :
         {FolderMenuAddLaunch, LauncherMenuAddLaunch, WEBMenuAddLaunch, SFolderMenuAddLaunch, LauncherMenuChangeData})
        EnableMenuItem(menu, id, MF_BYCOMMAND | launchState);
    const UINT webState = windows_.formWEB ? MF_ENABLED : MF_GRAYED;
    for (const UINT id : {FolderMenuAddWEB, LauncherMenuAddWEB, WEBMenuAddWEB, SFolderMenuAddWEB, WEBMenuChangeData})
        EnableMenuItem(menu, id, MF_BYCOMMAND | webState);
    EnableMenuItem(menu, SFolderMenuEdit, MF_BYCOMMAND | (windows_.formSpecialFolder ? MF_ENABLED : MF_GRAYED));
    const UINT id =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                                         screen.y, 0, Handle(), nullptr));
    if (id) MenuCommand(id);
}

// The tree node of the list's selected line: the last node in tree order with its text. Without a selected
// line the tree's selection is cleared; without a matching node it stays.
void TForm1::SelectListLineNode(bool focusTree) {
    const LRESULT selection = SendMessageW(listBox1_, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || static_cast<std::size_t>(selection) >= listLines_.size()) {
        TreeView_SelectItem(treeView1_, nullptr);
        return;
    }
    if (FolderTree::Node* node = tree_.FindLast(listLines_[static_cast<std::size_t>(selection)])) {
        TreeView_SelectItem(treeView1_, ItemOf(node));
    }
    if (focusTree) SetFocus(treeView1_);
}

void TForm1::ListBox1MouseUp(POINT screen) {
    SelectListLineNode(true);
    TreeView1MouseUp(screen);
}

void TForm1::MenuCommand(UINT id) {
    switch (id) {
        case NoneMenuAddFolder:
        case FolderMenuAddFolder:
        case LauncherMenuAddFolder:
        case WEBMenuAddFolder:
        case SFolderMenuAddFolder:
            MakeNewFolder();
            break;
        case FolderMenuAllExecute:
            FolderMenuAllExecuteClick();
            break;
        case FolderMenuNameChange:
            FolderMenuNameChangeClick();
            break;
        case FolderMenuDelete:
            FolderMenuDeleteClick();
            break;
        case LauncherMenuDirOpen:
            LauncherMenuDirOpenClick();
            break;
        case LauncherMenuDelete:
        case WEBMenuDelete:
        case SFolderMenuDelete:
            ItemDeleteClick();
            break;
        case FolderMenuAddLaunch:
            LaunchAddFromFolder();
            break;
        case LauncherMenuAddLaunch:
        case WEBMenuAddLaunch:
        case SFolderMenuAddLaunch:
            LaunchAddFromItem();
            break;
        case LauncherMenuChangeData:
            LauncherMenuChangeDataClick();
            break;
        case FolderMenuAddWEB:
            WebAddFromFolder();
            break;
        case LauncherMenuAddWEB:
        case WEBMenuAddWEB:
        case SFolderMenuAddWEB:
            WebAddFromItem();
            break;
        case WEBMenuChangeData:
            WEBMenuChangeDataClick();
            break;
        case SFolderMenuEdit:
            MenuSetSFolderClick();
            break;
        default:
            break;  // the other dialogs' entries stay disabled until their dialogs exist
    }
}

std::vector<HMENU> TForm1::ContextMenus() const {
    return {treeUi_->PopupFolderMenu.Get(), treeUi_->PopupLauncherMenu.Get(), treeUi_->PopupNoneMenu.Get(),
            treeUi_->PopupWEBMenu.Get(), treeUi_->PopupSpecialFolderMenu.Get()};
}

TForm1::TreeDrag TForm1::TreeDragState() const {
    if (!treeUi_ || !treeUi_->dragging) return {};
    return {true, treeUi_->dragTarget, treeUi_->dragHit};
}

}  // namespace zanmel
