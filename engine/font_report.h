#pragma once

#include "engine/character_classes.h"

#include <bitset>
#include <string>
#include <vector>

namespace mod8Zevazuv {

// Gathers, character by character, the characters of a line that the font does not
// have, each once, and how each is drawn.
class FontReport {
public:
    void Add(char16_t c) {
        if (!InFont(c)) {
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

    std::bitset<65536> seen_;
    std::vector<char16_t> named_;
    std::string text_;
};

} // namespace mod8Zevazuv
