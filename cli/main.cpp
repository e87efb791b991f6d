// h8: the banner engine for scripts and terminals.

#include "cli/binary_output.h"
#include "cli/console_message.h"
#include "cli/h8_options.h"
#include "cli/input_lines.h"
#include "commands/banner_file.h"
#include "engine/banner.h"
#include "engine/font_export.h"
#include "engine/output_forms.h"
#include "platform/file_writer.h"
#include "platform/utf8.h"
#include "settings/layout_options.h"
#include "version.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// One line on standard error, its control characters shown as escapes.
void PrintError(const std::string& line) {
    h8::WriteMessage(platform::ShownText(line) + "\n");
}

// Standard output did not take what h8 wrote: the system's error code.
struct OutputFailure {
    int error;
};

// The failure that standard output has just had. A reader that went away (a closed
// pipe) is EPIPE; the Windows runtime calls it EINVAL, so there the system's own code
// tells.
OutputFailure LastOutputFailure() {
    const int error = errno;
#ifdef _WIN32
    const DWORD systemError = GetLastError();
    if (systemError == ERROR_NO_DATA || systemError == ERROR_BROKEN_PIPE ||
        systemError == ERROR_PIPE_NOT_CONNECTED) {
        return {EPIPE};
    }
#endif
    return {error};
}

// Every byte for standard output goes through here. Throws OutputFailure.
void PrintOut(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        throw LastOutputFailure();
    }
}

// Sends on what standard output still holds, before h8 decides its exit status.
void FlushOut() {
    if (std::fflush(stdout) != 0) {
        throw LastOutputFailure();
    }
}

// A reader that went away (a closed pipe) ends h8 without a word, as a filter ends;
// any other failure is named.
int ReportOutputFailure(const OutputFailure& failure) {
    if (failure.error != EPIPE) {
        PrintError("h8: cannot write to standard output: " +
                   std::generic_category().message(failure.error));
    }
    return 1;
}

void ApplyOptions(const h8::Invocation& invocation) {
    modOptions::HSpaces = invocation.hSpaces;
    modOptions::VSpaces = invocation.vSpaces;
    modOptions::PageWidth = invocation.pageWidth.value_or(modOptions::kDefaultPageWidth);
}

// Prints the banner of the line in the output form, placed within the columns that
// the bands fit (none: the page width).
void PrintBanner(const h8::Invocation& invocation, const h8::Line& line,
                 std::optional<std::int16_t> columns, std::string_view banner) {
    const std::int16_t width = columns.value_or(modOptions::PageWidth);
    mod8Zevazuv::WriteBanner(invocation.form, line.text, width, banner, PrintOut);
}

// Composes the page to print: bands that fit the columns, or cut by the page width.
// False when the line is too wide to enlarge.
bool ComposePrintedPage(const h8::Line& line, std::optional<std::int16_t> columns) {
    if (columns) {
        return mod8Zevazuv::ComposeFittingPage(line.text, *columns);
    }
    return mod8Zevazuv::ComposePage(line.text);
}

// Shows, saves or prints one line within the columns; false when it is too wide to
// enlarge. Throws platform::OutputError and OutputFailure.
bool ShowSaveOrPrint(const h8::Invocation& invocation, const h8::Line& line,
                     std::optional<std::int16_t> columns, platform::FileSystem& files) {
    if (invocation.show) {
        if (!mod8Zevazuv::RenderLine(line.text)) {
            return false;
        }
        // An empty line prints nothing, as its page is empty: no eight empty rows, no
        // element or block around them.
        if (!line.text.empty()) {
            PrintBanner(invocation, line, columns, mod8Zevazuv::BandText);
        }
    }
    if (invocation.save) {
        if (!mod8Zevazuv::ComposePage(line.text)) {
            return false;
        }
        modMain::WriteBannerFile(files, line.text, mod8Zevazuv::PageText);
    } else if (!invocation.show) {
        if (!ComposePrintedPage(line, columns)) {
            return false;
        }
        PrintBanner(invocation, line, columns, mod8Zevazuv::PageText);
    }
    return true;
}

// Prints, shows or saves one line within the columns; returns the exit status it earns.
int Enlarge(const h8::Invocation& invocation, const h8::Line& line,
            std::optional<std::int16_t> columns, platform::FileSystem& files) {
    if (!invocation.quiet && !line.report.Text().empty()) {
        PrintError("h8: " + line.report.Text());
    }
    try {
        if (!ShowSaveOrPrint(invocation, line, columns, files)) {
            PrintError("h8: " + mod8Zevazuv::OverflowMessage(line.length, line.characters));
            return 1;
        }
    } catch (const platform::OutputError& error) {
        PrintError(std::string("h8: ") + error.what());
        return 1;
    } catch (const std::bad_alloc&) {
        // A temporary file of the save is removed as the exception leaves; the next
        // line may still fit.
        PrintError("h8: cannot enlarge the line of " + std::to_string(line.characters) +
                   " characters: not enough memory");
        return 1;
    }
    return 0;
}

// The one line that the words make, joined by single blanks.
h8::Line WordsLine(const std::vector<std::u16string>& words) {
    h8::Line line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) {
            line.Add(u' ');
        }
        for (char16_t c : words[i]) {
            line.Add(c);
        }
    }
    return line;
}

// Enlarges every line of standard input; a failed read ends the lines with status 1.
// What was printed is flushed before each read that may wait, so that each line's
// banner is out as soon as the line is complete, and long input still goes out in
// blocks. The columns are looked up once, and again for each line while a terminal
// gives them, so that a pipe or a file costs no call for each line.
int EnlargeInput(const h8::Invocation& invocation, platform::FileSystem& files) {
    int status = 0;
    h8::LineReader reader(stdin, FlushOut);
    h8::Line line;
    std::optional<h8::Columns> columns;
    try {
        while (reader.Next(line)) {
            if (!columns || columns->fromTerminal) {
                columns = h8::PrintedColumns(invocation);
            }
            status = std::max(status, Enlarge(invocation, line, columns->count, files));
        }
    } catch (const h8::InputError& error) {
        PrintError(std::string("h8: cannot read standard input: ") + error.what());
        return 1;
    }
    return status;
}

// Does what the invocation asks; returns the exit status it earns.
int CarryOut(const h8::Invocation& invocation) {
    if (invocation.help || invocation.version) {
        PrintOut(mod8Zevazuv::WithLineEnds(invocation.help ? h8::kUsage
                                                           : "h8 (Loftype) " LOFTYPE_VERSION "\n",
                                           invocation.form.lineEnd));
        return 0;
    }
    ApplyOptions(invocation);
    modMain::InitEngine();
    if (invocation.exportFont) {
        PrintOut(mod8Zevazuv::WithLineEnds(mod8Zevazuv::FigfontText(), invocation.form.lineEnd));
        return 0;
    }
    std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystemObject();
    if (invocation.words.empty()) {
        return EnlargeInput(invocation, *files);
    }
    return Enlarge(invocation, WordsLine(invocation.words), h8::PrintedColumns(invocation).count,
                   *files);
}

int Run(const std::vector<std::u16string>& arguments) {
    h8::UseBinaryStandardStreams();
#ifdef SIGXFSZ
    // A file-size limit makes a write fail with "File too large", which h8 reports,
    // instead of ending h8.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    h8::Parsed parsed = h8::ParseArguments(arguments);
    if (!parsed.invocation) {
        PrintError(parsed.error);
        return 2;
    }
    try {
        const int status = CarryOut(*parsed.invocation);
        FlushOut();
        return status;
    } catch (const OutputFailure& failure) {
        return ReportOutputFailure(failure);
    } catch (const std::bad_alloc&) {
        PrintError("h8: not enough memory");
        return 1;
    }
}

} // namespace

#ifdef _WIN32
// The arguments as the system holds them, UTF-16, whatever the code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        arguments.emplace_back(argument.begin(), argument.end());
    }
    return Run(arguments);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(platform::FromUtf8(argv[i]));
    }
    return Run(arguments);
}
#endif
