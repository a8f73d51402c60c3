#include "ui/dialogs/UnitSync.h"

#include <utility>

#include "core/CommaText.h"
#include "core/SyncRules.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/MessageLoop.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormSync";
constexpr char kComponent[] = "TFormSync";
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 360;
constexpr int kButtonHeight = 26;

}  // namespace

TFormSync::TFormSync(Dependencies deps) : deps_(std::move(deps)), font_(platform::CreateUiFont()) {
    RegisterWindowClass(kClassName);
    Create(kClassName, ToWide("同期"), WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, CW_USEDEFAULT,
           CW_USEDEFAULT, kClientWidth, kClientHeight, deps_.mainWindow);
    platform::EnableDialogNavigation(Handle());
    SetClientSize(Handle(), kClientWidth, kClientHeight);
    CreateControls();
}

void TFormSync::CreateControls() {
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id = 0, DWORD exStyle = 0) {
        return AddControl(Handle(), font, kComponent, cls, text, WS_VISIBLE | style, x, y, width, height, id, exStyle);
    };
    const DWORD label = SS_LEFT | SS_NOPREFIX;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    const int width = kClientWidth - 24;
    int y = 10;
    for (const char* text :
         {"Zanmelのランチャファイルの同期を行います。", "同期するローカルPCのZanmel.exeのパスを指定してください。"}) {
        add(L"STATIC", text, label, 12, y, width, 16);
        y += 18;
    }
    add(L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, 12, y + 4, 440, 120,
        kSyncListBox1, WS_EX_CLIENTEDGE);
    add(L"BUTTON", "追加", button, 460, y + 4, 88, kButtonHeight, kSyncBtnAdd);
    add(L"BUTTON", "編集", button, 460, y + 36, 88, kButtonHeight, kSyncBtnEdit);
    add(L"BUTTON", "削除", button, 460, y + 68, 88, kButtonHeight, kSyncBtnDel);
    y += 134;
    for (const char* text :
         {"☆動作説明", "1.USBメモリのZanmelのデータ(Portable)をローカルPCのZanmelのデータ(Portable)にコピー",
          "2.ローカルPCのZanmelのデータ(Fixed)をUSBメモリのZanmelのデータ(PC名)にコピー",
          "3.USBメモリが記録している各PCのデータ(PC名)をローカルPCのZanmelのデータ(PC名)にコピー",
          "※Zanmel Ver2.XX系とは同期できません。"}) {
        add(L"STATIC", text, label, 12, y, width, 16);
        y += 20;
    }
    y = kClientHeight - 12 - 28;
    add(L"BUTTON", "同期を実行", button, 12, y, 140, 28, kSyncBtnSync);
    add(L"BUTTON", "閉じる", button, kClientWidth - 12 - 88, y, 88, 28, kSyncBtnClose);
}

bool TFormSync::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
}

std::vector<std::string> TFormSync::Lines() const {
    return ListBoxLines(Control(kSyncListBox1));
}

void TFormSync::Show() {
    if (const auto bytes = deps_.files.ReadFile(SyncPath())) {
        SetListBoxLines(Control(kSyncListBox1), SyncLinesOf(*bytes));
    }
    EnableWindow(deps_.mainWindow, FALSE);
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kSyncBtnClose));
}

void TFormSync::Hide() {
    if (running_) {
        deps_.dirView.Hide();
        return;
    }
    EnableWindow(deps_.mainWindow, TRUE);
    std::string failure;
    try {
        deps_.files.WriteFile(SyncPath(), SyncFileBytes(Lines()));
    } catch (const ZanmelError& error) {
        // A sync.txt that cannot be written must not keep the dialog (and the disabled main window) open.
        failure = error.what();
    }
    ShowWindow(Handle(), SW_HIDE);
    if (deps_.dirView.IsShown()) deps_.dirView.Hide();
    if (!failure.empty()) deps_.ui.ShowMessage(failure);
}

std::optional<std::string> TFormSync::ChooseExe(const std::string& initial) {
    std::optional<std::string> chosen = deps_.ui.OpenFile(kExeFilter, initial);
    SetCurrentDirectoryW(ToWide(deps_.state.ProgramFolder()).c_str());
    return chosen;
}

void TFormSync::BtnAddClick() {
    if (running_) return;
    const auto chosen = ChooseExe("");
    if (!chosen) return;
    std::vector<std::string> lines = Lines();
    const std::string problem = AddSyncLine(lines, deps_.state.ComputerName(), *chosen);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    SetListBoxLines(Control(kSyncListBox1), lines);
}

void TFormSync::BtnEditClick() {
    if (running_) return;
    const int index = ListBoxSelection(Control(kSyncListBox1));
    if (index < 0) return;
    std::vector<std::string> lines = Lines();
    const auto chosen = ChooseExe(SyncLinePath(lines[static_cast<std::size_t>(index)]));
    if (!chosen) return;
    const std::string problem =
        EditSyncLine(lines, static_cast<std::size_t>(index), deps_.state.ComputerName(), *chosen);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    SetListBoxLines(Control(kSyncListBox1), lines);
    SendMessageW(Control(kSyncListBox1), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TFormSync::BtnDelClick() {
    if (running_) return;
    const int index = ListBoxSelection(Control(kSyncListBox1));
    if (index >= 0) SendMessageW(Control(kSyncListBox1), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

bool TFormSync::RunJobs(const std::string& localFolder, std::vector<std::string>& destinations,
                        std::optional<std::string>& failed) {
    const std::vector<std::string> sheets = CommaTextSplit(platform::TState::ListSubFolders(deps_.state.DataRoot()));
    for (const CopyJob& job : SyncJobs(deps_.state.ProgramFolder(), localFolder, deps_.state.ComputerName(), sheets)) {
        // One level only: an installed copy without a data folder fails here.
        if (!platform::FolderExists(job.destination) && !CreateDirectoryW(ToWide(job.destination).c_str(), nullptr) &&
            job.required) {
            return false;
        }
        destinations.push_back(job.destination);
        const auto notCopied = platform::TState::CopySheetFolder(deps_.dirView, job.destination, job.source);
        if (notCopied && !failed) failed = notCopied;
    }
    return true;
}

void TFormSync::BtnSyncClick() {
    // The copy lets messages run: a click meanwhile must not start a second run inside the first.
    if (running_) return;
    const auto localFolder = SyncLocalFolder(Lines(), deps_.state.ComputerName());
    if (!localFolder || !platform::FolderExists(*localFolder)) {
        deps_.ui.ShowMessage(kSyncNoLocalCopy);
        return;
    }
    TFormDirView& view = deps_.dirView;
    view.SetTitle("同期中");
    view.SetLabel1("ファイルを同期中です。(※閉じると同期を中断します)");
    view.SetLabel2("");
    view.Show();

    std::vector<std::string> destinations;
    std::optional<std::string> failed;
    bool completed = false;
    running_ = true;
    platform::ScopeGuard stopped([&] {
        running_ = false;
        view.Hide();
    });
    completed = RunJobs(*localFolder, destinations, failed);
    stopped.Dismiss();
    running_ = false;
    if (!completed) {
        // Nothing is copying any more: the progress window goes, the dialog stays for another try.
        view.Hide();
        deps_.ui.ShowMessage(kSyncCreateFailed);
        return;
    }
    deps_.state.RefreshSheetList();
    if (deps_.sheetsCopied) deps_.sheetsCopied(destinations);
    Hide();
    // A sheet with a file that could not be copied kept its old files whole; the user learns which file.
    if (failed) deps_.ui.ShowMessage("ファイル " + *failed + " を作成できません");
}

LRESULT TFormSync::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kSyncBtnAdd:
                    BtnAddClick();
                    return 0;
                case kSyncBtnEdit:
                    BtnEditClick();
                    return 0;
                case kSyncBtnDel:
                    BtnDelClick();
                    return 0;
                case kSyncBtnSync:
                    BtnSyncClick();
                    return 0;
                case kSyncBtnClose:
                case IDCANCEL:
                    BtnCloseClick();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            // The dialog lives until exit: closing is "閉じる".
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
