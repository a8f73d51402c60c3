#include <gtest/gtest.h>

#include <algorithm>

#include "WinTestSupport.h"
#include "core/ZanmelError.h"
#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

bool HasTempFiles(const std::string& folder) {
    const auto names = test::FolderEntries(folder);
    return std::any_of(names.begin(), names.end(), [](const std::string& n) { return n.rfind("znm", 0) == 0; });
}

constexpr std::size_t kChildPayload = 24u << 20;

// Child: replaces the file again and again with a large new content until it is killed.
const test::ChildMode kWriter("atomic-writer", [](int argc, wchar_t** argv) {
    if (argc < 1) return 2;
    const std::string path = ToCp932(argv[0]);
    const std::string payload(kChildPayload, 'N');
    for (;;) WriteFileAtomically(path, payload);
});

// Child: copies the file over the destination again and again until it is killed.
const test::ChildMode kCopier("atomic-copier", [](int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::string source = ToCp932(argv[0]);
    const std::string destination = ToCp932(argv[1]);
    for (;;) CopyFileAtomically(source, destination);
});

FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

}  // namespace

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
    for (const std::string& base : {std::string(), test::RemovableDrive().Root(), test::FixedDrive().Root()}) {
        test::TempFolder folder(base);
        const std::string path = folder / "tree.txt";
        EXPECT_FALSE(ReadFileBytes(path).has_value());
        WriteFileAtomically(path, "#folder\r\n");
        EXPECT_EQ(ReadFileBytes(path), "#folder\r\n");
        WriteFileAtomically(path, std::string("a\0b\r\n", 5));
        EXPECT_EQ(ReadFileBytes(path), std::string("a\0b\r\n", 5));
        WriteFileAtomically(path, "");
        EXPECT_EQ(ReadFileBytes(path), "");
        EXPECT_EQ(test::FolderEntries(folder.Path()), std::vector<std::string>{"tree.txt"}) << base;
    }
}

TEST(AtomicFile, FailedReplaceKeepsTheOldFileAndNamesTheFile) {
    test::TempFolder folder;
    const std::string path = folder / "keyword.txt";
    const std::string old = "abc,Launch,0,,,PC,2026/01/01 00:00:00,\"open,,,,1,0\"\r\n";
    test::WritePlainFile(path, old);

    // Another program holds the file open without letting it be deleted or renamed over.
    {
        KernelHandle holder(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        try {
            WriteFileAtomically(path, "new content\r\n");
            ADD_FAILURE() << "a replace over a held file reported success";
        } catch (const ZanmelError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_FALSE(HasTempFiles(folder.Path()));

    // A folder that does not exist: nothing is created, the error names the file.
    const std::string missing = folder / "no-such-folder\\keyword.txt";
    EXPECT_THROW(WriteFileAtomically(missing, "x"), ZanmelError);
    EXPECT_FALSE(PathExists(missing));
}

// A file that already holds the bytes is left alone, so a write-protected one that would not change saves.
TEST(AtomicFile, WritesNothingWhenTheFileHoldsTheBytesAlready) {
    test::TempFolder folder;
    const std::string path = folder / "setting.ini";
    test::WritePlainFile(path, "[MainForm]\r\nTop=121\r\n");
    SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    const FILETIME before = WriteTime(path);
    EXPECT_NO_THROW(WriteFileAtomically(path, "[MainForm]\r\nTop=121\r\n"));
    const FILETIME after = WriteTime(path);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    // Same size, other bytes; and another size: both really written, so both fail on the read-only file.
    EXPECT_THROW(WriteFileAtomically(path, "[MainForm]\r\nTop=122\r\n"), ZanmelError);
    EXPECT_THROW(WriteFileAtomically(path, "[MainForm]\r\n"), ZanmelError);
    EXPECT_EQ(ReadFileBytes(path), "[MainForm]\r\nTop=121\r\n");
    EXPECT_FALSE(HasTempFiles(folder.Path()));
    SetFileAttributesW(ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A writer killed at any moment leaves the old file or the whole new one, never a part of either.
TEST(AtomicFile, InterruptedWriterLeavesOldOrNewFileWhole) {
    test::TempFolder folder;
    const std::string path = folder / "keyword.txt";
    const std::string old(100000, 'O');
    int interruptedMidWrite = 0;
    for (int round = 0; round < 4; ++round) {
        test::WritePlainFile(path, old);
        KernelHandle child(test::StartChild(L"atomic-writer", L"\"" + ToWide(path) + L"\""));
        ASSERT_TRUE(child);
        // Wait until the child is inside a write (its temporary file exists), then kill it a little later.
        for (int i = 0; i < 500 && !HasTempFiles(folder.Path()); ++i) Sleep(2);
        Sleep(static_cast<DWORD>(round * 7));
        TerminateProcess(child.Get(), 1);
        WaitForSingleObject(child.Get(), 10000);

        const auto now = ReadFileBytes(path);
        ASSERT_TRUE(now.has_value());
        if (*now == old) {
            ++interruptedMidWrite;
        } else {
            ASSERT_EQ(now->size(), kChildPayload) << "a partly written file replaced the old one";
            EXPECT_EQ(now->find_first_not_of('N'), std::string::npos);
        }
        for (const std::string& name : test::FolderEntries(folder.Path())) {
            if (name.rfind("znm", 0) == 0) DeleteFileW(ToWide(folder / name).c_str());
        }
    }
    RecordProperty("interrupted_mid_write", interruptedMidWrite);
}

// From the removable drive to the fixed one: new files, replaced files, attributes and times kept.
TEST(AtomicFile, CopyReplacesTheDestinationAndKeepsAttributesAndTimes) {
    test::TempFolder from(test::RemovableDrive().Root());
    test::TempFolder to(test::FixedDrive().Root());
    test::WritePlainFile(from / "keyword.txt", "new");
    test::WritePlainFile(from / "表.txt", "read only");
    SetFileAttributesW(ToWide(from / "表.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    test::WritePlainFile(to / "keyword.txt", "old and longer");

    EXPECT_TRUE(CopyFileAtomically(from / "keyword.txt", to / "keyword.txt"));
    EXPECT_TRUE(CopyFileAtomically(from / "表.txt", to / "表.txt"));
    EXPECT_EQ(ReadFileBytes(to / "keyword.txt"), "new");
    EXPECT_EQ(ReadFileBytes(to / "表.txt"), "read only");
    EXPECT_TRUE(GetFileAttributesW(ToWide(to / "表.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    const FILETIME sourceTime = WriteTime(from / "keyword.txt");
    const FILETIME copyTime = WriteTime(to / "keyword.txt");
    EXPECT_EQ(CompareFileTime(&sourceTime, &copyTime), 0);
    EXPECT_FALSE(HasTempFiles(to.Path()));
    SetFileAttributesW(ToWide(from / "表.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(ToWide(to / "表.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(AtomicFile, FailedCopyLeavesSourceAndDestinationAsTheyWere) {
    test::TempFolder from(test::RemovableDrive().Root());
    test::TempFolder to(test::FixedDrive().Root());
    test::WritePlainFile(from / "tree.txt", "new tree");
    test::WritePlainFile(to / "tree.txt", "old tree");
    {
        // Another program holds the source without letting it be read.
        KernelHandle holder(CreateFileW(ToWide(from / "tree.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(CopyFileAtomically(from / "tree.txt", to / "tree.txt"));
    }
    EXPECT_FALSE(CopyFileAtomically(from / "missing.txt", to / "tree.txt"));
    EXPECT_FALSE(CopyFileAtomically(from / "tree.txt", to / "no-such-folder\\tree.txt"));
    EXPECT_EQ(ReadFileBytes(to / "tree.txt"), "old tree");
    EXPECT_EQ(ReadFileBytes(from / "tree.txt"), "new tree");
    EXPECT_EQ(test::FolderEntries(to.Path()), std::vector<std::string>{"tree.txt"});
}

// A copy killed at any moment leaves the destination old or wholly new.
TEST(AtomicFile, InterruptedCopyLeavesOldOrNewFileWhole) {
    for (const char* name : {"znm0.tmp", "ZNMFFFF.TMP", "znma1b.tmp"}) EXPECT_TRUE(IsTemporaryCopyName(name)) << name;
    for (const char* name : {"znm.tmp", "znm12345.tmp", "znmg1.tmp", "xznm1.tmp", "znm1.tmp.txt", "keyword.txt"})
        EXPECT_FALSE(IsTemporaryCopyName(name)) << name;

    test::TempFolder from(test::RemovableDrive().Root());
    test::TempFolder to(test::FixedDrive().Root());
    const std::string source = from / "keyword.txt";
    const std::string path = to / "keyword.txt";
    test::WritePlainFile(source, std::string(kChildPayload, 'N'));
    const std::string old(100000, 'O');
    for (int round = 0; round < 3; ++round) {
        test::WritePlainFile(path, old);
        KernelHandle child(
            test::StartChild(L"atomic-copier", L"\"" + ToWide(source) + L"\" \"" + ToWide(path) + L"\""));
        ASSERT_TRUE(child);
        for (int i = 0; i < 500 && !HasTempFiles(to.Path()); ++i) Sleep(2);
        Sleep(static_cast<DWORD>(round * 9));
        TerminateProcess(child.Get(), 1);
        WaitForSingleObject(child.Get(), 10000);

        const auto now = ReadFileBytes(path);
        ASSERT_TRUE(now.has_value());
        if (*now != old) {
            ASSERT_EQ(now->size(), kChildPayload) << "a partly copied file replaced the old one";
            EXPECT_EQ(now->find_first_not_of('N'), std::string::npos);
        }
        EXPECT_EQ(ReadFileBytes(source)->size(), kChildPayload);
        // What the killed copy left beside the file is a name that folder copies pass over.
        for (const std::string& name : test::FolderEntries(to.Path())) {
            if (name == "keyword.txt") continue;
            EXPECT_TRUE(IsTemporaryCopyName(name)) << name;
            DeleteFileW(ToWide(to / name).c_str());
        }
    }
}

}  // namespace zanmel::platform
