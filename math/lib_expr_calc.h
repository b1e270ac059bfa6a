#pragma once
#include "lib_types.h"

#include <string>
#include <vector>

// Outcomes of the expression evaluator; the equation editor turns each into a message.
enum lib_expr_status_t : int32
{
    LIB_EXPR_SYSTEM = 30,       // malformed range line; an operator without two operands
    LIB_EXPR_CHARACTER = 31,    // a parameter definition not at the start; a blank
    LIB_EXPR_FUNCTION = 32,     // a function name without argument
    LIB_EXPR_DOMAIN = 33,       // an argument outside a function's domain, a forbidden power
    LIB_EXPR_NO_EQUATION = 34,  // (the compile) no line for the evaluator
    LIB_EXPR_NOT_THIS = 35,     // not a parameter line / not a range line
    LIB_EXPR_OUT_OF_RANGE = 36, // range bounds not 1 <= a < b <= count
    LIB_EXPR_ERROR = 37,        // a character, parenthesis or operand count that does not fit
    LIB_EXPR_OK = 38,
    LIB_EXPR_NO_CALL = 39,      // function resolution: no call found
    LIB_EXPR_CALLS_DONE = 40,   // function resolution: calls resolved
};

// One element of the postfix token list.
struct lib_expr_token_t
{
    bool is_operator;
    int op;
    double value;
};

// Evaluates the lines of the equation editor: expressions in x with pi, the
// parameters k0 to k9, fifteen functions and + - * / ^, parameter definitions
// ("k3=0.5") and range declarations ("range(1,100)").
//
// Evaluation is textual: each name is replaced by its value written with six decimals
// in parentheses, function calls are evaluated innermost argument first and replaced
// the same way, and the rest is turned into postfix form and computed on a float
// stack. Numbers are written and read in the C locale whatever the process locale.
class lib_expr_calc_t
{
public:
    lib_expr_calc_t();
    ~lib_expr_calc_t();

    void init();
    // A parameter definition: 38 (value stored), 35 (not a definition), 31, or the
    // status of evaluating its right-hand side.
    int32 parse_equation(std::string line);
    // A range declaration over count samples: 38, 35, 30 or 36; *first and *last get
    // the zero-based bounds a - 1 and b - 1 before the bounds are checked.
    int32 parse_range(std::string line, int count, float *first, float *last);
    // The same with the bounds kept in double, which holds every sample index.
    int32 parse_range_exact(const std::string &line, int count, double *first, double *last) const;
    std::string replace_pi(std::string text) const;
    std::string replace_params(std::string text) const;
    // 38 and the value in *out, or an error status (*out untouched).
    int32 evaluate(std::string text, float x, float *out);
    void set_param(int index, float value);
    float get_param(int index) const;

    void set_var(float value);
    float get_var() const;
    const std::vector<std::string> &get_func_names() const;
    const std::vector<std::string> &get_param_names() const;
    static int precedence(char c);
    static bool is_digit(char c);
    static bool is_operator(char c);
    // Splits a postfix text at its separators, in the array itself, into tokens.
    int32 tokenize_in_place(char *text, std::vector<lib_expr_token_t> &tokens) const;

    // Pieces shared with the compiled form of an expression (lib_expr_program_t), so
    // both compute exactly alike.
    static std::string value_text(float v);
    static double text_to_number(const std::string &text);
    static lib_expr_token_t parse_token(const std::string &text);
    // A text starting with "-" and no digit after it becomes "-1*" and the rest.
    static std::string expand_leading_minus(const std::string &text);
    // Function id 0 to 14 applied to a: 38 and the result, 33 outside the domain,
    // 32 for another id.
    static int32 apply_function(int id, float a, float *out);
    // e op d for + - * / ^: 38 and the result, 33 for a forbidden power, 30 otherwise.
    static int32 apply_operator(int op, float e, float d, float *out);

private:
    void init_func_table();
    int32 prepare(std::string &text) const;
    void replace_free_var(std::string &text) const;
    int32 resolve_functions(std::string &text) const;
    int32 find_call(const std::string &text, std::size_t begin, std::size_t end, std::size_t *at, int *id) const;
    int32 extract_call(const std::string &text, std::size_t at, std::size_t begin, std::size_t end,
                       std::size_t *close) const;
    int32 eval_arithmetic(std::string text, float *out) const;
    void replace_var(std::string &text) const;
    static int32 check_chars(const std::string &text);
    int32 calc_infix(const std::string &text, float *out) const;
    int32 to_postfix(const std::string &text, std::string &postfix) const;
    void tokenize(const std::string &postfix, std::vector<lib_expr_token_t> &tokens) const;
    static int32 eval_postfix(const std::vector<lib_expr_token_t> &tokens, float *out);
    static bool is_binary_position(const std::string &text, std::size_t i);

    char separator;
    char var_name;
    float var_value;
    std::string pi_name;
    float param_values[10];
    std::vector<std::string> func_names;
    std::vector<std::string> param_names;
};
