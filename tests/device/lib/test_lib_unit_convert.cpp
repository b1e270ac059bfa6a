#include "lib_unit_convert.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Equal to a few units in the last place of the 80-bit type.
void expect_close(long double actual, long double expected)
{
    EXPECT_LE(std::fabs(actual - expected), std::fabs(expected) * 4 * LDBL_EPSILON)
        << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

const lib_unit_data_t k_sentinel{42.0L, 3, true};

} // namespace

TEST(LibUnitConvert, StepsBetweenConfigurationCodes)
{
    const struct
    {
        long double data;
        int32 unit;
        int32 target;
        long double expected;
    } cases[] = {
        {2.5L, 13, 14, 0.0025L}, {2.5L, 15, 14, 2500.0L},   {2.5L, 14, 14, 2.5L},     {7.0L, 9, 14, 7e-15L},
        {3.0L, 19, 14, 3e15L},   {1.5L, 14, 12, 1.5e6L},    {-4.0L, 10, 13, -4e-9L},  {0.0L, 18, 16, 0.0L},
        {5.0L, 14, 19, 5e-15L},  {1.0L, 0, -5, 1e15L},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.data) << " from " << c.unit << " to " << c.target);
        lib_unit_data_t destination = k_sentinel;
        EXPECT_EQ(lib_unit_convert({c.data, c.unit, false}, destination, c.target), 1);
        expect_close(destination.data, c.expected);
        EXPECT_EQ(destination.unit, c.target);
        // The flag belongs to the settings stores, never to a conversion.
        EXPECT_TRUE(destination.changed);
        lib_unit_data_t again = k_sentinel;
        EXPECT_EQ(lib_unit_do_convert({c.data, c.unit, false}, again, c.target, LIB_UNIT_LINEAR_STEPS, 6), 0);
        EXPECT_EQ(again.data, destination.data);
    }
}

TEST(LibUnitConvert, ThereAndBackIsExact)
{
    lib_unit_data_t record{1.5L, 14, false};
    lib_unit_data_t micro = k_sentinel;
    lib_unit_convert(record, micro, 12);
    lib_unit_data_t back = k_sentinel;
    lib_unit_convert(micro, back, 14);
    EXPECT_EQ(back.data, 1.5L);
    EXPECT_EQ(back.unit, 14);
    // In place, source and destination the same record.
    lib_unit_convert(record, record, 17);
    lib_unit_convert(record, record, 14);
    EXPECT_EQ(record.data, 1.5L);
}

TEST(LibUnitConvert, SixOrMoreStepsAreRefusedWithTwoLinesAndTheDestinationKept)
{
    const struct
    {
        long double data;
        int32 unit;
        int32 target;
        const char *lines;
    } cases[] = {
        {1.0L, 8, 14, "amplify_index = 6\nsize = 6,data.data = 1,data.unit = 8\n"},
        {2.5L, 20, 14, "amplify_index = 6\nsize = 6,data.data = 2.5,data.unit = 20\n"},
        {-0.125L, 14, 99, "amplify_index = 85\nsize = 6,data.data = -0.125,data.unit = 14\n"},
        {1e-30L, INT_MIN, INT_MAX, "amplify_index = 4294967295\nsize = 6,data.data = 1e-30,data.unit = -2147483648\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lines);
        lib_unit_data_t destination = k_sentinel;
        stdout_capture_t out;
        EXPECT_EQ(lib_unit_convert({c.data, c.unit, false}, destination, c.target), 1);
        EXPECT_EQ(out.finish(), c.lines);
        EXPECT_EQ(destination.data, k_sentinel.data);
        EXPECT_EQ(destination.unit, k_sentinel.unit);

        stdout_capture_t again;
        EXPECT_EQ(lib_unit_do_convert({c.data, c.unit, false}, destination, c.target, LIB_UNIT_LINEAR_STEPS, 6), -13);
        EXPECT_EQ(again.finish(), c.lines);
    }
}

TEST(LibUnitConvert, ValueAndSquaredForms)
{
    long double value = 3.0L;
    EXPECT_EQ(lib_unit_convert_value(16, value, 14), 1);
    EXPECT_EQ(value, 3000000.0L);
    {
        stdout_capture_t out;
        EXPECT_EQ(lib_unit_convert_value(7, value, 14), 1);
        EXPECT_EQ(out.finish(), "amplify_index = 7\nsize = 6,data.data = 3e+06,data.unit = 7\n");
        EXPECT_EQ(value, 3000000.0L);
    }

    lib_unit_data_t destination = k_sentinel;
    EXPECT_EQ(lib_unit_convert_squared({2.0L, 13, false}, destination, 14), 1);
    expect_close(destination.data, 2e-6L);
    EXPECT_EQ(lib_unit_convert_squared({2.0L, 16, false}, destination, 14), 1);
    expect_close(destination.data, 2e12L);
    EXPECT_EQ(lib_unit_convert_squared({2.0L, 9, false}, destination, 14), 1);
    expect_close(destination.data, 2e-30L);
}

TEST(LibUnitConvert, ToDefaultGivesTheBaseUnitOrACopyWhenRefused)
{
    const lib_unit_data_t kilo = lib_unit_to_default({2.5L, 15, true});
    expect_close(kilo.data, 2500.0L);
    EXPECT_EQ(kilo.unit, 14);

    stdout_capture_t out;
    const lib_unit_data_t refused = lib_unit_to_default({1.0L, 8, true});
    EXPECT_EQ(out.finish(), "amplify_index = 6\nsize = 6,data.data = 1,data.unit = 8\n");
    EXPECT_EQ(refused.data, 1.0L);
    EXPECT_EQ(refused.unit, 8);
    EXPECT_TRUE(refused.changed);
}

TEST(LibUnitAutoPrefix, TakesThePrefixOfTheLargestThresholdStrictlyBelow)
{
    const struct
    {
        long double data;
        int32 unit;
        long double expected;
        int32 code;
    } cases[] = {
        {1000.0L, 14, 1000.0L, 14}, {2500.0L, 14, 2.5L, 15},     {1.0L, 14, 1000.0L, 13},
        {0.0L, 14, 0.0L, 10},       {2e9L, 14, 2.0L, 17},        {5e-7L, 14, 500.0L, 11},
        {3e13L, 14, 30.0L, 18},     {1e15L, 14, 1000.0L, 18},    {-2500.0L, 14, -2.5L, 15},
        {2.5L, 15, 2.5L, 15},       {7.0L, 11, 7.0L, 11},        {1e-13L, 14, 0.1L, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.data) << " in " << c.unit);
        lib_unit_data_t record{c.data, c.unit, true};
        EXPECT_EQ(lib_unit_auto_prefix(record), 1);
        expect_close(record.data, c.expected);
        EXPECT_EQ(record.unit, c.code);
        EXPECT_TRUE(record.changed);
    }
}

TEST(LibUnitAutoPrefix, EveryDecadeBoundaryGoesToTheLowerPrefix)
{
    const long double thresholds[] = {1e-12L, 1e-9L, 1e-6L, 1e-3L, 1.0L, 1e3L, 1e6L, 1e9L, 1e12L};
    for (int32 code = 10; code <= 18; ++code) {
        const long double threshold = thresholds[code - 10];
        SCOPED_TRACE(code);
        lib_unit_data_t at{threshold, 14, false};
        lib_unit_auto_prefix(at);
        EXPECT_EQ(at.unit, code == 10 ? 10 : code - 1);
        lib_unit_data_t above{threshold * 1.001L, 14, false};
        lib_unit_auto_prefix(above);
        EXPECT_EQ(above.unit, code);
        expect_close(above.data, 1.001L);
    }
}

TEST(LibUnitAutoPrefix, RefusedConversionToTheBaseGoesOnWithTheRecordAsItIs)
{
    lib_unit_data_t record{5.0L, 3, false};
    stdout_capture_t out;
    EXPECT_EQ(lib_unit_auto_prefix(record), 1);
    const std::string lines = out.finish();
    EXPECT_EQ(lines.find("amplify_index = 11\n"), 0u) << lines;
    EXPECT_EQ(record.unit, 3);
    EXPECT_EQ(record.data, 5.0L);
}

TEST(LibUnitPrefix, TableConversionsInTheApiNumbering)
{
    EXPECT_EQ(lib_unit_prefix_convert({1.0L, 9, false}, 8), 1000.0L);
    EXPECT_EQ(lib_unit_prefix_convert({5.0L, 8, false}, 7), 5000.0L);
    EXPECT_EQ(lib_unit_prefix_convert({5.0L, 8, false}, 8), 5.0L);
    expect_close(lib_unit_prefix_convert({3.0L, 0, false}, 13), 3e-39L);
    // Outside the table: the value as it was, nothing read beyond it.
    EXPECT_EQ(lib_unit_prefix_convert({5.0L, 14, false}, 8), 5.0L);
    EXPECT_EQ(lib_unit_prefix_convert({5.0L, 8, false}, -1), 5.0L);

    const struct
    {
        int32 index;
        long double factor;
    } factors[] = {{0, 1e-24L}, {7, 0.001L}, {8, 1.0L}, {13, 1e15L}, {14, 1.0L}, {-1, 1.0L}, {INT_MAX, 1.0L}};
    for (const auto &f : factors)
        EXPECT_EQ(lib_unit_prefix_factor(f.index), f.factor) << f.index;
}

TEST(LibUnitPrefix, ExponentsCoverPicoToPetaOnly)
{
    const int32 expected[14] = {0, 0, 0, 0, -12, -9, -6, -3, 0, 3, 6, 9, 12, 15};
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(lib_unit_prefix_exponent(static_cast<uint8>(i)), i < 14 ? expected[i] : 0) << i;

    expect_close(lib_unit_prefix_to_base(2.5L, 7), 0.0025L);
    EXPECT_EQ(lib_unit_prefix_to_base(2.5L, 3), 2.5L);
    EXPECT_EQ(lib_unit_prefix_to_base(2.5L, 0), 2.5L);
    expect_close(lib_unit_prefix_to_base(2.5L, 13), 2.5e15L);
    expect_close(lib_unit_prefix_to_base(2.5L, 4), 2.5e-12L);
    EXPECT_EQ(lib_unit_prefix_to_base(2.5L, 200), 2.5L);
}

TEST(LibUnitAutoRange, ClassifiesByMagnitudeWithInclusiveLowerBounds)
{
    const struct
    {
        long double x;
        long double data;
        int32 unit;
    } cases[] = {
        {0.0L, 0.0L, 1},          {1000.0L, 1.0L, 9},        {999.9999L, 999.9999L, 8}, {-0.5L, -500.0L, 7},
        {2.5e13L, 25000.0L, 11},  {2e-15L, 2.0L, 3},         {4e-16L, 400.0L, 2},       {1e-20L, 10.0L, 1},
        {1e13L, 10000.0L, 11},    {-3e6L, -3.0L, 10},        {1.0L, 1.0L, 8},           {1e9L, 1.0L, 11},
        {1e6L, 1.0L, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x));
        const lib_unit_data_t r = lib_unit_auto_range(c.x);
        expect_close(r.data, c.data);
        EXPECT_EQ(r.unit, c.unit);
    }
}

TEST(LibUnitAutoRange, DecimalBoundsBelowOneMeetTheirRow)
{
    // No binary type holds these exactly; as doubles and as long doubles, above or
    // below the power of ten, each still reads 1 in its own prefix.
    const struct
    {
        long double x;
        int32 unit;
    } cases[] = {{0.001, 7},   {1e-6, 6},   {1e-9, 5},   {1e-12, 4},   {1e-15, 3},   {1e-18, 2},
                 {0.001L, 7},  {1e-6L, 6},  {1e-9L, 5},  {1e-12L, 4},  {1e-15L, 3},  {1e-18L, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x));
        const lib_unit_data_t r = lib_unit_auto_range(c.x);
        EXPECT_NEAR(static_cast<double>(r.data), 1.0, 1e-15);
        EXPECT_EQ(r.unit, c.unit);
    }
}

TEST(LibUnitAutoRange, JustBelowEachBoundaryTakesTheRowBelow)
{
    // Row bounds 1e9 (index 11) down to 1e-18 (index 2), just below each one.
    for (int32 unit = 11; unit >= 2; --unit) {
        const long double bound = std::pow(10.0L, 3 * (unit - 8));
        SCOPED_TRACE(unit);
        EXPECT_EQ(lib_unit_auto_range(bound * 0.999L).unit, unit - 1);
        EXPECT_EQ(lib_unit_auto_range(-bound * 0.999L).unit, unit - 1);
        EXPECT_LT(lib_unit_auto_range(-bound).data, 0.0L);
    }
    const lib_unit_data_t nan = lib_unit_auto_range(std::numeric_limits<long double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(nan.data));
    EXPECT_EQ(nan.unit, 1);
}

TEST(LibUnitStepRange, StepsUntilTheValueIsBetweenOneAndAThousand)
{
    const struct
    {
        long double data;
        int32 unit;
        long double expected;
        int32 expected_unit;
    } cases[] = {
        {0.0005L, 8, 500.0L, 6},  {2500000.0L, 8, 2.5L, 10}, {5e20L, 13, 5e20L, 13}, {0.0L, 8, 0.0L, 0},
        {1000.0L, 8, 1.0L, 9},    {-0.5L, 8, -500.0L, 7},    {999.0L, 8, 999.0L, 8}, {3e-30L, 2, 3e-24L, 0},
        // Outside the table: unchanged.
        {0.0L, 20, 0.0L, 20},     {5000.0L, -1, 5000.0L, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.data) << " in " << c.unit);
        const lib_unit_data_t r = lib_unit_step_range({c.data, c.unit, true});
        expect_close(r.data, c.expected);
        EXPECT_EQ(r.unit, c.expected_unit);
        EXPECT_TRUE(r.changed);
    }
    EXPECT_EQ(lib_unit_step_range({std::numeric_limits<long double>::infinity(), 8, false}).unit, 13);
}
