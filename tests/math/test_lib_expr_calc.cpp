#include "lib_expr_calc.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

constexpr float k_inf = std::numeric_limits<float>::infinity();

struct eval_case_t
{
    const char *text;
    float x;
    int32 status;
    float value; // checked with 38 only
};

} // namespace

TEST(ExprCalc, EvaluatesTheGrammarAndRejectsWhatLiesOutside)
{
    const eval_case_t cases[] = {
        {"2*x+1", 0.25f, 38, 1.5f},
        {"x^2", 3.0f, 38, 9.0f},
        {"x", 0.25f, 38, 0.25f},
        // precedence, and left to right for every operator, ^ included
        {"2^3^2", 0.0f, 38, 64.0f},
        {"1+2*3", 0.0f, 38, 7.0f},
        {"2*3+1", 0.0f, 38, 7.0f},
        {"8/4/2", 0.0f, 38, 1.0f},
        {"2-3-4", 0.0f, 38, -5.0f},
        {"2^3*2", 0.0f, 38, 16.0f},
        {"2*3^2", 0.0f, 38, 18.0f},
        {"(2+3)*4", 0.0f, 38, 20.0f},
        // signs: part of a number at the start or after "(", else a token of their own
        {"-x", 0.5f, 38, -0.5f},
        {"-2*x", 0.5f, 38, -1.0f},
        {"-2^2", 0.0f, 38, 4.0f},
        {"-x^2", 3.0f, 38, -9.0f},
        {"(-3)*2", 0.0f, 38, -6.0f},
        {"+2*x", 0.5f, 38, 1.0f},
        {"2*-x", 0.5f, 30, 0},
        {"2*(-x)", 0.5f, 30, 0},
        {"sin(-x)", 0.5f, 30, 0},
        {"2*(-1*x)", 0.5f, 38, -1.0f},
        {"sin(0-x)", 0.5f, 38, -0.479426f},
        {"2^(-1)", 0.0f, 38, 0.5f},
        {"2^-1", 0.0f, 30, 0},
        // every substituted value carries six decimals
        {"exp(-20)", 0.0f, 38, 0.0f},
        {"x*1000000", 0.1234567f, 38, 123457.0f},
        {"x*1000000", 1e-7f, 38, 0.0f},
        {"sin(pi/2)", 0.0f, 37, 0},
        {"sin((3.141593)/2)", 0.0f, 38, 1.0f},
        // functions and their domains
        {"log(0)", 0.0f, 38, -16.118095f},
        {"log(-1)", 0.0f, 33, 0},
        {"sqrt(-1)", 0.0f, 33, 0},
        {"sqrt(0)", 0.0f, 38, 0.0f},
        {"asin(2)", 0.0f, 33, 0},
        {"acos(1.5)", 0.0f, 33, 0},
        {"0^(-1)", 0.0f, 33, 0},
        {"(-8)^0.5", 0.0f, 33, 0},
        {"(-8)^2", 0.0f, 38, 64.0f},
        {"2*sinh(x)", 0.5f, 38, 1.04219f},
        {"cosh(x)", 0.5f, 38, 1.127626f},
        {"tanh(x)", 0.5f, 38, 0.462117f},
        {"asin(x)", 0.5f, 38, 0.523599f},
        {"acos(x)", 0.5f, 38, 1.047198f},
        {"atan(x)", 0.5f, 38, 0.463648f},
        {"asin(x)+sin(x)", 0.5f, 38, 1.003025f},
        {"sin(cos(x))", 0.5f, 38, 0.769197f},
        {"fabs(-2)+ceil(1.2)+floor(-1.2)+tan(0)", 0.0f, 38, 2.0f},
        {"exp(x)", 1.0f, 38, 2.718282f},
        // division by zero is no error; a non-finite function result is
        {"1/0", 0.0f, 38, k_inf},
        {"sin(1/0)", 0.0f, 37, 0},
        {"exp(100)", 0.0f, 37, 0},
        {"exp(100)+sqrt(-1)", 0.0f, 33, 0},
        // characters, names and parentheses
        {"2x", 0.5f, 37, 0},
        {"2sin(x)", 0.5f, 37, 0},
        {"2*sin", 0.5f, 32, 0},
        {"sin(2*cos)", 0.5f, 32, 0},
        {"sin x", 0.5f, 31, 0},
        {"sinx", 0.5f, 37, 0},
        {"y+1", 0.0f, 37, 0},
        {"(1+2", 0.0f, 30, 0},
        {"1+2)", 0.0f, 37, 0},
        {"sin(x", 0.0f, 37, 0},
        {"1,2", 0.0f, 37, 0},
        {"", 0.0f, 37, 0},
        {"()", 0.0f, 37, 0},
        {".0", 0.0f, 30, 0},
        {"1.2.3", 0.0f, 38, 1.2f},
    };
    for (const eval_case_t &c : cases) {
        lib_expr_calc_t calc;
        float v = -99.0f;
        const int32 status = calc.evaluate(c.text, c.x, &v);
        EXPECT_EQ(c.status, status) << '"' << c.text << "\" x=" << c.x;
        if (c.status == 38 && status == 38) {
            EXPECT_FLOAT_EQ(c.value, v) << '"' << c.text << "\" x=" << c.x;
        } else {
            EXPECT_EQ(-99.0f, v) << "no value written on failure: \"" << c.text << '"';
        }
        EXPECT_EQ(c.x, calc.get_var());
    }
}

TEST(ExprCalc, PiAndParametersEnterAsValueTexts)
{
    lib_expr_calc_t calc;
    EXPECT_EQ("sin((3.141593)/2)", calc.replace_pi("sin(pi/2)"));
    EXPECT_EQ("(3.141593)*(3.141593)", calc.replace_pi("pi*pi"));
    calc.set_param(1, -0.5f);
    calc.set_param(9, 1e-7f);
    EXPECT_EQ("(-0.500000)*x+(0.000000)+(-0.500000)0", calc.replace_params("k1*x+k9+k10"));
    float v = 0.0f;
    EXPECT_EQ(38, calc.evaluate(calc.replace_params("k1^2"), 0.0f, &v));
    EXPECT_FLOAT_EQ(0.25f, v);
    EXPECT_EQ(37, calc.evaluate(calc.replace_params("k10"), 0.0f, &v));
}

TEST(ExprCalc, ParameterLines)
{
    struct case_t
    {
        const char *line;
        int32 status;
        int index;    // parameter written, -1 none
        float value;
    } cases[] = {
        {"k1=2*pi", 38, 1, 6.283186f},
        {"k2=k1+1", 38, 2, 7.283186f},
        {"k3=x", 38, 3, 0.75f},
        {"y=k1=3", 31, -1, 0},
        {"k10=1", 35, -1, 0},
        {"x+1", 35, -1, 0},
        {"k0=sqrt(-1)", 33, -1, 0},
        {"k0=", 37, -1, 0},
        {"k9=-1", 38, 9, -1.0f},
    };
    lib_expr_calc_t calc;
    calc.set_var(0.75f);
    for (const case_t &c : cases) {
        float before[10];
        for (int i = 0; i < 10; ++i)
            before[i] = calc.get_param(i);
        EXPECT_EQ(c.status, calc.parse_equation(c.line)) << c.line;
        for (int i = 0; i < 10; ++i) {
            if (i == c.index)
                EXPECT_FLOAT_EQ(c.value, calc.get_param(i)) << c.line;
            else
                EXPECT_EQ(before[i], calc.get_param(i)) << c.line << " k" << i;
        }
    }
    EXPECT_EQ(0.0f, calc.get_param(10));
    EXPECT_EQ(0.0f, calc.get_param(-1));
}

TEST(ExprCalc, RangeLines)
{
    struct case_t
    {
        const char *line;
        int count;
        int32 status;
        double first, last; // checked with 38 and 36
    } cases[] = {
        {"range(1,100)", 16384, 38, 0, 99},
        {"range(1,16384)", 16384, 38, 0, 16383},
        {"range(0,10)", 16384, 36, -1, 9},
        {"range(10,10)", 16384, 36, 9, 9},
        {"range(1,20000)", 16384, 36, 0, 19999},
        {"range(1,10)", 0, 36, 0, 9},
        {"range(a,10)", 16384, 30, 0, 0},
        {"range(,10)", 16384, 30, 0, 0},
        {"range(1,)", 16384, 30, 0, 0},
        {"xrange(1,2)", 16384, 30, 0, 0},
        {"range(1,2)+x", 16384, 30, 0, 0},
        {"range1,2", 16384, 35, 0, 0},
        {"range(1,2", 16384, 35, 0, 0},
        {"x+1", 16384, 35, 0, 0},
        {"range(1.5,3)", 16384, 38, 0.5, 2},
        // bounds beyond 2^24 stay exact
        {"range(16777217,16777219)", 1 << 25, 38, 16777216, 16777218},
    };
    for (const case_t &c : cases) {
        lib_expr_calc_t calc;
        double first = -7, last = -7;
        EXPECT_EQ(c.status, calc.parse_range_exact(c.line, c.count, &first, &last)) << c.line;
        float ff = -7, fl = -7;
        EXPECT_EQ(c.status, calc.parse_range(c.line, c.count, &ff, &fl)) << c.line;
        if (c.status == 38 || c.status == 36) {
            EXPECT_EQ(c.first, first) << c.line;
            EXPECT_EQ(c.last, last) << c.line;
            EXPECT_EQ(float(c.first), ff) << c.line;
        }
    }
}

TEST(ExprCalc, ValueTextsAreSixDecimalsLikePrintf)
{
    struct case_t
    {
        float v;
        const char *text;
    } cases[] = {
        {3.14159265f, "(3.141593)"},
        {-0.5f, "(-0.500000)"},
        {1e-7f, "(0.000000)"},
        {-1e-7f, "(-0.000000)"},
        {0.0078125f, "(0.007812)"},
        {1e20f, "(100000002004087734272.000000)"},
        {k_inf, "(inf)"},
        {-k_inf, "(-inf)"},
        {std::nanf(""), "(nan)"},
    };
    for (const case_t &c : cases)
        EXPECT_EQ(c.text, lib_expr_calc_t::value_text(c.v));

    std::mt19937 rng(7);
    std::uniform_int_distribution<uint32> bits;
    for (int i = 0; i < 20000; ++i) {
        uint32 b = bits(rng);
        float v;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isfinite(v))
            continue;
        char expected[80];
        std::snprintf(expected, sizeof expected, "(%lf)", double(v));
        ASSERT_EQ(expected, lib_expr_calc_t::value_text(v)) << b;
    }
}

TEST(ExprCalc, CommaDecimalLocaleChangesNothing)
{
    const char *candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"};
    const char *chosen = nullptr;
    for (const char *name : candidates) {
        if (std::setlocale(LC_ALL, name)) {
            chosen = name;
            break;
        }
    }
    if (!chosen)
        GTEST_SKIP() << "no comma-decimal locale installed";
    ASSERT_STREQ(",", std::localeconv()->decimal_point);
    lib_expr_calc_t calc;
    EXPECT_EQ("(0.500000)", lib_expr_calc_t::value_text(0.5f));
    float v = 0.0f;
    EXPECT_EQ(38, calc.evaluate("x*2.5", 0.25f, &v));
    EXPECT_FLOAT_EQ(0.625f, v);
    EXPECT_EQ(38, calc.parse_equation("k1=1.5"));
    EXPECT_FLOAT_EQ(1.5f, calc.get_param(1));
    double first = 0, last = 0;
    EXPECT_EQ(38, calc.parse_range_exact("range(1.5,3)", 10, &first, &last));
    EXPECT_EQ(0.5, first);
    std::setlocale(LC_ALL, "C");
}

TEST(ExprCalc, DeeplyNestedAndVeryLongLinesEvaluate)
{
    std::string nested = "x";
    for (int i = 0; i < 2000; ++i)
        nested = "fabs(" + nested + ")";
    lib_expr_calc_t calc;
    float v = 0.0f;
    EXPECT_EQ(38, calc.evaluate(nested, 0.5f, &v));
    EXPECT_EQ(0.5f, v);
    EXPECT_EQ(37, calc.evaluate(nested.substr(0, nested.size() - 1), 0.5f, &v)) << "one parenthesis short";

    std::string parens = std::string(100000, '(') + "x" + std::string(100000, ')');
    EXPECT_EQ(38, calc.evaluate(parens, 0.25f, &v));
    EXPECT_EQ(0.25f, v);

    std::string sum = "1";
    for (int i = 0; i < 50000; ++i)
        sum += "+1";
    EXPECT_EQ(38, calc.evaluate(sum, 0.0f, &v));
    EXPECT_EQ(50001.0f, v);
}

TEST(ExprCalc, HelperOperations)
{
    lib_expr_calc_t calc;
    EXPECT_EQ(15u, calc.get_func_names().size());
    EXPECT_EQ("floor", calc.get_func_names()[14]);
    EXPECT_EQ("k9", calc.get_param_names()[9]);
    calc.set_var(2.5f);
    EXPECT_EQ(2.5f, calc.get_var());
    calc.init();
    EXPECT_EQ(0.0f, calc.get_var());

    const struct
    {
        char c;
        int precedence;
        bool op;
    } chars[] = {{'+', 1, true}, {'-', 1, true}, {'*', 2, true}, {'/', 2, true},
                 {'^', 3, true}, {'(', 0, false}, {'x', -1, false}, {'1', -1, false}};
    for (const auto &c : chars) {
        EXPECT_EQ(c.precedence, lib_expr_calc_t::precedence(c.c)) << c.c;
        EXPECT_EQ(c.op, lib_expr_calc_t::is_operator(c.c)) << c.c;
    }
    EXPECT_TRUE(lib_expr_calc_t::is_digit('7'));
    EXPECT_FALSE(lib_expr_calc_t::is_digit('.'));

    char postfix[] = "2$$-3.5$+$(";
    std::vector<lib_expr_token_t> tokens;
    ASSERT_EQ(4, calc.tokenize_in_place(postfix, tokens));
    EXPECT_FALSE(tokens[0].is_operator);
    EXPECT_EQ(2.0, tokens[0].value);
    EXPECT_EQ(-3.5, tokens[1].value);
    EXPECT_TRUE(tokens[2].is_operator);
    EXPECT_EQ('+', tokens[2].op);
    EXPECT_EQ('(', tokens[3].op);
}
