#pragma once
#include "lib_types.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An expression line compiled once for all the values of x of a compile. For every x
// it computes bit for bit what lib_expr_calc_t::evaluate computes for the same text:
// the same float operations in the same order, and every value the evaluator writes
// into its text (x and each function result) rounded to six decimals as that text
// rounds it. It covers the expressions the grammar accepts; any other text, and any x
// at which the evaluator could end in a status other than success (an argument outside
// a function's domain, a function result that is not finite, a forbidden power), is
// left to the textual evaluator, which stays the reference.
class lib_expr_program_t
{
public:
    // The text as evaluate receives it (parameters and pi already put in). False when
    // the text lies outside what the program follows.
    bool compile(const std::string &text);
    bool ready() const { return !m_code.empty(); }
    // true and the value; false when this x has to go to the textual evaluator.
    bool run(float x, float *out) const;

    // Values evaluated together by run_block: every step of the program runs over
    // the whole block, so the arithmetic steps become vector operations.
    static constexpr std::size_t block = 256;
    // out[i] for x[i], i < n <= block; where ok[i] is false the value is not set and
    // that x has to go to the textual evaluator.
    void run_block(const float *x, float *out, bool *ok, std::size_t n) const;

    // v as its value text gives it back: printed with six decimals and read again.
    // v has 24 significant bits and 10^6 needs 14 more, so v * 10^6 is exact in
    // double; its nearest integer (ties to even, as printing rounds; the sign of zero
    // kept, as "-0.000000" reads back) over 10^6, correctly rounded, is the double the
    // text reads back as.
    static float round_as_text(float v)
    {
        const double y = double(v) * 1e6;
        // Adding and taking away 1.5 * 2^52 rounds to an integer below 2^51 in magnitude;
        // above that every double is one already.
        const double magic = 6755399441055744.0;
        const double r = std::fabs(y) < 2251799813685248.0 ? std::copysign((y + magic) - magic, y) : y;
        return static_cast<float>(r / 1e6);
    }

private:
    enum class code_t : std::uint8_t
    {
        number,
        var,
        call,
        add,
        sub,
        mul,
        div,
        pow,
    };
    struct step_t
    {
        code_t code;
        int id;      // function id of a call
        float value; // a number
    };
    class parser_t;

    std::vector<step_t> m_code;
    int m_height = 0; // deepest operand stack of the program
};
