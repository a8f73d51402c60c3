#include "core/LauncherSettingRules.h"

namespace zanmel {

const char* const kExtKeyLabel = "拡張子リスト(カンマ区切りで記述 <例> jpg,png,bmp )";
const char* const kExtFieldsEmpty = "キーワード、ファイルは空欄にはできません。";

bool IsExtensionMode(std::string_view mode) {
    return mode == ext_mode::kExtAdd || mode == ext_mode::kExtUpdate;
}

std::string ExtPathLabel(std::string_view mode) {
    if (mode == ext_mode::kWeb) return "WEBブラウザのファイルパス";
    if (mode == ext_mode::kUnplug) return "UnplugDrive Portableのファイルパス";
    return "ソフトのファイルパス";
}

std::vector<ExtGridRow> ExtGridRows(const TKeyWordList& extList) {
    std::vector<ExtGridRow> rows;
    rows.reserve(extList.Count());
    for (std::size_t i = 0; i < extList.Count(); ++i)
        rows.push_back({std::string(extList.KeyWordAt(i)), TLaunchWordData2::Parse(extList.DataAt(i)).path});
    return rows;
}

std::string CheckExtFields(std::string_view mode, std::string_view key, std::string_view path) {
    const bool withKey = IsExtensionMode(mode);
    if (path.empty() || (withKey && key.empty())) return kExtFieldsEmpty;
    if (withKey && key[0] == '#') return kItemKeywordHash;
    return "";
}

TLaunchWordData2 ExtRecordFromFields(const LauncherItemFields& fields, bool bareArgument) {
    TLaunchWordData2 record = RecordFromFields(fields);
    record.flags = bareArgument ? TLaunchWordData2::kBareArgument : 0;
    return record;
}

}  // namespace zanmel
