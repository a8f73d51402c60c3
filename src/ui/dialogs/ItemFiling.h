#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/KeyWordList.h"
#include "platform/TState.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/dialogs/UnitFolderPicker.h"

namespace zanmel::ui {

// How the item dialogs file what they registered in the main window's tree: a new item at its placement or
// through the folder picker, an edited item under its new keyword.
struct ItemFiling {
    TreeHost& host;
    TForm3& picker;
    TKeyWordList& keyWords;
    const platform::TState& state;

    // The icon file of the current sheet with that number, into ImageList1 with a line in the icon map; its
    // image index.
    int LoadIcon(std::int32_t number) const;

    // A newly registered keyword: its icon is loaded; placement 0 with the dialog shown hands over to the folder
    // picker (the dialog hidden, then disabled until the picker hides it), otherwise a node at the placement is
    // selected, the tree saved, the list refreshed and the dialog hidden.
    void FileNewItem(HWND dialog, bool dialogShown, std::uint8_t placement, const std::string& keyword,
                     const std::function<void()>& hide) const;

    // An edited item: the current node takes the new keyword (and the image of a new icon file), the tree is
    // saved and the list refreshed.
    void RenameCurrentItem(const std::string& keyword) const;
};

}  // namespace zanmel::ui
