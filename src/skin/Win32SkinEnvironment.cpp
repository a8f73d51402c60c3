#include "skin/Win32SkinEnvironment.h"

#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::skin {

std::vector<SkinFolderEntry> Win32SkinEnvironment::ListFolder(const std::string& folder) {
    std::vector<SkinFolderEntry> entries;
    WIN32_FIND_DATAW data{};
    const std::wstring pattern = platform::ToWide(folder + "\\*");
    platform::FindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        entries.push_back({platform::ToCp932(data.cFileName), data.dwFileAttributes});
    } while (FindNextFileW(find.Get(), &data));
    return entries;
}

std::optional<std::string> Win32SkinEnvironment::ReadFile(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    return platform::ReadFileBytes(path);
}

bool Win32SkinEnvironment::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(platform::ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<SkinImage> Win32SkinEnvironment::ReadImage(const std::string& path) {
    return std::make_unique<DibSkinImage>(image::ReadImageFile(path));
}

SkinScreenSize Win32SkinEnvironment::PrimaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

COLORREF ResolveColor(ColorRef color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

HBITMAP GraphicBitmap(const TCustomSkinGraphic& graphic) {
    if (!graphic.HasImage()) return nullptr;
    const auto* dib = dynamic_cast<const DibSkinImage*>(graphic.Bitmap.get());
    return dib != nullptr ? dib->Bitmap().Handle() : nullptr;
}

}  // namespace zanmel::skin
