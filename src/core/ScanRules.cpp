#include "core/ScanRules.h"

#include <utility>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/LauncherItemRules.h"
#include "core/NameCompare.h"
#include "core/PathRules.h"
#include "core/ProfileFile.h"
#include "core/ZanmelError.h"

namespace zanmel {

namespace {

constexpr std::string_view kUntitled = "Untitle";

// The text followed by "_1", "_2", ...: the first that taken refuses, or the text itself when it is free.
template <typename Taken>
std::string FirstFree(const std::string& text, Taken taken) {
    if (!taken(text)) return text;
    for (unsigned n = 1;; ++n) {
        std::string candidate = text + "_" + std::to_string(n);
        if (!taken(candidate)) return candidate;
    }
}

}  // namespace

std::string_view ScanFolderName(std::uint8_t mode) {
    switch (mode) {
        case kScanFavorites:
            return "#IEお気に入り(スキャン)";
        case kScanPrograms:
            return "#プログラム(スキャン)";
        case kScanExe:
            return "#EXEファイル(スキャン)";
        case kScanCustom:
            return "#スキャンファイル(スキャン)";
        default:
            return "";
    }
}

std::string UniqueScanFolderName(const FolderTree& tree, std::string_view name) {
    const std::vector<FolderTree::Node*> nodes = tree.PreOrder();
    return FirstFree(std::string(name), [&](const std::string& text) {
        for (const FolderTree::Node* node : nodes)
            if (node->text == text) return true;
        return false;
    });
}

std::string UniqueScanKeyword(std::string_view keyword, const std::function<bool(std::string_view)>& taken) {
    // Every leading "#" goes: a keyword that still began with one would read back from tree.txt as a folder.
    std::string text = KeywordFromField(keyword);
    while (!text.empty() && text[0] == '#') text = KeywordFromField(std::string_view(text).substr(1));
    if (text.empty()) text = kUntitled;
    return FirstFree(text, [&](const std::string& candidate) { return taken(candidate); });
}

// A dot is never the trail byte of a double-byte character, so the last one is found byte by byte.
std::string FileExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string NameWithoutExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string JoinScanPath(std::string_view folder, std::string_view name) {
    bool endsWithSeparator = false;
    for (std::size_t i = 0; i < folder.size(); i += cp932::CharLength(folder, i))
        endsWithSeparator = cp932::CharLength(folder, i) == 1 && folder[i] == '\\';
    std::string path(folder);
    if (!endsWithSeparator) path += '\\';
    path += name;
    return path;
}

std::string InternetShortcutUrl(std::string_view bytes) {
    return ProfileFile(bytes).ReadString("InternetShortcut", "URL", "0");
}

bool MakesFolderNodes(const ScanOptions& options) {
    return options.mode == kScanFavorites || options.mode == kScanPrograms || options.reflectFolders;
}

std::optional<ScanCandidate> ScanRule(const ScanOptions& options, std::string_view name, std::string_view fullPath,
                                      const DataLocations& places) {
    const std::string extension = FileExtension(name);
    const auto stored = [&] { return AutoRelativePath(places.PortableMode(), places.ProgramFolder(), fullPath); };
    switch (options.mode) {
        case kScanFavorites:
            if (extension != ".url") return std::nullopt;
            return ScanCandidate{NameWithoutExtension(name), std::string(fullPath), true};
        case kScanPrograms:
            if (extension != ".lnk") return std::nullopt;
            return ScanCandidate{NameWithoutExtension(name), std::string(fullPath), false};
        case kScanExe:
            if (extension != ".exe") return std::nullopt;
            return ScanCandidate{NameWithoutExtension(name), stored(), false};
        case kScanCustom: {
            std::vector<std::string> listed = CommaTextSplit(options.extensionList);
            // Folders and files without extension have the empty extension.
            if (options.registerFolders) listed.emplace_back();
            const std::string bare = extension.empty() ? extension : extension.substr(1);
            bool found = false;
            for (const std::string& entry : listed) found = found || SameName(entry, bare);
            if (!found) return std::nullopt;
            std::string keyword;
            if (options.keywordForm == kScanKeywordName) {
                keyword = NameWithoutExtension(name);
            } else if (options.keywordForm == kScanKeywordFullPath) {
                keyword = std::string(fullPath);
            } else {
                keyword = std::string(name);
            }
            return ScanCandidate{std::move(keyword), stored(), false};
        }
        default:
            return std::nullopt;
    }
}

ItemScan::ItemScan(ScanOptions options, Dependencies deps) : options_(std::move(options)), deps_(std::move(deps)) {}

FolderTree::Node* ItemScan::AddTopFolder() {
    FolderTree::Node* node =
        deps_.tree.AppendChild(nullptr, UniqueScanFolderName(deps_.tree, ScanFolderName(options_.mode)));
    node->imageIndex = node->selectedImageIndex = deps_.folderImage;
    return node;
}

FolderTree::Node* ItemScan::EnterFolder(FolderTree::Node* current, std::string_view name, const std::string& fullPath) {
    FolderTree::Node* folder = current;
    if (MakesFolderNodes(options_)) {
        // Folder texts are unique in the whole tree: a second "Sub" anywhere becomes "#Sub_1".
        folder = deps_.tree.AppendChild(current, UniqueScanFolderName(deps_.tree, "#" + std::string(name)));
        folder->imageIndex = folder->selectedImageIndex = deps_.folderImage;
    }
    if (options_.mode == kScanCustom) Offer(folder, name, fullPath);
    return folder;
}

void ItemScan::TakeFile(FolderTree::Node* current, std::string_view name, const std::string& fullPath) {
    Offer(current, name, fullPath);
}

void ItemScan::Offer(FolderTree::Node* current, std::string_view name, const std::string& fullPath) {
    std::optional<ScanCandidate> candidate = ScanRule(options_, name, fullPath, deps_.places);
    if (!candidate) return;
    if (candidate->urlFile) {
        // A shortcut that cannot be read has no URL line either.
        std::optional<std::string> bytes;
        try {
            bytes = deps_.files.ReadFile(candidate->target);
        } catch (const ZanmelError&) {
        }
        candidate->target = InternetShortcutUrl(bytes.value_or(""));
    }
    RegisterScannedItem(current, candidate->keyword, candidate->target);
}

FolderTree::Node* ItemScan::RegisterScannedItem(FolderTree::Node* current, std::string_view keyword,
                                                const std::string& target) {
    const std::string free =
        UniqueScanKeyword(keyword, [&](std::string_view candidate) { return deps_.keyWords.Exists(candidate); });
    TLaunchWordData2 record;
    record.path = target;
    try {
        // The keyword is free, so the module's only message (a duplicate) cannot come; what remains are its
        // errors, such as a target the shell has no icon for. One such file must not end the whole scan.
        if (!deps_.launcher.RegisterItem(free, record, false)) return nullptr;
    } catch (const ZanmelError& error) {
        failures_.push_back(error.what());
        return nullptr;
    }
    // The node goes in before its icon is loaded: an icon file that cannot be loaded ends the scan, and the
    // registered keyword must not be left without its node.
    FolderTree::Node* node = deps_.tree.InsertFirstChild(current, free);
    ++registered_;
    node->imageIndex = node->selectedImageIndex = deps_.imageOf(deps_.keyWords.IconNumberOf(free));
    return node;
}

std::string ScanFailureMessage(const std::vector<std::string>& failures) {
    if (failures.empty()) return "";
    return "登録できなかったファイルが" + std::to_string(failures.size()) + "件あります。\r\n" + failures.front();
}

}  // namespace zanmel
