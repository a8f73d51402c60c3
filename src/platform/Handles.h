#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <utility>

namespace zanmel::platform {

// A move-only owner of one Win32 handle. Traits give the handle type, its "no handle" values and how to free it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

    Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (Traits::IsValid(old)) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Kernel objects: files, processes, threads, events. Both NULL and INVALID_HANDLE_VALUE mean "none".
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FindClose(h); }
};
// A FindFirstFileW search.
using FindHandle = UniqueHandle<FindHandleTraits>;

// Handles whose "none" is NULL, freed by one function.
template <class H, auto Free>
struct NullHandleTraits {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(Handle h) noexcept { return h != nullptr; }
    static void Close(Handle h) noexcept { Free(h); }
};

using WindowHandle = UniqueHandle<NullHandleTraits<HWND, &DestroyWindow>>;
using IconHandle = UniqueHandle<NullHandleTraits<HICON, &DestroyIcon>>;
// Bitmaps, brushes, pens, fonts, regions.
template <class T>
using GdiObject = UniqueHandle<NullHandleTraits<T, &DeleteObject>>;
using BitmapHandle = GdiObject<HBITMAP>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using FontHandle = GdiObject<HFONT>;
using RegionHandle = GdiObject<HRGN>;
// A device context made by CreateCompatibleDC.
using MemoryDc = UniqueHandle<NullHandleTraits<HDC, &DeleteDC>>;
using ImageListHandle = UniqueHandle<NullHandleTraits<HIMAGELIST, &ImageList_Destroy>>;
// A menu that no window owns (a window destroys its own menu bar).
using MenuHandle = UniqueHandle<NullHandleTraits<HMENU, &DestroyMenu>>;
// Dropped files of a WM_DROPFILES message.
using DropHandle = UniqueHandle<NullHandleTraits<HDROP, &DragFinish>>;
using LibraryHandle = UniqueHandle<NullHandleTraits<HMODULE, &FreeLibrary>>;
// A view of a file mapping.
using MappedView = UniqueHandle<NullHandleTraits<const void*, &UnmapViewOfFile>>;

// The device context of a window (or of the screen for nullptr), released with the object.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object selected into a device context, the previous one selected back with the object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Runs cleanup when the scope ends, however it ends, unless dismissed (the work it undoes succeeded).
template <class F>
class ScopeGuard {
public:
    explicit ScopeGuard(F cleanup) noexcept : cleanup_(std::move(cleanup)) {}
    ~ScopeGuard() {
        if (active_) cleanup_();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    void Dismiss() noexcept { active_ = false; }

private:
    F cleanup_;
    bool active_ = true;
};

// A move-only owner of one COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    explicit ComPtr(T* p) noexcept : p_(p) {}
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // For out-parameters: releases what is held and gives the slot.
    T** Put() noexcept {
        Reset();
        return &p_;
    }
    void Reset() noexcept {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// CoInitializeEx for the lifetime of the object, on the current thread.
class ComApartment {
public:
    ComApartment() noexcept : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT hr_;
};

}  // namespace zanmel::platform
