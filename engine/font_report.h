#pragma once

#include "engine/character_classes.h"

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace mod8Zevazuv {

// Gathers, unit by unit, the characters of a line that the font does not have, each
// once, and how each is drawn. A surrogate pair is named as the one character it
// makes, though each of its units is drawn on its own.
class FontReport {
public:
    void Add(char16_t c) {
        if (InFont(c)) {
            previous_ = c;
        } else {
            AddOutside(c);
        }
    }
    // Forgets the line, for the next one.
    void Clear();
    // The clause (UTF-8) that names them, "not in the font: U+00E9 \"é\" as a blank,
    // ..."; empty when the font has them all.
    const std::string& Text() const { return text_; }

private:
    void AddOutside(char16_t c);
    bool Name(std::u16string_view units, const char* howDrawn);

    std::bitset<0x110000> seen_;
    std::vector<char32_t> named_;
    std::string text_;
    char16_t previous_ = 0;
    // Where the text stood before the last unit outside the font was named, and
    // whether that unit was named then: a high surrogate named alone is taken back
    // when the low one of its pair follows.
    std::size_t lastStart_ = 0;
    bool lastNamed_ = false;
};

} // namespace mod8Zevazuv
