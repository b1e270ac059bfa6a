#include "lib_alloc.h"
#include "lib_window_func.h"
#include "math_test_util.h"
#include "test_dir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

using record_t = lib_wv_data_t<short>;

const float k_kaiser_beta = static_cast<float>(8.0 / M_PI);

lib_window_kind_t kind_of(const std::string &name)
{
    static const std::map<std::string, lib_window_kind_t> kinds = {
        {"rectangle", lib_window_kind_t::rectangle}, {"triangle", lib_window_kind_t::triangle},
        {"hanning", lib_window_kind_t::hanning},     {"hamming", lib_window_kind_t::hamming},
        {"blackman", lib_window_kind_t::blackman},   {"kaiser", lib_window_kind_t::kaiser},
        {"blackman_harris", lib_window_kind_t::blackman_harris},
        {"gauss", lib_window_kind_t::gauss},         {"bartlett", lib_window_kind_t::bartlett},
        {"fall_exp", lib_window_kind_t::fall_exp},   {"flattop", lib_window_kind_t::flattop},
        {"force", lib_window_kind_t::force},
    };
    return kinds.at(name);
}

// One window over one length from samples.csv: the source samples and the references.
struct sample_case_t
{
    std::string window;
    float param = 0.0f;
    std::vector<short> samples;
    std::vector<double> products;
    std::vector<int> expected;
};

std::vector<sample_case_t> sample_cases()
{
    std::vector<sample_case_t> cases;
    for (const auto &row : read_csv(test_source_path("tests/data/gen_windows/samples.csv"))) {
        const std::string key = row[0] + "/" + row[1];
        if (cases.empty() || cases.back().window != key) {
            cases.push_back({key, std::stof(row[2]), {}, {}, {}});
        }
        cases.back().samples.push_back(static_cast<short>(std::stoi(row[4])));
        cases.back().products.push_back(std::stod(row[5]));
        cases.back().expected.push_back(std::stoi(row[6]));
    }
    return cases;
}

// A product within a hair of an integer truncates either way depending on the last bit
// of the factor, which numpy and we may round differently: one code either way is right.
void expect_windowed(const sample_case_t &c, const std::vector<short> &got)
{
    ASSERT_EQ(c.expected.size(), got.size()) << c.window;
    for (std::size_t j = 0; j < got.size(); ++j) {
        const double p = c.products[j];
        const bool on_edge = std::fabs(p - std::round(p)) < 1e-7;
        if (on_edge)
            EXPECT_NEAR(c.expected[j], got[j], 1) << c.window << " j=" << j;
        else
            EXPECT_EQ(c.expected[j], got[j]) << c.window << " j=" << j << " product " << p;
    }
}

record_t make_source(const std::vector<short> &samples)
{
    record_t src;
    fill_record(src, samples);
    src.amp = 3.5f;
    src.offset = -0.25f;
    src.freq = 123.0;
    return src;
}

} // namespace

TEST(WindowShape, FactorsMatchTheReferenceWindows)
{
    const auto rows = read_csv(test_source_path("tests/data/gen_windows/factors.csv"));
    ASSERT_GT(rows.size(), 2000u);
    for (const auto &row : rows) {
        const uint64 n = std::stoull(row[1]);
        const float param = std::stof(row[2]);
        const lib_window_shape_t shape(kind_of(row[0]), n, param, 1.0f);
        // Kaiser's I0 and its argument are single precision by definition, numpy's
        // double: the argument's rounding weighs more as beta grows.
        const double tolerance = row[0] == "kaiser" ? 2e-6 * std::max(1.0f, param / 10.0f) : 1e-9;
        EXPECT_NEAR(std::stod(row[4]), shape.factor(std::stoull(row[3])), tolerance)
            << row[0] << " N=" << n << " param=" << row[2] << " j=" << row[3] << " (" << row[5] << ")";
    }
}

TEST(WindowFunc, WindowedSamplesMatchTheReferenceTruncation)
{
    for (const sample_case_t &c : sample_cases()) {
        record_t src = make_source(c.samples), dst;
        dst.freq = 77.0;
        const std::string window = c.window.substr(0, c.window.find('/'));
        ASSERT_EQ(0, lib_window_func().apply(kind_of(window), &src, &dst, c.param, 1.0f)) << c.window;
        expect_windowed(c, contents(dst));
        EXPECT_EQ(c.samples, contents(src)) << "the source is only read";
        EXPECT_EQ(3.5f, dst.amp);
        EXPECT_EQ(-0.25f, dst.offset);
        EXPECT_EQ(77.0, dst.freq) << "the frequency stays";
    }
}

TEST(WindowFunc, BlockSeamsContinueTheWindowByGlobalIndex)
{
    block_scope_t block(5);
    for (const sample_case_t &c : sample_cases()) {
        record_t src = make_source(c.samples), dst;
        const std::string window = c.window.substr(0, c.window.find('/'));
        ASSERT_EQ(0, lib_window_func().apply(kind_of(window), &src, &dst, c.param, 1.0f)) << c.window;
        expect_windowed(c, contents(dst));
    }
}

TEST(WindowFunc, InPlaceFormsGiveTheStreamedResult)
{
    using in_place_t = int32 (lib_window_func::*)(record_t *, float);
    const std::vector<std::pair<std::string, in_place_t>> forms = {
        {"rectangle", &lib_window_func::window_rectangle_in_place},
        {"triangle", &lib_window_func::window_triangle_in_place},
        {"hanning", &lib_window_func::window_hanning_in_place},
        {"hamming", &lib_window_func::window_hamming_in_place},
        {"blackman", &lib_window_func::window_blackman_in_place},
        {"blackman_harris", &lib_window_func::window_blackman_harris_in_place},
        {"bartlett", &lib_window_func::window_bartlett_in_place},
        {"fall_exp", &lib_window_func::window_fall_exp_in_place},
        {"flattop", &lib_window_func::window_flattop_in_place},
        {"force", &lib_window_func::window_force_in_place},
    };
    const std::vector<short> samples = ramp_samples(41, -9000);
    lib_window_func w;
    for (const auto &form : forms) {
        record_t streamed_src = make_source(samples), streamed, rec = make_source(samples);
        ASSERT_EQ(0, w.apply(kind_of(form.first), &streamed_src, &streamed, 0.0f, 1.0f));
        ASSERT_EQ(0, (w.*form.second)(&rec, 1.0f)) << form.first;
        EXPECT_EQ(contents(streamed), contents(rec)) << form.first;
    }
    record_t src = make_source(samples), out, rec = make_source(samples), rec2 = make_source(samples);
    ASSERT_EQ(0, w.window_kaiser(&src, &out, k_kaiser_beta, 1.0f));
    ASSERT_EQ(0, w.window_kaiser_in_place(&rec, k_kaiser_beta, 1.0f));
    EXPECT_EQ(contents(out), contents(rec));
    ASSERT_EQ(0, w.window_gauss(&src, &out, 2.5f, 1.0f));
    ASSERT_EQ(0, w.window_gauss_in_place(&rec2, 2.5f, 1.0f));
    EXPECT_EQ(contents(out), contents(rec2));
}

// Mappings over five samples, where the factors are 0, 0.5 and 1 or close to them.
TEST(WindowFunc, FiveSampleMappingsTruncateTowardZero)
{
    struct case_t
    {
        lib_window_kind_t kind;
        std::vector<short> in, out;
    } cases[] = {
        {lib_window_kind_t::hanning, {100, 1001, 32767, -1001, 5}, {0, 500, 32767, -500, 0}},
        {lib_window_kind_t::flattop, {32767, 0, 32767, 0, -32767}, {-13, 0, 32767, 0, 13}},
        {lib_window_kind_t::blackman, {32767, 1001, 0, -1001, -32767}, {0, 340, 0, -340, 0}},
        {lib_window_kind_t::force, {1, 2, 3, 4, 5}, {1, 2, 3, 0, 0}},
        {lib_window_kind_t::triangle, {-32767, 1001, -32767, 1001, 9}, {0, 500, -32767, 500, 0}},
    };
    for (const case_t &c : cases) {
        record_t src = make_source(c.in), dst;
        ASSERT_EQ(0, lib_window_func().apply(c.kind, &src, &dst, 0.0f, 1.0f));
        EXPECT_EQ(c.out, contents(dst)) << int(c.kind);
    }
}

TEST(WindowFunc, TriangleScaledAboveOneSaturatesAtFullScale)
{
    record_t src = make_source({20000, -20000, 30000, -30000, 20000, 5}), dst;
    ASSERT_EQ(0, lib_window_func().window_triangle(&src, &dst, 2.0f));
    // last = 2, step = 1: factors 0, 1, 2, 2, 1, 0
    EXPECT_EQ((std::vector<short>{0, -20000, 32767, -32767, 20000, 0}), contents(dst));
}

TEST(WindowFunc, ShortSourcesFollowTheLengthRules)
{
    struct case_t
    {
        lib_window_kind_t kind;
        std::vector<short> in, out;
    } cases[] = {
        {lib_window_kind_t::hanning, {}, {}},
        {lib_window_kind_t::hanning, {1234}, {1234}},
        {lib_window_kind_t::fall_exp, {-1234}, {-1234}},
        {lib_window_kind_t::triangle, {1234}, {1234}},
        {lib_window_kind_t::triangle, {1234, -1234}, {0, 0}},
        {lib_window_kind_t::gauss, {1234, -1234}, {1234, -1234}},
        {lib_window_kind_t::kaiser, {1000, 1000}, {293, 293}},
        {lib_window_kind_t::fall_exp, {1000, 1000}, {1000, 6}},
    };
    for (const case_t &c : cases) {
        record_t src = make_source(c.in), dst;
        fill_record(dst, {7, 7, 7});
        const float param = c.kind == lib_window_kind_t::gauss ? 2.5f : k_kaiser_beta;
        ASSERT_EQ(0, lib_window_func().apply(c.kind, &src, &dst, param, 1.0f));
        EXPECT_EQ(c.out, contents(dst)) << int(c.kind) << " N=" << c.in.size();
        EXPECT_EQ(3.5f, dst.amp);
    }
}

TEST(WindowFunc, MissingSourceGivesAnEmptyResult)
{
    record_t src = make_source({1, 2, 3}), dst;
    fill_record(dst, {7, 7, 7});
    std::remove(src.samples.path.c_str());
    testing::internal::CaptureStdout();
    EXPECT_EQ(0, lib_window_func().window_hanning(&src, &dst, 1.0f));
    EXPECT_EQ("clear file" + dst.samples.path + "\n", testing::internal::GetCapturedStdout());
    EXPECT_TRUE(contents(dst).empty());
    EXPECT_EQ(3.5f, dst.amp);
}

TEST(WindowFunc, SameRecordOrSharedFileIsRefusedUntouched)
{
    record_t rec = make_source({100, 200, 300});
    record_t twin = rec; // names the same sample file
    lib_window_func w;
    EXPECT_EQ(-1, w.window_hanning(&rec, &rec, 1.0f));
    EXPECT_EQ(-1, w.window_rectangle(&rec, &twin, 1.0f));
    twin.amp = 9.0f;
    EXPECT_EQ(-1, w.window_kaiser(&rec, &twin, k_kaiser_beta, 1.0f));
    EXPECT_EQ((std::vector<short>{100, 200, 300}), contents(rec));
    EXPECT_EQ(9.0f, twin.amp);

    record_t other = make_source({1, 2, 3});
    ASSERT_EQ(0, ::unlink(other.samples.path.c_str()));
    ASSERT_EQ(0, ::link(rec.samples.path.c_str(), other.samples.path.c_str()));
    EXPECT_EQ(-1, w.window_force(&rec, &other, 1.0f)) << "a hard link is the same file";
    EXPECT_EQ(-1, w.window_force(nullptr, &other, 1.0f));
    EXPECT_EQ((std::vector<short>{100, 200, 300}), contents(rec));
}

TEST(WindowFunc, UnwritableDestinationFailsAndKeepsItsSamples)
{
    const std::vector<short> old = {5, 6, 7};
    record_t src = make_source(ramp_samples(4000)), dst;
    fill_record(dst, old);
    dst.amp = 1.0f;
    {
        file_size_limit_t limit(2048);
        EXPECT_EQ(-1, lib_window_func().window_hamming(&src, &dst, 1.0f));
        EXPECT_EQ(-1, lib_window_func().window_rectangle(&src, &dst, 1.0f));
    }
    EXPECT_EQ(old, contents(dst));
    EXPECT_EQ(1.0f, dst.amp);
    EXPECT_FALSE(file_exists(lib_wv_scratch_path(dst.samples.path))) << "no leftover";

    record_t nowhere;
    const std::string own = nowhere.samples.path;
    nowhere.samples.path = "no_such_dir/x.bin";
    EXPECT_EQ(-1, lib_window_func().window_hanning(&src, &nowhere, 1.0f));
    nowhere.samples.path = own;
}

TEST(WindowFunc, FailedBufferAllocationTouchesNothing)
{
    record_t src = make_source(ramp_samples(100)), dst;
    fill_record(dst, {1, 2});
    {
        lib_alloc_fail_scope_t fail(1);
        EXPECT_EQ(-2, lib_window_func().window_blackman(&src, &dst, 1.0f));
    }
    EXPECT_EQ((std::vector<short>{1, 2}), contents(dst));
    EXPECT_EQ(2.0f, dst.amp);
}

TEST(BesselI0, SumsUntilConvergedAndSaturatesBeyondTheFloatRange)
{
    struct case_t
    {
        float x;
        double expected;
    } cases[] = {
        {0.0f, 1.0},
        {k_kaiser_beta, 3.4093137},
        {6.0f, 67.23440697647798},
        {10.0f, 2815.716628466254},    // needs more than 19 terms
        {-10.0f, 2815.716628466254},
        {50.0f, 2.93255378384933e20},
    };
    lib_window_func w;
    for (const case_t &c : cases)
        EXPECT_NEAR(c.expected, w.bessel_i0(c.x), c.expected * 2e-7) << c.x;
    EXPECT_TRUE(std::isinf(bessel_i0(100.0f)));
}

TEST(WindowFunc, ReservedOperationsDoNothing)
{
    record_t a = make_source({1, 2}), b;
    lib_window_func w;
    EXPECT_EQ(0, w.window_reserved_a(&a, &b, 1.0f, 2.0f, 1.0f));
    EXPECT_EQ(0, w.window_reserved_b(&a, &b, 1.0f, 2.0f, 1.0f));
    EXPECT_EQ(0, w.window_reserved_c(&a, &b, 1.0f, 2.0f, 3.0f, 1.0f));
    EXPECT_EQ(0, w.window_reserved_d(&a, &b, 1.0f, 2.0f, 3.0f, 1.0f));
    EXPECT_TRUE(contents(b).empty());
}
