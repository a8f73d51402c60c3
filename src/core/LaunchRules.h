#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/KeyWordList.h"
#include "core/LaunchWordData.h"

namespace zanmel {

// Pure decisions of the launch module. Paths are CP932 and scanned by character.

// The extension of the path's file name without its ".", "" when it has none.
std::string ExtensionOf(std::string_view path);
// The folder part of the path, ending in its "\" (or the ":" of a bare drive); "" when there is none.
std::string FolderPartOf(std::string_view path);
// The first entry of the extension list whose key (comma text of extensions) holds extension, compared without
// regard to letter case; entries and the extensions of a key are tried in order.
std::optional<std::size_t> FindExtensionEntry(const TKeyWordList& extensions, std::string_view extension);
// Parameters for a program that opens target: target alone with the bare-argument flag, otherwise target in
// double quotes, then the item's parameters and the program's parameters, each after a space when not empty.
std::string ProgramParameters(std::string_view target, std::string_view itemParameters,
                              const TLaunchWordData2& program);
// The command line of a tracked start: the path in double quotes, a space, the parameters.
std::string TrackedCommandLine(std::string_view path, std::string_view parameters);
// A start is tracked when the path lies on the program's drive (drive parts equal byte for byte), ends in
// ".exe" in any letter case, and the table still has room.
constexpr std::int32_t kTrackedProcessLimit = 200;
bool IsTrackedStart(std::string_view path, std::string_view programDrive, std::int32_t trackedCount);

}  // namespace zanmel
