#pragma once

#include "engine/figfont.h"

#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

// FIGfont control files (.flc): translations of the text's character codes before they
// are looked up in the font. Input in UTF-8 is all they may ask for; the other input
// encodings (h, j, b and the ISO 2022 g commands) are refused.
namespace figfont {

// Codes first to last become to, to + 1, and so on.
struct Translation {
    std::int32_t first = 0;
    std::int32_t last = 0;
    std::int32_t to = 0;
};

// In each stage the first translation that takes a code translates it; the stages
// follow one another, as "f" separates them.
struct ControlFile {
    std::vector<std::vector<Translation>> stages;

    std::int32_t Translate(std::int32_t code) const;
};

// Reads a control file from its bytes, plain or zipped. As figlet, it takes a line that
// does not begin with a command for a comment.
std::variant<ControlFile, FontError> ReadControlFile(std::string_view bytes);

} // namespace figfont
