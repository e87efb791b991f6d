#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace modOptions {

// The decimal separator unless another is given: a point, whatever the user's
// language, so that a script's numbers keep their meaning everywhere. The Options
// dialog passes its locale's own.
inline constexpr char16_t kDecimalPoint = u'.';

// Reads a numeric text: blanks around it, an optional sign, digits with an optional
// fraction after the decimal separator, an optional exponent ("1e1" is ten). At least
// one digit must stand before the exponent; an empty text is not numeric. Numbers too
// large for a double read as infinite, too small ones as zero.
std::optional<double> ReadNumber(std::u16string_view text,
                                 char16_t decimalSeparator = kDecimalPoint);

// Rounds to the nearest integer, an exact half to the even neighbour; empty when the
// result does not fit a signed 16-bit integer.
std::optional<std::int16_t> RoundToInt16(double value);

// ReadNumber followed by RoundToInt16.
std::optional<std::int16_t> ReadInt16(std::u16string_view text,
                                      char16_t decimalSeparator = kDecimalPoint);

// True when the text is numeric and its number, before rounding, lies in 0..12.
bool IsValidSpacing(std::u16string_view value, char16_t decimalSeparator = kDecimalPoint);

// A spacing value (blanks or empty lines, less one) as h8 and the web page take it:
// IsValidSpacing followed by ReadInt16; empty when the text is refused.
std::optional<std::int16_t> ReadSpacing(std::u16string_view text,
                                        char16_t decimalSeparator = kDecimalPoint);

} // namespace modOptions
