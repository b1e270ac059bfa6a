#include "cfg_test_util.h"
#include "cfg_wv_data_ops.h"
#include "cfg_wv_fft.h"
#include "lib_file_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {

std::vector<short int> iota_samples(std::size_t n, int start = 0)
{
    std::vector<short int> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = short((int(i) + start) % 30000);
    return v;
}

TEST(DataEqual, ComparesLengthsAndEveryBlock)
{
    struct case_t
    {
        const char *what;
        std::size_t n_a, n_b;
        long diff_at; // -1: none
        bool equal;
    };
    const case_t cases[] = {
        {"both_empty", 0, 0, -1, true},
        {"different_lengths", 10, 11, -1, false},
        {"same", 1000, 1000, -1, true},
        {"last_sample", 1000, 1000, 999, false},
        {"first_sample", 1000, 1000, 0, false},
        {"second_block", 3000000, 3000000, 2999999, false},
        {"same_across_blocks", 3000000, 3000000, -1, true},
    };
    for (const case_t &c : cases) {
        lib_wv_data_t<short int> a, b;
        auto va = iota_samples(c.n_a), vb = iota_samples(c.n_b);
        if (c.diff_at >= 0)
            vb[std::size_t(c.diff_at)] ^= 1;
        set_samples(a, va);
        set_samples(b, vb);
        EXPECT_EQ(lib_math_is_data_equal(a, b), c.equal) << c.what;
        EXPECT_EQ(lib_math_is_data_equal(b, a), c.equal) << c.what;
    }
}

TEST(DataEqual, UnreadableFilesMeasureZero)
{
    lib_wv_data_t<short int> a, b, c;
    set_samples(c, {1});
    std::remove(a.samples.path.c_str());
    std::remove(b.samples.path.c_str());
    EXPECT_TRUE(lib_math_is_data_equal(a, b));
    EXPECT_FALSE(lib_math_is_data_equal(a, c));
}

TEST(Decimate, PicksTheSampleAtOrBelowEachPosition)
{
    lib_wv_data_t<short int> src, dst;
    set_samples(src, iota_samples(10));
    dst.amp = 9.0f;
    EXPECT_EQ(lib_math_decimate_data(src, dst, 4), 1);
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{0, 2, 5, 7}));
    EXPECT_EQ(dst.amp, 9.0f);

    // Distinct values, so each output names its source position: at or just below
    // i * N / M (the fractional step is single precision).
    set_samples(src, iota_samples(29989));
    ASSERT_EQ(lib_math_decimate_data(src, dst, 777), 1);
    const auto out = samples_of(dst);
    ASSERT_EQ(out.size(), 777u);
    for (uint64 i = 0; i < 777; ++i)
        ASSERT_NEAR(out[i], double(i * 29989 / 777), 1.0) << i;
}

TEST(Decimate, RefusesCountsItCannotPickAndKeepsTheTarget)
{
    lib_wv_data_t<short int> src, dst;
    set_samples(src, iota_samples(10));
    set_samples(dst, {4, 5});
    for (uint32 m : {0u, 10u, 11u})
        EXPECT_LT(lib_math_decimate_data(src, dst, m), 0) << m;
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{4, 5}));
}

TEST(Interpolate, StraightLinesBackToTheFirstSample)
{
    struct case_t
    {
        std::vector<short int> in;
        uint32 m;
        std::vector<short int> out;
    };
    const case_t cases[] = {
        {{0, 100}, 4, {0, 50, 100, 50}},
        // s = float(10 / 3): the single-precision accumulator stays just below 1, so
        // every stretch gets two points and the result holds 9 samples, not 10.
        {{0, 300, -300}, 10, {0, 90, 180, 300, 119, -60, -300, -209, -119}},
        {{-32768, 32767}, 3, {-32768, 32767, -10923}},
    };
    for (const case_t &c : cases) {
        lib_wv_data_t<short int> src, dst;
        set_samples(src, c.in);
        EXPECT_EQ(lib_math_interpolate_data(src, dst, c.m), 0);
        EXPECT_EQ(samples_of(dst), c.out);
        std::vector<short int> v{1, 2};
        EXPECT_EQ(lib_math_interpolate_vector(src, v, c.m), 0);
        EXPECT_EQ(v, c.out);
    }
}

TEST(Interpolate, RefusesCountsNotAboveTheSource)
{
    lib_wv_data_t<short int> src, dst;
    set_samples(src, {1, 2, 3});
    set_samples(dst, {9});
    EXPECT_LT(lib_math_interpolate_data(src, dst, 3), 0);
    lib_wv_data_t<short int> empty;
    EXPECT_LT(lib_math_interpolate_data(empty, dst, 5), 0);
    EXPECT_EQ(samples_of(dst), std::vector<short int>{9});
}

TEST(EraseAll, RemovesEveryOccurrenceAlsoNewOnes)
{
    struct case_t
    {
        const char *needle, *text, *out;
    };
    const case_t cases[] = {{" ", "1 + 2 * x", "1+2*x"}, {"ab", "aabb", ""}, {"xyz", "abc", "abc"},
                            {"", "abc", "abc"}, {"aa", "aaa", "a"}};
    for (const case_t &c : cases) {
        std::string t = c.text;
        lib_str_erase_all(c.needle, t);
        EXPECT_EQ(t, c.out) << c.needle << " in " << c.text;
    }
}

TEST(UncalledOps, MinMaxCopyReverseInvert)
{
    lib_wv_data_t<short int> src, dst;
    EXPECT_EQ(lib_math_get_min_max(src), (std::pair<double, double>{0.0, 0.0}));
    std::vector<short int> v = iota_samples(3000000, 7);
    v[2500000] = -32768;
    set_samples(src, v);
    EXPECT_EQ(lib_math_get_min_max(src), (std::pair<double, double>{-32768.0, 29999.0}));

    EXPECT_EQ(lib_math_copy_data_points(src, dst, 3000001), 0);
    EXPECT_EQ(lib_math_copy_data_points(src, dst, 5), 1);
    EXPECT_EQ(samples_of(dst), std::vector<short int>(v.begin(), v.begin() + 5));

    EXPECT_EQ(lib_math_reverse_data(src, dst), 1);
    EXPECT_EQ(samples_of(dst), std::vector<short int>(v.rbegin(), v.rend()));

    EXPECT_EQ(lib_math_invert_data(src, dst), 1);
    const auto inv = samples_of(dst);
    ASSERT_EQ(inv.size(), v.size());
    EXPECT_EQ(inv[2500000], 32767);
    EXPECT_EQ(inv[3], -10);

    // A record that is both source and target.
    EXPECT_EQ(lib_math_reverse_data(src, src), 1);
    EXPECT_EQ(samples_of(src), std::vector<short int>(v.rbegin(), v.rend()));
}

TEST(UncalledOps, DecimateVectorAppendsAndScaleSaturates)
{
    lib_wv_data_t<short int> dst;
    set_samples(dst, {-1});
    EXPECT_EQ(lib_math_decimate_vector_to_file({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, dst, 4), 1);
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{-1, 0, 2, 5, 7}));
    EXPECT_EQ(lib_math_decimate_vector_to_file({}, dst, 4), 1);
    EXPECT_EQ(samples_of(dst).size(), 5u);

    lib_wv_file_buffer_t<float> f;
    const float vals[] = {0.5f, -1.0f, 2.0f, NAN};
    f.write(0, vals, 4);
    EXPECT_EQ(lib_math_scale_to_samples(f, -1.0f, 0.5f, dst), 1);
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{16383, -32767, 32767, 0}));
}

TEST(UncalledOps, ExtractFloatDataKeepsTheLargestJumpPerWindow)
{
    std::vector<float> v(30, 0.0f);
    v[13] = 5.0f; // a spike in window 1 (values 10..19)
    {
        lib_fd_t f = lib_open_trunc("floats.bin");
        ASSERT_EQ(lib_pwrite_all(f.get(), v.data(), v.size() * 4, 0), v.size() * 4);
    }
    lib_wv_data_t<short int> dst;
    EXPECT_EQ(lib_math_extract_float_data("floats.bin", 30, dst, 3), 1);
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{0, 5, 0}));
    EXPECT_EQ(lib_math_extract_float_data("floats.bin", 2, dst, 3), 1);
    EXPECT_EQ(samples_of(dst), (std::vector<short int>{0, 5, 0, 0, 0}));
}

TEST(Fft, ForwardAndInverseRoundTrip)
{
    const int n = 8;
    double re[n], im[n], mag[n];
    for (int i = 0; i < n; ++i) {
        re[i] = std::cos(2 * M_PI * i / n);
        im[i] = 0;
    }
    ASSERT_EQ(lib_math_fft(re, im, mag, n, 1), n);
    EXPECT_NEAR(mag[1], 4.0, 1e-12);
    EXPECT_NEAR(mag[7], 4.0, 1e-12);
    EXPECT_NEAR(mag[0], 0.0, 1e-12);
    ASSERT_EQ(lib_math_fft(re, im, mag, n, -1), n);
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(re[i], std::cos(2 * M_PI * i / n), 1e-12) << i;
    EXPECT_EQ(lib_math_fft(re, im, mag, 6, 1), 0);
    EXPECT_EQ(lib_math_fft_checked(re, im, mag, n, 3), 3);

    double v[4] = {1, 2, 3, 4};
    lib_math_fft_shift(v, 4);
    EXPECT_EQ(v[0], 3);
    EXPECT_EQ(v[3], 2);
}

TEST(Fft, SpectrumPeakIs32767AndFloorIsZero)
{
    const int n = 16;
    double re[n], im[n], val[n];
    for (int i = 0; i < n; ++i) {
        re[i] = std::cos(2 * M_PI * 2 * i / n) + 0.01 * std::cos(2 * M_PI * 5 * i / n);
        im[i] = 0;
    }
    lib_math_spectrum(re, im, val, n);
    EXPECT_NEAR(*std::max_element(val, val + n), 32767.0, 1e-9);
    EXPECT_NEAR(*std::min_element(val, val + n), 0.0, 1e-9);
    for (double x : val)
        EXPECT_TRUE(std::isfinite(x));
}

TEST(Jumps, AreMagnitudes)
{
    const fp32 a = 1.5f, b = -2.0f;
    EXPECT_EQ(lib_math_jump_float(&a, &b), 3.5f);
    const int16 c = -32767, d = 32767;
    EXPECT_EQ(lib_math_jump_short(&d, &c), 65534);
}

} // namespace
