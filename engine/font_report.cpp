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

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// False for the characters that draw nothing or move the cursor when printed:
// controls, format characters (joiners, direction marks), surrogates, private use
// and the non-characters.
bool IsPrintable(char32_t c) {
    return !(c < 0x20 || InRange(c, 0x7F, 0x9F) || platform::IsFormatCharacter(c) ||
             InRange(c, 0xD800, 0xF8FF) || InRange(c, 0xFDD0, 0xFDEF) || (c & 0xFFFE) == 0xFFFE ||
             c >= 0xF0000);
}

// The code point of one unit or of a surrogate pair.
char32_t CodeOf(std::u16string_view units) {
    return units.size() == 2 ? platform::PairedCode(units[0], units[1]) : units[0];
}

void AppendName(std::u16string_view units, std::string& to) {
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    const char32_t code = CodeOf(units);
    to += "U+";
    // Four hexadecimal digits, or as many as the code needs beyond them.
    const int digits = code > 0xFFFFF ? 6 : code > 0xFFFF ? 5 : 4;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        to += kHexDigits[(code >> shift) & 0xF];
    }
    if (IsPrintable(code)) {
        to += " \"";
        platform::AppendUtf8(units, to);
        to += '"';
    }
}

} // namespace

void FontReport::AddOutside(char16_t c) {
    if (platform::EndsPair(previous_, c)) {
        if (lastNamed_) {
            text_.resize(lastStart_);
            seen_[previous_] = false;
            named_.pop_back();
        }
        // Each unit of a pair has the Windows-1252 code of "?", and is drawn as it.
        const char16_t pair[] = {previous_, c};
        Name(std::u16string_view(pair, 2), "as two \"?\"");
        lastNamed_ = false;
    } else {
        lastStart_ = text_.size();
        lastNamed_ = Name(std::u16string_view(&c, 1), HowDrawn(c));
    }
    previous_ = c;
}

// Names the character of the units unless it is named already; true when it was
// named now.
bool FontReport::Name(std::u16string_view units, const char* howDrawn) {
    const char32_t code = CodeOf(units);
    if (seen_[code]) {
        return false;
    }
    seen_[code] = true;
    named_.push_back(code);
    text_ += text_.empty() ? "not in the font: " : ", ";
    AppendName(units, text_);
    text_ += ' ';
    text_ += howDrawn;
    return true;
}

void FontReport::Clear() {
    for (char32_t c : named_) {
        seen_[c] = false;
    }
    named_.clear();
    text_.clear();
    previous_ = 0;
    lastNamed_ = false;
}

} // namespace mod8Zevazuv
