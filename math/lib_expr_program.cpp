#include "lib_expr_program.h"

#include "lib_expr_calc.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Deepest operand stack and parenthesis nesting the program takes on; deeper texts go
// to the textual evaluator.
constexpr int k_max_depth = 64;

} // namespace

// Recursive descent over the accepted grammar, emitting postfix steps in the order the
// evaluator's shunting-yard conversion would:
//   expr   := term (("+" | "-") term)*
//   term   := factor (("*" | "/") factor)*
//   factor := atom ("^" atom)*            (left to right, like every operator)
//   atom   := number | "x" | name "(" expr ")" | "(" expr ")"
// A number may carry a sign only where the evaluator reads one as part of it: first in
// the text or right after "(".
class lib_expr_program_t::parser_t
{
public:
    parser_t(const std::string &text, std::vector<step_t> &code) : m_text(text), m_code(code) {}

    bool parse()
    {
        return expr(true) && m_at == m_text.size() && m_max_height <= k_max_depth;
    }

    int height() const { return m_max_height; }

private:
    char peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

    void emit(code_t code, int id = 0, float value = 0.0f)
    {
        m_code.push_back({code, id, value});
        if (code == code_t::number || code == code_t::var)
            ++m_height;
        else if (code != code_t::call)
            --m_height;
        if (m_height > m_max_height)
            m_max_height = m_height;
    }

    bool expr(bool sign_allowed)
    {
        if (!term(sign_allowed))
            return false;
        while (peek() == '+' || peek() == '-') {
            const code_t op = peek() == '+' ? code_t::add : code_t::sub;
            ++m_at;
            if (!term(false))
                return false;
            emit(op);
        }
        return true;
    }

    bool term(bool sign_allowed)
    {
        if (!factor(sign_allowed))
            return false;
        while (peek() == '*' || peek() == '/') {
            const code_t op = peek() == '*' ? code_t::mul : code_t::div;
            ++m_at;
            if (!factor(false))
                return false;
            emit(op);
        }
        return true;
    }

    bool factor(bool sign_allowed)
    {
        if (!atom(sign_allowed))
            return false;
        while (peek() == '^') {
            ++m_at;
            if (!atom(false))
                return false;
            emit(code_t::pow);
        }
        return true;
    }

    bool group()
    {
        if (++m_depth > k_max_depth)
            return false;
        ++m_at; // "("
        if (!expr(true) || peek() != ')')
            return false;
        ++m_at;
        --m_depth;
        return true;
    }

    bool number(bool sign_allowed)
    {
        const std::size_t from = m_at;
        if (sign_allowed && (peek() == '+' || peek() == '-'))
            ++m_at;
        if (!lib_expr_calc_t::is_digit(peek()))
            return false;
        while (lib_expr_calc_t::is_digit(peek()))
            ++m_at;
        if (peek() == '.') {
            ++m_at;
            while (lib_expr_calc_t::is_digit(peek()))
                ++m_at;
        }
        const double v = lib_expr_calc_t::text_to_number(m_text.substr(from, m_at - from));
        emit(code_t::number, 0, static_cast<float>(v));
        return true;
    }

    bool atom(bool sign_allowed)
    {
        const char c = peek();
        if (c == '(')
            return group();
        if (lib_expr_calc_t::is_digit(c) || c == '+' || c == '-')
            return number(sign_allowed);
        if (!std::islower(static_cast<unsigned char>(c)))
            return false;
        const std::size_t from = m_at;
        while (std::islower(static_cast<unsigned char>(peek())))
            ++m_at;
        const std::string name = m_text.substr(from, m_at - from);
        if (name == "x") {
            emit(code_t::var);
            return true;
        }
        const std::vector<std::string> &names = functions().get_func_names();
        for (std::size_t id = 0; id < names.size(); ++id) {
            if (names[id] == name && peek() == '(') {
                if (!group())
                    return false;
                emit(code_t::call, static_cast<int>(id));
                return true;
            }
        }
        return false;
    }

    static const lib_expr_calc_t &functions()
    {
        static const lib_expr_calc_t table;
        return table;
    }

    const std::string &m_text;
    std::vector<step_t> &m_code;
    std::size_t m_at = 0;
    int m_depth = 0;
    int m_height = 0;
    int m_max_height = 0;
};

bool lib_expr_program_t::compile(const std::string &text)
{
    m_code.clear();
    const std::string expanded = lib_expr_calc_t::expand_leading_minus(text);
    parser_t parser(expanded, m_code);
    if (!parser.parse())
        m_code.clear();
    m_height = parser.height();
    return ready();
}

bool lib_expr_program_t::run(float x, float *out) const
{
    bool ok = false;
    run_block(&x, out, &ok, 1);
    return ok;
}

void lib_expr_program_t::run_block(const float *x, float *out, bool *ok, std::size_t n) const
{
    if (m_code.empty()) {
        std::fill(ok, ok + n, false);
        return;
    }
    // One row of n values per stack level.
    std::vector<float> stack(std::size_t(m_height) * n);
    float xv[block];
    for (std::size_t i = 0; i < n; ++i) {
        ok[i] = std::isfinite(x[i]);
        xv[i] = ok[i] ? round_as_text(x[i]) : 0.0f;
    }
    std::size_t top = 0; // rows in use
    for (const step_t &s : m_code) {
        float *a = top >= 2 ? &stack[(top - 2) * n] : nullptr;
        const float *b = top >= 1 ? &stack[(top - 1) * n] : nullptr;
        switch (s.code) {
        case code_t::number:
            std::fill(&stack[top * n], &stack[top * n] + n, s.value);
            ++top;
            break;
        case code_t::var:
            std::copy(xv, xv + n, &stack[top * n]);
            ++top;
            break;
        case code_t::call: {
            float *arg = &stack[(top - 1) * n];
            for (std::size_t i = 0; i < n; ++i) {
                float r = 0.0f;
                if (lib_expr_calc_t::apply_function(s.id, arg[i], &r) != LIB_EXPR_OK || !std::isfinite(r)) {
                    ok[i] = false;
                    r = 0.0f;
                }
                arg[i] = round_as_text(r);
            }
            break;
        }
        case code_t::add:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = a[i] + b[i];
            --top;
            break;
        case code_t::sub:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = a[i] - b[i];
            --top;
            break;
        case code_t::mul:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = a[i] * b[i];
            --top;
            break;
        case code_t::div:
            for (std::size_t i = 0; i < n; ++i)
                a[i] = a[i] / b[i];
            --top;
            break;
        case code_t::pow:
            for (std::size_t i = 0; i < n; ++i) {
                float r = 0.0f;
                if (lib_expr_calc_t::apply_operator('^', a[i], b[i], &r) != LIB_EXPR_OK) {
                    ok[i] = false;
                    r = 0.0f;
                }
                a[i] = r;
            }
            --top;
            break;
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (ok[i])
            out[i] = stack[i];
}
