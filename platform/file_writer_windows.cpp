#include "platform/file_writer.h"
#include "platform/temporary_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <windows.h>

namespace platform {
namespace {

// Temporary names tried before giving up, should others stand in the way.
constexpr int kNameAttempts = 16;

// Another program that holds the target open for a moment (a search indexer, a virus
// scanner, an editor) makes the replacement fail: it is tried again for about a second.
constexpr int kMoveAttempts = 20;
constexpr DWORD kMovePause = 50; // milliseconds

int LastError() {
    return static_cast<int>(GetLastError());
}

// Ctrl+C, Ctrl+Break and a closed console: the files go, then the next handler (the
// system's, at the end) ends the process as it would have.
BOOL WINAPI OnConsoleEvent(DWORD) {
    temporary_files::RemoveAll();
    return FALSE;
}

bool MoveOver(const NativePath& from, const NativePath& to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt == kMoveAttempts ||
            (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
             error != ERROR_LOCK_VIOLATION)) {
            SetLastError(error);
            return false;
        }
        Sleep(kMovePause);
    }
}

} // namespace

void temporary_files::InstallCleanup() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void temporary_files::RestoreCleanup() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

NativePath PathOf(std::u16string_view path) {
    std::filesystem::path native(std::wstring(path.begin(), path.end()));
    if (path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\")) {
        return native.wstring();
    }
    std::error_code error;
    if (!native.is_absolute()) {
        native = std::filesystem::current_path(error) / native;
    }
    if (error || !native.is_absolute()) {
        return native.wstring();
    }
    const std::wstring full = native.lexically_normal().wstring();
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

FileWriter::FileWriter(std::u16string_view target)
    : target_(target), handle_(INVALID_HANDLE_VALUE) {
    const DWORD attributes = GetFileAttributesW(PathOf(target_).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
        Fail("it is read-only");
    }
    CreateTemporaryFile();
}

// The file may be deleted while open, so that a console event can remove it.
void FileWriter::CreateTemporaryFile() {
    const NativePath path = PathOf(target_);
    pendingSlot_ = temporary_files::Take();
    for (int attempt = 0; attempt < kNameAttempts && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
        temporary_ =
            path.substr(0, temporary_files::FolderLength(path)) + temporary_files::NewName();
        handle_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE && LastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (handle_ == INVALID_HANDLE_VALUE) {
        temporary_.clear();
        Fail(SystemReason(LastError()));
    }
    pendingSlot_->path.store(temporary_.c_str());
}

void FileWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr)) {
            Fail(SystemReason(LastError()));
        }
        if (written == 0) {
            Fail(SystemReason(ERROR_DISK_FULL));
        }
        bytes.remove_prefix(written);
    }
}

void FileWriter::Commit() {
    if (!FlushFileBuffers(handle_)) {
        Fail(SystemReason(LastError()));
    }
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed || !MoveOver(temporary_, PathOf(target_))) {
        Fail(SystemReason(LastError()));
    }
    temporary_files::Free(pendingSlot_);
    temporary_.clear();
}

// The temporary file's own close is not checked: the file is thrown away.
std::string FileWriter::Discard() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    std::string left;
    if (!temporary_.empty()) {
        if (!DeleteFileW(temporary_.c_str())) {
            left = LeftBehind(SystemReason(LastError()));
        }
        temporary_.clear();
    }
    temporary_files::Free(pendingSlot_);
    return left;
}

} // namespace platform
