#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ProfileFile.h"
#include "core/TDebugTimer.h"
#include "core/UserInterface.h"
#include "skin/TSkin.h"

namespace zanmel::skin {

struct SkinFolderEntry {
    std::string name;
    std::uint32_t attributes = 0;  // the file system's attribute bits
};

constexpr std::uint32_t kDirectoryAttribute = 0x10;

// A skin folder is listed only when its attribute set is the directory attribute alone.
constexpr bool IsListedSkinFolder(std::uint32_t attributes) {
    return attributes == kDirectoryAttribute;
}

// What the skin driver needs from the system: folders, files, images and the screen. Paths are CP932 with
// backslashes.
class SkinEnvironment {
public:
    virtual ~SkinEnvironment() = default;
    // The entries of a folder in the order the file system gives them ("." and ".." included or not).
    virtual std::vector<SkinFolderEntry> ListFolder(const std::string& folder) = 0;
    // A file's bytes, or nothing when it does not exist.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Decodes a .png or .bmp file; a file that cannot be decoded raises ZanmelError.
    virtual std::unique_ptr<SkinImage> ReadImage(const std::string& path) = 0;
    virtual SkinScreenSize PrimaryScreenSize() = 0;
};

// The skin list and the current skin.
class TSkinDriver {
public:
    // Lists the skin folders below programFolder\skin; timed as one stage of the start-up log.
    TSkinDriver(TDebugTimer& timer, SkinEnvironment& env, UserInterface& ui, std::string programFolder);
    TSkinDriver(const TSkinDriver&) = delete;
    TSkinDriver& operator=(const TSkinDriver&) = delete;

    // The skin names as one comma text.
    std::string GetSkinNames() const;
    // Loads the listed skin of that name (letter case ignored, first match). False, with a message and the
    // current skin untouched, when no skin has that name; true otherwise, whether the load succeeded or not.
    bool LoadFromName(const std::string& name);
    // Reads a description file into the current skin, field by field in place. False after a missing
    // required key; an integer or image that cannot be read raises ZanmelError.
    bool LoadDescription(const std::string& path);

    TSkin Skin;
    std::vector<std::string> SkinNames;
    std::vector<std::string> SkinCraftmen;
    std::vector<std::string> SkinFiles;

    static const char* const kNotFoundMessage;
    static const char* const kFormatMessage;
    static const char* const kFileMissingMessage;

private:
    void ScanSkins();
    void ReadFont(const SkinKeyValues& keys, const std::string& prefix, TSkinFont& font, ColorRef defaultColor);
    void ReadGraphic(const SkinKeyValues& keys, const std::string& folder, const std::string& prefix,
                     TCustomSkinGraphic& graphic, ColorRef defaultColor);

    SkinEnvironment& env_;
    UserInterface& ui_;
    std::string programFolder_;
};

// Start-up: the skin named by [MainForm] SkinName of the computer folder's setting.ini (defaultSkinName, the
// global DefaultSkinName, when the key is absent) becomes currentName, then it is loaded. The name is remembered
// first, so that a skin that is gone or fails to load (and raises) is still the one saved at exit.
void LoadStartupSkin(TSkinDriver& driver, const ProfileFile& computerSettings, std::string_view defaultSkinName,
                     std::string& currentName);

// path made absolute against base ("C:\x", "\\server\x" and "\x" are kept as they are).
std::string AbsoluteSkinPath(const std::string& base, const std::string& path);
// The folder part of a path, without its last backslash ("" when there is none).
std::string SkinFolderOf(const std::string& path);

}  // namespace zanmel::skin
