#include <gtest/gtest.h>

#include <vector>

#include "WinTestSupport.h"
#include "core/ProfileFile.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"

namespace zanmel::platform {

namespace {

struct Services {
    MultimediaClock clock;
    Win32FileAccess files;
};

}  // namespace

TEST(SettingsFiles, ZanmelIniOnBothDrives) {
    for (const test::HarnessDrive& drive : {test::RemovableDrive(), test::FixedDrive()}) {
        test::TempFolder program(drive.Root());
        Services services;
        TDebugTimer timer(services.clock, services.files, program / "Debug.log");

        // A fresh folder: every default; the first save creates the file.
        TSetting fresh(timer, services.files, program.Path());
        EXPECT_FALSE(fresh.ForeCaseSensitive || fresh.GoTaskTray || fresh.HotKeyZanmel.Use || fresh.HotKeyPopup.Use);
        EXPECT_EQ(fresh.DefaultSkinName, "デフォルト");
        EXPECT_EQ(fresh.ImeMode, 0);
        EXPECT_FALSE(PathExists(program / "Zanmel.ini"));
        fresh.SaveSetting();
        const auto created = ReadFileBytes(program / "Zanmel.ini");
        ASSERT_TRUE(created.has_value());
        EXPECT_EQ(created->rfind("[Setting]\r\nForeCaseSensitive=0\r\n", 0), 0u);
        EXPECT_NE(created->find("DefaultSkinName=\x83\x66\x83\x74\x83\x48\x83\x8B\x83\x67\r\n"), std::string::npos);

        // Values as a user or an older version may have left them.
        const std::string longName(3000, 'n');
        test::WritePlainFile(program / "Zanmel.ini",
                             "; hand edited\r\n[Setting]\r\nForeCaseSensitive=2\r\nDefaultSkinName=" + longName +
                                 "\r\n[HotKeyZanmel]\r\nVK=65601\r\nCorner=256\r\nMouse=0x1F\r\n"
                                 "[BackUp]\r\nTarget=C:\\Backup\r\n[Unknown]\r\nx=y\r\n");
        TSetting edited(timer, services.files, program.Path());
        EXPECT_TRUE(edited.ForeCaseSensitive);
        EXPECT_EQ(edited.HotKeyZanmel.VK, 65);
        EXPECT_EQ(edited.CornerZanmel, 0);
        EXPECT_EQ(edited.MouseZanmel, 31);
        EXPECT_EQ(edited.DefaultSkinName, std::string(2047, 'n'));
        edited.DefaultSkinName = "青";
        edited.SaveSetting();
        const std::string saved = ReadFileBytes(program / "Zanmel.ini").value_or("");
        ProfileFile reread(saved);
        EXPECT_EQ(reread.ReadString("Setting", "ForeCaseSensitive", ""), "1");
        EXPECT_EQ(reread.ReadString("HotKeyZanmel", "VK", ""), "65");
        EXPECT_EQ(reread.ReadString("HotKeyZanmel", "Corner", ""), "0");
        EXPECT_EQ(reread.ReadString("BackUp", "Target", ""), "C:\\Backup");
        EXPECT_EQ(reread.ReadString("Unknown", "x", ""), "y");
        EXPECT_EQ(saved.rfind("; hand edited\r\n", 0), 0u);
        EXPECT_EQ(saved.find('\n'), saved.find("\r\n") + 1);  // CR LF line ends
        EXPECT_EQ(test::FolderEntries(program.Path()), std::vector<std::string>{"Zanmel.ini"});

        ASSERT_EQ(timer.Lines().size(), 2u);
        EXPECT_EQ(timer.Lines()[1].substr(13), "TSetting::TSetting");
    }
}

TEST(SettingsFiles, FailedSaveNamesTheFileAndKeepsIt) {
    test::TempFolder program(test::FixedDrive().Root());
    Services services;
    TDebugTimer timer(services.clock, services.files, program / "Debug.log");
    test::WritePlainFile(program / "Zanmel.ini", "[Setting]\r\nGoTaskTray=1\r\n");
    TSetting setting(timer, services.files, program.Path());
    EXPECT_TRUE(setting.GoTaskTray);

    // Another program holds the file without sharing it for deletion or renaming.
    HANDLE holder = CreateFileW(ToWide(program / "Zanmel.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    setting.GoTaskTray = false;
    try {
        setting.SaveSetting();
        ADD_FAILURE() << "save over a held file reported success";
    } catch (const ZanmelError& error) {
        EXPECT_NE(std::string(error.what()).find("Zanmel.ini"), std::string::npos) << error.what();
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(program / "Zanmel.ini"), "[Setting]\r\nGoTaskTray=1\r\n");

    // A program folder that is gone.
    TSetting missing(timer, services.files, program / "gone");
    EXPECT_THROW(missing.SaveSetting(), ZanmelError);
}

TEST(SettingsFiles, DebugLogBesideTheExecutable) {
    test::TempFolder program(test::RemovableDrive().Root());
    const std::string exe = program / "Zanmel.exe";
    EXPECT_EQ(DebugLogPath(exe), program / "Debug.log");
    Services services;
    {
        TDebugTimer timer(services.clock, services.files, DebugLogPath(exe));
        timer.BeginStage();
        {
            TState state(timer, exe);  // nested one level deeper: two tabs
            TSetting setting(timer, services.files, state.ProgramFolder());
        }
        timer.BeginStage();
        Sleep(40);
        timer.EndStage("アイテムデータ読み出し");
        timer.EndStage("TForm1::TForm1");
        EXPECT_FALSE(PathExists(program / "Debug.log"));  // written once, at the end
    }
    // Each line: its tabs, the milliseconds right-aligned in eight columns, " ms:", the text, CR LF.
    const std::string log = ReadFileBytes(program / "Debug.log").value_or("");
    const std::string texts[] = {
        "\t\tTState::TState", "\t\tTSetting::TSetting",
        "\t\t\x83\x41\x83\x43\x83\x65\x83\x80\x83\x66\x81\x5B\x83\x5E\x93\xC7\x82\xDD\x8F\x6F\x82\xB5",
        "\tTForm1::TForm1"};
    std::vector<long> elapsed;
    std::size_t pos = 0;
    for (const std::string& expected : texts) {
        const std::size_t tabs = expected.find_first_not_of('\t');
        const std::size_t end = log.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << log;
        const std::string line = log.substr(pos, end - pos);
        pos = end + 2;
        ASSERT_GE(line.size(), tabs + 12);
        const std::string number = line.substr(tabs, 8);
        EXPECT_EQ(line.substr(0, tabs) + line.substr(tabs + 12), expected);
        EXPECT_EQ(line.substr(tabs + 8, 4), " ms:");
        EXPECT_EQ(std::to_string(std::stol(number)).size(), 8 - number.find_first_not_of(' ')) << line;
        elapsed.push_back(std::stol(number));
    }
    EXPECT_EQ(pos, log.size());
    EXPECT_GE(elapsed[2], 30);  // the multimedia clock saw the 40 ms sleep
    EXPECT_LT(elapsed[2], 5000);
    EXPECT_GE(elapsed[3], elapsed[0] + elapsed[1] + elapsed[2]);

    // No stages: an empty file replaces the old one.
    { TDebugTimer empty(services.clock, services.files, DebugLogPath(exe)); }
    EXPECT_EQ(ReadFileBytes(program / "Debug.log"), "");

    // An unwritable place: reported, not thrown out of the destructor.
    std::string reported;
    {
        TDebugTimer timer(services.clock, services.files, DebugLogPath(program / "gone\\Zanmel.exe"));
        timer.SetFailureReporter([&](const std::string& text) { reported = text; });
    }
    EXPECT_NE(reported.find("Debug.log"), std::string::npos) << reported;
}

}  // namespace zanmel::platform

namespace zanmel::platform {

// The same writes through the platform's profile functions and through ProfileFile give the same bytes: new
// sections and keys appended without a blank line, existing values replaced in place, a comment kept.
TEST(SettingsFiles, WrittenAsThePlatformsProfileFunctionsWriteThem) {
    test::TempFolder folder;
    const std::string path = folder / "profile.ini";
    const std::string start = "; kept\r\n[Setting]\r\nGoTaskTray=1\r\n[BackUp]\r\nMode=0\r\n";
    test::WritePlainFile(path, start);
    ProfileFile ours(start);
    const std::vector<std::vector<const char*>> writes{
        {"Setting", "GoTaskTray", "0"},     {"Setting", "ImeMode", "1"},     {"HotKeyZanmel", "Use", "1"},
        {"HotKeyZanmel", "VK", "81"},       {"BackUp", "Mode", "2"},         {"SpeedUp", "NoUseIcon", "0"},
        {"backup", "DirList", "a,\"b c\""}, {"MainForm", "SkinName", "夕凪"}};
    for (const auto& write : writes) {
        ASSERT_TRUE(WritePrivateProfileStringA(write[0], write[1], write[2], path.c_str()));
        ours.WriteString(write[0], write[1], write[2]);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush the platform's cache
    EXPECT_EQ(ours.ToBytes(), ReadFileBytes(path).value_or("<none>"));
}

}  // namespace zanmel::platform
