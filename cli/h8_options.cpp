#include "cli/h8_options.h"

#include "cli/h8_option_list.h"
#include "cli/terminal.h"
#include "platform/utf8.h"
#include "settings/numeric_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <variant>

namespace h8 {

using mod8Zevazuv::Align;
using mod8Zevazuv::Format;
using mod8Zevazuv::LineEnd;
using mod8Zevazuv::OutputForm;

// The rows of the options come from h8's option list, cli/h8_option_list.cmake; "--"
// ends the options and is none of them, so its row is written here.
const char* const kUsage =
    R"(Usage: h8 [OPTION ...] [LINE ...]

Turns a line into a banner eight rows high, each large character drawn with
copies of itself, and prints it as the desktop program's Copy command puts it
on the clipboard, with the platform's line ends (LF; CR LF on Windows).

The words of LINE are joined by single blanks. Without LINE, every line of
standard input (UTF-8, its line end removed) becomes one banner, and one
Markdown block or HTML element.

Options:
)" H8_OPTION_HELP R"(  --                end of options: every argument after it is a word of LINE

Values go in the next argument or attached: -w80, -w 80, --width=80,
--width 80. Letters without values may be joined (-qt); a long name may be cut
short while it stays unambiguous (--wid).
Numbers may have blanks around them, a sign, a fraction and an exponent (1e1);
the decimal separator is "." whatever the locale, so a script means the same in
every language. Fractions round to the nearest whole number, a half to the even
one.
A character outside the font is drawn as a blank (or as "?" when it has no
Windows-1252 code); h8 names such characters on standard error unless -q.

Examples:
  h8 --prefix '# ' --trim 'Build 42'      a banner in a shell comment
  h8 --format markdown Hello             a banner for a chat or a README
  h8 --format html -w 80 'Welcome!'      a banner on a web page

Exit status: 0 on success, 1 when a line is too wide to enlarge, its file
cannot be saved or standard input or output fails, 2 for a bad option or value.
)";

namespace {

std::string Quoted(std::u16string_view text) {
    return "\"" + platform::ToUtf8(text) + "\"";
}

std::string BadValue(std::string_view option, std::string_view allowed, std::u16string_view value) {
    return "h8: " + std::string(option) + " takes " + std::string(allowed) + ", not " +
           Quoted(value);
}

std::string ReadSpacing(std::string_view option, std::u16string_view value, std::int16_t& to) {
    const std::optional<std::int16_t> spacing = modOptions::ReadSpacing(value, u'.');
    if (!spacing) {
        return BadValue(option, "a number from 0 to 12", value);
    }
    to = *spacing;
    return {};
}

std::string ReadWidth(std::string_view option, std::u16string_view value, Invocation& invocation) {
    invocation.pageWidth = modOptions::ReadInt16(value, u'.');
    invocation.terminalWidth = false;
    return invocation.pageWidth ? std::string()
                                : BadValue(option, "a number from -32768 to 32767", value);
}

// A name of a choice, and the choice.
template <class Choice> using Named = std::pair<std::u16string_view, Choice>;

constexpr Named<Format> kFormats[] = {
    {u"text", Format::kText}, {u"markdown", Format::kMarkdown}, {u"html", Format::kHtml}};
constexpr Named<Align> kAlignments[] = {{u"left", Align::kLeft},
                                        {u"center", Align::kCenter},
                                        {u"centre", Align::kCenter},
                                        {u"right", Align::kRight}};

// Reads one of the names of a choice into to; returns an error or "".
template <class Choice, std::size_t kCount>
std::string ReadChoice(std::string_view option, const Named<Choice> (&choices)[kCount],
                       std::string_view allowed, std::u16string_view value, Choice& to) {
    for (const auto& [name, choice] : choices) {
        if (value == name) {
            to = choice;
            return {};
        }
    }
    return BadValue(option, allowed, value);
}

// Does what the option asks with its value (empty for an option that takes none),
// naming the option in the form used, short or long; returns an error or "". Each
// option of cli/h8_option_list.cmake needs its case: -Wswitch names one without.
std::string Apply(OptionId id, std::string_view option, std::u16string_view value,
                  Invocation& invocation) {
    OutputForm& form = invocation.form;
    switch (id) {
    case OptionId::kSpaces:
        return ReadSpacing(option, value, invocation.hSpaces);
    case OptionId::kLines:
        return ReadSpacing(option, value, invocation.vSpaces);
    case OptionId::kWidth:
        return ReadWidth(option, value, invocation);
    case OptionId::kTerminal:
        // The later of -t and -w counts: a width before -t is forgotten, so that
        // without a terminal or COLUMNS there is no limit.
        invocation.terminalWidth = true;
        invocation.pageWidth.reset();
        break;
    case OptionId::kQuiet:
        invocation.quiet = true;
        break;
    case OptionId::kCrlf:
        form.lineEnd = LineEnd::kCrLf;
        break;
    case OptionId::kLf:
        form.lineEnd = LineEnd::kLf;
        break;
    case OptionId::kTrim:
        form.trim = true;
        break;
    case OptionId::kPrefix:
        form.prefix = value;
        break;
    case OptionId::kFormat:
        return ReadChoice(option, kFormats, "text, markdown or html", value, form.format);
    case OptionId::kAlign:
        return ReadChoice(option, kAlignments, "left, center or right", value, form.align);
    case OptionId::kShow:
        invocation.show = true;
        break;
    case OptionId::kSave:
        invocation.save = true;
        break;
    case OptionId::kHelp:
        invocation.help = true;
        break;
    case OptionId::kVersion:
        invocation.version = true;
        break;
    case OptionId::kExportFont:
        invocation.exportFont = true;
        break;
    }
    return {};
}

std::string UnknownOption(std::string_view given) {
    return "h8: unknown option \"" + std::string(given) + "\" (try h8 --help)";
}

// The option a long name gives: its whole name, or the start of one name alone. A
// failure names the option as given.
std::variant<const OptionName*, std::string> FindLong(std::u16string_view name,
                                                      std::u16string_view given) {
    std::vector<const OptionName*> starting;
    for (const OptionName& option : kOptionNames) {
        if (option.name == name) {
            return &option;
        }
        if (!name.empty() && option.name.starts_with(name)) {
            starting.push_back(&option);
        }
    }
    if (starting.size() == 1) {
        return starting.front();
    }
    if (starting.empty()) {
        return UnknownOption("--" + platform::ToUtf8(given));
    }
    std::string names;
    for (const OptionName* option : starting) {
        names += (names.empty() ? "" : ", ") + ("--" + platform::ToUtf8(option->name));
    }
    return "h8: option \"--" + platform::ToUtf8(given) + "\" is ambiguous: " + names;
}

const OptionName* FindShort(char16_t letter) {
    for (const OptionName& option : kOptionNames) {
        if (option.letter != 0 && option.letter == letter) {
            return &option;
        }
    }
    return nullptr;
}

// Reads the arguments one by one, options first wherever they stand.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::u16string>& arguments) : arguments_(arguments) {}

    Parsed Read() {
        for (at_ = 0; at_ < arguments_.size(); ++at_) {
            std::u16string_view argument = arguments_[at_];
            std::string error;
            if (optionsEnded_ || argument.size() < 2 || argument[0] != u'-') {
                invocation_.words.emplace_back(argument);
            } else if (argument == u"--") {
                optionsEnded_ = true;
            } else if (argument.starts_with(u"--")) {
                error = ReadLong(argument.substr(2));
            } else {
                error = ReadShort(argument.substr(1));
            }
            if (!error.empty()) {
                return {std::nullopt, error};
            }
        }
        return {invocation_, {}};
    }

private:
    // --name, --name=value or --name value; "--=value" has no name, and is named whole.
    std::string ReadLong(std::u16string_view argument) {
        const std::size_t equals = argument.find(u'=');
        const std::u16string_view typed = argument.substr(0, equals);
        std::variant<const OptionName*, std::string> found =
            FindLong(typed, typed.empty() ? argument : typed);
        if (std::holds_alternative<std::string>(found)) {
            return std::get<std::string>(found);
        }
        const OptionName& option = *std::get<const OptionName*>(found);
        const std::string name = "--" + platform::ToUtf8(option.name);
        if (equals == std::u16string_view::npos) {
            return Use(option, name, {});
        }
        if (!option.takesValue) {
            return "h8: " + name + " takes no value";
        }
        return Apply(option.id, name, argument.substr(equals + 1), invocation_);
    }

    // One or more letters: -q, -qt, -w80, -w 80, -qw80.
    std::string ReadShort(std::u16string_view letters) {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const OptionName* option = FindShort(letters[i]);
            // A letter beyond U+FFFF is named whole, though no option has it.
            const bool pair =
                i + 1 < letters.size() && platform::EndsPair(letters[i], letters[i + 1]);
            const std::string name = "-" + platform::ToUtf8(letters.substr(i, pair ? 2 : 1));
            if (option == nullptr) {
                return UnknownOption(name);
            }
            if (option->takesValue) {
                return Use(*option, name, letters.substr(i + 1));
            }
            std::string error = Apply(option->id, name, {}, invocation_);
            if (!error.empty()) {
                return error;
            }
        }
        return {};
    }

    // Applies the option, with the value attached to it or else the next argument.
    std::string Use(const OptionName& option, const std::string& name,
                    std::u16string_view attached) {
        if (!option.takesValue || !attached.empty()) {
            return Apply(option.id, name, attached, invocation_);
        }
        if (at_ + 1 == arguments_.size()) {
            return "h8: " + name + " needs a value";
        }
        return Apply(option.id, name, arguments_[++at_], invocation_);
    }

    const std::vector<std::u16string>& arguments_;
    std::size_t at_ = 0;
    bool optionsEnded_ = false;
    Invocation invocation_;
};

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

Columns ScreenColumns() {
    if (std::optional<int> columns = h8::TerminalColumns()) {
        return {static_cast<std::int16_t>(std::clamp(*columns, 1, 32767)), true};
    }
    return {};
}

} // namespace

Parsed ParseArguments(const std::vector<std::u16string>& arguments) {
    return ArgumentReader(arguments).Read();
}

Columns PrintedColumns(const Invocation& invocation) {
    if (invocation.terminalWidth) {
        const Columns columns = ScreenColumns();
        return columns.fromTerminal ? columns : Columns{ColumnsVariable(), false};
    }
    return invocation.pageWidth ? Columns{} : ScreenColumns();
}

} // namespace h8
