#include "platform/checked16.h"

#include <gtest/gtest.h>

using platform::Add16;
using platform::Mul16;
using platform::Sub16;

TEST(Checked16, ResultsAtTheEdgesOfTheRangeAreExact) {
    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(Sub16(-32767, 1), -32768);
    EXPECT_EQ(Mul16(273, 120), 32760);
    EXPECT_EQ(Mul16(-256, 128), -32768);
}

TEST(Checked16, ResultsOutsideTheRangeAreRefusedInsteadOfWrapped) {
    EXPECT_EQ(Add16(32767, 1), std::nullopt);
    EXPECT_EQ(Sub16(-32768, 1), std::nullopt);
    EXPECT_EQ(Mul16(274, 120), std::nullopt);
    EXPECT_EQ(Mul16(-32768, -1), std::nullopt);
}
