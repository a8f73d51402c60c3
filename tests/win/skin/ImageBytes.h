#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zanmel::test {

// The samples of one pixel, in the order of the colour type's channels (a palette index for type 3).
using PixelSamples = std::function<std::vector<std::uint32_t>(int x, int y)>;

struct PngFormat {
    int width = 1;
    int height = 1;
    int colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::uint8_t> palette;       // RGB triples for type 3
    std::vector<std::uint8_t> transparency;  // tRNS chunk bytes, when not empty
};

// A PNG file: zlib stored blocks, filter 0 on every row, Adam7 passes when interlaced.
std::string EncodePng(const PngFormat& format, const PixelSamples& samples);
// The same PNG with another width and height in its header (checksum fixed), the pixel data left as it was.
std::string WithDeclaredSize(std::string png, std::uint32_t width, std::uint32_t height);
// A bottom-up 24-bit BMP file; pixels as COLORREF (red in the low byte).
std::string EncodeBmp24(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel);

}  // namespace zanmel::test
