#pragma once
#include "lib_types.h"

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

    // v as its value text gives it back: printed with six decimals and read again.
    static float round_as_text(float v);

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
};
