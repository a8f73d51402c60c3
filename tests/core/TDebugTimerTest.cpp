#include "core/TDebugTimer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FakeFiles.h"

namespace zanmel {
namespace {

using test::FakeClock;
using test::FakeFiles;

TEST(TDebugTimer, NestedStagesAndLineFormat) {
    FakeClock clock;
    FakeFiles files;
    {
        TDebugTimer timer(clock, files, "E:\\Zanmel\\Debug.log");
        clock.now = 1000;
        timer.BeginStage();
        clock.now = 1003;
        timer.BeginStage();
        clock.now = 1015;
        timer.EndStage("アイテムデータ読み出し");
        clock.now = 123456789;
        timer.EndStage("TForm1::TForm1");
        timer.BeginStage();  // shorter than a millisecond
        timer.EndStage("TState::TState");
        // Across the 32-bit wrap of the clock.
        clock.now = 0xFFFFFFF0u;
        timer.BeginStage();
        clock.now = 0x10;
        timer.EndStage("wrap");
        ASSERT_EQ(timer.Lines().size(), 4u);
        EXPECT_EQ(timer.Lines()[0], "\t\t      12 ms:アイテムデータ読み出し");
        EXPECT_EQ(timer.Lines()[1], "\t123455789 ms:TForm1::TForm1");
        EXPECT_EQ(timer.Lines()[2], "\t       0 ms:TState::TState");
        EXPECT_EQ(timer.Lines()[3], "\t      32 ms:wrap");
        EXPECT_EQ(files.writes, 0);  // nothing reaches the disk before the end
    }
    EXPECT_EQ(files.files.at("E:\\Zanmel\\Debug.log"),
              "\t\t      12 ms:アイテムデータ読み出し\r\n"
              "\t123455789 ms:TForm1::TForm1\r\n"
              "\t       0 ms:TState::TState\r\n"
              "\t      32 ms:wrap\r\n");
}

TEST(TDebugTimer, UnbalancedStagesAndEmptyLog) {
    FakeClock clock;
    FakeFiles files;
    {
        TDebugTimer timer(clock, files, "Debug.log");
        timer.EndStage("nothing open");  // ignored, reads nothing outside the stack
        EXPECT_TRUE(timer.Lines().empty());
        timer.BeginStage();
        timer.BeginStage();
        timer.EndStage("inner");
        EXPECT_EQ(timer.OpenStages(), 1u);  // the outer stage stays open and writes no line
        timer.BeginStage();
        timer.BeginStage();
        timer.AbandonStagesAbove(1);  // both closed without a line, the outer one kept
        EXPECT_EQ(timer.OpenStages(), 1u);
        timer.BeginStage();
        timer.AbandonStage();  // cut short: no line, and the next stage is as deep as before
        timer.BeginStage();
        timer.EndStage("next");
        timer.AbandonStage();
        timer.AbandonStage();  // nothing open: ignored
        EXPECT_EQ(timer.OpenStages(), 0u);
        timer.BeginStage();
        timer.EndStage("top");
    }
    EXPECT_EQ(files.files.at("Debug.log"), "\t\t       0 ms:inner\r\n\t\t       0 ms:next\r\n\t       0 ms:top\r\n");

    { TDebugTimer timer(clock, files, "Empty.log"); }
    ASSERT_TRUE(files.files.count("Empty.log"));
    EXPECT_EQ(files.files.at("Empty.log"), "");  // no stages still replaces the file, with nothing
}

TEST(TDebugTimer, FailedWriteIsReportedNotThrown) {
    FakeClock clock;
    FakeFiles files;
    files.unwritable = "R:\\Debug.log";
    std::optional<std::string> reported;
    {
        TDebugTimer timer(clock, files, "R:\\Debug.log");
        timer.SetFailureReporter([&](const std::string& text) { reported = text; });
        timer.BeginStage();
        timer.EndStage("x");
    }
    ASSERT_TRUE(reported.has_value());
    EXPECT_NE(reported->find("R:\\Debug.log"), std::string::npos);

    // A reporter that throws itself must not take the process down either.
    {
        TDebugTimer timer(clock, files, "R:\\Debug.log");
        timer.SetFailureReporter([](const std::string&) { throw std::runtime_error("reporter"); });
    }
    { TDebugTimer silent(clock, files, "R:\\Debug.log"); }
    SUCCEED();
}

}  // namespace
}  // namespace zanmel
