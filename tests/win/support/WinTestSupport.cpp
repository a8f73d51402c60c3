#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "platform/AtomicFile.h"
#include "platform/Handles.h"
#include "platform/TextCodec.h"

namespace zanmel::test {

using platform::ToCp932;
using platform::ToWide;

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::map<std::string, ChildMain>& ChildModes() {
    static std::map<std::string, ChildMain> modes;
    return modes;
}

}  // namespace

HarnessDrive RemovableDrive() {
    return {Env("ZANMEL_REMOVABLE_DRIVE"), Env("ZANMEL_REMOVABLE_HOST")};
}
HarnessDrive FixedDrive() {
    return {Env("ZANMEL_FIXED_DRIVE"), Env("ZANMEL_FIXED_HOST")};
}

std::string HostPathToWindows(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string SourcePath(const std::string& relative) {
    return HostPathToWindows(std::string(ZANMEL_SOURCE_DIR) + "/" + relative);
}

TempFolder::TempFolder(const std::string& base) {
    std::wstring root = ToWide(base);
    if (root.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = temp;
    }
    if (!root.empty() && root.back() == L'\\') root.pop_back();
    static unsigned counter = 0;
    for (;;) {
        std::wstring candidate = root + L"\\zt" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                 std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = ToCp932(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create a temporary folder below " << base;
            path_ = ToCp932(candidate);
            return;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::string& path) {
    const std::wstring wide = ToWide(path);
    WIN32_FIND_DATAW data;
    platform::FindHandle find(FindFirstFileW((wide + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = wide + L"\\" + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(ToCp932(full));
            } else {
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(find.Get(), &data));
    }
    find.Reset();
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryW(wide.c_str());
}

void CopyTree(const std::string& source, const std::string& destination) {
    CreateDirectoryW(ToWide(destination).c_str(), nullptr);
    for (const std::string& name : FolderEntries(source)) {
        const std::string from = source + "\\" + name;
        const std::string to = destination + "\\" + name;
        if (GetFileAttributesW(ToWide(from).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            CopyTree(from, to);
        } else {
            CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE);
        }
    }
}

void WritePlainFile(const std::string& path, const std::string& bytes) {
    platform::KernelHandle file(
        CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create " << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    platform::FindHandle find(FindFirstFileW((ToWide(folder) + L"\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(ToCp932(name));
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

namespace {

void SnapshotInto(const std::string& folder, const std::string& prefix, std::map<std::string, std::string>& files) {
    for (const std::string& name : FolderEntries(folder)) {
        const std::string full = folder + "\\" + name;
        if (GetFileAttributesW(ToWide(full).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            files[prefix + name + "\\"] = "";
            SnapshotInto(full, prefix + name + "\\", files);
        } else {
            files[prefix + name] = platform::ReadFileBytes(full).value_or("(unreadable)");
        }
    }
}

}  // namespace

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    SnapshotInto(folder, "", files);
    return files;
}

void SetTreeReadOnly(const std::string& folder, bool readOnly) {
    for (const std::string& name : FolderEntries(folder)) {
        const std::wstring full = ToWide(folder + "\\" + name);
        const DWORD attributes = GetFileAttributesW(full.c_str());
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) SetTreeReadOnly(folder + "\\" + name, readOnly);
        SetFileAttributesW(full.c_str(), readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                                  : attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
}

ChildMode::ChildMode(const char* name, ChildMain main) {
    ChildModes()[name] = std::move(main);
}

HANDLE StartChild(const std::wstring& name, const std::wstring& args) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --child " + name + L" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

namespace {
struct HelperJob {
    std::function<bool()> f;
    DWORD timeoutMs;
};

DWORD WINAPI HelperThread(void* p) {
    std::unique_ptr<HelperJob> job(static_cast<HelperJob*>(p));
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < job->timeoutMs) {
        if (job->f()) return 1;
        Sleep(20);
    }
    return 0;
}
}  // namespace

HANDLE RunHelperUntil(std::function<bool()> f, DWORD timeoutMs) {
    return CreateThread(nullptr, 0, &HelperThread, new HelperJob{std::move(f), timeoutMs}, 0, nullptr);
}

bool JoinHelper(HANDLE thread) {
    if (!thread) return false;
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code == 1;
}

}  // namespace zanmel::test

// The test executable's entry: a child mode when asked for one, otherwise GoogleTest.
int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"--child") {
        auto& modes = zanmel::test::ChildModes();
        auto it = modes.find(zanmel::platform::ToCp932(argv[2]));
        if (it == modes.end()) return 99;
        return it->second(argc - 3, argv + 3);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
