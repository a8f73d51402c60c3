#include "ui/dialogs/BackUpDialog.h"

#include <utility>

#include "core/CommaText.h"
#include "core/PathRules.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

using platform::ToWide;

namespace {

bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(ToWide(path).c_str(), nullptr) != FALSE;
}

}  // namespace

TFormBackUp::TFormBackUp(Dependencies deps)
    : DialogWindow({.className = L"TFormBackUp",
                    .caption = "バックアップ",
                    .clientWidth = 460,
                    .clientHeight = 428,
                    .owner = deps.mainWindow}),
      deps_(std::move(deps)) {
    using F = TFormBackUp;
    // clang-format off
    AddControls<F>(*this, {
        {L"BUTTON", "バックアップ設定", BS_GROUPBOX, {8, 6, 444, 66}, kBackUpRadioGroup1},
        {L"BUTTON", "USBメモリ内の全データをバックアップ", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
         {20, 26, 420, 18}, kBackUpMode0},
        {L"BUTTON", "USBメモリの一部のみをバックアップ", BS_AUTORADIOBUTTON, {20, 46, 420, 18}, kBackUpMode1},
        {L"BUTTON", "バックアップ", BS_GROUPBOX | WS_GROUP, {8, 80, 444, 150}, kBackUpGroupBox1},
        {L"STATIC", "バックアップ先コンピュータ名", kLabel, {20, 100, 170, 16}},
        {L"STATIC", "（フォルダ設定時に自動的に設定されます）", kLabel, {190, 100, 250, 16}},
        {L"EDIT", "", kEdit, {20, 118, 420, 22}, kBackUpEdit1, WS_EX_CLIENTEDGE},
        {L"STATIC", "バックアップ先フォルダ", kLabel, {20, 146, 420, 16}},
        {L"EDIT", "", kEdit, {20, 164, 420, 22}, kBackUpEdit2, WS_EX_CLIENTEDGE},
        {L"BUTTON", "フォルダを設定", kButton, {20, 194, 120, 26}, kBackUpBtnDirSet, 0, &F::BtnDirSetClick},
        {L"BUTTON", "フォルダを開く", kButton, {146, 194, 120, 26}, kBackUpBtnDirOpen, 0, &F::BtnDirOpenClick},
        {L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
         {8, 240, 360, 140}, kBackUpListBox1, WS_EX_CLIENTEDGE},
        {L"BUTTON", "追加", kButton, {376, 240, 76, 26}, kBackUpBtnAdd, 0, &F::BtnAddClick},
        {L"BUTTON", "編集", kButton, {376, 272, 76, 26}, kBackUpBtnEdit, 0, &F::BtnEditClick},
        {L"BUTTON", "削除", kButton, {376, 304, 76, 26}, kBackUpBtnDel, 0, &F::BtnDelClick},
        {L"BUTTON", "バックアップを実行", kButton, {8, 392, 160, 28}, kBackUpBtnBackUp, 0, &F::BtnBackUpClick},
        {L"BUTTON", "閉じる", kButton, {372, 392, 80, 28}, kBackUpBtnClose, 0, &F::BtnCloseClick},
    });
    // clang-format on
}

int TFormBackUp::SelectedMode() const {
    if (Checked(kBackUpMode0)) return TBackUp::kModeWholeDrive;
    if (Checked(kBackUpMode1)) return TBackUp::kModeListedFolders;
    return -1;
}

void TFormBackUp::Show() {
    backUp_.Load(deps_.files, IniPath());
    SetText(kBackUpEdit1, backUp_.ComputerName);
    SetText(kBackUpEdit2, backUp_.BackUpDir);
    // A mode of neither entry selects none.
    SetChecked(kBackUpMode0, backUp_.Mode == TBackUp::kModeWholeDrive);
    SetChecked(kBackUpMode1, backUp_.Mode == TBackUp::kModeListedFolders);
    SetListLines(kBackUpListBox1, CommaTextSplit(backUp_.DirList));
    OpenOverOwner(kBackUpBtnClose);
}

void TFormBackUp::Hide(bool keepMainDisabled) {
    backUp_.ComputerName = Text(kBackUpEdit1);
    backUp_.BackUpDir = Text(kBackUpEdit2);
    backUp_.Mode = SelectedMode();
    backUp_.DirList = CommaTextJoin(ListLines(kBackUpListBox1));
    const std::string failure = StoreAndHide([this] { backUp_.Save(deps_.files, IniPath()); }, keepMainDisabled);
    if (!failure.empty()) deps_.ui.ShowMessage(failure);
}

void TFormBackUp::BtnDirSetClick() {
    const std::string chosen = deps_.state.FolderBrowser(deps_.ui, Handle(), Text(kBackUpEdit2));
    if (chosen.empty()) return;
    const std::string problem = CheckBackUpFolder(chosen, deps_.state.ProgramDrive());
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    SetText(kBackUpEdit2, chosen);
    SetText(kBackUpEdit1, deps_.state.ComputerName());
}

void TFormBackUp::BtnDirOpenClick() {
    if (deps_.runFile) deps_.runFile(Text(kBackUpEdit2));
}

void TFormBackUp::BtnEditClick() {
    const int index = SelectedLine(kBackUpListBox1);
    if (index >= 0)
        ChooseEntry(index, deps_.state.AbsolutePath(ListLines(kBackUpListBox1)[static_cast<std::size_t>(index)]));
}

void TFormBackUp::ChooseEntry(int index, const std::string& initial) {
    const std::string chosen = deps_.state.FolderBrowser(deps_.ui, Handle(), initial);
    if (chosen.empty()) return;
    std::vector<std::string> lines = ListLines(kBackUpListBox1);
    const std::string& program = deps_.state.ProgramFolder();
    const std::string problem = index < 0 ? AddBackUpEntry(lines, chosen, program)
                                          : EditBackUpEntry(lines, static_cast<std::size_t>(index), chosen, program);
    if (!problem.empty()) {
        deps_.ui.ShowMessage(problem);
        return;
    }
    SetListLines(kBackUpListBox1, lines, index);
}

void TFormBackUp::BtnBackUpClick() {
    if (Text(kBackUpEdit1) != deps_.state.ComputerName()) {
        deps_.ui.ShowMessage(kBackUpOtherComputer);
        return;
    }
    // The folder as the system resolves it: a relative or hand-typed folder on the stick itself would have the
    // drive copied into itself.
    const std::string folder = deps_.state.AbsolutePath(Text(kBackUpEdit2));
    if (!CheckBackUpFolder(folder, deps_.state.ProgramDrive()).empty()) {
        deps_.ui.ShowMessage(kBackUpTargetOnDrive);
        return;
    }
    const bool missing = !platform::FolderExists(folder);
    if (missing && !deps_.ui.Confirm(kBackUpCreateFolder)) return;
    // A new folder for every run; one that exists already (two runs in one second) is never written into.
    const std::string runFolder = folder + "\\" + BackUpRunName(deps_.now ? deps_.now() : CurrentLocalTime());
    if ((missing && !MakeFolder(folder)) || !MakeFolder(runFolder)) {
        deps_.ui.ShowMessage(kBackUpCreateFailed);
        return;
    }
    const int mode = SelectedMode();
    if (mode != TBackUp::kModeWholeDrive && mode != TBackUp::kModeListedFolders) {
        deps_.ui.ShowMessage(kBackUpBadMode);
        return;
    }

    Hide(true);
    std::vector<std::string> entries;
    for (const std::string& entry : CommaTextSplit(backUp_.DirList)) {
        entries.push_back(deps_.state.AbsolutePath(entry));
    }
    TFormDirView& view = deps_.dirView;
    view.ShowProgress("バックアップ中", "ファイルをバックアップ中です。(※閉じるとバックアップを中断します)");
    for (const CopyJob& job : BackUpJobs(mode, deps_.state.ProgramDrive(), runFolder, entries)) {
        MakeFolder(job.destination);  // the run folder itself exists already
        platform::TState::CopyFolderTree(view, job.destination, job.source);
    }
    view.Hide();
    EnableWindow(deps_.mainWindow, TRUE);
}

}  // namespace zanmel::ui
