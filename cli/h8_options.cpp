#include "cli/h8_options.h"

#include "settings/numeric_text.h"

namespace h8 {

const char* const kUsage =
    R"(Usage: h8 [-s N] [-l N] [-w N] [-q] [--show] [--save] [LINE ...]

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
  -q        say nothing about characters that the font does not have
  --show    print the line as one band, as the Show command displays it
  --save    write the banner to Files/<line>.txt under the current directory,
            as the Save command does, and print nothing
  --help    print this help and exit
  --version print the version and exit
  --        end of options: every argument after it is a word of LINE

Numbers may have blanks around them, a sign, a fraction and an exponent (1e1);
fractions round to the nearest whole number, a half to the even one.
A character outside the font is drawn as a blank (or as "?" when it has no
Windows-1252 code); h8 names such characters on standard error unless -q.

Exit status: 0 on success, 1 when a line is too wide to enlarge or its file
cannot be saved, 2 for a bad option or value.
)";

namespace {

std::optional<std::int16_t> ReadSpacing(const QString& text) {
    std::u16string value = text.toStdU16String();
    return modOptions::IsValidSpacing(value) ? modOptions::ReadInt16(value) : std::nullopt;
}

std::optional<std::int16_t> ReadPageWidth(const QString& text) {
    return modOptions::ReadInt16(text.toStdU16String());
}

QString BadValue(const QString& flag, const QString& range, const QString& value) {
    return QStringLiteral("h8: %1 takes a number from %2, not \"%3\"").arg(flag, range, value);
}

// Reads the value of a numeric option into the invocation; returns an error or "".
QString ReadValue(const QString& flag, const QString& value, Invocation& invocation) {
    if (flag == u"-w") {
        std::optional<std::int16_t> width = ReadPageWidth(value);
        if (!width) {
            return BadValue(flag, QStringLiteral("-32768 to 32767"), value);
        }
        invocation.pageWidth = *width;
        return {};
    }
    std::optional<std::int16_t> spacing = ReadSpacing(value);
    if (!spacing) {
        return BadValue(flag, QStringLiteral("0 to 12"), value);
    }
    (flag == u"-s" ? invocation.hSpaces : invocation.vSpaces) = *spacing;
    return {};
}

bool SetFlag(const QString& argument, Invocation& invocation) {
    const std::pair<const char16_t*, bool Invocation::*> flags[] = {
        {u"-q", &Invocation::quiet},    {u"--show", &Invocation::show},
        {u"--save", &Invocation::save}, {u"--help", &Invocation::help},
        {u"-h", &Invocation::help},     {u"--version", &Invocation::version}};
    for (const auto& [name, member] : flags) {
        if (argument == QStringView(name)) {
            invocation.*member = true;
            return true;
        }
    }
    return false;
}

bool IsValueFlag(const QString& argument) {
    return argument == u"-s" || argument == u"-l" || argument == u"-w";
}

} // namespace

Parsed ParseArguments(const QStringList& arguments) {
    Invocation invocation;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || !argument.startsWith(u'-')) {
            invocation.words.append(argument);
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (IsValueFlag(argument)) {
            if (i + 1 == arguments.size()) {
                return {std::nullopt, QStringLiteral("h8: %1 needs a value").arg(argument)};
            }
            QString error = ReadValue(argument, arguments[++i], invocation);
            if (!error.isEmpty()) {
                return {std::nullopt, error};
            }
        } else if (!SetFlag(argument, invocation)) {
            return {std::nullopt,
                    QStringLiteral("h8: unknown option \"%1\" (try h8 --help)").arg(argument)};
        }
    }
    return {invocation, {}};
}

} // namespace h8
