#include "core/TZanmelModule.h"

#include "core/ProfileFile.h"
#include "core/ZanmelError.h"

namespace zanmel {

const char* const kLaunchFileMissing = "実行ファイルが見つかりません\r\n";

namespace {

constexpr std::string_view kSection = "LaunchModule";
constexpr std::string_view kLaunchKind = "Launch";
constexpr std::string_view kWebKind = "WEB";

TLaunchWordData2 DefaultRecord() {
    return TLaunchWordData2::Parse(TZanmelModule::kDefaultRecordText);
}

// A record read from setting.ini; a text that is no record keeps the default, so that a damaged settings file
// does not stop the program from starting.
TLaunchWordData2 ReadRecord(const ProfileFile& file, std::string_view key) {
    TLaunchWordData2 record = DefaultRecord();
    try {
        record.FromText(file.ReadString(kSection, key, TZanmelModule::kDefaultRecordText));
    } catch (const ZanmelError&) {
    }
    return record;
}

}  // namespace

TZanmelModule::TZanmelModule(TDebugTimer& timer, const DataLocations& places, TKeyWordList& keywords, FileAccess& files,
                             UserInterface& ui, LaunchShell& shell, const Cp932Codec& codec)
    : MailData(DefaultRecord()),
      WEBData(DefaultRecord()),
      UnplagData(DefaultRecord()),
      ExtList(keywords.ComputerName()),
      places_(places),
      keywords_(keywords),
      files_(files),
      ui_(ui),
      shell_(shell),
      codec_(codec),
      icons_(shell, files) {
    timer.BeginStage();
    LoadSetting(places_.HomeSheetFolder() + "\\setting.ini");
    LoadExtList();
    timer.EndStage("TZanmelModule::TZanmelModule");
}

TZanmelModule::~TZanmelModule() {
    try {
        SaveSetting(places_.HomeSheetFolder() + "\\setting.ini");
    } catch (const std::exception&) {
        // Nothing can be shown while the program ends.
    }
}

bool TZanmelModule::RegisterItem(std::string_view keyword, const TLaunchWordData2& record, bool save) {
    if (keywords_.Exists(keyword)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    if (record.Classify() == LaunchTarget::WebAddress) {
        keywords_.Add(keyword, kWebKind, kWebIconNumber, record.ToText());
    } else {
        const std::int32_t icon = icons_.MakeIconFile(SheetIconFolder(), record.path);
        keywords_.Add(keyword, kLaunchKind, icon, record.ToText());
    }
    if (save) SaveKeyWords();
    return true;
}

bool TZanmelModule::ChangeItem(std::string_view oldKeyword, std::string_view newKeyword,
                               const TLaunchWordData2& record) {
    if (newKeyword != oldKeyword && keywords_.Exists(newKeyword)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    if (!keywords_.Exists(oldKeyword)) {
        ui_.ShowMessage(kOldKeyWordMissing);
        return false;
    }
    if (record.Classify() == LaunchTarget::WebAddress) {
        // An icon file the item had stays where it is.
        keywords_.Change(oldKeyword, newKeyword, kWebKind, kWebIconNumber, record.ToText());
    } else {
        const std::int32_t icon = ReplaceIconFile(SheetIconFolder(), keywords_.IconNumberOf(oldKeyword), record.path);
        keywords_.Change(oldKeyword, newKeyword, kLaunchKind, icon, record.ToText());
    }
    SaveKeyWords();
    return true;
}

bool TZanmelModule::DeleteItem(std::string_view keyword, bool save) {
    if (!keywords_.Exists(keyword)) {
        ui_.ShowMessage(kKeyWordMissing);
        return false;
    }
    const std::int32_t icon = keywords_.IconNumberOf(keyword);
    keywords_.Delete(keyword);
    icons_.RemoveIconFile(SheetIconFolder(), icon);
    if (save) SaveKeyWords();
    return true;
}

bool TZanmelModule::RegisterExt(std::string_view key, const TLaunchWordData2& record) {
    if (ExtList.Exists(key)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    const std::int32_t icon = icons_.MakeIconFile(HomeIconFolder(), record.path);
    ExtList.Add(key, "", icon, record.ToText());
    SaveExtList();
    return true;
}

bool TZanmelModule::ChangeExt(std::string_view oldKey, std::string_view newKey, const TLaunchWordData2& record) {
    if (newKey != oldKey && ExtList.Exists(newKey)) {
        ui_.ShowMessage(kKeyWordAlreadyRegistered);
        return false;
    }
    if (!ExtList.Exists(oldKey)) {
        ui_.ShowMessage(kOldKeyWordMissing);
        return false;
    }
    const std::int32_t icon = ReplaceIconFile(HomeIconFolder(), ExtList.IconNumberOf(oldKey), record.path);
    ExtList.Change(oldKey, newKey, "", icon, record.ToText());
    SaveExtList();
    return true;
}

bool TZanmelModule::DeleteExt(std::string_view key) {
    if (!ExtList.Exists(key)) {
        ui_.ShowMessage(kKeyWordMissing);
        return false;
    }
    const std::int32_t icon = ExtList.IconNumberOf(key);
    ExtList.Delete(key);
    icons_.RemoveIconFile(HomeIconFolder(), icon);
    SaveExtList();
    return true;
}

std::int32_t TZanmelModule::ReplaceIconFile(const std::string& folder, std::int32_t oldIcon, const std::string& path) {
    // An old file that is gone cannot be removed; found before the new file could take its number.
    if (oldIcon >= kFirstIconFileNumber && !shell_.FileExists(IconFilePath(folder, oldIcon))) {
        icons_.RemoveIconFile(folder, oldIcon);
    }
    const std::int32_t icon = icons_.MakeIconFile(folder, path);
    try {
        icons_.RemoveIconFile(folder, oldIcon);
    } catch (const ZanmelError&) {
        shell_.RemoveFile(IconFilePath(folder, icon));  // the entry keeps its old number: nothing changed
        throw;
    }
    return icon;
}

void TZanmelModule::RunKeyWord(std::string_view keyword, std::string_view option) {
    keywords_.Learning(keyword);
    const std::string kind(keywords_.KindOf(keyword));
    if (kind == kLaunchKind || kind == kWebKind) {
        RunEntry(keyword, option);
    } else if (kind == TSpecialFolderModule::kKind) {
        if (!specialFolders_) throw ZanmelError("TZanmelModule", "TSpecialFolderModuleがありません。");
        specialFolders_->Run(keyword);
    }
}

bool TZanmelModule::DeleteKeyWord(std::string_view keyword, bool save) {
    const std::string kind(keywords_.KindOf(keyword));
    if (kind == kLaunchKind || kind == kWebKind) return DeleteItem(keyword, save);
    if (kind == TSpecialFolderModule::kKind) {
        if (!specialFolders_) throw ZanmelError("TZanmelModule", "TSpecialFolderModuleがありません。");
        return specialFolders_->DeleteSpecialFolder(keyword, true);
    }
    return false;
}

bool TZanmelModule::RunEntry(std::string_view keyword, std::string_view option) {
    const TLaunchWordData2 record = TLaunchWordData2::Parse(keywords_.DataOf(keyword));
    return RunRecord(record, option == kFolderOption, keyword);
}

bool TZanmelModule::RunFile(std::string_view path) {
    TLaunchWordData2 record;
    record.verb = "open";
    record.path = std::string(path);
    record.SetShowModeByName("SW_SHOWNORMAL");
    record.flags = 0;
    return RunRecord(record, false, "");
}

std::string TZanmelModule::Expand(const std::string& path) {
    shell_.SetCurrentFolder(places_.ProgramFolder());
    return shell_.FullPath(path);
}

bool TZanmelModule::RunRecord(const TLaunchWordData2& source, bool folderMode, std::string_view label) {
    TLaunchWordData2 r = source;
    shell_.SetCurrentFolder(places_.ProgramFolder());
    const LaunchTarget t = r.Classify();
    const bool fileLookup = t == LaunchTarget::File && !folderMode;

    if (folderMode && t == LaunchTarget::File) {
        r.path = FolderPartOf(r.path);
        if (FlgOpenExplorer) r.verb = "explore";
    }
    if (t == LaunchTarget::Other && FlgOpenExplorer) r.verb = "explore";
    if (t == LaunchTarget::WebAddress && r.IsUrlDirect()) {
        std::optional<std::string> answer =
            ui_.QueryText("URLダイレクト", std::string(label) + "\r\n検索文字を入力して下さい", "");
        if (!answer) return true;
        r.PutSearchText(*answer, codec_);
    }

    if (fileLookup) {
        r.path = Expand(r.path);
        if (std::optional<std::size_t> entry = FindExtensionEntry(ExtList, ExtensionOf(r.path))) {
            TLaunchWordData2 program = TLaunchWordData2::Parse(ExtList.DataAt(*entry));
            program.path = Expand(program.path);
            r.parameters = ProgramParameters(r.path, r.parameters, program);
            r.verb = program.verb;
            r.path = program.path;
            r.workingFolder = program.workingFolder;
            r.showMode = program.showMode;
        }
        if (r.workingFolder.empty()) r.workingFolder = FolderPartOf(r.path);
    } else if (t == LaunchTarget::MailAddress) {
        r.path = "mailto:" + r.path;
        if (FlgMaieUse) RunRecord(MailData, false, "");
    } else if (t == LaunchTarget::WebAddress && FlgWebUse) {
        TLaunchWordData2 browser = WEBData;
        browser.path = Expand(browser.path);
        r.parameters = ProgramParameters(r.path, r.parameters, browser);
        r.verb = browser.verb;
        r.path = browser.path;
        r.workingFolder = browser.workingFolder;
        r.showMode = browser.showMode;
        if (r.workingFolder.empty()) r.workingFolder = FolderPartOf(browser.path);
    }

    if (fileLookup && !shell_.FileExists(r.path)) {
        ui_.ShowMessage(kLaunchFileMissing + r.path);
        return false;
    }
    Start(r);
    return true;
}

void TZanmelModule::Start(const TLaunchWordData2& r) {
    if (IsTrackedStart(r.path, places_.ProgramDrive(), trackedCount_)) {
        // A failed creation is not reported and nothing else is tried.
        if (std::optional<TrackedProcess> process =
                shell_.StartProcess({TrackedCommandLine(r.path, r.parameters), r.workingFolder, r.showMode})) {
            tracked_[static_cast<std::size_t>(trackedCount_++)] = *process;
        }
        return;
    }
    shell_.StartWithShell({r.verb, r.path, r.parameters, r.workingFolder, r.showMode});
}

bool TZanmelModule::CloseDown(bool runEjectionTool) {
    for (std::int32_t i = 0; i < trackedCount_; ++i) {
        const TrackedProcess& entry = tracked_[static_cast<std::size_t>(i)];
        if (FlgUseCloseHelp) {
            for (const TopLevelWindow& window : shell_.TopLevelWindows()) {
                if (window.owner == 0 && window.processId == entry.processId) {
                    shell_.ShowAndPostClose(window.handle);
                    break;
                }
            }
        }
        // Released whether or not close help is on: the handles are ours either way.
        shell_.ReleaseProcess(entry);
    }
    trackedCount_ = 0;
    tracked_ = {};
    if (runEjectionTool && FlgUnplugUse && places_.PortableMode()) RunRecord(UnplagData, false, "");
    return true;
}

void TZanmelModule::LoadSetting(const std::string& path) {
    const ProfileFile file(files_.ReadFile(path).value_or(std::string()));
    FlgWebUse = file.ReadBool(kSection, "FlgWebUse", false);
    FlgMaieUse = file.ReadBool(kSection, "FlgMaieUse", false);
    FlgUnplugUse = file.ReadBool(kSection, "FlgUnplugUse", false);
    FlgOpenExplorer = file.ReadBool(kSection, "FlgOpenExplorer", false);
    FlgUseCloseHelp = file.ReadBool(kSection, "FlgUseCloseHelp", false);
    ScanDirIE = file.ReadString(kSection, "ScanDirIE", "");
    ScanDirProgramScanDir = file.ReadString(kSection, "ScanDirProgramScanDir", "");
    ScanDirExe = file.ReadString(kSection, "ScanDirExe", "");
    ScanDirCustom = file.ReadString(kSection, "ScanDirCustom", "");
    MailData = ReadRecord(file, "MailData");
    WEBData = ReadRecord(file, "WEBData");
    UnplagData = ReadRecord(file, "UnplagData");
}

void TZanmelModule::SaveSetting(const std::string& path) {
    // Read back first: the special folder module's section lives in the same file.
    ProfileFile file(files_.ReadFile(path).value_or(std::string()));
    file.WriteBool(kSection, "FlgWebUse", FlgWebUse);
    file.WriteBool(kSection, "FlgMaieUse", FlgMaieUse);
    file.WriteBool(kSection, "FlgUnplugUse", FlgUnplugUse);
    file.WriteBool(kSection, "FlgOpenExplorer", FlgOpenExplorer);
    file.WriteBool(kSection, "FlgUseCloseHelp", FlgUseCloseHelp);
    file.WriteString(kSection, "ScanDirIE", ScanDirIE);
    file.WriteString(kSection, "ScanDirProgramScanDir", ScanDirProgramScanDir);
    file.WriteString(kSection, "ScanDirExe", ScanDirExe);
    file.WriteString(kSection, "ScanDirCustom", ScanDirCustom);
    file.WriteString(kSection, "MailData", MailData.ToText());
    file.WriteString(kSection, "WEBData", WEBData.ToText());
    file.WriteString(kSection, "UnplagData", UnplagData.ToText());
    files_.WriteFile(path, file.ToBytes());
}

void TZanmelModule::LoadExtList() {
    const std::string path = ExtPath();
    if (std::optional<std::string> bytes = files_.ReadFile(path)) ExtList.LoadFromText(*bytes, path);
}

void TZanmelModule::SaveKeyWords() {
    files_.WriteFile(places_.SheetFolder() + "\\keyword.txt", keywords_.SaveToText());
}

void TZanmelModule::SaveExtList() {
    files_.WriteFile(ExtPath(), ExtList.SaveToText());
}

}  // namespace zanmel
