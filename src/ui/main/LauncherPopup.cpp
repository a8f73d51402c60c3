#include "ui/main/LauncherPopup.h"

#include "core/CallUpRules.h"
#include "platform/TextCodec.h"
#include "ui/main/MainMenus.h"

namespace zanmel {

LauncherPopup::LauncherPopup(HWND window, const TSetting& setting, const std::string& programFolder,
                             UserInterface& ui) {
    hotKeyZanmel_.Register(window, L"Zanmel", setting.HotKeyZanmel);
    hotKeyPopup_.Register(window, L"ZanmelPopup", setting.HotKeyPopup);
    if (HookInUse(setting)) {
        hook_.Load(programFolder, window,
                   {setting.MouseZanmel, setting.MousePopup, setting.CornerZanmel, setting.CornerPopup}, ui);
    }
}

void LauncherPopup::ReleaseCallUps(UserInterface& ui) {
    hotKeyZanmel_.Unregister();
    hotKeyPopup_.Unregister();
    hook_.Release(ui);
}

void LauncherPopup::Clear() {
    // A new menu rather than deleting thousands of entries one by one.
    menu_.Reset(CreatePopupMenu());
    std::erase_if(items_, [](const auto& entry) { return entry.second.launcher; });
    pending_.clear();
    topSubmenusAttached_ = false;
    stamp_ = 0;
    treeText_.clear();
}

void LauncherPopup::Built(std::uint64_t stamp, std::string treeText) {
    stamp_ = stamp;
    treeText_ = std::move(treeText);
    ++builds_;
}

ULONG_PTR LauncherPopup::Add(Item item) {
    const ULONG_PTR key = nextKey_++;
    items_[key] = std::move(item);
    return key;
}

const LauncherPopup::Item* LauncherPopup::Find(ULONG_PTR key) const {
    const auto it = items_.find(key);
    return it == items_.end() ? nullptr : &it->second;
}

std::optional<LauncherPopup::Pending> LauncherPopup::TakePending(HMENU submenu) {
    const auto it = pending_.find(submenu);
    if (it == pending_.end()) return std::nullopt;
    Pending pending = std::move(it->second);
    pending_.erase(it);
    return pending;
}

void LauncherPopup::AttachDrawing(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING | MIIM_ID;
        info.dwTypeData = caption;
        info.cch = static_cast<UINT>(std::size(caption));
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu) AttachDrawing(info.hSubMenu);
        if (info.dwItemData != 0) continue;
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        // A sheet or skin name is drawn as it is, not as the doubled "&" that keeps the system from underlining.
        const bool listEntry = !info.hSubMenu && ui::ListChoiceOf(info.wID).has_value();
        std::string text = separator   ? std::string("-")
                           : listEntry ? ui::NameOfLiteralCaption(caption)
                                       : platform::ToCp932(caption);
        MENUITEMINFOW data{};
        data.cbSize = sizeof(data);
        data.fMask = MIIM_DATA;
        data.dwItemData = Add({std::move(text), separator, false, -1});
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &data);
    }
}

void LauncherPopup::SetOwnerDraw(HMENU menu, bool ownerDraw) const {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu) SetOwnerDraw(info.hSubMenu, ownerDraw);
        if (!Find(info.dwItemData)) continue;
        const UINT type = ownerDraw ? (info.fType | MFT_OWNERDRAW) : (info.fType & ~static_cast<UINT>(MFT_OWNERDRAW));
        if (type == info.fType) continue;
        info.fMask = MIIM_FTYPE;
        info.fType = type;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

}  // namespace zanmel
