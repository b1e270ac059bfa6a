#include "lib_alloc.h"
#include "lib_wv_arith.h"
#include "math_test_util.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using record_t = lib_wv_data_t<short>;
using arith_fn_t = int32 (*)(const record_t *, uint32, record_t *, range_data_t);

record_t make(const std::vector<short> &codes, float amp, float offset)
{
    record_t r;
    fill_record(r, codes);
    r.amp = amp;
    r.offset = offset;
    return r;
}

// Volts per code of 1: amplitude 65534.
constexpr float k_one_volt_codes = 65534.0f;

struct arith_case_t
{
    const char *name;
    arith_fn_t fn;
    std::vector<short> a;
    float a_amp, a_offset;
    std::vector<short> b;
    float b_amp, b_offset;
    std::vector<short> codes; // b's codes afterwards
    float amp, offset;        // b's amplitude and offset afterwards
};

} // namespace

TEST(WaveArith, ResultsAreRescaledToFullScale)
{
    const arith_case_t cases[] = {
        {"constant sum: minimum amplitude around 3.5 V", lib_math_get_data_by_add, {0, 0, 0}, 2.0f, 1.0f, {0, 0, 0},
         2.0f, 2.5f, {0, 0, 0}, 0.1f, 3.5f},
        {"-3 V to 5 V", lib_math_get_data_by_add, {-3, 1, 5, 2}, k_one_volt_codes, 0.0f, {0, 0, 0, 0}, 2.0f, 0.0f,
         {-32767, 0, 32767, 8191}, 8.0f, 1.0f},
        {"a span of 0.05 V", lib_math_get_data_by_add, {0, 0}, 2.0f, 0.0f, {0, 32767}, 0.1f, 0.0f,
         {-16383, 16383}, 0.1f, 0.025f},
        {"1.9 code steps truncate to 1", lib_math_get_data_by_add, {-32767, 32767, 1, -1}, 20.0f, 0.0f,
         {0, 0, 1, -1}, 18.0f, 0.0f, {-32767, 32767, 1, -1}, 20.0f, 0.0f},
        {"subtraction is a - b", lib_math_get_data_by_sub, {1, 1}, k_one_volt_codes, 0.0f, {3, 3},
         k_one_volt_codes, 0.0f, {0, 0}, 0.1f, -2.0f},
        {"subtraction over a span", lib_math_get_data_by_sub, {4, 0, -2}, k_one_volt_codes, 0.0f, {0, 0, 2},
         k_one_volt_codes, 0.0f, {32767, 0, -32767}, 8.0f, 0.0f},
        {"multiplying by 0 V", lib_math_get_data_by_mul, {100, -32767, 32767}, 2.0f, 0.3f, {0, 0, 0}, 2.0f, 0.0f,
         {0, 0, 0}, 0.1f, 0.0f},
        {"products", lib_math_get_data_by_mul, {2, -3, 1}, k_one_volt_codes, 0.0f, {2, 2, 0}, k_one_volt_codes,
         0.0f, {32767, -32767, 6553}, 10.0f, -1.0f},
        {"2 V / -0.5 V", lib_math_get_data_by_div, {2, -2}, k_one_volt_codes, 0.0f, {0, 0}, k_one_volt_codes,
         -0.5f, {-32767, 32767}, 8.0f, 0.0f},
        {"a zero divisor counts as 1e-7 V", lib_math_get_data_by_div, {1, 2}, k_one_volt_codes, 0.0f, {0, 1},
         k_one_volt_codes, 0.0f, {32767, -32767}, 9999998.0f, 5000001.0f},
    };
    for (const arith_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        const record_t a = make(c.a, c.a_amp, c.a_offset);
        record_t b = make(c.b, c.b_amp, c.b_offset);
        b.freq = 55.0;
        ASSERT_EQ(0, c.fn(&a, uint32(c.a.size()), &b, {0.0, double(c.a.size())}));
        EXPECT_EQ(c.codes, contents(b));
        EXPECT_FLOAT_EQ(c.amp, b.amp);
        EXPECT_FLOAT_EQ(c.offset, b.offset);
        EXPECT_EQ(55.0, b.freq);
        EXPECT_EQ(c.a, contents(a)) << "a is only read";
        EXPECT_FALSE(file_exists(lib_wv_companion_path(a.samples.path))) << "the scratch file is gone";
    }
}

TEST(WaveArith, SubtractionReportsTheNewScale)
{
    const record_t a = make({1, 1}, k_one_volt_codes, 0.0f);
    record_t b = make({3, 3}, k_one_volt_codes, 0.0f);
    testing::internal::CaptureStdout();
    ASSERT_EQ(0, lib_math_get_data_by_sub(&a, 2, &b, {0.0, 2.0}));
    EXPECT_EQ("new_amp is 0.1\nnew_offest is -2\n", testing::internal::GetCapturedStdout());
}

TEST(WaveArith, OnlyTheRangeIsRewritten)
{
    const record_t a = make(std::vector<short>(30, 100), k_one_volt_codes, 0.0f);
    std::vector<short> before = ramp_samples(30, -15);
    record_t b = make(before, k_one_volt_codes, 0.0f);
    ASSERT_EQ(0, lib_math_get_data_by_add(&a, 30, &b, {10.0, 20.0}));
    const std::vector<short> after = contents(b);
    for (int i = 0; i < 30; ++i) {
        if (i < 10 || i >= 20) {
            EXPECT_EQ(before[i], after[i]) << i;
        }
    }
    // results 95 ... 104 V: amplitude 9, offset 99.5
    EXPECT_EQ(-32767, after[10]);
    EXPECT_EQ(32767, after[19]);
    EXPECT_FLOAT_EQ(9.0f, b.amp);
    EXPECT_FLOAT_EQ(99.5f, b.offset);
}

TEST(WaveArith, RangesOutsideTheRecordsAreRefusedUntouched)
{
    const record_t a = make(ramp_samples(8), 2.0f, 0.0f);
    const std::vector<short> codes = ramp_samples(8, 50);
    struct case_t
    {
        range_data_t range;
        const char *line;
    } cases[] = {
        {{0.0, 0.5}, "the size of the two data are different"},
        {{3.0, 3.0}, "the size of the two data are different"},
        {{5.0, 2.0}, "the size of the two data are different"},
        {{NAN, 3.0}, "the size of the two data are different"},
        {{-1.0, 3.0}, "the range is out of the data"},
        {{0.0, 9.0}, "the range is out of the data"},
        {{7.0, 9.0}, "the range is out of the data"},
        {{0.0, 1e20}, "the range is out of the data"},
        {{0.0, INFINITY}, "the range is out of the data"},
    };
    for (const case_t &c : cases) {
        record_t b = make(codes, 3.0f, 0.5f);
        testing::internal::CaptureStdout();
        EXPECT_EQ(-1, lib_math_get_data_by_add(&a, 8, &b, c.range)) << c.range.start << " " << c.range.end;
        EXPECT_EQ(std::string("ui_wvmath_form_t::_get_data_by_add:") + c.line + "\n",
                  testing::internal::GetCapturedStdout());
        EXPECT_EQ(codes, contents(b));
        EXPECT_EQ(3.0f, b.amp);
        EXPECT_EQ(0.5f, b.offset);
        EXPECT_FALSE(file_exists(lib_wv_companion_path(a.samples.path)));
    }
    record_t b = make(codes, 3.0f, 0.5f);
    EXPECT_EQ(-1, lib_math_get_data_by_mul(nullptr, 8, &b, {0.0, 8.0}));
    EXPECT_EQ(-1, lib_math_get_data_by_mul(&a, 8, nullptr, {0.0, 8.0}));
}

TEST(WaveArith, ChunkSeamsGiveTheSameResult)
{
    std::vector<short> ca(1000), cb(1000);
    for (int i = 0; i < 1000; ++i) {
        ca[i] = short((i * 7919) % 65535 - 32767);
        cb[i] = short((i * 104729) % 60001 - 30000);
    }
    const arith_fn_t fns[] = {lib_math_get_data_by_add, lib_math_get_data_by_sub, lib_math_get_data_by_mul,
                              lib_math_get_data_by_div};
    for (arith_fn_t fn : fns) {
        const record_t a = make(ca, 3.0f, 0.25f);
        record_t whole = make(cb, 5.0f, -1.0f), chunked = make(cb, 5.0f, -1.0f);
        ASSERT_EQ(0, fn(&a, 1000, &whole, {1.0, 999.0}));
        {
            block_scope_t block(7);
            ASSERT_EQ(0, fn(&a, 1000, &chunked, {1.0, 999.0}));
        }
        EXPECT_EQ(contents(whole), contents(chunked));
        EXPECT_EQ(whole.amp, chunked.amp);
        EXPECT_EQ(whole.offset, chunked.offset);
    }
}

TEST(WaveArith, FileFailuresReturnMinusOneAndKeepB)
{
    const std::vector<short> codes = ramp_samples(1000);
    auto expect_untouched = [&](const record_t &b) {
        EXPECT_EQ(codes, contents(b));
        EXPECT_EQ(2.0f, b.amp);
        EXPECT_EQ(0.0f, b.offset);
    };
    {
        record_t a = make(codes, 2.0f, 0.0f), b = make(codes, 2.0f, 0.0f);
        std::remove(a.samples.path.c_str());
        EXPECT_EQ(-1, lib_math_get_data_by_add(&a, 1000, &b, {0.0, 1000.0})) << "a missing";
        expect_untouched(b);
    }
    {
        const record_t a = make(codes, 2.0f, 0.0f);
        record_t b = make(ramp_samples(999), 2.0f, 0.0f);
        EXPECT_EQ(-1, lib_math_get_data_by_add(&a, 1000, &b, {0.0, 1000.0})) << "b too short";
        EXPECT_EQ(ramp_samples(999), contents(b));
    }
    {
        // The scratch file needs 4000 bytes: the disk is full before it is written.
        const record_t a = make(codes, 2.0f, 0.0f);
        record_t b = make(codes, 2.0f, 0.0f);
        {
            file_size_limit_t limit(3000);
            EXPECT_EQ(-1, lib_math_get_data_by_div(&a, 1000, &b, {0.0, 1000.0})) << "scratch full";
        }
        expect_untouched(b);
        EXPECT_FALSE(file_exists(lib_wv_companion_path(a.samples.path)));
    }
    {
        // A leftover scratch file of an earlier run is replaced, not appended to.
        const record_t a = make(codes, 2.0f, 0.0f);
        record_t b = make(codes, 2.0f, 0.0f);
        write_file(lib_wv_companion_path(a.samples.path), std::string(400, 'x'));
        ASSERT_EQ(0, lib_math_get_data_by_sub(&a, 1000, &b, {0.0, 1000.0}));
        EXPECT_EQ(std::vector<short>(1000, 0), contents(b));
        EXPECT_FALSE(file_exists(lib_wv_companion_path(a.samples.path)));
    }
}

TEST(WaveArith, NonFiniteResultIsRefused)
{
    const record_t a = make({32767, 1}, 2e30f, 0.0f);
    record_t b = make({32767, 1}, 2e30f, 0.0f);
    EXPECT_EQ(-1, lib_math_get_data_by_mul(&a, 2, &b, {0.0, 2.0}));
    EXPECT_EQ((std::vector<short>{32767, 1}), contents(b));
    EXPECT_EQ(2e30f, b.amp);
}

TEST(WaveArith, FailedAllocationReturnsMinusTwo)
{
    const record_t a = make(ramp_samples(64), 2.0f, 0.0f);
    for (std::size_t nth = 1; nth <= 3; ++nth) {
        record_t b = make(ramp_samples(64, 9), 2.0f, 0.0f);
        {
            lib_alloc_fail_scope_t fail(nth);
            EXPECT_EQ(-2, lib_math_get_data_by_add(&a, 64, &b, {0.0, 64.0})) << nth;
        }
        EXPECT_EQ(ramp_samples(64, 9), contents(b));
        EXPECT_EQ(2.0f, b.amp);
        EXPECT_FALSE(file_exists(lib_wv_companion_path(a.samples.path)));
    }
}

// The form with its own result record computes what the in-place form writes into b,
// leaves b as it was, and keeps its result record whole when it fails.
TEST(WaveArith, SeparateResultMatchesTheInPlaceForm)
{
    std::vector<short> ca(500), cb(500);
    for (int i = 0; i < 500; ++i) {
        ca[i] = short((i * 7919) % 65535 - 32767);
        cb[i] = short((i * 104729) % 60001 - 30000);
    }
    const struct
    {
        lib_math_op_t op;
        arith_fn_t fn;
    } ops[] = {{LIB_MATH_ADD, lib_math_get_data_by_add},
               {LIB_MATH_SUB, lib_math_get_data_by_sub},
               {LIB_MATH_MUL, lib_math_get_data_by_mul},
               {LIB_MATH_DIV, lib_math_get_data_by_div}};
    for (const auto &o : ops) {
        SCOPED_TRACE(int(o.op));
        const record_t a = make(ca, 3.0f, 0.25f);
        record_t in_place = make(cb, 5.0f, -1.0f);
        const record_t b = make(cb, 5.0f, -1.0f);
        record_t out = make({7, 7, 7}, 2.0f, 0.0f);
        out.freq = 12.0;
        ASSERT_EQ(0, o.fn(&a, 500, &in_place, {0.0, 500.0}));
        ASSERT_EQ(0, lib_math_get_data_by(o.op, &a, &b, &out, {0.0, 500.0}));
        EXPECT_EQ(contents(in_place), contents(out));
        EXPECT_EQ(in_place.amp, out.amp);
        EXPECT_EQ(in_place.offset, out.offset);
        EXPECT_EQ(12.0, out.freq);
        EXPECT_EQ(cb, contents(b)) << "b is only read";
        EXPECT_EQ(5.0f, b.amp);
    }

    const record_t a = make(ca, 3.0f, 0.25f);
    record_t b = make(cb, 5.0f, -1.0f);
    record_t out = make({7, 7, 7}, 2.0f, 0.5f);
    EXPECT_EQ(-1, lib_math_get_data_by(LIB_MATH_ADD, &a, &b, &b, {0.0, 500.0})) << "never into b";
    EXPECT_EQ(-1, lib_math_get_data_by(LIB_MATH_ADD, &a, &b, const_cast<record_t *>(&a), {0.0, 500.0}));
    EXPECT_EQ(-1, lib_math_get_data_by(LIB_MATH_ADD, &a, &b, nullptr, {0.0, 500.0}));
    EXPECT_EQ(-1, lib_math_get_data_by(LIB_MATH_ADD, &a, &b, &out, {0.0, 501.0}));
    {
        lib_alloc_fail_scope_t fail(1);
        EXPECT_EQ(-2, lib_math_get_data_by(LIB_MATH_MUL, &a, &b, &out, {0.0, 500.0}));
    }
    {
        file_size_limit_t limit(900); // a full disk

        EXPECT_EQ(-1, lib_math_get_data_by(LIB_MATH_SUB, &a, &b, &out, {0.0, 500.0}));
    }
    EXPECT_EQ((std::vector<short>{7, 7, 7}), contents(out));
    EXPECT_EQ(2.0f, out.amp);
    EXPECT_EQ(0.5f, out.offset);
    EXPECT_EQ(cb, contents(b));
}
