#pragma once

#include "settings/layout_options.h"

#include <QStringList>
#include <cstdint>
#include <optional>

namespace h8 {

struct Invocation {
    std::int16_t hSpaces = modOptions::kDefaultHSpaces;
    std::int16_t vSpaces = modOptions::kDefaultVSpaces;
    std::int16_t pageWidth = modOptions::kDefaultPageWidth;
    bool quiet = false;
    bool show = false;
    bool save = false;
    bool help = false;
    bool version = false;
    // The words of the line; none means: read the lines from standard input.
    QStringList words;
};

// The outcome of reading the arguments: the invocation, or the one line that says
// what is wrong with them.
struct Parsed {
    std::optional<Invocation> invocation;
    QString error;
};

// Reads the arguments after the program name.
Parsed ParseArguments(const QStringList& arguments);

extern const char* const kUsage;

} // namespace h8
