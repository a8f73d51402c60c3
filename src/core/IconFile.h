#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// The pixels of one captured icon, read out of its colour and mask bitmaps. Rows run from the top down.
struct CapturedIcon {
    int width = 0;
    int height = 0;
    bool cursor = false;  // the handle was a cursor: type 2 and the hot spot in the directory entry
    int hotSpotX = 0;
    int hotSpotY = 0;
    // width * height pixels, 0x00RRGGBB.
    std::vector<std::uint32_t> colour;
    // width * height bytes: non-zero where the mask pixel is not black (transparent).
    std::vector<std::uint8_t> maskSet;
};

// Bytes of the mask of a w x h icon: one bit per pixel, 16-pixel rows padded to 4 bytes.
std::uint32_t IconMaskSize(int width, int height);

// The .ico file of one 32-bit image: header, directory entry, bitmap header, colour rows bottom-up as
// blue, green, red, 0, then the mask rows bottom-up, most significant bit first. A 16 x 16 icon gives 1150 bytes.
std::string IconFileBytes(const CapturedIcon& icon);

// The pixels of a 16 x 16 icon file laid out exactly as IconFileBytes writes it, so that a sheet's icons can be
// put into the image list in one step; nothing for any other file (the platform then loads it).
std::optional<CapturedIcon> ReadSmallIconFile(std::string_view bytes);

}  // namespace zanmel
