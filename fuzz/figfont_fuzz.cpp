// The FIGfont and control-file readers on any bytes, and the layout of a few lines in
// any font that reads: a font, a control file or a one-line reason, never a crash or
// a hang, and rows that keep to the width.

#include "engine/figfont.h"
#include "engine/figfont_control.h"
#include "engine/figfont_layout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr int kWidth = 20;

std::size_t Columns(const std::string& row) {
    return static_cast<std::size_t>(
        std::count_if(row.begin(), row.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void CheckRefusal(const figfont::FontError& error) {
    Check(!error.reason.empty() && error.reason.find('\n') == std::string::npos);
}

void LayOut(const figfont::Font& font, const figfont::LayoutOptions& options) {
    figfont::Banner banner = figfont::Render(font, U"Hello, World!  a\u00e9\n\n b\tc de", options);
    Check(banner.rows.size() % static_cast<std::size_t>(font.height) == 0);
    for (const std::string& row : banner.rows) {
        Check(Columns(row) <= kWidth);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    figfont::LayoutOptions options;
    options.width = kWidth;
    auto control = figfont::ReadControlFile(bytes);
    if (auto* error = std::get_if<figfont::FontError>(&control)) {
        CheckRefusal(*error);
    } else {
        options.controls = {std::get<figfont::ControlFile>(control)};
    }
    auto read = figfont::ReadFont(bytes);
    if (auto* error = std::get_if<figfont::FontError>(&read)) {
        CheckRefusal(*error);
        return 0;
    }
    for (auto layout : {figfont::Layout::kFont, figfont::Layout::kSmushing,
                        figfont::Layout::kFitting, figfont::Layout::kOverlap}) {
        options.layout = layout;
        options.direction = layout == figfont::Layout::kFitting ? figfont::Direction::kRightToLeft
                                                                : figfont::Direction::kFont;
        LayOut(std::get<figfont::Font>(read), options);
    }
    return 0;
}
