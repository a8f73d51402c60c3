#include "core/LauncherItemRules.h"

#include "core/Cp932.h"

namespace zanmel {

const char* const kItemFieldsEmpty = "キーワード、ファイル、フォルダは空欄にはできません。";
const char* const kWebFieldsEmpty = "キーワード、URLは空欄にはできません。";
const char* const kAutoSetUrlEmpty =
    "ファイル、フォルダ、URL、メールアドレスに\r\n検索バーで\"あああああ\"を探索したURLを入力して下さい。";
const char* const kItemKeywordHash = "#で始まるキーワードは許されません。";
const char* const kItemKeywordTaken = "キーワードが既に登録されています。";

std::string KeywordFromField(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

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
                              const std::function<bool(std::string_view keyword)>& isRegistered,
                              const char* emptyMessage) {
    if (fields.keyword.empty() || fields.path.empty()) return emptyMessage;
    if (fields.keyword[0] == '#') return kItemKeywordHash;
    const bool keepsKeyword = editing && fields.keyword == previousKeyword;
    if (!keepsKeyword && isRegistered(fields.keyword)) return kItemKeywordTaken;
    return "";
}

TLaunchWordData2 WebRecord(std::string_view url, bool urlDirect, int characterSet) {
    TLaunchWordData2 record;
    record.verb = "open";
    record.path = std::string(url);
    record.SetShowModeByName("SW_SHOWNORMAL");
    record.flags = urlDirect ? TLaunchWordData2::kUrlDirect : 0;
    record.SetCharacterSet(characterSet);
    return record;
}

std::optional<UrlDirectSetting> AutoSetUrlDirect(std::string_view url) {
    if (url.empty() || cp932::Find(url, TLaunchWordData2::kUrlDirectMarker) != std::string::npos) return std::nullopt;
    const int characterSet = DetectCharacterSet(url);
    return UrlDirectSetting{MakeTemplate(url, characterSet), characterSet};
}

}  // namespace zanmel
