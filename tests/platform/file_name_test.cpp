#include "platform/file_name.h"

#include <gtest/gtest.h>

using platform::BannerFileName;

TEST(BannerFileName, OrdinaryLinesKeepEveryCharacterAndTheirBlanks) {
    EXPECT_EQ(BannerFileName(u"Hi"), u"Hi.txt");
    EXPECT_EQ(BannerFileName(u""), u".txt");
    EXPECT_EQ(BannerFileName(u"  Hi there "), u"  Hi there .txt");
    EXPECT_EQ(BannerFileName(u"caf\u00E9 \u4E2D"), u"caf\u00E9 \u4E2D.txt");
}

TEST(BannerFileName, CharactersNoNameMayHoldBecomeUnderscores) {
    EXPECT_EQ(BannerFileName(u"../x"), u".._x.txt");
    EXPECT_EQ(BannerFileName(u"a/b"), u"a_b.txt");
    EXPECT_EQ(BannerFileName(u"a\\b"), u"a_b.txt");
    EXPECT_EQ(BannerFileName(u"C:x"), u"C_x.txt");
    EXPECT_EQ(BannerFileName(u"what?"), u"what_.txt");
    EXPECT_EQ(BannerFileName(u"\"<>|*"), u"_____.txt");
    EXPECT_EQ(BannerFileName(std::u16string(u"a\tb\0c\x1F", 6)), u"a_b_c_.txt");
}

TEST(BannerFileName, DeviceNamesGetALeadingUnderscore) {
    EXPECT_EQ(BannerFileName(u"CON"), u"_CON.txt");
    EXPECT_EQ(BannerFileName(u"nul.txt"), u"_nul.txt.txt");
    EXPECT_EQ(BannerFileName(u"Com7"), u"_Com7.txt");
    EXPECT_EQ(BannerFileName(u"lpt1.x"), u"_lpt1.x.txt");
    EXPECT_EQ(BannerFileName(u"aux "), u"_aux .txt");
    EXPECT_EQ(BannerFileName(u"COM\u00B9"), u"_COM\u00B9.txt");
    EXPECT_EQ(BannerFileName(u"com\u00B2.txt"), u"_com\u00B2.txt.txt");
    EXPECT_EQ(BannerFileName(u"Lpt\u00B3"), u"_Lpt\u00B3.txt");
    EXPECT_EQ(BannerFileName(u"LPT\u2074"), u"LPT\u2074.txt");
    EXPECT_EQ(BannerFileName(u"CONSOLE"), u"CONSOLE.txt");
    EXPECT_EQ(BannerFileName(u"COM0"), u"COM0.txt");
    EXPECT_EQ(BannerFileName(u"xNUL"), u"xNUL.txt");
}
