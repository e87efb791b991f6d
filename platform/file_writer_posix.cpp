#include "platform/file_writer.h"
#include "platform/temporary_files.h"
#include "platform/utf8.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Temporary names tried before giving up, should others stand in the way.
constexpr int kNameAttempts = 16;

// The signals whose default action ends the process and that a handler may catch:
// those that a user or the system sends to stop it (Ctrl-C, Ctrl-\, kill, a closed
// terminal or pipe, a CPU-time limit, a timer), those of a fault and the real-time
// ones. SIGXFSZ is not among them: it is ignored while a file is written.
constexpr int kEndingSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1,
    SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGEMT
    SIGEMT,
#endif
};

sigset_t MakeEndingSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kEndingSignals) {
        sigaddset(&set, signal);
    }
#ifdef SIGRTMIN
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
        sigaddset(&set, signal);
    }
#endif
    return set;
}

const sigset_t& EndingSet() {
    static const sigset_t set = MakeEndingSet();
    return set;
}

// Calls visit with each ending signal.
template <class Visit> void ForEachEndingSignal(Visit visit) {
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&EndingSet(), signal) == 1) {
            visit(signal);
        }
    }
}

// What each ending signal did before the cleanup was installed, by its number.
std::array<struct sigaction, NSIG> previousActions;
struct sigaction previousFileSizeAction;

// Removes the files, puts back what the signal did before and sends it again, so
// that the process ends with the signal's usual status and core (or, where the
// program had a handler of its own, that handler runs next, with errno as it was).
void OnEndingSignal(int signal) {
    const int savedErrno = errno;
    temporary_files::RemoveAll();
    sigaction(signal, &previousActions[static_cast<std::size_t>(signal)], nullptr);
    raise(signal);
    errno = savedErrno;
}

// Holds the ending signals back for as long as it lives, so that a temporary file and
// its slot come and go together.
class EndingSignalsHeld {
public:
    EndingSignalsHeld() { pthread_sigmask(SIG_BLOCK, &EndingSet(), &saved_); }
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

// The folder of a path whose folder part, with its last separator, is that long: "."
// for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path, std::size_t folderLength) {
    if (folderLength <= 1) {
        return folderLength == 0 ? "." : "/";
    }
    return path.substr(0, folderLength - 1);
}

// Opens a folder for the calls relative to it, without the right to read it, so that
// a folder that may be written but not read (mode 0300) is held too; follows a link.
int HoldFolder(const std::string& path) {
#ifdef O_SEARCH
    return open(path.c_str(), O_SEARCH | O_DIRECTORY | O_CLOEXEC);
#else
    return open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
}

// Why this process may not replace the file, or "": no one may write it, or this
// process may not.
std::string WriteRefusal(int folder, const std::string& name, const struct stat& old) {
    if ((old.st_mode & 0222) == 0) {
        return "it is read-only";
    }
    if (faccessat(folder, name.c_str(), W_OK, AT_EACCESS) == 0) {
        return {};
    }
    if (errno != EACCES) {
        return SystemReason(errno);
    }
    return old.st_uid == geteuid() ? "it is read-only"
                                   : "it belongs to another user, and this user may not write it";
}

// The error of syncing the folder, 0 when done or when there is nothing to do: a
// folder that this process may write but not read cannot be opened for it (EACCES),
// and then the save stands unsynced, as on a system without the call; a file system
// that cannot sync a folder says EINVAL, and has nothing to wait for.
int FolderSyncError(int folder) {
    const int descriptor = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == EACCES ? 0 : errno;
    }
    int error = Sync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
    if (close(descriptor) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

} // namespace

// A signal that the process ignores (nohup ignores SIGHUP) stays ignored. The
// handler holds the other ending signals back while it runs, so that it removes every
// file before any of them ends the process. A file-size limit makes a write fail with
// "File too large" instead of ending the process.
void temporary_files::InstallCleanup() {
    struct sigaction handler {};
    handler.sa_handler = OnEndingSignal;
    handler.sa_mask = EndingSet();
    ForEachEndingSignal([&](int signal) {
        struct sigaction& previous = previousActions[static_cast<std::size_t>(signal)];
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN) {
            sigaction(signal, &handler, nullptr);
        }
    });
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previousFileSizeAction);
}

void temporary_files::RestoreCleanup() {
    ForEachEndingSignal([](int signal) {
        sigaction(signal, &previousActions[static_cast<std::size_t>(signal)], nullptr);
    });
    sigaction(SIGXFSZ, &previousFileSizeAction, nullptr);
}

NativePath PathOf(std::u16string_view path) {
    return ToUtf8(path);
}

FileWriter::FileWriter(std::u16string_view target) : target_(target) {
    const std::string path = PathOf(target_);
    const std::size_t folderLength = temporary_files::FolderLength(path);
    name_ = path.substr(folderLength);
    folder_ = HoldFolder(FolderOf(path, folderLength));
    if (folder_ < 0) {
        Fail(SystemReason(errno));
    }
    struct stat old {};
    const bool replacing =
        fstatat(folder_, name_.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode);
    if (const std::string refusal = replacing ? WriteRefusal(folder_, name_, old) : "";
        !refusal.empty()) {
        Fail(refusal);
    }
    CreateTemporaryFile();
    if (replacing) {
        KeepOwnerAndPermissions(old);
    }
}

// A replaced file keeps its permissions, but not the set-user-ID, set-group-ID and
// sticky bits, which were given to that file and not to whatever replaces it. It keeps
// its owner and group where this process may give them: root may give both, a user a
// group of its own; where it may not (EPERM), the new file is this process's.
void FileWriter::KeepOwnerAndPermissions(const struct stat& old) {
    const int owned = fchown(descriptor_, old.st_uid, old.st_gid);
    const int grouped = owned != 0 && errno == EPERM
                            ? fchown(descriptor_, static_cast<uid_t>(-1), old.st_gid)
                            : owned;
    if (grouped != 0 && errno != EPERM) {
        Fail(SystemReason(errno));
    }
    if (fchmod(descriptor_, old.st_mode & 0777) != 0) {
        Fail(SystemReason(errno));
    }
}

void FileWriter::CreateTemporaryFile() {
    pendingSlot_ = temporary_files::Take();
    EndingSignalsHeld held;
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
        temporary_ = temporary_files::NewName();
        descriptor_ =
            openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(SystemReason(errno));
    }
    pendingSlot_->folder.store(folder_);
    pendingSlot_->path.store(temporary_.c_str());
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

// The rename is the commit: from then on the new file stands, whatever follows. The
// folder is synced after it, so that a power cut after the save cannot lose the new
// name.
void FileWriter::Commit() {
    if (Sync(descriptor_) != 0) {
        Fail(SystemReason(errno));
    }
    const int closed = close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) {
        Fail(SystemReason(errno));
    }
    {
        EndingSignalsHeld held;
        if (renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
            Fail(SystemReason(errno));
        }
        temporary_files::Free(pendingSlot_);
        temporary_.clear();
    }
    SyncFolder();
}

void FileWriter::SyncFolder() const {
    if (const int error = FolderSyncError(folder_); error != 0) {
        throw OutputError("The file \"" + ShownPath(target_) +
                          "\" was written, but its folder could not be flushed to the disk: " +
                          SystemReason(error) + "; after a power cut the old file may be back.");
    }
}

// The temporary file's own close is not checked: the file is thrown away. Nor is the
// folder's: a handle that holds no data has nothing to lose.
std::string FileWriter::Discard() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    std::string left;
    {
        EndingSignalsHeld held;
        if (!temporary_.empty()) {
            if (unlinkat(folder_, temporary_.c_str(), 0) != 0) {
                left = LeftBehind(SystemReason(errno));
            }
            temporary_.clear();
        }
        temporary_files::Free(pendingSlot_);
    }
    if (folder_ >= 0) {
        close(folder_);
        folder_ = -1;
    }
    return left;
}

} // namespace platform
