#include "engine/banner.h"
#include "settings/layout_options.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

using testing_support::Outcome;
using testing_support::ReadFile;
using testing_support::TemporaryFolder;

namespace {

Outcome H8(const std::vector<std::string>& arguments, const std::string& input = {},
           const std::filesystem::path& folder = {}) {
    return testing_support::RunProgram(H8_PATH, arguments, input, folder);
}

// The banner the engine composes for a line under the given options.
std::string Composed(std::u16string_view line, std::int16_t h = 1, std::int16_t v = 1,
                     std::int16_t p = -1) {
    modMain::InitEngine();
    modOptions::HSpaces = h;
    modOptions::VSpaces = v;
    modOptions::PageWidth = p;
    mod8Zevazuv::ComposePage(line);
    modOptions::SetDefaultOptions();
    return mod8Zevazuv::PageText;
}

std::size_t Count(const std::string& text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

} // namespace

TEST(H8, PrintsTheComposedBannerByteForByte) {
    EXPECT_EQ(H8({"Hi"}).out, Composed(u"Hi", 1, 1, -1));
    EXPECT_EQ(H8({"Hi"}).out.size(), 132u);
    EXPECT_EQ(H8({"-w", "10", "HiH"}).out, Composed(u"HiH", 1, 1, 10));
    EXPECT_EQ(H8({"-s", "0", "-l", "2.5", "-w", " 40.5", "Big", "banner!"}).out,
              Composed(u"Big banner!", 0, 2, 40));
    EXPECT_EQ(H8({"-w", "-32768", "--", "-s", "x"}).out, Composed(u"-s x", 1, 1, -32768));
    EXPECT_EQ(H8({""}).out, "");
}

TEST(H8, ReadsEachLineOfStandardInput) {
    Outcome run = H8({"-q"}, "Hi\r\ncaf\xc3\xa9\n\nlast");
    EXPECT_EQ(run.out, Composed(u"Hi", 1, 1, -1) + Composed(u"caf\u00E9", 1, 1, -1) +
                           Composed(u"last", 1, 1, -1));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    // Bytes that are no UTF-8 become U+FFFD, each; a byte order mark is dropped at the
    // start of the input only.
    EXPECT_EQ(H8({"-q"}, "\xEF\xBB\xBFHi\xC3\n\xE2\x82 x\n\xEF\xBB\xBFHo").out,
              Composed(u"Hi\uFFFD") + Composed(u"\uFFFD\uFFFD x") + Composed(u"\uFEFFHo"));
}

TEST(H8, ALineLongerThanTheInputBlocksIsReadWhole) {
    Outcome run = H8({}, std::string(65535, 'A') + "\xC3\xA9#\r\nHi\r\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Composed(u"Hi"));
    EXPECT_EQ(run.err, "h8: not in the font: U+00E9 \"\xC3\xA9\" as a blank, U+0023 \"#\" as a "
                       "blank\nh8: the line of 65537 characters is too long to enlarge: it has "
                       "more than 32767 characters\n");
}

TEST(H8, ShowPrintsTheOneBand) {
    modMain::InitEngine();
    mod8Zevazuv::RenderLine(u"Hi Hi");
    EXPECT_EQ(H8({"--show", "-w", "5", "Hi", "Hi"}).out, mod8Zevazuv::BandText);
}

TEST(H8, TerminalWidthComesFromColumnsWithoutATerminal) {
    testing_support::SetVariable("COLUMNS", "10");
    EXPECT_EQ(H8({"-t", "HiH"}).out, Composed(u"HiH", 1, 1, 10));
    EXPECT_EQ(H8({"-t", "-w", "20", "HiH"}).out, Composed(u"HiH", 1, 1, 20));
    testing_support::SetVariable("COLUMNS", "wide");
    EXPECT_EQ(H8({"-w", "20", "-t", "HiH"}).out, Composed(u"HiH"));
    testing_support::SetVariable("COLUMNS", nullptr);
    EXPECT_EQ(H8({"-t", "HiH"}).out, Composed(u"HiH"));
}

TEST(H8, SaveWritesTheFileAsTheSaveCommandDoes) {
    TemporaryFolder folder;
    Outcome run = H8({"--save", "a/b"}, {}, folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(folder.Path() / "Files" / "a_b.txt"), Composed(u"a/b", 1, 1, -1) + "\r\n");
}

TEST(H8, SaveReplacesALinkAtTheFileInsteadOfWritingThroughIt) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.Path() / "Files");
    testing_support::WriteFile(folder.Path() / "victim.txt", "untouched");
    std::error_code error;
    std::filesystem::create_symlink("../victim.txt", folder.Path() / "Files" / "Hi.txt", error);
    if (error) {
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    }
    EXPECT_EQ(H8({"--save", "Hi"}, {}, folder.Path()).status, 0);
    EXPECT_EQ(ReadFile(folder.Path() / "victim.txt"), "untouched");
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Path() / "Files" / "Hi.txt"));
    EXPECT_EQ(ReadFile(folder.Path() / "Files" / "Hi.txt"), Composed(u"Hi") + "\r\n");
}

TEST(H8, AFailedSaveExitsOneWithTheReason) {
    TemporaryFolder folder;
    testing_support::WriteFile(folder.Path() / "Files", "not a folder");
    Outcome run = H8({"--save", "Hi"}, {}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "h8: The folder \"Files\" could not be made: a file of that name is in the way.\n");
    EXPECT_EQ(ReadFile(folder.Path() / "Files"), "not a folder");
}

TEST(H8, BadOptionValuesAreUsageErrors) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"-s", "13", "x"},
                                               {"-l", "-0.4", "x"},
                                               {"-s", "abc", "x"},
                                               {"-w", "99999", "x"},
                                               {"-w", "1,5", "x"},
                                               {"-w", "", "x"},
                                               {"-s"},
                                               {"--bogus", "x"}}) {
        Outcome run = H8(arguments);
        EXPECT_EQ(run.status, 2) << arguments[0] << ' ' << arguments.back();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Count(run.err, '\n'), 1u);
        EXPECT_TRUE(run.err.starts_with("h8: "));
    }
    // Control characters in a message are shown, never sent to the terminal.
    EXPECT_EQ(H8({"-s", "\x1b[2J\xc2\x9b", "x"}).err,
              "h8: -s takes a number from 0 to 12, not \"\\x1b[2J\\u009b\"\n");
    Outcome help = H8({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"-s N", "-l N", "-w N", "-t", "COLUMNS", "-q", "--show", "--save", "--", "\".\""}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
}

TEST(H8, AnOverflowingLineExitsOneAndTheOthersStillPrint) {
    std::string input = std::string(2000, 'A') + "\nHi\n";
    Outcome run = H8({}, input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Composed(u"Hi", 1, 1, -1));
    EXPECT_EQ(run.err, "h8: the line of 2000 characters is too long to enlarge: its banner would "
                       "be wider than 32767 small characters\n");
    // On standard input: Windows takes no command line this long.
    EXPECT_EQ(H8({"-w", "80"}, std::string(33000, 'i')).err,
              "h8: the line of 33000 characters is too long to enlarge: it has more than 32767 "
              "characters\n");
}

TEST(H8, NamesCharactersOutsideTheFontUnlessQuiet) {
    Outcome run = H8({"a#\xe4\xb8\xad#\xe2\x80\xae"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "h8: not in the font: U+0023 \"#\" as a blank, U+4E2D \"\xe4\xb8\xad\" as "
                       "\"?\", U+202E as \"?\"\n");
    EXPECT_EQ(run.out, Composed(u"a#\u4E2D#\u202E", 1, 1, -1));
    EXPECT_EQ(H8({"-q", "a#"}).err, "");
    EXPECT_EQ(H8({"Hi there."}).err, "");
}

#ifndef _WIN32
// Standard output or input failing is reported, with exit status 1: never taken for
// success. A reader that goes away ends h8 at once and without a word, as a filter ends.
TEST(H8, FailedWritesAndReadsAreReported) {
    const std::string wide = " " + std::string(30, 'W'); // a banner of some 2,000 bytes
    const struct {
        std::string script;
        int status;
        std::string err;
    } cases[] = {
        {"\"$0\" Hi >/dev/full", 1,
         "h8: cannot write to standard output: No space left on device\n"},
        {"\"$0\" --help >/dev/full", 1,
         "h8: cannot write to standard output: No space left on device\n"},
        {"\"$0\" --version >&-", 1, "h8: cannot write to standard output: Bad file descriptor\n"},
        {"ulimit -f 1; \"$0\"" + wide + " >banner", 1,
         "h8: cannot write to standard output: File too large\n"},
        {"ulimit -f 1; \"$0\" --save" + wide + "; status=$?; ls -A Files; exit $status", 1,
         "h8: The file \"Files/" + wide.substr(1) +
             ".txt\" could not be written: File too large.\n"},
        {"\"$0\" </", 1, "h8: cannot read standard input: Is a directory\n"},
        {"yes | \"$0\" | head -c 1 >/dev/null; exit ${PIPESTATUS[1]}", 128 + SIGPIPE, ""},
        {"trap '' PIPE; yes 2>/dev/null | \"$0\" | head -c 1 >/dev/null; exit ${PIPESTATUS[1]}", 1,
         ""},
    };
    for (const auto& c : cases) {
        TemporaryFolder folder;
        Outcome run =
            testing_support::RunProgram("/bin/bash", {"-c", c.script, H8_PATH}, {}, folder.Path());
        EXPECT_EQ(run.status, c.status) << c.script;
        EXPECT_EQ(run.out, "") << c.script;
        EXPECT_EQ(run.err, c.err) << c.script;
    }
}
#endif
