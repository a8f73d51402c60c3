#include <windows.h>
#include <commctrl.h>

#include "platform/CallbackGuard.h"
#include "platform/Handles.h"
#include "platform/MessageLoop.h"
#include "platform/Win32UserInterface.h"
#include "ui/main/TForm1.h"

namespace {

// The composition root: the program-wide objects, declared in construction order so that they are destroyed
// in reverse.
struct Application {
    zanmel::platform::ComApartment com;
    zanmel::platform::Win32UserInterface ui;
};

int Run(int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Application app;
    zanmel::platform::SetCallbackUserInterface(&app.ui);
    zanmel::TForm1 form;
    app.ui.SetOwner(form.Handle());
    form.Show(showCommand);
    const int code = zanmel::platform::RunMessageLoop();
    app.ui.SetOwner(nullptr);
    zanmel::platform::SetCallbackUserInterface(nullptr);
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        return Run(showCommand);
    } catch (const std::exception& error) {
        zanmel::platform::ReportCallbackError(error.what());
        return 1;
    }
}
