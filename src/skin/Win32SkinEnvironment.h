#pragma once

#include <windows.h>

#include "image/ImageFile.h"
#include "skin/TSkinDriver.h"

namespace zanmel::skin {

// A skin graphic's image held as a 24-bit device-independent bitmap, ready for GDI copies.
class DibSkinImage : public SkinImage {
public:
    explicit DibSkinImage(image::Bitmap bitmap) : bitmap_(std::move(bitmap)) {}
    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    ColorRef Pixel(int x, int y) const override { return bitmap_.Pixel(x, y); }
    void Resize(int width, int height) override { bitmap_.Resize(width, height); }
    void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY) override {
        bitmap_.CopyRect(srcX, srcY, width, height, dstX, dstY);
    }
    const image::Bitmap& Bitmap() const { return bitmap_; }

private:
    image::Bitmap bitmap_;
};

// The skin driver's view of Windows: FindFirstFileW listings, file reads, WIC images, the primary screen.
class Win32SkinEnvironment : public SkinEnvironment {
public:
    std::vector<SkinFolderEntry> ListFolder(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::unique_ptr<SkinImage> ReadImage(const std::string& path) override;
    SkinScreenSize PrimaryScreenSize() override;
};

// A colour reference as GDI draws it: system colour indexes are looked up now.
COLORREF ResolveColor(ColorRef color);

// The bitmap of a graphic, or nullptr when it has none.
HBITMAP GraphicBitmap(const TCustomSkinGraphic& graphic);

}  // namespace zanmel::skin
