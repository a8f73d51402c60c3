#include "platform/TextQueryDialog.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/CallbackGuard.h"

namespace zanmel::platform {

namespace {

// Builds a DLGTEMPLATE with its items in memory; every part is aligned as the dialog manager requires.
class DialogTemplate {
public:
    void Header(DWORD style, short controls, short width, short height, const std::wstring& title) {
        Align(4);
        Put<DWORD>(style);
        Put<DWORD>(0);  // extended style
        Put<WORD>(static_cast<WORD>(controls));
        Put<short>(0);
        Put<short>(0);
        Put<short>(width);
        Put<short>(height);
        Put<WORD>(0);  // no menu
        Put<WORD>(0);  // default class
        String(title);
        Put<WORD>(9);  // point size (DS_SETFONT)
        String(L"MS Shell Dlg");
    }

    void Item(DWORD style, short x, short y, short width, short height, WORD id, WORD classAtom,
              const std::wstring& text) {
        Align(4);
        Put<DWORD>(style | WS_CHILD | WS_VISIBLE);
        Put<DWORD>(0);
        Put<short>(x);
        Put<short>(y);
        Put<short>(width);
        Put<short>(height);
        Put<WORD>(id);
        Put<WORD>(0xFFFF);
        Put<WORD>(classAtom);
        String(text);
        Put<WORD>(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    template <class T>
    void Put(T value) {
        static_assert(sizeof(T) % 2 == 0);
        const auto* p = reinterpret_cast<const WORD*>(&value);
        words_.insert(words_.end(), p, p + sizeof(T) / 2);
    }
    void String(const std::wstring& text) {
        for (wchar_t c : text) words_.push_back(static_cast<WORD>(c));
        words_.push_back(0);
    }
    void Align(std::size_t bytes) {
        while ((words_.size() * 2) % bytes) words_.push_back(0);
    }

    std::vector<WORD> words_;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;

struct QueryState {
    const std::wstring* initial;
    std::wstring answer;
};

INT_PTR CALLBACK QueryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardCallback<INT_PTR>(FALSE, [&]() -> INT_PTR {
        switch (message) {
            case WM_INITDIALOG: {
                SetWindowLongPtrW(dialog, DWLP_USER, lParam);
                auto* state = reinterpret_cast<QueryState*>(lParam);
                HWND edit = GetDlgItem(dialog, kTextQueryEditId);
                SetWindowTextW(edit, state->initial->c_str());
                SendMessageW(edit, EM_SETSEL, 0, -1);
                SetFocus(edit);
                return FALSE;  // focus set by hand
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    auto* state = reinterpret_cast<QueryState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                    HWND edit = GetDlgItem(dialog, kTextQueryEditId);
                    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                    text.resize(
                        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
                    state->answer = std::move(text);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    });
}

}  // namespace

std::optional<std::wstring> RunTextQueryDialog(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                               const std::wstring& initialText) {
    const short lines = static_cast<short>(1 + std::count(prompt.begin(), prompt.end(), L'\n'));
    const short promptHeight = static_cast<short>(std::min<int>(lines, 20) * 10);
    const short width = 260;
    const short editY = static_cast<short>(8 + promptHeight + 4);
    const short buttonY = static_cast<short>(editY + 14 + 8);
    const short height = static_cast<short>(buttonY + 14 + 7);

    DialogTemplate t;
    t.Header(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, width, height, title);
    t.Item(SS_LEFT | SS_NOPREFIX, 7, 8, width - 14, promptHeight, kTextQueryPromptId, kStatic, prompt);
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, editY, width - 14, 14, kTextQueryEditId, kEdit, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, width - 7 - 50 - 4 - 50, buttonY, 50, 14, IDOK, kButton, L"OK");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, width - 7 - 50, buttonY, 50, 14, IDCANCEL, kButton, L"キャンセル");

    QueryState state{&initialText, {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, &QueryProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.answer;
}

}  // namespace zanmel::platform
