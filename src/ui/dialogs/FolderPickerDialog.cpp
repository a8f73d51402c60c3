#include "ui/dialogs/FolderPickerDialog.h"

#include <windowsx.h>

#include <algorithm>

#include "core/TreePlacement.h"
#include "platform/TextCodec.h"
#include "platform/TreeViewItem.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr int kPanelHeight = 40;  // the button row below the tree, at 96 DPI
constexpr int kScrollMargin = 14;

}  // namespace

TForm3::TForm3(TreeHost& host, UserInterface& ui)
    : DialogWindow({.className = L"TForm3",
                    .caption = "Form3",
                    .clientWidth = 324,
                    .clientHeight = 420,
                    .owner = host.MainWindow(),
                    .style = WS_OVERLAPPEDWINDOW,
                    .exStyle = 0}),
      host_(host),
      ui_(ui),
      popupMenu1_(CreatePopupMenu()) {
    using F = TForm3;
    // No label editing; nodes are dragged (TVN_BEGINDRAG) and dropped by this window. "一番下に追加" is hiding,
    // which files the new item at the end of the top level.
    // clang-format off
    AddControls<F>(*this, {
        {WC_TREEVIEWW, "", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
         {0, 0, 324, 380}, kPickerTreeId, WS_EX_CLIENTEDGE},
        {L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {7, 387, 70, 26}, kPickerButton1Id, 0, &F::Button1Click},
        {L"BUTTON", "一番下に追加", kButton, {83, 387, 100, 26}, kPickerButton2Id, 0, &F::Hide},
        {L"BUTTON", "↑", kButton, {189, 387, 34, 26}, kPickerBtnUpId, 0, &F::BtnUpClick},
        {L"BUTTON", "↓", kButton, {229, 387, 34, 26}, kPickerBtnDownId, 0, &F::BtnDownClick},
    });
    // clang-format on
    // PopMenuAddFolder
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kPickerAddFolderId, ToWide("フォルダを追加").c_str());
}

void TForm3::Layout() {
    RECT rc;
    GetClientRect(Handle(), &rc);
    const auto unscale = [this](int pixels) {
        return MulDiv(pixels, static_cast<int>(kBaseDpi), static_cast<int>(Dpi()));
    };
    const int width = unscale(rc.right);
    const int treeHeight = std::max(0, unscale(rc.bottom) - kPanelHeight);
    MoveControl(kPickerTreeId, {0, 0, width, treeHeight});
    for (const int id : {kPickerButton1Id, kPickerButton2Id, kPickerBtnUpId, kPickerBtnDownId}) {
        LayoutRect at = PlaceOf(id);
        at.y = treeHeight + (kPanelHeight - at.height) / 2;
        MoveControl(id, at);
    }
}

void TForm3::Show(HWND caller, std::string keyword, std::int32_t iconNumber) {
    caller_ = caller;
    keyword_ = std::move(keyword);
    iconNumber_ = iconNumber;
    working_ = host_.Tree().Clone();
    dragging_ = false;
    TreeView_SetImageList(TreeView1(), host_.ImageList1(), TVSIL_NORMAL);
    placed_ = false;
    Refresh(working_.Empty() ? nullptr : working_.Roots().front().get());
    OpenOverOwner(working_.Empty() ? 0 : kPickerTreeId);
}

void TForm3::Hide() {
    if (!IsShown()) return;
    if (!placed_) AddNewItemNode(working_.AppendChild(nullptr, keyword_));  // a registered item always gets a node
    if (dragging_ && GetCapture() == Handle()) ReleaseCapture();
    HideToOwner();
    TreeView_DeleteAllItems(TreeView1());  // its items point into the working copy, which moves away now
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
    int index = host_.IconIndex(iconNumber_);
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

void TForm3::BtnUpClick() {
    FolderTree::Node* node = SelectedNode();
    if (node && MoveUp(working_, node)) Refresh(node);
}

void TForm3::BtnDownClick() {
    FolderTree::Node* node = SelectedNode();
    if (node && MoveDown(working_, node)) Refresh(node);
}

void TForm3::PopMenuAddFolderClick() {
    // The prompt and the messages belong to the active dialog of the main window: this one, so that the picker
    // behind them takes no click.
    SetActiveWindow(Handle());
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
    std::wstring text = ToWide(node->text);
    // The view is rebuilt after every change of the working copy, so whether a node has children is known here.
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
    insert.item.cChildren = node->children.empty() ? 0 : 1;
    insert.item.pszText = text.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.iImage = insert.item.iSelectedImage = host_.NodeImageIndex(node);
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = node->expanded ? TVIS_EXPANDED : 0;
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(TreeView1(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (node->expanded) PopulateChildren(item, node);
    return item;
}

void TForm3::PopulateChildren(HTREEITEM item, FolderTree::Node* node) {
    if (!item || !node || node->children.empty() || TreeView_GetChild(TreeView1(), item)) return;
    for (const auto& child : node->children) InsertItem(child.get(), item);
}

void TForm3::Refresh(FolderTree::Node* node) {
    SendMessageW(TreeView1(), WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(TreeView1());
    for (const auto& root : working_.Roots()) InsertItem(root.get(), TVI_ROOT);
    SendMessageW(TreeView1(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(TreeView1(), nullptr, TRUE);
    SelectNode(node);
}

// By position among the siblings at every level, filling folders on the way.
HTREEITEM TForm3::ItemOf(const FolderTree::Node* node) {
    if (!node) return nullptr;
    HTREEITEM item = TreeView_GetRoot(TreeView1());
    if (node->parent) {
        const HTREEITEM parent = ItemOf(node->parent);
        PopulateChildren(parent, node->parent);
        item = parent ? TreeView_GetChild(TreeView1(), parent) : nullptr;
    }
    for (std::size_t i = working_.IndexOf(node); i > 0 && item; --i) item = TreeView_GetNextSibling(TreeView1(), item);
    return item;
}

FolderTree::Node* TForm3::NodeOf(HTREEITEM item) const {
    return platform::TreeItemData<FolderTree::Node>(TreeView1(), item);
}

FolderTree::Node* TForm3::SelectedNode() const {
    return NodeOf(TreeView_GetSelection(TreeView1()));
}

void TForm3::SelectNode(FolderTree::Node* node) {
    const HTREEITEM item = ItemOf(node);
    TreeView_SelectItem(TreeView1(), item);
    if (item) TreeView_EnsureVisible(TreeView1(), item);
}

POINT TForm3::TreePoint(LPARAM clientPoint) const {
    POINT p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    MapWindowPoints(Handle(), TreeView1(), &p, 1);
    return p;
}

void TForm3::EndDrag() {
    dragging_ = false;
    TreeView_SelectDropTarget(TreeView1(), nullptr);
}

HTREEITEM TForm3::ItemAt(POINT treeClient) const {
    UINT flags = 0;
    const HTREEITEM item = platform::TreeItemAt(TreeView1(), treeClient, &flags);
    return item && (flags & TVHT_ONITEM) ? item : nullptr;
}

// While dragging: the node under the mouse is marked as the drop target; near the top or bottom edge the tree
// scrolls one line per move.
void TForm3::DragOver(POINT treeClient) {
    const HTREEITEM item = ItemAt(treeClient);
    TreeView_SelectDropTarget(TreeView1(), item);
    SetCursor(LoadCursorW(nullptr, item ? IDC_ARROW : IDC_NO));
    RECT rc;
    GetClientRect(TreeView1(), &rc);
    if (treeClient.y < kScrollMargin) {
        SendMessageW(TreeView1(), WM_VSCROLL, SB_LINEUP, 0);
    } else if (treeClient.y >= rc.bottom - kScrollMargin) {
        SendMessageW(TreeView1(), WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

LRESULT TForm3::TreeNotify(const NMHDR* header) {
    // The tree view notifications below carry an NMTREEVIEWW; NM_RCLICK only the header.
    const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(header);
    switch (header->code) {
        case TVN_ITEMEXPANDINGW:
            if (tv->action & TVE_EXPAND) PopulateChildren(tv->itemNew.hItem, NodeOf(tv->itemNew.hItem));
            return FALSE;
        case TVN_ITEMEXPANDEDW:
            // Kept in the node, so a rebuilt view opens the same folders.
            if (FolderTree::Node* node = NodeOf(tv->itemNew.hItem))
                node->expanded = (tv->itemNew.state & TVIS_EXPANDED) != 0;
            return 0;
        case TVN_BEGINDRAGW:
            TreeView_SelectItem(TreeView1(), tv->itemNew.hItem);
            dragging_ = true;
            SetCapture(Handle());
            return 0;
        case NM_RCLICK: {
            POINT p;
            GetCursorPos(&p);
            const UINT id = static_cast<UINT>(
                TrackPopupMenu(popupMenu1_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, p.x,
                               p.y, 0, Handle(), nullptr));
            if (id == kPickerAddFolderId) PopMenuAddFolderClick();
            return TRUE;
        }
        default:
            return 0;
    }
}

LRESULT TForm3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Layout();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == TreeView1()) return TreeNotify(header);
            break;
        }
        case WM_MOUSEMOVE:
            if (!dragging_) break;
            DragOver(TreePoint(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (!dragging_) break;
            EndDrag();
            ReleaseCapture();
            if (FolderTree::Node* target = NodeOf(ItemAt(TreePoint(lParam)))) TreeView1DragDrop(target);
            return 0;
        case WM_CAPTURECHANGED:
            if (dragging_ && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
