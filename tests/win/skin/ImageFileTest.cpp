#include "image/ImageFile.h"

#include <gtest/gtest.h>

#include "ImageBytes.h"
#include "WinTestSupport.h"
#include "core/ZanmelError.h"

namespace zanmel::image {
namespace {

using test::EncodePng;
using test::PngFormat;

class ImageFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    Bitmap Read(const std::string& name, const std::string& bytes) {
        test::WritePlainFile(folder / name, bytes);
        return ReadImageFile(folder / name);
    }
};

TEST_F(ImageFileTest, OnePixelRgbAndSixteenBitRgb) {
    Bitmap one = Read("one.png", EncodePng({}, [](int, int) { return std::vector<std::uint32_t>{10, 20, 30}; }));
    ASSERT_EQ(one.Width(), 1);
    ASSERT_EQ(one.Height(), 1);
    EXPECT_EQ(one.Pixel(0, 0), RGB(10, 20, 30));

    PngFormat deep;
    deep.width = 2;
    deep.bitDepth = 16;
    Bitmap wide = Read("deep.png", EncodePng(deep, [](int x, int) {
                           return x == 0 ? std::vector<std::uint32_t>{0xABAB, 0x0101, 0xFFFF}
                                         : std::vector<std::uint32_t>{0, 0x8080, 0x2020};
                       }));
    EXPECT_EQ(wide.Pixel(0, 0), RGB(0xAB, 0x01, 0xFF));
    EXPECT_EQ(wide.Pixel(1, 0), RGB(0, 0x80, 0x20));
}

TEST_F(ImageFileTest, PaletteAndGreyImagesIgnoringTransparency) {
    PngFormat palette;
    palette.width = 5;
    palette.height = 2;
    palette.colorType = 3;
    palette.bitDepth = 2;
    palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 7, 8, 9};
    palette.transparency = {0, 0, 0, 0};  // every entry fully transparent: ignored
    Bitmap p = Read("palette.png", EncodePng(palette, [](int x, int y) {
                        return std::vector<std::uint32_t>{static_cast<std::uint32_t>((x + y) % 4)};
                    }));
    EXPECT_EQ(p.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(p.Pixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(p.Pixel(3, 0), RGB(7, 8, 9));
    EXPECT_EQ(p.Pixel(4, 1), RGB(0, 255, 0));

    PngFormat grey;
    grey.width = 9;
    grey.colorType = 0;
    grey.bitDepth = 1;
    Bitmap g =
        Read("grey.png", EncodePng(grey, [](int x, int) { return std::vector<std::uint32_t>{x == 8 ? 1u : 0u}; }));
    EXPECT_EQ(g.Pixel(7, 0), RGB(0, 0, 0));
    EXPECT_EQ(g.Pixel(8, 0), RGB(255, 255, 255));

    PngFormat rgba;
    rgba.colorType = 6;
    Bitmap a = Read("alpha.png", EncodePng(rgba, [](int, int) { return std::vector<std::uint32_t>{40, 50, 60, 0}; }));
    EXPECT_EQ(a.Pixel(0, 0), RGB(40, 50, 60));
}

TEST_F(ImageFileTest, InterlacedImageGivesEveryPixelItsPlace) {
    PngFormat format;
    format.width = 11;
    format.height = 9;
    format.interlaced = true;
    auto pixel = [](int x, int y) {
        return std::vector<std::uint32_t>{static_cast<std::uint32_t>(x * 20), static_cast<std::uint32_t>(y * 25),
                                          static_cast<std::uint32_t>((x * 7 + y * 3) % 256)};
    };
    Bitmap b = Read("adam7.png", EncodePng(format, pixel));
    ASSERT_EQ(b.Width(), 11);
    ASSERT_EQ(b.Height(), 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 11; ++x) {
            const auto s = pixel(x, y);
            ASSERT_EQ(b.Pixel(x, y), RGB(s[0], s[1], s[2])) << x << "," << y;
        }
    }
}

TEST_F(ImageFileTest, BmpFilesAreReadTopDown) {
    Bitmap b = Read("b.bmp", test::EncodeBmp24(3, 2, [](int x, int y) { return RGB(x * 50, y * 100, 7); }));
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(2, 1), RGB(100, 100, 7));
    EXPECT_EQ(b.Pixel(0, 0), RGB(0, 0, 7));
}

TEST_F(ImageFileTest, BrokenFilesRaiseErrorsNamingTheFile) {
    PngFormat format;
    format.width = 40;
    format.height = 40;
    const std::string png = EncodePng(format, [](int, int) { return std::vector<std::uint32_t>{1, 2, 3}; });
    for (const std::string& bytes :
         {png.substr(0, png.size() / 2), png.substr(0, 20), std::string("not an image"), std::string()}) {
        test::WritePlainFile(folder / "bad.png", bytes);
        try {
            ReadImageFile(folder / "bad.png");
            ADD_FAILURE() << bytes.size();
        } catch (const ZanmelError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("ImageFile\r\n" + folder / "bad.png", 0), 0u) << e.what();
        }
    }
    EXPECT_THROW(ReadImageFile(folder / "missing.png"), ZanmelError);
}

TEST_F(ImageFileTest, HugeDeclaredSizeIsRefusedBeforeDecoding) {
    const std::string small = EncodePng({}, [](int, int) { return std::vector<std::uint32_t>{1, 2, 3}; });
    // Only the header matters: the size is checked before any pixel is decoded.
    test::WritePlainFile(folder / "huge.png", test::WithDeclaredSize(small, 100000, 100000));
    EXPECT_THROW(ReadImageFile(folder / "huge.png"), ZanmelError);
}

TEST(ImageBitmap, ResizeKeepsPixelsAndCopiesHandleOverlapAndEdges) {
    Bitmap b(3, 2);
    b.SetPixel(0, 0, RGB(1, 2, 3));
    b.SetPixel(2, 1, RGB(4, 5, 6));
    b.Resize(5, 4);
    EXPECT_EQ(b.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.Pixel(2, 1), RGB(4, 5, 6));
    EXPECT_EQ(b.Pixel(4, 3), RGB(0, 0, 0));
    b.CopyRect(0, 0, 3, 2, 1, 1);  // overlapping, down and right
    EXPECT_EQ(b.Pixel(1, 1), RGB(1, 2, 3));
    EXPECT_EQ(b.Pixel(3, 2), RGB(4, 5, 6));
    b.CopyRect(0, 0, 10, 10, 4, 3);  // mostly outside: clipped
    EXPECT_EQ(b.Pixel(4, 3), RGB(1, 2, 3));
    b.Resize(1, 1);
    EXPECT_EQ(b.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(b.Pixel(1, 0), RGB(0, 0, 0));  // outside reads black
    EXPECT_NE(b.Handle(), nullptr);
    EXPECT_THROW(Bitmap(Bitmap::kMaxSide + 1, 1), ZanmelError);
}

}  // namespace
}  // namespace zanmel::image
