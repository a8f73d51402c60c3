#include "platform/FileFaults.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "WinTestSupport.h"
#include "core/FolderTree.h"
#include "core/KeyWordList.h"
#include "core/TDebugTimer.h"
#include "core/TSetting.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TState.h"
#include "platform/TextCodec.h"
#include "platform/Win32FileAccess.h"

namespace zanmel::platform {

namespace {

using Snapshot = std::map<std::string, std::string>;

const std::string kOldKeywords = "abc,Launch,0,,,PC,\"2026/01/01 00:00:00\",\"C:\\abc.exe,,,,1,0\"\r\n";
const std::string kNewKeywords =
    kOldKeywords + "def,Launch,1000,,,PC,\"2026/01/02 00:00:00\",\"C:\\def.exe,,,,1,0\"\r\n";
const std::string kOldTree = "#Tools\r\n\tabc\r\n";
const std::string kNewTree = "#Tools\r\n\tabc\r\n\tdef\r\n";

std::string IconBytes(int number) {
    return ReadFileBytes(test::SourcePath("data/defaulticon/" + std::to_string(number) + ".ico")).value_or("");
}

// The program folder on the stick: Zanmel.ini, the computer folder, the sheet that is saved and synced into,
// another sheet (the sync's source, with newer files) and a backup of it.
void MakeProgramFolder(const std::string& root) {
    for (const char* folder : {"data", "data\\PC", "data\\Sheet", "data\\Sheet\\icon", "data\\Other",
                               "data\\Other\\icon", "backup", "backup\\icon"}) {
        CreateDirectoryW(ToWide(root + "\\" + folder).c_str(), nullptr);
    }
    const std::vector<std::pair<const char*, std::string>> files = {
        {"Zanmel.ini", "[Setting]\r\nForeCaseSensitive=0\r\n[BackUp]\r\nTarget=backup\r\n"},
        {"data\\PC\\setting.ini", "[MainForm]\r\nLeft=10\r\nTop=20\r\nSkinName=default\r\n"},
        {"data\\Sheet\\keyword.txt", kOldKeywords},
        {"data\\Sheet\\tree.txt", kOldTree},
        {"data\\Sheet\\ext.txt", "txt,Ext,0,,,PC,\"2026/01/01 00:00:00\",\"notepad.exe,,,,1,0\"\r\n"},
        {"data\\Sheet\\setting.ini", "[Launcher]\r\nMaie=0\r\n"},
        {"data\\Sheet\\sync.txt", "PC,C:\\Tools\\Zanmel.exe\r\n"},
        {"data\\Sheet\\icon\\1000.ico", IconBytes(0)},
        {"data\\Other\\keyword.txt", kNewKeywords},
        {"data\\Other\\tree.txt", kNewTree},
        {"data\\Other\\icon\\1000.ico", IconBytes(1)},
        {"backup\\keyword.txt", kOldKeywords},
        {"backup\\tree.txt", kOldTree},
        {"backup\\icon\\1000.ico", IconBytes(0)},
    };
    for (const auto& [name, bytes] : files) test::WritePlainFile(root + "\\" + name, bytes);
}

// The fault of the case being run; each save path arms it where its save begins.
FileFaultPlan g_plan;
void Arm() {
    SetFileFaultPlan(g_plan);
}

struct ShownView : DirectoryView {
    bool IsShown() const override { return true; }
    void ShowPath(std::string_view) override {}
};

void Save(const std::string& path, const std::string& bytes) {
    Win32FileAccess files;
    Arm();
    files.WriteFile(path, bytes);
}

struct SavePath {
    const char* name;
    bool reports;  // a failed save raises an error (the writes); the folder copies pass over what fails
    bool oneStep;  // keyword.txt is new only when every other file of the sheet is
    std::function<void(const std::string& root)> run;
};

const std::vector<SavePath>& SavePaths() {
    static const std::vector<SavePath> paths = {
        {"keyword.txt", true, false,
         [](const std::string& r) { Save(r + "\\data\\Sheet\\keyword.txt", kNewKeywords); }},
        {"tree.txt", true, false, [](const std::string& r) { Save(r + "\\data\\Sheet\\tree.txt", kNewTree); }},
        {"ext.txt", true, false,
         [](const std::string& r) {
             Save(r + "\\data\\Sheet\\ext.txt", "txt,Ext,0,,,PC,\"2026/01/01 00:00:00\",\"\"\r\n");
         }},
        {"setting.ini (sheet)", true, false,
         [](const std::string& r) { Save(r + "\\data\\Sheet\\setting.ini", "[Launcher]\r\nMaie=1\r\n"); }},
        {"setting.ini (PC)", true, false,
         [](const std::string& r) {
             Save(r + "\\data\\PC\\setting.ini", "[MainForm]\r\nLeft=300\r\nTop=20\r\nSkinName=default\r\n");
         }},
        {"Zanmel.ini", true, false,
         [](const std::string& r) {
             Win32FileAccess files;
             MultimediaClock clock;
             TDebugTimer timer(clock, files, "");  // no Debug.log: this run is about Zanmel.ini
             TSetting setting(timer, files, r);
             setting.GoTaskTray = true;
             Arm();
             setting.SaveSetting();
         }},
        {"sync.txt", true, false,
         [](const std::string& r) {
             Save(r + "\\data\\Sheet\\sync.txt", "PC,C:\\Tools\\Zanmel.exe\r\nLAPTOP,D:\\Zanmel.exe\r\n");
         }},
        {"icon file", true, false,
         [](const std::string& r) { Save(r + "\\data\\Sheet\\icon\\1000.ico", IconBytes(2)); }},
        {"backup run", false, false,
         [](const std::string& r) {
             ShownView view;
             Arm();
             TState::CopyFolderTree(view, r + "\\backup", r + "\\data\\Other");
         }},
        {"sync run", false, true,
         [](const std::string& r) {
             ShownView view;
             Arm();
             TState::CopySheetFolder(view, r + "\\data\\Sheet", r + "\\data\\Other");
         }},
    };
    return paths;
}

// Child: runs one save path in the program folder given, ended by the fault plan at the operation given.
const test::ChildMode kFaultedSave("faulted-save", [](int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    g_plan = {_wtoi(argv[1]), ERROR_SUCCESS};
    SavePaths().at(_wtoi(argv[0])).run(ToCp932(argv[2]));
    return 0;  // not ended: the plan had fewer operations than asked for
});

struct Fault {
    const char* name;
    DWORD error;  // ERROR_SUCCESS: the process is ended
    bool lasting;
};
const Fault kFaults[] = {
    {"write error", ERROR_WRITE_FAULT, false},
    {"disk full", ERROR_DISK_FULL, false},
    {"sharing violation", ERROR_SHARING_VIOLATION, false},
    {"read-only target", ERROR_ACCESS_DENIED, false},
    {"drive gone", ERROR_PATH_NOT_FOUND, true},
    {"process killed", ERROR_SUCCESS, false},
};

struct Tally {
    int torn = 0, lost = 0, unloadable = 0, leftovers = 0, unreported = 0;
};

bool IsTemporary(const std::string& key) {
    return IsTemporaryCopyName(key.substr(key.find_last_of('\\') + 1));
}

// Compares what a faulted run left with the folder before and after a clean run; messages name the case.
void Check(const SavePath& path, const Snapshot& before, const Snapshot& after, const Snapshot& now,
           const std::string& label, Tally& tally) {
    std::set<std::string> keys;
    for (const auto* snapshot : {&before, &after, &now}) {
        for (const auto& entry : *snapshot) keys.insert(entry.first);
    }
    bool allNew = true;
    for (const std::string& key : keys) {
        const auto old = before.find(key), fresh = after.find(key), there = now.find(key);
        if (there == now.end()) {
            allNew = allNew && fresh == after.end();
            if (old != before.end() && fresh != after.end()) ++tally.lost, ADD_FAILURE() << label << " lost " << key;
            continue;
        }
        if (old == before.end() && fresh == after.end()) {
            if (IsTemporary(key)) {
                ++tally.leftovers;
            } else {
                ++tally.torn, ADD_FAILURE() << label << " made " << key;
            }
            continue;
        }
        const bool isOld = old != before.end() && old->second == there->second;
        const bool isNew = fresh != after.end() && fresh->second == there->second;
        allNew = allNew && isNew;
        if (!isOld && !isNew) ++tally.torn, ADD_FAILURE() << label << " tore " << key;
    }
    const auto keywords = now.find("data\\Sheet\\keyword.txt");
    if (path.oneStep && keywords != now.end() && keywords->second == after.at("data\\Sheet\\keyword.txt") &&
        keywords->second != before.at("data\\Sheet\\keyword.txt") && !allNew) {
        ++tally.torn, ADD_FAILURE() << label << " left a new keyword.txt beside older sheet files";
    }
    for (const char* sheet : {"data\\Sheet\\", "data\\Other\\", "backup\\"}) {
        try {
            TKeyWordList keywordList;
            keywordList.LoadFromText(now.at(std::string(sheet) + "keyword.txt"), "keyword.txt");
            FolderTree tree;
            if (ReadTreeText(now.at(std::string(sheet) + "tree.txt"), tree)) throw ZanmelError("tree.txt");
        } catch (const std::exception& error) {
            ++tally.unloadable, ADD_FAILURE() << label << " " << sheet << " does not load: " << error.what();
        }
    }
}

// The entries in which two snapshots differ, by name.
std::string Differing(const Snapshot& a, const Snapshot& b) {
    std::string names;
    for (const auto& [key, bytes] : a) {
        if (!b.count(key) || b.at(key) != bytes) names += " " + key;
    }
    for (const auto& entry : b) {
        if (!a.count(entry.first)) names += " " + entry.first;
    }
    return names;
}

struct Outcome {
    bool reported = false;  // the save raised an error
    int operations = 0;     // file operations counted
};

// Runs the path with the current plan in this process.
Outcome RunHere(const SavePath& path, const std::string& root) {
    Outcome outcome;
    try {
        path.run(root);
    } catch (const ZanmelError&) {
        outcome.reported = true;
    }
    outcome.operations = ClearFileFaultPlan();
    return outcome;
}

}  // namespace

// Every save path, faulted at each of its file operations in turn: each file is the old one or the new one,
// the sheets load, what the fault left behind goes with the next save, and a failed save says so.
TEST(FileFaults, EverySavePathKeepsOldOrNewFilesAtEveryFault) {
    const DWORD start = GetTickCount();
    std::printf("%-20s %-18s %6s %5s %5s %10s %9s %10s\n", "save path", "fault", "points", "torn", "lost", "unloadable",
                "leftovers", "unreported");
    for (std::size_t index = 0; index < SavePaths().size(); ++index) {
        const SavePath& path = SavePaths()[index];
        test::TempFolder clean(test::RemovableDrive().Root());
        MakeProgramFolder(clean.Path());
        const Snapshot before = test::FolderSnapshot(clean.Path());
        g_plan = {};
        const Outcome cleanRun = RunHere(path, clean.Path());
        ASSERT_FALSE(cleanRun.reported) << path.name;
        const int points = cleanRun.operations;
        const Snapshot after = test::FolderSnapshot(clean.Path());
        ASSERT_NE(before, after) << path.name;

        for (const Fault& fault : kFaults) {
            Tally tally;
            std::vector<std::unique_ptr<test::TempFolder>> roots;
            std::vector<KernelHandle> children;
            for (int at = 1; at <= points; ++at) {
                roots.push_back(std::make_unique<test::TempFolder>(test::RemovableDrive().Root()));
                const std::string& root = roots.back()->Path();
                MakeProgramFolder(root);
                if (fault.error != ERROR_SUCCESS) {
                    g_plan = {at, fault.error, fault.lasting};
                    if (!RunHere(path, root).reported && path.reports) ++tally.unreported;
                } else {
                    children.emplace_back(test::StartChild(
                        L"faulted-save",
                        std::to_wstring(index) + L" " + std::to_wstring(at) + L" \"" + ToWide(root) + L"\""));
                }
            }
            for (int at = 1; at <= points; ++at) {
                const std::string label = std::string(path.name) + ", " + fault.name + " at " + std::to_string(at);
                const std::string& root = roots[at - 1]->Path();
                if (!children.empty()) {
                    DWORD code = 0;
                    ASSERT_EQ(WaitForSingleObject(children[at - 1].Get(), 30000), WAIT_OBJECT_0) << label;
                    GetExitCodeProcess(children[at - 1].Get(), &code);
                    EXPECT_EQ(code, 3u) << label << ": not ended at that operation";
                }
                Check(path, before, after, test::FolderSnapshot(root), label, tally);
                // The next save in the same folders: the new files, and nothing left of the faulted run.
                g_plan = {};
                EXPECT_FALSE(RunHere(path, root).reported) << label;
                EXPECT_EQ(Differing(test::FolderSnapshot(root), after), "") << label << ", then saved again";
            }
            EXPECT_EQ(tally.unreported, 0) << path.name << ", " << fault.name;
            std::printf("%-20s %-18s %6d %5d %5d %10d %9d %10d\n", path.name, fault.name, points, tally.torn,
                        tally.lost, tally.unloadable, tally.leftovers, tally.unreported);
        }
    }
    std::printf("%.1f s\n", (GetTickCount() - start) / 1000.0);
}

}  // namespace zanmel::platform
