#pragma once

#include "engine/font.h"

#include <cstdint>
#include <string_view>

// Which glyph set a character belongs to, decided on the Windows-1252 code of the
// first character of a non-empty text. Nothing is compared as text or case-folded.
namespace mod8Zevazuv {

bool IsDigit(std::u16string_view text);     // codes 48..57
bool IsCapital(std::u16string_view text);   // codes 65..90
bool IsLowercase(std::u16string_view text); // codes 97..122
bool IsSymbol(std::u16string_view text);    // every code but 0

// Index 0..14 in the symbol list; -1 for the character of code 0; 0 (the blank) for
// every other character, so that anything outside the font is drawn as a blank.
std::int16_t SymbolIndex(std::u16string_view text);

// True for the font's 77 own characters: the digits, the letters and the listed
// symbols. A character that is only drawn as the blank or as "?" is not in it.
bool InFont(char16_t character);

// The glyph of one character: its eight rows and the width it counts for.
struct Glyph {
    const GlyphRows* rows = nullptr; // null for the character of code 0
    std::int16_t width = 0;
};

// Looks a character up with the class tests above, in their order: IsDigit, IsCapital,
// IsLowercase, IsSymbol, then SymbolIndex.
Glyph LookUpGlyph(char16_t character);

} // namespace mod8Zevazuv
