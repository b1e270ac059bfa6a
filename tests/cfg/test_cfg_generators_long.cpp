// Generations that cross the 50,000,000-sample chunk once. Slow: a few seconds each.
#include "cfg_if_bswv_noise.h"
#include "cfg_if_bswv_ramp.h"
#include "cfg_if_bswv_sine.h"
#include "cfg_sine_template.h"
#include "lib_file_io.h"
#include "plat_rand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32 k_n = 50000000 + 1001;

std::vector<short int> read_range(cfg_if_wv_t &wv, uint32 first, uint32 count)
{
    std::vector<short int> v(count);
    EXPECT_EQ(wv.get_wv_data()->samples.read(first, v.data(), count), count);
    return v;
}

TEST(GeneratorChunks, SlowRampIsContinuousAcrossTheChunk)
{
    cfg_if_bswv_ramp_t ra;
    ra.set_wv_len(k_n);
    ra.set_cycle(7);
    ra.set_phase(-33.0f);
    ASSERT_EQ(ra.create_wv_data(), 0);
    ASSERT_EQ(ra.get_wv_data()->samples.size(), k_n);
    // Reference: the ramp formula at symmetry 50, evaluated by itself.
    const uint32 p = k_n / 7;
    const int64 a = int64(double(float(p)) * 50.0 / 100.0);
    const int64 b = int64(50.0 * p / 100.0);
    const int64 c = int64(p * (360.0 - 33.0) / 360.0 + std::floor(a / 2.0));
    const uint32 first = 50000000 - 500;
    const auto got = read_range(ra, first, 1000);
    for (uint32 i = 0; i < 1000; ++i) {
        const int64 h = (int64(first + i) + c) % p;
        const double v = h < a ? h * 65535.0 / a - 32768.0 : 32767.0 - (h - a) * 65535.0 / b;
        ASSERT_EQ(got[i], short(v)) << first + i;
    }
}

TEST(GeneratorChunks, SlowSineCarriesItsPositionAcrossTheChunk)
{
    cfg_if_bswv_sine_t si;
    si.set_wv_len(k_n);
    si.set_cycle(3);
    si.set_phase(10.0f);
    ASSERT_EQ(si.create_wv_data(), 0);
    // Reference: the serial position walk over the whole waveform.
    const double len = 50000000.0;
    const double s = len / double(k_n / 3);
    double x = 10.0 / 360.0 * len;
    const uint32 first = 50000000 - 300;
    std::vector<short int> want;
    for (uint32 k = 0; k < first + 600; ++k) {
        if (k >= first) {
            const double v = 32767.0 * std::sin(2.0 * M_PI * double(uint32(x)) / len);
            want.push_back(short(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)));
        }
        x += s;
        if (x >= len)
            x -= len;
    }
    EXPECT_EQ(read_range(si, first, 600), want);
}

TEST(GeneratorChunks, SlowNoiseScalesBothChunksByTheExtremesOfAll)
{
    cfg_if_bswv_noise_t no;
    no.set_wv_len(k_n);
    no.use_fixed_seed(99);
    ASSERT_EQ(no.create_wv_data(), 0);
    ASSERT_EQ(no.get_wv_data()->samples.size(), k_n);
    // Reference: the same draws in double, extremes over the whole set (and 0).
    plat_srand(99);
    std::vector<float> x(k_n);
    double lo = 0.0, hi = 0.0;
    for (uint32 i = 0; i < k_n; ++i) {
        double u1 = plat_rand() / 32767.0;
        const double u2 = plat_rand() / 32767.0;
        if (u1 == 0.0)
            u1 = 1e-8;
        x[i] = float(std::sqrt(-std::log(u1)) * std::cos(2.0 * M_PI * u2) * std::sqrt(2.0));
        lo = std::min(lo, double(x[i]));
        hi = std::max(hi, double(x[i]));
    }
    const uint32 first = 50000000 - 500;
    const auto got = read_range(no, first, 1000);
    for (uint32 i = 0; i < 1000; ++i)
        ASSERT_NEAR(got[i], (2.0 * (x[first + i] - lo) / (hi - lo) - 1.0) * 32767.0, 2.0) << first + i;
    const auto hi_at = uint32(std::max_element(x.begin(), x.end()) - x.begin());
    const auto lo_at = uint32(std::min_element(x.begin(), x.end()) - x.begin());
    EXPECT_EQ(read_range(no, hi_at, 1)[0], 32767);
    EXPECT_EQ(read_range(no, lo_at, 1)[0], -32767);
}

} // namespace
