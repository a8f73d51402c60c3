#include "platform/AtomicFile.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "core/ZanmelError.h"
#include "platform/FileFaults.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"
#include "platform/TextCodec.h"

namespace zanmel::platform {

namespace {

constexpr char kComponent[] = "File";
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;
constexpr wchar_t kTemporaryPrefix[] = L"znm";  // GetTempFileName adds up to four hexadecimal digits and ".tmp"

[[noreturn]] void ThrowFileError(const std::string& what, const std::string& path, DWORD error) {
    throw ZanmelError(kComponent, "ファイル \"" + path + "\" " + what + "\r\n" + SystemErrorText(error));
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0) return path.substr(0, 1);
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);  // "C:\"
    return path.substr(0, slash);
}

bool LowerAsciiEquals(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i]) return false;
    }
    return true;
}

// The operations that a test's fault plan can fail (FileFaults.h): true with the error set when it does.
bool Faulted(FileOperation operation) {
    const DWORD error = CheckFileOperation(operation);
    if (error == ERROR_SUCCESS) return false;
    SetLastError(error);
    return true;
}

bool MakeTemporaryFile(const std::wstring& folder, wchar_t* tempPath) {
    return !Faulted(FileOperation::Write) && GetTempFileNameW(folder.c_str(), kTemporaryPrefix, 0, tempPath) != 0;
}

void DeleteTemporaryFile(const wchar_t* path) {
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (!Faulted(FileOperation::Delete)) DeleteFileW(path);
}

bool IsTransient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Writes all bytes to the open file and forces them to the device.
DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > (1u << 20) ? (1u << 20) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (Faulted(FileOperation::Write) || !WriteFile(file, data, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        data += written;
        left -= written;
    }
    if (Faulted(FileOperation::Flush) || !FlushFileBuffers(file)) return GetLastError();
    return ERROR_SUCCESS;
}

// True when the file at target holds exactly bytes, so writing them would change nothing. Compared only when
// the sizes agree, so a changed file of another size costs one open.
bool HoldsExactly(const std::wstring& target, std::string_view bytes) {
    KernelHandle file(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || static_cast<ULONGLONG>(size.QuadPart) != bytes.size()) {
        return false;
    }
    std::string buffer(std::min<std::size_t>(bytes.size(), 1u << 20), '\0');
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD want = static_cast<DWORD>(std::min(buffer.size(), bytes.size() - done));
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data(), want, &got, nullptr) || got == 0) return false;
        if (bytes.compare(done, got, buffer.data(), got) != 0) return false;
        done += got;
    }
    return true;
}

// Renames the finished temporary file over the target, retrying brief sharing violations. A read-only target
// is refused as Windows refuses it (Wine would replace it).
DWORD MoveOver(const wchar_t* tempPath, const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    for (int attempt = 0;; ++attempt) {
        if (!Faulted(FileOperation::Move) &&
            MoveFileExW(tempPath, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return ERROR_SUCCESS;
        }
        const DWORD error = GetLastError();
        if (!IsTransient(error) || attempt + 1 >= kReplaceAttempts) return error;
        Sleep(kReplaceRetryMs);
    }
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::wstring target = ToWide(path);
    if (target.empty()) ThrowFileError("を作成できません。", path, ERROR_INVALID_NAME);
    // Nothing to do: a file on a write-protected medium that would not change is no error.
    if (HoldsExactly(target, bytes)) return;
    RemoveLeftTemporaryFiles(ToCp932(FolderOf(target)));

    wchar_t tempPath[MAX_PATH + 16] = {};
    if (!MakeTemporaryFile(FolderOf(target), tempPath)) {
        ThrowFileError("を作成できません。", path, GetLastError());
    }

    DWORD error = ERROR_SUCCESS;
    {
        KernelHandle file(
            CreateFileW(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = GetLastError();
        } else {
            error = WriteAndFlush(file.Get(), bytes);
        }
    }
    if (error == ERROR_SUCCESS) error = MoveOver(tempPath, target);
    if (error == ERROR_SUCCESS) return;
    DeleteTemporaryFile(tempPath);
    ThrowFileError("を作成できません。", path, error);
}

bool CopyFileAtomically(const std::string& source, const std::string& destination) {
    const auto staged = StageCopy(source, destination);
    return staged && CommitStagedCopy(*staged, source, destination);
}

std::optional<std::string> StageCopy(const std::string& source, const std::string& destination) {
    const std::wstring from = ToWide(source);
    const std::wstring target = ToWide(destination);
    if (from.empty() || target.empty()) return std::nullopt;
    wchar_t tempPath[MAX_PATH + 16] = {};
    if (!MakeTemporaryFile(FolderOf(target), tempPath)) return std::nullopt;

    DWORD error =
        !Faulted(FileOperation::Write) && CopyFileW(from.c_str(), tempPath, FALSE) ? ERROR_SUCCESS : GetLastError();
    // A read-only copy is opened for the flush and renamed as a plain file, and gets the source's attributes
    // back in place.
    if (error == ERROR_SUCCESS) {
        const DWORD copied = GetFileAttributesW(tempPath);
        if (copied != INVALID_FILE_ATTRIBUTES && (copied & FILE_ATTRIBUTE_READONLY)) {
            SetFileAttributesW(tempPath, copied & ~FILE_ATTRIBUTE_READONLY);
        }
        KernelHandle file(CreateFileW(tempPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file || Faulted(FileOperation::Flush) || !FlushFileBuffers(file.Get())) error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteTemporaryFile(tempPath);
        return std::nullopt;
    }
    return ToCp932(tempPath);
}

bool CommitStagedCopy(const std::string& staged, const std::string& source, const std::string& destination) {
    const std::wstring tempPath = ToWide(staged);
    const std::wstring target = ToWide(destination);
    const DWORD attributes = GetFileAttributesW(ToWide(source).c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (MoveOver(tempPath.c_str(), target) != ERROR_SUCCESS) {
        DiscardStagedCopy(staged);
        return false;
    }
    if (readOnly) SetFileAttributesW(target.c_str(), attributes);
    return true;
}

void DiscardStagedCopy(const std::string& staged) {
    DeleteTemporaryFile(ToWide(staged).c_str());
}

void RemoveLeftTemporaryFiles(const std::string& folder) {
    const std::wstring wide = ToWide(folder);
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW((wide + L"\\znm*.tmp").c_str(), &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (!IsTemporaryCopyName(ToCp932(data.cFileName))) continue;
        DeleteTemporaryFile((wide + L"\\" + data.cFileName).c_str());  // one still open for a write elsewhere stays
    } while (FindNextFileW(find.Get(), &data));
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const std::wstring name = ToWide(path);
    KernelHandle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
        ThrowFileError("を開けません。", path, error);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) ThrowFileError("を読めません。", path, GetLastError());
    if (size.QuadPart > INT_MAX) ThrowFileError("は大きすぎます。", path, ERROR_FILE_TOO_LARGE);

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) {
            ThrowFileError("を読めません。", path, GetLastError());
        }
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsTemporaryCopyName(std::string_view name) {
    constexpr std::size_t prefix = 3, suffix = 4;  // "znm", ".tmp"
    if (name.size() <= prefix + suffix || name.size() > prefix + 4 + suffix) return false;
    if (!LowerAsciiEquals(name.substr(0, prefix), "znm") ||
        !LowerAsciiEquals(name.substr(name.size() - suffix), ".tmp"))
        return false;
    for (const char c : name.substr(prefix, name.size() - prefix - suffix)) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

}  // namespace zanmel::platform
