// The whole description load, images included, on arbitrary descript.txt bytes: no fault, and every raised
// error is the reader's own.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "core/FileAccess.h"
#include "core/ZanmelError.h"
#include "skin/TSkinDriver.h"

namespace {

using namespace zanmel;

class SilentUserInterface : public UserInterface {
public:
    void ShowMessage(std::string_view) override {}
    bool Confirm(std::string_view) override { return false; }
    std::optional<std::string> QueryText(std::string_view, std::string_view, std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(std::string_view, std::string_view) override { return std::nullopt; }
    std::string BrowseFolder(Owner, std::string_view, std::string_view) override { return {}; }
};

class NoFiles : public FileAccess, public MillisecondClock {
public:
    std::optional<std::string> ReadFile(const std::string&) override { return std::nullopt; }
    void WriteFile(const std::string&, std::string_view) override {}
    std::uint32_t Now() override { return 0; }
};

// A small raster so pre-tiling runs on real pixels.
class TinyImage : public skin::SkinImage {
public:
    int Width() const override { return w; }
    int Height() const override { return h; }
    skin::ColorRef Pixel(int x, int y) const override {
        if (x < 0 || y < 0 || x >= w || y >= h) __builtin_trap();
        return 0;
    }
    void Resize(int width, int height) override {
        w = width;
        h = height;
    }
    void CopyRect(int sx, int sy, int cw, int ch, int dx, int dy) override {
        if (sx < 0 || sy < 0 || dx < 0 || dy < 0 || sx + cw > w || sy + ch > h || dx + cw > w || dy + ch > h) {
            __builtin_trap();
        }
    }
    int w = 3;
    int h = 2;
};

class Environment : public skin::SkinEnvironment {
public:
    std::string description;
    std::vector<skin::SkinFolderEntry> ListFolder(const std::string&) override { return {{"s", 0x10}}; }
    std::optional<std::string> ReadFile(const std::string& path) override {
        if (path == "C:\\P\\skin\\s\\descript.txt") return description;
        return std::nullopt;
    }
    bool FileExists(const std::string& path) override { return path.size() % 2 == 0; }
    std::unique_ptr<skin::SkinImage> ReadImage(const std::string& path) override {
        if (path.size() % 4 == 0) throw ZanmelError("ImageFile", path);
        return std::make_unique<TinyImage>();
    }
    skin::SkinScreenSize PrimaryScreenSize() override { return {64, 48}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NoFiles files;
    TDebugTimer timer(files, files, "C:\\P\\Debug.log");
    Environment env;
    env.description.assign(reinterpret_cast<const char*>(data), size);
    env.description.insert(0, "type,skin\r\n");
    SilentUserInterface ui;
    skin::TSkinDriver driver(timer, env, ui, "C:\\P");
    try {
        driver.LoadDescription("skin\\s\\descript.txt");
    } catch (const ZanmelError&) {
    }
    (void)driver.GetSkinNames();
    return 0;
}
