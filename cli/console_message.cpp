#include "cli/console_message.h"

#include <cstdio>

#ifdef _WIN32
#include "platform/utf8.h"

#include <algorithm>
#include <string>
#include <windows.h>
#endif

namespace h8 {

namespace {

bool WriteBytes(std::string_view message) {
    return std::fwrite(message.data(), 1, message.size(), stderr) == message.size() &&
           std::fflush(stderr) == 0;
}

#ifdef _WIN32
// Writes in pieces the console takes at once, never parting a surrogate pair.
bool WriteToConsole(HANDLE console, std::u16string_view text) {
    constexpr std::size_t kPiece = 8192;
    while (!text.empty()) {
        std::size_t count = std::min(text.size(), kPiece);
        if (count < text.size() && platform::IsHighSurrogate(text[count - 1])) {
            --count;
        }
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(count), &written, nullptr) ||
            written == 0) {
            return false;
        }
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
    return true;
}
#endif

} // namespace

bool WriteMessage(std::string_view message) {
#ifdef _WIN32
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode)) {
        return std::fflush(stderr) == 0 && WriteToConsole(error, platform::FromUtf8(message));
    }
#endif
    return WriteBytes(message);
}

} // namespace h8
