#pragma once

#include <string>

#include "core/FolderTree.h"
#include "core/ScanRules.h"
#include "platform/DirectoryView.h"

namespace zanmel::platform {

// The scanner's walk of folder, depth first, with node as the current node: every entry (hidden and system ones
// too) in the order the file system returns them, each subfolder handed to scan and walked when it is met, each
// file handed to scan. Returns at once when view is no longer shown, checked once per folder entered, so closing
// the view stops the walk from entering further folders while the folders already open are read to their end.
// Before each subfolder its path is shown in the view and pending messages run. A folder that cannot be opened
// is passed over.
void ScanFolder(DirectoryView& view, ItemScan& scan, const std::string& folder, FolderTree::Node* node);

}  // namespace zanmel::platform
