#include "cli/terminal.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace h8 {

std::optional<int> TerminalColumns() {
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO console{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &console)) {
        return console.srWindow.Right - console.srWindow.Left + 1;
    }
#else
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
#endif
    return std::nullopt;
}

} // namespace h8
