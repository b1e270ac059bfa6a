// Wave synthesis and resampling. The expected samples are worked out by hand from the
// shapes' formulas (truncation toward zero at every conversion), not by the code.
#include "drv_wave_data_vextral.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>
#include <cmath>
#include <vector>

namespace {

using wave_t = std::vector<int16>;

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double INF = std::numeric_limits<long double>::infinity();

// One store for the whole file: building it reads the wave set.
drv_wave_data_vextral_t &store()
{
    static drv_wave_data_vextral_t s;
    return s;
}

wave_t negated_reverse(const wave_t &w)
{
    wave_t r;
    for (auto it = w.rbegin(); it != w.rend(); ++it)
        r.push_back(static_cast<int16>(-*it));
    return r;
}

std::size_t count_of(const wave_t &w, int16 v)
{
    return static_cast<std::size_t>(std::count(w.begin(), w.end(), v));
}

} // namespace

TEST(DrvWaveSynth, DcWaveAppendsOneDdsPeriod)
{
    wave_t w{5};
    store().make_dc_wave(w, -12);
    ASSERT_EQ(w.size(), 16385u);
    EXPECT_EQ(w[0], 5);
    EXPECT_EQ(count_of(w, -12), 16384u);
}

TEST(DrvWaveSynth, SquareWaveHighSamplesByDuty)
{
    struct square_case_t
    {
        long double duty;
        std::size_t high; // leading samples at 32767; the rest is -32768
    };
    const square_case_t cases[] = {
        {50, 8191}, {25, 4095}, {0, 0}, {100, 16383}, {0.01L, 0}, {99.999L, 16382},
        // Values no duty setting gives: no fault, and a full or empty high part.
        {-20, 0}, {150, 16384}, {NaN, 0}, {INF, 16384}, {-INF, 0},
    };
    for (const square_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "duty " << static_cast<double>(c.duty));
        wave_t w;
        store().make_square_wave(c.duty, w);
        ASSERT_EQ(w.size(), 16384u);
        EXPECT_EQ(count_of(w, 32767), c.high);
        EXPECT_EQ(count_of(w, -32768), 16384u - c.high);
        EXPECT_TRUE(std::is_sorted(w.rbegin(), w.rend())); // high part first
    }
}

TEST(DrvWaveSynth, RampAndSawtoothShapes)
{
    struct ramp_case_t
    {
        long double symmetry;
        int32 n;
        wave_t expected;
    };
    const wave_t quarter_rise{0, 16383, 32767, 27305, 21844, 16383, 10922, 5461};
    wave_t quarter = quarter_rise;
    const wave_t quarter_back = negated_reverse(quarter_rise);
    quarter.insert(quarter.end(), quarter_back.begin(), quarter_back.end());
    const ramp_case_t cases[] = {
        {50, 8, {0, 16383, 32767, 16383, -16383, -32767, -16383, 0}},
        {0, 8, {32767, 24575, 16383, 8191, -8191, -16383, -24575, -32767}},
        {100, 8, {0, 8191, 16383, 24575, -24575, -16383, -8191, 0}},
        {25, 16, quarter},
        {50, 9, {0, 16383, 32767, 16383, -16383, -32767, -16383, 0}}, // odd n: n - 1 samples
        {50, 1, {}},
        {50, 0, {}},
        {50, -6, {}},
    };
    for (const ramp_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "symmetry " << static_cast<double>(c.symmetry) << ", n " << c.n);
        wave_t w;
        store().make_ramp_wave(c.symmetry, c.n, w);
        EXPECT_EQ(w, c.expected);
    }
    // The ramp appends to what the vector holds.
    wave_t w{7};
    store().make_ramp_wave(50, 8, w);
    EXPECT_EQ(w.size(), 9u);
    EXPECT_EQ(w[0], 7);

    wave_t rising;
    store().make_sawtooth_wave(0, 8, rising);
    EXPECT_EQ(rising, (wave_t{-32767, -24575, -16383, -8191, 8191, 16383, 24575, 32767}));
    wave_t falling;
    store().make_sawtooth_wave(1, 8, falling);
    EXPECT_EQ(falling, (wave_t{32767, 24575, 16383, 8191, -8191, -16383, -24575, -32767}));
    // A full DDS period rises through every level once.
    wave_t full;
    store().make_sawtooth_wave(0, 16384, full);
    ASSERT_EQ(full.size(), 16384u);
    EXPECT_TRUE(std::is_sorted(full.begin(), full.end()));
    EXPECT_EQ(full.front(), -32767);
    EXPECT_EQ(full.back(), 32767);
}

TEST(DrvWaveSynth, LogSweepProfileAndItsGuards)
{
    struct sweep_case_t
    {
        int32 dir;
        long double count, f_start, f_end;
        wave_t expected;
    };
    const sweep_case_t cases[] = {
        {0, 4, 1, 100, {-32767, -31335, -26809, -12495}},
        {1, 4, 1, 100, {-12495, -26809, -31335, -32767}},
        // A falling sweep maps onto the same range from the other side.
        {0, 2, 100, 1, {-32767, 26810}},
        // i runs while i < count: 2.5 gives three samples.
        {0, 2.5L, 1, 100, {-32767, -29252, -7075}},
        {2, 4, 1, 100, {}},
        // Nothing to sweep: the profile stays at its start.
        {0, 3, 50, 50, {-32767, -32767, -32767}},
        {1, 2, 0, 100, {-32767, -32767}},
        {0, 2, -5, 100, {-32767, -32767}},
        {0, 2, 1, NaN, {-32767, -32767}},
        {0, 2, INF, 100, {-32767, -32767}},
        {0, 0, 1, 100, {}},
        {0, NaN, 1, 100, {}},
        {0, -3, 1, 100, {}},
    };
    for (const sweep_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "dir " << c.dir << ", count " << static_cast<double>(c.count) << ", "
                                        << static_cast<double>(c.f_start) << " to " << static_cast<double>(c.f_end));
        wave_t w;
        store().make_log_sweep_wave(c.dir, c.count, c.f_start, c.f_end, w);
        EXPECT_EQ(w, c.expected);
    }
}

TEST(DrvWaveSynth, ResampleDecimatesInterpolatesOrCopies)
{
    const wave_t ten{0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    struct resample_case_t
    {
        wave_t in;
        int32 n;
        wave_t expected;
    };
    const resample_case_t cases[] = {
        {ten, 4, {0, 20, 50, 70}},
        {ten, 5, {0, 20, 40, 60, 80}},
        {ten, 10, ten},
        {{0, 100}, 4, {0, 0, 25, 50}},
        {{0, 90, 0}, 6, {0, 0, 30, 60, 90, 60}},
        // A step that is not whole carries over to the next pair.
        {{0, 100, 200}, 5, {0, 0, 50, 100, 133}},
        // Negative steps truncate toward zero.
        {{0, -100}, 3, {0, 0, -33}},
        {{-32768, 32767}, 3, {-32768, -32768, -10923}},
        // Guards: nothing to resample, one sample, a length of 0.
        {{}, 8, {}},
        {{42}, 8, {42}},
        {ten, 0, {}},
    };
    for (const resample_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.size() << " samples to " << c.n);
        wave_t out{1, 2};
        store().resample(c.n, c.in, out);
        EXPECT_EQ(out, c.expected);
    }
}

TEST(DrvWaveSynth, ResamplingFullWaves)
{
    wave_t ramp(16384);
    std::iota(ramp.begin(), ramp.end(), static_cast<int16>(-8192));
    wave_t out;
    store().resample(4096, ramp, out);
    ASSERT_EQ(out.size(), 4096u);
    for (std::size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], ramp[4 * i]) << i;

    // 3000 samples up to the DDS length: exactly 16384, every sample between its
    // neighbouring inputs, the last pair reached.
    wave_t small(3000);
    for (std::size_t i = 0; i < small.size(); ++i)
        small[i] = static_cast<int16>(10 * i);
    store().interpolate(small, out, 16384);
    ASSERT_EQ(out.size(), 16384u);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    EXPECT_TRUE(std::is_sorted(out.begin(), out.end()));
    EXPECT_GE(out.back(), small[2998]);
    EXPECT_LT(out.back(), small[2999]);

    wave_t decimated;
    EXPECT_EQ(store().decimate(ramp, decimated, 3), 1);
    EXPECT_EQ(decimated, (wave_t{ramp[0], ramp[5461], ramp[10922]}));
}

// The interpolation written out as the formula reads, in the extended type: the
// store's faster exact form must give the same samples.
namespace {

wave_t reference_interpolate(const wave_t &in, int32 n)
{
    wave_t out;
    if (in.empty())
        return out;
    out.push_back(in[0]);
    if (in.size() == 1 || out.size() >= static_cast<std::size_t>(n))
        return out;
    const long double r = static_cast<long double>(n) / static_cast<long double>(in.size() - 1);
    long double prev = in[0];
    long double acc = r;
    for (std::size_t j = 1; j < in.size(); ++j) {
        const long double cur = in[j];
        if (acc >= 1) {
            const long double k = std::trunc(acc);
            const long double d = (cur - prev) / k;
            for (long double t = 0; t < k; t += 1) {
                out.push_back(static_cast<int16>(std::trunc(prev + t * d)));
                if (out.size() == static_cast<std::size_t>(n))
                    return out;
            }
            acc -= k;
        }
        acc += r;
        prev = cur;
    }
    return out;
}

} // namespace

TEST(DrvWaveSynth, InterpolationMatchesTheFormulaSampleForSample)
{
    std::mt19937 random(26);
    std::uniform_int_distribution<int32> sample(-32768, 32767);
    const std::size_t sizes[] = {2, 3, 7, 100, 3000, 5000, 16383};
    for (std::size_t m : sizes) {
        wave_t in(m);
        for (int16 &v : in)
            v = static_cast<int16>(sample(random));
        // Full-scale steps and flat runs, where the exact values are whole.
        in[0] = -32768;
        in[m - 1] = 32767;
        for (std::size_t i = 1; i + 1 < m && i < 20; i += 3)
            in[i] = in[i - 1];
        for (int32 n : {static_cast<int32>(m) + 1, static_cast<int32>(2 * m + 1), 16384, 65536, 100003}) {
            if (static_cast<std::size_t>(n) <= m)
                continue;
            SCOPED_TRACE(testing::Message() << m << " samples to " << n);
            wave_t out;
            store().interpolate(in, out, n);
            ASSERT_EQ(out, reference_interpolate(in, n));
        }
    }
}
