#include "ui/dialogs/SyncDialog.h"

#include <utility>

#include "core/CommaText.h"
#include "core/SyncRules.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

using platform::ToWide;

TFormSync::TFormSync(Dependencies deps)
    : DialogWindow({L"TFormSync", "同期", 560, 360, deps.mainWindow}), deps_(std::move(deps)) {
    using F = TFormSync;
    // clang-format off
    AddControls<F>(*this, {
        {L"STATIC", "Zanmelのランチャファイルの同期を行います。", kLabel, {12, 10, 536, 16}},
        {L"STATIC", "同期するローカルPCのZanmel.exeのパスを指定してください。", kLabel, {12, 28, 536, 16}},
        {L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
         {12, 50, 440, 120}, kSyncListBox1, WS_EX_CLIENTEDGE},
        {L"BUTTON", "追加", kButton, {460, 50, 88, 26}, kSyncBtnAdd, 0, &F::BtnAddClick},
        {L"BUTTON", "編集", kButton, {460, 82, 88, 26}, kSyncBtnEdit, 0, &F::BtnEditClick},
        {L"BUTTON", "削除", kButton, {460, 114, 88, 26}, kSyncBtnDel, 0, &F::BtnDelClick},
        {L"STATIC", "☆動作説明", kLabel, {12, 180, 536, 16}},
        {L"STATIC", "1.USBメモリのZanmelのデータ(Portable)をローカルPCのZanmelのデータ(Portable)にコピー", kLabel,
         {12, 200, 536, 16}},
        {L"STATIC", "2.ローカルPCのZanmelのデータ(Fixed)をUSBメモリのZanmelのデータ(PC名)にコピー", kLabel,
         {12, 220, 536, 16}},
        {L"STATIC", "3.USBメモリが記録している各PCのデータ(PC名)をローカルPCのZanmelのデータ(PC名)にコピー", kLabel,
         {12, 240, 536, 16}},
        {L"STATIC", "※Zanmel Ver2.XX系とは同期できません。", kLabel, {12, 260, 536, 16}},
        {L"BUTTON", "同期を実行", kButton, {12, 320, 140, 28}, kSyncBtnSync, 0, &F::BtnSyncClick},
        {L"BUTTON", "閉じる", kButton, {460, 320, 88, 28}, kSyncBtnClose, 0, &F::Hide},
    });
    // clang-format on
}

void TFormSync::Show() {
    if (const auto bytes = deps_.files.ReadFile(SyncPath())) {
        SetListLines(kSyncListBox1, SyncLinesOf(*bytes));
    }
    OpenOverOwner(kSyncBtnClose);
}

void TFormSync::Hide() {
    if (running_) {
        deps_.dirView.Hide();
        return;
    }
    const std::string failure = StoreAndHide([this] { deps_.files.WriteFile(SyncPath(), SyncFileBytes(Lines())); });
    if (deps_.dirView.IsShown()) deps_.dirView.Hide();
    if (!failure.empty()) deps_.ui.ShowMessage(failure);
}

void TFormSync::BtnAddClick() {
    if (!running_) ChooseLine(-1, "");
}

void TFormSync::BtnEditClick() {
    if (running_) return;
    const int index = SelectedLine(kSyncListBox1);
    if (index >= 0) ChooseLine(index, SyncLinePath(Lines()[static_cast<std::size_t>(index)]));
}

void TFormSync::ChooseLine(int index, const std::string& initial) {
    const std::optional<std::string> chosen = deps_.ui.OpenFile(kExeFilter, initial);
    SetCurrentDirectoryW(ToWide(deps_.state.ProgramFolder()).c_str());
    if (!chosen) return;
    std::vector<std::string> lines = Lines();
    const std::string& computer = deps_.state.ComputerName();
    const std::string problem = index < 0 ? AddSyncLine(lines, computer, *chosen)
                                          : EditSyncLine(lines, static_cast<std::size_t>(index), computer, *chosen);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    SetListLines(kSyncListBox1, lines, index);
}

void TFormSync::BtnDelClick() {
    if (!running_) DeleteSelectedLine(kSyncListBox1);
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
    view.ShowProgress("同期中", "ファイルを同期中です。(※閉じると同期を中断します)");

    std::vector<std::string> destinations;
    std::optional<std::string> failed;
    running_ = true;
    platform::ScopeGuard stopped([&] {
        running_ = false;
        view.Hide();
    });
    const bool completed = RunJobs(*localFolder, destinations, failed);
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

}  // namespace zanmel::ui
