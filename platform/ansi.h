#pragma once

#include <cstdint>

namespace platform {

// The code of one UTF-16 unit in the Windows-1252 character set, on every host.
// Units that the set cannot represent (lone surrogates, CJK, ...) become 63 ("?").
std::int16_t AnsiCodeBeyondAscii(char16_t unit);

inline std::int16_t AnsiCode(char16_t unit) {
    return unit < 0x80 ? static_cast<std::int16_t>(unit) : AnsiCodeBeyondAscii(unit);
}

} // namespace platform
