#include "platform/FolderScan.h"

#include <windows.h>

#include "core/PathRules.h"
#include "platform/Handles.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

void ScanFolder(DirectoryView& view, ItemScan& scan, const std::string& folder, FolderTree::Node* node) {
    if (!view.IsShown()) return;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(ToWide(JoinScanPath(folder, "*")).c_str(), &data));
    if (!find) return;
    do {
        const std::string name = ToCp932(data.cFileName);
        if (IsDotEntry(name)) continue;
        const std::string path = JoinScanPath(folder, name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            view.ShowPath(path);
            // The program quitting ends the walk as well.
            if (!PumpPendingMessages()) return;
            FolderTree::Node* child = scan.EnterFolder(node, name, path);
            ScanFolder(view, scan, path, child);
        } else {
            scan.TakeFile(node, name, path);
        }
    } while (FindNextFileW(find.Get(), &data));
}

}  // namespace zanmel::platform
