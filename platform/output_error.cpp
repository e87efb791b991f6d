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

namespace {

// The escape that shows a character in a message, or "" for a character shown as it
// is: the controls, C0 and C1, and the format characters, which draw nothing and may
// reorder the text around them.
std::string EscapeOf(char32_t code) {
    const bool control = code < 0x20 || code == 0x7F;
    if (!control && !(code >= 0x80 && code <= 0x9F) && !IsFormatCharacter(code)) {
        return {};
    }
    char escape[12];
    if (control) {
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(code));
    } else {
        std::snprintf(escape, sizeof escape, code > 0xFFFF ? "\\U%08x" : "\\u%04x",
                      static_cast<unsigned>(code));
    }
    return escape;
}

} // namespace

// Bytes that are no UTF-8 stay as they are: a terminal draws them as replacements.
std::string ShownText(std::string_view utf8) {
    std::string shown;
    while (!utf8.empty()) {
        const auto lead = static_cast<unsigned char>(utf8[0]);
        const utf8_detail::Sequence sequence =
            lead < 0x80 ? utf8_detail::Sequence{lead, 1} : utf8_detail::ReadSequence(utf8);
        const std::size_t length = static_cast<std::size_t>(std::max(sequence.length, 1));
        const std::string escape = sequence.length > 0 ? EscapeOf(sequence.code) : "";
        shown += escape.empty() ? utf8.substr(0, length) : escape;
        utf8.remove_prefix(length);
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
