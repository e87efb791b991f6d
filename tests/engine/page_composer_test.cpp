#include "engine_fixture.h"

#include <algorithm>

using namespace mod8Zevazuv;

namespace {

std::size_t LineBreaks(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++n;
    }
    return n;
}

// The rows of the page, without their line ends.
std::vector<std::string> PageLines() {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = PageText.find("\r\n", start)) != std::string::npos; start = at + 2) {
        lines.push_back(PageText.substr(start, at - start));
    }
    EXPECT_EQ(start, PageText.size()) << "the page ends with a line break";
    return lines;
}

} // namespace

using PageComposer = EngineTest;

TEST_F(PageComposer, DefaultsGiveOneBandAndTwoEmptyLines) {
    EXPECT_TRUE(ComposePage(u"Hi"));
    EXPECT_EQ(PageText.size(), 132u);
    EXPECT_TRUE(RenderLine(u"Hi"));
    EXPECT_EQ(PageText, BandText + "\r\n\r\n");
}

TEST_F(PageComposer, PageWidthTenCutsHiHIntoTwoBands) {
    modOptions::PageWidth = 10;
    EXPECT_TRUE(ComposePage(u"HiH"));
    EXPECT_EQ(PageText.size(), 232u);
    EXPECT_EQ(LineBreaks(PageText), 20u);
    std::vector<std::string> lines = PageLines();
    EXPECT_EQ(lines[0], "H      H      ");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[10], "H      H  ");
    EXPECT_EQ(LastBandWidth, 10); // the renderer's results describe the last band

    modOptions::PageWidth = -1;
    EXPECT_TRUE(ComposePage(u"HiH"));
    EXPECT_EQ(PageLines()[0].size(), 24u);
    EXPECT_EQ(LineBreaks(PageText), 10u);
}

TEST_F(PageComposer, TheCharacterThatReachesThePageWidthStaysInTheBand) {
    modOptions::PageWidth = 20;
    EXPECT_TRUE(ComposePage(u"AB"));
    EXPECT_EQ(LineBreaks(PageText), 10u);
    EXPECT_EQ(PageLines()[0].size(), 28u);
}

TEST_F(PageComposer, PageWidthOneGivesABandPerCharacter) {
    modOptions::PageWidth = 1;
    EXPECT_TRUE(ComposePage(std::u16string(u"a.\0b", 4)));
    // The character of code 0 counts nothing, so it shares the band of the "b".
    EXPECT_EQ(LineBreaks(PageText), 3u * 10);
    EXPECT_EQ(PageLines()[20 + 4], "  "
                                   " bbbbb "
                                   "  "); // row 3 of the third band
}

TEST_F(PageComposer, PageWidthsBelowOneMeanNoLimit) {
    const std::u16string line(600, u'W');
    for (std::int16_t width : {0, -1, -32768}) {
        modOptions::PageWidth = width;
        EXPECT_TRUE(ComposePage(line));
        EXPECT_EQ(LineBreaks(PageText), 10u) << width;
    }
}

TEST_F(PageComposer, VSpacesSetsTheEmptyLinesAfterEveryBand) {
    modOptions::PageWidth = 1;
    modOptions::VSpaces = 0;
    EXPECT_TRUE(ComposePage(u"ab"));
    EXPECT_EQ(LineBreaks(PageText), 2u * 9);
    modOptions::VSpaces = -3;
    EXPECT_TRUE(ComposePage(u"ab"));
    EXPECT_EQ(LineBreaks(PageText), 2u * 8);
    EXPECT_EQ(PageLines()[8], "bb     "
                              "  ");
    EXPECT_NE(PageText.substr(PageText.size() - 4), "\r\n\r\n");
}

TEST_F(PageComposer, ABlankEndingABandIsDrawnThere) {
    modOptions::PageWidth = 14;
    EXPECT_TRUE(ComposePage(u"H Hi"));
    std::vector<std::string> lines = PageLines();
    EXPECT_EQ(lines[0], "H      H"
                        "  "
                        "      "
                        "  "); // H, then the blank
    EXPECT_EQ(lines[10], "H      H  "
                         "  "
                         "  ");
}

TEST_F(PageComposer, EmptyLineGivesAnEmptyPage) {
    EXPECT_TRUE(ComposePage(u"Hi"));
    EXPECT_TRUE(ComposePage(u""));
    EXPECT_EQ(PageText, "");
}

TEST_F(PageComposer, OverflowsKeepTheBandsCompletedSoFar) {
    EXPECT_TRUE(ComposePage(u"Hi"));
    EXPECT_FALSE(ComposePage(std::u16string(2000, u'A')));
    EXPECT_EQ(PageText, "");

    modOptions::PageWidth = 20;
    EXPECT_TRUE(ComposePage(u"Hi"));
    EXPECT_FALSE(ComposePage(std::u16string(32768, u'A')));
    EXPECT_EQ(PageText, "");

    // A page width near the limit lets the running width pass 32767.
    modOptions::PageWidth = 32767;
    modOptions::HSpaces = -1;
    EXPECT_FALSE(ComposePage(std::u16string(2185, u'W')));
}

TEST_F(PageComposer, OverflowInALaterBandKeepsTheEarlierOnes) {
    modOptions::PageWidth = 20000;
    // The first band takes 1334 "W" (width 20010, rows of 1334 * 17); the second takes
    // 10000 "i" (width 20000), whose rows with their blanks would count 40000.
    std::u16string line(1334, u'W');
    line.append(10000, u'i');
    EXPECT_FALSE(ComposePage(line));
    EXPECT_EQ(PageText.size(), 8u * (1334 * 17 + 2) + 4);
    EXPECT_EQ(LastBandWidth, 1334 * 17);
}

TEST_F(PageComposer, AFittingPageCutsBandsThatFitTheColumns) {
    // Each band followed by its two empty lines, as the composer joins them.
    const auto bands = [](std::initializer_list<std::u16string_view> texts) {
        std::string page;
        for (std::u16string_view text : texts) {
            EXPECT_TRUE(RenderLine(text));
            page += BandText + "\r\n\r\n";
        }
        return page;
    };
    const struct {
        std::u16string_view line;
        std::int16_t columns;
        std::string page;
    } cases[] = {
        {u"HiH", 14, bands({u"Hi", u"H"})}, // H and i take 10 and 4 columns with their blanks
        {u"HiH", 13, bands({u"H", u"i", u"H"})},
        {u"W", 3, bands({u"W"})},         // wider than the columns: a band of its own
        {u"77", 18, bands({u"7", u"7"})}, // "7" counts 7 but its top row shows 8
        {u"", 10, ""},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(ComposeFittingPage(c.line, c.columns));
        EXPECT_EQ(PageText, c.page) << c.columns;
    }
    EXPECT_FALSE(ComposeFittingPage(std::u16string(32768, u'i'), 80));
}
