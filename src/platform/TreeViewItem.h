#pragma once

#include <windows.h>
#include <commctrl.h>

namespace zanmel::platform {

// The object a tree view item was inserted with (its lParam), or null for no item.
template <class T>
T* TreeItemData(HWND tree, HTREEITEM item) {
    if (!item) return nullptr;
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
    return reinterpret_cast<T*>(tv.lParam);
}

// The item at a point of the tree's client area, or null; flags receives the TVHT_ hit flags.
inline HTREEITEM TreeItemAt(HWND tree, POINT client, UINT* flags = nullptr) {
    TVHITTESTINFO hit{};
    hit.pt = client;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) *flags = hit.flags;
    return item;
}

}  // namespace zanmel::platform
