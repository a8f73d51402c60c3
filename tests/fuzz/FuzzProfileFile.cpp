// Any bytes load as a profile file; reading, writing and saving them never fault, and the engine keeps its
// promises on whatever it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Cp932.h"
#include "core/ProfileFile.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zanmel::ProfileFile file(bytes);

    const char* sections[] = {"Setting", "HotKeyZanmel", "BackUp", ""};
    const char* keys[] = {"ForeCaseSensitive", "VK", "DefaultSkinName", ""};
    for (const char* section : sections) {
        for (const char* key : keys) {
            std::string text = file.ReadString(section, key, "default");
            Check(text.size() <= zanmel::ProfileFile::kMaxTextBytes);
            Check(zanmel::cp932::IsCharBoundary(text, text.size()));
            (void)file.ReadInteger(section, key, 0);
            (void)file.ReadBool(section, key, true);
        }
    }

    // Serialising is stable: what was written reads back as the same file.
    std::string saved = file.ToBytes();
    Check(zanmel::ProfileFile(saved).ToBytes() == saved);

    // A value written, with the input's first bytes as a name, reads back after a save.
    std::string section(bytes.substr(0, 8));
    file.WriteInteger("Setting", "VK", 65);
    file.WriteString(section, "Fuzz", "value");
    zanmel::ProfileFile reread(file.ToBytes());
    Check(reread.ReadInteger("Setting", "VK", 0) == 65);
    return 0;
}
