#include "engine_fixture.h"

using namespace mod8Zevazuv;

namespace {

std::string Joined(std::initializer_list<std::string> rows) {
    std::string text;
    for (const std::string& row : rows) {
        text += row + "\r\n";
    }
    return text;
}

} // namespace

using LineRenderer = EngineTest;

TEST_F(LineRenderer, RendersHiTopRowFirst) {
    EXPECT_TRUE(RenderLine(u"Hi"));
    EXPECT_EQ(LastBandWidth, 14);
    EXPECT_EQ(Rows[7], "H      H      ");
    EXPECT_EQ(Rows[5], "H      H  ii  ");
    EXPECT_EQ(Rows[4], "HHHHHHHH      ");
    EXPECT_EQ(Rows[0], "H      H  ii  ");
    EXPECT_EQ(BandText.size(), 128u);
    EXPECT_EQ(BandText.substr(0, 16), "H      H      \r\n");
    EXPECT_EQ(BandText.substr(112), "H      H  ii  \r\n");
}

TEST_F(LineRenderer, EmptyTextGivesEightEmptyRows) {
    EXPECT_TRUE(RenderLine(u"Hi"));
    EXPECT_TRUE(RenderLine(u""));
    for (const std::string& row : Rows) {
        EXPECT_EQ(row, "");
    }
    EXPECT_EQ(BandText, Joined({"", "", "", "", "", "", "", ""}));
    EXPECT_EQ(LastBandWidth, 0);
}

TEST_F(LineRenderer, HSpacesWritesThatManyBlanksPlusOne) {
    modOptions::HSpaces = 0;
    EXPECT_TRUE(RenderLine(u"ll"));
    EXPECT_EQ(Rows[3], "ll ll ");
    EXPECT_EQ(LastBandWidth, 6);
    modOptions::HSpaces = 12;
    EXPECT_TRUE(RenderLine(u"l"));
    EXPECT_EQ(Rows[3], "ll" + std::string(13, ' '));
    EXPECT_EQ(LastBandWidth, 15);
    modOptions::HSpaces = -5;
    EXPECT_TRUE(RenderLine(u"ll"));
    EXPECT_EQ(Rows[3], "llll");
    EXPECT_EQ(LastBandWidth, 4);
}

TEST_F(LineRenderer, WidthsComeFromTheWidthTableNotTheRows) {
    EXPECT_TRUE(RenderLine(u"7o"));
    EXPECT_EQ(Rows[7], "77777777  "
                       "      "
                       "  ");
    EXPECT_EQ(Rows[0], "77     "
                       "  "
                       " oooo "
                       "  "); // the o starts a column further left
    EXPECT_EQ(LastBandWidth, (8 + 2) + (7 + 2));
}

TEST_F(LineRenderer, BlanksAndForeignCharactersDrawSixBlanks) {
    EXPECT_TRUE(RenderLine(u" #\u00E9"));
    for (const std::string& row : Rows) {
        EXPECT_EQ(row, std::string(3 * 8, ' '));
    }
    EXPECT_EQ(LastBandWidth, 24);
}

TEST_F(LineRenderer, TheCharacterOfCodeZeroWritesOnlyItsBlanks) {
    EXPECT_TRUE(RenderLine(std::u16string(u"i\0i", 3)));
    EXPECT_EQ(Rows[3], "ii    ii  ");
    EXPECT_EQ(Rows[7], "          ");
    EXPECT_EQ(LastBandWidth, 4 + 2 + 4);
}

TEST_F(LineRenderer, ASecondCallReplacesEverything) {
    EXPECT_TRUE(RenderLine(u"WWWW"));
    EXPECT_TRUE(RenderLine(u"i"));
    EXPECT_EQ(Rows[5], "ii  ");
    EXPECT_EQ(BandText.size(), 8u * 6);
    EXPECT_EQ(LastBandWidth, 4);
}

TEST_F(LineRenderer, WidthOverflowStopsTheRenderingAndKeepsTheOldWidth) {
    EXPECT_TRUE(RenderLine(std::u16string(1927, u'A')));
    EXPECT_EQ(LastBandWidth, 32759);
    EXPECT_EQ(Rows[0].size(), 1927u * 17);

    EXPECT_TRUE(RenderLine(u"Hi"));
    EXPECT_FALSE(RenderLine(std::u16string(1928, u'A')));
    EXPECT_EQ(LastBandWidth, 14);
    EXPECT_EQ(BandText, "");
    // The top row holds everything up to the blank that passed 32767: 1927 glyphs
    // and their blanks, then the 1928th glyph (32774 would pass), so no blank of it.
    EXPECT_EQ(Rows[7].size(), 1927u * 17 + 15);
    EXPECT_EQ(Rows[6], "");
}

TEST_F(LineRenderer, OverflowInTheBlanksStopsAtTheBlankThatPassesTheLimit) {
    modOptions::HSpaces = 12;
    // Each "i" counts 2 and its 13 blanks: 2184 of them count 32760, and the 2185th
    // passes 32767 at its sixth blank, the last that the top row keeps.
    EXPECT_FALSE(RenderLine(std::u16string(2185, u'i')));
    EXPECT_EQ(Rows[7].size(), 32768u);
}

TEST_F(LineRenderer, TextsLongerThan32767CharactersFailAtTheirFirstCharacter) {
    EXPECT_TRUE(RenderLine(u"Hi"));
    modOptions::HSpaces = -1;
    EXPECT_TRUE(RenderLine(std::u16string(32767, u'\0')));
    EXPECT_EQ(LastBandWidth, 0);

    modOptions::HSpaces = 1;
    EXPECT_TRUE(RenderLine(u"Hi"));
    EXPECT_FALSE(RenderLine(std::u16string(32768, u'A')));
    EXPECT_EQ(Rows[7], "       A         ");
    EXPECT_EQ(Rows[6], "");
    EXPECT_EQ(BandText, "");
    EXPECT_EQ(LastBandWidth, 14);
}
