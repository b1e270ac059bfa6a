// The sinc samples in vector lanes against the single-precision formula.
#include "cfg_sinc_samples.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The generator's formula: the sine of the float, the quotient in double, truncated.
short int formula(float t)
{
    if (t == 0.0f)
        return 32767;
    const double v = double(std::sin(t)) / double(t) * 32767.0;
    return short(std::max(-32768.0, std::min(32767.0, std::trunc(v))));
}

float from_bits(std::uint32_t b)
{
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

std::uint32_t bits_of(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// Every float of the lanes' range, both signs: the lanes decide every sample the
// generator can make there, so equality here is equality for every waveform.
TEST(SincSamples, SlowEveryFloatOfTheLanesRangeGivesTheFormulasSample)
{
    const std::uint32_t lo = bits_of(float(CFG_SINC_LANE_MIN));
    const std::uint32_t hi = bits_of(float(CFG_SINC_LANE_MAX));
    constexpr std::uint32_t k_block = 1u << 16;
    const std::int64_t blocks = (std::int64_t(hi - lo) + k_block) / k_block;
    std::int64_t mismatches = 0;
    float first_bad = 0.0f;
#pragma omp parallel num_threads(4) reduction(+ : mismatches)
    {
        std::vector<float> t(2 * k_block);
        std::vector<short int> got(2 * k_block);
#pragma omp for schedule(dynamic, 4)
        for (std::int64_t i = 0; i < blocks; ++i) {
            const std::uint32_t b0 = lo + std::uint32_t(i) * k_block;
            const std::uint32_t count = std::min<std::uint32_t>(k_block, hi - b0 + 1);
            for (std::uint32_t k = 0; k < count; ++k) {
                t[2 * k] = from_bits(b0 + k);
                t[2 * k + 1] = -from_bits(b0 + k);
            }
            cfg_sinc_samples(t.data(), got.data(), 2 * count);
            for (std::uint32_t k = 0; k < 2 * count; ++k)
                if (got[k] != formula(t[k])) {
                    ++mismatches;
#pragma omp critical
                    first_bad = t[k];
                }
        }
    }
    EXPECT_EQ(mismatches, 0) << "for instance t = " << first_bad;
}

// Arguments outside the lanes' range and blocks of every tail length.
TEST(SincSamples, ArgumentsOutsideTheLanesAndBlockTailsGiveTheFormulasSample)
{
    const float edge[] = {0.0f,
                          -0.0f,
                          FLT_TRUE_MIN,
                          -FLT_TRUE_MIN,
                          FLT_MIN,
                          std::nextafter(float(CFG_SINC_LANE_MIN), 0.0f),
                          -std::nextafter(float(CFG_SINC_LANE_MIN), 0.0f),
                          std::nextafter(float(CFG_SINC_LANE_MAX), FLT_MAX),
                          -std::nextafter(float(CFG_SINC_LANE_MAX), FLT_MAX),
                          3.0e9f,
                          -2.1e10f,
                          FLT_MAX,
                          -FLT_MAX};
    std::vector<short int> got(std::size(edge));
    cfg_sinc_samples(edge, got.data(), std::uint32_t(std::size(edge)));
    for (std::size_t k = 0; k < std::size(edge); ++k)
        EXPECT_EQ(got[k], formula(edge[k])) << "t = " << edge[k];

    // Arguments near the sine's zeros (samples near 0, some of them within the margin)
    // in blocks that end at every offset of the flag tests.
    for (std::uint32_t n : {1u, 7u, 8u, 9u, 511u, 512u, 513u, 1031u}) {
        std::vector<float> t(n);
        for (std::uint32_t k = 0; k < n; ++k)
            t[k] = float((k % 40 + 1) * 3.14159265358979) + float(k % 7) * 1e-5f;
        std::vector<short int> out(n + 1, 1234);
        cfg_sinc_samples(t.data(), out.data(), n);
        for (std::uint32_t k = 0; k < n; ++k)
            ASSERT_EQ(out[k], formula(t[k])) << "block " << n << ", sample " << k;
        EXPECT_EQ(out[n], 1234) << "block " << n << " wrote past its end";
    }
}

} // namespace
