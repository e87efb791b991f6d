#include "platform/ansi.h"

#include <array>

namespace platform {
namespace {

constexpr std::int16_t kUnmappable = 63;

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes that the set leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

std::int16_t AnsiCodeBeyondAscii(char16_t unit) {
    if (unit >= 0xA0 && unit <= 0xFF) {
        return static_cast<std::int16_t>(unit);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == unit) {
            return static_cast<std::int16_t>(0x80 + i);
        }
    }
    return kUnmappable;
}

} // namespace platform
