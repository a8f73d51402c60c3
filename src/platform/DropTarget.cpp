#include "platform/DropTarget.h"

#include <shellapi.h>

#include <algorithm>

#include "core/DropRules.h"
#include "platform/CallbackGuard.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

constexpr ULONG kMaxFormatsExamined = 256;

// The bytes of a format as global memory; "" when it cannot be read.
std::string ReadGlobal(IDataObject* data, CLIPFORMAT format) {
    FORMATETC request{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&request, &medium))) return "";
    std::string bytes;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        if (const void* block = GlobalLock(medium.hGlobal)) {
            bytes.assign(static_cast<const char*>(block), GlobalSize(medium.hGlobal));
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return bytes;
}

// Text of the system's ANSI code page (the browser's) as CP932, up to its first NUL.
std::string AnsiToCp932(std::string_view ansi) {
    ansi = ansi.substr(0, std::min(ansi.find('\0'), ansi.size()));
    if (ansi.empty()) return "";
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(0, length)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return ToCp932(wide);
}

}  // namespace

bool HasFormat(IDataObject* data, CLIPFORMAT format) {
    IEnumFORMATETC* formats = nullptr;
    if (!data || FAILED(data->EnumFormatEtc(DATADIR_GET, &formats)) || !formats) return false;
    bool found = false;
    FORMATETC entry{};
    for (ULONG examined = 0; !found && examined < kMaxFormatsExamined; ++examined) {
        ULONG fetched = 0;
        if (formats->Next(1, &entry, &fetched) != S_OK || fetched != 1) break;
        found = entry.cfFormat == format;
        if (entry.ptd) CoTaskMemFree(entry.ptd);
    }
    formats->Release();
    return found;
}

std::vector<std::string> DroppedFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(ToCp932(path));
    }
    return paths;
}

CDropTarget::CDropTarget(HWND owner, DropCallback callback)
    : owner_(owner),
      callback_(std::move(callback)),
      linkFormat_(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptor"))) {}

HRESULT STDMETHODCALLTYPE CDropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CDropTarget::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE CDropTarget::Release() {
    const ULONG count = --references_;
    if (count == 0) delete this;
    return count;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
    data_ = data;
    SetForegroundWindow(owner_);
    SetCapture(owner_);
    return DragOver(keys, point, effect);
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_LINK;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::DragLeave() {
    ReleaseCapture();
    data_ = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    ReleaseCapture();
    IDataObject* dropped = data ? data : data_;
    data_ = nullptr;
    GuardCallback([&] {
        if (HasFormat(dropped, CF_HDROP)) {
            if (!files_) return;
            FORMATETC request{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            STGMEDIUM medium{};
            if (FAILED(dropped->GetData(&request, &medium))) return;
            std::vector<std::string> paths;
            if (medium.tymed == TYMED_HGLOBAL) paths = DroppedFiles(static_cast<HDROP>(medium.hGlobal));
            ReleaseStgMedium(&medium);
            files_(paths);
            return;
        }
        if (!HasFormat(dropped, linkFormat_) || !HasFormat(dropped, CF_TEXT)) return;
        fileName_ = AnsiToCp932(LastFileGroupName(ReadGlobal(dropped, linkFormat_)));
        text_ = AnsiToCp932(ReadGlobal(dropped, CF_TEXT));
        if (callback_) callback_(fileName_, text_);
    });
    return S_OK;
}

DropTargetRegistration::DropTargetRegistration(HWND window, CDropTarget* target)
    : ole_(OleInitialize(nullptr)), window_(window), target_(target) {
    RegisterDragDrop(window_, target_);
}

DropTargetRegistration::~DropTargetRegistration() {
    RevokeDragDrop(window_);
    target_->Release();
    if (SUCCEEDED(ole_)) OleUninitialize();
}

void DropTargetRegistration::Register() {
    RevokeDragDrop(window_);
    RegisterDragDrop(window_, target_);
}

}  // namespace zanmel::platform
