#include "platform/ImageListIcons.h"

#include <gtest/gtest.h>

#include <vector>

#include "WinTestSupport.h"
#include "core/IconFile.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

// A 16 x 16 icon told apart by seed, with a transparent border and a transparent pixel inside.
CapturedIcon Pattern(std::uint32_t seed) {
    CapturedIcon icon;
    icon.width = icon.height = 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            icon.colour.push_back(((seed * 37 + static_cast<std::uint32_t>(x) * 13) & 0xFF) << 16 |
                                  ((static_cast<std::uint32_t>(y) * 15) & 0xFF) << 8 | (seed & 0xFF));
            icon.maskSet.push_back(x == 0 || y == 15 || (x == 7 && y == 4) ? 1 : 0);
        }
    }
    return icon;
}

// The pixels image i of the list draws onto a grey background.
std::vector<std::uint32_t> Drawn(HIMAGELIST list, int i) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + 256, 0x00808080u);
    ImageList_Draw(list, i, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    std::vector<std::uint32_t> result(pixels, pixels + 256);
    for (auto& pixel : result) pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return result;
}

}  // namespace

// Icons put in together draw exactly as the same files loaded and added one by one, in their order, also past
// the width of one strip.
TEST(ImageListIcons, DrawAsTheSameFilesAddedOneByOne) {
    test::TempFolder folder;
    std::vector<CapturedIcon> icons;
    ImageListHandle single(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const std::string path = folder / (std::to_string(seed) + ".ico");
        const std::string bytes = IconFileBytes(Pattern(seed));
        WriteFileAtomically(path, bytes);
        IconHandle icon(
            static_cast<HICON>(LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
        ASSERT_TRUE(icon);
        ImageList_AddIcon(single.Get(), icon.Get());
        const auto read = ReadSmallIconFile(bytes);
        ASSERT_TRUE(read);
        icons.push_back(*read);
    }
    ImageListHandle batch(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
    const IconHandle before(ImageList_GetIcon(single.Get(), 0, ILD_NORMAL));
    ImageList_AddIcon(batch.Get(), before.Get());  // something there before
    EXPECT_EQ(AddSmallIcons(batch.Get(), icons), 1);
    ASSERT_EQ(ImageList_GetImageCount(batch.Get()), 4);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Drawn(batch.Get(), i + 1), Drawn(single.Get(), i)) << i;
    EXPECT_NE(Drawn(batch.Get(), 1), Drawn(batch.Get(), 2));
    EXPECT_EQ(Drawn(single.Get(), 0)[4 * 16 + 7], 0x808080u);  // the transparent pixel inside shows the ground

    std::vector<CapturedIcon> many;
    for (std::uint32_t seed = 0; seed < 1030; ++seed) many.push_back(Pattern(seed));
    ImageListHandle large(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1030, 256));
    EXPECT_EQ(AddSmallIcons(large.Get(), many), 0);
    ASSERT_EQ(ImageList_GetImageCount(large.Get()), 1030);
    EXPECT_EQ(Drawn(large.Get(), 1026), Drawn(batch.Get(), 2));  // seed 1026 draws as seed 2 (same low byte)
    EXPECT_EQ(AddSmallIcons(large.Get(), {}), -1);
}

}  // namespace zanmel::platform
