#include <windows.h>
#include <commctrl.h>

#include "core/KeyWordList.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/SpecialFolderModule.h"
#include "core/TZanmelModule.h"
#include "platform/CallbackGuard.h"
#include "platform/Handles.h"
#include "platform/LauncherWindow.h"
#include "platform/MessageLoop.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"
#include "platform/Win32LaunchShell.h"
#include "platform/Win32UserInterface.h"
#include "protocol/ZnxpRequest.h"
#include "skin/TSkinDriver.h"
#include "skin/Win32SkinEnvironment.h"
#include "ui/main/ProgramWindows.h"

namespace zanmel {

namespace {

// The adapters the program-wide objects work through; they hold no data of their own.
struct Adapters {
    platform::ComApartment com;
    platform::Win32UserInterface ui;
    platform::Win32FileAccess files;
    platform::MultimediaClock clock;
    platform::Win32Cp932Codec codec;
    platform::Win32LaunchShell shell;
    skin::Win32SkinEnvironment skinFiles;
};

// The composition root: the program-wide objects in construction order, so that they are destroyed in reverse
// and the timing log, destroyed last, writes Debug.log after everything else has finished.
struct Program {
    Adapters& io;
    TDebugTimer timer;
    platform::TState state;
    TSetting setting;
    TKeyWordList keyWords;
    TZanmelModule launcher;
    skin::TSkinDriver skins;
    TSpecialFolderModule specialFolders;

    explicit Program(Adapters& adapters)
        : io(adapters),
          timer(io.clock, io.files, platform::DebugLogPath()),
          state(timer),
          setting(timer, io.files, state.ProgramFolder()),
          keyWords(state.ComputerName()),
          launcher(timer, state, keyWords, io.files, io.ui, io.shell, io.codec),
          skins(timer, io.skinFiles, io.ui, state.ProgramFolder()),
          specialFolders(timer, state, keyWords, io.files, io.ui, io.shell) {
        launcher.SetSpecialFolderModule(&specialFolders);
        timer.SetFailureReporter([this](const std::string& text) { io.ui.ShowMessage(text); });
    }
};

// A running instance: restores and activates it and hands it the command line. True when one was found.
bool ForwardToRunningInstance(const std::wstring& commandLine) {
    HWND running = platform::FindLauncherWindow();
    if (!running) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    if (!IsWindowVisible(running)) ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    SetForegroundWindow(GetLastActivePopup(running));
    if (!commandLine.empty()) {
        // The sender is this process's own (hidden) application window, as for any copy-data client.
        platform::WindowHandle application(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Zanmel", WS_POPUP, 0, 0, 0, 0,
                                                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        platform::SendCopyData(running, application.Get(), kCopyDataCommandLine, platform::ToCp932(commandLine), 0);
    }
    return true;
}

int Run(const std::wstring& commandLine, int showCommand) {
    if (ForwardToRunningInstance(commandLine)) return 0;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Adapters adapters;
    // The owner of message boxes and of what the shell starts.
    auto setMainWindow = [&adapters](HWND mainWindow) {
        adapters.ui.SetOwner(mainWindow);
        adapters.shell.SetMainWindow(mainWindow);
    };
    // The user interface reports every error, also one that ends start-up, so it outlives all that can throw;
    // the main window it was owned by is gone by the time such an error is shown.
    platform::SetCallbackUserInterface(&adapters.ui);
    const platform::ScopeGuard reporter([&setMainWindow] {
        setMainWindow(nullptr);
        platform::SetCallbackUserInterface(nullptr);
    });
    try {
        Program program(adapters);
        ProgramWindows windows({program.timer, program.state, program.setting, program.keyWords, program.launcher,
                                program.skins, program.specialFolders, adapters.files, adapters.ui, setMainWindow,
                                [&adapters] { adapters.ui.Silence(); }});
        TForm1& form = windows.Form();
        form.Show(showCommand);
        const int code = platform::RunMessageLoop([&form](MSG& msg) { return form.ApplicationMessage(msg); });
        // What the program-wide objects report as they end (a Debug.log that cannot be written) has no window.
        setMainWindow(nullptr);
        return code;
    } catch (const std::exception& error) {
        // Everything built so far is gone; the message box has no owner window left.
        adapters.ui.SetOwner(nullptr);
        platform::ReportCallbackError(error.what());
        return 1;
    }
}

}  // namespace

}  // namespace zanmel

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    try {
        std::wstring arguments = commandLine ? commandLine : L"";
        while (!arguments.empty() && (arguments.back() == L' ' || arguments.back() == L'\t')) arguments.pop_back();
        return zanmel::Run(arguments, showCommand);
    } catch (const std::exception& error) {
        zanmel::platform::ReportCallbackError(error.what());
        return 1;
    }
}
