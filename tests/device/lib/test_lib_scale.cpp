#include "lib_scale.h"
#include "lib_screen_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void use_large_screen() { lib_screen_geometry_t::get_instance()->screen_type = 2; }

} // namespace

TEST(LibScalePixels, ValueAndPixelsAtFiftyPixelsADivision)
{
    const lib_unit_data_t one = lib_scale_value_of_pixels(25, {2.0L, 8, true});
    EXPECT_EQ(one.data, 1.0L);
    EXPECT_EQ(one.unit, 8);
    EXPECT_TRUE(one.changed);

    const struct
    {
        lib_unit_data_t value;
        lib_unit_data_t per_division;
        int32 pixels;
    } cases[] = {
        {{3.0L, 8, false}, {1.0L, 8, false}, 150},
        {{1.0L, 7, false}, {1.0L, 8, false}, 0},   // 0.05 rounds to 0
        {{30.0L, 7, false}, {1.0L, 8, false}, 2},  // 1.5 rounds away from zero
        {{-30.0L, 7, false}, {1.0L, 8, false}, -2},
        {{2.0L, 9, false}, {500.0L, 8, false}, 200},
        {{1.0L, 8, false}, {0.0L, 8, false}, 0},   // nothing per division: no division
        {{1e30L, 8, false}, {1e-30L, 8, false}, 0}, // far beyond an int
        // Prefix indices outside the table leave the value as it is.
        {{3.0L, 20, false}, {1.0L, 8, false}, 150},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lib_scale_pixels_of_value(c.value, c.per_division), c.pixels)
            << static_cast<double>(c.value.data) << " in " << c.value.unit;
}

TEST(LibScalePixels, SixtyPixelsOnTheLargeScreen)
{
    use_large_screen();
    EXPECT_EQ(lib_scale_value_of_pixels(30, {2.0L, 8, false}).data, 1.0L);
    EXPECT_EQ(lib_scale_pixels_of_value({3.0L, 8, false}, {1.0L, 8, false}), 180);
}

TEST(LibScaleTables, StepsWeightsAndOutOfTableIndices)
{
    const float s125[] = {0.1f, 0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000};
    for (int32 i = 0; i < 16; ++i) {
        EXPECT_EQ(lib_scale_step_125(i), s125[i]) << i;
        EXPECT_EQ(lib_scale_step_125_or_one(i), s125[i]) << i;
    }
    EXPECT_EQ(lib_scale_step_125_or_one(16), 1.0f);
    EXPECT_EQ(lib_scale_step_125(16), 1.0f);
    EXPECT_EQ(lib_scale_step_125(-1), 1.0f);

    EXPECT_EQ(lib_scale_fine_step_count(), 17);
    EXPECT_EQ(lib_scale_fine_step(0), 0.0005L);
    EXPECT_EQ(lib_scale_fine_step(10), 1.0L);
    EXPECT_EQ(lib_scale_fine_step(16), 100.0L);
    EXPECT_EQ(lib_scale_fine_step(17), 1.0L);
    EXPECT_EQ(lib_scale_fine_step(-5), 1.0L);

    const u8 weights[] = {16, 8, 4, 2, 1, 2, 1, 1, 2, 1, 1, 2, 1, 1};
    for (int32 i = 0; i < 14; ++i)
        EXPECT_EQ(lib_scale_step_weight(i), weights[i]) << i;
    EXPECT_EQ(lib_scale_step_weight(14), 1);

    EXPECT_EQ(lib_scale_step_ratio(0, 5, 2), 10.0f);
    EXPECT_EQ(lib_scale_step_ratio(0, 0, 11), 0.1f / 500.0f);
    EXPECT_TRUE(std::isnan(lib_scale_step_ratio(1, 5, 2)));
    EXPECT_EQ(lib_scale_step_ratio(0, 12, 2), 1.0f);
    EXPECT_EQ(lib_scale_step_ratio(0, 2, -1), 1.0f);

    const long double *t = lib_time_base_steps();
    EXPECT_EQ(t[0], 2e-10L);
    EXPECT_EQ(t[1], 5e-10L);
    EXPECT_EQ(t[2], 1e-9L);
    EXPECT_EQ(t[20], 1e-3L);
    EXPECT_EQ(t[35], 100.0L);
    EXPECT_EQ(t[36], 200.0L);
    EXPECT_EQ(t[38], 1000.0L);
    for (int i = 1; i < 39; ++i)
        EXPECT_LT(t[i - 1], t[i]) << i;
}

TEST(LibScaleCoarse, PositionClampsAndFindsTheStepAbove)
{
    const struct
    {
        long double value;
        long double clamped;
        int32 index;
        int32 pixels;
    } cases[] = {
        {0.3L, 0.3L, 2, -33}, {25.0L, 20.0L, 7, 0}, {0.05L, 0.1L, 0, 0}, {0.1L, 0.1L, 0, 0},
        {1.0L, 1.0L, 3, 0},   {15.0L, 15.0L, 7, -25},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        long double value = c.value;
        int32 index = -1;
        int32 pixels = -1;
        lib_scale_coarse_position(0, &index, &value, &pixels);
        EXPECT_EQ(static_cast<double>(value), static_cast<double>(c.clamped));
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(pixels, c.pixels);
    }
    long double value = 0.3L;
    int32 index = -1;
    int32 pixels = -1;
    lib_scale_coarse_position(1, &index, &value, &pixels);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(value, 0.3L);
    // NaN finds no step and stays inside the table.
    value = std::numeric_limits<long double>::quiet_NaN();
    lib_scale_coarse_position(0, &index, &value, &pixels);
    EXPECT_EQ(index, 11);
    EXPECT_EQ(pixels, 0);
}

TEST(LibScaleCoarse, ValueOfAStepAndOffset)
{
    lib_unit_data_t out{-1.0L, 3, false};
    lib_scale_coarse_value(0, 2, -33, &out);
    EXPECT_NEAR(static_cast<double>(out.data), 0.302, 1e-6);
    EXPECT_EQ(out.unit, 8);
    lib_scale_coarse_value(0, 0, 40, &out);
    EXPECT_EQ(static_cast<double>(out.data), 0.1);
    lib_scale_coarse_value(0, 12, 0, &out);
    EXPECT_EQ(out.data, 1.0L);
    lib_scale_coarse_value(0, -2, 0, &out);
    EXPECT_EQ(out.data, 1.0L);
    out = {7.0L, 3, false};
    lib_scale_coarse_value(1, 2, 0, &out);
    EXPECT_EQ(out.data, 7.0L);
    EXPECT_EQ(out.unit, 8);
}

TEST(LibScaleFine, PositionReportsStepOffsetAndNearerSide)
{
    const struct
    {
        lib_unit_data_t value;
        long double moved;
        int32 index;
        bool nearer_lower;
        int32 pixels;
    } cases[] = {
        {{0.3L, 8, false}, 0.3L, 9, true, -33},
        {{0.45L, 8, false}, 0.45L, 9, false, -8},
        {{300.0L, 7, false}, 0.3L, 9, true, -33},
        {{0.0001L, 8, false}, 0.0005L, 0, false, 0},
        {{50.0L, 8, false}, 10.0L, 13, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value.data));
        lib_unit_data_t value = c.value;
        int32 index = -1;
        int32 pixels = -1;
        bool nearer_lower = !c.nearer_lower;
        lib_scale_fine_position(&index, &value, &pixels, &nearer_lower);
        EXPECT_NEAR(static_cast<double>(value.data), static_cast<double>(c.moved), 1e-15);
        EXPECT_EQ(value.unit, 8);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(nearer_lower, c.nearer_lower);
        EXPECT_EQ(pixels, c.pixels);
    }
}

TEST(LibScaleFine, LargeScreenUsesSixtyPixelsOnEveryThirdStep)
{
    use_large_screen();
    lib_unit_data_t value{0.3L, 8, false};
    int32 index = -1;
    int32 pixels = 0;
    bool nearer_lower = false;
    lib_scale_fine_position(&index, &value, &pixels, &nearer_lower);
    EXPECT_EQ(index, 9);
    EXPECT_EQ(pixels, -40);
    value = {1.5L, 8, false};
    lib_scale_fine_position(&index, &value, &pixels, &nearer_lower);
    EXPECT_EQ(index, 11);
    EXPECT_EQ(pixels, -25);
}

TEST(LibScaleFine, ValueOfAStepAndOffset)
{
    const struct
    {
        int32 mode;
        int32 index;
        int32 pixels;
        double expected;
    } cases[] = {
        {1, 0, 5, 0.001},     {1, 0, 0, 0.0005},   {1, 0, -5, 0.0005}, {0, 10, 17, 1.0},
        {0, 7, 0, 0.1f},      {1, 10, -25, 0.75},  {1, 16, 0, 100.0},  {1, 17, 0, 1.0},
        {0, -1, 0, 1.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.index << " " << c.pixels);
        lib_unit_data_t out{-1.0L, 3, false};
        lib_scale_fine_value(c.mode, c.index, c.pixels, &out);
        EXPECT_NEAR(static_cast<double>(out.data), c.expected, 1e-7);
        EXPECT_EQ(out.unit, 8);
    }
}

TEST(LibScaleClamp, OffsetLimitsByRange)
{
    const struct
    {
        int32 range;
        float step;
        int32 offset;
        int32 result;
        int32 clamped;
    } cases[] = {
        {9, 2.0f, 600, -10, 500},   {9, 2.0f, -600, -11, -500}, {-1, 2.0f, 0, 1, 0},     {9, 2.0f, 500, 1, 500},
        {12, 2.0f, 6000, -10, 5000}, {5, 2.0f, 60, -10, 50},    {14, 2.0f, 600, -10, 500}, {-1, 2.0f, 3, -10, 0},
        // A zero step does not divide and clamps nothing.
        {9, 0.0f, 123456, 1, 123456},
        // A negative step gives a negative limit.
        {9, -2.0f, 0, -10, -499},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.range << " " << c.step << " " << c.offset);
        int32 offset = c.offset;
        EXPECT_EQ(lib_scale_clamp_offset(c.range, c.step, &offset), c.result);
        EXPECT_EQ(offset, c.clamped);
    }
}

TEST(LibScaleSearch, FirstStepAboveTheValue)
{
    const struct
    {
        double x;
        int32 time_base;
        int32 fine;
    } cases[] = {
        {1e-3, 20, 1}, {2000.0, 39, 13}, {100.0, 35, 13}, {0.0, 0, 0}, {0.0015, 21, 2}, {5.0, 31, 12}, {5.1, 32, 13},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(lib_time_base_index(c.x), c.time_base) << c.x;
        EXPECT_EQ(lib_scale_fine_index(c.x), c.fine) << c.x;
    }
}
