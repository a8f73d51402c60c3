#include <gtest/gtest.h>

#include <stdexcept>

#include "WinTestSupport.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

TEST(Handles, OwnersFreeExactlyOnceAndMoveOwnership) {
    HANDLE rawEvent = nullptr;
    {
        KernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(event);
        rawEvent = event.Get();
        KernelHandle moved(std::move(event));
        EXPECT_FALSE(event);
        EXPECT_EQ(moved.Get(), rawEvent);
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(rawEvent, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(rawEvent, &flags)) << "the event handle was not closed";

    // INVALID_HANDLE_VALUE from a failed CreateFileW is "no handle" and is never closed.
    KernelHandle none(CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(none);

    HICON icon = CreateIcon(GetModuleHandleW(nullptr), 16, 16, 1, 1,
                            reinterpret_cast<const BYTE*>(std::string(32, '\xFF').data()),
                            reinterpret_cast<const BYTE*>(std::string(32, '\0').data()));
    ASSERT_NE(icon, nullptr);
    IconHandle ownedIcon(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    BitmapHandle bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    ASSERT_TRUE(bitmap);
    HBITMAP rawBitmap = bitmap.Get();
    bitmap.Reset();
    EXPECT_EQ(GetObjectType(rawBitmap), 0u) << "the bitmap was not deleted";

    ImageListHandle images(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
    ASSERT_TRUE(images);
    EXPECT_EQ(ImageList_AddIcon(images.Get(), icon), 0);
    EXPECT_EQ(ImageList_GetImageCount(images.Get()), 1);
}

TEST(Handles, FindHandleEnumeratesAndCloses) {
    test::TempFolder folder;
    test::WritePlainFile(folder / "a.txt", "a");
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(ToWide(folder / "*.txt").c_str(), &data));
    ASSERT_TRUE(find);
    EXPECT_EQ(std::wstring(data.cFileName), L"a.txt");
    EXPECT_FALSE(FindNextFileW(find.Get(), &data));
    FindHandle nothing(FindFirstFileW(ToWide(folder / "*.none").c_str(), &data));
    EXPECT_FALSE(nothing);
}

TEST(Handles, ComPointerReleasesOnReset) {
    ComApartment apartment;
    ComPtr<IMalloc> malloc;
    ASSERT_EQ(CoGetMalloc(1, malloc.Put()), S_OK);
    ASSERT_TRUE(malloc);
    void* block = malloc->Alloc(16);
    EXPECT_NE(block, nullptr);
    malloc->Free(block);
    ComPtr<IMalloc> other(std::move(malloc));
    EXPECT_FALSE(malloc);
    EXPECT_TRUE(other);
    other.Reset();
    EXPECT_FALSE(other);
}

TEST(Handles, GuardsUndoOnTheWayOutUnlessDismissed) {
    int undone = 0;
    try {
        const ScopeGuard guard([&] { ++undone; });
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    {
        ScopeGuard guard([&] { ++undone; });
        guard.Dismiss();
    }
    EXPECT_EQ(undone, 1);

    // A selected object goes back out of the device context, a window's DC back to the window.
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    const BrushHandle brush(CreateSolidBrush(RGB(1, 2, 3)));
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    {
        const SelectedObject selected(dc.Get(), brush.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
    const WindowDc screen(nullptr);
    EXPECT_GT(GetDeviceCaps(screen.Get(), LOGPIXELSY), 0);
}

}  // namespace zanmel::platform
