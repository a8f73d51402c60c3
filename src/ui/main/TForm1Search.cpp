// The search bar of the main window: the forward-match box Edit1, the partial-match box Edit2 and the result
// list ListBox1.
#include <windows.h>
#include <commctrl.h>

#include "platform/TextCodec.h"
#include "ui/main/TForm1.h"

namespace zanmel {

using platform::ToCp932;
using platform::ToWide;

namespace {

std::string WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return ToCp932(text);
}

}  // namespace

std::vector<std::string> TForm1::ListLines() const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < listLines_.size(); ++i) lines.emplace_back(listLines_[i]);
    return lines;
}

std::string TForm1::Edit1Text() const {
    return WindowText(edit1_);
}

bool TForm1::Edit1ReadOnly() const {
    return (GetWindowLongW(edit1_, GWL_STYLE) & ES_READONLY) != 0;
}

void TForm1::SetEdit1Text(const std::string& text) {
    SetWindowTextW(edit1_, ToWide(text).c_str());
}

void TForm1::SetEdit1ReadOnly(bool readOnly) {
    SendMessageW(edit1_, EM_SETREADONLY, readOnly, 0);
}

void TForm1::Edit1Change() {
    std::string query = Edit1Text();
    const auto result = deps_.keyWords.Match(query, deps_.setting.ForeCaseSensitive, true, deps_.setting.RomajiSearch);
    if (result.completed) {
        // Setting the text runs this handler again; that search finds the memory holding the keyword and does
        // not complete a second time.
        SetEdit1Text(query);
        SendMessageW(edit1_, EM_SETSEL, 0, -1);
        SetEdit1ReadOnly(true);
        return;
    }
    SetListLines(result);
}

void TForm1::Edit2Change() {
    std::string query = WindowText(edit2_);
    SetListLines(deps_.keyWords.Match(query, deps_.setting.PartialCaseSensitive, false, deps_.setting.RomajiSearch));
}

void TForm1::RefreshResultList() {
    SetEdit1ReadOnly(false);
    if (GetWindowTextLengthW(edit1_) == 0) {
        Edit1Change();
    } else {
        SetEdit1Text("");
    }
    InvalidateRect(listBox1_, nullptr, TRUE);
}

// The keywords are copied into one buffer: a refill of 100,000 lines is two allocations, not 100,000.
void TForm1::SetListLines(const TKeyWordList::Matches& matches) {
    listLines_.clear();
    for (const std::size_t row : matches.rows) listLines_.push_back(deps_.keyWords.KeyWordAt(row));
    Trim();
    SendMessageW(listBox1_, LB_SETCOUNT, listLines_.size(), 0);
    InvalidateRect(listBox1_, nullptr, TRUE);
}

// With the skin's listbox.limit the list keeps only the lines that fit its height, so it never scrolls.
void TForm1::Trim() {
    if (!listLimit_) return;
    RECT rc;
    GetClientRect(listBox1_, &rc);
    const std::size_t fit = static_cast<std::size_t>(std::max(0L, rc.bottom) / std::max(1, listRowHeight_));
    if (listLines_.size() > fit) {
        listLines_.truncate(fit);
        SendMessageW(listBox1_, LB_SETCOUNT, listLines_.size(), 0);
    }
}

void TForm1::RunItem(const std::string& keyword, const std::string& option) {
    deps_.runKeyword(keyword, option);
    SetEdit1ReadOnly(false);
    SetEdit1Text("");
    SetWindowTextW(edit2_, L"");
}

void TForm1::FocusListFirstLine() {
    if (listLines_.empty()) return;
    SetFocus(listBox1_);
    SendMessageW(listBox1_, LB_SETCURSEL, 0, 0);
}

bool TForm1::Edit1KeyDown(WPARAM key) {
    bool taken = false;
    switch (key) {
        case VK_BACK:
        case VK_DELETE:
            SetEdit1ReadOnly(false);
            SetEdit1Text("");
            taken = true;
            break;
        case VK_RETURN: {
            const std::string text = Edit1Text();
            if (deps_.keyWords.Exists(text)) RunItem(text);
            SetEdit1ReadOnly(false);
            taken = true;
            break;
        }
        case VK_LEFT:
            if (!KeyHeld(VK_SHIFT)) {
                SetFocus(edit2_);
                taken = true;
            }
            break;
        case VK_UP:
        case VK_DOWN:
            if (!listLines_.empty()) {
                FocusListFirstLine();
                taken = true;
            }
            break;
        default:
            break;
    }
    FormKeyDown(key);
    return taken;
}

bool TForm1::Edit2KeyDown(WPARAM key) {
    bool taken = false;
    if ((key == VK_UP || key == VK_DOWN) && !listLines_.empty()) {
        FocusListFirstLine();
        taken = true;
    } else if (key == VK_RETURN) {
        taken = true;
    }
    FormKeyDown(key);
    return taken;
}

bool TForm1::ListBox1KeyDown(WPARAM key) {
    const LRESULT selection = SendMessageW(listBox1_, LB_GETCURSEL, 0, 0);
    const bool hasLine = selection != LB_ERR && static_cast<std::size_t>(selection) < listLines_.size();
    const std::string line(hasLine ? listLines_[static_cast<std::size_t>(selection)] : "");
    bool taken = false;
    if (key == VK_RETURN) {
        if (hasLine && deps_.keyWords.Exists(line)) RunItem(line);
        SetEdit1ReadOnly(false);
        taken = true;
    } else if (key == 'D' && KeyHeld(VK_CONTROL)) {
        if (hasLine && deps_.keyWords.Exists(line) && deps_.keyWords.KindOf(line) == "Launch") {
            RunItem(line, "tlDIR");
        }
        SetEdit1ReadOnly(false);
        taken = true;
    } else if (key == VK_DELETE) {
        // The tree node of the line (the last one with its text) is deleted; the focus stays in the list.
        if (FolderTree::Node* node = hasLine ? tree_.FindLast(line) : nullptr) {
            TreeView_SelectItem(treeView1_, ItemOf(node));
            currentNode_ = node;
            DeleteCurrentNode();
        }
        taken = true;
    }
    FormKeyDown(key);
    return taken;
}

void TForm1::ListBox1DblClick() {
    const LRESULT selection = SendMessageW(listBox1_, LB_GETCURSEL, 0, 0);
    if (selection != LB_ERR && static_cast<std::size_t>(selection) < listLines_.size()) {
        RunItem(std::string(listLines_[static_cast<std::size_t>(selection)]));
    }
    SetEdit1ReadOnly(false);
}

void TForm1::FormKeyDown(WPARAM key) {
    if ((key == VK_LEFT || key == VK_RIGHT) && KeyHeld(VK_SHIFT)) SwitchSheetBy(key == VK_RIGHT ? 1 : -1);
}

}  // namespace zanmel
