#pragma once

#include <functional>
#include <optional>
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

// A keyword as typed into a field, without leading blanks: in tree.txt leading blanks and tabs are the
// indentation, so a keyword starting with one would come back as a deeper node, or stop the next load.
std::string KeywordFromField(std::string_view text);

// The record an OK stores: the fields as they are (the path relative or absolute as typed), the show mode by
// name (none selected gives SW_SHOWNORMAL), no flags.
TLaunchWordData2 RecordFromFields(const LauncherItemFields& fields);

// The messages of the item dialogs' checks: an empty keyword or path (URL for a web item), a leading "#", a
// keyword that is taken.
extern const char* const kItemFieldsEmpty;
extern const char* const kWebFieldsEmpty;
extern const char* const kItemKeywordHash;
extern const char* const kItemKeywordTaken;

// The checks an OK makes before it registers, in their order: empty keyword or path, a keyword beginning with
// "#" (the mark of folder nodes), then a keyword that is registered already. An edit keeping its keyword is not
// checked for duplicates. The message of the first check that fails, or "" when all pass.
std::string CheckLauncherItem(const LauncherItemFields& fields, bool editing, std::string_view previousKeyword,
                              const std::function<bool(std::string_view keyword)>& isRegistered,
                              const char* emptyMessage = kItemFieldsEmpty);

// The record of a web item: "open" of the URL as typed with no parameters or working folder, SW_SHOWNORMAL;
// flags: URL direct (4) and the character set (0 Shift-JIS, 1 UTF-8, 2 EUC-JP).
TLaunchWordData2 WebRecord(std::string_view url, bool urlDirect, int characterSet);

// The message of "自動設定" on an empty URL field.
extern const char* const kAutoSetUrlEmpty;

// "自動設定": a sample search for "あああああ" made into a search template. The character set is detected from
// the sample, its encoded word (upper- and lower-case hex) replaced by "$URL_DIRECT$", and URL direct is on,
// even when nothing was replaced. Nothing for a URL that is a template already (or is empty).
struct UrlDirectSetting {
    std::string url;
    int characterSet = 0;
    friend bool operator==(const UrlDirectSetting&, const UrlDirectSetting&) = default;
};
std::optional<UrlDirectSetting> AutoSetUrlDirect(std::string_view url);

}  // namespace zanmel
