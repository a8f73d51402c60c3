#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/DirectoryView.h"
#include "platform/Window.h"

namespace zanmel::ui {

// The directory view window: a small progress window with a title and two lines of text (Label1, Label2),
// shown by the scanner, backup and sync while they copy or walk files. Created once and shown or hidden by
// its callers; closing it only hides it, which is how the user interrupts the walk.
class TFormDirView : public platform::Window, public platform::DirectoryView {
public:
    explicit TFormDirView(HWND owner = nullptr);

    void SetTitle(std::string_view text);
    void SetLabel1(std::string_view text);
    void SetLabel2(std::string_view text);
    std::string Title() const;
    std::string Label1Text() const;
    std::string Label2Text() const;

    void Show();
    void Hide();

    bool IsShown() const override;
    void ShowPath(std::string_view path) override { SetLabel2(path); }

    HWND Label1() const { return label1_; }
    HWND Label2() const { return label2_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND label1_ = nullptr;  // children, destroyed with the window
    HWND label2_ = nullptr;
};

}  // namespace zanmel::ui
