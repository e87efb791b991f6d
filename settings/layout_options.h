#pragma once

#include <cstdint>

// The three layout options: process-wide, kept in memory only. The engine reads them
// afresh at every use; only the Options dialog writes them. The defaults stand here
// so that a program or a tool without the dialog starts from the same values.
namespace modOptions {

inline constexpr std::int16_t kDefaultHSpaces = 1;
inline constexpr std::int16_t kDefaultVSpaces = 1;
inline constexpr std::int16_t kDefaultPageWidth = -1;

// The range of a spacing value (HSpaces, VSpaces) that IsValidSpacing accepts.
inline constexpr std::int16_t kLeastSpacing = 0;
inline constexpr std::int16_t kMostSpacing = 12;

// Blanks after each large character, less one (the renderer writes HSpaces + 1).
inline std::int16_t HSpaces = kDefaultHSpaces;
// Empty lines after each band, less one (the composer writes VSpaces + 1).
inline std::int16_t VSpaces = kDefaultVSpaces;
// Page width in small characters; below 1 means no limit.
inline std::int16_t PageWidth = kDefaultPageWidth;

// Puts the three options back to their defaults.
void SetDefaultOptions();

} // namespace modOptions
