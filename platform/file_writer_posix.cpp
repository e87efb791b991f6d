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

// The folder that holds a path, "." for a bare name.
std::string FolderOf(const std::string& path) {
    const std::size_t end = path.rfind('/');
    return end == std::string::npos ? "." : end == 0 ? "/" : path.substr(0, end);
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

// A file is read-only when no one may write it, or this process may not.
FileWriter::FileWriter(std::u16string_view target) : target_(target), descriptor_(-1) {
    const std::string path = PathOf(target_);
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
    const std::string path = PathOf(target_);
    pendingSlot_ = temporary_files::Take();
    EndingSignalsHeld held;
    for (int attempt = 0; attempt < kNameAttempts && descriptor_ < 0; ++attempt) {
        temporary_ = temporary_files::NameBeside(path);
        descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(SystemReason(errno));
    }
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
// name; a folder that this process may write but not read cannot be opened for that,
// and then the save stands unsynced, as it would on a system without the call.
void FileWriter::Commit() {
    if (Sync(descriptor_) != 0) {
        Fail(SystemReason(errno));
    }
    const int closed = close(descriptor_);
    descriptor_ = -1;
    if (closed != 0) {
        Fail(SystemReason(errno));
    }
    const std::string folder = FolderOf(temporary_);
    {
        EndingSignalsHeld held;
        if (rename(temporary_.c_str(), PathOf(target_).c_str()) != 0) {
            Fail(SystemReason(errno));
        }
        temporary_files::Free(pendingSlot_);
        temporary_.clear();
    }
    SyncFolder(folder);
}

// A file system that cannot sync a folder says EINVAL: there is nothing to wait for.
void FileWriter::SyncFolder(const std::string& folder) const {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    const int error = Sync(descriptor) == 0 ? 0 : errno;
    close(descriptor);
    if (error != 0 && error != EINVAL) {
        throw OutputError("The file \"" + ShownPath(target_) +
                          "\" was written, but its folder could not be flushed to the disk: " +
                          SystemReason(error) + "; after a power cut the old file may be back.");
    }
}

void FileWriter::Discard() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    EndingSignalsHeld held;
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
    temporary_files::Free(pendingSlot_);
}

} // namespace platform
