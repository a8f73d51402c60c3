// Copy-data messages to the main window: command lines forwarded by a second start, and ZNXP requests.
#include <windows.h>

#include "core/TreePlacement.h"
#include "platform/LauncherWindow.h"
#include "protocol/ProtocolHandler.h"
#include "protocol/ZnxpRequest.h"
#include "ui/dialogs/LauncherItemDialog.h"
#include "ui/main/TForm1.h"

namespace zanmel {

// What the protocol does through the main window: the keyword index's search (sharing the completion memory
// with the search bar), the launch module, the launcher item dialog, the notify list and replies by copy-data.
class TForm1Protocol : public ProtocolServices {
public:
    explicit TForm1Protocol(TForm1& form) : form_(form) {}

    SearchResult Search(std::string query, bool caseSensitive, bool forward, bool byRomaji) override {
        const auto result = form_.deps_.keyWords.Search(query, caseSensitive, forward, byRomaji);
        return {result.keywords, result.completed};
    }
    void RunKeyword(const std::string& keyword) override { form_.deps_.runKeyword(keyword, ""); }
    void RunFile(const std::string& path) override {
        if (form_.life_.runFile) form_.life_.runFile(path);
    }
    // The launcher item dialog prefilled with the path (relative when portable on the program drive) and its
    // last component as the keyword; the folder picker files it. Shown again even when it is up already.
    void OpenRegistration(const std::string& path) override {
        ui::TFormZanmel* dialog = form_.windows_.formZanmel;
        if (!dialog) return;
        EnableWindow(form_.Handle(), FALSE);
        dialog->SetDialogMode(ui::TFormZanmel::kModePrefilled);
        dialog->SetPlacement(kPlaceWithPicker);
        dialog->SetPathAndKeyword(path);
        dialog->Show();
    }
    void AddNotifyWindow(std::int32_t window) override { form_.notifyWindows_.push_back(window); }
    void PostExit() override { PostMessageW(form_.Handle(), WM_CLOSE, 0, 0); }
    void SendReply(std::int32_t window, const std::string& text) override {
        // A reply window that no longer exists makes the send fail; one whose thread does not answer (hwnd: may
        // name any window) is given up after a while instead of holding the launcher for good.
        platform::SendCopyData(reinterpret_cast<HWND>(static_cast<std::intptr_t>(window)), form_.Handle(),
                               kCopyDataZnxp, text, TForm1::kReplyTimeoutMs);
    }
    void ShowError(std::string_view text) override { form_.deps_.ui.ShowMessage(text); }
    void ReleaseSender() override {
        if (InSendMessage()) ReplyMessage(1);
    }

private:
    TForm1& form_;
};

LRESULT TForm1::Form1CopyData(WPARAM sender, const COPYDATASTRUCT* data) {
    if (!data) return 0;
    TForm1Protocol services(*this);
    const auto senderWindow = static_cast<std::int32_t>(static_cast<std::intptr_t>(sender));
    return HandleCopyData(static_cast<std::uint64_t>(data->dwData), senderWindow,
                          CopyDataText(data->lpData, data->cbData), services);
}

}  // namespace zanmel
