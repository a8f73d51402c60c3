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

}  // namespace zanmel::platform
