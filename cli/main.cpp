// h8: the banner engine for scripts and terminals.

#include "cli/h8_options.h"
#include "cli/input_lines.h"
#include "commands/banner_file.h"
#include "engine/banner.h"
#include "platform/binary_output.h"
#include "platform/checked16.h"
#include "platform/console_message.h"
#include "platform/utf8.h"
#include "settings/layout_options.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

void PrintError(const std::string& line) {
    platform::WriteMessage(line + "\n");
}

void PrintOut(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void ApplyOptions(const h8::Invocation& invocation) {
    modOptions::HSpaces = invocation.hSpaces;
    modOptions::VSpaces = invocation.vSpaces;
    modOptions::PageWidth =
        invocation.terminalWidth ? h8::TerminalPageWidth() : invocation.pageWidth;
}

// Makes room for the whole banner of a line that fits the 16-bit count at once, so
// that the page is not copied as it grows: every character takes at most its longest
// glyph row and its blanks in each of the eight rows and may end a band.
void ReservePage(std::size_t length) {
    if (length > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        return;
    }
    const std::size_t blanks = static_cast<std::size_t>(std::max(0, modOptions::HSpaces + 1));
    const std::size_t lineBreaks = static_cast<std::size_t>(std::max(0, modOptions::VSpaces + 1));
    const std::size_t perCharacter = static_cast<std::size_t>(mod8Zevazuv::kGlyphRows) *
                                         (mod8Zevazuv::kLongestGlyphRow + blanks + 2) +
                                     2 * lineBreaks;
    mod8Zevazuv::PageText.reserve(length * perCharacter);
}

// Prints, shows or saves one line; returns the exit status it earns.
int Enlarge(const h8::Invocation& invocation, const h8::Line& line, platform::FileSystem& files) {
    if (!invocation.quiet && !line.report.Text().empty()) {
        PrintError(line.report.Text());
    }
    try {
        if (invocation.show) {
            mod8Zevazuv::RenderLine(line.text);
            PrintOut(mod8Zevazuv::BandText);
        }
        if (!invocation.show || invocation.save) {
            ReservePage(line.length);
            mod8Zevazuv::ComposePage(line.text);
        }
        if (invocation.save) {
            modMain::WriteBannerFile(files, line.text, mod8Zevazuv::PageText);
        } else if (!invocation.show) {
            PrintOut(mod8Zevazuv::PageText);
        }
    } catch (const platform::Overflow&) {
        PrintError("h8: the line of " + std::to_string(line.length) +
                   " characters is too long to enlarge: " +
                   std::string(mod8Zevazuv::OverflowCause(line.length)));
        return 1;
    } catch (const platform::OutputError& error) {
        PrintError(std::string("h8: ") + error.what());
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

int Run(const std::vector<std::u16string>& arguments) {
    platform::UseBinaryStandardStreams();
    h8::Parsed parsed = h8::ParseArguments(arguments);
    if (!parsed.invocation) {
        PrintError(parsed.error);
        return 2;
    }
    const h8::Invocation& invocation = *parsed.invocation;
    if (invocation.help || invocation.version) {
        std::fputs(invocation.help ? h8::kUsage : "h8 (Loftype) 1.2\n", stdout);
        return 0;
    }
    ApplyOptions(invocation);
    modMain::InitEngine();
    std::unique_ptr<platform::FileSystem> files = platform::CreateFileSystemObject();
    if (!invocation.words.empty()) {
        return std::max(Enlarge(invocation, WordsLine(invocation.words), *files),
                        std::fflush(stdout) == 0 ? 0 : 1);
    }
    int status = 0;
    h8::LineReader reader(stdin);
    h8::Line line;
    while (reader.Next(line)) {
        status = std::max(status, Enlarge(invocation, line, *files));
    }
    return std::fflush(stdout) == 0 ? status : 1;
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
