#include "settings/numeric_text.h"

#include <gtest/gtest.h>

using modOptions::IsValidSpacing;
using modOptions::ReadInt16;
using modOptions::ReadNumber;

TEST(NumericText, AcceptsBlanksSignFractionAndExponent) {
    EXPECT_EQ(ReadNumber(u" 3"), 3.0);
    EXPECT_EQ(ReadNumber(u"3  "), 3.0);
    EXPECT_EQ(ReadNumber(u"-7"), -7.0);
    EXPECT_EQ(ReadNumber(u"+2"), 2.0);
    EXPECT_EQ(ReadNumber(u"1e1"), 10.0);
    EXPECT_EQ(ReadNumber(u"2.5E-1"), 0.25);
    EXPECT_EQ(ReadNumber(u".5"), 0.5);
    EXPECT_EQ(ReadNumber(u"5."), 5.0);
}

TEST(NumericText, RefusesEmptyTextsLettersAndOtherForms) {
    for (std::u16string_view text :
         {u"", u"   ", u"abc", u"1a", u"--1", u"1e", u"e5", u".", u"-", u"1 2", u"1,000", u"0x10",
          u"inf", u"nan", u"$5", u"1.2.3", u"\u0661"}) {
        EXPECT_FALSE(ReadNumber(text)) << std::string(text.begin(), text.end());
    }
}

TEST(NumericText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(ReadNumber(u"1,5", u','), 1.5);
    EXPECT_FALSE(ReadNumber(u"1.5", u','));
}

TEST(NumericText, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(ReadInt16(u"1.5"), 2);
    EXPECT_EQ(ReadInt16(u"2.5"), 2);
    EXPECT_EQ(ReadInt16(u"0.5"), 0);
    EXPECT_EQ(ReadInt16(u"-0.5"), 0);
    EXPECT_EQ(ReadInt16(u"40.5"), 40);
    EXPECT_EQ(ReadInt16(u"40.51"), 41);
    EXPECT_EQ(ReadInt16(u"-7"), -7);
    EXPECT_EQ(ReadInt16(u"1e1"), 10);
}

TEST(NumericText, OnlyNumbersThatRoundIntoSixteenBitsFit) {
    EXPECT_EQ(ReadInt16(u"32767.4"), 32767);
    EXPECT_EQ(ReadInt16(u"-32768.5"), -32768);
    EXPECT_FALSE(ReadInt16(u"32767.5"));
    EXPECT_FALSE(ReadInt16(u"99999"));
    EXPECT_FALSE(ReadInt16(u"-32769"));
    EXPECT_FALSE(ReadInt16(u"1e999999999999"));
    EXPECT_EQ(ReadInt16(u"1e-999999999999"), 0);
    std::u16string tiny(u"0.");
    tiny.append(400, u'0').push_back(u'1');
    EXPECT_EQ(ReadInt16(tiny), 0);
    EXPECT_FALSE(ReadInt16(std::u16string(400, u'9')));
}

TEST(IsValidSpacing, ComparesTheNumberBeforeRounding) {
    for (std::u16string_view good : {u"0", u"12", u"0.4", u" 3", u"1e1", u"-0", u"11.99"}) {
        EXPECT_TRUE(IsValidSpacing(good));
    }
    for (std::u16string_view bad : {u"12.4", u"-0.4", u"13", u"", u"letters", u"99999"}) {
        EXPECT_FALSE(IsValidSpacing(bad));
    }
}
