#pragma once

#include "settings/layout_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace h8 {

struct Invocation {
    std::int16_t hSpaces = modOptions::kDefaultHSpaces;
    std::int16_t vSpaces = modOptions::kDefaultVSpaces;
    std::int16_t pageWidth = modOptions::kDefaultPageWidth;
    // -t given after any -w: the page is as wide as the terminal.
    bool terminalWidth = false;
    bool quiet = false;
    bool show = false;
    bool save = false;
    bool help = false;
    bool version = false;
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

// The page width that -t gives: the columns of the terminal on standard output, else
// those COLUMNS names, else the default.
std::int16_t TerminalPageWidth();

extern const char* const kUsage;

} // namespace h8
