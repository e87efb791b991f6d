#include "engine/font_report.h"

#include "engine/character_classes.h"
#include "platform/utf8.h"

#include <string_view>

namespace mod8Zevazuv {
namespace {

const char* HowDrawn(char16_t c) {
    const GlyphRows* rows = LookUpGlyph(c).rows;
    if (rows == nullptr) {
        return "left out";
    }
    return rows == &SymbolGlyphs[0] ? "as a blank" : "as \"?\"";
}

bool InRange(char16_t c, char16_t first, char16_t last) {
    return c >= first && c <= last;
}

// False for the characters that draw nothing or move the cursor when printed:
// controls, format characters (joiners, direction marks), surrogates, private use
// and the non-characters.
bool IsPrintable(char16_t c) {
    constexpr std::u16string_view kFormats = u"\u00AD\u061C\u06DD\u070F\u08E2\u180E\uFEFF";
    return !(
        c < 0x20 || InRange(c, 0x7F, 0x9F) || InRange(c, 0x0600, 0x0605) ||
        InRange(c, 0x0890, 0x0891) || InRange(c, 0x200B, 0x200F) || InRange(c, 0x202A, 0x202E) ||
        InRange(c, 0x2060, 0x206F) || InRange(c, 0xD800, 0xF8FF) || InRange(c, 0xFDD0, 0xFDEF) ||
        InRange(c, 0xFFF9, 0xFFFB) || c >= 0xFFFE || kFormats.find(c) != std::u16string_view::npos);
}

void AppendName(char16_t c, std::string& to) {
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    to += "U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        to += kHexDigits[(c >> shift) & 0xF];
    }
    if (IsPrintable(c)) {
        to += " \"";
        platform::AppendUtf8(std::u16string_view(&c, 1), to);
        to += '"';
    }
}

} // namespace

void FontReport::AddOutside(char16_t c) {
    if (seen_[c]) {
        return;
    }
    seen_[c] = true;
    named_.push_back(c);
    text_ += text_.empty() ? "not in the font: " : ", ";
    AppendName(c, text_);
    text_ += ' ';
    text_ += HowDrawn(c);
}

void FontReport::Clear() {
    for (char16_t c : named_) {
        seen_[c] = false;
    }
    named_.clear();
    text_.clear();
}

} // namespace mod8Zevazuv
