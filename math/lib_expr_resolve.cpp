// The function calls of lib_expr_calc_t: where x is put in before the calls are
// resolved, how a call is found and cut out, and what each function computes.
#include "lib_expr_calc.h"

#include <cmath>

namespace {

bool is_one_of(char c, const char *set)
{
    for (; *set; ++set)
        if (c == *set)
            return true;
    return false;
}

} // namespace

void lib_expr_calc_t::replace_free_var(std::string &text) const
{
    const std::string value = value_text(var_value);
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != var_name) {
            ++i;
            continue;
        }
        const std::size_t n = text.size();
        bool free = false;
        if (n == 1)
            free = true;
        else if (i == 0)
            free = is_one_of(text[1], "-/^*+");
        else if (i == n - 1)
            free = is_one_of(text[i - 1], "-/^*+");
        else
            free = is_one_of(text[i - 1], "()*+,-/^") && is_one_of(text[i + 1], "()*+,-/^");
        if (free) {
            text.replace(i, 1, value);
            i += value.size();
        } else {
            ++i;
        }
    }
}

int32 lib_expr_calc_t::find_call(const std::string &text, std::size_t begin, std::size_t end, std::size_t *at,
                                 int *id) const
{
    for (std::size_t k = 0; k < func_names.size(); ++k) {
        const std::string &name = func_names[k];
        const std::size_t p = text.find(name, begin);
        if (p == std::string::npos || p + name.size() > end)
            continue;
        const std::size_t after = p + name.size();
        const bool opens = after < end && text[after] == '(';
        const bool placed = p == begin || is_one_of(text[p - 1], "-/*+^(");
        if (opens && placed) {
            *at = p;
            *id = static_cast<int>(k);
            return LIB_EXPR_OK;
        }
        if (after == end && p > begin)
            return LIB_EXPR_FUNCTION;
    }
    return LIB_EXPR_NO_CALL;
}

int32 lib_expr_calc_t::extract_call(const std::string &text, std::size_t at, std::size_t begin, std::size_t end,
                                    std::size_t *close) const
{
    int depth = 0;
    std::size_t i = at;
    for (; i < end; ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            if (--depth < 0)
                return LIB_EXPR_ERROR;
            if (depth == 0)
                break;
        }
    }
    if (i == end)
        return LIB_EXPR_ERROR;
    if (at > begin && !is_one_of(text[at - 1], "-/(*+^"))
        return LIB_EXPR_ERROR;
    *close = i;
    return LIB_EXPR_OK;
}

// Calls are resolved innermost argument first. Rather than recursing into each
// argument (a line of deeply nested calls would exhaust the stack, and copies of
// every argument its memory), the arguments being worked on are kept as nested
// stretches of the one text, each ending at its call's closing parenthesis.
int32 lib_expr_calc_t::resolve_functions(std::string &text) const
{
    if (text.find(' ') != std::string::npos)
        return LIB_EXPR_CHARACTER;
    struct stretch_t
    {
        std::size_t begin;
        std::size_t end;
        std::size_t call; // where the call whose argument is being resolved starts
        int id;
        bool resolved;    // a call of this stretch has been replaced by its value
    };
    std::vector<stretch_t> open{{0, text.size(), 0, -1, false}};
    for (;;) {
        stretch_t &s = open.back();
        std::size_t at = 0;
        int id = -1;
        const int32 found = find_call(text, s.begin, s.end, &at, &id);
        if (found == LIB_EXPR_FUNCTION)
            return found;
        if (found == LIB_EXPR_OK) {
            std::size_t close = 0;
            const int32 status = extract_call(text, at, s.begin, s.end, &close);
            if (status != LIB_EXPR_OK)
                return status;
            s.call = at;
            s.id = id;
            const std::size_t argument = at + func_names[id].size() + 1;
            open.push_back({argument, close, 0, -1, false});
            continue;
        }
        const int32 done = s.resolved ? LIB_EXPR_CALLS_DONE : LIB_EXPR_NO_CALL;
        if (open.size() == 1)
            return done;
        // The argument holds no more calls: its value makes the call's value.
        const stretch_t argument = open.back();
        open.pop_back();
        stretch_t &caller = open.back();
        float a = 0.0f;
        int32 status = eval_arithmetic(text.substr(argument.begin, argument.end - argument.begin), &a);
        if (status < LIB_EXPR_OK)
            return status;
        float r = 0.0f;
        status = apply_function(caller.id, a, &r);
        if (status < LIB_EXPR_OK)
            return status;
        const std::string value = value_text(r);
        const std::size_t old_size = argument.end + 1 - caller.call;
        text.replace(caller.call, old_size, value);
        for (stretch_t &outer : open)
            outer.end = outer.end - old_size + value.size();
        caller.resolved = true;
    }
}

int32 lib_expr_calc_t::apply_function(int id, float a, float *out)
{
    switch (id) {
    case 0:
        *out = std::sin(a);
        break;
    case 1:
        *out = std::cos(a);
        break;
    case 2:
        *out = std::tan(a);
        break;
    case 3:
        *out = std::sinh(a);
        break;
    case 4:
        *out = std::cosh(a);
        break;
    case 5:
        *out = std::tanh(a);
        break;
    case 6:
        if (!(a >= -1.0f && a <= 1.0f))
            return LIB_EXPR_DOMAIN;
        *out = std::asin(a);
        break;
    case 7:
        if (!(a >= -1.0f && a <= 1.0f))
            return LIB_EXPR_DOMAIN;
        *out = std::acos(a);
        break;
    case 8:
        *out = std::atan(a);
        break;
    case 9:
        *out = std::exp(a);
        break;
    case 10:
        if (std::isnan(a) || a < 0.0f)
            return LIB_EXPR_DOMAIN;
        *out = std::log(a == 0.0f ? 1e-7f : a);
        break;
    case 11:
        *out = std::fabs(a);
        break;
    case 12:
        if (std::isnan(a) || a < 0.0f)
            return LIB_EXPR_DOMAIN;
        *out = std::sqrt(a);
        break;
    case 13:
        *out = std::ceil(a);
        break;
    case 14:
        *out = std::floor(a);
        break;
    default:
        return LIB_EXPR_FUNCTION;
    }
    return LIB_EXPR_OK;
}
