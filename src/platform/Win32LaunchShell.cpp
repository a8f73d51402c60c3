#include "platform/Win32LaunchShell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "core/IconCache.h"
#include "core/IconFile.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

HANDLE AsHandle(std::uintptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}
std::uintptr_t AsValue(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// 32-bit top-down pixels of rows [firstRow, firstRow + height) of a bitmap.
std::optional<std::vector<std::uint32_t>> ReadRows(HDC dc, HBITMAP bitmap, int width, int totalHeight, int firstRow,
                                                   int height) {
    std::vector<std::uint32_t> all(static_cast<std::size_t>(width) * static_cast<std::size_t>(totalHeight));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -totalHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(totalHeight), all.data(), &info, DIB_RGB_COLORS) == 0) {
        return std::nullopt;
    }
    const auto begin = all.begin() + static_cast<std::ptrdiff_t>(firstRow) * width;
    return std::vector<std::uint32_t>(begin, begin + static_cast<std::ptrdiff_t>(height) * width);
}

}  // namespace

void Win32LaunchShell::StartWithShell(const ShellStart& start) {
    ShellExecuteW(mainWindow_, ToWide(start.verb).c_str(), ToWide(start.path).c_str(), ToWide(start.parameters).c_str(),
                  ToWide(start.workingFolder).c_str(), start.showMode);
}

std::optional<TrackedProcess> Win32LaunchShell::StartProcess(const ProcessStart& start) {
    std::wstring commandLine = ToWide(start.commandLine);  // CreateProcessW may write into it
    const std::wstring folder = ToWide(start.workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(start.showMode);
    PROCESS_INFORMATION info{};
    // An empty working folder keeps the caller's current folder (the program folder): an empty text is no
    // folder CreateProcessW accepts.
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        return std::nullopt;
    }
    return TrackedProcess{AsValue(info.hProcess), AsValue(info.hThread), info.dwProcessId, info.dwThreadId};
}

void Win32LaunchShell::ReleaseProcess(const TrackedProcess& process) {
    KernelHandle thread(AsHandle(process.thread));
    KernelHandle handle(AsHandle(process.process));
}

std::vector<TopLevelWindow> Win32LaunchShell::TopLevelWindows() {
    std::vector<TopLevelWindow> windows;
    EnumWindows(
        [](HWND window, LPARAM context) noexcept -> BOOL {
            auto& list = *reinterpret_cast<std::vector<TopLevelWindow>*>(context);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            try {
                list.push_back({AsValue(window), AsValue(GetWindow(window, GW_OWNER)), processId});
            } catch (...) {
                return FALSE;  // out of memory: stop the enumeration rather than let it cross the callback
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Win32LaunchShell::ShowAndPostClose(std::uintptr_t window) {
    HWND hwnd = reinterpret_cast<HWND>(window);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

void Win32LaunchShell::OpenSpecialFolder(std::int32_t csidl, const std::string& verb) {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Put())) || !allocator) return;
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(mainWindow_, csidl, &item)) || !item) return;
    const std::wstring wideVerb = ToWide(verb);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_IDLIST;
    info.hwnd = mainWindow_;
    info.lpVerb = wideVerb.c_str();
    info.lpIDList = item;
    info.nShow = SW_SHOWNORMAL;
    ExecuteItem(info);
    allocator->Free(item);
}

void Win32LaunchShell::ExecuteItem(SHELLEXECUTEINFOW& info) {
    ShellExecuteExW(&info);
}

bool Win32LaunchShell::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32LaunchShell::RemoveFile(const std::string& path) {
    return DeleteFileW(ToWide(path).c_str()) != 0;
}

void Win32LaunchShell::SetCurrentFolder(const std::string& folder) {
    SetCurrentDirectoryW(ToWide(folder).c_str());
}

std::string Win32LaunchShell::FullPath(const std::string& path) {
    const std::wstring wide = ToWide(path);
    if (wide.empty()) return path;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return path;
        if (length < buffer.size()) {
            buffer.resize(length);
            return ToCp932(buffer);
        }
        buffer.resize(length + 1);
    }
}

std::optional<CapturedIcon> Win32LaunchShell::SmallIconOf(const std::string& path) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON)) {
        return std::nullopt;
    }
    const IconHandle icon(info.hIcon);
    if (!icon) return std::nullopt;
    return CaptureIcon(icon.Get());
}

std::optional<CapturedIcon> CaptureIcon(HICON icon) {
    ICONINFO parts{};
    if (!icon || !GetIconInfo(icon, &parts)) return std::nullopt;
    const BitmapHandle colour(parts.hbmColor);
    const BitmapHandle mask(parts.hbmMask);
    if (!mask) return std::nullopt;

    // A monochrome icon has no colour bitmap: its mask is twice as high, the AND mask above the XOR image.
    BITMAP size{};
    if (!GetObjectW(colour ? colour.Get() : mask.Get(), sizeof(size), &size)) return std::nullopt;
    const int width = size.bmWidth;
    const int height = colour ? size.bmHeight : size.bmHeight / 2;
    if (width <= 0 || height <= 0) return std::nullopt;

    const MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return std::nullopt;
    const auto pixels = colour ? ReadRows(dc.Get(), colour.Get(), width, height, 0, height)
                               : ReadRows(dc.Get(), mask.Get(), width, height * 2, height, height);
    const auto maskPixels = ReadRows(dc.Get(), mask.Get(), width, colour ? height : height * 2, 0, height);
    if (!pixels || !maskPixels) return std::nullopt;

    CapturedIcon captured;
    captured.width = width;
    captured.height = height;
    captured.cursor = parts.fIcon == FALSE;
    captured.hotSpotX = static_cast<int>(parts.xHotspot);
    captured.hotSpotY = static_cast<int>(parts.yHotspot);
    captured.colour.reserve(pixels->size());
    for (std::uint32_t pixel : *pixels) captured.colour.push_back(pixel & 0x00FFFFFF);
    captured.maskSet.reserve(maskPixels->size());
    for (std::uint32_t pixel : *maskPixels) captured.maskSet.push_back((pixel & 0x00FFFFFF) != 0 ? 1 : 0);
    return captured;
}

void WriteIconFile(HICON icon, const std::string& path) {
    const std::optional<CapturedIcon> captured = CaptureIcon(icon);
    if (!captured) throw ZanmelError("GetIconInfoに失敗", "FileName:" + path);
    const std::string bytes = IconFileBytes(*captured);
    try {
        WriteFileAtomically(path, bytes);
    } catch (const ZanmelError&) {
        throw ZanmelError(std::string("FileOpen Error"));
    }
}

IconHandle LoadIconFile(const std::string& folder, std::int32_t number) {
    const std::string path = IconFilePath(folder, number);
    IconHandle icon(static_cast<HICON>(LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
    if (!icon) throw ZanmelError("IconControl", path + "を読み込めません。");
    return icon;
}

}  // namespace zanmel::platform
