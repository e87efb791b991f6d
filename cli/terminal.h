#pragma once

#include <optional>

namespace h8 {

// The number of columns of the terminal that standard output goes to; empty when it
// goes elsewhere (a file, a pipe).
std::optional<int> TerminalColumns();

} // namespace h8
