#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "platform/Handles.h"

namespace zanmel::image {

// A device-independent bitmap of 24-bit pixels, top-down, that GDI can select and copy from. Pixels can be
// read one by one, the bitmap enlarged keeping what it holds, and rectangles copied within it.
class Bitmap {
public:
    Bitmap() = default;
    // A black bitmap; raises ZanmelError when the size is out of range or GDI cannot make it.
    Bitmap(int width, int height);
    Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
    Bitmap& operator=(Bitmap&& other) noexcept {
        if (this != &other) {
            handle_ = std::move(other.handle_);
            bits_ = std::exchange(other.bits_, nullptr);
            width_ = std::exchange(other.width_, 0);
            height_ = std::exchange(other.height_, 0);
            stride_ = std::exchange(other.stride_, 0);
        }
        return *this;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    HBITMAP Handle() const { return handle_.Get(); }

    // The pixel as a COLORREF (red in the low byte); black outside the bitmap.
    COLORREF Pixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    // New size; the old pixels stay at the top left, new ones are black.
    void Resize(int width, int height);
    // Copies a rectangle to another place in the same bitmap; overlapping rectangles and parts outside the
    // bitmap are handled (the outside parts are left out).
    void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY);

    // Largest side and pixel count accepted, so that a file that claims a huge size cannot exhaust memory.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

private:
    std::uint8_t* Row(int y) const { return bits_ + static_cast<std::size_t>(y) * stride_; }

    platform::BitmapHandle handle_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

// Reads a PNG (any colour type and bit depth, interlaced or not) or BMP file into a 24-bit bitmap, ignoring
// transparency. A file that cannot be opened or decoded raises ZanmelError ("ImageFile\r\n...").
Bitmap ReadImageFile(const std::string& path);

}  // namespace zanmel::image
