#pragma once

#include "engine/figfont.h"
#include "engine/figfont_control.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Lays text out in a FIGfont as figlet 2.2.5 does: full width, fitting, smushing by
// the font's rules or universally, left to right or right to left, justified, words
// wrapped at the width, paragraphs joined. A pure function of the font, the options
// and the text.
namespace figfont {

enum class Layout {
    kFont,      // the font's own layout
    kSmushing,  // smushing by the font's rules (universal when it has none)
    kFitting,   // figures moved together until they touch
    kFullWidth, // figures side by side as drawn
    kOverlap,   // universal smushing
};

enum class Direction { kFont, kLeftToRight, kRightToLeft };

// By direction: flush left for left to right, flush right for right to left.
enum class Justification { kByDirection, kLeft, kCentre, kRight };

// A width that lets a line grow without end; its lines are neither cut nor justified.
inline constexpr int kNoWidthLimit = -1;

struct LayoutOptions {
    Layout layout = Layout::kFont;
    Direction direction = Direction::kFont;
    Justification justification = Justification::kByDirection;
    // The most columns a row may have (figlet's -w gives one more than this), or
    // kNoWidthLimit.
    int width = 79;
    // Paragraphs: a line end followed by anything but whitespace is a blank.
    bool paragraphs = false;
    // The control files whose translations every character goes through, in order.
    std::vector<ControlFile> controls;
};

struct Banner {
    // The rows of every line of figures, top first, in UTF-8, without line ends.
    std::vector<std::string> rows;
    // The characters of the text that the font has no figure for, each once, in the
    // order first met; drawn as the figure of code 0, or as nothing without one.
    std::vector<char32_t> missing;
};

// Receives each row of a banner, in UTF-8 without a line end.
using RowSink = std::function<void(std::string_view row)>;

// Lays out text given piece by piece (a line may span pieces) and puts out each line
// of figures as soon as it is complete. "\n", and any ASCII whitespace but the blank
// and the tab, ends a line; other control characters are left out. It refers to the
// font, which must outlive it.
class Renderer {
public:
    Renderer(const Font& font, const LayoutOptions& options, RowSink put);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void Feed(std::u32string_view text);
    // Puts out the last line; no text may follow.
    void Finish();
    // The characters met so far that the font has no figure for, each once, in order.
    const std::vector<char32_t>& Missing() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Lays out the whole text at once.
Banner Render(const Font& font, std::u32string_view text, const LayoutOptions& options);
// The same for UTF-8, each malformed byte read as U+FFFD.
Banner Render(const Font& font, std::string_view utf8, const LayoutOptions& options);

// Appends the UTF-8 of a code point, as the rows are written (U+FFFD for a code
// beyond Unicode): for naming a character the font lacks.
void AppendUtf8(char32_t code, std::string& out);

} // namespace figfont
