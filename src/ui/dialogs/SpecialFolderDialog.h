#pragma once
// TFormSpecialFolder, the dialog that files special folders under keywords.

#include <windows.h>

#include <string>
#include <vector>

#include "core/DataLocations.h"
#include "core/KeyWordList.h"
#include "core/SpecialFolderRules.h"
#include "core/TDebugTimer.h"
#include "core/SpecialFolderModule.h"
#include "core/UserInterface.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/TreeHost.h"

namespace zanmel::ui {

// Control identifiers of the special folder dialog, for tests that drive it. Row i has its check box at
// kSFolderRowCheck + i, its edit at kSFolderRowEdit + i and its description at kSFolderRowLabel + i, inside
// ScrollBox1.
enum SpecialFolderControl : int {
    kSFolderLabel1 = 100,
    kSFolderLabel2,
    kSFolderLabel3,
    kSFolderLabel4,
    kSFolderScrollBox1,
    kSFolderCheckBox1,
    kSFolderBtnAll,
    kSFolderBtnClear,
    kSFolderBtnProposal,
    kSFolderBtnClearName,
    kSFolderBtnSet,
    kSFolderBtnHide,
    kSFolderRowCheck = 1000,
    kSFolderRowEdit = 1100,
    kSFolderRowLabel = 1200,
};

// The special folder dialog "特殊フォルダ": one row per catalogued special folder; a ticked row opens its folder
// by the keyword in its edit. "設定" registers, renames and deletes the keywords of kind "SpecialFolder" through
// the special folder module and files them under "##特殊フォルダ" of the main tree. Created once, its controls
// when first shown; shown without being modal while the main window is disabled.
class TFormSpecialFolder : public DialogWindow {
public:
    struct Dependencies {
        TreeHost& host;
        TKeyWordList& keyWords;
        TSpecialFolderModule& module;
        const DataLocations& places;
        UserInterface& ui;
    };
    // Timed as "TFormSpecialFolder::TFormSpecialFolder".
    TFormSpecialFolder(TDebugTimer& timer, Dependencies deps);

    // FormShow: the rows from the keyword index, the main window disabled.
    void Show();

    void BtnAllClick();
    void BtnClearClick();
    void BtnProposalClick();
    void BtnClearNameClick();
    void BtnSetClick();

    // A row's check box set by the program or the user: its edit shows only while it is ticked.
    void SetRowTicked(std::size_t row, bool ticked);
    bool RowTicked(std::size_t row) const;
    std::string RowKeyword(std::size_t row) const;
    void SetRowKeyword(std::size_t row, std::string_view keyword);
    bool RowRed(std::size_t row) const { return red_.at(row); }
    std::int32_t RowRegistered(std::size_t row) const { return registered_.at(row); }
    // The scroll box's vertical position in pixels.
    int ScrollPosition() const { return GetScrollPos(Control(kSFolderScrollBox1), SB_VERT); }
    // A control of the rows, inside the scroll box (none before the dialog was first shown).
    HWND RowControl(int id) const { return GetDlgItem(Control(kSFolderScrollBox1), id); }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    // The rows scrolled to position (pixels), within the content; the scroll bar set for position.
    void ScrollRows(int position);
    void SetScrollBar(int position);
    // The rows' height and the box's visible height, in pixels.
    int ContentHeight() const;
    int PageHeight() const;
    void ScrollBox1Scroll(WORD code);
    LRESULT EditColour(HDC dc, HWND edit) const;
    FolderTree::Node* SpecialFolderNode();

    Dependencies deps_;
    std::vector<std::int32_t> registered_;
    std::vector<std::string> previousKeywords_;
    std::vector<bool> red_;
};

}  // namespace zanmel::ui
