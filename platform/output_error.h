#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// A failure of the platform's output that the user must hear of; what() says in one
// sentence (UTF-8) what failed and why, with the path.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the system says about one of its error codes (errno on POSIX, GetLastError()
// on Windows), without the full stop it may add. A code that means success is no
// reason: it is never shown as one.
std::string SystemReason(int code);

// Text (UTF-8) as a message shows it: every control character and every invisible
// format character (the marks and overrides of direction, the zero-width joiners and
// spaces, the soft hyphen...) written as an escape (\x1b, \u009b, \u202e,
// \U000e0041), so that no message can move a terminal's cursor, change it or reorder
// the text.
std::string ShownText(std::string_view utf8);

// A path as a message shows it, in UTF-8 through ShownText: one longer than longest
// units keeps its start and end around an ellipsis, longest units in all, and no
// character is cut in two.
std::string ShownPath(std::u16string_view path, std::size_t longest = 64);

} // namespace platform
