#include "platform/file_writer.h"

#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

// Temporary names tried before giving up, should others stand in the way.
constexpr int kNameAttempts = 16;

#ifdef _WIN32
int LastError() {
    return static_cast<int>(GetLastError());
}
constexpr int kNameTaken = ERROR_FILE_EXISTS;
#else
constexpr int kNameTaken = EEXIST;
#endif

std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static std::random_device source;
    const std::string name = ".~loftype-" + std::to_string(source()) + ".tmp";
    return target.parent_path() / std::filesystem::path(name);
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The temporary files of the saves under way, where the handler of an interruption
// finds them: each path is prepared before it is stored, so that the handler only reads
// the slots and removes the files, which is safe in a signal handler.
using PathChar = std::filesystem::path::value_type;
static_assert(std::atomic<const PathChar*>::is_always_lock_free);
std::array<std::atomic<const PathChar*>, 8> pendingFiles;
// Guards the count of the slots in use, which installs the handler with the first
// and restores what was there before with the last.
std::mutex pendingLock;
int pendingCount = 0;

void RemovePendingFiles() {
    for (std::atomic<const PathChar*>& slot : pendingFiles) {
        if (const PathChar* path = slot.load()) {
#ifdef _WIN32
            DeleteFileW(path);
#else
            unlink(path);
#endif
        }
    }
}

#ifdef _WIN32

// Ctrl+C, Ctrl+Break and a closed console: the files go, then the next handler (the
// system's, at the end) ends the process as it would have.
BOOL WINAPI OnConsoleEvent(DWORD) {
    RemovePendingFiles();
    return FALSE;
}

void InstallCleanup() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void RestoreCleanup() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

#else

// The signals that end a process by default and that a user or the system sends to
// stop it: Ctrl-C, kill, a closed terminal.
constexpr std::array<int, 3> kEndingSignals = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, kEndingSignals.size()> previousActions;
struct sigaction previousFileSizeAction;

// Removes the files, puts back what the signal did before and sends it again, so
// that the process ends with the signal's usual status (or, where the program had a
// handler of its own, that handler runs next, with errno as it was).
void OnEndingSignal(int signal) {
    const int savedErrno = errno;
    RemovePendingFiles();
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        if (kEndingSignals[i] == signal) {
            sigaction(signal, &previousActions[i], nullptr);
        }
    }
    raise(signal);
    errno = savedErrno;
}

// A signal that the process ignores (nohup ignores SIGHUP) stays ignored. A file-size
// limit makes a write fail with "File too large" instead of ending the process.
void InstallCleanup() {
    struct sigaction handler {};
    handler.sa_handler = OnEndingSignal;
    sigemptyset(&handler.sa_mask);
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        if (previousActions[i].sa_handler != SIG_IGN) {
            sigaction(kEndingSignals[i], &handler, nullptr);
        }
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previousFileSizeAction);
}

void RestoreCleanup() {
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
        sigaction(kEndingSignals[i], &previousActions[i], nullptr);
    }
    sigaction(SIGXFSZ, &previousFileSizeAction, nullptr);
}

// Holds the ending signals back for as long as it lives, so that a temporary file and
// its slot come and go together.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kEndingSignals) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &saved_);
    }
    ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// fsync, again when a signal broke it off.
int Sync(int descriptor) {
    int result = 0;
    do {
        result = fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result;
}

#endif

// Stores the path in a free slot; returns the slot, or -1 when all are taken.
int AddPending(const PathChar* path) {
    std::lock_guard<std::mutex> lock(pendingLock);
    for (std::size_t i = 0; i < pendingFiles.size(); ++i) {
        if (pendingFiles[i].load() == nullptr) {
            if (pendingCount++ == 0) {
                InstallCleanup();
            }
            pendingFiles[i].store(path);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void RemovePending(int& slot) {
    if (slot < 0) {
        return;
    }
    std::lock_guard<std::mutex> lock(pendingLock);
    pendingFiles[static_cast<std::size_t>(slot)].store(nullptr);
    slot = -1;
    if (--pendingCount == 0) {
        RestoreCleanup();
    }
}

} // namespace

std::string SystemReason(int code) {
    if (code == 0) {
        return "the system gave no reason";
    }
#ifdef _WIN32
    std::string reason = std::system_category().message(code);
#else
    std::string reason = std::generic_category().message(code);
#endif
    while (!reason.empty() &&
           (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back())))) {
        reason.pop_back();
    }
    return reason;
}

std::string ShownText(std::string_view utf8) {
    std::string shown;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        char escape[8];
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            shown += escape;
            ++i;
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

std::string ShownPath(std::u16string_view path, std::size_t longest) {
    if (path.size() <= longest) {
        return ShownText(ToUtf8(path));
    }
    std::size_t head = longest - 16;
    std::size_t tail = path.size() - 15;
    head -= IsHighSurrogate(path[head - 1]) ? 1 : 0;
    tail += IsLowSurrogate(path[tail]) ? 1 : 0;
    return ShownText(ToUtf8(path.substr(0, head)) + "\u2026" + ToUtf8(path.substr(tail)));
}

#ifdef _WIN32

std::filesystem::path PathOf(std::u16string_view path) {
    std::filesystem::path native(std::wstring(path.begin(), path.end()));
    if (path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\")) {
        return native;
    }
    std::error_code error;
    if (!native.is_absolute()) {
        native = std::filesystem::current_path(error) / native;
    }
    if (error || !native.is_absolute()) {
        return native;
    }
    const std::wstring full = native.lexically_normal().wstring();
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

#else

std::filesystem::path PathOf(std::u16string_view path) {
    return std::filesystem::path(ToUtf8(path));
}

#endif

#ifdef _WIN32

namespace {

// Another program that holds the target open for a moment (a search indexer, a virus
// scanner, an editor) makes the replacement fail: it is tried again for about a second.
constexpr int kMoveAttempts = 20;
constexpr DWORD kMovePause = 50; // milliseconds

bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
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
    const std::filesystem::path path = PathOf(target_);
    for (int attempt = 0; attempt < kNameAttempts && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
        temporary_ = TemporaryName(path);
        handle_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE && LastError() != kNameTaken) {
            break;
        }
    }
    if (handle_ == INVALID_HANDLE_VALUE) {
        temporary_.clear();
        Fail(SystemReason(LastError()));
    }
    pendingSlot_ = AddPending(temporary_.c_str());
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
    RemovePending(pendingSlot_);
    temporary_.clear();
}

void FileWriter::Discard() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    if (!temporary_.empty()) {
        DeleteFileW(temporary_.c_str());
        RemovePending(pendingSlot_);
        temporary_.clear();
    }
}

#else

// A file is read-only when no one may write it, or this process may not.
FileWriter::FileWriter(std::u16string_view target) : target_(target), descriptor_(-1) {
    const std::filesystem::path path = PathOf(target_);
    struct stat old {};
    const bool replacing = lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && ((old.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0)) {
        Fail("it is read-only");
    }
    CreateTemporaryFile();
    // A replaced file keeps its permissions, but not the set-user-ID, set-group-ID and
    // sticky bits, which were given to that file and not to whatever replaces it.
    if (replacing && fchmod(descriptor_, old.st_mode & 0777) != 0) {
        Fail(SystemReason(errno));
    }
}

void FileWriter::CreateTemporaryFile() {
    const std::filesystem::path path = PathOf(target_);
    EndingSignalsHeld held;
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
        temporary_ = TemporaryName(path);
        descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != kNameTaken) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(SystemReason(errno));
    }
    pendingSlot_ = AddPending(temporary_.c_str());
}

void FileWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            Fail(SystemReason(written == 0 ? ENOSPC : errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The folder is synced after the rename, so that a power cut after the save cannot
// lose the file's new name.
void FileWriter::Commit() {
    if (Sync(descriptor_) != 0) {
        Fail(SystemReason(errno));
    }
    const int closed = close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) {
        Fail(SystemReason(errno));
    }
    const std::filesystem::path folder = temporary_.parent_path();
    const int folderDescriptor =
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = folderDescriptor < 0 ? errno : 0;
    if (error == 0) {
        EndingSignalsHeld held;
        if (rename(temporary_.c_str(), PathOf(target_).c_str()) == 0) {
            RemovePending(pendingSlot_);
            temporary_.clear();
        } else {
            error = errno;
        }
    }
    if (error == 0 && Sync(folderDescriptor) != 0) {
        error = errno;
    }
    if (folderDescriptor >= 0) {
        close(folderDescriptor);
    }
    if (error != 0) {
        Fail(SystemReason(error));
    }
}

void FileWriter::Discard() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        EndingSignalsHeld held;
        unlink(temporary_.c_str());
        RemovePending(pendingSlot_);
        temporary_.clear();
    }
}

#endif

FileWriter::~FileWriter() {
    Discard();
}

void FileWriter::Fail(const std::string& reason) {
    Discard();
    throw OutputError("The file \"" + ShownPath(target_) + "\" could not be written: " + reason +
                      ".");
}

} // namespace platform
