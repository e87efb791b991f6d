#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

// FIGfonts (flf2a) and their UTF-8 variant (tlf2a), plain or as the first member of a
// ZIP archive. A font is read from its bytes alone: the caller reads the file.
namespace figfont {

// The bits of a font's full layout that the renderer reads.
inline constexpr int kEqualRule = 1;
inline constexpr int kUnderscoreRule = 2;
inline constexpr int kHierarchyRule = 4;
inline constexpr int kOppositePairRule = 8;
inline constexpr int kBigXRule = 16;
inline constexpr int kHardblankRule = 32;
inline constexpr int kHorizontalRules = 63;
inline constexpr int kFitting = 64;
inline constexpr int kSmushing = 128;

// The generous limits of what is read; a font beyond them is refused.
inline constexpr int kMaxHeight = 256;
inline constexpr std::size_t kMaxRowColumns = 4096;
inline constexpr std::size_t kMaxCharacters = 65536;
inline constexpr std::size_t kMaxFontBytes = 16 * 1024 * 1024;

// One figure: its rows, top first, all as wide as the widest (shorter ones are padded
// with blanks), the endmarks removed and the hardblanks kept.
struct Figure {
    std::vector<std::u32string> rows;
    std::size_t Width() const { return rows.empty() ? 0 : rows.front().size(); }
};

struct Font {
    char32_t hardblank = U'$';
    int height = 1;
    int baseline = 1;
    // The full layout, derived from the old layout when the header has none.
    int layout = 0;
    bool rightToLeft = false;
    // The comment lines, each ended by "\n", as the file has them.
    std::string comments;
    // Each with `height` rows, as the renderer relies on.
    std::vector<Figure> figures;
    // Character code to index in figures; a code given twice keeps its last figure.
    std::unordered_map<std::int32_t, std::size_t> codes;

    // The figure of the code, or nullptr when the font has none.
    const Figure* Find(std::int32_t code) const;
};

// Why a font was refused, in one line ("truncated: ...").
struct FontError {
    std::string reason;
};

// Reads a font from the bytes of its file: flf2a or tlf2a, or a ZIP archive holding one
// as its first member. Rows that are not valid UTF-8 are read as Latin-1.
std::variant<Font, FontError> ReadFont(std::string_view bytes);

} // namespace figfont
