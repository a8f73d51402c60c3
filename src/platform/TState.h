#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataLocations.h"
#include "core/TDebugTimer.h"
#include "core/UserInterface.h"
#include "platform/DirectoryView.h"

namespace zanmel::platform {

// Where the program's data lies. Decided once at start-up from the executable's own path: the program folder
// (also made the current directory), its drive, whether that drive is removable (portable mode), the
// computer's name and the sheet to load first. Creates the folder layout below the program folder when it is
// missing and keeps the list of sheets offered for switching.
class TState : public DataLocations {
public:
    // exePath: full path of the executable; "" means the running executable. Timed as "TState::TState".
    explicit TState(TDebugTimer& timer, const std::string& exePath = "");

    bool PortableMode() const override { return portableMode_; }
    const std::string& ProgramFolder() const override { return programFolder_; }
    const std::string& ComputerName() const { return computerName_; }
    const std::string& ProgramDrive() const override { return programDrive_; }
    const std::string& SheetFolder() const override { return sheetFolder_; }
    const std::string& HomeSheetFolder() const override { return homeSheetFolder_; }
    const std::vector<std::string>& SheetList() const { return sheetList_; }
    // Program folder + "\data".
    std::string DataRoot() const { return programFolder_ + "\\data"; }

    // Switches to the sheet of that name: data root + "\" + name.
    void SetSheetFolder(std::string_view sheetName);
    // Rebuilds the sheet list from the folders of the data root.
    void RefreshSheetList();

    // The folder-selection dialog titled "フォルダを選んで下さい"; the chosen folder, or "" when cancelled.
    std::string FolderBrowser(UserInterface& ui, UserInterface::Owner owner, std::string_view initialFolder) const;

    // The path relative to the program folder when it lies on the program's drive, else unchanged.
    std::string RelativePath(std::string_view path) const;
    // A path the user has just chosen, as an item dialog stores it: relative in portable mode on the program
    // drive, else unchanged.
    std::string AutoRelativePath(std::string_view path) const;
    // Makes the program folder the current directory and expands path against it ("." and ".." resolved);
    // a path the system cannot expand is returned unchanged.
    std::string AbsolutePath(std::string_view path) const;

    // Names of the folders directly in folder whose attributes are the directory attribute alone, in
    // enumeration order, as comma text.
    static std::string ListSubFolders(const std::string& folder);
    // Copies the tree below source into destination, overwriting files, while view is shown: each entry's path
    // is shown in the view and pending messages run before it is copied. Closing the view (or the program
    // quitting) stops the copy at the next entry. Failures to copy an entry are skipped. Each file is replaced
    // atomically (CopyFileAtomically), so an interrupted copy never leaves a torn file. Temporary files that an
    // earlier crash left in a destination folder are removed as the walk reaches it.
    static void CopyFolderTree(DirectoryView& view, const std::string& destination, const std::string& source);
    // CopyFolderTree into a sheet folder, so that the sheet changes as one step: every file is first copied
    // beside its target under a temporary name; only a walk that ran to its end then renames them over their
    // targets one after the other, keyword.txt last. A walk cut short, or a file that could not be copied,
    // removes the copies and leaves the sheet as it was; when a file cannot be renamed over its target,
    // keyword.txt is not replaced, so the sheet never holds a new keyword.txt beside older files. Returns the
    // target of the first file that could not be copied or put in place (nothing when the sheet is the source's
    // now, or the walk was stopped), so that the caller can tell the user.
    static std::optional<std::string> CopySheetFolder(DirectoryView& view, const std::string& destination,
                                                      const std::string& source);

private:
    // Walks source while view is shown, making the folders at destination and handing each file to copyFile;
    // false when the walk was cut short.
    static bool WalkFolderTree(DirectoryView& view, const std::string& destination, const std::string& source,
                               const std::function<void(const std::string& from, const std::string& to)>& copyFile);

    bool portableMode_ = false;
    std::string programFolder_;
    std::string computerName_;
    std::string programDrive_;
    std::string sheetFolder_;
    std::string homeSheetFolder_;
    std::vector<std::string> sheetList_;
};

// The title of the folder browser.
extern const char* const kFolderBrowserTitle;

}  // namespace zanmel::platform
