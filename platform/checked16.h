#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>

namespace platform {

// Raised when a signed 16-bit sum, difference or product would leave -32768..32767.
class Overflow : public std::overflow_error {
public:
    Overflow() : std::overflow_error("Overflow") {}
};

// The one checked helper: narrows an exact result to 16 bits or throws Overflow.
inline std::int16_t Checked16(std::int64_t exact) {
    if (exact < std::numeric_limits<std::int16_t>::min() ||
        exact > std::numeric_limits<std::int16_t>::max()) {
        throw Overflow();
    }
    return static_cast<std::int16_t>(exact);
}

inline std::int16_t Add16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} + b);
}
inline std::int16_t Sub16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} - b);
}
inline std::int16_t Mul16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} * b);
}

} // namespace platform
