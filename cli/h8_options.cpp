#include "cli/h8_options.h"

#include "platform/terminal.h"
#include "platform/utf8.h"
#include "settings/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace h8 {

const char* const kUsage =
    R"(Usage: h8 [-s N] [-l N] [-w N | -t] [-q] [--show] [--save] [LINE ...]

Turns a line into a banner eight rows high, each large character drawn with
copies of itself, and prints it exactly as the desktop program's Copy command
puts it on the clipboard (CR LF line ends).

The words of LINE are joined by single blanks. Without LINE, every line of
standard input (UTF-8, its line end removed) becomes one banner.

Options:
  -s N      blanks after each large character, less one: 0 to 12 (default 1,
            which writes two blanks)
  -l N      empty lines after each band, less one: 0 to 12 (default 1, which
            writes two empty lines)
  -w N      page width in small characters: a line wider than that is cut into
            bands; any number from -32768 to 32767, and below 1 means no limit
            (default -1)
  -t        page width = the columns of the terminal on standard output, else
            the number in COLUMNS, else the default; of -t and -w the later
            one counts
  -q        say nothing about characters that the font does not have
  --show    print the line as one band, as the Show command displays it
  --save    write the banner to Files/<line>.txt under the current directory,
            as the Save command does, and print nothing
  --help    print this help and exit
  --version print the version and exit
  --        end of options: every argument after it is a word of LINE

Numbers may have blanks around them, a sign, a fraction and an exponent (1e1);
the decimal separator is "." whatever the locale, so a script means the same in
every language. Fractions round to the nearest whole number, a half to the even
one.
A character outside the font is drawn as a blank (or as "?" when it has no
Windows-1252 code); h8 names such characters on standard error unless -q.

Exit status: 0 on success, 1 when a line is too wide to enlarge, its file
cannot be saved or standard input or output fails, 2 for a bad option or value.
)";

namespace {

std::optional<std::int16_t> ReadSpacing(std::u16string_view text) {
    return modOptions::IsValidSpacing(text, u'.') ? modOptions::ReadInt16(text, u'.')
                                                  : std::nullopt;
}

std::string BadValue(std::u16string_view flag, const char* range, std::u16string_view value) {
    return "h8: " + platform::ToUtf8(flag) + " takes a number from " + range + ", not \"" +
           platform::ToUtf8(value) + "\"";
}

// Reads the value of a numeric option into the invocation; returns an error or "".
std::string ReadValue(std::u16string_view flag, std::u16string_view value, Invocation& invocation) {
    if (flag == u"-w") {
        std::optional<std::int16_t> width = modOptions::ReadInt16(value, u'.');
        if (!width) {
            return BadValue(flag, "-32768 to 32767", value);
        }
        invocation.pageWidth = *width;
        invocation.terminalWidth = false;
        return {};
    }
    std::optional<std::int16_t> spacing = ReadSpacing(value);
    if (!spacing) {
        return BadValue(flag, "0 to 12", value);
    }
    (flag == u"-s" ? invocation.hSpaces : invocation.vSpaces) = *spacing;
    return {};
}

bool SetFlag(std::u16string_view argument, Invocation& invocation) {
    const std::pair<std::u16string_view, bool Invocation::*> flags[] = {
        {u"-q", &Invocation::quiet},        {u"--show", &Invocation::show},
        {u"--save", &Invocation::save},     {u"--help", &Invocation::help},
        {u"-h", &Invocation::help},         {u"--version", &Invocation::version},
        {u"-t", &Invocation::terminalWidth}};
    for (const auto& [name, member] : flags) {
        if (argument == name) {
            invocation.*member = true;
            return true;
        }
    }
    return false;
}

bool IsValueFlag(std::u16string_view argument) {
    return argument == u"-s" || argument == u"-l" || argument == u"-w";
}

std::optional<std::int16_t> ColumnsVariable() {
    const char* variable = std::getenv("COLUMNS");
    const std::string_view text = variable == nullptr ? "" : variable;
    int columns = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), columns);
    if (error != std::errc() || end != text.data() + text.size() || columns < 1) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(std::min(columns, 32767));
}

} // namespace

Parsed ParseArguments(const std::vector<std::u16string>& arguments) {
    Invocation invocation;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != u'-') {
            invocation.words.push_back(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (IsValueFlag(argument)) {
            if (i + 1 == arguments.size()) {
                return {std::nullopt, "h8: " + platform::ToUtf8(argument) + " needs a value"};
            }
            std::string error = ReadValue(argument, arguments[++i], invocation);
            if (!error.empty()) {
                return {std::nullopt, error};
            }
        } else if (!SetFlag(argument, invocation)) {
            return {std::nullopt,
                    "h8: unknown option \"" + platform::ToUtf8(argument) + "\" (try h8 --help)"};
        }
    }
    return {invocation, {}};
}

std::int16_t TerminalPageWidth() {
    if (std::optional<int> columns = platform::TerminalColumns()) {
        return static_cast<std::int16_t>(std::clamp(*columns, 1, 32767));
    }
    return ColumnsVariable().value_or(modOptions::kDefaultPageWidth);
}

} // namespace h8
