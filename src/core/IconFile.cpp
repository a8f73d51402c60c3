#include "core/IconFile.h"

namespace zanmel {

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::uint32_t IconMaskSize(int width, int height) {
    std::uint32_t size = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) / 8;
    return width == 16 ? size * 2 : size;
}

std::string IconFileBytes(const CapturedIcon& icon) {
    const std::uint32_t w = static_cast<std::uint32_t>(icon.width);
    const std::uint32_t h = static_cast<std::uint32_t>(icon.height);
    const std::uint32_t pixelBytes = w * 4 * h;
    const std::uint32_t maskSize = IconMaskSize(icon.width, icon.height);

    std::string out;
    out.reserve(62 + pixelBytes + maskSize);
    // Header: reserved, type, image count.
    Put16(out, 0);
    Put16(out, icon.cursor ? 2 : 1);
    Put16(out, 1);
    // Directory entry.
    out.push_back(static_cast<char>(w & 0xFF));
    out.push_back(static_cast<char>(h & 0xFF));
    out.push_back(0);  // colour count
    out.push_back(0);  // reserved
    Put16(out, icon.cursor ? static_cast<std::uint32_t>(icon.hotSpotX) : 0);
    Put16(out, icon.cursor ? static_cast<std::uint32_t>(icon.hotSpotY) : 0);
    Put32(out, pixelBytes + maskSize + 40);
    Put32(out, 22);
    // Bitmap header: the height counts colour and mask together.
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h * 2);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, pixelBytes + maskSize);
    out.append(16, '\0');

    const auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x); };
    for (int y = icon.height - 1; y >= 0; --y) {
        for (int x = 0; x < icon.width; ++x) {
            const std::uint32_t rgb = icon.colour.at(at(x, y));
            out.push_back(static_cast<char>(rgb & 0xFF));
            out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
            out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
            out.push_back(0);
        }
    }
    unsigned bits = 0;
    int filled = 0;
    for (int y = icon.height - 1; y >= 0; --y) {
        for (int x = 0; x < icon.width; ++x) {
            bits = (bits << 1) | (icon.maskSet.at(at(x, y)) != 0 ? 1u : 0u);
            if (++filled == 8) {
                out.push_back(static_cast<char>(bits & 0xFF));
                bits = 0;
                filled = 0;
            }
        }
        if (icon.width == 16) out.append(2, '\xFF');
    }
    return out;
}

}  // namespace zanmel
