#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The output forms of a banner: the text as the engine makes it, with other line
// ends, without trailing blanks, behind a prefix, aligned in the page, or as a
// Markdown block or an HTML element. Shared by h8 and the WebAssembly module.
namespace mod8Zevazuv {

enum class LineEnd { kCrLf, kLf };
enum class Format { kText, kMarkdown, kHtml };
enum class Align { kLeft, kCenter, kRight };

#ifdef _WIN32
inline constexpr LineEnd kPlatformLineEnd = LineEnd::kCrLf;
#else
inline constexpr LineEnd kPlatformLineEnd = LineEnd::kLf;
#endif

// How a banner is printed.
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

// Takes the bytes to print, a block at a time.
using Write = std::function<void(std::string_view bytes)>;

// Turns a banner as the engine makes it (every row ending in CR LF, empty lines
// after each band) into the bytes that the form prints and hands them to write: the
// banner itself when only its line ends change (in one piece), else blocks
// of a bounded size. The line is the one the banner was made of (HTML names the
// drawing with it); bands are placed within the page width (below 1: no limit). An
// empty banner prints nothing.
void WriteBanner(const OutputForm& form, std::u16string_view line, std::int16_t pageWidth,
                 std::string_view banner, const Write& write);

// The text, whose lines end in LF, with the line ends given.
std::string WithLineEnds(std::string_view text, LineEnd lineEnd);

} // namespace mod8Zevazuv
