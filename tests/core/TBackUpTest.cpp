#include "core/TBackUp.h"

#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "core/ZanmelError.h"

namespace zanmel {
namespace {

using List = std::vector<std::string>;
using test::FakeFiles;

const std::string kIni = "E:\\Zanmel\\Zanmel.ini";
const char* const kProgram = "E:\\Tools\\Launcher";

TEST(TBackUp, MissingKeysGiveDefaultsAndSavingKeepsTheGlobalSettings) {
    FakeFiles files;
    files.files[kIni] = "[Setting]\r\nGoTaskTray=1\r\n";
    TBackUp backUp;
    backUp.Load(files, kIni);
    EXPECT_EQ(backUp.ComputerName, "");
    EXPECT_EQ(backUp.BackUpDir, "");
    EXPECT_EQ(backUp.Mode, TBackUp::kModeListedFolders);
    EXPECT_EQ(backUp.DirList, "");

    backUp.ComputerName = "PC1";
    backUp.BackUpDir = "D:\\バックアップ 先";
    backUp.Mode = 0;
    backUp.DirList = "data,\"my docs\"";
    backUp.Save(files, kIni);
    EXPECT_EQ(files.files[kIni],
              "[Setting]\r\nGoTaskTray=1\r\n[BackUp]\r\nComputerName=PC1\r\nBackUpDir=D:\\バックアップ 先\r\n"
              "Mode=0\r\nDirList=data,\"my docs\"\r\nLastBackUpDate=1899/12/30\r\n");

    TBackUp again;
    again.Load(files, kIni);
    EXPECT_EQ(again.BackUpDir, "D:\\バックアップ 先");
    EXPECT_EQ(again.Mode, 0);
    EXPECT_EQ(again.DirList, "data,\"my docs\"");
}

TEST(TBackUp, LastBackUpDateGoesBackAsItCameAndAnUnwritableFileRaises) {
    FakeFiles files;
    files.files[kIni] = "[BackUp]\r\nLastBackUpDate=2009/04/01 9:05:07\r\nMode=7\r\n";
    TBackUp backUp;
    backUp.Load(files, kIni);
    EXPECT_EQ(backUp.Mode, 7);
    backUp.Save(files, kIni);
    EXPECT_NE(files.files[kIni].find("LastBackUpDate=2009/04/01 9:05:07\r\n"), std::string::npos);

    // Unreadable for the moment: the dialog shows defaults, but a save never replaces the file.
    files.unreadable = kIni;
    TBackUp fresh;
    fresh.Load(files, kIni);
    EXPECT_EQ(fresh.Mode, TBackUp::kModeListedFolders);
    const std::string before = files.files[kIni];
    EXPECT_THROW(fresh.Save(files, kIni), ZanmelError);
    files.unreadable.clear();
    files.unwritable = kIni;
    EXPECT_THROW(backUp.Save(files, kIni), ZanmelError);
    EXPECT_EQ(files.files[kIni], before);
}

TEST(BackUpRules, RunAndFolderNames) {
    EXPECT_EQ(BackUpRunName({2009, 4, 1, 9, 5, 7}), "2009_04_01_09_05_07");
    EXPECT_EQ(BackUpRunName({2026, 12, 31, 23, 59, 0}), "2026_12_31_23_59_00");
    EXPECT_EQ(BackUpFolderName("E:\\Tools\\Launcher\\data"), "E__Tools_Launcher_data");
    EXPECT_EQ(BackUpFolderName("\\\\srv\\share/a"), "__srv_share_a");
    // "表" and "ソ" end in the byte 0x5C: characters, not separators.
    EXPECT_EQ(BackUpFolderName("E:\\表\\ソフト"), "E__表_ソフト");
}

TEST(BackUpRules, BackUpFolderMustLieOffTheProgramDrive) {
    EXPECT_EQ(CheckBackUpFolder("E:\\backup", "E:"), kBackUpTargetOnDrive);
    EXPECT_EQ(CheckBackUpFolder("e:\\backup", "E:"), kBackUpTargetOnDrive);
    EXPECT_EQ(CheckBackUpFolder("D:\\backup", "E:"), "");
    EXPECT_EQ(CheckBackUpFolder("\\\\srv\\share\\b", "E:"), "");
}

TEST(BackUpRules, FolderListTakesFoldersOfTheProgramDriveOnceInRelativeForm) {
    List list;
    EXPECT_EQ(AddBackUpEntry(list, "E:\\Tools\\Launcher\\data", kProgram), "");
    EXPECT_EQ(AddBackUpEntry(list, "E:\\Docs", kProgram), "");
    EXPECT_EQ(list, (List{"data", "..\\..\\Docs"}));
    EXPECT_EQ(AddBackUpEntry(list, "D:\\Docs", kProgram), kBackUpSourceOffDrive);
    EXPECT_EQ(AddBackUpEntry(list, "E:\\Tools\\Launcher\\data", kProgram), kBackUpAlreadyListed);
    EXPECT_EQ(list.size(), 2u);

    // An edit may choose its own folder again, not another entry's.
    EXPECT_EQ(EditBackUpEntry(list, 0, "E:\\Tools\\Launcher\\data", kProgram), "");
    EXPECT_EQ(EditBackUpEntry(list, 0, "E:\\Docs", kProgram), kBackUpAlreadyListed);
    EXPECT_EQ(EditBackUpEntry(list, 1, "C:\\Docs", kProgram), kBackUpSourceOffDrive);
    EXPECT_EQ(EditBackUpEntry(list, 1, "E:\\Tools\\Launcher\\skin", kProgram), "");
    EXPECT_EQ(list, (List{"data", "skin"}));
}

TEST(BackUpRules, JobsCopyTheDriveOrEachListedFolderIntoItsOwnFolder) {
    const std::string run = "D:\\bk\\2009_04_01_09_05_07";
    EXPECT_EQ(BackUpJobs(0, "E:", run, {"E:\\x"}), (std::vector<CopyJob>{{"E:", run}}));
    EXPECT_EQ(BackUpJobs(1, "E:", run, {"E:\\Tools\\Launcher\\data", "E:\\Docs"}),
              (std::vector<CopyJob>{{"E:\\Tools\\Launcher\\data", run + "\\E__Tools_Launcher_data"},
                                    {"E:\\Docs", run + "\\E__Docs"}}));
    EXPECT_TRUE(BackUpJobs(-1, "E:", run, {"E:\\Docs"}).empty());
    EXPECT_TRUE(BackUpJobs(1, "E:", run, {}).empty());
}

TEST(BackUpRules, JobsNeverOverwriteOneBackUpWithAnotherOrCopyTheBackUpIntoItself) {
    const std::string run = "D:\\bk\\2009_04_01_09_05_07";
    // E:\a_b and E:\a\b flatten alike; the second gets its own folder. The same folder listed twice (in
    // another letter case) is copied once.
    EXPECT_EQ(BackUpJobs(1, "E:", run, {"E:\\a_b", "E:\\a\\b", "e:\\A_B", "E:\\a\\B"}),
              (std::vector<CopyJob>{{"E:\\a_b", run + "\\E__a_b"}, {"E:\\a\\b", run + "\\E__a_b(2)"}}));
    // A run folder on the program drive (a folder typed by hand) or below a listed folder is never a source.
    const std::string onDrive = "E:\\bk\\2009_04_01_09_05_07";
    EXPECT_TRUE(BackUpJobs(0, "E:", onDrive, {}).empty());
    EXPECT_TRUE(BackUpJobs(0, "e:", onDrive, {}).empty());
    EXPECT_EQ(BackUpJobs(1, "E:", onDrive, {"E:\\bk", "E:\\b"}), (std::vector<CopyJob>{{"E:\\b", onDrive + "\\E__b"}}));
}

}  // namespace
}  // namespace zanmel
