#include "lib_alloc.h"
#include "lib_equation_compile.h"
#include "math_test_util.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using record_t = lib_wv_data_t<short>;

// One compile of the editor text (lines separated by line feeds).
struct run_t
{
    int32 status = 0;
    int32 line = 0;
};

run_t compile(const QString &text, int32 samples, record_t &result, lib_equation_span_t &span)
{
    run_t r;
    r.status = lib_equation_compile(text.split(QLatin1Char('\n')), samples, &result, &r.line, &span);
    return r;
}

const std::string k_scratch = "temp_data.bin";

} // namespace

TEST(EquationCompile, OnePeriodOfSineFillsTheFullScale)
{
    record_t result;
    result.freq = 42.0;
    lib_equation_span_t span;
    const run_t r = compile("sin(2*pi*x)", 1000, result, span);
    EXPECT_EQ(38, r.status);
    EXPECT_EQ(1, r.line);
    const std::vector<short> s = contents(result);
    ASSERT_EQ(1000u, s.size());
    EXPECT_EQ(32767, *std::max_element(s.begin(), s.end()));
    EXPECT_EQ(-32767, *std::min_element(s.begin(), s.end()));
    EXPECT_EQ(32767, s[250]);
    EXPECT_EQ(-32767, s[750]);
    EXPECT_NEAR(0, s[0], 1);
    EXPECT_NEAR(s[100], -s[600], 1);
    EXPECT_FLOAT_EQ(1.0f, float(span.value_max));
    EXPECT_FLOAT_EQ(-1.0f, float(span.value_min));
    EXPECT_FLOAT_EQ(1.0f, result.amp) << "half the span";
    EXPECT_NEAR(0.0f, result.offset, 1e-6);
    EXPECT_EQ(42.0, result.freq);
    EXPECT_EQ(0.0, span.x_range_start);
    EXPECT_EQ(999.0, span.x_range_end);
    EXPECT_FALSE(file_exists(k_scratch)) << "deleted after a successful compile";
}

TEST(EquationCompile, LinesCombineByConcatenation)
{
    struct case_t
    {
        const char *text;
        int32 samples;
        std::vector<short> codes;
        float amp, offset;
        double x_start, x_end;
    } cases[] = {
        {"range(1,5)\n1\nrange(6,10)\n0", 10, {32767, 32767, 32767, 32767, 32767, -32767, -32767, -32767, -32767, -32767},
         0.5f, 0.5f, 5, 9},
        {"# two lines, no range\nx\n\n1-x", 2, {-32767, 0, 32767, 0}, 0.5f, 0.5f, 0, 1},
        // x = 1/2, 2/2, then 0/2, 1/2
        {"range(2,3)\nx\nrange(1,2)\nx", 4, {0, 32767, -32767, 0}, 0.5f, 0.5f, 0, 1},
        {"k0=2\nk1=k0*3\nk1+x*0", 3, {0, 0, 0}, 0.0f, 6.0f, 0, 2},
        {"5", 3, {0, 0, 0}, 0.0f, 5.0f, 0, 2},
        {"-5", 2, {0, 0}, 0.0f, -5.0f, 0, 1},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.text);
        record_t result;
        lib_equation_span_t span;
        const run_t r = compile(c.text, c.samples, result, span);
        EXPECT_EQ(38, r.status);
        EXPECT_EQ(c.codes, contents(result));
        EXPECT_FLOAT_EQ(c.amp, result.amp);
        EXPECT_FLOAT_EQ(c.offset, result.offset);
        EXPECT_EQ(c.x_start, span.x_range_start);
        EXPECT_EQ(c.x_end, span.x_range_end);
    }
}

TEST(EquationCompile, XCountsFromTheAbsoluteIndex)
{
    record_t with_range, without, full;
    lib_equation_span_t span;
    ASSERT_EQ(38, compile("range(101,200)\nx", 300, with_range, span).status);
    EXPECT_EQ(100u, contents(with_range).size());
    EXPECT_FLOAT_EQ(1.0f, float(span.value_min));
    EXPECT_FLOAT_EQ(1.99f, float(span.value_max));
    EXPECT_EQ(100.0, span.x_range_start);
    EXPECT_EQ(199.0, span.x_range_end);

    lib_equation_span_t a, b;
    ASSERT_EQ(38, compile("x^2", 50, without, a).status);
    ASSERT_EQ(38, compile("range(1,50)\nx^2", 50, full, b).status);
    EXPECT_EQ(contents(without), contents(full));
    EXPECT_EQ(a.value_max, b.value_max);
}

TEST(EquationCompile, FailingLineKeepsThePreviousResult)
{
    struct case_t
    {
        const char *text;
        int32 samples;
        int32 status, line;
    } cases[] = {
        {"x\nk1=2\n#c\nrange(1,5)\nsqrt(0-1)", 10, 33, 5},
        {" #not a comment", 10, 37, 1},
        {"x\n2*-x", 10, 30, 2},
        {"k1=1\nsin x+k1 z", 10, 37, 2},
        {"2*sin", 10, 32, 1},
        {"y=k1=3", 10, 31, 1},
        {"x\nrange(1,11)", 10, 36, 2},
        {"range(0,5)", 10, 36, 1},
        {"range(a,5)", 10, 30, 1},
        {"1/x", 10, 33, 1},          // x = 0 gives an infinite value
        {"exp(x*100)", 10, 37, 1},   // a function result that is not finite
        {"x\n1/(x-0.5)", 10, 33, 2}, // infinite at the sixth sample
        {"#only x\nx", 0, 36, 2},
        {"k0=1", -5, 36, 1},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.text);
        record_t result;
        lib_equation_span_t span;
        ASSERT_EQ(38, compile("x*4", 7, result, span).status);
        const std::vector<short> before = contents(result);
        const float amp = result.amp, offset = result.offset;
        const run_t r = compile(c.text, c.samples, result, span);
        EXPECT_EQ(c.status, r.status);
        EXPECT_EQ(c.line, r.line);
        EXPECT_EQ(before, contents(result));
        EXPECT_EQ(amp, result.amp);
        EXPECT_EQ(offset, result.offset);
    }
}

TEST(EquationCompile, ValuesStoredBeforeAFailureStay)
{
    record_t result;
    lib_equation_span_t span;
    EXPECT_EQ(33, compile("range(3,6)\nx\nsqrt(1-x)", 10, result, span).status);
    // x runs 0.5 ... 1.25; the second line gives sqrt(0.5), sqrt(0.25), 0, then fails
    EXPECT_EQ(0.0, span.value_min);
    EXPECT_FLOAT_EQ(1.25f, float(span.value_max));
    EXPECT_EQ(2.0, span.x_range_start);
    EXPECT_EQ(5.0, span.x_range_end);

    span.value_min = 3.0;
    span.value_max = 4.0;
    EXPECT_EQ(33, compile("sqrt(x-1)", 10, result, span).status);
    EXPECT_EQ(0.0, span.value_min) << "the very first value failed: it counts as 0";
    EXPECT_EQ(0.0, span.value_max);
}

TEST(EquationCompile, NothingToEvaluateEmptiesTheResult)
{
    record_t result;
    lib_equation_span_t span;
    ASSERT_EQ(38, compile("x", 5, result, span).status);
    span.value_min = 1.0;
    span.value_max = 3.0;
    const run_t r = compile("# nothing\n\n#at all", 5, result, span);
    EXPECT_EQ(34, r.status);
    EXPECT_EQ(3, r.line);
    EXPECT_TRUE(contents(result).empty());
    EXPECT_EQ(1.0f, result.amp) << "from the range stored before";
    EXPECT_EQ(2.0f, result.offset);

    EXPECT_EQ(38, compile("k0=2", 5, result, span).status) << "parameter lines alone succeed";
    EXPECT_TRUE(contents(result).empty());
}

TEST(EquationCompile, ScratchFileLifeCycle)
{
    write_file(k_scratch, std::string(4000, 'j'));
    record_t result;
    lib_equation_span_t span;
    ASSERT_EQ(38, compile("x", 4, result, span).status);
    EXPECT_EQ((std::vector<short>{-32767, -10922, 10922, 32767}), contents(result)) << "old content not read";
    EXPECT_FALSE(file_exists(k_scratch));

    EXPECT_EQ(33, compile("range(1,2)\nx\nlog(0-1)", 4, result, span).status);
    ASSERT_TRUE(file_exists(k_scratch)) << "left after a failure";
    EXPECT_EQ(8, file_size(k_scratch)) << "the first line's two values";
    ASSERT_EQ(38, compile("x", 4, result, span).status);
    EXPECT_FALSE(file_exists(k_scratch));
}

TEST(EquationCompile, BlockSeamsGiveTheSameSamples)
{
    const QString text = "k3=0.25\nrange(1,30)\nsin(2*pi*x)*exp(0-k3*x)\nrange(31,53)\nx^2-3";
    record_t whole, blocked;
    lib_equation_span_t a, b;
    ASSERT_EQ(38, compile(text, 53, whole, a).status);
    {
        block_scope_t block(7);
        ASSERT_EQ(38, compile(text, 53, blocked, b).status);
    }
    EXPECT_EQ(53u, contents(whole).size());
    EXPECT_EQ(contents(whole), contents(blocked));
    EXPECT_EQ(whole.amp, blocked.amp);
    EXPECT_EQ(whole.offset, blocked.offset);
}

TEST(EquationCompile, CompiledAndTextualPathsGiveTheSameResult)
{
    const QString text = "k1=2.5\nk2=0.3\nk1*sin(2*pi*x)*exp(0-3*x)+x^2-fabs(cos(k2*x*10))\n"
                         "range(100,2000)\nlog(x)+sqrt(x)*atan(x-1)";
    record_t fast, textual;
    lib_equation_span_t a, b;
    ASSERT_EQ(38, compile(text, 3000, fast, a).status);
    lib_equation_set_fast_path(false);
    ASSERT_EQ(38, compile(text, 3000, textual, b).status);
    lib_equation_set_fast_path(true);
    EXPECT_EQ(contents(fast), contents(textual));
    EXPECT_EQ(fast.amp, textual.amp);
    EXPECT_EQ(fast.offset, textual.offset);
    EXPECT_EQ(a.value_min, b.value_min);
    EXPECT_EQ(a.value_max, b.value_max);
}

TEST(EquationCompile, SystemFailuresReportStatus30)
{
    record_t result;
    lib_equation_span_t span;
    ASSERT_EQ(38, compile("x", 10, result, span).status);
    const std::vector<short> before = contents(result);
    {
        // The scratch file outgrows the disk on the first expression line.
        file_size_limit_t limit(1000);
        const run_t r = compile("k0=1\nx*k0", 1000, result, span);
        EXPECT_EQ(30, r.status);
        EXPECT_EQ(2, r.line);
    }
    {
        lib_alloc_fail_scope_t fail(1);
        EXPECT_EQ(30, compile("x", 10, result, span).status) << "value buffer";
    }
    {
        lib_alloc_fail_scope_t fail(2);
        EXPECT_EQ(30, compile("x", 10, result, span).status) << "conversion buffer";
    }
    EXPECT_EQ(before, contents(result));

    const std::string own = result.samples.path;
    result.samples.path = "no_such_dir/result.bin";
    EXPECT_EQ(30, compile("x", 10, result, span).status) << "the result's file";
    result.samples.path = own;
    EXPECT_EQ(before, contents(result));
}
