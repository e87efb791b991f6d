#include "platform/output_error.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

namespace platform {

std::string SystemReason(int code) {
    if (code == 0) {
        return "the system gave no reason";
    }
#ifdef _WIN32
    std::string reason = std::system_category().message(code);
#else
    std::string reason = std::generic_category().message(code);
#endif
    while (!reason.empty() &&
           (reason.back() == '.' || std::isspace(static_cast<unsigned char>(reason.back())))) {
        reason.pop_back();
    }
    return reason;
}

std::string ShownText(std::string_view utf8) {
    std::string shown;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        char escape[8];
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            shown += escape;
            ++i;
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

// The end keeps up to 15 units, the start the rest beside the ellipsis.
std::string ShownPath(std::u16string_view path, std::size_t longest) {
    if (path.size() <= longest) {
        return ShownText(ToUtf8(path));
    }
    const std::size_t kept = longest > 0 ? longest - 1 : 0;
    const std::size_t tailUnits = std::min<std::size_t>(15, kept);
    std::size_t head = kept - tailUnits;
    std::size_t tail = path.size() - tailUnits;
    head -= head > 0 && IsHighSurrogate(path[head - 1]) ? 1 : 0;
    tail += tailUnits > 0 && IsLowSurrogate(path[tail]) ? 1 : 0;
    return ShownText(ToUtf8(path.substr(0, head)) + "\u2026" + ToUtf8(path.substr(tail)));
}

} // namespace platform
