#include "lib_alloc.h"
#include "lib_sample_conv.h"
#include "math_filter_run.h"
#include "math_test_util.h"
#include "zqw_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

std::vector<short int> noise(std::size_t n, unsigned seed, int spread = 12000)
{
    std::vector<short int> v(n);
    unsigned s = seed;
    for (short int &x : v) {
        s = s * 1103515245u + 12345u;
        x = static_cast<short int>(static_cast<int>((s >> 8) % (2u * spread + 1)) - spread);
    }
    return v;
}

// A fourth-order low-pass as two sections, and its polynomials.
const std::vector<float> k_num = {1, 2, 1, 1, 2, 1};
const std::vector<float> k_den = {1, -1.0485996f, 0.2961403f, 1, -1.3209134f, 0.6327387f};

void lowpass_poly(std::vector<float> &b, std::vector<float> &a)
{
    ZqwFilter::sections_to_poly(k_num, 4, b);
    ZqwFilter::sections_to_poly(k_den, 4, a);
    for (float &c : b)
        c *= 0.0102f; // about unit gain at 0 Hz
}

struct result_t
{
    int rc;
    std::vector<short int> samples;
    float amp, offset;
};

class FilterRun : public ::testing::Test
{
protected:
    void SetUp() override { m_chunk = math_filter_chunk_size(); }
    void TearDown() override { math_filter_set_chunk_size(m_chunk); }

    result_t cal(const std::vector<float> &b, const std::vector<float> &a, int order, uint32 count)
    {
        const int rc = filter.filter_cal(&src, count, b, a, order, &dst);
        return {rc, get_samples(dst), dst.amp, dst.offset};
    }

    ZqwFilter filter;
    lib_wv_data_t<short int> src, dst;
    uint32 m_chunk = 0;
};

} // namespace

TEST_F(FilterRun, MatchesSosfiltFileToFile)
{
    const sos_case_t c = load_sos_case("butter4_lp");
    put_samples(src, c.samples, c.amp, c.offset);
    std::vector<float> num(c.num.begin(), c.num.end()), den(c.den.begin(), c.den.end()), b, a;
    ASSERT_EQ(ZqwFilter::sections_to_poly(num, 4, b), 0);
    ASSERT_EQ(ZqwFilter::sections_to_poly(den, 4, a), 0);
    const result_t r = cal(b, a, 4, static_cast<uint32>(c.samples.size()));
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.samples.size(), c.samples.size());
    // The window the reference outputs ask for.
    float hi = -INFINITY, lo = INFINITY;
    for (double y : c.y) {
        hi = std::max(hi, static_cast<float>(y));
        lo = std::min(lo, static_cast<float>(y));
    }
    float amp = c.amp, off = c.offset;
    if (hi > c.offset + 0.5f * c.amp || lo < c.offset - 0.5f * c.amp) {
        amp = hi - lo;
        off = (hi + lo) * 0.5f;
    }
    EXPECT_NEAR(r.amp, amp, 1e-4 * amp);
    EXPECT_NEAR(r.offset, off, 1e-4 * amp);
    for (std::size_t i = 0; i < c.y.size(); ++i)
        ASSERT_NEAR(r.samples[i], volt_to_sample(static_cast<float>(c.y[i]), r.amp, r.offset), 2) << i;
}

TEST_F(FilterRun, ChunkSeamsGiveTheOutputsOfOnePass)
{
    const std::vector<short int> in = noise(5000, 7);
    put_samples(src, in, 1.0f, 0.1f);
    std::vector<float> b, a;
    lowpass_poly(b, a);
    const result_t whole = cal(b, a, 4, 5000);
    ASSERT_EQ(whole.rc, 0);
    for (uint32 chunk : {5000u, 4999u, 5001u, 1000u, 3u, 1u}) {
        math_filter_set_chunk_size(chunk);
        const result_t r = cal(b, a, 4, 5000);
        EXPECT_EQ(r.rc, 0) << chunk;
        EXPECT_EQ(r.samples, whole.samples) << chunk;
        EXPECT_EQ(r.amp, whole.amp) << chunk;
        EXPECT_EQ(r.offset, whole.offset) << chunk;
    }
    // The same for the cascade of a designed filter.
    math_filter_set_chunk_size(m_chunk);
    ASSERT_EQ(filter.chebyshev_bandpass(&src, 5000, &dst, 48000, 1000, 2000, 4000, 7000, -1, -40), 0);
    const std::vector<short int> designed = get_samples(dst);
    for (uint32 chunk : {5000u, 4097u, 999u}) {
        math_filter_set_chunk_size(chunk);
        ASSERT_EQ(filter.chebyshev_bandpass(&src, 5000, &dst, 48000, 1000, 2000, 4000, 7000, -1, -40), 0);
        EXPECT_EQ(get_samples(dst), designed) << chunk;
    }
}

TEST_F(FilterRun, OutputsInsideTheSourceWindowKeepItsAmplitudeAndOffset)
{
    // Full-scale samples land exactly on the window's limits; requantising truncates.
    std::vector<short int> in = noise(3000, 3);
    in[10] = 32767;
    in[11] = -32767;
    put_samples(src, in, 1.5f, 0.25f);
    const result_t r = cal({1, 0, 0}, {1, 0, 0}, 1, 3000);
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(r.amp, 1.5f);
    EXPECT_EQ(r.offset, 0.25f);
    for (std::size_t i = 0; i < in.size(); ++i)
        ASSERT_EQ(r.samples[i], volt_to_sample(sample_to_volt(in[i], 1.5f, 0.25f), 1.5f, 0.25f)) << i;
    EXPECT_GE(r.samples[10], 32766);
    EXPECT_LE(r.samples[11], -32766);
}

TEST_F(FilterRun, OutputsLeavingTheWindowWidenItToTheirSpan)
{
    std::vector<short int> in = noise(3000, 5);
    put_samples(src, in, 2.0f, 0.0f);
    const result_t r = cal({3, 0, 0}, {1, 0, 0}, 1, 3000);
    ASSERT_EQ(r.rc, 0);
    float hi = -INFINITY, lo = INFINITY;
    for (short int s : in) {
        hi = std::max(hi, 3.0f * sample_to_volt(s, 2.0f, 0.0f));
        lo = std::min(lo, 3.0f * sample_to_volt(s, 2.0f, 0.0f));
    }
    EXPECT_FLOAT_EQ(r.amp, hi - lo);
    EXPECT_FLOAT_EQ(r.offset, (hi + lo) / 2);
    const auto [mn, mx] = std::minmax_element(r.samples.begin(), r.samples.end());
    EXPECT_GE(*mx, 32766);
    EXPECT_LE(*mn, -32766);
}

TEST_F(FilterRun, ConstantOutputsOutsideTheWindowSitAtTheOffset)
{
    struct case_t
    {
        short int sample;
        float amp, offset, gain, want_amp, want_offset;
    } cases[] = {
        {32767, 2.0f, 0.0f, 2.0f, 2.0f, 2.0f}, // one sample at twice the top
        {0, 0.0f, 0.3f, 2.0f, 0.1f, 0.6f},     // a source without amplitude
    };
    for (const case_t &c : cases) {
        put_samples(src, {c.sample}, c.amp, c.offset);
        const result_t r = cal({c.gain, 0, 0}, {1, 0, 0}, 1, 1);
        ASSERT_EQ(r.rc, 0);
        EXPECT_FLOAT_EQ(r.amp, c.want_amp);
        EXPECT_FLOAT_EQ(r.offset, c.want_offset);
        EXPECT_EQ(r.samples, std::vector<short int>{0});
    }
}

TEST_F(FilterRun, CountZeroEmptiesTheDestinationAndKeepsAWindowHoldingZero)
{
    struct case_t
    {
        float amp, offset, want_amp, want_offset;
    } cases[] = {{2.0f, 0.5f, 2.0f, 0.5f}, {1.0f, 5.0f, 0.0f, 0.0f}};
    for (const case_t &c : cases) {
        put_samples(src, noise(10, 1), c.amp, c.offset);
        put_samples(dst, noise(10, 2));
        const result_t r = cal({1, 0, 0}, {1, 0, 0}, 1, 0);
        EXPECT_EQ(r.rc, 0);
        EXPECT_TRUE(r.samples.empty());
        EXPECT_EQ(r.amp, c.want_amp);
        EXPECT_EQ(r.offset, c.want_offset);
    }
}

TEST_F(FilterRun, LeadingDenominatorZeroOrNanGivesZeroSamplesAndMinusOne)
{
    put_samples(src, noise(300, 4));
    for (float a0 : {0.0f, NAN}) {
        put_samples(dst, noise(50, 9), 3.0f, 1.0f);
        const result_t r = cal({1, 0, 0}, {a0, 0, 0}, 1, 300);
        EXPECT_EQ(r.rc, -1);
        EXPECT_EQ(r.samples, std::vector<short int>(300, 0));
        EXPECT_EQ(r.amp, 3.0f);
        EXPECT_EQ(r.offset, 1.0f);
    }
}

TEST_F(FilterRun, BadInputOrFailuresGiveMinusOneAndTouchNothing)
{
    const std::vector<short int> in = noise(4000, 6);
    put_samples(src, in, 1.0f, 0.0f);
    const std::vector<short int> before = noise(20, 8);
    std::vector<float> b, a;
    lowpass_poly(b, a);
    struct case_t
    {
        const char *what;
        std::vector<float> b, a;
        int order;
        uint32 count;
    } cases[] = {
        {"unstable recursion overflows", {1, 0, 0}, {1, -2, 0}, 1, 4000},
        {"NaN coefficient", {NAN, 0, 0}, {1, 0, 0}, 1, 4000},
        {"polynomials shorter than the order needs", {1, 0}, {1, 0}, 1, 4000},
        {"negative order", b, a, -5, 4000},
        {"count past the source", b, a, 4, 4001},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.what);
        put_samples(dst, before, 3.0f, 1.0f);
        const result_t r = cal(c.b, c.a, c.order, c.count);
        EXPECT_EQ(r.rc, -1);
        EXPECT_EQ(r.samples, before);
        EXPECT_EQ(r.amp, 3.0f);
        EXPECT_EQ(r.offset, 1.0f);
        EXPECT_EQ(get_samples(src), in);
    }
    // Every buffer the run takes can fail on its own.
    for (std::size_t nth = 1; nth <= 5; ++nth) {
        put_samples(dst, before, 3.0f, 1.0f);
        {
            lib_alloc_fail_scope_t fail(nth);
            EXPECT_EQ(cal(b, a, 4, 4000).rc, -1) << "allocation " << nth;
        }
        EXPECT_EQ(get_samples(dst), before);
    }
    put_samples(dst, before, 3.0f, 1.0f);
    EXPECT_EQ(cal(b, a, 4, 4000).rc, 0);
}

TEST_F(FilterRun, UnreadableSourceOrUnwritableDestinationGivesMinusOne)
{
    put_samples(src, noise(4000, 6));
    std::vector<float> b, a;
    lowpass_poly(b, a);
    const std::string src_path = src.samples.path;
    const std::string kept = file_bytes(src_path);
    lib_wv_data_t<short int> elsewhere;
    elsewhere.samples.path = "/nonexistent-ondrix-dir/out.bin";
    EXPECT_EQ(filter.filter_cal(&src, 4000, b, a, 4, &elsewhere), -1);
    EXPECT_EQ(file_bytes(src_path), kept);

    std::remove(src_path.c_str());
    put_samples(dst, noise(20, 8));
    EXPECT_EQ(cal(b, a, 4, 4000).rc, -1);
    EXPECT_EQ(get_samples(dst), noise(20, 8));
}

TEST_F(FilterRun, FullDiskWhileWritingTheResultGivesMinusOne)
{
    put_samples(src, noise(100000, 6));
    put_samples(dst, noise(20, 8));
    const std::string kept = file_bytes(src.samples.path);
    std::vector<float> b, a;
    lowpass_poly(b, a);
    // Files may not grow past 150 kB: the 200 kB of the result cannot be written.
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 150000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int rc = filter.filter_cal(&src, 100000, b, a, 4, &dst);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(get_samples(dst), noise(20, 8));
    EXPECT_EQ(file_bytes(src.samples.path), kept);
}
