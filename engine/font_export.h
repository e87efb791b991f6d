#pragma once

#include <string>

// The built-in font as a FIGfont (flf2a), for programs that read FIGfonts: each of its
// characters drawn as the line renderer draws it alone with the default spacing, the
// blanks after it included, every blank a hardblank, so that such a program at full
// width draws a line as the renderer does. A required character outside the font has
// an empty figure; no other is written. Lines end with LF. Needs modMain::InitEngine.
namespace mod8Zevazuv {
std::string FigfontText();
} // namespace mod8Zevazuv
