#include "engine/character_classes.h"
#include "engine/font_report.h"
#include "engine_fixture.h"

using namespace mod8Zevazuv;

namespace {

std::u16string One(char16_t c) {
    return std::u16string(1, c);
}

// The glyph set a character is drawn from, as a short name.
std::string ClassOf(char16_t c) {
    std::u16string text = One(c);
    if (IsDigit(text)) {
        return "digit";
    }
    if (IsCapital(text)) {
        return "capital";
    }
    if (IsLowercase(text)) {
        return "lowercase";
    }
    return IsSymbol(text) ? "symbol" : "none";
}

} // namespace

using CharacterClasses = EngineTest;

TEST_F(CharacterClasses, EachRangeEndsExactlyAtItsBounds) {
    struct Case {
        char16_t c;
        const char* klass;
        std::int16_t symbolIndex;
        bool inFont;
    };
    const Case cases[] = {
        {0, "none", -1, false},          {47, "symbol", 11, true},
        {48, "digit", 0, true},          {57, "digit", 0, true},
        {58, "symbol", 0, false},        {63, "symbol", 2, true},
        {64, "symbol", 0, false},        {65, "capital", 0, true},
        {90, "capital", 0, true},        {91, "symbol", 8, true},
        {96, "symbol", 0, false},        {97, "lowercase", 0, true},
        {122, "lowercase", 0, true},     {123, "symbol", 0, false},
        {233, "symbol", 0, false},       {u'\u4E2D', "symbol", 2, false},
        {u'\xD800', "symbol", 2, false}, {u'\u20AC', "symbol", 0, false},
        {u' ', "symbol", 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassOf(c.c), c.klass) << int(c.c);
        EXPECT_EQ(SymbolIndex(One(c.c)), c.symbolIndex) << int(c.c);
        EXPECT_EQ(InFont(c.c), c.inFont) << int(c.c);
    }
    int inFont = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        inFont += InFont(static_cast<char16_t>(c));
    }
    EXPECT_EQ(inFont, kCapitalCount + kLowercaseCount + kDigitCount + kSymbolCount); // 77
}

TEST_F(CharacterClasses, TheSymbolListIsInItsOrder) {
    std::u16string_view symbols = u" .?!,-()[]\\/_+=";
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        EXPECT_EQ(SymbolIndex(symbols.substr(i)), static_cast<std::int16_t>(i));
    }
}

TEST_F(CharacterClasses, OnlyTheFirstCharacterCounts) {
    EXPECT_TRUE(IsCapital(u"A1b"));
    EXPECT_TRUE(IsDigit(u"9Zz"));
    EXPECT_FALSE(IsCapital(u"1AB"));
    EXPECT_FALSE(IsSymbol(std::u16string(u"\0A", 2)));
}

TEST_F(CharacterClasses, EachCharacterDrawsTheGlyphOfItsClass) {
    EXPECT_EQ(LookUpGlyph(u'A').rows, &CapitalGlyphs[0]);
    EXPECT_EQ(LookUpGlyph(u'Z').rows, &CapitalGlyphs[25]);
    EXPECT_EQ(LookUpGlyph(u'a').rows, &LowercaseGlyphs[0]);
    EXPECT_EQ(LookUpGlyph(u'z').rows, &LowercaseGlyphs[25]);
    EXPECT_EQ(LookUpGlyph(u'0').rows, &DigitGlyphs[0]);
    EXPECT_EQ(LookUpGlyph(u'9').rows, &DigitGlyphs[9]);
    EXPECT_EQ(LookUpGlyph(u'[').rows, &SymbolGlyphs[8]);
    EXPECT_EQ(LookUpGlyph(u'/').rows, &SymbolGlyphs[11]);
    // Anything outside the font draws as the blank, six wide...
    for (char16_t c : {u'@', u':', u'`', u'{', u'#', u'\t', u'\u00E9', u'\u20AC'}) {
        EXPECT_EQ(LookUpGlyph(c).rows, &SymbolGlyphs[0]) << int(c);
        EXPECT_EQ(LookUpGlyph(c).width, 6);
    }
    // ...but a character without a Windows-1252 code draws as the "?" it converts to,
    for (char16_t c : {u'\u4E2D', u'\xD800', u'\xDC00'}) {
        EXPECT_EQ(LookUpGlyph(c).rows, &SymbolGlyphs[2]) << int(c);
        EXPECT_EQ(LookUpGlyph(c).width, 8);
    }
    // and the character of code 0 has neither glyph nor width.
    EXPECT_EQ(LookUpGlyph(0).rows, nullptr);
    EXPECT_EQ(LookUpGlyph(0).width, 0);
}

// The report names each character outside the font once, a surrogate pair as the one
// character it makes and a lone surrogate as the unit it is; a line fed anew after
// Clear is named afresh.
TEST_F(CharacterClasses, TheReportNamesEachCharacterOutsideTheFontOnce) {
    const struct {
        std::u16string line;
        std::string text;
    } cases[] = {
        {u"Hi", ""},
        {u"\U0001F600", "not in the font: U+1F600 \"\U0001F600\" as two \"?\""},
        {u"a\U0001F600#\U0001F600",
         "not in the font: U+1F600 \"\U0001F600\" as two \"?\", U+0023 \"#\" "
         "as a blank"},
        {u"\xD83Dx\xDE00", "not in the font: U+D83D as \"?\", U+DE00 as \"?\""},
        {u"\xD83D\U0001F600",
         "not in the font: U+D83D as \"?\", U+1F600 \"\U0001F600\" as two \"?\""},
        {u"\U0001F600\xDE00",
         "not in the font: U+1F600 \"\U0001F600\" as two \"?\", U+DE00 as \"?\""},
        {u"\U000E0041\U0010FFFD", "not in the font: U+E0041 as two \"?\", U+10FFFD as two \"?\""},
    };
    FontReport report;
    for (const auto& c : cases) {
        for (int round = 0; round < 2; ++round) {
            report.Clear();
            for (char16_t unit : c.line) {
                report.Add(unit);
            }
            EXPECT_EQ(report.Text(), c.text);
        }
    }
}
