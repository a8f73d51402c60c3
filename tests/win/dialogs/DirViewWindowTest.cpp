#include "ui/dialogs/DirViewWindow.h"

#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"

namespace zanmel::ui {

namespace {

using platform::ReadFileBytes;
using platform::ToWide;
using platform::TState;

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(ToWide(path).c_str(), nullptr)) << path;
}

// source: a.txt, read-only ro.txt, an empty folder and sub\表\deep.txt.
void MakeTree(const test::TempFolder& source) {
    test::WritePlainFile(source / "a.txt", "alpha");
    test::WritePlainFile(source / "ro.txt", "read only");
    SetFileAttributesW(ToWide(source / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(source / "empty");
    MakeFolder(source / "sub");
    MakeFolder(source / "sub\\表");
    test::WritePlainFile(source / "sub\\表\\deep.txt", "deep");
}

}  // namespace

// Under Xvfb without a window manager, Wine waits about two seconds for every hide; the tests hide sparingly.
TEST(TFormDirView, IsCreatedHiddenAndClosingOnlyHidesIt) {
    TFormDirView view;
    ASSERT_TRUE(IsWindow(view.Handle()));
    EXPECT_FALSE(view.IsShown());
    view.SetTitle("バックアップ中");
    view.SetLabel1("コピー元: Y:\\データ");
    view.ShowPath("X:\\ソフト\\表\\a&b.txt");
    EXPECT_EQ(view.Title(), "バックアップ中");
    EXPECT_EQ(view.Label1Text(), "コピー元: Y:\\データ");
    EXPECT_EQ(view.Label2Text(), "X:\\ソフト\\表\\a&b.txt");
    EXPECT_EQ(GetParent(view.Control(kDirViewLabel2)), view.Handle());

    view.Show();
    EXPECT_TRUE(view.IsShown());
    SendMessageW(view.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(view.IsShown());
    EXPECT_TRUE(IsWindow(view.Handle()));  // lives on, to be shown again
    view.Show();
    EXPECT_TRUE(view.IsShown());
}

TEST(TFormDirView, CopyFolderTreeRunsWhileTheWindowIsShown) {
    test::TempFolder source(test::RemovableDrive().Root());
    MakeTree(source);
    TFormDirView view;

    test::TempFolder hidden(test::FixedDrive().Root());
    TState::CopyFolderTree(view, hidden.Path(), source.Path());
    EXPECT_TRUE(test::FolderEntries(hidden.Path()).empty());
    EXPECT_EQ(view.Label2Text(), "");

    test::TempFolder copy(test::FixedDrive().Root());
    view.Show();
    TState::CopyFolderTree(view, copy.Path(), source.Path());
    EXPECT_EQ(ReadFileBytes(copy / "a.txt"), "alpha");
    EXPECT_EQ(ReadFileBytes(copy / "ro.txt"), "read only");
    EXPECT_EQ(ReadFileBytes(copy / "sub\\表\\deep.txt"), "deep");
    EXPECT_TRUE(test::FolderEntries(copy / "empty").empty());
    EXPECT_EQ(test::FolderEntries(copy.Path()).size(), 4u);
    // Label2 shows the entry in hand: at the end, one of the source's entries.
    EXPECT_EQ(view.Label2Text().rfind(source.Path() + "\\", 0), 0u) << view.Label2Text();

    // The user closes the window: the close message runs between entries and the copy stops.
    test::TempFolder interrupted(test::FixedDrive().Root());
    PostMessageW(view.Handle(), WM_CLOSE, 0, 0);
    TState::CopyFolderTree(view, interrupted.Path(), source.Path());
    EXPECT_FALSE(view.IsShown());
    EXPECT_TRUE(test::FolderEntries(interrupted.Path()).empty());
}

}  // namespace zanmel::ui
