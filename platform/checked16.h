#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace platform {

// The one checked helper: an exact result narrowed to 16 bits, or nothing when it
// would leave -32768..32767. It never wraps and never throws, so that the builds
// without exceptions (WebAssembly) share it.
[[nodiscard]] inline std::optional<std::int16_t> Checked16(std::int64_t exact) {
    if (exact < std::numeric_limits<std::int16_t>::min() ||
        exact > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(exact);
}

[[nodiscard]] inline std::optional<std::int16_t> Add16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} + b);
}
[[nodiscard]] inline std::optional<std::int16_t> Sub16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} - b);
}
[[nodiscard]] inline std::optional<std::int16_t> Mul16(std::int16_t a, std::int16_t b) {
    return Checked16(std::int64_t{a} * b);
}

} // namespace platform
