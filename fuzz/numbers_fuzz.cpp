// The reading of numeric texts and IsValidSpacing on any UTF-16 text: the answers
// agree with one another and nothing crashes.

#include "settings/numeric_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    for (char16_t separator : {u'.', u','}) {
        const std::optional<double> number = modOptions::ReadNumber(text, separator);
        const std::optional<std::int16_t> rounded = modOptions::ReadInt16(text, separator);
        const bool spacing = modOptions::IsValidSpacing(text, separator);
        Check(!number || !std::isnan(*number));
        Check(!rounded || number);
        Check(!rounded || std::abs(*number - *rounded) <= 0.5);
        Check(!spacing || (rounded && *rounded >= 0 && *rounded <= 12));
        Check(!text.empty() || !number);
    }
    return 0;
}
