#include "core/IconCache.h"

#include "core/ZanmelError.h"

namespace zanmel {

std::string IconFilePath(const std::string& folder, std::int32_t number) {
    if (number < kFirstIconFileNumber) return "defaulticon\\" + std::to_string(number) + ".ico";
    return folder + "\\" + std::to_string(number) + ".ico";
}

std::int32_t IconCache::MakeIconFile(const std::string& folder, const std::string& target) {
    std::int32_t number = kFirstIconFileNumber;
    while (shell_.FileExists(IconFilePath(folder, number))) ++number;
    const std::string path = IconFilePath(folder, number);
    // Captured before the file is made, so a failed capture leaves no empty file that would hold the number.
    std::optional<CapturedIcon> icon = shell_.SmallIconOf(target);
    if (!icon || icon->width <= 0 || icon->height <= 0) throw ZanmelError("GetIconInfoに失敗", "FileName:" + path);
    WriteIconFile(*icon, path);
    return number;
}

void IconCache::RemoveIconFile(const std::string& folder, std::int32_t number) {
    if (number < kFirstIconFileNumber) return;
    if (!shell_.RemoveFile(IconFilePath(folder, number))) throw ZanmelError("IconControl", "Fileが削除できません。");
}

void IconCache::WriteIconFile(const CapturedIcon& icon, const std::string& path) {
    const std::string bytes = IconFileBytes(icon);
    try {
        files_.WriteFile(path, bytes);
    } catch (const ZanmelError&) {
        throw ZanmelError(std::string("FileOpen Error"));
    }
}

}  // namespace zanmel
