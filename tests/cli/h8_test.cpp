#include "engine/banner.h"
#include "engine/character_classes.h"
#include "settings/layout_options.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

using testing_support::Outcome;
using testing_support::ReadFile;
using testing_support::TemporaryFolder;
using testing_support::WriteFile;

namespace {

Outcome H8(const std::vector<std::string>& arguments, const std::string& input = {},
           const std::filesystem::path& folder = {}) {
    return testing_support::RunProgram(H8_PATH, arguments, input, folder);
}

#ifdef _WIN32
constexpr std::string_view kLineEnd = "\r\n";
#else
constexpr std::string_view kLineEnd = "\n";
#endif

// The banner the engine composes for a line under the given options, as Copy and Save
// take it (CR LF line ends).
std::string Page(std::u16string_view line, std::int16_t h = 1, std::int16_t v = 1,
                 std::int16_t p = -1) {
    modMain::InitEngine();
    modOptions::HSpaces = h;
    modOptions::VSpaces = v;
    modOptions::PageWidth = p;
    EXPECT_TRUE(mod8Zevazuv::ComposePage(line));
    modOptions::SetDefaultOptions();
    return mod8Zevazuv::PageText;
}

// The text with the line ends that h8 prints by default.
std::string Printed(std::string text) {
    if (kLineEnd == "\n") {
        std::erase(text, '\r');
    }
    return text;
}

// The banner as h8 prints it by default.
std::string Composed(std::u16string_view line, std::int16_t h = 1, std::int16_t v = 1,
                     std::int16_t p = -1) {
    return Printed(Page(line, h, v, p));
}

// The lines, each with the line end given.
std::string Lines(std::initializer_list<std::string_view> lines, std::string_view end = kLineEnd) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line).append(end);
    }
    return text;
}

} // namespace

TEST(H8, PrintsTheComposedBannerByteForByte) {
    EXPECT_EQ(H8({"Hi"}).out, Composed(u"Hi", 1, 1, -1));
    EXPECT_EQ(H8({"--crlf", "Hi"}).out, Page(u"Hi"));
    EXPECT_EQ(H8({"--crlf", "Hi"}).out.size(), 132u);
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

#ifndef _WIN32
// Each line of standard input is printed or saved as soon as it is complete, while
// the input stays open: the banner of "Hi" must be out before the line after it comes.
// The wait for it has a deadline of 30 seconds.
TEST(H8, EachLineOfStandardInputIsDoneBeforeTheNextComes) {
    for (const auto& [option, banner] : {std::pair{"-q", "out"}, {"--save", "Files/Hi.txt"}}) {
        SCOPED_TRACE(option);
        const std::string script =
            std::string("mkfifo in; \"$0\" ") + option + " <in >out & exec 3>in; echo Hi >&3; " +
            "for ((i = 0; i < 600; i++)); do [ -s " + banner + " ] && break; sleep 0.05; done; " +
            "[ -s " + banner + " ] && echo 'out before the end'; exec 3>&-; wait $!";
        TemporaryFolder folder;
        const Outcome run =
            testing_support::RunProgram("/bin/bash", {"-c", script, H8_PATH}, {}, folder.Path());
        EXPECT_EQ(run.out, "out before the end\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, 0);
    }
}
#endif

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
    EXPECT_TRUE(mod8Zevazuv::RenderLine(u"Hi Hi"));
    EXPECT_EQ(H8({"--show", "-w", "5", "Hi", "Hi"}).out, Printed(mod8Zevazuv::BandText));
}

TEST(H8, TheTerminalsWidthFitsTheBands) {
    modMain::InitEngine();
    EXPECT_TRUE(mod8Zevazuv::ComposeFittingPage(u"HiH", 14));
    const std::string fitted = Printed(mod8Zevazuv::PageText);
    // Output that is no terminal: -t takes COLUMNS, and without -t nothing is cut.
    testing_support::SetVariable("COLUMNS", "14");
    EXPECT_EQ(H8({"-t", "HiH"}).out, fitted);
    EXPECT_EQ(H8({"HiH"}).out, Composed(u"HiH"));
    EXPECT_EQ(H8({"-t", "-w", "20", "HiH"}).out, Composed(u"HiH", 1, 1, 20));
    EXPECT_EQ(H8({"-w", "20", "-t", "HiH"}).out, fitted);
    testing_support::SetVariable("COLUMNS", "wide");
    EXPECT_EQ(H8({"-t", "HiH"}).out, Composed(u"HiH"));
    testing_support::SetVariable("COLUMNS", nullptr);
    EXPECT_EQ(H8({"-t", "HiH"}).out, Composed(u"HiH"));
    EXPECT_EQ(H8({"-w", "20", "-t", "HiHiH"}).out, Composed(u"HiHiH"));
#ifndef _WIN32
    // On a terminal the bands fit its columns unless a width is given; the terminal
    // itself ends each line with CR LF.
    const std::string h8 = std::string("'") + H8_PATH + "'";
    Outcome terminal = testing_support::RunProgram(
        "/usr/bin/script", {"-qec",
                            "stty cols 14; " + h8 + " HiH; " + h8 + " -w -1 HiH; " + h8 +
                                " --save HiH; echo HiH | " + h8,
                            "/dev/null"});
    std::erase(terminal.out, '\r');
    EXPECT_EQ(terminal.out, fitted + Composed(u"HiH") + fitted);
    EXPECT_EQ(terminal.status, 0);
#endif
}

TEST(H8, SaveWritesTheFileAsTheSaveCommandDoes) {
    TemporaryFolder folder;
    Outcome run = H8({"--save", "a/b"}, {}, folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(folder.Path() / "Files" / "a_b.txt"), Page(u"a/b") + "\r\n");
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
    EXPECT_EQ(ReadFile(folder.Path() / "Files" / "Hi.txt"), Page(u"Hi") + "\r\n");
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

TEST(H8, ReadsTheUsualOptionSyntax) {
    testing_support::SetVariable("COLUMNS", "14");
    // Each spelling prints what the plain one does.
    const struct {
        std::vector<std::string> given, plain;
    } same[] = {
        {{"-w80", "-s0", "-l2", "Big banner"}, {"-w", "80", "-s", "0", "-l", "2", "Big banner"}},
        {{"--width=80", "--spaces", "0", "--lines=2", "Big banner"},
         {"-w", "80", "-s", "0", "-l", "2", "Big banner"}},
        {{"--wid", "10", "--sp=0", "HiH"}, {"-w", "10", "-s", "0", "HiH"}},
        {{"-qw", "10", "a#"}, {"-q", "-w", "10", "a#"}},
        {{"-qw-1", "a#"}, {"-q", "a#"}},
        {{"--quiet", "--terminal", "a#"}, {"-q", "-t", "a#"}},
        {{"-tq", "a#"}, {"-q", "-t", "a#"}},
        {{"--crlf", "--lf", "Hi"}, {"--lf", "Hi"}},
        {{"--prefix", "-- ", "Hi"}, {"--prefix=-- ", "Hi"}},
        {{"--align=centre", "-w", "40", "Hi"}, {"--align", "center", "-w", "40", "Hi"}},
        {{"Hi", "--", "--width=3"}, {"--", "Hi", "--width=3"}},
    };
    for (const auto& c : same) {
        const Outcome given = H8(c.given);
        const Outcome plain = H8(c.plain);
        EXPECT_EQ(given.out, plain.out) << c.given.front();
        EXPECT_EQ(given.err, plain.err) << c.given.front();
        EXPECT_EQ(given.status, 0) << c.given.front();
    }
    // Anything else is a usage error of one line.
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } wrong[] = {
        {{"-s", "13", "x"}, "-s takes a number from 0 to 12, not \"13\""},
        {{"--lines=-0.4", "x"}, "--lines takes a number from 0 to 12, not \"-0.4\""},
        {{"-sabc", "x"}, "-s takes a number from 0 to 12, not \"abc\""},
        {{"-w", "99999", "x"}, "-w takes a number from -32768 to 32767, not \"99999\""},
        {{"--width=1,5", "x"}, "--width takes a number from -32768 to 32767, not \"1,5\""},
        {{"-w", "", "x"}, "-w takes a number from -32768 to 32767, not \"\""},
        {{"-s"}, "-s needs a value"},
        {{"x", "--prefix"}, "--prefix needs a value"},
        {{"--bogus", "x"}, "unknown option \"--bogus\" (try h8 --help)"},
        {{"-qz", "x"}, "unknown option \"-z\" (try h8 --help)"},
        {{"--s", "x"}, "option \"--s\" is ambiguous: --spaces, --show, --save"},
        {{"--quiet=yes", "x"}, "--quiet takes no value"},
        {{"--format", "pdf", "x"}, "--format takes text, markdown or html, not \"pdf\""},
        {{"--align=middle", "x"}, "--align takes left, center or right, not \"middle\""},
        // Control and format characters in a message are shown, never sent to the
        // terminal: no escape sequence, no reordering of the line.
        {{"-s", "\x1b[2J\xc2\x9b", "x"}, "-s takes a number from 0 to 12, not \"\\x1b[2J\\u009b\""},
        {{"-\xe2\x80\xae", "x"}, "unknown option \"-\\u202e\" (try h8 --help)"},
        {{"-w",
          "\xe2\x81\xa6"
          "1\xc2\xad\xe2\x80\x8f",
          "x"},
         "-w takes a number from -32768 to 32767, not \"\\u20661\\u00ad\\u200f\""},
        {{"--prefix", "#", "-s", "1\xef\xbb\xbf\xe2\x80\x8d\xf3\xa0\x81\x81", "x"},
         "-s takes a number from 0 to 12, not \"1\\ufeff\\u200d\\U000e0041\""},
        // An option is named as it was given.
        {{"--=x", "x"}, "unknown option \"--=x\" (try h8 --help)"},
        {{"-q\xf0\x9f\x98\x80", "x"}, "unknown option \"-\xf0\x9f\x98\x80\" (try h8 --help)"},
    };
    for (const auto& c : wrong) {
        const Outcome run = H8(c.arguments);
        EXPECT_EQ(run.err, "h8: " + c.error + "\n");
        EXPECT_EQ(run.status, 2) << c.error;
        EXPECT_EQ(run.out, "") << c.error;
    }
    testing_support::SetVariable("COLUMNS", nullptr);
    const Outcome help = H8({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"-s, --spaces", "-l, --lines", "-w, --width", "-t, --terminal", "-q, --quiet", "--show",
          "--save", "--crlf", "--lf", "--trim", "--prefix", "--format", "markdown", "html",
          "--align", "--version", "COLUMNS", "\".\""}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
}

TEST(H8, PrintsEachOutputForm) {
    // The rows of "i" with one blank after it: its top row is blank.
    const std::string_view blank = "   ", dots = "ii ";
    const struct {
        std::vector<std::string> arguments;
        std::string input, out;
    } cases[] = {
        {{"--lf", "i"}, {}, Lines({blank, blank, dots, blank, dots, dots, dots, dots, ""}, "\n")},
        {{"--crlf", "i"},
         {},
         Lines({blank, blank, dots, blank, dots, dots, dots, dots, ""}, "\r\n")},
        {{"--trim", "i"}, {}, Lines({"", "", "ii", "", "ii", "ii", "ii", "ii", ""})},
        {{"--prefix", "# ", "i"},
         {},
         Lines({"#    ", "#    ", "# ii ", "#    ", "# ii ", "# ii ", "# ii ", "# ii ", "# "})},
        {{"--prefix=// ", "--trim", "i"},
         {},
         Lines({"//", "//", "// ii", "//", "// ii", "// ii", "// ii", "// ii", "//"})},
        {{"--format", "markdown", "i"},
         {},
         Lines({"```", blank, blank, dots, blank, dots, dots, dots, dots, "", "```"})},
        {{"--format=html", "i"},
         {},
         Lines({"<pre role=\"img\" aria-label=\"i\">", blank, blank, dots, blank, dots, dots, dots,
                dots, "", "</pre>"})},
        // Characters outside the font are blanks, which --trim takes away.
        {{"-q", "--format", "html", "--trim"},
         "i<&>\"'\xC3\xA9\t\x01\n",
         Lines({"<pre role=\"img\" aria-label=\"i&lt;&amp;&gt;&quot;&#39;&#xe9;&#x9;&#xfffd;\">",
                "", "", "ii", "", "ii", "ii", "ii", "ii", "", "</pre>"})},
        {{"--align", "right", "-w", "7", "i"},
         {},
         Lines({"       ", "       ", "    ii ", "       ", "    ii ", "    ii ", "    ii ",
                "    ii ", ""})},
        {{"--align=center", "-w", "8", "--trim", "--prefix", "> ", "i"},
         {},
         Lines({">", ">", ">   ii", ">", ">   ii", ">   ii", ">   ii", ">   ii", ">"})},
        // Without a limit, or in a band as wide as the page, nothing moves.
        {{"--align", "right", "i"}, {}, Composed(u"i", 0, 0)},
        {{"--align", "right", "-w", "2", "i"}, {}, Composed(u"i", 0, 0, 2)},
        // One block per line of standard input; an empty line makes none, shown or not.
        {{"--format", "markdown"},
         "i\n\ni\n",
         Lines({"```", blank, blank, dots, blank, dots, dots, dots, dots, "", "```",
                "```", blank, blank, dots, blank, dots, dots, dots, dots, "", "```"})},
        {{"--show", "--format", "markdown"},
         "i\n\n",
         Lines({"```", blank, blank, dots, blank, dots, dots, dots, dots, "```"})},
        {{"--show", "--format=html", ""}, {}, ""},
        {{"--show", ""}, {}, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"-s", "0", "-l", "0"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const Outcome run = H8(arguments, c.input);
        EXPECT_EQ(run.out, c.out) << c.arguments.front() << ' ' << c.arguments.back();
        EXPECT_EQ(run.status, 0);
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
    // A character beyond U+FFFF is one character, which the engine counts as two.
    std::string emoji;
    for (int i = 0; i < 16384; ++i) {
        emoji += "\xf0\x9f\x98\x80";
    }
    EXPECT_EQ(H8({"-q", "-w", "80"}, emoji).err,
              "h8: the line of 16384 characters is too long to enlarge: it has more than 32767 "
              "characters, counting each beyond U+FFFF as two\n");
}

TEST(H8, NamesCharactersOutsideTheFontUnlessQuiet) {
    Outcome run = H8({"a#\xe4\xb8\xad#\xe2\x80\xae\xf0\x9f\x98\x80"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "h8: not in the font: U+0023 \"#\" as a blank, U+4E2D \"\xe4\xb8\xad\" as "
                       "\"?\", U+202E as \"?\", U+1F600 \"\xf0\x9f\x98\x80\" as two \"?\"\n");
    EXPECT_EQ(run.out, Composed(u"a#\u4E2D#\u202E\U0001F600", 1, 1, -1));
    EXPECT_EQ(H8({"-q", "a#"}).err, "");
    EXPECT_EQ(H8({"Hi there."}).err, "");
}

#ifndef _WIN32
// Standard output or input failing is reported, with exit status 1: never taken for
// success. A reader that goes away ends h8 at once and without a word, as a filter ends.
TEST(H8, FailedWritesAndReadsAreReported) {
    const std::string wide = " " + std::string(30, 'W'); // a banner of some 2,000 bytes
    struct Case {
        std::string script;
        int status;
        std::string err;
    };
    std::vector<Case> cases = {
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
#ifdef H8_ADDRESS_SPACE_LIMITABLE
    // h8 starts in 1.5 MB of address space, a third of the limit; the banner of 32,767
    // W at these options takes 7.6 MB, more than all of it.
    const std::string starved = "head -c 32767 /dev/zero | tr '\\0' W >line; mkdir Files; "
                                "ulimit -v 4608; \"$0\" -s 12 -l 12 -w 80 ";
    const std::string noMemory =
        "h8: cannot enlarge the line of 32767 characters: not enough memory\n";
    cases.push_back({starved + "<line", 1, noMemory});
    cases.push_back({starved + "--save <line; status=$?; ls -A Files; exit $status", 1, noMemory});
#endif
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

#ifndef _WIN32
// The first eight rows of a text, each without its trailing blanks.
std::string EightRowsTrimmed(const std::string& text) {
    std::istringstream rows(text);
    std::string trimmed;
    std::string row;
    for (int i = 0; i < 8 && std::getline(rows, row); ++i) {
        trimmed += row.substr(0, row.find_last_not_of(' ') + 1) + '\n';
    }
    return trimmed;
}

// figlet at full width draws a line of the font's characters in the exported font as h8
// draws it with no limit, trailing blanks aside: each character alone, all of them in
// one line, and random lines of them.
TEST(H8, FigletDrawsWithTheExportedFontAsH8Draws) {
    const char* const figlet = "/usr/bin/figlet";
    ASSERT_TRUE(std::filesystem::exists(figlet)) << "figlet is needed: apt-get install figlet";
    TemporaryFolder folder;
    const Outcome font = H8({"--export-font"});
    ASSERT_EQ(font.status, 0) << font.err;
    const std::filesystem::path file = folder.Path() / "loftype.flf";
    WriteFile(file, font.out);
    std::string characters;
    for (char c = 32; c <= 126; ++c) {
        if (mod8Zevazuv::InFont(static_cast<char16_t>(c))) {
            characters += c;
        }
    }
    ASSERT_EQ(characters.size(), 77u);
    std::vector<std::string> lines{characters};
    for (char c : characters) {
        lines.emplace_back(1, c);
    }
    std::mt19937 random(8);
    std::uniform_int_distribution<std::size_t> pick(0, characters.size() - 1);
    for (int i = 0; i < 20; ++i) {
        std::string line;
        for (int n = 0; n < 30; ++n) {
            line += characters[pick(random)];
        }
        lines.push_back(line);
    }
    for (const std::string& line : lines) {
        const Outcome drawn = testing_support::RunProgram(
            figlet, {"-W", "-w", "100000", "-f", file.string()}, line + "\n");
        EXPECT_EQ(EightRowsTrimmed(drawn.out), EightRowsTrimmed(H8({"-w", "-1", "--", line}).out))
            << "the line \"" << line << "\"";
    }
}
#endif
