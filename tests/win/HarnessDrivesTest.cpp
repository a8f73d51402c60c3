#include <gtest/gtest.h>

#include "WinTestSupport.h"
#include "platform/AtomicFile.h"
#include "platform/TextCodec.h"

namespace zanmel::test {

// Portable mode depends on the drive type the system reports; the harness must give us one of each kind.
TEST(Harness, RemovableAndFixedDrivesReportTheirTypes) {
    const HarnessDrive removable = RemovableDrive();
    const HarnessDrive fixed = FixedDrive();
    ASSERT_EQ(removable.letter.size(), 2u) << "ZANMEL_REMOVABLE_DRIVE not set; run through the harness";
    ASSERT_EQ(fixed.letter.size(), 2u);
    EXPECT_EQ(GetDriveTypeW(platform::ToWide(removable.Root()).c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
    EXPECT_EQ(GetDriveTypeW(platform::ToWide(fixed.Root()).c_str()), static_cast<UINT>(DRIVE_FIXED));

    // A file written through the drive letter is the file in the harness's host folder.
    for (const HarnessDrive& drive : {removable, fixed}) {
        const std::string name = "probe.txt";
        WritePlainFile(drive.Root() + name, "drive " + drive.letter);
        const auto viaHost = platform::ReadFileBytes(HostPathToWindows(drive.host + "/" + name));
        ASSERT_TRUE(viaHost.has_value()) << drive.letter;
        EXPECT_EQ(*viaHost, "drive " + drive.letter);
        DeleteFileW(platform::ToWide(drive.Root() + name).c_str());
    }
}

}  // namespace zanmel::test
