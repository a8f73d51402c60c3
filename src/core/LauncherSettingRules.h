#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/KeyWordList.h"
#include "core/LaunchWordData.h"
#include "core/LauncherItemRules.h"

namespace zanmel {

// What the application dialog edits: the web browser record, the drive-ejection record, a new extension entry
// or an existing one.
namespace ext_mode {
inline constexpr std::string_view kWeb = "WEB";
inline constexpr std::string_view kUnplug = "UNPLUG";
inline constexpr std::string_view kExtAdd = "EXT_ADD";
inline constexpr std::string_view kExtUpdate = "EXT_UPDATE";
}  // namespace ext_mode

// True for the two extension modes, which have a key besides the record.
bool IsExtensionMode(std::string_view mode);
// The caption of the path label in a mode.
std::string ExtPathLabel(std::string_view mode);

// The label of the key field in the extension modes.
extern const char* const kExtKeyLabel;
extern const char* const kExtFieldsEmpty;

// One line of the extension grid: the entry's key and the path of its program.
struct ExtGridRow {
    std::string key;
    std::string path;
    bool operator==(const ExtGridRow&) const = default;
};
// The rows of the extension list in order; a data text that is no record raises the record's error.
std::vector<ExtGridRow> ExtGridRows(const TKeyWordList& extList);

// The checks of an OK: an empty key (extension modes only) or path, then a key beginning with "#". The message
// of the first that fails, or "".
std::string CheckExtFields(std::string_view mode, std::string_view key, std::string_view path);

// The record an OK stores: as the launcher item dialog builds it, with the bare argument flag when asked.
TLaunchWordData2 ExtRecordFromFields(const LauncherItemFields& fields, bool bareArgument);

}  // namespace zanmel
