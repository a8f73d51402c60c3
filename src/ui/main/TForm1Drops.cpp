// Drops from other programs: files from the shell onto the list (opened) and the tree (registered), and links
// dragged from a browser onto the tree (registered as web items).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>

#include "core/TreePlacement.h"
#include "platform/CallbackGuard.h"
#include "platform/TreeViewItem.h"
#include "ui/dialogs/FolderPickerDialog.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/dialogs/WebItemDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

void TForm1::InstallDropTarget() {
    auto* target = new platform::CDropTarget(
        Handle(), [this](const std::string& name, const std::string& url) { TreeView1DropLink(name, url); });
    // Files dragged from the shell reach the tree through OLE too (a registered OLE target gets them instead of
    // the dropped-files message): they are registered like a shell drop.
    target->SetFilesCallback([this](const std::vector<std::string>& paths) { TreeView1DropFiles(paths); });
    treeDropTarget_ = std::make_unique<platform::DropTargetRegistration>(treeView1_, target);
}

void TForm1::RegisterDrops() {
    DragAcceptFiles(listBox1_, TRUE);
    DragAcceptFiles(treeView1_, TRUE);
    if (treeDropTarget_) treeDropTarget_->Register();
}

bool TForm1::ApplicationMessage(MSG& msg) {
    if (CallUpMessage(msg)) return true;
    if (msg.message != WM_DROPFILES || (msg.hwnd != treeView1_ && msg.hwnd != listBox1_)) return false;
    const HDROP drop = reinterpret_cast<HDROP>(msg.wParam);
    const platform::DropHandle release(drop);
    const std::vector<std::string> paths = platform::DroppedFiles(drop);
    if (msg.hwnd == treeView1_) {
        TreeView1DropFiles(paths);
    } else {
        ListBox1DropFiles(paths);
    }
    return true;
}

std::uint8_t TForm1::DropPlacementUnderMouse() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(treeView1_, &p);
    const HTREEITEM item = platform::TreeItemAt(treeView1_, p);
    FolderTree::Node* node = NodeOf(item);
    if (node) TreeView_SelectItem(treeView1_, item);
    return DropPlacement(node);
}

void TForm1::TreeView1DropFiles(const std::vector<std::string>& paths) {
    // While a dialog is up the main window is disabled: nothing is registered behind its back.
    ui::TFormZanmel* dialog = windows_.formZanmel;
    if (!dialog || !IsWindowEnabled(Handle())) return;
    SetForegroundWindow(Handle());
    const auto prefill = [&](const std::string& path) {
        EnableWindow(Handle(), FALSE);
        dialog->SetDialogMode(ui::TFormZanmel::kModePrefilled);
        dialog->SetPlacement(DropPlacementUnderMouse());
        dialog->SetPathAndKeyword(path);
    };
    // Each file in turn. One that fails its checks says why in its own message and the files after it still
    // register; the first such file comes back in the dialog at the end, for the user to correct.
    std::optional<std::string> firstFailed;
    for (const std::string& path : paths) {
        if (windows_.form3 && windows_.form3->IsShown()) return;
        prefill(path);
        dialog->QuickRegistration();
        if (dialog->IsShown()) {
            if (!firstFailed) firstFailed = path;
            dialog->Hide();
        }
    }
    if (firstFailed) {
        prefill(*firstFailed);
        dialog->Show();
    }
}

void TForm1::ListBox1DropFiles(const std::vector<std::string>& paths) {
    SetForegroundWindow(Handle());
    for (const std::string& path : paths) {
        if (life_.runFile) life_.runFile(path);
    }
}

void TForm1::TreeView1DropLink(const std::string& fileName, const std::string& url) {
    ui::TFormWEB* dialog = windows_.formWEB;
    if (!dialog || dialog->IsShown() || !IsWindowEnabled(Handle())) return;
    EnableWindow(Handle(), FALSE);
    dialog->SetDialogMode(ui::TFormWEB::kModePrefilled);
    dialog->SetPlacement(DropPlacementUnderMouse());
    dialog->SetLink(fileName, url);
    dialog->QuickRegistration();
}

}  // namespace zanmel
