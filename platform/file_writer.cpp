#include "platform/file_writer.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
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

// What the system says about an error, without the end of sentence it may add.
std::string Reason(int error) {
#ifdef _WIN32
    std::string reason = std::system_category().message(error);
#else
    std::string reason = std::generic_category().message(error);
#endif
    while (!reason.empty() &&
           (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back())))) {
        reason.pop_back();
    }
    return reason;
}

std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static std::random_device source;
    const std::string name = ".~loftype-" + std::to_string(source()) + ".tmp";
    return target.parent_path() / std::filesystem::path(name);
}

} // namespace

std::string ShownPath(std::u16string_view path) {
    constexpr std::size_t kLongest = 64;
    if (path.size() <= kLongest) {
        return ToUtf8(path);
    }
    return ToUtf8(path.substr(0, kLongest - 16)) + "\u2026" + ToUtf8(path.substr(path.size() - 15));
}

std::filesystem::path PathOf(std::u16string_view path) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
    return std::filesystem::path(ToUtf8(path));
#endif
}

#ifdef _WIN32

FileWriter::FileWriter(std::u16string_view target)
    : target_(target), handle_(INVALID_HANDLE_VALUE) {
    const std::filesystem::path path = PathOf(target);
    for (int attempt = 0; attempt < kNameAttempts && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
        temporary_ = TemporaryName(path);
        handle_ = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE && LastError() != kNameTaken) {
            break;
        }
    }
    if (handle_ == INVALID_HANDLE_VALUE) {
        temporary_.clear();
        Fail(Reason(LastError()));
    }
}

void FileWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) || written == 0) {
            Fail(Reason(LastError()));
        }
        bytes.remove_prefix(written);
    }
}

void FileWriter::Commit() {
    if (!FlushFileBuffers(handle_)) {
        Fail(Reason(LastError()));
    }
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed || !MoveFileExW(temporary_.c_str(), PathOf(target_).c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail(Reason(LastError()));
    }
    temporary_.clear();
}

void FileWriter::Discard() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    if (!temporary_.empty()) {
        DeleteFileW(temporary_.c_str());
        temporary_.clear();
    }
}

#else

FileWriter::FileWriter(std::u16string_view target) : target_(target), descriptor_(-1) {
    const std::filesystem::path path = PathOf(target);
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
        temporary_ = TemporaryName(path);
        descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != kNameTaken) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(Reason(errno));
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        fchmod(descriptor_, old.st_mode & 07777) != 0) {
        Fail(Reason(errno));
    }
}

void FileWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            Fail(Reason(written == 0 ? ENOSPC : errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void FileWriter::Commit() {
    if (fsync(descriptor_) != 0) {
        Fail(Reason(errno));
    }
    const int closed = close(descriptor_);
    descriptor_ = -1;
    if (closed != 0 || rename(temporary_.c_str(), PathOf(target_).c_str()) != 0) {
        Fail(Reason(errno));
    }
    temporary_.clear();
}

void FileWriter::Discard() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
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
