#include "platform/ansi.h"

#include <gtest/gtest.h>

using platform::AnsiCode;

TEST(AnsiCode, AsciiAndLatin1KeepTheirValue) {
    EXPECT_EQ(AnsiCode(u'\0'), 0);
    EXPECT_EQ(AnsiCode(u'A'), 65);
    EXPECT_EQ(AnsiCode(u'\x7F'), 127);
    EXPECT_EQ(AnsiCode(u'\u00A0'), 160);
    EXPECT_EQ(AnsiCode(u'\u00E9'), 233);
    EXPECT_EQ(AnsiCode(u'\u00FF'), 255);
}

TEST(AnsiCode, TheHighControlRangeMapsItsTwentySevenCharacters) {
    EXPECT_EQ(AnsiCode(u'\u20AC'), 0x80); // euro sign
    EXPECT_EQ(AnsiCode(u'\u201A'), 0x82);
    EXPECT_EQ(AnsiCode(u'\u2122'), 0x99); // trade mark
    EXPECT_EQ(AnsiCode(u'\u0178'), 0x9F);
    int mapped = 0;
    for (char32_t unit = 0x100; unit <= 0xFFFF; ++unit) {
        std::int16_t code = AnsiCode(static_cast<char16_t>(unit));
        mapped += code >= 0x80 && code <= 0x9F;
    }
    EXPECT_EQ(mapped, 27);
}

TEST(AnsiCode, UnitsOutsideTheSetBecomeTheQuestionMark) {
    EXPECT_EQ(AnsiCode(u'\u0081'), 63); // C1 control that the set leaves undefined
    EXPECT_EQ(AnsiCode(u'\u4E2D'), 63); // CJK
    EXPECT_EQ(AnsiCode(u'\xD800'), 63); // lone high surrogate
    EXPECT_EQ(AnsiCode(u'\xDFFF'), 63); // lone low surrogate
    EXPECT_EQ(AnsiCode(u'\uFFFF'), 63);
}
