#include "core/LaunchRules.h"

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/PathRules.h"

namespace zanmel {

namespace {

// Position after the last single-byte "\" or ":", 0 when none.
std::size_t FileNameStart(std::string_view path) {
    std::size_t after = 0;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == ':')) after = i + 1;
    }
    return after;
}

}  // namespace

std::string ExtensionOf(std::string_view path) {
    const std::size_t start = FileNameStart(path);
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = start; i < path.size(); i += cp932::CharLength(path, i)) {
        if (cp932::CharLength(path, i) == 1 && path[i] == '.') dot = i;
    }
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

std::string FolderPartOf(std::string_view path) {
    return std::string(path.substr(0, FileNameStart(path)));
}

std::optional<std::size_t> FindExtensionEntry(const TKeyWordList& extensions, std::string_view extension) {
    for (std::size_t i = 0; i < extensions.Count(); ++i) {
        for (const std::string& item : CommaTextSplit(extensions.KeyWordAt(i))) {
            if (cp932::EqualsIgnoreCase(item, extension)) return i;
        }
    }
    return std::nullopt;
}

std::string ProgramParameters(std::string_view target, std::string_view itemParameters,
                              const TLaunchWordData2& program) {
    if (program.IsBareArgument()) return std::string(target);
    std::string out = "\"" + std::string(target) + "\"";
    if (!itemParameters.empty()) out += " " + std::string(itemParameters);
    if (!program.parameters.empty()) out += " " + program.parameters;
    return out;
}

std::string TrackedCommandLine(std::string_view path, std::string_view parameters) {
    return "\"" + std::string(path) + "\" " + std::string(parameters);
}

bool IsTrackedStart(std::string_view path, std::string_view programDrive, std::int32_t trackedCount) {
    return DrivePart(path) == programDrive && cp932::EqualsIgnoreCase("." + ExtensionOf(path), ".exe") &&
           trackedCount < kTrackedProcessLimit;
}

}  // namespace zanmel
