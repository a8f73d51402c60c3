#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/DirectoryView.h"
#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

// Control identifiers of the directory view window, for tests that read it.
enum DirViewControl : int {
    kDirViewLabel1 = 100,
    kDirViewLabel2,
};

// The directory view window: a small progress window with a title and two lines of text (Label1, Label2),
// shown by the scanner, backup and sync while they copy or walk files. Created once and shown or hidden by
// its callers, who disable the main window themselves; closing it only hides it, which is how the user
// interrupts the walk.
class TFormDirView : public DialogWindow, public platform::DirectoryView {
public:
    explicit TFormDirView(HWND owner = nullptr);

    void SetTitle(std::string_view text) { SetCaption(text); }
    void SetLabel1(std::string_view text) { SetText(kDirViewLabel1, text); }
    void SetLabel2(std::string_view text) { SetText(kDirViewLabel2, text); }
    std::string Title() const { return Caption(); }
    std::string Label1Text() const { return Text(kDirViewLabel1); }
    std::string Label2Text() const { return Text(kDirViewLabel2); }

    void Show();
    // Shown for a run: the title and Label1 given, Label2 empty.
    void ShowProgress(std::string_view title, std::string_view text) {
        SetTitle(title);
        SetLabel1(text);
        SetLabel2("");
        Show();
    }
    // The window lives until exit: closing hides it, and the walk in progress sees that and stops.
    void Hide() override { ShowWindow(Handle(), SW_HIDE); }

    bool IsShown() const override { return DialogWindow::IsShown(); }
    void ShowPath(std::string_view path) override { SetLabel2(path); }
};

}  // namespace zanmel::ui
