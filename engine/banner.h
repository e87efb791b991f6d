#pragma once

#include "engine/font.h"

#include <cstdint>
#include <string>
#include <string_view>

// The line renderer and the page composer, and the results they leave behind. Both
// read the layout options afresh at every use; a line whose width or length leaves
// the signed 16-bit range is too wide to enlarge, and they return false for it.
namespace mod8Zevazuv {

// Slot r holds row r of the band last rendered: slot 7 the top row, slot 0 the bottom.
extern std::array<std::string, kGlyphRows> Rows;
// The band last rendered: rows 7 down to 0, each followed by CR LF.
extern std::string BandText;
// Width of the band last rendered: glyph widths plus the blanks after each character.
extern std::int16_t LastBandWidth;
// The banner last composed: every band followed by VSpaces + 1 empty lines.
extern std::string PageText;

// Renders the text as one band. On overflow Rows and BandText hold what was appended
// before the failure and LastBandWidth keeps its previous value.
[[nodiscard]] bool RenderLine(std::u16string_view text);

// Cuts the line into bands by the page width (below 1: one band) and joins their
// texts. On overflow PageText holds the bands completed before the failure.
[[nodiscard]] bool ComposePage(std::u16string_view text);

// Cuts the line into bands that each fit in the columns, the blanks after every
// character included (a character wider than the columns makes a band of its own),
// and joins their texts as ComposePage does. For a screen of that many columns,
// whatever the page width.
[[nodiscard]] bool ComposeFittingPage(std::u16string_view text, std::int16_t columns);

// Why a line of this many UTF-16 units and characters (a surrogate pair is one
// character, drawn as two "?") overflowed, as a clause for the message that reports
// it: "the line of N characters is too long to enlarge: " and the limit it passed, its
// count of units (a 16-bit count) or its banner's width.
std::string OverflowMessage(std::size_t units, std::size_t characters);
// The same for the whole line.
std::string OverflowMessage(std::u16string_view line);

} // namespace mod8Zevazuv

namespace modMain {

// Fills the font and empties the renderer's results.
void InitEngine();

} // namespace modMain
