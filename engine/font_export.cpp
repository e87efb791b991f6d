#include "engine/font_export.h"

#include "engine/banner.h"
#include "engine/character_classes.h"
#include "settings/layout_options.h"

#include <algorithm>
#include <array>
#include <vector>

namespace mod8Zevazuv {
namespace {

// Neither is among the font's characters, so neither stands in a figure.
constexpr char kHardblank = '$';
constexpr char kEndmark = '@';

// Every FIGfont holds ASCII 32 to 126, then these seven (Ä Ö Ü ä ö ü ß).
constexpr std::array<char16_t, 7> kDeutsch = {196, 214, 220, 228, 246, 252, 223};

using Figure = std::array<std::string, kGlyphRows>;

// The character's figure, top row first: the renderer's rows with hardblanks for blanks,
// or empty rows for a character outside the font.
Figure FigureOf(char16_t character) {
    Figure figure;
    if (!InFont(character) || !RenderLine(std::u16string(1, character))) {
        return figure;
    }
    for (int row = 0; row < kGlyphRows; ++row) {
        figure[row] = Rows[kGlyphRows - 1 - row];
        std::replace(figure[row].begin(), figure[row].end(), ' ', kHardblank);
    }
    return figure;
}

std::vector<Figure> RequiredFigures() {
    const std::int16_t hSpaces = modOptions::HSpaces;
    modOptions::HSpaces = modOptions::kDefaultHSpaces;
    std::vector<Figure> figures;
    for (char16_t character = 32; character <= 126; ++character) {
        figures.push_back(FigureOf(character));
    }
    for (char16_t character : kDeutsch) {
        figures.push_back(FigureOf(character));
    }
    modOptions::HSpaces = hSpaces;
    return figures;
}

std::size_t LongestRow(const std::vector<Figure>& figures) {
    std::size_t longest = 0;
    for (const Figure& figure : figures) {
        for (const std::string& row : figure) {
            longest = std::max(longest, row.size());
        }
    }
    return longest;
}

const char* const kComments[] = {
    "Loftype's built-in font, as h8 --export-font writes it.",
    "Each character is drawn as h8 draws it with its default spacing, the two",
    "blanks after it included, as hardblanks; draw it at full width (figlet -W).",
    "Characters outside the font have empty figures.",
};

} // namespace

std::string FigfontText() {
    const std::vector<Figure> figures = RequiredFigures();
    // Header: hardblank, height, baseline, longest line with its endmarks, old layout
    // (full width), comment lines, right to left no, full layout (full width), no
    // code-tagged characters.
    std::string text = std::string("flf2a") + kHardblank + " 8 8 " +
                       std::to_string(LongestRow(figures) + 2) + " -1 " +
                       std::to_string(std::size(kComments)) + " 0 0 0\n";
    for (const char* comment : kComments) {
        text += std::string(comment) + '\n';
    }
    for (const Figure& figure : figures) {
        for (int row = 0; row < kGlyphRows; ++row) {
            text += figure[row];
            text += kEndmark;
            if (row == kGlyphRows - 1) {
                text += kEndmark; // the figure's last row ends with two
            }
            text += '\n';
        }
    }
    return text;
}

} // namespace mod8Zevazuv
