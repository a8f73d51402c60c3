#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zanmel::platform {

// Replaces the file at path (CP932) with bytes so that a crash, a full disk or a drive pulled out mid-write
// leaves either the old file or the new one, never a part of one: the bytes go to a temporary file in the same
// folder, are flushed to the device, and the temporary file is then renamed over the target. Brief sharing
// violations (virus scanners, indexers) are retried. A file that already holds exactly these bytes is not written
// at all, so an unchanged file on a write-protected medium saves without error. On failure the old file is left
// as it was, the temporary file is removed, and a ZanmelError naming the file is thrown.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Copies the file at source over destination the same way: the copy (with the source's attributes and times)
// goes to a temporary file beside destination, is flushed to the device and then renamed over it, so a copy that
// fails half-way leaves destination as it was and the source untouched. False when it could not be copied; the
// temporary file is removed then.
bool CopyFileAtomically(const std::string& source, const std::string& destination);

// The copy above in two steps, for files that must change together: StageCopy copies source to a temporary
// file beside destination and flushes it (its path, or nothing when that failed, leaving nothing behind);
// CommitStagedCopy renames it over destination (false when that failed, the temporary file removed then);
// DiscardStagedCopy removes a staged copy that is not to be committed.
std::optional<std::string> StageCopy(const std::string& source, const std::string& destination);
bool CommitStagedCopy(const std::string& staged, const std::string& source, const std::string& destination);
void DiscardStagedCopy(const std::string& staged);

// Removes the temporary files of writes and copies (names as below) that a crash or a pulled drive left in the
// folder; WriteFileAtomically does so for the folder it writes.
void RemoveLeftTemporaryFiles(const std::string& folder);

// True for the name of the temporary file that a write or copy above uses ("znm", hexadecimal digits, ".tmp"):
// one that a crash or a pulled drive left behind is passed over by folder copies, so it does not spread.
bool IsTemporaryCopyName(std::string_view name);

// The whole content of the file, or nothing when it does not exist. Any other failure to read throws a
// ZanmelError naming the file.
std::optional<std::string> ReadFileBytes(const std::string& path);

// True when path names an existing file or folder.
bool PathExists(const std::string& path);
// True when path names an existing folder.
bool FolderExists(const std::string& path);

}  // namespace zanmel::platform
