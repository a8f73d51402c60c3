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

}  // namespace zanmel::platform
