#include "ui/dialogs/UnitFolderPicker.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/LaunchWordData.h"
#include "core/TreePlacement.h"
#include "core/ZanmelError.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TForm3";
constexpr int kWidth = 340;
constexpr int kHeight = 460;
constexpr int kPanelHeight = 40;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 7;
constexpr int kScrollMargin = 14;

HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, HFONT font,
                 DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!child) throw ZanmelError("TForm3", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

TForm3::TForm3(TreeHost& host, UserInterface& ui) : host_(host), ui_(ui), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, L"Form3", WS_OVERLAPPEDWINDOW, 0, CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight,
           host.MainWindow());
    platform::EnableDialogNavigation(Handle());
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // No label editing; nodes are dragged (TVN_BEGINDRAG) and dropped by this window.
    treeView1_ = CreateChild(Handle(), WC_TREEVIEWW, L"",
                             TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                             kPickerTreeId, font, WS_EX_CLIENTEDGE);
    button1_ = CreateChild(Handle(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kPickerButton1Id, font);
    button2_ = CreateChild(Handle(), L"BUTTON", ToWide("一番下に追加").c_str(), BS_PUSHBUTTON | WS_TABSTOP,
                           kPickerButton2Id, font);
    btnUp_ = CreateChild(Handle(), L"BUTTON", ToWide("↑").c_str(), BS_PUSHBUTTON | WS_TABSTOP, kPickerBtnUpId, font);
    btnDown_ =
        CreateChild(Handle(), L"BUTTON", ToWide("↓").c_str(), BS_PUSHBUTTON | WS_TABSTOP, kPickerBtnDownId, font);
    popupMenu1_ = CreatePopupMenu();
    AppendMenuW(popupMenu1_, MF_STRING, kPickerAddFolderId, ToWide("フォルダを追加").c_str());  // PopMenuAddFolder
    Layout();
}

TForm3::~TForm3() {
    if (popupMenu1_) DestroyMenu(popupMenu1_);
}

void TForm3::Layout() {
    RECT rc;
    GetClientRect(Handle(), &rc);
    const int treeHeight = std::max<int>(0, rc.bottom - kPanelHeight);
    MoveWindow(treeView1_, 0, 0, rc.right, treeHeight, TRUE);
    const int y = treeHeight + (kPanelHeight - kButtonHeight) / 2;
    MoveWindow(button1_, kMargin, y, 70, kButtonHeight, TRUE);
    MoveWindow(button2_, kMargin + 76, y, 100, kButtonHeight, TRUE);
    MoveWindow(btnUp_, kMargin + 182, y, 34, kButtonHeight, TRUE);
    MoveWindow(btnDown_, kMargin + 222, y, 34, kButtonHeight, TRUE);
}

bool TForm3::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void TForm3::Show() {
    working_ = host_.Tree().Clone();
    dragging_ = false;
    TreeView_SetImageList(treeView1_, host_.ImageList1(), TVSIL_NORMAL);
    FillView();
    placed_ = false;
    EnableWindow(host_.MainWindow(), FALSE);
    ShowOverOwner(Handle());
    if (!working_.Empty()) {
        SelectNode(working_.Roots().front().get());
        SetFocus(treeView1_);
    }
}

void TForm3::Hide() {
    if (!IsShown()) return;
    if (!placed_) AddNewItemNode(working_.AppendChild(nullptr, keyword_));  // a registered item always gets a node
    if (dragging_ && GetCapture() == Handle()) ReleaseCapture();
    // The main window comes back before this one hides, so the activation returns to it.
    EnableWindow(host_.MainWindow(), TRUE);
    ShowWindow(Handle(), SW_HIDE);
    TreeView_DeleteAllItems(treeView1_);  // its items point into the working copy, which moves away now
    host_.ReplaceTree(std::move(working_));
    working_ = FolderTree();
    if (caller_) {
        EnableWindow(caller_, TRUE);
        ShowWindow(caller_, SW_HIDE);
    }
    host_.SaveTree();
    host_.RefreshResultList();
}

// The new item's node, with the icon map's image for its icon number.
void TForm3::AddNewItemNode(FolderTree::Node* node) {
    std::int32_t number = 0;
    int index = ParseInt32(iconNumber_, number) ? host_.IconIndex(number) : -1;
    if (index < 0) index = host_.IconIndex(0);
    node->imageIndex = node->selectedImageIndex = index;
    placed_ = true;
}

void TForm3::Button1Click() {
    FolderTree::Node* selected = SelectedNode();
    if (!selected) return;
    AddNewItemNode(PlaceInPicker(working_, selected, keyword_));
    Hide();
}

void TForm3::Button2Click() {
    AddNewItemNode(working_.AppendChild(nullptr, keyword_));
    Hide();
}

void TForm3::BtnUpClick() {
    FolderTree::Node* node = SelectedNode();
    if (node && MoveUp(working_, node)) Refresh(node);
}

void TForm3::BtnDownClick() {
    FolderTree::Node* node = SelectedNode();
    if (node && MoveDown(working_, node)) Refresh(node);
}

void TForm3::PopMenuAddFolderClick() {
    std::string name;
    for (;;) {
        auto answer = ui_.QueryText("新規フォルダを作成します", "フォルダ名を入力して下さい", name);
        if (!answer) return;
        name = std::move(*answer);
        if (!working_.FindFirst("#" + name)) break;
        ui_.ShowMessage("フォルダ名が重複しています。");
    }
    // In an empty tree (nothing selected) the folder becomes the first node.
    FolderTree::Node* folder = working_.InsertBefore(SelectedNode(), "#" + name);
    folder->imageIndex = folder->selectedImageIndex = host_.IconIndex(1);
    Refresh(folder);
}

bool TForm3::TreeView1DragDrop(FolderTree::Node* target) {
    const PickerDrop drop = DropInPicker(working_, SelectedNode(), target);
    if (!drop.moved) return false;
    FolderTree::Node* moved = SelectedNode();
    drop.expand->expanded = true;
    Refresh(moved);
    return true;
}

// The view mirrors the working copy: the top level and the children of open folders; a folder's children
// enter the view when it is first opened.
HTREEITEM TForm3::InsertItem(FolderTree::Node* node, HTREEITEM parent) {
    const std::wstring text = ToWide(node->text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.iImage = insert.item.iSelectedImage = host_.NodeImageIndex(node);
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = node->expanded ? TVIS_EXPANDED : 0;
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(treeView1_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node->expanded) PopulateChildren(item, node);
    return item;
}

void TForm3::PopulateChildren(HTREEITEM item, FolderTree::Node* node) {
    if (!item || !node || node->children.empty() || TreeView_GetChild(treeView1_, item)) return;
    for (const auto& child : node->children) InsertItem(child.get(), item);
}

void TForm3::FillView() {
    SendMessageW(treeView1_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(treeView1_);
    for (const auto& root : working_.Roots()) InsertItem(root.get(), TVI_ROOT);
    SendMessageW(treeView1_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(treeView1_, nullptr, TRUE);
}

void TForm3::Refresh(FolderTree::Node* node) {
    FillView();
    SelectNode(node);
}

// By position among the siblings at every level, filling folders on the way.
HTREEITEM TForm3::ItemOf(const FolderTree::Node* node) {
    if (!node) return nullptr;
    std::vector<const FolderTree::Node*> path;
    for (const FolderTree::Node* n = node; n; n = n->parent) path.push_back(n);
    HTREEITEM item = TreeView_GetRoot(treeView1_);
    for (auto it = path.rbegin(); it != path.rend() && item; ++it) {
        for (std::size_t i = working_.IndexOf(*it); i > 0 && item; --i)
            item = TreeView_GetNextSibling(treeView1_, item);
        if (it + 1 != path.rend() && item) {
            PopulateChildren(item, const_cast<FolderTree::Node*>(*it));
            item = TreeView_GetChild(treeView1_, item);
        }
    }
    return item;
}

FolderTree::Node* TForm3::NodeOf(HTREEITEM item) const {
    return platform::TreeItemData<FolderTree::Node>(treeView1_, item);
}

FolderTree::Node* TForm3::SelectedNode() const {
    return NodeOf(TreeView_GetSelection(treeView1_));
}

void TForm3::SelectNode(FolderTree::Node* node) {
    const HTREEITEM item = ItemOf(node);
    TreeView_SelectItem(treeView1_, item);
    if (item) TreeView_EnsureVisible(treeView1_, item);
}

FolderTree::Node* TForm3::NodeAt(POINT treeClient, UINT* flags) const {
    TVHITTESTINFO hit{};
    hit.pt = treeClient;
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(treeView1_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) *flags = hit.flags;
    return item && (hit.flags & TVHT_ONITEM) ? NodeOf(item) : nullptr;
}

// While dragging: the node under the mouse is marked as the drop target; near the top or bottom edge the tree
// scrolls one line per move.
void TForm3::DragOver(POINT treeClient) {
    TVHITTESTINFO hit{};
    hit.pt = treeClient;
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(treeView1_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    TreeView_SelectDropTarget(treeView1_, item && (hit.flags & TVHT_ONITEM) ? item : nullptr);
    SetCursor(LoadCursorW(nullptr, item && (hit.flags & TVHT_ONITEM) ? IDC_ARROW : IDC_NO));
    RECT rc;
    GetClientRect(treeView1_, &rc);
    if (treeClient.y < kScrollMargin) {
        SendMessageW(treeView1_, WM_VSCROLL, SB_LINEUP, 0);
    } else if (treeClient.y >= rc.bottom - kScrollMargin) {
        SendMessageW(treeView1_, WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

LRESULT TForm3::TreeNotify(const NMHDR* header) {
    switch (header->code) {
        case TVN_ITEMEXPANDINGW: {
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
            if (change->action & TVE_EXPAND) PopulateChildren(change->itemNew.hItem, NodeOf(change->itemNew.hItem));
            return FALSE;
        }
        case TVN_ITEMEXPANDEDW: {
            // Kept in the node, so a rebuilt view opens the same folders.
            const auto* change = reinterpret_cast<const NMTREEVIEWW*>(header);
            if (FolderTree::Node* node = NodeOf(change->itemNew.hItem))
                node->expanded = (change->itemNew.state & TVIS_EXPANDED) != 0;
            return 0;
        }
        case TVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(const_cast<NMHDR*>(header));
            if (info->item.mask & TVIF_CHILDREN) {
                const auto* node = reinterpret_cast<const FolderTree::Node*>(info->item.lParam);
                info->item.cChildren = node && !node->children.empty() ? 1 : 0;
            }
            return 0;
        }
        case TVN_BEGINDRAGW: {
            const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(header);
            TreeView_SelectItem(treeView1_, tv->itemNew.hItem);
            dragging_ = true;
            SetCapture(Handle());
            return 0;
        }
        case NM_RCLICK: {
            POINT p;
            GetCursorPos(&p);
            const UINT id = static_cast<UINT>(
                TrackPopupMenu(popupMenu1_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, p.x, p.y, 0,
                               Handle(), nullptr));
            if (id == kPickerAddFolderId) PopMenuAddFolderClick();
            return TRUE;
        }
        default:
            return 0;
    }
}

LRESULT TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == treeView1_) return TreeNotify(header);
            break;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kPickerButton1Id:
                case IDOK:  // Enter
                    Button1Click();
                    return 0;
                case IDCANCEL:  // Esc closes as the close box does
                    Hide();
                    return 0;
                case kPickerButton2Id:
                    Button2Click();
                    return 0;
                case kPickerBtnUpId:
                    BtnUpClick();
                    return 0;
                case kPickerBtnDownId:
                    BtnDownClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_MOUSEMOVE:
            if (dragging_) {
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(Handle(), treeView1_, &p, 1);
                DragOver(p);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (dragging_) {
                dragging_ = false;
                TreeView_SelectDropTarget(treeView1_, nullptr);
                ReleaseCapture();
                POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                MapWindowPoints(Handle(), treeView1_, &p, 1);
                if (FolderTree::Node* target = NodeAt(p)) TreeView1DragDrop(target);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) {
                dragging_ = false;
                TreeView_SelectDropTarget(treeView1_, nullptr);
            }
            break;
        case WM_CLOSE:
            // The picker lives until exit: closing files the item and hides it.
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
