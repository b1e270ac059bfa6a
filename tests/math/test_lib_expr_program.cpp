// The compiled path of an expression must agree with the textual evaluator, which is
// the reference: same status and the same float, bit for bit, for every x.
#include "lib_expr_calc.h"
#include "lib_expr_program.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

uint32 bits_of(float v)
{
    uint32 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Random expressions of the accepted grammar, and with `faults` broken ones.
class expr_gen_t
{
public:
    explicit expr_gen_t(uint32 seed) : m_rng(seed) {}

    std::string clean()
    {
        const bool negated = pick(6) == 0;
        return (negated ? "-" : "") + expr(0, !negated);
    }

    std::string faulty()
    {
        std::string t = clean();
        const char junk[] = " ,-+*/^().xa";
        const int faults = 1 + pick(2);
        for (int i = 0; i < faults && !t.empty(); ++i) {
            const std::size_t at = std::size_t(pick(int(t.size())));
            switch (pick(3)) {
            case 0:
                t.insert(at, 1, junk[pick(int(sizeof junk) - 1)]);
                break;
            case 1:
                t.erase(at, 1);
                break;
            default:
                t.insert(at, pick(2) ? "-" : "+");
                break;
            }
        }
        return t;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    std::string number()
    {
        static const char *const numbers[] = {"2", "0.5", "3.25", "10", "0", "1.", "100", "7", "0.001", "1.5", "4"};
        return numbers[pick(int(sizeof numbers / sizeof *numbers))];
    }

    std::string atom(int depth, bool sign_allowed)
    {
        static const char *const functions[] = {"sin",  "cos", "tan", "sinh", "cosh", "tanh", "asin", "acos",
                                                "atan", "exp", "log", "fabs", "sqrt", "ceil", "floor"};
        static const char *const names[] = {"x", "x", "x", "pi", "k0", "k1", "k2", "k3"};
        const int kind = depth > 4 ? pick(2) : pick(5);
        switch (kind) {
        case 0:
            return (sign_allowed && pick(3) == 0 ? (pick(2) ? "-" : "+") : "") + number();
        case 1:
            return names[pick(int(sizeof names / sizeof *names))];
        case 2:
        case 3:
            return std::string(functions[pick(15)]) + "(" + expr(depth + 1, true) + ")";
        default:
            return "(" + expr(depth + 1, true) + ")";
        }
    }

    std::string expr(int depth, bool sign_allowed)
    {
        std::string t = atom(depth, sign_allowed);
        const int more = depth > 3 ? pick(2) : pick(4);
        for (int i = 0; i < more; ++i)
            t += std::string(1, "+-*/^"[pick(5)]) + atom(depth, false);
        return t;
    }

    std::mt19937 m_rng;
};

std::vector<float> x_values()
{
    std::vector<float> xs = {0.0f, 0.25f, 0.5f, 1.0f, -0.5f, -1.0f, 1e-7f, -1e-7f, 0.1234565f, 3.7f,
                             1e10f, -1e10f, 123.4567f, 2.0f, 0.9999999f, 7.0f / 3.0f};
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> u(-10.0f, 10.0f);
    for (int i = 0; i < 8; ++i)
        xs.push_back(u(rng));
    return xs;
}

lib_expr_calc_t calculator()
{
    lib_expr_calc_t calc;
    calc.set_param(0, 0.5f);
    calc.set_param(1, -1.25f);
    calc.set_param(2, 1e-7f);
    calc.set_param(3, std::numeric_limits<float>::infinity());
    return calc;
}

} // namespace

TEST(ExprProgram, RoundsLikeTheValueTextReadBack)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<uint32> bits;
    std::vector<float> values = {0.0f, -0.0f, 0.0078125f, -0.0078125f, 0.5e-6f, 1.5e-6f, 2.5e-6f, 1e20f,
                                 std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min()};
    for (int i = 0; i < 100000; ++i) {
        uint32 b = bits(rng);
        float v;
        std::memcpy(&v, &b, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
    }
    for (float v : values) {
        const std::string text = lib_expr_calc_t::value_text(v);
        const float read = static_cast<float>(lib_expr_calc_t::text_to_number(text.substr(1, text.size() - 2)));
        ASSERT_EQ(bits_of(read), bits_of(lib_expr_program_t::round_as_text(v))) << text;
    }
}

TEST(ExprProgram, AgreesWithTheTextualEvaluatorBitForBit)
{
    expr_gen_t gen(20240518);
    const std::vector<float> xs = x_values();
    int compiled = 0, fast = 0, texts = 0;
    for (int i = 0; i < 4000; ++i) {
        const bool clean = i % 3 != 0;
        const std::string source = clean ? gen.clean() : gen.faulty();
        lib_expr_calc_t calc = calculator();
        const std::string text = calc.replace_params(calc.replace_pi(source));
        lib_expr_program_t program;
        const bool ok = program.compile(text);
        ++texts;
        if (clean && source.find("k3") == std::string::npos) {
            EXPECT_TRUE(ok) << "the grammar's own text is compiled: " << source;
        }
        if (!ok)
            continue;
        ++compiled;
        for (float x : xs) {
            float textual = -12345.0f, compiled_value = -54321.0f;
            const int32 status = calc.evaluate(text, x, &textual);
            const bool ran = program.run(x, &compiled_value);
            ASSERT_EQ(status == LIB_EXPR_OK, ran) << source << " x=" << x << " status " << status;
            if (ran) {
                ++fast;
                ASSERT_EQ(bits_of(textual), bits_of(compiled_value))
                    << source << " x=" << x << ": " << textual << " vs " << compiled_value;
            }
        }
    }
    // The generated texts must reach the interesting paths, not just be rejected.
    EXPECT_GT(compiled, texts / 4);
    EXPECT_GT(fast, compiled * 5);
}

TEST(ExprProgram, LeavesFailuresAndOddTextsToTheEvaluator)
{
    struct case_t
    {
        const char *text;
        bool compiles;
        float x;
        bool runs;
    } cases[] = {
        {"asin(x)", true, 2.0f, false},
        {"asin(x)", true, 0.5f, true},
        {"exp(x*100)", true, 1.0f, false},
        {"(0-8)^x", true, 0.5f, false},
        {"x^(0-1)", true, 0.0f, false},
        {"1/x", true, 0.0f, true},
        {"x", true, std::numeric_limits<float>::infinity(), false},
        {"2*-x", false, 0, false},
        {"sin(-x)", false, 0, false},
        {"2x", false, 0, false},
        {"1.2.3", false, 0, false},
        {".5", false, 0, false},
        {"sin x", false, 0, false},
        {"(inf)", false, 0, false},
        {"", false, 0, false},
    };
    for (const case_t &c : cases) {
        lib_expr_program_t program;
        EXPECT_EQ(c.compiles, program.compile(c.text)) << c.text;
        float v = 0.0f;
        EXPECT_EQ(c.runs, program.run(c.x, &v)) << c.text << " x=" << c.x;
    }
}
