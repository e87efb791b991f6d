#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace h8 {

enum class LineEnd { kCrLf, kLf };
enum class Format { kText, kMarkdown, kHtml };
enum class Align { kLeft, kCenter, kRight };

#ifdef _WIN32
inline constexpr LineEnd kPlatformLineEnd = LineEnd::kCrLf;
#else
inline constexpr LineEnd kPlatformLineEnd = LineEnd::kLf;
#endif

// How banners are printed on standard output.
struct OutputForm {
    LineEnd lineEnd = kPlatformLineEnd;
    // No blanks at the end of any line.
    bool trim = false;
    // Put before every line of the output.
    std::u16string prefix;
    Format format = Format::kText;
    // Where each band stands within the page width; nothing moves without a limit.
    Align align = Align::kLeft;
};

// Turns a banner as the engine makes it (every row ending in CR LF, empty lines
// after each band) into the bytes that the form prints, in place. The line is the
// one the banner was made of (HTML names the drawing with it); bands are placed
// within the page width (below 1: no limit). An empty banner stays empty.
void ShapeBanner(const OutputForm& form, std::u16string_view line, std::int16_t pageWidth,
                 std::string& banner);

// The text, whose lines end in LF, with the line ends given.
std::string WithLineEnds(std::string_view text, LineEnd lineEnd);

} // namespace h8
