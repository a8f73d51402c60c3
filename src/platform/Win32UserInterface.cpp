#include "platform/Win32UserInterface.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "platform/TextCodec.h"
#include "platform/TextQueryDialog.h"

namespace zanmel::platform {

namespace {

constexpr wchar_t kCaption[] = L"Zanmel";

int CALLBACK BrowseCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) {
        const auto* initial = reinterpret_cast<const wchar_t*>(data);
        if (*initial) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(initial));
    }
    return 0;
}

}  // namespace

HWND Win32UserInterface::LiveOwner() const noexcept {
    if (!IsWindow(owner_)) return nullptr;
    // While a dialog is up the main window is disabled: a box owned by it would leave the dialog clickable.
    HWND active = GetActiveWindow();
    if (active && active != owner_ && GetWindow(active, GW_OWNER) == owner_ && IsWindowVisible(active) &&
        IsWindowEnabled(active)) {
        return active;
    }
    return owner_;
}

void Win32UserInterface::ShowMessage(std::string_view text) {
    if (silent_) return;
    MessageBoxW(LiveOwner(), ToWide(text).c_str(), kCaption, MB_OK);
}

bool Win32UserInterface::Confirm(std::string_view text) {
    if (silent_) return false;
    return MessageBoxW(LiveOwner(), ToWide(text).c_str(), kCaption, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

std::optional<std::string> Win32UserInterface::QueryText(std::string_view title, std::string_view prompt,
                                                         std::string_view initialText) {
    if (silent_) return std::nullopt;
    auto answer = RunTextQueryDialog(LiveOwner(), ToWide(title), ToWide(prompt), ToWide(initialText));
    if (!answer) return std::nullopt;
    return ToCp932(*answer);
}

std::optional<std::string> Win32UserInterface::OpenFile(std::string_view filter, std::string_view initialFile) {
    if (silent_) return std::nullopt;
    // "name|pattern|name|pattern" becomes the double-NUL-terminated list the dialog wants.
    std::wstring filterList = ToWide(filter);
    for (wchar_t& c : filterList) {
        if (c == L'|') c = L'\0';
    }
    filterList.push_back(L'\0');
    filterList.push_back(L'\0');

    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring initial = ToWide(initialFile);
    if (initial.size() < file.size()) initial.copy(file.data(), initial.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = LiveOwner();
    ofn.lpstrFilter = filter.empty() ? nullptr : filterList.c_str();  // no filter: every file shows
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    return ToCp932(file.data());
}

std::string Win32UserInterface::BrowseFolder(Owner owner, std::string_view title, std::string_view initialFolder) {
    if (silent_) return "";
    const std::wstring wideTitle = ToWide(title);
    const std::wstring initial = ToWide(initialFolder);
    BROWSEINFOW info{};
    info.hwndOwner = static_cast<HWND>(owner);
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return "";
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return ok ? ToCp932(path) : "";
}

}  // namespace zanmel::platform
