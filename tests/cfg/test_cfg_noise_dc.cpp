#include "cfg_if_bswv_dc.h"
#include "cfg_if_bswv_noise.h"
#include "cfg_test_util.h"
#include "plat_rand.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

// Box-Muller in double from the same draws, scaled the documented way: an independent
// reference the samples must follow within rounding.
std::vector<double> reference_noise(unsigned int seed, uint32 n)
{
    plat_srand(seed);
    std::vector<double> x(n);
    for (uint32 i = 0; i < n; ++i) {
        double u1 = plat_rand() / 32767.0;
        double u2 = plat_rand() / 32767.0;
        if (u1 == 0.0)
            u1 = 1e-8;
        x[i] = std::sqrt(-std::log(u1)) * std::cos(2.0 * M_PI * u2) * std::sqrt(2.0);
    }
    return x;
}

std::vector<short int> load_noise_golden(unsigned int seed, uint32 n)
{
    const std::string name = "tests/data/gen_noise/seed" + std::to_string(seed) + "_" + std::to_string(n) + ".bin";
    std::ifstream in(test_source_path(name), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<short int> v(bytes.size() / 2);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = short(uint16(uint8_t(bytes[2 * i])) | uint16(uint8_t(bytes[2 * i + 1])) << 8);
    return v;
}

// Goldens from tests/data/gen_noise.py; 70,001 values span more than one stretch of
// the parallel streams.
TEST(NoiseGenerator, MatchesTheGoldenSamplesAndLeavesTheDrawsWhereSerialDrawsWould)
{
    struct case_t
    {
        unsigned int seed;
        uint32 n;
    } cases[] = {{12345, 16384}, {7, 5000}, {99, 70001}, {3, 1}};
    for (const case_t &c : cases) {
        cfg_if_bswv_noise_t no;
        no.set_wv_len(c.n);
        no.use_fixed_seed(c.seed);
        ASSERT_EQ(no.create_wv_data(), 0);
        const auto golden = load_noise_golden(c.seed, c.n);
        ASSERT_EQ(golden.size(), c.n) << "golden file of seed " << c.seed;
        EXPECT_EQ(samples_of(no), golden) << "seed " << c.seed;
        const int next = plat_rand();
        plat_srand(c.seed);
        for (uint32 i = 0; i < 2 * c.n; ++i)
            plat_rand();
        EXPECT_EQ(next, plat_rand()) << "seed " << c.seed;
    }
}

TEST(NoiseGenerator, FollowsTheSeededDrawsAndFillsFullScale)
{
    cfg_if_bswv_noise_t no;
    no.use_fixed_seed(12345);
    ASSERT_EQ(no.create_wv_data(), 0);
    const auto s = samples_of(no);
    ASSERT_EQ(s.size(), 16384u);
    const auto x = reference_noise(12345, 16384);
    const double lo = std::min(0.0, *std::min_element(x.begin(), x.end()));
    const double hi = std::max(0.0, *std::max_element(x.begin(), x.end()));
    for (std::size_t i = 0; i < s.size(); ++i)
        ASSERT_NEAR(s[i], (2.0 * (x[i] - lo) / (hi - lo) - 1.0) * 32767.0, 2.0) << i;
    EXPECT_EQ(*std::max_element(s.begin(), s.end()), 32767);
    EXPECT_EQ(*std::min_element(s.begin(), s.end()), -32767);
    EXPECT_EQ(std::max_element(s.begin(), s.end()) - s.begin(), std::max_element(x.begin(), x.end()) - x.begin());
}

TEST(NoiseGenerator, SameSeedSameSamplesOtherSeedOtherSamples)
{
    cfg_if_bswv_noise_t a, b;
    a.set_wv_len(5000);
    b.set_wv_len(5000);
    a.use_fixed_seed(7);
    b.use_fixed_seed(7);
    ASSERT_EQ(a.create_wv_data(), 0);
    ASSERT_EQ(b.create_wv_data(), 0);
    EXPECT_EQ(samples_of(a), samples_of(b));
    b.use_fixed_seed(8);
    ASSERT_EQ(b.create_wv_data(), 0);
    EXPECT_NE(samples_of(a), samples_of(b));
}

TEST(NoiseGenerator, SeedsWithTheClockByDefault)
{
    cfg_if_bswv_noise_t a, b;
    a.set_wv_len(64);
    b.set_wv_len(64);
    const std::time_t t0 = std::time(nullptr);
    ASSERT_EQ(a.create_wv_data(), 0);
    ASSERT_EQ(b.create_wv_data(), 0);
    if (std::time(nullptr) != t0)
        GTEST_SKIP() << "the clock ticked during the test";
    EXPECT_EQ(samples_of(a), samples_of(b));
    // The samples follow the draws of a generator seeded with the time.
    const auto x = reference_noise(unsigned(t0), 64);
    const auto s = samples_of(a);
    EXPECT_EQ(std::max_element(s.begin(), s.end()) - s.begin(), std::max_element(x.begin(), x.end()) - x.begin());
}

TEST(NoiseGenerator, OnePointTakesTheFarExtreme)
{
    for (unsigned int seed : {1u, 2u, 3u, 4u, 5u}) {
        cfg_if_bswv_noise_t no;
        no.set_wv_len(1);
        no.use_fixed_seed(seed);
        ASSERT_EQ(no.create_wv_data(), 0);
        const auto x = reference_noise(seed, 1);
        ASSERT_EQ(samples_of(no), std::vector<short int>{short(x[0] > 0 ? 32767 : -32767)}) << seed;
    }
}

TEST(NoiseGenerator, AllValuesEqualGiveZeros)
{
    // A first draw of 32767 makes u1 = 1 and the only value 0: no spread at all.
    unsigned int seed = 0;
    for (;; ++seed) {
        plat_srand(seed);
        if (plat_rand() == 32767)
            break;
    }
    cfg_if_bswv_noise_t no;
    no.set_wv_len(1);
    no.use_fixed_seed(seed);
    ASSERT_EQ(no.create_wv_data(), 0);
    EXPECT_EQ(samples_of(no), std::vector<short int>{0});
}

TEST(NoiseGenerator, IgnoresTheCycleCountAndCopiesLevels)
{
    cfg_if_bswv_noise_t no;
    no.set_cycle(0);
    no.set_wv_len(10);
    no.set_amp(4.0f);
    no.set_offset(1.5f);
    EXPECT_EQ(no.create_wv_data(), 0);
    EXPECT_EQ(samples_of(no).size(), 10u);
    EXPECT_EQ(no.get_wv_data()->amp, 4.0f);
    EXPECT_EQ(no.get_wv_data()->offset, 1.5f);
}

TEST(DcGenerator, WritesZerosAndCarriesTheLevelInTheOffset)
{
    cfg_if_bswv_dc_t dc;
    dc.set_cycle(0);
    dc.set_offset(0.75f);
    set_samples(dc, {1, 2, 3});
    ASSERT_EQ(dc.create_wv_data(), 0);
    EXPECT_EQ(samples_of(dc), std::vector<short int>(16384, 0));
    EXPECT_EQ(dc.get_wv_data()->offset, 0.75f);
    EXPECT_EQ(dc.get_wv_data()->amp, 2.0f);
    EXPECT_EQ(dc.get_limit_amp(), 0.002f);
    EXPECT_EQ(dc.get_limit_freq(), 1000.0f);
    dc.set_wv_len(200001); // past the block of zeros that is written repeatedly
    ASSERT_EQ(dc.create_wv_data(), 0);
    EXPECT_EQ(samples_of(dc), std::vector<short int>(200001, 0));
}

// Generators write through the store's scratch file: a link planted at its name is
// replaced, never written through.
TEST(DcGenerator, LinkAtTheScratchNameIsNotFollowed)
{
    cfg_if_bswv_dc_t dc;
    dc.set_cycle(0);
    {
        std::ofstream victim("victim.txt");
        victim << "precious";
    }
    const std::string scratch = lib_wv_scratch_path(dc.get_wv_data()->samples.get_path());
    ASSERT_EQ(symlink("victim.txt", scratch.c_str()), 0);
    ASSERT_EQ(dc.create_wv_data(), 0);
    EXPECT_EQ(samples_of(dc), std::vector<short int>(16384, 0));
    std::ifstream in("victim.txt");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "precious");
}

} // namespace
