#include "cfg_if_bswv_sine.h"
#include "cfg_sine_template.h"
#include "cfg_test_util.h"
#include "lib_file_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// The canonical value by its definition, independently of the generator's code.
short int canonical(uint32 j)
{
    const double v = 32767.0 * std::sin(2.0 * M_PI * double(j) / 50000000.0);
    return short(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5));
}

std::vector<short int> generate(uint32 n, uint32 c, float phase)
{
    cfg_if_bswv_sine_t si;
    si.set_wv_len(n);
    si.set_cycle(c);
    si.set_phase(phase);
    EXPECT_EQ(si.create_wv_data(), 0);
    return samples_of(si);
}

struct sine_case_t
{
    uint32 n, c;
    float phase;
};
const sine_case_t k_cases[] = {{16384, 1, 0.0f}, {16384, 2, 0.0f}, {99991, 7, 33.3f}, {3, 3, -90.0f},
                               {1000003, 1, 271.0f}};

// Writing the template is the slow part (100 MB), so one test covers both paths.
TEST(SineTemplate, SlowTemplateAndComputedPathsGiveIdenticalSamples)
{
    std::vector<std::vector<short int>> computed;
    for (const sine_case_t &c : k_cases)
        computed.push_back(generate(c.n, c.c, c.phase));

    // A short template counts as missing.
    {
        lib_fd_t f = lib_open_trunc("sine.bin");
        std::vector<short int> junk(1000, 12345);
        ASSERT_EQ(lib_pwrite_all(f.get(), junk.data(), 2000, 0), 2000u);
    }
    for (std::size_t i = 0; i < std::size(k_cases); ++i)
        EXPECT_EQ(generate(k_cases[i].n, k_cases[i].c, k_cases[i].phase), computed[i]) << "short template, case " << i;

    ASSERT_TRUE(cfg_write_sine_template("sine.bin"));
    ASSERT_EQ(lib_file_length("sine.bin"), std::int64_t(100000000));
    for (std::size_t i = 0; i < std::size(k_cases); ++i)
        EXPECT_EQ(generate(k_cases[i].n, k_cases[i].c, k_cases[i].phase), computed[i]) << "template, case " << i;

    // Spot checks of the template file itself against the definition.
    lib_fd_t f = lib_open_read("sine.bin");
    for (uint32 j : {0u, 1u, 12500000u, 25000000u, 37500000u, 49999999u, 123457u, 31415926u}) {
        short int v = 0;
        ASSERT_EQ(lib_pread_all(f.get(), &v, 2, uint64(j) * 2), 2u);
        EXPECT_EQ(v, canonical(j)) << j;
    }
    std::remove("sine.bin");
}

TEST(SineTemplate, ComputedValuesMatchTheDefinition)
{
    for (uint32 j = 0; j < 50000000u; j += 99991)
        ASSERT_EQ(cfg_sine_template_sample(j), canonical(j)) << j;
    EXPECT_EQ(cfg_sine_template_sample(12500000), 32767);
    EXPECT_EQ(cfg_sine_template_sample(37500000), -32767);
}

} // namespace

namespace {

// The serial walk the sine's position is defined by.
double walk(double x, double s, uint64 steps)
{
    for (uint64 k = 0; k < steps; ++k) {
        x += s;
        if (x >= 50000000.0)
            x -= 50000000.0;
    }
    return x;
}

// The table method must give the definition's value for every template index.
TEST(SineTemplate, SlowFastValuesEqualTheDefinitionEverywhere)
{
    long long mismatches = 0;
#pragma omp parallel for reduction(+ : mismatches) schedule(static, 1 << 20)
    for (long long j = 0; j < (long long)CFG_SINE_TEMPLATE_LEN; ++j)
        if (cfg_sine_fast_sample(uint32(j)) != cfg_sine_template_sample(uint32(j)))
            ++mismatches;
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(cfg_sine_fast_sample(12500000), 32767);
    EXPECT_EQ(cfg_sine_fast_sample(37500000), -32767);
}

TEST(SineAdvance, JumpsLandExactlyWhereTheSerialWalkDoes)
{
    const uint32 periods[] = {1, 2, 3, 7, 1000, 16383, 16384, 99991, 2097152, 3333333, 20971520, 49999999, 50000000, 123456789};
    const double starts[] = {0.0, 1e-7, 0.3, 12345678.9, 33554431.999999996, 49999999.5};
    for (uint32 p : periods) {
        const double s = 50000000.0 / double(p);
        for (double x0 : starts) {
            double x = x0;
            uint64 done = 0;
            // Checkpoints at irregular distances, compared bit for bit.
            for (uint64 step : {1ull, 2ull, 31ull, 1000ull, 65537ull, 700001ull, 1234567ull}) {
                x = walk(x, s, step);
                done += step;
                ASSERT_EQ(cfg_sine_advance(x0, s, done), x) << "P " << p << " x0 " << x0 << " after " << done;
            }
        }
    }
}

// Many cycles whose positions drift apart at truncation edges: every sample against
// the serial walk and the definition.
TEST(SineGenerator, EverySampleFollowsTheSerialWalkOverManyCycles)
{
    struct case_t
    {
        uint32 n, c;
        float phase;
    };
    for (const case_t &c : {case_t{1000000, 37, 17.3f}, case_t{999999, 1000, -45.0f}, case_t{65537, 3, 0.0f}}) {
        const auto got = generate(c.n, c.c, c.phase);
        ASSERT_EQ(got.size(), c.n);
        const uint32 p = c.n / c.c;
        const double s = 50000000.0 / double(p);
        double x = c.phase > 0 ? c.phase / 360.0 * 50000000.0
                   : c.phase < 0 ? (c.phase + 360.0) / 360.0 * 50000000.0 : 0.0;
        std::vector<uint32> first_period(p);
        uint32 drifted = 0;
        for (uint32 k = 0; k < c.n; ++k) {
            const uint32 j = uint32(x);
            if (k < p)
                first_period[k] = j;
            else if (first_period[k % p] != j)
                ++drifted;
            ASSERT_EQ(got[k], canonical(j)) << "n " << c.n << " sample " << k;
            x += s;
            if (x >= 50000000.0)
                x -= 50000000.0;
        }
        // The case must exercise samples that cannot be copied from the first period.
        if (c.c == 37) {
            EXPECT_GT(drifted, 0u);
        }
    }
}

} // namespace
