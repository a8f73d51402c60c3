#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DialogPlacement.h"
#include "platform/Handles.h"
#include "platform/Window.h"

namespace zanmel::ui {

// One row of a dialog's control table. WS_CHILD is always added, WS_VISIBLE unless hidden; the place is in
// 96-DPI pixels of the client area and follows the dialog's DPI.
template <class Form>
struct ControlSpec {
    const wchar_t* cls = L"STATIC";
    const char* text = "";
    DWORD style = 0;
    LayoutRect at{};
    int id = 0;
    DWORD exStyle = 0;
    // Called on BN_CLICKED; a BS_DEFPUSHBUTTON's handler also takes Enter.
    void (Form::*onClick)() = nullptr;
    bool hidden = false;
};

// Base of the program's dialogs: a popup window owned by the main window, created hidden once and shown
// without being modal while the main window is disabled. It makes its controls from one table, dispatches their
// clicks, keeps the dialog keyboard (Tab, Enter, Esc), lays itself out for its monitor's DPI and applies the
// close rule: Esc, the close box and IDCANCEL call Close() while the dialog is shown, and nothing while hidden.
class DialogWindow : public platform::Window {
public:
    struct Frame {
        const wchar_t* className;
        const char* caption;
        int clientWidth;  // 96-DPI pixels
        int clientHeight;
        HWND owner;
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        DWORD exStyle = WS_EX_DLGMODALFRAME;
    };

    bool IsShown() const { return IsWindowVisible(Handle()) != FALSE; }
    // Hides the dialog to its owner; what a dialog stores or cancels on hiding comes with its own Hide.
    virtual void Hide() { HideToOwner(); }
    // A control of the dialog, also one inside a container (AddControlIn); null when there is none.
    HWND Control(int id) const;
    std::string Caption() const;
    void SetCaption(std::string_view text);
    std::string Text(int id) const;
    void SetText(int id, std::string_view text);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    // A drop-down list's entries, its selected entry (-1 for none) and selecting one.
    void AddEntries(int id, const std::vector<std::string>& entries);
    int Selection(int id) const;
    void Select(int id, int entry);
    // The same by the texts the entries were added from: the first entry equal to text (none when not listed),
    // and the text of the selected entry (none for no selection).
    void SelectEntry(int id, const std::vector<std::string>& entries, std::string_view text);
    std::optional<std::string> SelectedEntry(int id, const std::vector<std::string>& entries) const;
    // A list box's lines as CP932; replacing them, then selecting the line at selected (-1: none); the selected
    // line's index (-1 for none).
    std::vector<std::string> ListLines(int id) const;
    void SetListLines(int id, const std::vector<std::string>& lines, int selected = -1);
    int SelectedLine(int id) const;
    // Removes the selected line of a list box; nothing when none is selected.
    void DeleteSelectedLine(int id);
    // The DPI the dialog is laid out for, and a 96-DPI length at it.
    UINT Dpi() const { return dpi_; }
    int Scale(int pixels) const { return ScaleToDpi(pixels, dpi_); }
    HFONT Font() const;

protected:
    // Styles the control tables share; a drop-down list's value counts only as a selected entry.
    static constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
    static constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
    static constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
    static constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
    static constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

    explicit DialogWindow(const Frame& frame);

    template <class Form>
    void AddControls(Form& form, std::initializer_list<ControlSpec<Form>> table) {
        for (const ControlSpec<Form>& row : table) {
            std::function<void()> click;
            if (row.onClick) click = [&form, handler = row.onClick] { (form.*handler)(); };
            AddControl(row.cls, row.text, row.style, row.at, row.id, row.exStyle, row.hidden, std::move(click));
        }
    }
    // One control made outside a table (a list filled from settings, a page of controls); the same rules apply.
    HWND AddControl(const wchar_t* cls, std::string_view text, DWORD style, LayoutRect at, int id = 0,
                    DWORD exStyle = 0, bool hidden = false, std::function<void()> onClick = {});
    // The same inside a container control of the dialog (a scrolled panel): the place is in the container's
    // client area, and the container must pass its children's WM_COMMAND on to the dialog for onClick.
    HWND AddControlIn(HWND container, const wchar_t* cls, std::string_view text, DWORD style, LayoutRect at, int id = 0,
                      DWORD exStyle = 0, bool hidden = false, std::function<void()> onClick = {});

    // Shows the dialog centred over its owner window, inside the work area of the owner's monitor; centred on
    // that monitor while the owner is minimised or hidden (in the tray).
    void ShowOverOwner();
    // Disables the owner and shows the dialog centred over it, focus on the control focusId.
    void OpenOverOwner(int focusId);
    // Enables the owner first, so the activation returns to it, then hides the dialog.
    void HideToOwner(bool keepOwnerDisabled = false);
    // Runs store, then hides to the owner even when store fails: settings that cannot be written (a write-protected
    // stick) must not keep the dialog and the disabled owner up. Returns the failure to show once the dialog is
    // gone, empty for none.
    std::string StoreAndHide(const std::function<void()>& store, bool keepOwnerDisabled = false);
    HWND Owner() const { return owner_; }

    // The close rule of the dialog: hiding it, which stores for settings dialogs and cancels for item dialogs.
    virtual void Close() { Hide(); }
    // Messages the base leaves alone.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }
    // The paths of files dropped from the shell on a dialog that accepts them (DragAcceptFiles), once the dialog
    // has come to the front.
    virtual void OnFilesDropped(const std::vector<std::string>& /*paths*/) {}
    // Called once the dialog has been laid out anew for a new DPI: what the dialog made at the old DPI itself
    // (a font of its own, list columns) is made again here.
    virtual void OnDpiChanged() {}
    // The client area's size in 96-DPI pixels, and a control moved to a new 96-DPI place.
    void SetClientSize(int width, int height);
    void MoveControl(int id, LayoutRect at);
    LayoutRect PlaceOf(int id) const;
    // The controls made so far, in the order they were made (the tab order); a page of a tabbed dialog is a run
    // of them.
    std::size_t ControlCount() const { return placed_.size(); }
    HWND ControlAt(std::size_t index) const { return placed_.at(index).control; }

private:
    struct Placed {
        HWND control;
        LayoutRect at;
        int id;
    };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    bool Click(int id);
    // The font and every control's rectangle made anew for dpi.
    void ApplyDpi(UINT dpi);

    std::string component_;  // the class name, for errors
    HWND owner_;
    int clientWidth_;
    int clientHeight_;
    UINT dpi_;
    platform::FontHandle font_;
    std::vector<Placed> placed_;
    std::vector<std::pair<int, std::function<void()>>> clicks_;
    int defaultButton_ = 0;
};

}  // namespace zanmel::ui
