#include "engine/character_classes.h"
#include "engine_fixture.h"

#include <algorithm>
#include <map>
#include <set>

using namespace mod8Zevazuv;

namespace {

// Every character of the font with its glyph.
std::map<char16_t, Glyph> WholeFont() {
    std::map<char16_t, Glyph> font;
    std::u16string_view characters =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .?!,-()[]\\/_+=";
    for (char16_t c : characters) {
        font[c] = LookUpGlyph(c);
    }
    return font;
}

} // namespace

using Font = EngineTest;

TEST_F(Font, HasSeventySevenDistinctGlyphs) {
    std::set<const GlyphRows*> distinct;
    for (auto& [c, glyph] : WholeFont()) {
        distinct.insert(glyph.rows);
    }
    EXPECT_EQ(distinct.size(), 77u);
}

TEST_F(Font, EveryRowHoldsOnlyBlanksAndTheGlyphsOwnCharacter) {
    for (auto& [c, glyph] : WholeFont()) {
        bool drawsItself = false;
        for (const std::string& row : *glyph.rows) {
            for (char x : row) {
                EXPECT_TRUE(x == ' ' || x == static_cast<char>(c)) << char(c) << " row " << row;
                drawsItself = drawsItself || x == static_cast<char>(c);
            }
        }
        EXPECT_TRUE(drawsItself || c == u' ') << char(c);
    }
}

TEST_F(Font, RowsHaveTheGlyphWidthButForSixGlyphs) {
    const std::map<char16_t, std::vector<std::size_t>> exceptions = {
        {u'7', {7, 7, 7, 7, 7, 7, 8, 8}},        {u'8', std::vector<std::size_t>(8, 11)},
        {u'D', std::vector<std::size_t>(8, 10)}, {u'o', std::vector<std::size_t>(8, 6)},
        {u'q', std::vector<std::size_t>(8, 8)},  {u's', std::vector<std::size_t>(8, 6)}};
    for (auto& [c, glyph] : WholeFont()) {
        std::vector<std::size_t> lengths;
        for (const std::string& row : *glyph.rows) {
            lengths.push_back(row.size());
        }
        auto exception = exceptions.find(c);
        std::vector<std::size_t> expected = exception != exceptions.end()
                                                ? exception->second
                                                : std::vector<std::size_t>(8, glyph.width);
        EXPECT_EQ(lengths, expected) << char(c);
    }
    EXPECT_EQ(LookUpGlyph(u'7').width, 8);
    EXPECT_EQ(LookUpGlyph(u'8').width, 10);
    EXPECT_EQ(LookUpGlyph(u'D').width, 9);
    EXPECT_EQ(LookUpGlyph(u'o').width, 7);
    EXPECT_EQ(LookUpGlyph(u'q').width, 7);
    EXPECT_EQ(LookUpGlyph(u's').width, 7);
}

TEST_F(Font, WidestAndNarrowestGlyphs) {
    std::u16string widest, narrowest;
    for (auto& [c, glyph] : WholeFont()) {
        if (glyph.width == 15) {
            widest += c;
        }
        if (glyph.width == 2) {
            narrowest += c;
        }
        EXPECT_GE(glyph.width, 2);
        EXPECT_LE(glyph.width, 15);
    }
    EXPECT_EQ(widest, u"AVW");
    EXPECT_EQ(narrowest, u"!.il");
}

TEST_F(Font, NoRowIsLongerThanSixteen) {
    // The renderer copies glyph rows with moves of at most 16 characters.
    EXPECT_EQ(kLongestGlyphRow, 15u);
}

TEST_F(Font, RowSevenIsTheTopRow) {
    EXPECT_EQ(CapitalGlyphs[0][7], "       A       ");
    EXPECT_EQ(CapitalGlyphs[0][0], "A             A");
    EXPECT_EQ(LowercaseGlyphs[8][5], "ii"); // the dot of the i, over a blank row
    EXPECT_EQ(LowercaseGlyphs[8][4], "  ");
    EXPECT_EQ(LowercaseGlyphs[9][6], "    j");
    EXPECT_EQ(LowercaseGlyphs[9][5], "     ");
    for (char16_t c : std::u16string_view(u"acemnorsuvwxz")) {
        const GlyphRows& rows = *LookUpGlyph(c).rows;
        EXPECT_TRUE(std::all_of(rows.begin() + 4, rows.end(), [](const std::string& row) {
            return row.find_first_not_of(' ') == std::string::npos;
        })) << char(c);
    }
}

TEST_F(Font, SymbolWidthsAreDecimalTexts) {
    for (const std::string& width : SymbolWidths) {
        EXPECT_FALSE(width.empty());
        EXPECT_EQ(width.find_first_not_of("0123456789"), std::string::npos) << width;
    }
    EXPECT_EQ(SymbolWidths[0], "6");
    EXPECT_EQ(SymbolWidths[10], "9");
    EXPECT_EQ(LookUpGlyph(u'\\').width, 9);
    for (const std::string& row : SymbolGlyphs[0]) {
        EXPECT_EQ(row, "      ");
    }
}

TEST_F(Font, InitialisersFillOnlyTheirOwnTables) {
    CapitalGlyphs = {};
    DigitWidths = {};
    InitLowercase();
    InitSymbols();
    EXPECT_EQ(CapitalGlyphs[0][7], "");
    EXPECT_EQ(DigitWidths[0], 0);
    InitCapitals();
    InitDigits();
    EXPECT_EQ(CapitalGlyphs[0][7], "       A       ");
    EXPECT_EQ(DigitWidths[0], 9);
}
