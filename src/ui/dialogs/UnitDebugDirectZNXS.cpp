#include "ui/dialogs/UnitDebugDirectZNXS.h"

#include <algorithm>
#include <cstdint>

#include "core/ZanmelError.h"
#include "platform/LauncherWindow.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"
#include "platform/UiFont.h"
#include "protocol/DirectSstp.h"
#include "protocol/ZnxpRequest.h"
#include "ui/dialogs/DialogControls.h"

namespace zanmel::ui {

using platform::ToCp932;
using platform::ToWide;

namespace {

constexpr wchar_t kClassName[] = L"TFormDebugDirectZNXS";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 400;
constexpr int kMargin = 8;
constexpr int kMemoHeight = 170;
constexpr int kButtonHeight = 26;
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
    : ui_(ui), font_(platform::CreateUiFont()) {
    timer.BeginStage();
    RegisterWindowClass(kClassName);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    Create(kClassName, L"FormDebugDirectZNXP", kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
           frame.bottom - frame.top, owner);
    platform::EnableDialogNavigation(Handle());
    // Replies may come from a launcher running at another integrity level.
    ChangeWindowMessageFilterEx(Handle(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    CreateControls();
    SetText(kDebugMemo1, DebugRequestText(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Handle()))));
    timer.EndStage("TFormDebug::TFormDebug");
}

void TFormDebugDirectZNXS::CreateControls() {
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto add = [&](const wchar_t* cls, std::string_view text, DWORD style, int x, int y, int width, int height,
                         int id, DWORD exStyle = 0) {
        HWND child = CreateWindowExW(exStyle, cls, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                     height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        if (!child) {
            throw ZanmelError("TFormDebugDirectZNXS", "CreateWindowExW: " + platform::SystemErrorText(GetLastError()));
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    };
    const DWORD memo = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP;
    const int width = kClientWidth - 2 * kMargin;
    add(L"EDIT", "", memo, kMargin, kMargin, width, kMemoHeight, kDebugMemo1, WS_EX_CLIENTEDGE);
    const int row = kMargin + kMemoHeight + kMargin;
    add(L"BUTTON", "DirectZNXP送信", BS_PUSHBUTTON | WS_TABSTOP, kMargin, row, 140, kButtonHeight, kDebugButton1);
    add(L"BUTTON", "DirectSSTP送信", BS_PUSHBUTTON | WS_TABSTOP, kMargin + 148, row, 140, kButtonHeight, kDebugButton2);
    const int replyTop = row + kButtonHeight + kMargin;
    add(L"EDIT", "", memo, kMargin, replyTop, width, kClientHeight - replyTop - kMargin, kDebugMemo2, WS_EX_CLIENTEDGE);
}

std::string TFormDebugDirectZNXS::Text(DebugDirectControl id) const {
    HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(control, text.data(), length + 1))));
    return ToCp932(text);
}

void TFormDebugDirectZNXS::SetText(DebugDirectControl id, std::string_view text) {
    SetWindowTextW(Control(id), ToWide(text).c_str());
}

void TFormDebugDirectZNXS::Show() {
    ShowOverOwner(Handle());
    SetForegroundWindow(Handle());
    SetFocus(Control(kDebugMemo1));
}

void TFormDebugDirectZNXS::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool TFormDebugDirectZNXS::IsShown() const {
    return IsWindowVisible(Handle()) != FALSE;
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

LRESULT TFormDebugDirectZNXS::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == kDebugButton1) {
                Button1Click();
                return 0;
            }
            if (LOWORD(wParam) == kDebugButton2) {
                Button2Click();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                Hide();
                return 0;
            }
            break;
        case WM_COPYDATA: {
            // Whatever its kind, a payload is the reply to show.
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            SetText(kDebugMemo2, data ? CopyDataText(data->lpData, data->cbData) : std::string_view());
            return 1;
        }
        case WM_CLOSE:
            Hide();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace zanmel::ui
