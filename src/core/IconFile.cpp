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

std::uint32_t Get16(std::string_view in, std::size_t at) {
    return static_cast<std::uint8_t>(in[at]) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(in[at + 1])) << 8);
}

std::uint32_t Get32(std::string_view in, std::size_t at) {
    return Get16(in, at) | (Get16(in, at + 2) << 16);
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

std::optional<CapturedIcon> ReadSmallIconFile(std::string_view bytes) {
    constexpr int kSide = 16;
    constexpr std::size_t kPixels = 62, kMask = kPixels + kSide * kSide * 4, kSize = kMask + kSide * 4;
    if (bytes.size() != kSize) return std::nullopt;
    const bool layout = Get16(bytes, 0) == 0 && Get16(bytes, 2) == 1 && Get16(bytes, 4) == 1 &&
                        Get16(bytes, 6) == kSide * 0x101 && Get32(bytes, 14) == kSize - 22 && Get32(bytes, 18) == 22 &&
                        Get32(bytes, 22) == 40 && Get32(bytes, 26) == kSide && Get32(bytes, 30) == kSide * 2 &&
                        Get16(bytes, 34) == 1 && Get16(bytes, 36) == 32 && Get32(bytes, 38) == 0;
    if (!layout) return std::nullopt;
    CapturedIcon icon;
    icon.width = icon.height = kSide;
    icon.colour.resize(kSide * kSide);
    icon.maskSet.resize(kSide * kSide);
    for (int y = 0; y < kSide; ++y) {
        const std::size_t row = static_cast<std::size_t>(kSide - 1 - y);  // rows are stored bottom-up
        for (int x = 0; x < kSide; ++x) {
            const std::size_t at = kPixels + (row * kSide + static_cast<std::size_t>(x)) * 4;
            const std::size_t pixel = static_cast<std::size_t>(y * kSide + x);
            icon.colour[pixel] = Get32(bytes, at) & 0xFFFFFF;
            const auto maskByte = static_cast<std::uint8_t>(bytes[kMask + row * 4 + static_cast<std::size_t>(x / 8)]);
            icon.maskSet[pixel] = (maskByte >> (7 - x % 8)) & 1;
        }
    }
    return icon;
}

}  // namespace zanmel
