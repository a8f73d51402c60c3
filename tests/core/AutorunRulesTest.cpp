#include "core/AutorunRules.h"

#include <gtest/gtest.h>

namespace zanmel {
namespace {

TEST(AutorunRules, PathsAreRelativeToTheDriveRoot) {
    EXPECT_EQ(DriveRelativePath("E:", "E:\\Tools\\Launcher\\Zanmel.exe"), "Tools\\Launcher\\Zanmel.exe");
    EXPECT_EQ(DriveRelativePath("E:", "E:\\Zanmel.exe"), "Zanmel.exe");
    EXPECT_EQ(DriveRelativePath("E:", "e:\\ソフト\\Unplug.exe"), "ソフト\\Unplug.exe");
    EXPECT_EQ(DriveRelativePath("E:", "C:\\Tools\\UnplugDrive.exe"), "C:\\Tools\\UnplugDrive.exe");
}

TEST(AutorunRules, WithoutUnplugDriveSixLinesAndNoBatchForIt) {
    const AutorunFiles files = MakeAutorunFiles("Tools\\Zanmel.exe", "");
    EXPECT_EQ(files.autorunInf,
              "[autorun]\r\nopen=Tools\\Zanmel.exe\r\nicon=Tools\\Zanmel.exe\r\naction=Zanmel起動\r\n"
              "shell\\usbOpen=Zanmel起動\r\nshell\\usbOpen\\command=Tools\\Zanmel.exe\r\n");
    EXPECT_EQ(files.zanmelBat, "Tools\\Zanmel.exe\r\n");
    EXPECT_FALSE(files.unplugDriveBat.has_value());
}

TEST(AutorunRules, WithUnplugDriveEightLinesAndItsBatch) {
    const AutorunFiles files = MakeAutorunFiles("Zanmel.exe", "C:\\Tools\\UnplugDrive.exe");
    EXPECT_EQ(files.autorunInf,
              "[autorun]\r\nopen=Zanmel.exe\r\nicon=Zanmel.exe\r\naction=Zanmel起動\r\n"
              "shell\\usbOpen=Zanmel起動\r\nshell\\usbOpen\\command=Zanmel.exe\r\n"
              "shell\\usbOpen2=UnplugDriveで取り外す\r\nshell\\usbOpen2\\command=C:\\Tools\\UnplugDrive.exe\r\n");
    EXPECT_EQ(files.unplugDriveBat, "C:\\Tools\\UnplugDrive.exe\r\n");
}

TEST(AutorunRules, PathsThatACommandLineWouldSplitAreQuoted) {
    const AutorunFiles files = MakeAutorunFiles("My Tools\\Zanmel.exe", "Tools (x64)\\100%\\Unplug.exe");
    EXPECT_NE(files.autorunInf.find("open=\"My Tools\\Zanmel.exe\"\r\n"), std::string::npos);
    EXPECT_NE(files.autorunInf.find("icon=My Tools\\Zanmel.exe\r\n"), std::string::npos);
    EXPECT_NE(files.autorunInf.find("shell\\usbOpen\\command=\"My Tools\\Zanmel.exe\"\r\n"), std::string::npos);
    EXPECT_NE(files.autorunInf.find("shell\\usbOpen2\\command=\"Tools (x64)\\100%\\Unplug.exe\"\r\n"),
              std::string::npos);
    EXPECT_EQ(files.zanmelBat, "\"My Tools\\Zanmel.exe\"\r\n");
    // A batch file expands "%" even inside quotes.
    EXPECT_EQ(files.unplugDriveBat, "\"Tools (x64)\\100%%\\Unplug.exe\"\r\n");
    // Trail bytes of double-byte characters ("表" ends in 0x5C, "ソ" too) are not special characters.
    EXPECT_EQ(MakeAutorunFiles("表\\ソフト\\Zanmel.exe", "").zanmelBat, "表\\ソフト\\Zanmel.exe\r\n");
}

}  // namespace
}  // namespace zanmel
