#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <unordered_map>
#include <vector>

#include "core/DialogPlacement.h"
#include "core/FileAccess.h"
#include "core/FolderTree.h"
#include "core/FramelessWindow.h"
#include "core/KeyWordList.h"
#include "core/LaunchWordData.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/UserInterface.h"
#include "skin/SkinLayout.h"
#include "skin/TSkinDriver.h"
#include "skin/Win32SkinPainter.h"
#include "platform/DropTarget.h"
#include "platform/Handles.h"
#include "platform/TState.h"
#include "platform/TrayIcon.h"
#include "platform/Window.h"
#include "ui/dialogs/TreeHost.h"
#include "ui/main/ChildWindows.h"
#include "ui/main/LauncherPopup.h"
#include "ui/main/MainMenus.h"

namespace zanmel {

class TreeContextMenus;
namespace ui {
class TForm3;
class TForm4;
class TFormAutorunInf;
class TFormBackUp;
class TFormDebugDirectZNXS;
class TFormDirView;
class TFormScan;
class TFormSetting;
class TFormSpecialFolder;
class TFormSync;
class TFormWEB;
class TFormZanmel;
}  // namespace ui

enum class ItemDialogKind { Launcher, Web };

// The main window: the folder tree on the right, the search result list on the left, the two search boxes
// below them and the status bar showing the sheet.
class TForm1 : public platform::Window, public ui::TreeHost {
public:
    static constexpr wchar_t kClassName[] = L"TForm1";
    static constexpr int kListLineHeight = 12;
    static constexpr int kSearchLabelTop = 4;  // the search box labels' top within the bottom strip
    // The callback message of the notification-area icon (WM_APP to WM_APP + 2 are the hook library's).
    static constexpr UINT kTrayMessage = WM_APP + 10;
    // How long a protocol reply waits for the reply window's thread to take it.
    static constexpr UINT kReplyTimeoutMs = 5000;

    // What the main window uses of the program-wide objects; all of them outlive the window.
    struct Dependencies {
        TDebugTimer& timer;
        TSetting& setting;
        TKeyWordList& keyWords;
        FileAccess& files;
        UserInterface& ui;
        platform::TState& state;
        // The launch module's run keyword (keyword, option text); raises when the keyword is not registered.
        std::function<void(const std::string& keyword, const std::string& option)> runKeyword;
        // The launch module's delete keyword (keyword, save): dispatches by the keyword's kind and returns false
        // for a kind it does not handle; raises when the keyword is not registered.
        std::function<bool(const std::string& keyword, bool save)> deleteKeyword = {};
    };

    // What the window's life uses beyond the sheet: the launch module's run file and close down, the skin
    // driver. Empty members are skipped (tests of the tree and the search bar need none of them).
    struct Lifecycle {
        std::function<bool(const std::string& path)> runFile;
        // The launch module's close down; runEjectionTool is false when Windows ends the session.
        std::function<void(bool runEjectionTool)> closeDown;
        // The launch module's run record (the help page).
        std::function<bool(const TLaunchWordData2& record)> runRecord;
        skin::TSkinDriver* skins = nullptr;
        // The launch module's reload of the extension list from the home sheet's ext.txt, at every load sheet.
        std::function<void()> loadExtList = {};
        // Called first when Windows ends the session: from then on nothing may be shown to the user.
        std::function<void()> sessionEnding = {};
    };

    // The windows created after the main window that it opens or consults; each outlives it. Null members are
    // windows the program does not have (the tests of single parts).
    struct Windows {
        ui::TFormDirView* dirView = nullptr;
        ui::TForm3* form3 = nullptr;
        ui::TFormZanmel* formZanmel = nullptr;
        ui::TFormScan* formScan = nullptr;
        ui::TFormWEB* formWEB = nullptr;
        ui::TFormDebugDirectZNXS* formDebug = nullptr;
        ui::TFormSetting* formSetting = nullptr;
        ui::TForm4* form4 = nullptr;
        ui::TFormSpecialFolder* formSpecialFolder = nullptr;
        ui::TFormAutorunInf* formAutorunInf = nullptr;
        ui::TFormBackUp* formBackUp = nullptr;
        ui::TFormSync* formSync = nullptr;
    };

    explicit TForm1(Dependencies dependencies);
    TForm1(Dependencies dependencies, Lifecycle lifecycle);
    ~TForm1() override;
    // Also enables the menu entries of the windows that are there.
    void AttachWindows(const Windows& windows);
    void Show(int showCommand);

    // Sheet: keyword index, tree and icons of the current sheet folder.
    void LoadSheet();

    // Once after construction: window geometry and skin from the computer's setting.ini, start auto-run, input
    // method. An error stops it there; the program runs on.
    void FormCreate();
    // Exit auto-run, then saves the sheet and the window settings and closes what the launcher started. An
    // error stops it there and the window stays open; true when the window may close.
    bool FormClose();
    // Windows ends the session: runs what FormClose runs but the drive-ejection tool, shows nothing (an error
    // skips its step only), destroys the window and writes Debug.log at once, since the process may be ended
    // as soon as this returns.
    void SessionEnd();
    // The computer folder's setting.ini.
    std::string ComputerSettingPath() const;
    const std::string& SkinName() const { return skinName_; }
    void SaveTree();
    void WriteSheetFile(const std::string& path, std::string_view bytes);
    const std::string& SheetFolder() const { return deps_.state.SheetFolder(); }

    // Search bar.
    void Edit1Change();
    void Edit2Change();
    void RefreshResultList();
    // Runs the keyword through the launch module with the option text; on success both search boxes are emptied.
    void RunItem(const std::string& keyword, const std::string& option = "");

    // Keys of the controls; true when the key was taken.
    bool Edit1KeyDown(WPARAM key);
    bool Edit2KeyDown(WPARAM key);
    bool ListBox1KeyDown(WPARAM key);
    bool TreeView1KeyDown(WPARAM key);
    void FormKeyDown(WPARAM key);
    void ListBox1DblClick();

    // Controls, for the parts of the program (and the tests) that drive them.
    HWND Edit1() const { return edit1_; }
    HWND Edit2() const { return edit2_; }
    HWND ListBox1() const { return listBox1_; }
    HWND TreeView1() const { return treeView1_; }
    HWND StatusBar1() const { return statusBar1_; }
    HWND Panel1() const { return panel1_->Handle(); }
    HWND Panel2() const { return panel2_->Handle(); }
    std::vector<std::string> ListLines() const;
    std::size_t ListLineCount() const { return listLines_.size(); }
    const ui::MainMenus& Menus() const { return *menus_; }
    bool TrayIconShown() const { return trayIcon1_ && trayIcon1_->IsShown(); }
    FolderTree& Tree() { return tree_; }
    FolderTree::Node* CurrentNode() const { return currentNode_; }
    // The image index of an icon number in ImageList1 (the icon last added for that number), or -1.
    int IconIndex(int iconNumber) const;
    std::string Edit1Text() const;
    bool Edit1ReadOnly() const;

    // Folder tree commands of the context menus, the keys and the drops; each acts on the current node.
    void MakeNewFolder();
    void FolderMenuNameChangeClick();
    void FolderMenuDeleteClick();
    void ItemDeleteClick();
    void FolderMenuAllExecuteClick();
    void LauncherMenuDirOpenClick();
    // Tray menu "終了": refused while the directory view window works, otherwise the program closes.
    void MenuTrayIconEndClick();
    // A drag of a frame strip moves the window; a drag (or click) that ends strictly inside the skin's close
    // rectangle closes it. Screen coordinates.
    void PaintBox3StartDrag(FramePoint screen);
    void PaintBox3DragOver(FramePoint screen);
    void PaintBox3EndDrag(FramePoint screen);
    HWND PaintBox1() const { return paintBox1_->Handle(); }
    HWND PaintBox2() const { return paintBox2_->Handle(); }
    HWND PaintBox3() const { return paintBox3_->Handle(); }

    // The context menu for a node (none for no node): raises when an item's keyword is not registered; null for
    // an item of a kind without menu.
    HMENU ContextMenuFor(const FolderTree::Node* node) const;
    // Right button released over the tree or the list at a screen position: the current node becomes the
    // selected node and its context menu opens there.
    void TreeView1MouseUp(POINT screen);
    void ListBox1MouseUp(POINT screen);
    // Drop of the tree's selected node on target (null: below the last node) with the TVHT_ hit flags; false
    // when the tree did not change.
    bool TreeView1DragDrop(FolderTree::Node* target, UINT hitFlags);
    // Drop at a point of the tree's client area, hit-tested by the tree.
    bool TreeView1DragDropAt(POINT client);
    // Makes sheet n of the sheet list the current sheet and loads it.
    void ChangeSheet(std::size_t n);

    // What the item dialogs and the folder picker use of this window (Tree, CurrentNode, IconIndex, SaveTree and
    // RefreshResultList above serve them too).
    HWND MainWindow() const override { return Handle(); }
    FolderTree::Node* SelectedTreeNode() const override { return SelectedNode(); }
    void SelectTreeNode(FolderTree::Node* node) override;
    void ShowNewNode(FolderTree::Node* node) override;
    void UpdateNode(FolderTree::Node* node) override;
    void RemoveNode(FolderTree::Node* node) override;
    void ReplaceTree(FolderTree tree) override;
    HIMAGELIST ImageList1() const override { return imageList1_.Get(); }
    int AddIcon(int iconNumber, HICON icon) override;
    // The node's image, found (and its item's icon file read) when the node is first shown.
    int NodeImageIndex(FolderTree::Node* node) override;

    // The launcher item dialog or the WEB item dialog from the menus: a new item filed at the placement (the main
    // menu's new item is filed by the folder picker), or an edit of the current item without one.
    void OpenItemDialog(ItemDialogKind kind, std::optional<std::uint8_t> placement);
    // The main menu's commands that open no item dialog.
    void MenuFileExitClick();
    void MenuHelpShowClick();
    void MenuVerShowClick();
    void OpenScan(std::uint8_t mode);
    const Windows& AttachedWindows() const { return windows_; }

    // The application-wide message filter: the hot keys and the hook library's messages, which call up the main
    // window or the launcher menu from anywhere, and shell file drops on the list and the tree. True when it took
    // the message.
    bool ApplicationMessage(MSG& msg);
    // Files dropped on the tree are registered at once at the node under the mouse (into a folder, before an
    // item, at the end of the top level on empty space); files dropped on the list are opened.
    void TreeView1DropFiles(const std::vector<std::string>& paths);
    void ListBox1DropFiles(const std::vector<std::string>& paths);
    // A link dragged from a browser onto the tree: registered at once as a web item at the node under the mouse.
    void TreeView1DropLink(const std::string& fileName, const std::string& url);
    platform::CDropTarget& TreeDropTarget() const { return treeDropTarget_->Target(); }

    // The launcher menu, mirroring the tree: an entry per node, tagged with the node's position in pre-order.
    HMENU PopupMenu1() const { return popup_->Menu(); }
    // Before the launcher menu opens: built again when tree.txt changed since it was built.
    void PopupMenu1Popup();
    // Opens the launcher menu at a screen position and carries out the choice.
    void OpenPopupMenu1(POINT at);
    // The launcher menu entry with this command identifier (its tag + 1) was chosen: an item runs.
    void PopupMenu1Click(UINT id);
    // The launcher menu or one of its submenus is about to open (WM_INITMENUPOPUP): the top level gets its
    // submenus, a submenu its entries, the first time.
    void FillPopupSubmenu(HMENU submenu);
    std::size_t PopupMenu1Builds() const { return popup_->Builds(); }
    // The rectangle of all screens, measured at construction.
    const RECT& VirtualScreen() const { return virtualScreen_; }
    bool HotKeyRegistered(bool popup) const { return popup_->HotKeyRegistered(popup); }
    bool HookLoaded() const { return popup_->HookLoaded(); }

    // After a sync run refreshed the sheet list: the sheet menus follow it, and the current sheet is read again
    // when the run copied into its folder, so that what the window saves later matches the files copied.
    void SheetsSynced(const std::vector<std::string>& destinations);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class TForm1Protocol;
    // The notification-area icon and the application's activation (GoTaskTray, MinimatizeOnNoActive).
    void CreateTrayIcon();
    void RestoreFromTray();
    bool DirViewShown() const;
    bool HandleWindowState(UINT message, WPARAM wParam, LPARAM lParam);
    // The main menu, the frame menu and their commands.
    void CreateMenus();
    bool MainMenuCommand(UINT command);
    void ChooseSkin(std::size_t index);
    // The current skin onto the window: frame, sizes, colours, fonts and drawing modes.
    void ApplySkin();
    void InstallSkinPainting();
    LRESULT ControlColour(UINT message, HDC dc, HWND control);
    LRESULT TreeView1CustomDraw(NMTVCUSTOMDRAW* draw);
    // The image of a list row's keyword: its icon, or the default icon when icons are off.
    int ListIconIndex(std::string_view keyword);
    void EnableScanMenus(bool enabled);
    void FormDestroy();
    // The steps of closing the main window, each with its timing stage's text.
    std::vector<std::pair<const char*, std::function<void()>>> CloseSteps(bool runEjectionTool);
    void RunCloseSteps(bool sessionEnd);
    // OLE for the window and the tree's drop target; the list and the tree accept shell drops again (after every
    // skin application).
    void InstallDropTarget();
    void RegisterDrops();
    // The node under the mouse (null for none) becomes the selected one; its placement for a new item.
    std::uint8_t DropPlacementUnderMouse();
    void RunAutoRunFolder(std::string_view folderText);
    void ApplyImeMode();
    LRESULT Form1CopyData(WPARAM sender, const COPYDATASTRUCT* data);

    void CreateControls();
    void FormResize();
    void Splitter1Moved();
    void LayoutSearchBoxes(bool fromSplitter);
    void SetListLines(const TKeyWordList::Matches& matches);
    void Trim();
    void DrawListItem(const DRAWITEMSTRUCT& item);

    void LoadIcons();
    int IconImage(std::int32_t number);
    void FillTreeView();
    HTREEITEM InsertTreeItem(FolderTree::Node* node, HTREEITEM parent, HTREEITEM after) const;
    // The view holds a folder's children only once it has been opened (or is open): a sheet of 10,000 items
    // loads as its top level. Inserts the children of a folder item that has none yet.
    void PopulateChildren(HTREEITEM item, const FolderTree::Node* node) const;
    LRESULT TreeView1Notify(const NMHDR* header);
    FolderTree::Node* NodeOf(HTREEITEM item) const;
    FolderTree::Node* SelectedNode() const;

    void SetEdit1Text(const std::string& text);
    void SetEdit1ReadOnly(bool readOnly);
    void FocusListFirstLine();
    static bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self) noexcept;

    Dependencies deps_;
    Lifecycle life_;
    Windows windows_;
    FrameDrag frameDrag_;
    std::string skinName_;
    std::vector<std::int32_t> notifyWindows_;
    std::unique_ptr<ui::MainMenus> menus_;
    std::unique_ptr<platform::TrayIcon> trayIcon1_;
    platform::WindowHandle taskbarOwner_;  // hidden owner that keeps the window off the taskbar
    FolderTree tree_;
    FolderTree::Node* currentNode_ = nullptr;
    bool sheetLoaded_ = false;  // the last load of the current sheet ran to its end
    // Icon number to image index; an icon added for a number again replaces its line. A hash map, as a sheet
    // of 100,000 items with icons of their own looks up every node.
    std::unordered_map<int, int> iconMap_;
    platform::ImageListHandle imageList1_;
    PackedTexts listLines_;   // the keywords the result list shows
    bool listLimit_ = false;  // the skin's listbox.limit
    int listRowHeight_ = kListLineHeight;
    UINT dpi_ = 96;                           // the DPI the window is laid out for
    bool listOwnerDraw_ = false;              // the skin draws the rows
    bool launcherMenuOwnerDraw_ = false;      // the skin draws the launcher menu
    std::optional<skin::SkinLayout> layout_;  // of the skin last applied
    skin::SkinPainter painter_;
    platform::BrushHandle editBrush_;
    platform::BrushHandle listBrush_;

    // Frame and layout metrics (the skin sets them; these are the widths of a skin without images).
    int topHeight_ = 0;
    int leftWidth_ = 15;
    int rightWidth_ = 15;
    int splitterWidth_ = 5;
    int bottomHeight_ = 50;
    int listWidth_ = 377;

    std::unique_ptr<TPanel> paintBox3_, paintBox1_, paintBox2_, panel1_, panel2_, panelBottom_;
    std::unique_ptr<TSplitter> splitter1_;
    HWND listBox1_ = nullptr;
    HWND treeView1_ = nullptr;
    HWND label1_ = nullptr;
    HWND edit1_ = nullptr;
    HWND label2_ = nullptr;
    HWND edit2_ = nullptr;
    HWND statusBar1_ = nullptr;
    platform::FontHandle font_;
    int Scale(int pixels) const { return ScaleToDpi(pixels, dpi_); }
    void ScaleDefaultLayout();
    void DpiChanged(UINT dpi, const RECT& suggested);

    HTREEITEM ItemOf(const FolderTree::Node* node) const;
    void ShowSubtree(FolderTree::Node* node);
    void DeleteFolderContents(FolderTree::Node* node, HTREEITEM item);
    void SaveDeletion();
    // The folder or item delete command, by the current node's kind.
    void DeleteCurrentNode();
    void SelectListLineNode(bool focusTree);
    void SwitchSheetBy(int step);
    // The tree's context menus, mouse, drag and timer handling (created with the first sheet, destroyed first).
    std::unique_ptr<TreeContextMenus> treeMenus_;
    std::unique_ptr<platform::DropTargetRegistration> treeDropTarget_;

    // Hot keys, the hook library, the launcher menu and the skin's drawing of the popup menus.
    void InstallCallUps();
    bool CallUpMessage(MSG& msg);
    void MeasureScreens();
    void BringUpMainWindow(bool toMouse, bool keepInside);
    void BuildPopupMenu1();
    void DestroyPopupMenu1();
    void AppendPopupMenu1Entries(HMENU menu, const std::vector<std::unique_ptr<FolderTree::Node>>& nodes,
                                 std::size_t tag, bool withSubmenus);
    void AttachPopupSubmenu(HMENU menu, UINT position, const FolderTree::Node& node, std::size_t own);
    std::vector<HMENU> FixedPopupMenus() const;
    void AttachMenuDrawing();
    void ApplyMenuOwnerDraw();
    bool PopupMeasureItem(MEASUREITEMSTRUCT& measure);
    bool PopupDrawItem(const DRAWITEMSTRUCT& draw);
    std::unique_ptr<LauncherPopup> popup_;
    RECT virtualScreen_{};
};

}  // namespace zanmel
