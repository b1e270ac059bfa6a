// The counter's running statistics: series of samples across unit codes against the
// reference script data/gen_counter_stats.py, the snapshot and reset.
#include "cfg_counter_stat_calc.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace
{
struct stat_sample_t
{
    long double data;
    int32 unit;
};

struct stat_row_t
{
    stat_sample_t min, max, mean, stdev, range;
    int64 count;
};

struct stat_series_t
{
    const stat_sample_t *samples;
    const stat_row_t *rows;
    size_t size;
};

#include "data/counter_stat_golden.h"

// scale: the magnitude of the operands the value came from (a range is a difference
// of two large values, so its error follows theirs).
void expect_near(const lib_unit_data_t &got, const stat_sample_t &want, const char *what, long double scale = 0.0L)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(got.unit, want.unit);
    const long double magnitude = std::fmax(std::fabs(want.data), std::fabs(scale));
    EXPECT_NEAR(static_cast<double>(got.data), static_cast<double>(want.data),
                static_cast<double>(1e-12L * magnitude) + 1e-300);
}
} // namespace

TEST(CfgCounterStatCalc, RunningValuesFollowTheReferenceAcrossUnitCodes)
{
    for (size_t s = 0; s < sizeof STAT_SERIES / sizeof STAT_SERIES[0]; ++s)
    {
        SCOPED_TRACE(testing::Message() << "series " << s);
        cfg_counter_stat_calc_t calc;
        for (size_t i = 0; i < STAT_SERIES[s].size; ++i)
        {
            SCOPED_TRACE(testing::Message() << "after sample " << i);
            const stat_sample_t &in = STAT_SERIES[s].samples[i];
            EXPECT_EQ(calc.add_sample(lib_unit_data_t{in.data, in.unit, false}), 1);
            const stat_row_t &want = STAT_SERIES[s].rows[i];
            const cfg_counter_stat_t got = calc.snapshot();
            expect_near(got.min, want.min, "min");
            expect_near(got.max, want.max, "max");
            expect_near(got.mean, want.mean, "mean");
            expect_near(got.range, want.range, "range", want.max.data);
            EXPECT_EQ(got.count, want.count);
            // The deviation comes from sum of squares minus the squared mean, so its
            // error scales with the mean's magnitude: compare the variances.
            EXPECT_EQ(got.stdev.unit, want.stdev.unit);
            const long double mean_sq = calc.get_sum_sq().data / got.count;
            EXPECT_NEAR(static_cast<double>(got.stdev.data * got.stdev.data),
                        static_cast<double>(want.stdev.data * want.stdev.data),
                        static_cast<double>(64 * LDBL_EPSILON * std::fabs(mean_sq)) + 1e-300);
        }
    }
}

TEST(CfgCounterStatCalc, KeepsSumsAndFlagsAsTheyWere)
{
    cfg_counter_stat_calc_t calc;
    for (long double v : {1.0L, 2.0L, 3.0L})
        calc.add_sample(lib_unit_data_t{v, 14, true});
    EXPECT_EQ(calc.get_sum().data, 6.0L);
    EXPECT_EQ(calc.get_sum_sq().data, 14.0L);
    // Only min and max take whole sample records; the derived ones keep their flag.
    EXPECT_TRUE(calc.get_min().changed);
    EXPECT_FALSE(calc.get_mean().changed);
    EXPECT_FALSE(calc.get_stdev().changed);
    EXPECT_FALSE(calc.get_range().changed);
    EXPECT_FALSE(calc.is_first());
}

TEST(CfgCounterStatCalc, ResetStartsTheNextSeriesFromItsOwnFirstSample)
{
    cfg_counter_stat_calc_t calc;
    const cfg_counter_stat_t empty = calc.snapshot();
    EXPECT_EQ(empty.count, 0);
    EXPECT_EQ(empty.min.data, 0.0L);
    EXPECT_EQ(empty.min.unit, 14);
    calc.add_sample({-5.0L, 14, false});
    calc.add_sample({50.0L, 14, false});
    EXPECT_EQ(calc.reset(), 0);
    EXPECT_TRUE(calc.is_first());
    calc.add_sample({7.0L, 14, false});
    calc.add_sample({9.0L, 14, false});
    const cfg_counter_stat_t s = calc.snapshot();
    EXPECT_EQ(s.min.data, 7.0L);
    EXPECT_EQ(s.max.data, 9.0L);
    EXPECT_EQ(s.mean.data, 8.0L);
    EXPECT_EQ(s.range.data, 2.0L);
    EXPECT_EQ(s.count, 2);

    calc.init(3.0L, 15, true);
    EXPECT_EQ(calc.get_sum().unit, 15);
    EXPECT_EQ(calc.get_sum().data, 3.0L);
    EXPECT_EQ(calc.get_count(), 0);
}
