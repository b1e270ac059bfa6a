// The harmonic sum's peak search, scale and scaled addition. Expected sums come from
// data/gen_harmonic_sum.py (80-bit arithmetic, truncation toward zero).
#include "cfg_harmonic_sum.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const std::vector<int16> A = {0, 1000, 20000, 32767, -32767, -15000, 12345, -1};
const std::vector<int16> B = {32767, -32767, 20000, 16384, -16384, 30000, -7, 5};
} // namespace

TEST(CfgHarmonicSum, AddsOneHarmonicWithinFullScaleAsTheReferenceScript)
{
    struct case_t
    {
        long double a_ampl;
        long double b_ampl;
        int32 peak;
        std::vector<int16> sum;
    };
    const std::vector<case_t> cases = {
        {4.0L, 2.00475L, 40978, {13131, -12332, 24007, 32767, -32767, 28, 9868, 1}},
        {4.0L, 4.0L, 49151, {21844, -21177, 26666, 32767, -32767, 9999, 8225, 2}},
        {4.0L, 0.1L, 33176, {809, 178, 20247, 32767, -32767, -14074, 12192, 0}},
        {1.5L, 3.0L, 65535, {32766, -32266, 29999, 32767, -32767, 22499, 6165, 4}},
    };
    cfg_harmonic_sum_t sum;
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.b_ampl));
        EXPECT_EQ(sum.find_peak(A, c.a_ampl, B, c.b_ampl), c.peak);
        std::vector<int16> a = A;
        long double a_ampl = c.a_ampl;
        const long double k = sum.add_wave(a, a_ampl, B, c.b_ampl);
        EXPECT_EQ(k, 32767.0L / c.peak);
        EXPECT_EQ(a, c.sum);
        // The sum's full scale now stands for the larger amplitude.
        EXPECT_EQ(a_ampl, c.a_ampl / k);
        for (int16 v : a)
            EXPECT_LE(v < 0 ? -v : v, 32767);
    }
}

TEST(CfgHarmonicSum, PeakSearchEdges)
{
    cfg_harmonic_sum_t sum;
    struct case_t
    {
        const char *name;
        std::vector<int16> a;
        std::vector<int16> b;
        long double b_ampl;
        int32 peak;
    };
    const std::vector<case_t> cases = {
        {"sizes differ", {1, 2}, {1}, 1.0L, 32767},
        {"no amplitude", {1, 2}, {1, 2}, 0.0L, 32767},
        {"negative amplitude", {1, 2}, {1, 2}, -1.0L, 32767},
        {"empty", {}, {}, 1.0L, 0},
        // 100 + 1 x 0.5 and -100 - 1 x 0.5 truncate toward zero.
        {"truncation", {100, -100}, {1, -1}, 0.5L, 100},
        {"first of equal magnitudes", {-7, 7}, {0, 0}, 1.0L, -7},
    };
    for (const case_t &c : cases)
        EXPECT_EQ(sum.find_peak(c.a, 1.0L, c.b, c.b_ampl), c.peak) << c.name;
}

TEST(CfgHarmonicSum, ScaleAndRefusals)
{
    cfg_harmonic_sum_t sum;
    for (int32 peak : {0, 32766, -32766})
        EXPECT_EQ(sum.get_scale(peak), 1.0L) << peak;
    EXPECT_EQ(sum.get_scale(32767), 1.0L);
    EXPECT_EQ(sum.get_scale(-40000), 32767.0L / 40000);

    // Nothing is added (and the factor is 1) when the sizes differ or there is nothing
    // to add: a missing harmonic file gives an empty vector.
    std::vector<int16> a = {10, 20};
    long double a_ampl = 2.0L;
    EXPECT_EQ(sum.add_wave(a, a_ampl, {}, 1.0L), 1.0L);
    EXPECT_EQ(sum.add_wave(a, a_ampl, {1, 1}, 0.0L), 1.0L);
    EXPECT_EQ(sum.add_scaled(a, a_ampl, {1}, 1.0L, 0.5L), 0);
    EXPECT_EQ(a, (std::vector<int16>{10, 20}));
    EXPECT_EQ(a_ampl, 2.0L);
}
