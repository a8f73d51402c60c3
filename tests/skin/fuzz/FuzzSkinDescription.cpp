// The loader's and the listing's readers of descript.txt on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/ZanmelError.h"
#include "skin/SkinDescription.h"

namespace {

class SilentUserInterface : public zanmel::UserInterface {
public:
    void ShowMessage(std::string_view) override {}
    bool Confirm(std::string_view) override { return false; }
    std::optional<std::string> QueryText(std::string_view, std::string_view, std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return std::nullopt; }
    std::string BrowseFolder(Owner, std::string_view, std::string_view) override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SilentUserInterface ui;
    const zanmel::skin::SkinKeyValues keys = zanmel::skin::ParseSkinDescription(bytes);
    for (const auto& [key, value] : keys.Pairs()) {
        if (keys.Find(key) == nullptr) __builtin_trap();
        zanmel::skin::ReadSkinBool(keys, key, true);
        try {
            zanmel::skin::ParseSkinInteger(value);
        } catch (const zanmel::ZanmelError&) {
        }
    }
    if (auto header = zanmel::skin::ReadSkinHeader(bytes, ui)) {
        if (header->name.size() > size || header->maker.size() > size) __builtin_trap();
    }
    return 0;
}
