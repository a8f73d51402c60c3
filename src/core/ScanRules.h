#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataLocations.h"
#include "core/FileAccess.h"
#include "core/FolderTree.h"
#include "core/KeyWordList.h"
#include "core/TZanmelModule.h"

namespace zanmel {

// The four kinds of scan.
constexpr std::uint8_t kScanFavorites = 0;  // browser favourites, *.url
constexpr std::uint8_t kScanPrograms = 1;   // start menu shortcuts, *.lnk
constexpr std::uint8_t kScanExe = 2;        // programs, *.exe
constexpr std::uint8_t kScanCustom = 3;     // files of the extensions the user lists

// The keyword forms of the detailed scan.
constexpr int kScanKeywordName = 0;         // file name without its extension
constexpr int kScanKeywordNameWithExt = 1;  // file name with its extension
constexpr int kScanKeywordFullPath = 2;     // full path

// What the scan dialog sets for one run.
struct ScanOptions {
    std::uint8_t mode = kScanFavorites;
    std::string extensionList;  // comma text, without dots (detailed scan)
    int keywordForm = kScanKeywordNameWithExt;
    bool reflectFolders = false;   // folder nodes for subfolders in the EXE and detailed scans
    bool registerFolders = false;  // detailed scan: folders and files without extension are taken too
};

// The folder name of a scan's new top-level folder, "#" included; "" for an unknown mode.
std::string_view ScanFolderName(std::uint8_t mode);
// name, else name + "_1", "_2", ...: the first text that no node of the whole tree carries (letter case counts).
std::string UniqueScanFolderName(const FolderTree& tree, std::string_view name);
// The keyword a scanned item gets: without a leading "#", "Untitle" when nothing is left, then with "_1", "_2",
// ... appended while the keyword is taken.
std::string UniqueScanKeyword(std::string_view keyword, const std::function<bool(std::string_view)>& taken);

// The extension of a file name with its dot (".txt"), "" when the name has no dot.
std::string FileExtension(std::string_view name);
std::string NameWithoutExtension(std::string_view name);
// folder + "\" + name, without doubling a "\" that ends folder (a drive root).
std::string JoinScanPath(std::string_view folder, std::string_view name);
// URL of [InternetShortcut] of an internet shortcut file's bytes, "0" when there is none.
std::string InternetShortcutUrl(std::string_view bytes);

// Whether the scan reproduces subfolders as folder nodes: always for favourites and programs, on request for the
// other two.
bool MakesFolderNodes(const ScanOptions& options);

// What the scan's rule proposes for an entry: a keyword (before it is made unique) and a target. For a
// favourite the target is the file's path and urlFile is set: the URL inside the file is the real target.
struct ScanCandidate {
    std::string keyword;
    std::string target;
    bool urlFile = false;
    bool operator==(const ScanCandidate&) const = default;
};
// The rule of the options' mode for a file called name at fullPath; in the detailed scan also for a
// subfolder. Nothing when the entry is not taken. Program and detailed targets on the program drive are
// stored relative to the program folder in portable mode.
std::optional<ScanCandidate> ScanRule(const ScanOptions& options, std::string_view name, std::string_view fullPath,
                                      const DataLocations& places);

// One run of the scanner: puts the folder nodes and items found into the tree and registers the items in the
// keyword index through the launch module (keyword.txt is not saved here). The walker calls EnterFolder for
// every subfolder and TakeFile for every file, depth first.
class ItemScan {
public:
    struct Dependencies {
        FolderTree& tree;
        TZanmelModule& launcher;
        const TKeyWordList& keyWords;
        FileAccess& files;
        const DataLocations& places;
        // The image index of a registered item's icon number (loading it into the image list when needed).
        std::function<int(std::int32_t iconNumber)> imageOf;
        int folderImage = 0;
    };
    ItemScan(ScanOptions options, Dependencies deps);

    const ScanOptions& Options() const { return options_; }
    // The run's new top-level folder at the end of the tree, under its unique folder name.
    FolderTree::Node* AddTopFolder();
    // A subfolder of current: its folder node (a new last child of current, or current itself), with the
    // subfolder registered under it when the detailed rule takes it.
    FolderTree::Node* EnterFolder(FolderTree::Node* current, std::string_view name, const std::string& fullPath);
    // A file in the folder of current: registered under current when the mode's rule takes it.
    void TakeFile(FolderTree::Node* current, std::string_view name, const std::string& fullPath);
    // Registers the target under a free keyword as the first child of current; returns the new node, or null when
    // the launch module could not register it (its error text is kept in Failures).
    FolderTree::Node* RegisterScannedItem(FolderTree::Node* current, std::string_view keyword,
                                          const std::string& target);

    std::size_t RegisteredCount() const { return registered_; }
    // The texts of the errors that kept items out (for example a target without an icon), in order.
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    void Offer(FolderTree::Node* current, std::string_view name, const std::string& fullPath);

    ScanOptions options_;
    Dependencies deps_;
    std::size_t registered_ = 0;
    std::vector<std::string> failures_;
};

// The message after a scan that left items out: how many, and the first error's text.
std::string ScanFailureMessage(const std::vector<std::string>& failures);

}  // namespace zanmel
