#include "core/SyncRules.h"

#include <gtest/gtest.h>

namespace zanmel {
namespace {

using List = std::vector<std::string>;

TEST(SyncRules, LinesOfTheFileAndBack) {
    EXPECT_EQ(SyncLine("MYPC", "C:\\Tools\\Launcher\\Zanmel.exe"), "MYPC,C:\\Tools\\Launcher\\Zanmel.exe");
    const std::string spaced = SyncLine("MYPC", "C:\\Program Files\\表\\Zanmel.exe");
    EXPECT_EQ(spaced, "MYPC,\"C:\\Program Files\\表\\Zanmel.exe\"");
    EXPECT_EQ(SyncLineComputer(spaced), "MYPC");
    EXPECT_EQ(SyncLinePath(spaced), "C:\\Program Files\\表\\Zanmel.exe");
    EXPECT_EQ(SyncLinePath("ONLYNAME"), "");

    const List lines = SyncLinesOf("A,C:\\z\\Zanmel.exe\r\n\r\nB,D:\\Zanmel.exe\nC,E:\\Zanmel.exe");
    EXPECT_EQ(lines, (List{"A,C:\\z\\Zanmel.exe", "B,D:\\Zanmel.exe", "C,E:\\Zanmel.exe"}));
    EXPECT_EQ(SyncFileBytes(lines), "A,C:\\z\\Zanmel.exe\r\nB,D:\\Zanmel.exe\r\nC,E:\\Zanmel.exe\r\n");
    EXPECT_EQ(SyncFileBytes({}), "");
}

TEST(SyncRules, LocalFolderIsThatOfTheFirstLineOfThisComputer) {
    const List lines{"OTHER,D:\\o\\Zanmel.exe", "MYPC,C:\\Tools\\Launcher\\Zanmel.exe", "MYPC,C:\\second\\Zanmel.exe",
                     "ROOT,C:\\Zanmel.exe"};
    EXPECT_EQ(SyncLocalFolder(lines, "MYPC"), "C:\\Tools\\Launcher");
    EXPECT_EQ(SyncLocalFolder(lines, "ROOT"), "C:\\");
    // Exact comparison of the computer name.
    EXPECT_EQ(SyncLocalFolder(lines, "mypc"), std::nullopt);
    EXPECT_EQ(SyncLocalFolder({}, "MYPC"), std::nullopt);
}

TEST(SyncRules, AddAndEditTakeOnlyZanmelExeOncePerComputer) {
    List lines;
    EXPECT_EQ(AddSyncLine(lines, "A", "C:\\z\\zanmel.exe"), kSyncNotZanmel);
    EXPECT_EQ(AddSyncLine(lines, "A", "C:\\z\\Zanmel.exe.lnk"), kSyncNotZanmel);
    EXPECT_EQ(AddSyncLine(lines, "A", "C:\\z\\Other.exe"), kSyncNotZanmel);
    EXPECT_EQ(AddSyncLine(lines, "A", "C:\\z\\Zanmel.exe"), "");
    EXPECT_EQ(AddSyncLine(lines, "A", "C:\\z\\Zanmel.exe"), kSyncAlreadyAdded);
    // The same path from another computer is another line.
    EXPECT_EQ(AddSyncLine(lines, "B", "C:\\z\\Zanmel.exe"), "");
    EXPECT_EQ(lines, (List{"A,C:\\z\\Zanmel.exe", "B,C:\\z\\Zanmel.exe"}));

    // The edited line takes this computer's name; it may stay as it is, but not become another line.
    EXPECT_EQ(EditSyncLine(lines, 1, "B", "C:\\z\\Zanmel.exe"), "");
    EXPECT_EQ(EditSyncLine(lines, 1, "A", "C:\\z\\Zanmel.exe"), kSyncAlreadyListed);
    EXPECT_EQ(EditSyncLine(lines, 1, "B", "C:\\y\\ZANMEL.EXE"), kSyncNotZanmel);
    EXPECT_EQ(EditSyncLine(lines, 0, "B", "D:\\new\\Zanmel.exe"), "");
    EXPECT_EQ(lines, (List{"B,D:\\new\\Zanmel.exe", "B,C:\\z\\Zanmel.exe"}));
}

TEST(SyncRules, JobsInTheirOrderSkipTheDrivesOwnSheetsAndThisComputer) {
    const auto jobs = SyncJobs("X:\\Zanmel", "C:\\Zanmel", "PCB", {"portable", "PCA", "fixed", "PCB", "pcb", "PCC"});
    EXPECT_EQ(jobs, (std::vector<CopyJob>{
                        {"X:\\Zanmel\\data\\portable", "C:\\Zanmel\\data\\portable", true},
                        {"C:\\Zanmel\\data\\fixed", "X:\\Zanmel\\data\\PCB", true},
                        {"X:\\Zanmel\\data\\PCA", "C:\\Zanmel\\data\\PCA", false},
                        {"X:\\Zanmel\\data\\pcb", "C:\\Zanmel\\data\\pcb", false},
                        {"X:\\Zanmel\\data\\PCC", "C:\\Zanmel\\data\\PCC", false},
                    }));
}

}  // namespace
}  // namespace zanmel
