#include "engine/character_classes.h"

#include "platform/ansi.h"

#include <array>
#include <charconv>

namespace mod8Zevazuv {
namespace {

constexpr std::array<std::int16_t, kSymbolCount> kSymbolCodes = {
    32 /* blank */, 46 /* . */, 63 /* ? */, 33 /* ! */, 44 /* , */,
    45 /* - */,     40 /* ( */, 41 /* ) */, 91 /* [ */, 93 /* ] */,
    92 /* \ */,     47 /* / */, 95 /* _ */, 43 /* + */, 61 /* = */};

std::int16_t FirstCode(std::u16string_view text) {
    return platform::AnsiCode(text.front());
}

bool InRange(std::int16_t code, char first, char last) {
    return code >= first && code <= last;
}

// The index of the code in the symbol list, or -1 when it is not there.
std::int16_t FindSymbol(std::int16_t code) {
    for (std::size_t i = 0; i < kSymbolCodes.size(); ++i) {
        if (kSymbolCodes[i] == code) {
            return static_cast<std::int16_t>(i);
        }
    }
    return -1;
}

// Symbol widths are held as text; read the number when it is needed.
std::int16_t SymbolWidth(std::int16_t index) {
    const std::string& text = SymbolWidths[index];
    std::int16_t width = 0;
    std::from_chars(text.data(), text.data() + text.size(), width);
    return width;
}

} // namespace

bool IsDigit(std::u16string_view text) {
    return InRange(FirstCode(text), '0', '9');
}
bool IsCapital(std::u16string_view text) {
    return InRange(FirstCode(text), 'A', 'Z');
}
bool IsLowercase(std::u16string_view text) {
    return InRange(FirstCode(text), 'a', 'z');
}
bool IsSymbol(std::u16string_view text) {
    return SymbolIndex(text) >= 0;
}

std::int16_t SymbolIndex(std::u16string_view text) {
    const std::int16_t code = FirstCode(text);
    const std::int16_t index = FindSymbol(code);
    return index >= 0 || code == 0 ? index : 0;
}

bool InFont(char16_t character) {
    const std::int16_t code = platform::AnsiCode(character);
    return code == character && (InRange(code, '0', '9') || InRange(code, 'A', 'Z') ||
                                 InRange(code, 'a', 'z') || FindSymbol(code) >= 0);
}

Glyph LookUpGlyph(char16_t character) {
    const std::u16string_view text(&character, 1);
    const std::int16_t code = FirstCode(text);
    if (IsDigit(text)) {
        return {&DigitGlyphs[code - '0'], DigitWidths[code - '0']};
    }
    if (IsCapital(text)) {
        return {&CapitalGlyphs[code - 'A'], CapitalWidths[code - 'A']};
    }
    if (IsLowercase(text)) {
        return {&LowercaseGlyphs[code - 'a'], LowercaseWidths[code - 'a']};
    }
    if (!IsSymbol(text)) {
        return {};
    }
    const std::int16_t index = SymbolIndex(text);
    return {&SymbolGlyphs[index], SymbolWidth(index)};
}

} // namespace mod8Zevazuv
