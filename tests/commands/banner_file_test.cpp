#include "commands/banner_file.h"
#include "platform/utf8.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

#ifdef _WIN32
#include <cstdlib>
#include <thread>
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <cstdarg>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#endif

using testing_support::ReadFile;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

// Saves banners through the host's file-system object in a fresh current folder.
class BannerFileTest : public ::testing::Test {
protected:
    BannerFileTest() : previous_(fs::current_path()) { fs::current_path(folder_.Path()); }
    ~BannerFileTest() override { fs::current_path(previous_); }

    // Saves the banner of the line; returns the failure's message, or "" on success.
    std::string Save(std::u16string_view line, const std::string& banner = "banner") {
        try {
            modMain::WriteBannerFile(*files_, line, banner);
        } catch (const platform::OutputError& error) {
            return error.what();
        }
        return {};
    }

    // Every entry under the folder, relative to it.
    std::vector<std::string> Tree(const fs::path& folder = ".") {
        std::vector<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            entries.push_back(fs::relative(entry.path(), folder).generic_string());
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    // Plants a symbolic link; false where the system does not let one be made.
    static bool Link(const fs::path& target, const fs::path& link) {
        std::error_code error;
        fs::create_symlink(target, link, error);
        return !error;
    }

private:
    testing_support::TemporaryFolder folder_;
    fs::path previous_;
    std::unique_ptr<platform::FileSystem> files_ = platform::CreateFileSystemObject();
};

#ifdef __linux__
// Root may write into a read-only folder and read a write-only one; the calling
// thread gives up those powers for as long as this lives.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, lowered);
    }
    ~WithoutPermissionOverride() { syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// The program's calls of fsync, openat and unlinkat come here. While set, each error
// makes its call fail as a disk that stops answering or a system short of resources
// makes it fail: syncing a folder, opening one for its sync, removing a file.
int folderSyncError = 0;
int folderOpenError = 0;
int unlinkError = 0;
// While set, runs once as a file's data is synced, with the file's descriptor.
std::function<void(int)> atFileSync;

// Fails with the error when it is set; returns whether it did.
bool Injected(int error) {
    errno = error;
    return error != 0;
}

} // namespace

extern "C" int fsync(int descriptor) {
    struct stat status {};
    fstat(descriptor, &status);
    if (S_ISDIR(status.st_mode) && Injected(folderSyncError)) {
        return -1;
    }
    if (S_ISREG(status.st_mode) && atFileSync) {
        std::exchange(atFileSync, nullptr)(descriptor);
    }
    return static_cast<int>(syscall(SYS_fsync, descriptor));
}

extern "C" int openat(int folder, const char* path, int flags, ...) {
    if ((flags & O_DIRECTORY) != 0 && std::string_view(path) == "." && Injected(folderOpenError)) {
        return -1;
    }
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(arguments, mode_t) : 0;
    va_end(arguments);
    return static_cast<int>(syscall(SYS_openat, folder, path, flags, mode));
}

extern "C" int unlinkat(int folder, const char* path, int flags) {
    if (Injected(unlinkError)) {
        return -1;
    }
    return static_cast<int>(syscall(SYS_unlinkat, folder, path, flags));
}

namespace {

// Files may grow to a few bytes only, while this lives (when on).
class SmallFileSizeLimit {
public:
    explicit SmallFileSizeLimit(bool on) : on_(on) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        if (on_) {
            rlimit small = saved_;
            small.rlim_cur = 16;
            setrlimit(RLIMIT_FSIZE, &small);
        }
    }
    ~SmallFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    bool on_;
    rlimit saved_{};
};
#endif

} // namespace

TEST_F(BannerFileTest, WritesTheBannerAndALineBreakReplacingTheOldFile) {
    EXPECT_EQ(Save(u"Hi", "first"), "");
    EXPECT_EQ(Save(u"Hi", "second"), "");
    EXPECT_EQ(Save(u"caf\u00E9 \u4E2D"), "");
    EXPECT_EQ(ReadFile(fs::path("Files") / "Hi.txt"), "second\r\n");
    EXPECT_EQ(ReadFile(platform::PathOf(modMain::BannerFilePath(u"caf\u00E9 \u4E2D"))),
              "banner\r\n");
    EXPECT_EQ(Tree("Files"), (std::vector<std::string>{"Hi.txt", "caf\u00E9 \u4E2D.txt"}));
}

TEST_F(BannerFileTest, ALinkAtTheFileIsReplacedAndItsTargetLeftAlone) {
    fs::create_directory("Files");
    WriteFile("victim.txt", "untouched");
    if (!Link("../victim.txt", fs::path("Files") / "Hi.txt")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    EXPECT_EQ(Save(u"Hi"), "");
    EXPECT_EQ(ReadFile("victim.txt"), "untouched");
    EXPECT_FALSE(fs::is_symlink(fs::path("Files") / "Hi.txt"));
    EXPECT_EQ(ReadFile(fs::path("Files") / "Hi.txt"), "banner\r\n");
}

TEST_F(BannerFileTest, AFolderLinkAsTheBannerFolderIsFollowed) {
    fs::create_directory("elsewhere");
    if (!Link("elsewhere", "Files")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    EXPECT_EQ(Save(u"Hi"), "");
    EXPECT_EQ(ReadFile(fs::path("elsewhere") / "Hi.txt"), "banner\r\n");
}

// Each failure is reported with the path and the reason, leaves the old file whole and
// leaves no temporary file behind.
TEST_F(BannerFileTest, AFailureKeepsTheOldFileAndSaysWhatFailed) {
    struct Case {
        const char* name;
        std::u16string line;
        std::function<void()> arrange;
        std::string message;
    };
    const auto oldFile = [] {
        fs::create_directory("Files");
        WriteFile(fs::path("Files") / "x.txt", "old");
    };
    const std::vector<Case> cases = {
        {"banner folder is a file", u"x", [] { WriteFile("Files", "old"); },
         "The folder \"Files\" could not be made: a file of that name is in the way."},
        {"name too long", std::u16string(300, u'L'), oldFile, "\" could not be written: "},
#ifdef __linux__
        {"file size limit", u"x", oldFile,
         "The file \"Files/x.txt\" could not be written: File too large."},
        {"read-only folder", u"x",
         [&] {
             oldFile();
             fs::permissions("Files", fs::perms::owner_read | fs::perms::owner_exec);
         },
         "The file \"Files/x.txt\" could not be written: Permission denied."},
#endif
        {"read-only file", u"x",
         [&] {
             oldFile();
             fs::permissions(fs::path("Files") / "x.txt", fs::perms::owner_read);
         },
         "x.txt\" could not be written: it is read-only."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        const std::vector<std::string> before = Tree();
        std::string message;
        {
#ifdef __linux__
            WithoutPermissionOverride asAnyUser;
            SmallFileSizeLimit limit(c.message.find("too large") != std::string::npos);
#endif
            message = Save(c.line, std::string(100, 'A'));
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(Tree(), before);
        EXPECT_EQ(ReadFile(fs::is_directory("Files") ? "Files/x.txt" : "Files"), "old");
        std::error_code ignored;
        fs::permissions("Files", fs::perms::owner_all, fs::perm_options::add);
        fs::permissions(fs::path("Files") / "x.txt", fs::perms::owner_all, fs::perm_options::add,
                        ignored);
        fs::remove_all("Files");
    }
}

#ifdef __linux__
// The rename commits a save: a folder that may be written but not read still takes
// it, and a failure after the rename says that the new file was written.
TEST_F(BannerFileTest, ASaveStandsOnceRenamed) {
    fs::create_directory("Files");
    fs::permissions("Files", fs::perms::owner_write | fs::perms::owner_exec);
    {
        WithoutPermissionOverride asAnyUser;
        EXPECT_EQ(Save(u"x", "unreadable folder"), "");
    }
    fs::permissions("Files", fs::perms::owner_all);
    EXPECT_EQ(ReadFile("Files/x.txt"), "unreadable folder\r\n");

    // Only the folder that may be written but not read is synced in silence.
    const struct {
        int* injected;
        int error;
        std::string message;
    } failures[] = {{&folderSyncError, EIO, "Input/output error"},
                    {&folderOpenError, EIO, "Input/output error"},
                    {&folderOpenError, EMFILE, "Too many open files"},
                    {&folderOpenError, ENOMEM, "Cannot allocate memory"}};
    for (const auto& [injected, error, message] : failures) {
        SCOPED_TRACE(message);
        *injected = error;
        const std::string failure = Save(u"x", "unsynced");
        *injected = 0;
        EXPECT_EQ(failure, "The file \"Files/x.txt\" was written, but its folder could not be "
                           "flushed to the disk: " +
                               message + "; after a power cut the old file may be back.");
        EXPECT_EQ(ReadFile("Files/x.txt"), "unsynced\r\n");
        EXPECT_EQ(Tree("Files"), std::vector<std::string>{"x.txt"});
    }
}

// A folder swapped while the save syncs its file, as a program that watches the folder
// can do it: moved away, a new one in its place with a file of the temporary name.
// The banner stands in the folder that was opened, nothing planted takes the target's
// name, and a signal at that moment removes the temporary file from the folder opened.
TEST_F(BannerFileTest, AFolderSwappedDuringTheSaveKeepsTheBanner) {
    for (const int signal : {0, SIGTERM}) {
        SCOPED_TRACE(signal);
        fs::create_directory("Files");
        atFileSync = [signal](int descriptor) {
            const fs::path name =
                fs::read_symlink("/proc/self/fd/" + std::to_string(descriptor)).filename();
            fs::rename("Files", "Files.old");
            fs::create_directory("Files");
            WriteFile("Files" / name, "NOT-A-BANNER");
            if (signal != 0) {
                raise(signal);
            }
        };
        const pid_t child = signal == 0 ? 0 : fork();
        if (child == 0) {
            std::signal(SIGTERM, SIG_DFL);
            const std::string message = Save(u"Hi");
            if (signal != 0) {
                _exit(2);
            }
            EXPECT_EQ(message, "");
        }
        atFileSync = nullptr;
        int status = 0;
        EXPECT_TRUE(signal == 0 || (waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
                                    WTERMSIG(status) == signal))
            << status;
        EXPECT_EQ(Tree("Files.old"),
                  signal == 0 ? std::vector<std::string>{"Hi.txt"} : std::vector<std::string>{});
        EXPECT_EQ(ReadFile("Files.old/Hi.txt"), signal == 0 ? "banner\r\n" : "<missing>");
        const std::vector<std::string> planted = Tree("Files");
        ASSERT_EQ(planted.size(), 1u);
        EXPECT_EQ(ReadFile("Files" / fs::path(planted[0])), "NOT-A-BANNER");
        fs::remove_all("Files");
        fs::remove_all("Files.old");
    }
}

// A temporary file that cannot be removed after a failure is named in the message.
TEST_F(BannerFileTest, ATemporaryFileLeftBehindIsNamed) {
    fs::create_directory("Files");
    std::string message;
    {
        SmallFileSizeLimit limit(true);
        unlinkError = EIO;
        message = Save(u"x", std::string(100, 'A'));
        unlinkError = 0;
    }
    const std::vector<std::string> left = Tree("Files");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(message, "The file \"Files/x.txt\" could not be written: File too large; its "
                       "temporary file \"Files/" +
                           left[0] +
                           "\" was left there, as it could not be removed: Input/output error.");
}

// So is one that an append-only folder (chattr +a) keeps: a rename or a removal there
// is refused.
TEST_F(BannerFileTest, AnAppendOnlyFolderKeepsTheTemporaryFileAndSaysSo) {
    fs::create_directory("Files");
    const int folder = open("Files", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    const auto setFlags = [&](int wanted) { return ioctl(folder, FS_IOC_SETFLAGS, &wanted) == 0; };
    if (ioctl(folder, FS_IOC_GETFLAGS, &flags) != 0 || !setFlags(flags | FS_APPEND_FL)) {
        const std::string reason = std::strerror(errno);
        close(folder);
        GTEST_SKIP() << "an append-only folder needs root and a file system such as ext4: "
                     << reason;
    }
    const std::string message = Save(u"x");
    EXPECT_TRUE(setFlags(flags));
    close(folder);
    const std::vector<std::string> left = Tree("Files");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(message, "The file \"Files/x.txt\" could not be written: Operation not permitted; "
                       "its temporary file \"Files/" +
                           left[0] +
                           "\" was left there, as it could not be removed: Operation not "
                           "permitted.");
}

// Root replacing another user's file keeps its owner and group, so that its owner can
// still read it; a user who may not write another's file is told so.
TEST_F(BannerFileTest, AnotherUsersFileKeepsItsOwnerOrIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    constexpr uid_t kOther = 12345;
    fs::create_directory("Files");
    WriteFile("Files/x.txt", "old");
    ASSERT_EQ(chown("Files/x.txt", kOther, kOther), 0);
    ASSERT_EQ(chmod("Files/x.txt", 0600), 0);
    EXPECT_EQ(Save(u"x"), "");
    struct stat saved {};
    stat("Files/x.txt", &saved);
    EXPECT_EQ(saved.st_uid, kOther);
    EXPECT_EQ(saved.st_gid, kOther);
    EXPECT_EQ(saved.st_mode & 07777, 0600u);

    ASSERT_EQ(chmod("Files/x.txt", 0644), 0);
    std::string message;
    {
        WithoutPermissionOverride asAnyUser;
        message = Save(u"x", "refused");
    }
    EXPECT_EQ(message, "The file \"Files/x.txt\" could not be written: it belongs to another "
                       "user, and this user may not write it.");
    EXPECT_EQ(ReadFile("Files/x.txt"), "banner\r\n");
    EXPECT_EQ(Tree("Files"), std::vector<std::string>{"x.txt"});
}
#endif

// A folder that another process makes meanwhile is as good as one made here; a folder
// that cannot be made is reported with the system's reason.
TEST_F(BannerFileTest, MakingTheFolderFailsOnlyWithAReason) {
    fs::create_directory("made");
    WriteFile("file", "");
#ifdef _WIN32
    const std::string missing; // the words differ between Windows and Wine
#else
    const std::string missing = "No such file or directory.";
#endif
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {u"made", ""},
        {u"file", "could not be made: a file of that name is in the way."},
        {u"missing/Files", "could not be made: " + missing},
#ifdef __linux__
        {u"locked/Files", "could not be made: Permission denied."},
#endif
    };
#ifdef __linux__
    fs::create_directory("locked");
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
    WithoutPermissionOverride asAnyUser;
#endif
    std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystemObject();
    for (const auto& [folder, message] : cases) {
        SCOPED_TRACE(platform::ToUtf8(folder));
        std::string failure;
        try {
            files->CreateFolder(folder);
        } catch (const platform::FolderError& error) {
            failure = error.what();
        }
        EXPECT_EQ(failure.empty(), message.empty()) << failure;
        EXPECT_NE(failure.find(message), std::string::npos) << failure;
    }
}

// A path of any length, also beyond the 260 characters of the classic Windows limit.
TEST_F(BannerFileTest, SavesIntoADeepFolder) {
    constexpr auto kSeparator = static_cast<char16_t>(fs::path::preferred_separator);
    std::vector<std::u16string> made = {fs::current_path().u16string()};
    std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystemObject();
    for (int level = 0; level < 12; ++level) {
        made.push_back(made.back() + kSeparator + std::u16string(40, u'd'));
        files->CreateFolder(made.back());
    }
    made.push_back(made.back() + kSeparator + u"Hi.txt");
    platform::FileWriter writer(made.back());
    writer.Write("deep");
    writer.Commit();
    EXPECT_EQ(ReadFile(platform::PathOf(made.back())), "deep");
    // Removed here: the temporary folder's removal takes no path this long on Windows.
    for (std::size_t i = made.size() - 1; i > 0; --i) {
        EXPECT_TRUE(fs::remove(platform::PathOf(made[i])));
    }
}

TEST(ShownPath, KeepsCharactersWholeAndShowsControlsAsEscapes) {
    const auto smiles = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += "\U0001F600";
        }
        return text;
    };
    const std::u16string emoji = platform::FromUtf8(smiles(35));
    EXPECT_EQ(platform::ShownPath(u"Files/x.txt"), "Files/x.txt");
    EXPECT_EQ(platform::ShownPath(emoji), smiles(24) + "\u2026" + smiles(7));
    EXPECT_EQ(platform::ShownPath(u"x" + emoji), "x" + smiles(23) + "\u2026" + smiles(7));
    EXPECT_EQ(platform::ShownPath(u"a\u007F\u009B\u00A0b"), "a\\x7f\\u009b\u00A0b");
    // Any limit holds, the smallest too: the ellipsis and what is left of the end.
    EXPECT_EQ(platform::ShownPath(u"abcdefghijklmnopqrstuvwxyz", 20), "abcd\u2026lmnopqrstuvwxyz");
    EXPECT_EQ(platform::ShownPath(u"abcdefghijklmnopqrstuvwxyz", 3), "\u2026yz");
    EXPECT_EQ(platform::ShownPath(u"abc", 0), "\u2026");
    EXPECT_EQ(platform::ShownText("\x1b[2J\n\xC3\xA9"), "\\x1b[2J\\x0a\xC3\xA9");
    // Format characters are escaped too; bytes that are no UTF-8 stay as they are.
    EXPECT_EQ(platform::ShownText("a\xE2\x80\xAE"
                                  "b\xFF\xC2"),
              "a\\u202eb\xFF\xC2");
    EXPECT_EQ(platform::SystemReason(0), "the system gave no reason");
}

#ifndef _WIN32
// A replaced file keeps its permissions, but never the set-user-ID, set-group-ID and
// sticky bits.
TEST_F(BannerFileTest, AReplacedFileKeepsItsPermissionsWithoutSetIdBits) {
    fs::create_directory("Files");
    for (const auto& [before, after] : std::vector<std::pair<mode_t, mode_t>>{
             {0640, 0640}, {04755, 0755}, {02750, 0750}, {01604, 0604}}) {
        WriteFile(fs::path("Files") / "x.txt", "old");
        chmod("Files/x.txt", before);
        EXPECT_EQ(Save(u"x"), "");
        struct stat saved {};
        stat("Files/x.txt", &saved);
        EXPECT_EQ(saved.st_mode & 07777, after) << std::oct << before;
    }
}

// A save ended by a signal, any of those whose default action ends the process and
// that can be caught, leaves the old file and no temporary file, and the process ends
// with the signal; a signal that the process ignores lets the save finish. So do many
// saves under way at once.
TEST_F(BannerFileTest, ASaveEndedByASignalLeavesNoTemporaryFile) {
    struct Case {
        int signal;
        bool ignored;
        int saves = 1;
    };
    for (const Case& c :
         {Case{SIGINT, false}, Case{SIGTERM, false}, Case{SIGHUP, false}, Case{SIGQUIT, false},
          Case{SIGXCPU, false}, Case{SIGALRM, false}, Case{SIGUSR1, false}, Case{SIGUSR2, false},
          Case{SIGPIPE, false}, Case{SIGPROF, false}, Case{SIGVTALRM, false}, Case{SIGABRT, false},
          Case{SIGSEGV, false}, Case{SIGBUS, false}, Case{SIGFPE, false}, Case{SIGILL, false},
          Case{SIGSYS, false}, Case{SIGTRAP, false},
#ifdef __linux__
          // The first real-time signal and one in the middle: qemu-user keeps the last
          // two for itself, and they do nothing there.
          Case{SIGPOLL, false}, Case{SIGPWR, false}, Case{SIGSTKFLT, false}, Case{SIGRTMIN, false},
          Case{(SIGRTMIN + SIGRTMAX) / 2, false},
#endif
          Case{SIGHUP, true}, Case{SIGPIPE, true}, Case{SIGTERM, false, 20},
          Case{SIGPIPE, true, 20}}) {
        SCOPED_TRACE(std::to_string(c.signal) + ", " + std::to_string(c.saves) + " saves");
        fs::create_directory("Files");
        WriteFile(fs::path("Files") / "x.txt", "old");
        const pid_t child = fork();
        if (child == 0) {
            // The signal's own action (not a sanitizer's), and no core file.
            std::signal(c.signal, c.ignored ? SIG_IGN : SIG_DFL);
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            try {
                std::vector<std::unique_ptr<platform::FileWriter>> writers;
                for (int i = 0; i < c.saves; ++i) {
                    writers.push_back(std::make_unique<platform::FileWriter>(u"Files/x.txt"));
                    writers.back()->Write("new");
                }
                raise(c.signal);
                for (const auto& writer : writers) {
                    writer->Commit();
                }
            } catch (...) {
                _exit(2);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (c.ignored) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        }
        EXPECT_EQ(ReadFile(fs::path("Files") / "x.txt"), c.ignored ? "new" : "old");
        EXPECT_EQ(Tree("Files"), std::vector<std::string>{"x.txt"});
        fs::remove_all("Files");
    }
}
#endif

#ifdef _WIN32
// Another program that holds the target open for a moment delays the save; one that
// holds it throughout makes it fail with the reason, and the old file stays.
TEST_F(BannerFileTest, ABusyTargetIsTriedAgainForAboutASecond) {
    fs::create_directory("Files");
    WriteFile("Files\\x.txt", "old");
    for (const bool released : {false, true}) {
        SCOPED_TRACE(released);
        HANDLE held = CreateFileW(L"Files\\x.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread holder([&] {
            Sleep(released ? 200 : 3000); // the retries last a second
            CloseHandle(held);
        });
        const std::string message = Save(u"x", "new");
        holder.join();
        EXPECT_EQ(message.empty(), released) << message;
        EXPECT_EQ(ReadFile("Files\\x.txt"), released ? "new\r\n" : "old");
        EXPECT_EQ(Tree("Files"), std::vector<std::string>{"x.txt"});
    }
}

// Ctrl+C during a save removes the temporary file before the process ends. The save
// runs in a copy of this program, on a console of its own, which it interrupts itself.
TEST_F(BannerFileTest, CtrlCDuringASaveLeavesNoTemporaryFile) {
    constexpr int kNotEnded = 3;
    if (const char* target = std::getenv("LOFTYPE_INTERRUPTED_SAVE")) {
        if (!FreeConsole() || !AllocConsole()) {
            _exit(kNotEnded + 1);
        }
        platform::FileWriter writer(platform::FromUtf8(target));
        writer.Write("new");
        GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        Sleep(10000);
        _exit(kNotEnded);
    }
    fs::create_directory("Files");
    WriteFile("Files\\x.txt", "old");
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    testing_support::SetVariable("LOFTYPE_INTERRUPTED_SAVE",
                                 (fs::current_path() / "Files" / "x.txt").string().c_str());
    const testing_support::Outcome run = testing_support::RunProgram(
        self, {"--gtest_filter=BannerFileTest.CtrlCDuringASaveLeavesNoTemporaryFile"});
    testing_support::SetVariable("LOFTYPE_INTERRUPTED_SAVE", nullptr);
    EXPECT_NE(run.status, kNotEnded);
    EXPECT_NE(run.status, kNotEnded + 1) << "no console of its own";
    EXPECT_EQ(ReadFile("Files\\x.txt"), "old");
    EXPECT_EQ(Tree("Files"), std::vector<std::string>{"x.txt"});
}
#endif
