#include "core/SpecialFolderRules.h"

#include <unordered_map>

#include "core/Cp932.h"
#include "core/LaunchWordData.h"
#include "core/LauncherItemRules.h"
#include "core/SpecialFolderModule.h"

namespace zanmel {

const char* const kSpecialFolderNode = "##特殊フォルダ";
const char* const kSpecialFolderDuplicate = "キーワードが重複しています";
const char* const kSpecialFolderEmpty = "キーワードは空欄にはできません。";

const std::array<SpecialFolderEntry, kSpecialFolderCount>& SpecialFolderTable() {
    static constexpr std::array<SpecialFolderEntry, kSpecialFolderCount> table = {{
        {"DeskTop", 0, false, "「デスクトップ」（ネームスペースのルートを表す仮想フォルダ）"},
        {"InterNet", 1, false, "「Internet Explorer」（仮想フォルダ）"},
        {"Program", 2, false, "「プログラム」（ファイルシステムディレクトリ）"},
        {"ControlPanel", 3, true, "「コントロール パネル」（仮想フォルダ）"},
        {"Printers", 4, false, "「プリンタ」（仮想フォルダ）"},
        {"MyDocument", 5, true, "「マイドキュメント」（ファイルシステムディレクトリ）"},
        {"Favorits", 6, false, "「お気に入り」（ファイルシステムディレクトリ）"},
        {"StartUp", 7, false, "「スタートアップ」（ファイルシステムディレクトリ）"},
        {"Recents", 8, false, "「最近使ったファイル」（ファイルシステムディレクトリ）"},
        {"SendTo", 9, true, "「SendTo」（ファイルシステムディレクトリ）"},
        {"Trash", 10, true, "「ごみ箱」（仮想フォルダ）"},
        {"StartMenu", 11, false, "「スタートメニュー」（ファイルシステムディレクトリ）"},
        {"MyMusic", 13, false, "「マイ ミュージック」（ファイルシステムディレクトリ）"},
        {"DeskTopDirectory", 16, true,
         "「デスクトップ」上のファイルオブジェクトを格納するフォルダ（ファイルシステムディレクトリ）"},
        {"MyComputer", 17, true, "「マイ コンピュータ」（仮想フォルダ）"},
        {"NetWork", 18, true, "「ネットワークコンピュータ」（仮想フォルダ）"},
        {"NetHood", 19, false, "「NetHood」（ファイルシステムディレクトリ）"},
        {"Fonts", 20, false, "「Fonts」（フォントを含む仮想フォルダ）"},
        {"Templates", 21, false, "ドキュメントテンプレートが格納されるフォルダ（ファイルシステムディレクトリ）"},
        {"CommonStartMenu", 22, false, "AllUsers の「スタートメニュー」（ファイルシステムディレクトリ）"},
        {"CommonoProgram", 23, false, "AllUsers の「プログラム」（ファイルシステムディレクトリ）"},
        {"CommonStartUp", 24, false, "AllUsers の「スタートアップ」（ファイルシステムディレクトリ）"},
        {"CommonDeskTopDirectory", 25, false, "AllUsers の「デスクトップ」（ファイルシステムディレクトリ）"},
        {"AppData", 26, false, "「Application Data」（ファイルシステムディレクトリ）"},
        {"PrintHood", 27, false,
         "「プリンタ」仮想フォルダにおかれるリンクオブジェクトを格納するフォルダ（ファイルシステムディレクトリ）"},
        {"LoaclAppData", 28, false, "「Application Data」（ファイルシステムディレクトリ）"},
        {"AltStartUp", 29, false, "非ローカル版の「スタートアップ」（ファイルシステムディレクトリ）"},
        {"CommonAltStartUp", 30, false, "非ローカル版の AllUsers の「スタートアップ」（ファイルシステムディレクトリ）"},
        {"CommonFavorites", 31, false, "AllUsers の「お気に入り」（NT系のみ）（ファイルシステムディレクトリ）"},
        {"Cache", 32, false, "インターネット一時ファイルを格納するフォルダ（ファイルシステムディレクトリ）"},
        {"Cookies", 33, false, "「Cookies」（ファイルシステムディレクトリ）"},
        {"Histry", 34, false, "「履歴」（ファイルシステムディレクトリ）"},
        {"CommonAppData", 35, false, "AllUsers の「Application Data」（ファイルシステムディレクトリ）"},
        {"Windows", 36, false, "Windows ディレクトリ"},
        {"System", 37, false, "Windows System ディレクトリ"},
        {"ProgramFiles", 38, false, "Program Files フォルダ"},
        {"MyPicture", 39, false, "My Pictures フォルダ（ファイルシステムディレクトリ）"},
        {"Profile", 40, false, "profile フォルダ"},
        {"ProgramFilesCommon", 43, false, "Program FilesCommon"},
        {"CommonTemplates", 45, false, "AllUsers のドキュメントテンプレートが格納されるディレクトリ"},
        {"CommonDocuments", 46, false, "AllUsers の「ドキュメント」（ファイルシステムディレクトリ）"},
        {"CommonAdminTools", 47, true, "AllUsers の管理ツールディレクトリ"},
        {"AdminTools", 48, false, "管理ツールディレクトリ"},
    }};
    return table;
}

std::vector<std::int32_t> RegisteredRows(const TKeyWordList& keyWords) {
    std::vector<std::int32_t> rows(kSpecialFolderCount, -1);
    const auto& table = SpecialFolderTable();
    for (std::size_t j = 0; j < keyWords.Count(); ++j) {
        if (keyWords.KindAt(j) != TSpecialFolderModule::kKind) continue;
        std::int32_t csidl = 0;
        if (!ParseInt32(keyWords.DataAt(j), csidl)) continue;
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i].csidl == csidl) {
                rows[i] = static_cast<std::int32_t>(j);
                break;
            }
        }
    }
    return rows;
}

std::string CheckSpecialFolderRows(const std::vector<SpecialFolderRow>& rows, const TKeyWordList& keyWords,
                                   std::vector<bool>& red) {
    red.assign(rows.size(), false);
    std::unordered_map<std::string, std::size_t> holders;  // lower-cased keyword: ticked rows holding it
    for (const SpecialFolderRow& row : rows)
        if (row.ticked) ++holders[cp932::ToLower(row.keyword)];
    bool duplicate = false;
    bool empty = false;
    bool hash = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SpecialFolderRow& row = rows[i];
        if (!row.ticked) continue;
        const bool shared = holders[cp932::ToLower(row.keyword)] > 1;
        const bool taken = keyWords.Exists(row.keyword) && keyWords.KindOf(row.keyword) != TSpecialFolderModule::kKind;
        const bool blank = row.keyword.empty();
        const bool folder = !blank && row.keyword[0] == '#';
        red[i] = shared || taken || blank || folder;
        duplicate = duplicate || shared || taken;
        empty = empty || blank;
        hash = hash || folder;
    }
    if (duplicate) return kSpecialFolderDuplicate;
    if (empty) return kSpecialFolderEmpty;
    if (hash) return kItemKeywordHash;
    return "";
}

SpecialFolderAction ActionOf(const SpecialFolderRow& row) {
    const bool registered = row.registered >= 0;
    if (row.ticked && !registered) return SpecialFolderAction::Register;
    if (row.ticked && row.keyword != row.previousKeyword) return SpecialFolderAction::Change;
    if (!row.ticked && registered) return SpecialFolderAction::Delete;
    return SpecialFolderAction::None;
}

}  // namespace zanmel
