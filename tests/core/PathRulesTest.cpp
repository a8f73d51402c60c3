#include "core/PathRules.h"

#include <gtest/gtest.h>

#include "core/NameCompare.h"

namespace zanmel {
namespace {

using List = std::vector<std::string>;

TEST(PathRules, RelativePathConversion) {
    const char* folder = "E:\\Tools\\Launcher";
    EXPECT_EQ(RelativePath(folder, "E:\\Tools\\Launcher\\bin\\app.exe"), "bin\\app.exe");
    EXPECT_EQ(RelativePath(folder, "E:\\Games\\x.exe"), "..\\..\\Games\\x.exe");
    EXPECT_EQ(RelativePath(folder, "C:\\Windows\\notepad.exe"), "C:\\Windows\\notepad.exe");
    EXPECT_EQ(RelativePath(folder, "E:\\Tools\\Launcher\\readme.txt"), "readme.txt");
    EXPECT_EQ(RelativePath(folder, "E:\\Tools\\other\\a.txt"), "..\\other\\a.txt");
    // Drive and folders compare as file names, without regard to case.
    EXPECT_EQ(RelativePath(folder, "e:\\TOOLS\\launcher\\Bin\\App.exe"), "Bin\\App.exe");
    // Already relative, or empty: another drive part, unchanged.
    EXPECT_EQ(RelativePath(folder, "bin\\app.exe"), "bin\\app.exe");
    EXPECT_EQ(RelativePath(folder, ""), "");
    // A program folder at a drive root.
    EXPECT_EQ(RelativePath("E:\\", "E:\\a\\b.exe"), "a\\b.exe");
    // "ソ" and "表" end in the byte 0x5C; they are characters, not separators.
    EXPECT_EQ(RelativePath("E:\\ソフト", "E:\\ソフト\\表\\x.exe"), "表\\x.exe");
    EXPECT_EQ(RelativePath("E:\\ソ", "E:\\ソフト\\x.exe"), "..\\ソフト\\x.exe");
    // Network paths: the share is the drive.
    EXPECT_EQ(RelativePath("\\\\srv\\share\\Zanmel", "\\\\srv\\share\\apps\\a.exe"), "..\\apps\\a.exe");
    EXPECT_EQ(RelativePath("\\\\srv\\share\\Zanmel", "\\\\srv\\other\\a.exe"), "\\\\srv\\other\\a.exe");

    // Item dialogs convert only in portable mode and only on the program drive, byte for byte.
    EXPECT_EQ(AutoRelativePath(true, folder, "E:\\Tools\\Launcher\\a.exe"), "a.exe");
    EXPECT_EQ(AutoRelativePath(true, folder, "e:\\Tools\\Launcher\\a.exe"), "e:\\Tools\\Launcher\\a.exe");
    EXPECT_EQ(AutoRelativePath(false, folder, "E:\\Tools\\Launcher\\a.exe"), "E:\\Tools\\Launcher\\a.exe");
}

TEST(PathRules, SameOrInsideAFolder) {
    EXPECT_TRUE(IsSameOrInside("C:\\a\\b", "C:\\a"));
    EXPECT_TRUE(IsSameOrInside("c:\\A", "C:\\a\\"));
    EXPECT_TRUE(IsSameOrInside("E:\\bk", "E:"));
    EXPECT_FALSE(IsSameOrInside("C:\\ab", "C:\\a"));
    EXPECT_FALSE(IsSameOrInside("C:\\a", "C:\\a\\b"));
    EXPECT_FALSE(IsSameOrInside("C:\\a", ""));
    // "表" ends in the byte 0x5C: its lead byte alone is not a folder with a separator after it.
    EXPECT_FALSE(IsSameOrInside("E:\\表", "E:\\\x95"));
    EXPECT_TRUE(IsSameOrInside("E:\\表\\x", "E:\\表\\"));
}

TEST(PathRules, DriveFolderAndFileNameParts) {
    EXPECT_EQ(DrivePart("C:\\Windows"), "C:");
    EXPECT_EQ(DrivePart("x:"), "x:");
    EXPECT_EQ(DrivePart("\\\\server\\share\\dir\\f.txt"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\ソフト\\表\\f.txt"), "\\\\ソフト\\表");
    EXPECT_EQ(DrivePart("\\dir\\f.txt"), "");
    EXPECT_EQ(DrivePart("f.txt"), "");
    EXPECT_EQ(DrivePart(""), "");

    EXPECT_EQ(FolderOf("C:\\Zanmel\\Zanmel.exe"), "C:\\Zanmel");
    EXPECT_EQ(FolderOf("C:\\Zanmel.exe"), "C:\\");
    EXPECT_EQ(FolderOf("C:\\表\\Zanmel.exe"), "C:\\表");
    EXPECT_EQ(FolderOf("C:\\x\\表"), "C:\\x");
    EXPECT_EQ(FolderOf("\\\\srv\\share\\Zanmel.exe"), "\\\\srv\\share");
    EXPECT_EQ(FolderOf("Zanmel.exe"), "");
    EXPECT_EQ(FileNameOf("C:\\x\\表"), "表");
    EXPECT_EQ(FileNameOf("C:a.exe"), "a.exe");
    EXPECT_EQ(FileNameOf("C:\\x\\"), "");
}

TEST(PathRules, SheetList) {
    // From a removable drive: "portable", then every computer folder, this computer's included.
    EXPECT_EQ(BuildSheetList({"PC-A", "Fixed", "Portable", "PC-B"}, true, "PC-B"), (List{"portable", "PC-A", "PC-B"}));
    // From a fixed drive: "portable", "fixed", then the others; this computer's folder compared without case.
    EXPECT_EQ(BuildSheetList({"PC-A", "Fixed", "Portable", "PC-B"}, false, "pc-b"),
              (List{"portable", "fixed", "PC-A"}));
    // Names that are missing are skipped; only the first equal entry is removed.
    EXPECT_EQ(BuildSheetList({}, true, "PC"), (List{"portable"}));
    EXPECT_EQ(BuildSheetList({}, false, "PC"), (List{"portable", "fixed"}));
    EXPECT_EQ(BuildSheetList({"PC", "ｐｃ"}, false, "ＰＣ"), (List{"portable", "fixed", "PC"}));
}

TEST(PathRules, SubFolderFilterAndFolderLayout) {
    EXPECT_TRUE(IsListedSubFolder("PC-A", 0x10));
    EXPECT_FALSE(IsListedSubFolder("PC-A", 0x10 | 0x20));  // archive
    EXPECT_FALSE(IsListedSubFolder("PC-A", 0x10 | 0x01));  // read-only
    EXPECT_FALSE(IsListedSubFolder("PC-A", 0x10 | 0x02));  // hidden
    EXPECT_FALSE(IsListedSubFolder("file.txt", 0x20));
    EXPECT_FALSE(IsListedSubFolder(".", 0x10));
    EXPECT_FALSE(IsListedSubFolder("..", 0x10));
    EXPECT_TRUE(IsListedSubFolder("...", 0x10));

    EXPECT_EQ(StartSheetFolder("E:\\Z", true), "E:\\Z\\data\\portable");
    EXPECT_EQ(StartSheetFolder("E:\\Z", false), "E:\\Z\\data\\fixed");
    EXPECT_EQ(FolderLayout("E:\\Z", "E:\\Z\\data\\fixed", "PC"),
              (List{"E:\\Z\\data", "E:\\Z\\skin", "E:\\Z\\data\\portable", "E:\\Z\\data\\fixed",
                    "E:\\Z\\data\\fixed\\icon", "E:\\Z\\data\\PC", "E:\\Z\\data\\PC\\icon"}));
    // At a drive root the paths carry a doubled "\", which the file system accepts.
    EXPECT_EQ(FolderLayout("E:\\", StartSheetFolder("E:\\", true), "PC")[4], "E:\\\\data\\portable\\icon");
}

TEST(NameCompare, FoldsLettersByCharacter) {
    EXPECT_TRUE(SameName("Fixed", "fIXED"));
    EXPECT_TRUE(SameName("ＡＢＣ", "ａｂｃ"));
    EXPECT_TRUE(SameName("ΑΩ", "αω"));
    EXPECT_TRUE(SameName("АЁЯ", "аёя"));  // the small Cyrillic row skips 0x847F
    EXPECT_FALSE(SameName("ア", "ャ"));   // trail bytes 0x41 and 0x61 are not letters
    EXPECT_FALSE(SameName("ab", "abc"));
    EXPECT_EQ(FoldName("AソB"), "aソb");
}

}  // namespace
}  // namespace zanmel
