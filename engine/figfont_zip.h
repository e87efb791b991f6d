#pragma once

#include "engine/figfont.h"

#include <string>
#include <string_view>
#include <variant>

// The ZIP archives that FIGfonts are compressed in: the first member is the font.
namespace figfont {

// True when the bytes begin as a ZIP archive does.
bool IsZipArchive(std::string_view bytes);

// The first member of the archive as found through its central directory, stored or
// deflated, checked against its sizes and its CRC and at most kMaxFontBytes long.
std::variant<std::string, FontError> FirstZipMember(std::string_view archive);

} // namespace figfont
