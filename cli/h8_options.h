#pragma once

#include "engine/output_forms.h"
#include "settings/layout_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace h8 {

struct Invocation {
    std::int16_t hSpaces = modOptions::kDefaultHSpaces;
    std::int16_t vSpaces = modOptions::kDefaultVSpaces;
    // The page width that -w gives; none: the terminal's, or no limit.
    std::optional<std::int16_t> pageWidth;
    // -t given after any -w: the bands fit the terminal.
    bool terminalWidth = false;
    bool quiet = false;
    bool show = false;
    bool save = false;
    bool help = false;
    bool version = false;
    bool exportFont = false;
    mod8Zevazuv::OutputForm form;
    // The words of the line; none means: read the lines from standard input.
    std::vector<std::u16string> words;
};

// The outcome of reading the arguments: the invocation, or the one line (UTF-8) that
// says what is wrong with them.
struct Parsed {
    std::optional<Invocation> invocation;
    std::string error;
};

// Reads the arguments after the program name. Numbers take "." as their decimal
// separator whatever the locale, so that a script means the same everywhere.
Parsed ParseArguments(const std::vector<std::u16string>& arguments);

// The columns that printed bands must fit in; none: the bands are cut by the page
// width. Those of a terminal may change as it is resized; the others stay for the run.
struct Columns {
    std::optional<std::int16_t> count;
    bool fromTerminal = false;
};

// With -t, the columns of the terminal on standard output, else those COLUMNS names;
// with no width given, those of the terminal on standard output.
Columns PrintedColumns(const Invocation& invocation);

extern const char* const kUsage;

} // namespace h8
