#pragma once

#include <array>
#include <cstdint>
#include <string>

// The banner font: for each of the 77 drawable characters a figure eight rows high
// and the number of columns it counts for. Rows are addressed (character index, row)
// with row 0 the bottom row and row 7 the top row. A glyph's width is always taken
// from its width table, never from the length of its rows: six glyphs have rows of
// another length than their width, and both stay as the font gives them.
namespace mod8Zevazuv {

inline constexpr int kGlyphRows = 8;
inline constexpr int kCapitalCount = 26;
inline constexpr int kLowercaseCount = 26;
inline constexpr int kDigitCount = 10;
inline constexpr int kSymbolCount = 15;

using GlyphRows = std::array<std::string, kGlyphRows>;

// The length of the longest row of any glyph.
extern const std::size_t kLongestGlyphRow;

extern std::array<GlyphRows, kCapitalCount> CapitalGlyphs;
extern std::array<GlyphRows, kLowercaseCount> LowercaseGlyphs;
extern std::array<GlyphRows, kDigitCount> DigitGlyphs;
extern std::array<GlyphRows, kSymbolCount> SymbolGlyphs;

extern std::array<std::int16_t, kCapitalCount> CapitalWidths;
extern std::array<std::int16_t, kLowercaseCount> LowercaseWidths;
extern std::array<std::int16_t, kDigitCount> DigitWidths;
// Symbol widths are kept as decimal text ("6") and read as a number when used.
extern std::array<std::string, kSymbolCount> SymbolWidths;

// Each fills its own glyph table and width table, and touches no other.
void InitCapitals();
void InitLowercase();
void InitDigits();
void InitSymbols();

} // namespace mod8Zevazuv
