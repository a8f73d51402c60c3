#include "image/ImageFile.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/ZanmelError.h"
#include "platform/TextCodec.h"

namespace zanmel::image {

namespace {

constexpr const char* kComponent = "ImageFile";

bool SizeAllowed(std::int64_t width, std::int64_t height) {
    return width >= 0 && height >= 0 && width <= Bitmap::kMaxSide && height <= Bitmap::kMaxSide &&
           width * height <= Bitmap::kMaxPixels;
}

[[noreturn]] void Fail(const std::string& path, const char* what, HRESULT hr) {
    char code[32];
    std::snprintf(code, sizeof code, " (0x%08lX)", static_cast<unsigned long>(hr));
    throw ZanmelError(kComponent, path + "\r\n" + what + code);
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
    if (!SizeAllowed(width, height)) throw ZanmelError(kComponent, "画像の大きさが範囲外です。");
    width_ = width;
    height_ = height;
    stride_ = ((width * 3) + 3) & ~3;
    if (Empty()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    handle_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle_ || bits == nullptr) throw ZanmelError(kComponent, "ビットマップを作れません。");
    bits_ = static_cast<std::uint8_t*>(bits);
    std::memset(bits_, 0, static_cast<std::size_t>(stride_) * height_);
}

COLORREF Bitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return RGB(0, 0, 0);
    const std::uint8_t* p = Row(y) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, COLORREF color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = Row(y) + x * 3;
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}

void Bitmap::Resize(int width, int height) {
    Bitmap resized(width, height);
    const int rows = std::min(height, height_);
    const int bytes = std::min(width, width_) * 3;
    for (int y = 0; y < rows && bytes > 0; ++y) std::memcpy(resized.Row(y), Row(y), bytes);
    *this = std::move(resized);
}

void Bitmap::CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY) {
    // Clip the source to the bitmap, then the destination, moving both rectangles together.
    auto clip = [](int& from, int& to, int& length, int limitFrom, int limitTo) {
        const int lead = std::max({0, -from, -to});
        from += lead;
        to += lead;
        length -= lead;
        length = std::min({length, limitFrom - from, limitTo - to});
    };
    clip(srcX, dstX, width, width_, width_);
    clip(srcY, dstY, height, height_, height_);
    if (width <= 0 || height <= 0) return;
    const std::size_t bytes = static_cast<std::size_t>(width) * 3;
    // Copy rows in the order that keeps overlapping source rows intact.
    if (dstY > srcY) {
        for (int y = height - 1; y >= 0; --y) std::memmove(Row(dstY + y) + dstX * 3, Row(srcY + y) + srcX * 3, bytes);
    } else {
        for (int y = 0; y < height; ++y) std::memmove(Row(dstY + y) + dstX * 3, Row(srcY + y) + srcX * 3, bytes);
    }
}

Bitmap ReadImageFile(const std::string& path) {
    platform::ComApartment apartment;
    platform::ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.Put()));
    if (FAILED(hr)) Fail(path, "画像の読み込み部品を使えません。", hr);

    const std::wstring widePath = platform::ToWide(path);
    platform::ComPtr<IWICBitmapDecoder> decoder;
    hr = factory->CreateDecoderFromFilename(widePath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                            decoder.Put());
    if (FAILED(hr)) Fail(path, "画像ファイルを読めません。", hr);
    platform::ComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(0, frame.Put());
    if (FAILED(hr)) Fail(path, "画像ファイルを読めません。", hr);
    UINT width = 0;
    UINT height = 0;
    hr = frame->GetSize(&width, &height);
    if (FAILED(hr)) Fail(path, "画像ファイルを読めません。", hr);
    if (width == 0 || height == 0 || !SizeAllowed(width, height)) {
        Fail(path, "画像の大きさが範囲外です。", E_FAIL);
    }

    // Every colour type and depth is turned into 8-bit BGRA by the codec; the alpha byte is then dropped.
    platform::ComPtr<IWICFormatConverter> converter;
    hr = factory->CreateFormatConverter(converter.Put());
    if (SUCCEEDED(hr)) {
        hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    }
    if (FAILED(hr)) Fail(path, "画像の形式を変換できません。", hr);
    const UINT sourceStride = width * 4;
    std::vector<BYTE> pixels(static_cast<std::size_t>(sourceStride) * height);
    hr = converter->CopyPixels(nullptr, sourceStride, static_cast<UINT>(pixels.size()), pixels.data());
    if (FAILED(hr)) Fail(path, "画像ファイルを読めません。", hr);

    Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    for (UINT y = 0; y < height; ++y) {
        const BYTE* source = pixels.data() + static_cast<std::size_t>(y) * sourceStride;
        for (UINT x = 0; x < width; ++x) {
            bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y),
                            RGB(source[x * 4 + 2], source[x * 4 + 1], source[x * 4]));
        }
    }
    return bitmap;
}

}  // namespace zanmel::image
