#pragma once

#include <string_view>

namespace h8 {

// Writes a message, UTF-8, to standard error. On a Windows console it goes as UTF-16
// through the console itself, so it reads right whatever the console's code page;
// anywhere else (a file, a pipe, a terminal elsewhere) as the UTF-8 bytes given.
// Returns whether all of it was written.
bool WriteMessage(std::string_view message);

} // namespace h8
