#include "commands/banner_file.h"
#include "support/temporary_folder.h"

#include <functional>
#include <gtest/gtest.h>

#ifdef __linux__
#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
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
// Root may write into a read-only folder; the calling thread gives up that power for
// as long as this lives.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header_, lowered);
    }
    ~WithoutPermissionOverride() { syscall(SYS_capset, &header_, saved_); }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// Files may grow to a few bytes only, while this lives (when on).
class SmallFileSizeLimit {
public:
    explicit SmallFileSizeLimit(bool on) : on_(on) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        if (on_) {
            std::signal(SIGXFSZ, SIG_IGN);
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
        fs::permissions("Files", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all("Files");
    }
}
