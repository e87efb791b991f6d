#include "engine/banner.h"

#include "engine/character_classes.h"
#include "platform/checked16.h"
#include "platform/utf8.h"
#include "settings/layout_options.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace mod8Zevazuv {

std::array<std::string, kGlyphRows> Rows;
std::string BandText;
std::int16_t LastBandWidth = 0;
std::string PageText;

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::int64_t kMax16 = std::numeric_limits<std::int16_t>::max();

// Copies a glyph row with at most two moves of fixed size, much faster than a
// library call for texts this short. Glyph rows are at most 16 characters long.
inline void CopyGlyphRow(char* to, const std::string& row) {
    const char* from = row.data();
    const std::size_t length = row.size();
    if (length >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + length - 8, from + length - 8, 8);
    } else if (length >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + length - 4, from + length - 4, 4);
    } else {
        for (std::size_t at = 0; at < length; ++at) {
            to[at] = from[at];
        }
    }
}

// Counts towards the width of the top row; false when the count passes 32767. Then
// the top row keeps what had been appended up to that point (its first kept
// characters), the band text stays empty, and the rendering fails.
bool Count(std::int64_t width, const char* row, std::size_t kept) {
    if (platform::Checked16(width)) {
        return true;
    }
    Rows[kGlyphRows - 1].assign(row, kept);
    BandText.clear();
    return false;
}

// The columns a glyph takes on the screen: its longest row, which may differ from the
// width it counts for.
std::int64_t ShownWidth(const Glyph& glyph) {
    if (glyph.rows == nullptr) {
        return 0;
    }
    std::size_t longest = 0;
    for (const std::string& row : *glyph.rows) {
        longest = std::max(longest, row.size());
    }
    return static_cast<std::int64_t>(longest);
}

// The characters of one band, each looked up once. A band of more than 32767
// characters fails at its first, so only as many as can pass are looked up: the
// band knows its length without holding every glyph.
struct Band {
    std::vector<Glyph> glyphs;
    std::size_t length = 0;

    void Clear() {
        glyphs.clear();
        length = 0;
    }
    void Add(const Glyph& glyph) {
        glyphs.push_back(glyph);
        ++length;
    }
    void AddText(std::u16string_view text) {
        const std::size_t held = std::min<std::size_t>(text.size(), kMax16 + 1);
        for (char16_t c : text.substr(0, held)) {
            Add(LookUpGlyph(c));
        }
        length = text.size();
    }
};

// The band being rendered; kept between calls so that its storage is reused.
Band& ScratchBand() {
    static Band band;
    band.Clear();
    return band;
}

// Renders one row of the band at the end of the band text, which was filled with
// enough blanks for the longest glyph rows up front: each glyph row is copied and the
// blanks after it are stepped over. Every row of a band holds the same characters
// and reaches the same width, so only the top row, rendered first, counts it (and so
// fails, if the band overflows: then the result is empty).
template <bool kCounting>
std::optional<std::int16_t> RenderRow(char*& end, const Band& band, int r, std::int64_t blanks) {
    const char* const start = end;
    const std::size_t count = band.glyphs.size();
    std::int64_t width = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Glyph& glyph = band.glyphs[i];
        if (glyph.rows != nullptr) {
            const std::string& text = (*glyph.rows)[r];
            CopyGlyphRow(end, text);
            end += text.size();
            if constexpr (kCounting) {
                width += glyph.width;
                if (!Count(width, start, static_cast<std::size_t>(end - start))) {
                    return std::nullopt;
                }
            }
        }
        end += blanks;
        if constexpr (kCounting) {
            // The blank that passed the limit is the last one kept.
            width += blanks;
            std::int64_t beyond = std::clamp<std::int64_t>(width - kMax16 - 1, 0, blanks);
            // The length of the remaining text is a 16-bit count as well.
            if (!Count(width, start, static_cast<std::size_t>(end - start - beyond)) ||
                !Count(static_cast<std::int64_t>(band.length - i), start,
                       static_cast<std::size_t>(end - start))) {
                return std::nullopt;
            }
        }
    }
    return static_cast<std::int16_t>(width);
}

// The blanks after each character and the empty lines after each band.
std::int64_t BlanksAfterCharacter() {
    return std::max<std::int64_t>(0, std::int64_t{modOptions::HSpaces} + 1);
}
std::int64_t EmptyLinesAfterBand() {
    return std::max<std::int64_t>(0, std::int64_t{modOptions::VSpaces} + 1);
}

// The most room that the text of a band of so many glyphs takes: each row holds the
// longest glyph rows and their blanks, and a line break.
std::size_t BandRoom(std::size_t glyphs) {
    const auto blanks = static_cast<std::size_t>(BlanksAfterCharacter());
    return kGlyphRows * (glyphs * (kLongestGlyphRow + blanks) + kLineBreak.size());
}

// Makes room in PageText for the whole page of a text that fits the 16-bit count, so
// that the page is not copied as it grows: every character may end a band. A longer
// text fails at its first band.
void ReservePage(std::size_t length) {
    if (!platform::Checked16(static_cast<std::int64_t>(length))) {
        return;
    }
    const auto emptyLines = static_cast<std::size_t>(EmptyLinesAfterBand());
    PageText.reserve(length * (BandRoom(1) + emptyLines * kLineBreak.size()));
}

// Renders the band into BandText, Rows and LastBandWidth, from the top row down;
// false when it is too wide.
bool RenderBand(const Band& band) {
    const std::int64_t blanks = BlanksAfterCharacter();
    for (std::string& row : Rows) {
        row.clear();
    }
    BandText.assign(BandRoom(band.glyphs.size()), ' ');
    char* const text = BandText.data();
    char* end = text;
    std::int16_t width = 0;
    for (int r = kGlyphRows - 1; r >= 0; --r) {
        char* const row = end;
        if (r == kGlyphRows - 1) {
            const std::optional<std::int16_t> counted = RenderRow<true>(end, band, r, blanks);
            if (!counted) {
                return false;
            }
            width = *counted;
        } else {
            RenderRow<false>(end, band, r, blanks);
        }
        Rows[r].assign(row, static_cast<std::size_t>(end - row));
        end = std::copy(kLineBreak.begin(), kLineBreak.end(), end);
    }
    BandText.resize(static_cast<std::size_t>(end - text));
    LastBandWidth = width;
    return true;
}

// Takes the characters of the next band from the start of the text into the band:
// with a page width of 1 or more, until their widths reach it; else all of them.
// Returns how many it took, or nothing when a count leaves the 16-bit range.
std::optional<std::size_t> TakeBand(std::u16string_view text, Band& band) {
    if (!platform::Checked16(static_cast<std::int64_t>(text.size()))) { // a 16-bit count too
        return std::nullopt;
    }
    const std::int16_t pageWidth = modOptions::PageWidth;
    std::int16_t taken = 0;
    std::size_t length = 0;
    while (length < text.size() && (pageWidth < 1 || taken < pageWidth)) {
        Glyph glyph = LookUpGlyph(text[length]);
        if (pageWidth >= 1) {
            const std::optional<std::int16_t> sum = platform::Add16(taken, glyph.width);
            if (!sum) {
                return std::nullopt;
            }
            taken = *sum;
        }
        band.Add(glyph);
        ++length;
    }
    return length;
}

// Takes the characters of the next band from the start of the text into the band,
// as long as the band's rows, the blanks after each character included, stay within
// the columns; at least one character, however wide. Returns how many it took, or
// nothing when the text is longer than a 16-bit count.
std::optional<std::size_t> TakeFittingBand(std::u16string_view text, std::int16_t columns,
                                           Band& band) {
    if (!platform::Checked16(static_cast<std::int64_t>(text.size()))) {
        return std::nullopt;
    }
    const std::int64_t blanks = BlanksAfterCharacter();
    std::int64_t width = 0;
    std::size_t length = 0;
    while (length < text.size()) {
        const Glyph glyph = LookUpGlyph(text[length]);
        width += ShownWidth(glyph) + blanks;
        if (length > 0 && width > columns) {
            break;
        }
        band.Add(glyph);
        ++length;
    }
    return length;
}

void AppendEmptyLines(std::string& page) {
    for (std::int64_t i = 0; i < EmptyLinesAfterBand(); ++i) {
        page += kLineBreak;
    }
}

// Composes the page from the bands that take cuts off the text; false when one of
// them is too wide.
template <class Take> bool ComposeBands(std::u16string_view text, Take take) {
    PageText.clear();
    ReservePage(text.size());
    while (!text.empty()) {
        Band& band = ScratchBand();
        const std::optional<std::size_t> taken = take(text, band);
        if (!taken || !RenderBand(band)) {
            return false;
        }
        text.remove_prefix(*taken);
        PageText += BandText;
        AppendEmptyLines(PageText);
    }
    return true;
}

} // namespace

std::string OverflowMessage(std::size_t units, std::size_t characters) {
    constexpr auto kMost = static_cast<std::size_t>(kMax16);
    return "the line of " + std::to_string(characters) + " characters is too long to enlarge: " +
           (characters > kMost ? "it has more than 32767 characters"
            : units > kMost
                ? "it has more than 32767 characters, counting each beyond U+FFFF as two"
                : "its banner would be wider than 32767 small characters");
}

std::string OverflowMessage(std::u16string_view line) {
    return OverflowMessage(line.size(), platform::CharacterCount(line));
}

bool RenderLine(std::u16string_view text) {
    Band& band = ScratchBand();
    band.AddText(text);
    return RenderBand(band);
}

bool ComposePage(std::u16string_view text) {
    return ComposeBands(text, TakeBand);
}

bool ComposeFittingPage(std::u16string_view text, std::int16_t columns) {
    return ComposeBands(text, [columns](std::u16string_view rest, Band& band) {
        return TakeFittingBand(rest, columns, band);
    });
}

} // namespace mod8Zevazuv

namespace modMain {

void InitEngine() {
    mod8Zevazuv::InitCapitals();
    mod8Zevazuv::InitLowercase();
    mod8Zevazuv::InitDigits();
    mod8Zevazuv::InitSymbols();
    for (std::string& row : mod8Zevazuv::Rows) {
        row.clear();
    }
    mod8Zevazuv::LastBandWidth = 0;
}

} // namespace modMain
