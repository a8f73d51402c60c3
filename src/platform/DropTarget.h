#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace zanmel::platform {

// The OLE drop target of the folder tree and of the WEB item dialog: links dragged from a web browser arrive as
// a virtual shortcut file ("FileGroupDescriptor") with the address as plain text. Every drag is offered the link
// effect; a drop is taken only when it carries both and no file list, and the callback gets the shortcut's
// file name and the address (CP932; a format that cannot be read gives ""). With a file-list callback set, a
// file list dropped through OLE goes there instead of being ignored. Created with one reference; Release
// deletes it.
class CDropTarget final : public IDropTarget {
public:
    using DropCallback = std::function<void(const std::string& fileName, const std::string& text)>;
    using FilesCallback = std::function<void(const std::vector<std::string>& paths)>;

    CDropTarget(HWND owner, DropCallback callback);
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;
    void SetFilesCallback(FilesCallback callback) { files_ = std::move(callback); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

    // The last file name and text taken from a drop.
    const std::string& FileName() const { return fileName_; }
    const std::string& Text() const { return text_; }
    CLIPFORMAT LinkFormat() const { return linkFormat_; }

private:
    ~CDropTarget() = default;

    HWND owner_;
    DropCallback callback_;
    FilesCallback files_;
    std::atomic<ULONG> references_{1};
    IDataObject* data_ = nullptr;  // of the current drag; not reference-counted
    CLIPFORMAT linkFormat_;
    std::string fileName_;
    std::string text_;
};

// Whether the data object offers the format for reading (at most 256 of its formats are looked at).
bool HasFormat(IDataObject* data, CLIPFORMAT format);
// The full paths of a shell drop (HDROP), in the order the shell lists them.
std::vector<std::string> DroppedFiles(HDROP drop);

// OLE for the current thread and a drop target registered for one window: registered at construction (and again
// by Register, since a window may be recreated), revoked, released and OLE uninitialised at destruction.
class DropTargetRegistration {
public:
    DropTargetRegistration(HWND window, CDropTarget* target);
    ~DropTargetRegistration();
    DropTargetRegistration(const DropTargetRegistration&) = delete;
    DropTargetRegistration& operator=(const DropTargetRegistration&) = delete;

    void Register();
    CDropTarget& Target() const { return *target_; }

private:
    HRESULT ole_;
    HWND window_;
    CDropTarget* target_;
};

}  // namespace zanmel::platform
