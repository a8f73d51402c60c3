#include "protocol/DirectSstp.h"

#include <gtest/gtest.h>

#include <string>

namespace zanmel {
namespace {

// A directory line: a 32-character id and "." before "hwnd", one separator byte, then the value.
std::string Line(const std::string& id, const std::string& key, const std::string& value) {
    return id + "." + key + "\x01" + value;
}

TEST(DirectSstp, TheLastWindowLineOfTheDirectoryIsTheTarget) {
    const std::string id(32, 'a');
    const std::string other(32, 'b');
    const std::string text = Line(id, "hwnd", "1234") + "\r\n" + Line(id, "name", "さくら") + "\n" +
                             Line(other, "hwnd", "5678") + "\r" + Line(other, "keroname", "hwnd");
    EXPECT_EQ(DirectSstpTarget(std::string(4, '\0') + text), 5678u);
    // The text ends at its NUL; what follows is not read.
    EXPECT_EQ(DirectSstpTarget("size" + Line(id, "hwnd", "1") + std::string(1, '\0') + Line(id, "hwnd", "2")), 1u);
}

TEST(DirectSstp, LinesOutOfPlaceOrWithoutANumberAreNoTarget) {
    const std::string id(32, 'a');
    EXPECT_FALSE(DirectSstpTarget(""));
    EXPECT_FALSE(DirectSstpTarget("1234"));
    EXPECT_FALSE(DirectSstpTarget("    " + Line(std::string(31, 'a'), "hwnd", "1")));  // one column early
    EXPECT_FALSE(DirectSstpTarget("    " + Line(id, "hwnd", "")));
    EXPECT_FALSE(DirectSstpTarget("    " + Line(id, "hwnd", "12x")));
    EXPECT_FALSE(DirectSstpTarget("    " + Line(id, "hwnd", "-5")));
    // A "hwnd" earlier in the line is its first one, so the line does not count.
    EXPECT_FALSE(DirectSstpTarget("    hwnd" + Line(std::string(28, 'a'), "hwnd", "1")));
    // The last window line decides, also when its handle is no number.
    EXPECT_EQ(DirectSstpTarget("    " + Line(id, "hwnd", "x") + "\r\n" + Line(id, "hwnd", "77")), 77u);
    EXPECT_FALSE(DirectSstpTarget("    " + Line(id, "hwnd", "77") + "\r\n" + Line(id, "hwnd", "x")));
    EXPECT_EQ(DirectSstpTarget("    " + Line(id, "hwnd", "77") + "\r\n" + Line(id, "name", "x")), 77u);
}

TEST(DirectSstp, TheInitialRequestNamesTheWindowWithoutKeyword) {
    EXPECT_EQ(DebugRequestText(4294967295u),
              "EXECUTE ZNXP/1.0\r\nSender:Project1\r\nCharset:Shift_JIS\r\nHWnd:4294967295");
}

}  // namespace
}  // namespace zanmel
