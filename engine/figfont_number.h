#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace figfont {

// A number in C's notation at the start of the text, as font code tags and control
// files write them: decimal, octal after "0", hexadecimal after "0x", each perhaps
// after "-"; with how many characters it took. None when no digit starts the text or
// the number does not fit in 32 bits.
struct ReadNumber {
    std::int32_t value = 0;
    std::size_t length = 0;
};

inline std::optional<ReadNumber> ReadCNumber(std::string_view text) {
    std::size_t at = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    int base = 10;
    if (text.substr(at, 2) == "0x" || text.substr(at, 2) == "0X") {
        base = 16;
        at += 2;
    } else if (text.substr(at, 1) == "0") {
        base = 8;
    }
    std::int64_t magnitude = 0;
    const char* start = text.data() + at;
    auto [end, error] = std::from_chars(start, text.data() + text.size(), magnitude, base);
    std::int64_t value = text.starts_with('-') ? -magnitude : magnitude;
    if (error != std::errc{} || value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return ReadNumber{static_cast<std::int32_t>(value),
                      static_cast<std::size_t>(end - text.data())};
}

} // namespace figfont
