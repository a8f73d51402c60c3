#include "core/LauncherItemRules.h"

namespace zanmel {

const char* const kItemFieldsEmpty = "キーワード、ファイル、フォルダは空欄にはできません。";
const char* const kItemKeywordHash = "#で始まるキーワードは許されません。";
const char* const kItemKeywordTaken = "キーワードが既に登録されています。";

TLaunchWordData2 RecordFromFields(const LauncherItemFields& fields) {
    TLaunchWordData2 record;
    record.verb = fields.verb;
    record.path = fields.path;
    record.parameters = fields.parameters;
    record.workingFolder = fields.workingFolder;
    record.SetShowModeByName(fields.showModeName);
    return record;
}

std::string CheckLauncherItem(const LauncherItemFields& fields, bool editing, std::string_view previousKeyword,
                              const std::function<bool(std::string_view keyword)>& isRegistered) {
    if (fields.keyword.empty() || fields.path.empty()) return kItemFieldsEmpty;
    if (fields.keyword[0] == '#') return kItemKeywordHash;
    const bool keepsKeyword = editing && fields.keyword == previousKeyword;
    if (!keepsKeyword && isRegistered(fields.keyword)) return kItemKeywordTaken;
    return "";
}

}  // namespace zanmel
