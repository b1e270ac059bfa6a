#include "cfg_noise_samples.h"
#include "plat_rand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// Every set of lanes this processor has against the values made one by one, over
// stretches that start and end off the lane width and scales that saturate at either
// end or give no number.
TEST(NoiseSamples, EveryLaneWidthGivesTheSerialSamples)
{
    struct case_t
    {
        uint32 seed;
        uint64 first, count;
        double lo, span;
    } cases[] = {
        {12345, 0, 65536, -4.2, 8.5},      // the full scale of a typical set
        {7, 3, 1001, -1.0, 2.0},           // off the lane width on both sides; saturates
        {99, 70001, 17, 0.0, 1.0},         // mostly below the scale
        {1, 1u << 30, 4099, -6.0, 12.0},   // far into the sequence
        {0xFFFFFFFFu, 5, 300, -5.0, 0.25}, // a narrow scale: most samples saturate
        {42, 0, 15, -4.0, 8.0},            // shorter than the lanes
        {42, 0, 64, -4.0, std::numeric_limits<double>::quiet_NaN()},
        {42, 0, 64, -4.0, std::numeric_limits<double>::infinity()},
    };
    for (const case_t &c : cases) {
        std::vector<short int> want(c.count);
        uint32 state = plat_rand_jump(c.seed, 2 * c.first);
        for (uint64 i = 0; i < c.count; ++i)
            want[i] = cfg_noise_sample(cfg_noise_value(state), c.lo, c.span);
        for (cfg_noise_lanes_t lanes : {cfg_noise_lanes_t::portable, cfg_noise_lanes_t::avx512}) {
            std::vector<short int> got(c.count + 1, 0x5A5A);
            if (!cfg_noise_samples_by(lanes, c.seed, c.first, c.count, c.lo, c.span, got.data()))
                continue;
            EXPECT_EQ(got[c.count], 0x5A5A) << "written past the end, lanes " << int(lanes);
            got.pop_back();
            EXPECT_EQ(got, want) << "seed " << c.seed << " first " << c.first << " lanes " << int(lanes);
        }
        std::vector<short int> picked(c.count);
        cfg_noise_samples(c.seed, c.first, c.count, c.lo, c.span, picked.data());
        EXPECT_EQ(picked, want) << "seed " << c.seed;
    }
}

TEST(NoiseSamples, ExtremesAreThoseOfTheValues)
{
    struct case_t
    {
        uint32 seed;
        uint64 first, count;
    } cases[] = {{12345, 0, 200000}, {7, 13, 1000}, {3, 0, 1}, {5, 0, 0}};
    for (const case_t &c : cases) {
        float lo = 1.0f, hi = -1.0f;
        cfg_noise_extremes(c.seed, c.first, c.count, lo, hi);
        float mn = 0.0f, mx = 0.0f;
        uint32 state = plat_rand_jump(c.seed, 2 * c.first);
        for (uint64 i = 0; i < c.count; ++i) {
            const float v = cfg_noise_value(state);
            mn = std::min(mn, v);
            mx = std::max(mx, v);
        }
        EXPECT_EQ(lo, mn) << "seed " << c.seed;
        EXPECT_EQ(hi, mx) << "seed " << c.seed;
    }
}

} // namespace
