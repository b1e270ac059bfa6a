#include "lib_unit_convert.h"
#include "lib_unit_deal.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

TEST(LibUnitDeal, ConvertsAsTheFreeFunctionsDo)
{
    const lib_unit_deal_t deal;
    for (int32 from = 6; from <= 22; ++from) {
        for (int32 to = 8; to <= 20; ++to) {
            SCOPED_TRACE(testing::Message() << from << " to " << to);
            const lib_unit_data_t source{3.75L, from, false};
            lib_unit_data_t mine{-1.0L, 0, true};
            lib_unit_data_t theirs{-1.0L, 0, true};
            {
                stdout_capture_t quiet;
                EXPECT_EQ(deal.convert(source, mine, to), 1);
                lib_unit_convert(source, theirs, to);
                quiet.finish();
            }
            EXPECT_EQ(mine.data, theirs.data);
            EXPECT_EQ(mine.unit, theirs.unit);
            {
                stdout_capture_t quiet;
                EXPECT_EQ(deal.convert_squared(source, mine, to), 1);
                lib_unit_convert_squared(source, theirs, to);
                quiet.finish();
            }
            EXPECT_EQ(mine.data, theirs.data);
            long double a = 3.75L;
            long double b = 3.75L;
            {
                stdout_capture_t quiet;
                deal.convert_value(from, a, to);
                lib_unit_convert_value(from, b, to);
                quiet.finish();
            }
            EXPECT_EQ(a, b);
        }
    }
}

TEST(LibUnitDeal, RefusalWritesItsOwnTwoLines)
{
    const lib_unit_deal_t deal;
    lib_unit_data_t destination{42.0L, 3, true};
    stdout_capture_t out;
    EXPECT_EQ(deal.do_convert({1.0L, 8, false}, destination, 14, LIB_UNIT_LINEAR_STEPS, 6), -13);
    EXPECT_EQ(out.finish(), "lib_unit_deal_t::do_convert::amplify_index = 6\nlib_unit_deal_t::do_convert::size = 6\n");
    EXPECT_EQ(destination.data, 42.0L);
    EXPECT_EQ(destination.unit, 3);
}

TEST(LibUnitDeal, ToBaseAimsAtTheApiBase)
{
    const lib_unit_deal_t deal;
    const lib_unit_data_t kilo = deal.to_base({2.5L, 9, false});
    EXPECT_EQ(kilo.data, 2500.0L);
    EXPECT_EQ(kilo.unit, 8);
    stdout_capture_t out;
    const lib_unit_data_t refused = deal.to_base({2.5L, 14, true});
    out.finish();
    EXPECT_EQ(refused.data, 2.5L);
    EXPECT_EQ(refused.unit, 14);
    EXPECT_EQ(deal.ready(), 1);
    EXPECT_EQ(deal.freq_to_period(8.0L), 0.125L);
    EXPECT_EQ(deal.period_to_freq(0.125L), 8.0L);
    EXPECT_EQ(deal.duty_to_width(50.0L, 2.0L), 0.25L);
}

TEST(LibUnitDeal, RoundsHalfUpAtNDecimals)
{
    const lib_unit_deal_t deal;
    const struct
    {
        long double x;
        int32 n;
        int32 result;
        long double expected;
    } cases[] = {
        {2.346L, 2, 1, 2.35L},  {2.346L, 0, 1, 2.0L},     {2.346L, -1, 0, 2.346L}, {-1.26L, 1, 1, -1.2L},
        {0.5L, 0, 1, 1.0L},     {1.23456789L, 9, 1, 1.234567890L},
        // 10^10 is no 32-bit integer, and 3e9 no 32-bit result: refused, x kept.
        {2.346L, 10, 0, 2.346L}, {3e9L, 0, 0, 3e9L},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x) << " at " << c.n);
        long double x = c.x;
        EXPECT_EQ(deal.round_decimals(x, c.n), c.result);
        EXPECT_NEAR(static_cast<double>(x), static_cast<double>(c.expected), 1e-15);
    }
}
