// The main window's life after construction: restoring its place and skin, the auto-run folders, and the
// orderly shutdown that saves everything.
#include <windows.h>
#include <imm.h>

#include "core/ProfileFile.h"
#include "platform/CallbackGuard.h"
#include "platform/LauncherWindow.h"
#include "ui/main/TForm1.h"

namespace zanmel {

namespace {

constexpr char kMainForm[] = "MainForm";

}  // namespace

std::string TForm1::ComputerSettingPath() const {
    return deps_.state.DataRoot() + "\\" + deps_.state.ComputerName() + "\\setting.ini";
}

void TForm1::FormCreate() {
    TDebugTimer& timer = deps_.timer;
    // When something throws, the rest of FormCreate is skipped and its open stages close without a line.
    const TDebugTimer::StageScope scope(timer);
    timer.BeginStage();
    const ProfileFile settings(deps_.files.ReadFile(ComputerSettingPath()).value_or(""));
    RECT rc;
    GetWindowRect(Handle(), &rc);
    const int top = settings.ReadInteger(kMainForm, "Top", rc.top);
    const int left = settings.ReadInteger(kMainForm, "Left", rc.left);
    const int width = settings.ReadInteger(kMainForm, "Width", rc.right - rc.left);
    const int height = settings.ReadInteger(kMainForm, "Height", rc.bottom - rc.top);
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    listWidth_ = settings.ReadInteger(kMainForm, "Splitter->Left", listWidth_);
    FormResize();

    timer.BeginStage();
    if (life_.skins) {
        // The name is remembered before the skin loads: a skin that fails to load is still the user's choice.
        skin::LoadStartupSkin(*life_.skins, settings, deps_.setting.DefaultSkinName, skinName_);
        ApplySkin();
    } else {
        skinName_ = settings.ReadString(kMainForm, "SkinName", deps_.setting.DefaultSkinName);
    }
    timer.EndStage("スキンの読み込み");

    RunAutoRunFolder(FolderTree::kStartAutoRun);
    ApplyImeMode();
    timer.EndStage("TForm1::FormCreate");
}

// Runs the direct items of the auto-run folder (the last node with that text); subfolders are not run. The
// search boxes are left alone. An item that cannot be run stops the rest with its error.
void TForm1::RunAutoRunFolder(std::string_view folderText) {
    FolderTree::Node* folder = tree_.FindLast(folderText);
    if (!folder) return;
    std::vector<std::string> items;
    for (const auto& child : folder->children) {
        if (!child->text.empty() && child->text[0] != '#') items.push_back(child->text);
    }
    for (const std::string& keyword : items) deps_.runKeyword(keyword, "");
}

// The input method of the forward-match box: 0 closed, 1 open in hiragana, anything else as the user left it.
void TForm1::ApplyImeMode() {
    const int mode = deps_.setting.ImeMode;
    if (mode != 0 && mode != 1) return;
    HIMC context = ImmGetContext(edit1_);
    if (!context) return;
    ImmSetOpenStatus(context, mode == 1);
    if (mode == 1) ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, IME_SMODE_NONE);
    ImmReleaseContext(edit1_, context);
}

namespace {

// The window's rectangle on the screen; a minimised window's is the one it is restored to. The system keeps
// that one in work-area coordinates (but for tool windows), which FormCreate would take for screen coordinates
// and so move the window by the taskbar's size at every such exit.
RECT RestoredScreenRect(HWND window) {
    RECT rc;
    if (!IsIconic(window)) {
        GetWindowRect(window, &rc);
        return rc;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    rc = placement.rcNormalPosition;
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return rc;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        OffsetRect(&rc, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return rc;
}

}  // namespace

std::vector<std::pair<const char*, std::function<void()>>> TForm1::CloseSteps(bool runEjectionTool) {
    return {
        {"自動実行(終了)", [this] { RunAutoRunFolder(FolderTree::kExitAutoRun); }},
        {"アイテムデータ保存",
         [this] {
             // A sheet that failed to load holds another sheet's or half its own data: written now, it would
             // take the place of the files. Every change made since has been saved when it was made.
             if (!sheetLoaded_) return;
             SaveTree();
             deps_.files.WriteFile(SheetFolder() + "\\keyword.txt", deps_.keyWords.SaveToText());
         }},
        {"設定の保存",
         [this] {
             const std::string path = ComputerSettingPath();
             ProfileFile settings(deps_.files.ReadFile(path).value_or(""));
             const RECT rc = RestoredScreenRect(Handle());
             settings.WriteInteger(kMainForm, "Top", rc.top);
             settings.WriteInteger(kMainForm, "Left", rc.left);
             settings.WriteInteger(kMainForm, "Width", rc.right - rc.left);
             settings.WriteInteger(kMainForm, "Height", rc.bottom - rc.top);
             settings.WriteInteger(kMainForm, "Splitter->Left", listWidth_);
             settings.WriteString(kMainForm, "SkinName", skinName_);
             deps_.files.WriteFile(path, settings.ToBytes());
         }},
        {"終了処理",
         [this, runEjectionTool] {
             if (life_.closeDown) life_.closeDown(runEjectionTool);
         }},
    };
}

// The close steps, each a stage within "TForm1::FormClose". An error stops them and is raised; when Windows
// ends the session it skips its step only, since nobody would see it and the others still save what they can.
void TForm1::RunCloseSteps(bool sessionEnd) {
    TDebugTimer& timer = deps_.timer;
    // The stages of a stopped shutdown close without a line, so later stages keep their depth.
    const TDebugTimer::StageScope scope(timer);
    timer.BeginStage();
    for (const auto& [text, step] : CloseSteps(!sessionEnd)) {
        timer.BeginStage();
        try {
            step();
            timer.EndStage(text);
        } catch (const std::exception&) {
            if (!sessionEnd) throw;
            timer.AbandonStagesAbove(scope.Depth() + 1);
        }
    }
    timer.EndStage("TForm1::FormClose");
}

bool TForm1::FormClose() {
    try {
        RunCloseSteps(false);
    } catch (const std::exception& error) {
        platform::ReportCallbackError(error.what());
        return false;
    }
    return true;
}

void TForm1::SessionEnd() {
    if (life_.sessionEnding) life_.sessionEnding();
    RunCloseSteps(true);
    DestroyWindow(Handle());
    try {
        deps_.timer.WriteLog();
    } catch (const std::exception&) {
    }
}

void TForm1::FormDestroy() {
    RemovePropW(Handle(), platform::kInstanceProperty);
    if (popup_) popup_->ReleaseCallUps(deps_.ui);
    for (std::int32_t window : notifyWindows_) {
        PostMessageW(reinterpret_cast<HWND>(static_cast<std::intptr_t>(window)), WM_CLOSE, 0, 0);
    }
    DestroyPopupMenu1();
    treeDropTarget_.reset();
}

}  // namespace zanmel
