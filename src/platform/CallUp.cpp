#include "platform/CallUp.h"

#include "core/CallUpRules.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

constexpr char kLoadError[] = "DLLでエラーが発生しました。";

}  // namespace

HotKey::~HotKey() {
    Unregister();
}

void HotKey::Register(HWND window, const std::wstring& name, const THotKeyRecord& key) {
    Unregister();
    if (!key.Use) return;
    registered_ = true;
    window_ = window;
    atom_ = GlobalAddAtomW(name.c_str());
    RegisterHotKey(window, atom_, HotKeyModifiers(key), key.VK);
}

void HotKey::Unregister() noexcept {
    if (!registered_) return;
    UnregisterHotKey(window_, atom_);
    if (atom_) GlobalDeleteAtom(atom_);
    registered_ = false;
    atom_ = 0;
    window_ = nullptr;
}

HookLibrary::~HookLibrary() {
    if (freeHook_) freeHook_();
    Free();
}

void HookLibrary::Load(const std::string& programFolder, HWND window, const hook::HookSettings& settings,
                       UserInterface& ui) {
    const std::string path = PathIn(programFolder);
    module_.Reset(LoadLibraryW(ToWide(path).c_str()));
    if (!module_) {
        ui.ShowMessage(path + "がみつかりません" + "\r\nDLLがロードできません。");
        return;
    }
    setHook_ = reinterpret_cast<hook::SetHookFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_.Get(), hook::kSetHookName)));
    freeHook_ = reinterpret_cast<hook::FreeHookFunction>(
        reinterpret_cast<void*>(GetProcAddress(module_.Get(), hook::kFreeHookName)));
    if (!setHook_ || !freeHook_) {
        // A library without its functions is of no use: it goes again at once.
        Free();
        ui.ShowMessage("DLLの関数が見つかりません。");
        return;
    }
    SetLastError(ERROR_SUCCESS);
    setHook_(window, settings.mouseZanmel, settings.mousePopup, settings.cornerZanmel, settings.cornerPopup);
    if (GetLastError() != ERROR_SUCCESS) {
        ui.ShowMessage(kLoadError);
        return;
    }
    hooked_ = true;
}

void HookLibrary::Release(UserInterface& ui) {
    if (!module_) return;
    hooked_ = false;
    SetLastError(ERROR_SUCCESS);
    freeHook_();
    const bool failed = GetLastError() != ERROR_SUCCESS;
    Free();
    if (failed) ui.ShowMessage(kLoadError);
}

void HookLibrary::Free() noexcept {
    module_.Reset();
    hooked_ = false;
    setHook_ = nullptr;
    freeHook_ = nullptr;
}

}  // namespace zanmel::platform
