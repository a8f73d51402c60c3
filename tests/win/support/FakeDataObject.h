#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zanmel::test {

// A data object as a drag source hands it over: formats with their bytes as global memory. Reference counting
// is real; the test owns one reference.
class FakeDataObject final : public IDataObject {
public:
    void Add(CLIPFORMAT format, std::string bytes) { formats_.emplace_back(format, std::move(bytes)); }
    // A browser's link: the shortcut's descriptor block and the address as plain text.
    static FakeDataObject* Link(const std::string& shortcutName, const std::string& url) {
        auto* data = new FakeDataObject;
        std::string block(4 + 332, '\0');
        block[0] = 1;
        block.replace(4 + 72, shortcutName.size(), shortcutName);
        data->Add(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptor")), block);
        data->Add(CF_TEXT, url + '\0');
        return data;
    }
    // A file list as the shell drags it (wide names, double-NUL-terminated).
    void AddFiles(const std::vector<std::wstring>& files) {
        std::wstring names;
        for (const std::wstring& file : files) names += file + L'\0';
        names += L'\0';
        DROPFILES header{};
        header.pFiles = sizeof(DROPFILES);
        header.fWide = TRUE;
        std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
        bytes.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
        Add(CF_HDROP, bytes);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG count = --references_;
        if (count == 0) delete this;
        return count;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* request, STGMEDIUM* medium) override {
        for (const auto& [format, bytes] : formats_) {
            if (format != request->cfFormat || !(request->tymed & TYMED_HGLOBAL)) continue;
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
            GlobalUnlock(memory);
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = memory;
            medium->pUnkForRelease = nullptr;
            return S_OK;
        }
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const auto& entry : formats_) list.push_back({entry.first, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~FakeDataObject() = default;
    ULONG references_ = 1;
    std::vector<std::pair<CLIPFORMAT, std::string>> formats_;
};

// A shell drop of these files, as the shell hands it over with the dropped-files message.
inline HDROP MakeDrop(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files) names += file + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// Drops the data object on a target the way OLE does after a drag over it; the effect the target reported.
inline DWORD DropOn(IDropTarget& target, IDataObject* data) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.DragEnter(data, MK_LBUTTON, {0, 0}, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.Drop(data, 0, {0, 0}, &effect);
    return effect;
}

}  // namespace zanmel::test
