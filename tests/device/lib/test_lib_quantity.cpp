#include "lib_quantity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(LibPhase, ReducesModulo360KeepingTheSign)
{
    const long double k_2_63 = 9223372036854775808.0L;
    const struct
    {
        long double x;
        long double expected;
    } cases[] = {
        {360.0L, 360.0L},   {-360.0L, -360.0L}, {725.25L, 5.25L},  {-725.25L, -5.25L}, {0.5L, 0.5L},
        {370.5L, 10.5L},    {-370.5L, -10.5L},  {720.0L, 0.0L},    {359.9L, 359.9L},   {-359.9L, -359.9L},
        {1080.0L, 0.0L},    {361.0L, 1.0L},     {0.0L, 0.0L},
        // The int64 range's edges and beyond it (there every value is a whole number).
        {-k_2_63, -8.0L},   {k_2_63, 8.0L},     {1e19L, 280.0L},   {-1e19L, -280.0L},  {1e30L, std::fmod(1e30L, 360.0L)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x));
        const long double r = lib_phase_mod_360(c.x);
        EXPECT_NEAR(static_cast<double>(r), static_cast<double>(c.expected), 1e-12);
        EXPECT_LT(std::fabs(r), c.x == 360.0L || c.x == -360.0L ? 360.1L : 360.0L);
    }
    // The fraction survives whole: 370.5 leaves exactly 10.5.
    EXPECT_EQ(lib_phase_mod_360(370.5L), 10.5L);
}

TEST(LibPhase, NonFiniteAnglesComeBackUnchanged)
{
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(lib_phase_mod_360(inf), inf);
    EXPECT_EQ(lib_phase_mod_360(-inf), -inf);
    EXPECT_TRUE(std::isnan(lib_phase_mod_360(std::numeric_limits<long double>::quiet_NaN())));
}

TEST(LibPhase, PositiveAddsOneTurnBelowZero)
{
    EXPECT_EQ(lib_phase_positive(-90.0L), 270.0L);
    EXPECT_EQ(lib_phase_positive(90.0L), 90.0L);
    EXPECT_EQ(lib_phase_positive(0.0L), 0.0L);
    EXPECT_EQ(lib_phase_positive(lib_phase_mod_360(-725.25L)), 354.75L);
}

TEST(LibQuantity, ReciprocalsDutyCountAndOtherChannel)
{
    EXPECT_EQ(lib_freq_to_period(4.0L), 0.25L);
    EXPECT_EQ(lib_period_to_freq(0.001L), 1.0L / 0.001L);
    EXPECT_EQ(lib_freq_to_period(0.0L), std::numeric_limits<long double>::infinity());
    EXPECT_NEAR(static_cast<double>(lib_duty_to_width(25.0L, 1000.0L)), 2.5e-4, 1e-18);
    EXPECT_EQ(lib_divide_by_count(10.0L, 4u), 2.5L);
    // The count is unsigned: all ones is 4294967295, not -1.
    EXPECT_GT(lib_divide_by_count(4294967295.0L, 0xFFFFFFFFu), 0.0L);

    const struct
    {
        int32 ch;
        int32 other;
    } channels[] = {{0, 1}, {1, 0}, {5, 0}, {-1, 0}};
    for (const auto &c : channels)
        EXPECT_EQ(lib_other_ch(c.ch), c.other) << c.ch;
}
