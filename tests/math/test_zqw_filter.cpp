#include "iir_filter.h"
#include "math_test_util.h"
#include "zqw_filter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using data_t = lib_wv_data_t<short int>;
constexpr float k_nan = NAN;
const uint32 k_count = 3000;

// Calls the filter kind of the dialog's type index with the edges in that kind's own
// argument order (e has two edges for low-pass and high-pass, four for the bands), with
// a count or, for a null count, in the form without one.
int call_kind(ZqwFilter &z, int index, const data_t *src, const uint32 *count, data_t *dst, float fs,
              const float *e, float ap, float as)
{
#define ZQW_KIND_SINGLE(name) \
    return count ? z.name(src, *count, dst, fs, e[0], e[1], ap, as) : z.name(src, dst, fs, e[0], e[1], ap, as)
#define ZQW_KIND_BAND(name)                                                                                    \
    return count ? z.name(src, *count, dst, fs, e[0], e[1], e[2], e[3], ap, as)                              \
                 : z.name(src, dst, fs, e[0], e[1], e[2], e[3], ap, as)
    switch (index) {
    case 0: ZQW_KIND_SINGLE(butterworth_lowpass);
    case 1: ZQW_KIND_SINGLE(butterworth_highpass);
    case 2: ZQW_KIND_BAND(butterworth_bandpass);
    case 3: ZQW_KIND_BAND(butterworth_bandstop);
    case 4: ZQW_KIND_SINGLE(chebyshev_lowpass);
    case 5: ZQW_KIND_SINGLE(chebyshev_highpass);
    case 6: ZQW_KIND_BAND(chebyshev_bandpass);
    case 7: ZQW_KIND_BAND(chebyshev_bandstop);
    case 8: ZQW_KIND_SINGLE(invchebyshev_lowpass);
    case 9: ZQW_KIND_SINGLE(invchebyshev_highpass);
    case 10: ZQW_KIND_BAND(invchebyshev_bandpass);
    case 11: ZQW_KIND_BAND(invchebyshev_bandstop);
    case 12: ZQW_KIND_SINGLE(elliptic_lowpass);
    case 13: ZQW_KIND_SINGLE(elliptic_highpass);
    case 14: ZQW_KIND_BAND(elliptic_bandpass);
    default: ZQW_KIND_BAND(elliptic_bandstop);
    }
#undef ZQW_KIND_SINGLE
#undef ZQW_KIND_BAND
}

// A good request of each band shape, edges in argument order.
const float k_good[4][4] = {{4000, 6000}, {2000, 3000}, {1000, 2000, 4000, 7000}, {1000, 2000, 4000, 7000}};

// Edge order and rate tests of one band shape: the code every family gives.
struct rule_case_t
{
    const char *what;
    int band;
    float fs, e[4];
    int rc;
};

const rule_case_t k_rules[] = {
    {"low-pass fpass = fstop", 0, 48000, {4000, 4000}, -3},
    {"low-pass fstop below fpass", 0, 48000, {4000, 3000}, -3},
    {"low-pass fpass NaN", 0, 48000, {k_nan, 6000}, -3},
    {"low-pass fstop NaN", 0, 48000, {4000, k_nan}, -3},
    {"low-pass fs below 2 fstop", 0, 11999, {4000, 6000}, -4},
    {"low-pass fs NaN", 0, k_nan, {4000, 6000}, -4},
    // the rate test lets fs = 2 fstop pass; the parameter check then refuses an edge at fs / 2
    {"low-pass fs exactly 2 fstop", 0, 12000, {4000, 6000}, -6},
    {"high-pass fpass = fstop", 1, 48000, {3000, 3000}, -3},
    {"high-pass fs below 2 fpass", 1, 5999, {2000, 3000}, -4},
    {"band-pass fstop1 = fpass1", 2, 1e6f, {2000, 2000, 4000, 7000}, -3},
    {"band-pass fpass2 below fpass1", 2, 1e6f, {1000, 4000, 2000, 7000}, -3},
    {"band-pass fpass2 NaN", 2, 1e6f, {1000, 2000, k_nan, 7000}, -3},
    {"band-pass fs below 2 fstop2", 2, 13999, {1000, 2000, 4000, 7000}, -4},
    {"band-stop fstop2 = fstop1", 3, 1e6f, {1000, 2000, 2000, 7000}, -3},
    {"band-stop fpass2 below fstop2", 3, 1e6f, {1000, 2000, 4000, 3000}, -3},
    {"band-stop fs below 2 fpass2", 3, 13999, {1000, 2000, 4000, 7000}, -4},
};

// check_filter_params takes the edges as pass1, pass2, stop1, stop2.
int check(int band, int family, float fs, const float *e)
{
    switch (band) {
    case 0: return check_filter_params(0, family, fs, e[0], e[0], e[1], e[1], -1, -1, -40, -40);
    case 1: return check_filter_params(1, family, fs, e[1], e[1], e[0], e[0], -1, -1, -40, -40);
    case 2: return check_filter_params(2, family, fs, e[1], e[2], e[0], e[3], -1, -1, -40, -40);
    default: return check_filter_params(3, family, fs, e[0], e[3], e[1], e[2], -1, -1, -40, -40);
    }
}

class ZqwFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<short int> in(3000);
        for (std::size_t i = 0; i < in.size(); ++i)
            in[i] = static_cast<short int>(12000 * std::sin(0.05 * i) + 8000 * std::sin(1.3 * i));
        put_samples(src, in, 2.0f, 0.0f);
    }

    ZqwFilter z;
    data_t src, dst;
};

} // namespace

TEST_F(ZqwFilterTest, EveryKindChecksEdgeOrderThenRateBeforeDesigning)
{
    const std::vector<short int> before = {1, 2, 3};
    for (int index = 0; index < 16; ++index) {
        const int family = index / 4, band = index % 4;
        for (const rule_case_t &c : k_rules) {
            if (c.band != band)
                continue;
            SCOPED_TRACE(std::string(c.what) + ", kind " + std::to_string(index));
            put_samples(dst, before, 5.0f, 1.0f);
            z.get_response() = {42.0f};
            EXPECT_EQ(call_kind(z, index, &src, &k_count, &dst, c.fs, c.e, -1, -40), c.rc);
            if (c.rc != -6) {
                EXPECT_EQ(check(band, family, c.fs, c.e), c.rc);
            }
            EXPECT_EQ(z.get_response(), std::vector<float>{42.0f});
            EXPECT_EQ(get_samples(dst), before);
            EXPECT_EQ(dst.amp, 5.0f);
        }
        EXPECT_EQ(check(band, family, 48000, k_good[band]), 0);
        EXPECT_EQ(call_kind(z, index, &src, &k_count, &dst, 48000, k_good[band], -1, -40), 0) << index;
        EXPECT_EQ(get_samples(dst).size(), 3000u);
    }
}

TEST(ZqwFilter, CheckFilterParamsRefusesUnknownTypesAndSelectivities)
{
    const float e[4] = {4000, 6000};
    EXPECT_EQ(check_filter_params(0, 4, 48000, e[0], e[0], e[1], e[1], 0, 0, 0, 0), -5);
    EXPECT_EQ(check_filter_params(0, -1, 48000, e[0], e[0], e[1], e[1], 0, 0, 0, 0), -5);
    EXPECT_EQ(check_filter_params(4, 0, 48000, e[0], e[0], e[1], e[1], 0, 0, 0, 0), -1);
    EXPECT_EQ(check_filter_params(-1, 0, 48000, e[0], e[0], e[1], e[1], 0, 0, 0, 0), -1);
}

TEST_F(ZqwFilterTest, SuccessReplacesTheResponseAndFailuresKeepIt)
{
    ASSERT_EQ(z.chebyshev_lowpass(&src, 3000, &dst, 48000, 4000, 6000, -1, -40), 0);
    const std::vector<float> first = z.get_response();
    IirFilter same(0, 1);
    ASSERT_EQ(same.setParams(48000, 4000, -1, 6000, -40), 0);
    ASSERT_EQ(same.design(), 0);
    EXPECT_EQ(first, same.responseTable());
    ASSERT_EQ(first.size(), 1001u);
    const std::vector<short int> out = get_samples(dst);

    testing::internal::CaptureStdout();
    EXPECT_EQ(z.chebyshev_lowpass(&src, 3000, &dst, 48000, 4000, 3000, -1, -40), -3);
    EXPECT_EQ(z.chebyshev_lowpass(&src, 3000, &dst, 10000, 4000, 6000, -1, -40), -4);
    EXPECT_EQ(z.chebyshev_lowpass(&src, 3000, &dst, 48000, 4000, 6000, -0.01f, -40), -6);
    EXPECT_EQ(z.chebyshev_lowpass(&src, 3000, &dst, 48000, 4000, 4001, -0.02f, -99), -7);
    EXPECT_EQ(z.do_filter(&src, 3000, 48000, 4000, 4000, 6000, 6000, -1, -1, -40, -40, 4, 1, &dst), -1);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(z.get_response(), first);
    EXPECT_EQ(get_samples(dst), out);
    EXPECT_NE(printed.find("ZqwFilter::do_filter:parameter is out of range!!!\n"), std::string::npos);
    EXPECT_NE(printed.find("The filter's order exceeds the range!\n"), std::string::npos);

    ASSERT_EQ(z.elliptic_highpass(&src, 3000, &dst, 48000, 2000, 3000, -1, -50), 0);
    EXPECT_NE(z.get_response(), first);
}

TEST_F(ZqwFilterTest, DesignWhoseFilteringFailsReportsTheFailure)
{
    // do_filter answers with filter_cal's result: a source that cannot be read is -1,
    // while the design it made stays the response.
    std::remove(src.samples.path.c_str());
    EXPECT_EQ(z.butterworth_lowpass(&src, 3000, &dst, 48000, 4000, 6000, -1, -40), -1);
    EXPECT_EQ(z.get_response().size(), 1001u);
}

TEST_F(ZqwFilterTest, CountLessKindsFilterTheWholeSource)
{
    for (int index : {0, 7, 10, 13}) {
        put_samples(dst, {});
        testing::internal::CaptureStdout();
        EXPECT_EQ(call_kind(z, index, &src, nullptr, &dst, 48000, k_good[index % 4], -1, -40), 0) << index;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(get_samples(dst).size(), 3000u);
        EXPECT_NE(out.find("outside resize:3000\n"), std::string::npos);
    }
    const float reversed[2] = {3000, 2000};
    EXPECT_EQ(call_kind(z, 0, &src, nullptr, &dst, 48000, reversed, -1, -40), -3);
}

TEST(ZqwFilter, SectionsMultiplyOutIntoOnePolynomial)
{
    std::vector<float> out;
    ASSERT_EQ(ZqwFilter::sections_to_poly({1, 2, 1, 1, -1, 0.5f}, 4, out), 0);
    EXPECT_EQ(out, (std::vector<float>{1, 1, -0.5f, 0, 0.5f}));
    // Odd orders: the first-order section carries a trailing zero, and so does the product.
    ASSERT_EQ(ZqwFilter::sections_to_poly({1, 0.5f, 0}, 1, out), 0);
    EXPECT_EQ(out, (std::vector<float>{1, 0.5f, 0}));
    ASSERT_EQ(ZqwFilter::sections_to_poly({1, 0.5f, 0, 1, 0, 0.25f}, 3, out), 0);
    EXPECT_EQ(out, (std::vector<float>{1, 0.5f, 0.25f, 0.125f, 0}));
    // no sections, or fewer values than the order's sections
    EXPECT_EQ(ZqwFilter::sections_to_poly({1, 2, 1}, 0, out), -1);
    EXPECT_EQ(ZqwFilter::sections_to_poly({1, 2}, 1, out), -1);
    EXPECT_EQ(ZqwFilter::sections_to_poly({1, 2, 1}, 4, out), -1);

    std::vector<float> product;
    ZqwFilter::poly_mul({1, 1}, {1, -1}, product);
    EXPECT_EQ(product, (std::vector<float>{1, 0, -1}));
}

TEST(ZqwFilter, NormalizeSectionsScalesBySumOfMagnitudes)
{
    std::vector<float> s = {1, -2, 1, 0.5f, 0, 0.5f};
    ZqwFilter::normalize_sections(s);
    EXPECT_EQ(s, (std::vector<float>{0.2f, -0.4f, 0.2f, 0.1f, 0, 0.1f}));
    std::vector<float> zero(6, 0.0f);
    ZqwFilter::normalize_sections(zero);
    EXPECT_EQ(zero, std::vector<float>(6, 0.0f));
}

TEST(ZqwFilter, SelfTestPrintsTheFilteredRamp)
{
    ZqwFilter z;
    testing::internal::CaptureStdout();
    const int rc = z.self_test();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(rc, 0);
    const std::size_t line = out.find("==========");
    ASSERT_NE(line, std::string::npos);
    const std::size_t count = out.find("\n10\n", line);
    ASSERT_NE(count, std::string::npos);
    const std::string samples = out.substr(count + 4);
    std::size_t fields = 0;
    for (std::size_t at = samples.find("     "); at != std::string::npos; at = samples.find("     ", at + 5))
        ++fields;
    EXPECT_EQ(fields, 10u);
}

TEST(ZqwFilter, EntryLimitsOfTheDialog)
{
    const ZqwFilter z;
    EXPECT_EQ(z.get_min_freq(), 0.001f);
    EXPECT_EQ(z.get_max_freq(), 1e9f);
    EXPECT_EQ(z.get_min_apass(), -3.0103f);
    EXPECT_EQ(z.get_max_apass(), -0.01f);
    EXPECT_EQ(z.get_min_astop(), -100.0f);
    EXPECT_EQ(z.get_max_astop(), -3.0103f);
    EXPECT_EQ(z.get_min_apass(), BaseFilter::getMinPassGain());
    EXPECT_EQ(z.get_max_apass(), BaseFilter::getMaxPassGain());
    EXPECT_EQ(z.get_min_astop(), BaseFilter::getMinStopGain());
}

TEST_F(ZqwFilterTest, DesignsWhoseOnePolynomialOverflowsRunStableAsACascade)
{
    // Butterworth high-pass of order 16 and the 1 MHz low-pass example of order 8: their
    // sections multiplied into float polynomials have poles outside the unit circle.
    struct case_t
    {
        int band;
        float fs, e[2];
    } cases[] = {{1, 48000, {2000, 3000}}, {0, 1e6f, {1000, 2000}}};
    for (const case_t &c : cases) {
        IirFilter f(c.band, 0);
        ASSERT_EQ(c.band == 0 ? f.setParams(c.fs, c.e[0], -1, c.e[1], -40) : f.setParams(c.fs, c.e[0], -50, c.e[1], -1),
                  0);
        ASSERT_EQ(f.design(), 0);
        std::vector<float> b, a;
        ASSERT_EQ(ZqwFilter::sections_to_poly(f.numCoefs, f.order, b), 0);
        ASSERT_EQ(ZqwFilter::sections_to_poly(f.denCoefs, f.order, a), 0);
        for (float &v : b)
            v *= f.overallGain;
        EXPECT_EQ(z.filter_cal(&src, 3000, b, a, f.order, &dst), -1) << "order " << f.order;

        const int rc = c.band == 0 ? z.butterworth_lowpass(&src, 3000, &dst, c.fs, c.e[0], c.e[1], -1, -40)
                                   : z.butterworth_highpass(&src, 3000, &dst, c.fs, c.e[0], c.e[1], -1, -50);
        EXPECT_EQ(rc, 0) << "order " << f.order;
        // a filtered signal never swings wider than its source here
        EXPECT_LE(dst.amp, src.amp);
    }
}

TEST_F(ZqwFilterTest, SamplingRateAtTheTopOfTheRangeFiltersLikeAnyOther)
{
    // Just below 1e12 Hz the response table's frequencies pass the int range.
    const float fs = 9.99e11f;
    for (int index : {0, 6, 11, 13}) {
        // edges in each kind's argument order, rising
        const float single[2] = {1e11f, 2e11f}, band[4] = {1e10f, 5e10f, 1e11f, 2e11f};
        ASSERT_EQ(call_kind(z, index, &src, &k_count, &dst, fs, index % 4 < 2 ? single : band, -1, -40), 0) << index;
        EXPECT_EQ(z.get_response().size(), 1001u);
        EXPECT_EQ(get_samples(dst).size(), 3000u);
    }
}
