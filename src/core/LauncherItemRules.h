#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/LaunchWordData.h"

namespace zanmel {

// The fields of the launcher item dialog as texts. verb and showModeName are the selected list entries, ""
// when none is selected.
struct LauncherItemFields {
    std::string keyword;
    std::string path;
    std::string verb;
    std::string parameters;
    std::string workingFolder;
    std::string showModeName;
};

// The record an OK stores: the fields as they are (the path relative or absolute as typed), the show mode by
// name (none selected gives SW_SHOWNORMAL), no flags.
TLaunchWordData2 RecordFromFields(const LauncherItemFields& fields);

// The messages of the item dialogs' checks.
extern const char* const kItemFieldsEmpty;
extern const char* const kItemKeywordHash;
extern const char* const kItemKeywordTaken;

// The checks an OK makes before it registers, in their order: empty keyword or path, a keyword beginning with
// "#" (the mark of folder nodes), then a keyword that is registered already. An edit keeping its keyword is not
// checked for duplicates. The message of the first check that fails, or "" when all pass.
std::string CheckLauncherItem(const LauncherItemFields& fields, bool editing, std::string_view previousKeyword,
                              const std::function<bool(std::string_view keyword)>& isRegistered);

}  // namespace zanmel
