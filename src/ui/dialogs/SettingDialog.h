#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/SettingRules.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "platform/Handles.h"
#include "ui/dialogs/DialogWindow.h"

namespace zanmel::ui {

// Control identifiers of the global settings dialog, for tests that drive it. The corner panels follow their
// group's first identifier in bit order (Panel11 to Panel18, Panel21 to Panel28).
enum SettingControl : int {
    kSettingPageControl1 = 100,
    kSettingCheckBox1,
    kSettingCheckBox2,
    kSettingCheckBox3,
    kSettingCheckBox4,
    kSettingComboBox3,
    kSettingComboBox4,
    kSettingEdit1,
    kSettingComboBox1,
    kSettingEdit2,
    kSettingComboBox2,
    kSettingCheckBox5,
    kSettingCheckBox6,
    kSettingButton1,
    kSettingCheckBox7,
    kSettingPanel11 = 200,
    kSettingPanel21 = 210,
};

// The global settings dialog "全体設定": edits TSetting on three pages. Created once, its controls when first
// shown; shown without being modal while the main window is disabled. There is no Cancel: hiding it, by "閉じる"
// or by closing the window, stores every control into TSetting, writes Zanmel.ini and enables the main window.
// Hot keys reach TSetting while they are typed.
class TFormSetting : public DialogWindow {
public:
    static constexpr int kPageCount = 3;

    // skinNames: the skin loader's names as comma text. Timed as "TFormSetting::TFormSetting".
    TFormSetting(TDebugTimer& timer, TSetting& setting, HWND mainWindow, std::string_view skinNames);
    ~TFormSetting() override;

    // FormShow: disables the main window, loads the controls from TSetting and shows the first page.
    void Show();
    // FormHide: stores the controls, saves Zanmel.ini and enables the main window. A failed write is raised
    // after the dialog has hidden, so the program stays usable.
    void Hide() override;

    // Key-down in a hot key field (Edit1: the main window's hot key, Edit2: the popup menu's) with the
    // modifiers held.
    void HotKeyKeyDown(SettingControl field, std::uint16_t virtualKey, bool ctrl, bool shift, bool alt);
    bool CornerLowered(int group, int bit) const { return corners_.at(group).at(bit); }
    void ShowPage(int page);
    int CurrentPage() const { return TabCtrl_GetCurSel(Control(kSettingPageControl1)); }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The page's painting is made again at the tab control's new size.
    void OnDpiChanged() override { ResetPageBrush(); }

private:
    void CreateControls();
    bool EnsurePageBrush();
    LRESULT PageControlColor(HDC dc, HWND control);
    void PaintBackground(HDC dc);
    void ResetPageBrush() {
        pageBrush_.Reset();
        pageBitmap_.Reset();
    }
    static LRESULT CALLBACK HotKeyEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self) noexcept;

    TSetting& setting_;
    std::vector<std::string> skinNames_;
    // Where each page's run of controls begins among the dialog's controls, and where the last one ends.
    std::array<std::size_t, kPageCount + 1> pageStarts_{};
    std::array<CornerPositions, 2> corners_{};  // lowered panels of the two groups
    // The tab control's page as it paints itself, so labels and check boxes on it show the page, not the
    // dialog's face colour; made when first needed and again after a theme or colour change.
    platform::BitmapHandle pageBitmap_;
    platform::BrushHandle pageBrush_;
    bool makingPageBrush_ = false;
};

}  // namespace zanmel::ui
