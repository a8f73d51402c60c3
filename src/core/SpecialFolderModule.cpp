#include "core/SpecialFolderModule.h"

#include "core/IconCache.h"
#include "core/LaunchWordData.h"
#include "core/ProfileFile.h"
#include "core/ZanmelError.h"

namespace zanmel {

const char* const kKeyWordAlreadyRegistered = "キーワードが既に登録されています。";
const char* const kOldKeyWordMissing = "元のキーワードが存在しません。";
const char* const kKeyWordMissing = "キーワードが存在しません。";

namespace {
constexpr std::string_view kSection = "SpecialFolderModule";
}

TSpecialFolderModule::TSpecialFolderModule(TDebugTimer& timer, const DataLocations& places, TKeyWordList& keywords,
                                           FileAccess& files, UserInterface& ui, LaunchShell& shell)
    : places_(places), keywords_(keywords), files_(files), ui_(ui), shell_(shell) {
    timer.BeginStage();
    LoadSetting(places_.HomeSheetFolder() + "\\setting.ini");
    timer.EndStage("TSpecialFolderModule::TSpecialFolderModule");
}

TSpecialFolderModule::~TSpecialFolderModule() {
    try {
        SaveSetting(places_.HomeSheetFolder() + "\\setting.ini");
    } catch (const std::exception&) {
        // Nothing can be shown while the program ends.
    }
}

bool TSpecialFolderModule::RegisterSpecialFolder(std::string_view keyword, std::int32_t csidl, bool save) {
    if (keywords_.Exists(keyword)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    keywords_.Add(keyword, kKind, kSpecialFolderIconNumber, std::to_string(csidl));
    if (save) SaveKeyWords();
    return true;
}

bool TSpecialFolderModule::ChangeSpecialFolder(std::string_view oldKeyword, std::string_view newKeyword,
                                               std::int32_t csidl, bool save) {
    if (newKeyword != oldKeyword && keywords_.Exists(newKeyword)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    if (!keywords_.Exists(oldKeyword)) {
        ui_.ShowMessage(kOldKeyWordMissing);
        return false;
    }
    keywords_.Change(oldKeyword, newKeyword, kKind, kSpecialFolderIconNumber, std::to_string(csidl));
    if (save) SaveKeyWords();
    return true;
}

bool TSpecialFolderModule::DeleteSpecialFolder(std::string_view keyword, bool save) {
    if (!keywords_.Exists(keyword)) {
        ui_.ShowMessage(kKeyWordMissing);
        return false;
    }
    keywords_.Delete(keyword);
    if (save) SaveKeyWords();
    return true;
}

bool TSpecialFolderModule::Run(std::string_view keyword) {
    const std::string data(keywords_.DataOf(keyword));
    std::int32_t csidl = 0;
    if (!ParseInt32(data, csidl)) throw ZanmelError("TSpecialFolderModule", "'" + data + "' は整数ではありません。");
    shell_.OpenSpecialFolder(csidl, FlgOpenExplorer ? "explore" : "open");
    return true;
}

void TSpecialFolderModule::LoadSetting(const std::string& path) {
    const ProfileFile file(files_.ReadFile(path).value_or(std::string()));
    FlgOpenExplorer = file.ReadBool(kSection, "FlgOpenExplorer", false);
}

void TSpecialFolderModule::SaveSetting(const std::string& path) {
    // Read back first: the launch module's section lives in the same file.
    ProfileFile file(files_.ReadFile(path).value_or(std::string()));
    file.WriteBool(kSection, "FlgOpenExplorer", FlgOpenExplorer);
    files_.WriteFile(path, file.ToBytes());
}

void TSpecialFolderModule::SaveKeyWords() {
    files_.WriteFile(places_.SheetFolder() + "\\keyword.txt", keywords_.SaveToText());
}

}  // namespace zanmel
