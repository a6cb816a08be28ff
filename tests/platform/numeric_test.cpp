#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/numeric.h"

#include <limits>

using namespace lumoria;

TEST(Numeric, RoundTakesHalvesToEven)
{
    EXPECT_EQ(Round(2.5L), 2);
    EXPECT_EQ(Round(3.5L), 4);
    EXPECT_EQ(Round(-2.5L), -2);
    EXPECT_EQ(Round(-3.5L), -4);
    EXPECT_EQ(Round(142.857L), 143);
    EXPECT_EQ(Round(134.68L), 135);
    EXPECT_EQ(Round(0.49999L), 0);
}

TEST(Numeric, TruncAndDivGoTowardZero)
{
    EXPECT_EQ(Trunc(297.0L / 90.0L), 3);
    EXPECT_EQ(Trunc(-1.9L), -1);
    EXPECT_EQ(Div(7, 2), 3);
    EXPECT_EQ(Div(-7, 2), -3);
    EXPECT_EQ(Div(7, -2), -3);
    EXPECT_THROW(Div(1, 0), DivisionByZero);
    EXPECT_THROW(Div(std::numeric_limits<std::int32_t>::min(), -1), RangeError);
}

TEST(Numeric, ConversionsTo32BitsAreChecked)
{
    EXPECT_EQ(ToInt32(2147483647LL), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648LL), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(ToInt32(2147483648LL), RangeError);
    EXPECT_THROW(RoundToInt32(2147483647.5L), RangeError); // rounds to even: 2147483648
    EXPECT_EQ(RoundToInt32(2147483646.5L), 2147483646);
    EXPECT_THROW(TruncToInt32(-2147483649.0L), RangeError);
    EXPECT_THROW(Round(1e30L), RangeError);
    EXPECT_THROW(Round(std::numeric_limits<long double>::quiet_NaN()), RangeError);
    EXPECT_THROW(Trunc(std::numeric_limits<long double>::infinity()), RangeError);
    // The range failure carries the platform's message.
    try {
        ToInt32(1LL << 40);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "Range check error");
    }
}
