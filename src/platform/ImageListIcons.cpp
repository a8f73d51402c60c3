#include "platform/ImageListIcons.h"

#include <algorithm>

#include "platform/Handles.h"

namespace zanmel::platform {

namespace {

constexpr int kSide = 16;
constexpr std::size_t kIconsPerStrip = 1024;  // a strip 16,384 pixels wide

// One strip of icons side by side: the colour as a 32-bit top-down bitmap, the mask as a monochrome one (set
// where transparent); ImageList_Add cuts it into images.
int AddStrip(HIMAGELIST list, const CapturedIcon* icons, std::size_t count) {
    const int width = kSide * static_cast<int>(count);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour) return -1;
    const std::size_t maskStride = static_cast<std::size_t>((width + 15) / 16) * 2;  // rows of whole words
    std::vector<std::uint8_t> mask(maskStride * kSide, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < count; ++i) {
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const std::size_t from = static_cast<std::size_t>(y * kSide + x);
                const std::size_t column = i * kSide + static_cast<std::size_t>(x);
                pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + column] = icons[i].colour[from];
                if (icons[i].maskSet[from]) {
                    mask[static_cast<std::size_t>(y) * maskStride + column / 8] |=
                        static_cast<std::uint8_t>(0x80u >> (column % 8));
                }
            }
        }
    }
    GdiObject<HBITMAP> maskBitmap(CreateBitmap(width, kSide, 1, 1, mask.data()));
    if (!maskBitmap) return -1;
    return ImageList_Add(list, colour.Get(), maskBitmap.Get());
}

}  // namespace

int AddSmallIcons(HIMAGELIST list, const std::vector<CapturedIcon>& icons) {
    int first = -1;
    for (std::size_t done = 0; done < icons.size(); done += kIconsPerStrip) {
        const int index = AddStrip(list, icons.data() + done, std::min(kIconsPerStrip, icons.size() - done));
        if (index < 0) return -1;
        if (first < 0) first = index;
    }
    return first;
}

}  // namespace zanmel::platform
