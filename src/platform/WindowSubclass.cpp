#include "platform/WindowSubclass.h"

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace zanmel::platform {

namespace {

struct Entry {
    SubclassProc proc;  // null once removed while the chain was running
    UINT_PTR id;
    DWORD_PTR data;
};

struct Chain {
    WNDPROC original = nullptr;
    std::vector<Entry> entries;  // in the order installed; the last runs first
    std::size_t next = 0;        // entries below this index are still to run for the current message
    int running = 0;             // messages being handled, nested ones included
};

std::unordered_map<HWND, std::unique_ptr<Chain>>& Chains() {
    static std::unordered_map<HWND, std::unique_ptr<Chain>> chains;
    return chains;
}

Chain* ChainOf(HWND hwnd) {
    const auto it = Chains().find(hwnd);
    return it == Chains().end() ? nullptr : it->second.get();
}

bool Empty(const Chain& chain) {
    for (const Entry& entry : chain.entries) {
        if (entry.proc) return false;
    }
    return true;
}

// Gives the window its own procedure back once nothing runs; a procedure that someone placed after ours stays
// in front, and ours then passes every message straight on.
void Release(HWND hwnd, Chain& chain, bool destroyed);

LRESULT CALLBACK ChainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(hwnd);
    if (!chain) return DefWindowProcW(hwnd, message, wParam, lParam);
    const std::size_t saved = chain->next;
    chain->next = chain->entries.size();
    ++chain->running;
    const LRESULT result = CallNextSubclass(hwnd, message, wParam, lParam);
    --chain->running;
    chain->next = saved;
    if (message == WM_NCDESTROY) {
        Release(hwnd, *chain, true);
    } else if (chain->running == 0 && Empty(*chain)) {
        Release(hwnd, *chain, false);
    }
    return result;
}

void Release(HWND hwnd, Chain& chain, bool destroyed) {
    if (chain.running > 0) {
        // A window destroyed while its chain runs: nothing more is called, and the chain goes when the
        // outermost message returns.
        if (destroyed) {
            for (Entry& entry : chain.entries) entry.proc = nullptr;
        }
        return;
    }
    if (IsWindow(hwnd)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &ChainProc) {
            if (!destroyed) return;  // another procedure sits in front and still calls ours: keep passing on
        } else {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
        }
    }
    Chains().erase(hwnd);
}

}  // namespace

bool InstallSubclass(HWND hwnd, SubclassProc proc, UINT_PTR id, DWORD_PTR data) {
    if (!IsWindow(hwnd) || !proc) return false;
    Chain* chain = ChainOf(hwnd);
    if (!chain) {
        auto created = std::make_unique<Chain>();
        created->original =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc)));
        if (!created->original) return false;
        chain = created.get();
        Chains().emplace(hwnd, std::move(created));
    }
    for (Entry& entry : chain->entries) {
        if (entry.proc == proc && entry.id == id) {
            entry.data = data;
            return true;
        }
    }
    // A procedure installed while a message runs takes part from the next message on.
    chain->entries.push_back({proc, id, data});
    return true;
}

void RemoveSubclass(HWND hwnd, SubclassProc proc, UINT_PTR id) {
    Chain* chain = ChainOf(hwnd);
    if (!chain) return;
    for (std::size_t i = 0; i < chain->entries.size(); ++i) {
        Entry& entry = chain->entries[i];
        if (entry.proc != proc || entry.id != id) continue;
        if (chain->running > 0) {
            entry.proc = nullptr;  // indices stay while messages are on their way down
        } else {
            chain->entries.erase(chain->entries.begin() + static_cast<std::ptrdiff_t>(i));
        }
        break;
    }
    if (chain->running == 0 && Empty(*chain)) Release(hwnd, *chain, false);
}

LRESULT CallNextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(hwnd);
    if (!chain) return DefWindowProcW(hwnd, message, wParam, lParam);
    const std::size_t before = chain->next;
    while (chain->next > 0) {
        const Entry entry = chain->entries[--chain->next];
        if (!entry.proc) continue;
        const LRESULT result = entry.proc(hwnd, message, wParam, lParam, entry.id, entry.data);
        if (Chain* still = ChainOf(hwnd)) still->next = before;
        return result;
    }
    const WNDPROC original = chain->original;
    const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
    if (Chain* still = ChainOf(hwnd)) still->next = before;
    return result;
}

}  // namespace zanmel::platform
