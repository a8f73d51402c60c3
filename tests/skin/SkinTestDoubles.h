#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ZanmelError.h"
#include "skin/TSkinDriver.h"

namespace zanmel::test {

// A raster in memory with the same contract as the Windows bitmap.
class MemoryImage : public skin::SkinImage {
public:
    MemoryImage(int width, int height, skin::ColorRef fill = 0)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    skin::ColorRef Pixel(int x, int y) const override { return pixels_.at(static_cast<std::size_t>(y) * width_ + x); }
    void Set(int x, int y, skin::ColorRef color) { pixels_.at(static_cast<std::size_t>(y) * width_ + x) = color; }
    void Resize(int width, int height) override {
        MemoryImage resized(width, height);
        for (int y = 0; y < std::min(height, height_); ++y) {
            for (int x = 0; x < std::min(width, width_); ++x) resized.Set(x, y, Pixel(x, y));
        }
        *this = resized;
    }
    void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY) override {
        std::vector<skin::ColorRef> block;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) block.push_back(Pixel(srcX + x, srcY + y));
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) Set(dstX + x, dstY + y, block[static_cast<std::size_t>(y) * width + x]);
        }
    }

private:
    int width_;
    int height_;
    std::vector<skin::ColorRef> pixels_;
};

// Folders, files and images in memory. Paths use backslashes like on Windows.
class MemorySkinEnvironment : public skin::SkinEnvironment {
public:
    std::map<std::string, std::vector<skin::SkinFolderEntry>> folders;
    std::map<std::string, std::string> files;
    std::map<std::string, MemoryImage> images;  // decodable image files (also present in files)
    skin::SkinScreenSize screen{1024, 768};
    std::vector<std::string> imagesRead;
    std::string unreadable;  // a file that exists but cannot be read

    std::vector<skin::SkinFolderEntry> ListFolder(const std::string& folder) override {
        auto it = folders.find(folder);
        return it == folders.end() ? std::vector<skin::SkinFolderEntry>{} : it->second;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        if (path == unreadable) throw ZanmelError("File", "cannot read " + path);
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::unique_ptr<skin::SkinImage> ReadImage(const std::string& path) override {
        imagesRead.push_back(path);
        auto it = images.find(path);
        if (it == images.end()) throw ZanmelError("ImageFile", path);
        return std::make_unique<MemoryImage>(it->second);
    }
    skin::SkinScreenSize PrimaryScreenSize() override { return screen; }

    // A skin folder below C:\Z\skin with a description file.
    void AddSkin(const std::string& folder, const std::string& description, std::uint32_t attributes = 0x10) {
        folders["C:\\Z\\skin"].push_back({folder, attributes});
        files["C:\\Z\\skin\\" + folder + "\\descript.txt"] = description;
    }
    void AddImage(const std::string& path, MemoryImage image) {
        files[path] = "image";
        images.emplace(path, std::move(image));
    }
};

}  // namespace zanmel::test
