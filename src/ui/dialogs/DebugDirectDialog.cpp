#include "ui/dialogs/DebugDirectDialog.h"

#include <algorithm>
#include <cstdint>

#include "platform/LauncherWindow.h"
#include "protocol/DirectSstp.h"
#include "protocol/ZnxpRequest.h"

namespace zanmel::ui {

namespace {

constexpr char kNotProcessed[] = "送信しましたが処理されませんでした";

// The first bytes of the mascot hosts' shared memory, or nothing when no host made it.
std::optional<std::string> ReadMascotDirectory() {
    const platform::KernelHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, L"Sakura"));
    if (!mapping) return std::nullopt;
    // The whole mapping is viewed: asking for more than it holds would fail.
    const platform::MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return std::nullopt;
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(view.Get(), &region, sizeof(region))) return std::nullopt;
    const std::size_t size = std::min<std::size_t>(region.RegionSize, kMascotDirectorySize);
    return std::string(static_cast<const char*>(view.Get()), size);
}

}  // namespace

TFormDebugDirectZNXS::TFormDebugDirectZNXS(TDebugTimer& timer, UserInterface& ui, HWND owner)
    // The stage begins before the window is made.
    : DialogWindow((timer.BeginStage(), Frame{L"TFormDebugDirectZNXS", "FormDebugDirectZNXP", 480, 400, owner,
                                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0})),
      ui_(ui) {
    // Replies may come from a launcher running at another integrity level.
    ChangeWindowMessageFilterEx(Handle(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    using F = TFormDebugDirectZNXS;
    constexpr DWORD memo = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
    // clang-format off
    AddControls<F>(*this, {
        {L"EDIT", "", memo, {8, 8, 464, 170}, kDebugMemo1, WS_EX_CLIENTEDGE},
        {L"BUTTON", "DirectZNXP送信", kButton, {8, 186, 140, 26}, kDebugButton1, 0, &F::Button1Click},
        {L"BUTTON", "DirectSSTP送信", kButton, {156, 186, 140, 26}, kDebugButton2, 0, &F::Button2Click},
        {L"EDIT", "", memo, {8, 220, 464, 172}, kDebugMemo2, WS_EX_CLIENTEDGE},
    });
    // clang-format on
    SetText(kDebugMemo1, DebugRequestText(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Handle()))));
    timer.EndStage("TFormDebug::TFormDebug");
}

void TFormDebugDirectZNXS::Show() {
    ShowOverOwner();
    SetForegroundWindow(Handle());
    SetFocus(Control(kDebugMemo1));
}

void TFormDebugDirectZNXS::SendRequest(HWND to, std::uint32_t kind) {
    LRESULT result = 0;
    const bool sent = platform::SendCopyData(to, Handle(), kind, Text(kDebugMemo1), 0, &result);
    if (!sent || result == 0) ui_.ShowMessage(kNotProcessed);
}

void TFormDebugDirectZNXS::Button1Click() {
    SetText(kDebugMemo2, "");
    HWND launcher = platform::FindLauncherWindow();
    if (!launcher) {
        ui_.ShowMessage("Zanmelが見つかりません。");
        return;
    }
    // The launcher's reply comes back to this window during the send and lands in Memo2.
    SendRequest(launcher, kCopyDataZnxp);
}

void TFormDebugDirectZNXS::Button2Click() {
    const std::optional<std::string> directory = ReadMascotDirectory();
    if (!directory) return;
    const std::optional<std::uint64_t> target = DirectSstpTarget(*directory);
    if (!target) return;
    SendRequest(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*target)), kCopyDataDirectSstp);
}

LRESULT TFormDebugDirectZNXS::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return Default(message, wParam, lParam);
    // Whatever its kind, a payload is the reply to show.
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    SetText(kDebugMemo2, data ? CopyDataText(data->lpData, data->cbData) : std::string_view());
    return 1;
}

}  // namespace zanmel::ui
