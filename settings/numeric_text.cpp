#include "settings/numeric_text.h"

#include "settings/layout_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace modOptions {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool IsDigitUnit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The parts of a numeric text, each as it was typed.
struct NumberParts {
    bool negative = false;
    std::u16string_view whole;
    std::u16string_view fraction;
    bool negativeExponent = false;
    std::u16string_view exponent;
};

std::u16string_view TakeDigits(std::u16string_view& rest) {
    std::size_t n = 0;
    while (n < rest.size() && IsDigitUnit(rest[n])) {
        ++n;
    }
    std::u16string_view digits = rest.substr(0, n);
    rest.remove_prefix(n);
    return digits;
}

bool TakeSign(std::u16string_view& rest) {
    if (!rest.empty() && (rest.front() == u'+' || rest.front() == u'-')) {
        bool negative = rest.front() == u'-';
        rest.remove_prefix(1);
        return negative;
    }
    return false;
}

std::optional<NumberParts> Split(std::u16string_view rest, char16_t separator) {
    NumberParts parts;
    parts.negative = TakeSign(rest);
    parts.whole = TakeDigits(rest);
    if (!rest.empty() && rest.front() == separator) {
        rest.remove_prefix(1);
        parts.fraction = TakeDigits(rest);
    }
    if (parts.whole.empty() && parts.fraction.empty()) {
        return std::nullopt;
    }
    if (!rest.empty() && (rest.front() == u'e' || rest.front() == u'E')) {
        rest.remove_prefix(1);
        parts.negativeExponent = TakeSign(rest);
        parts.exponent = TakeDigits(rest);
        if (parts.exponent.empty()) {
            return std::nullopt;
        }
    }
    if (!rest.empty()) {
        return std::nullopt;
    }
    return parts;
}

void AppendAscii(std::string& out, std::u16string_view digits) {
    for (char16_t c : digits) {
        out.push_back(static_cast<char>(c));
    }
}

// The exponent as a number, saturated far beyond the range of a double.
long ExponentValue(const NumberParts& parts) {
    constexpr long kSaturated = 1'000'000;
    long value = 0;
    for (char16_t c : parts.exponent) {
        value = std::min(kSaturated, value * 10 + (c - u'0'));
    }
    return parts.negativeExponent ? -value : value;
}

// The power of ten of the first significant digit, for numbers a double cannot hold.
long DecimalMagnitude(const NumberParts& parts) {
    std::size_t first = parts.whole.find_first_not_of(u'0');
    if (first != std::u16string_view::npos) {
        return static_cast<long>(parts.whole.size() - first - 1) + ExponentValue(parts);
    }
    first = parts.fraction.find_first_not_of(u'0');
    return -static_cast<long>(first + 1) + ExponentValue(parts);
}

// The double nearest to a text of digits, a point and an exponent ("12.5e3"); empty
// when it overflows or underflows to zero (a subnormal result is kept), where the
// caller falls back on infinity or zero.
std::optional<double> NearestDouble(const std::string& ascii) {
#ifdef __wasi__
    // The WebAssembly C++ library has no std::from_chars for doubles; its C library's
    // strtod rounds as exactly, and a WebAssembly module never leaves the C locale. Its
    // results out of range, infinity and zero, are those that the caller falls back on.
    return std::strtod(ascii.c_str(), nullptr);
#else
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return value;
#endif
}

double ToDouble(const NumberParts& parts) {
    std::string ascii;
    AppendAscii(ascii, parts.whole.empty() ? u"0" : parts.whole);
    ascii.push_back('.');
    AppendAscii(ascii, parts.fraction);
    ascii += 'e' + std::to_string(ExponentValue(parts));
    const double value = NearestDouble(ascii).value_or(
        DecimalMagnitude(parts) > 0 ? std::numeric_limits<double>::infinity() : 0.0);
    return parts.negative ? -value : value;
}

} // namespace

std::optional<double> ReadNumber(std::u16string_view text, char16_t decimalSeparator) {
    std::optional<NumberParts> parts = Split(Trim(text), decimalSeparator);
    if (!parts) {
        return std::nullopt;
    }
    return ToDouble(*parts);
}

std::optional<std::int16_t> RoundToInt16(double value) {
    double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> ReadInt16(std::u16string_view text, char16_t decimalSeparator) {
    std::optional<double> number = ReadNumber(text, decimalSeparator);
    return number ? RoundToInt16(*number) : std::nullopt;
}

bool IsValidSpacing(std::u16string_view value, char16_t decimalSeparator) {
    std::optional<double> number = ReadNumber(value, decimalSeparator);
    return number && *number >= kLeastSpacing && *number <= kMostSpacing;
}

std::optional<std::int16_t> ReadSpacing(std::u16string_view text, char16_t decimalSeparator) {
    return IsValidSpacing(text, decimalSeparator) ? ReadInt16(text, decimalSeparator)
                                                  : std::nullopt;
}

} // namespace modOptions
