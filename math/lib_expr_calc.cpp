#include "lib_expr_calc.h"

#include "cfg_file_text.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

const char *const k_function_table[] = {"sin",  "cos",  "tan", "sinh", "cosh", "tanh", "asin", "acos",
                                        "atan", "exp",  "log", "fabs", "sqrt", "ceil", "floor"};

// Numbers are read as the C library reads them in the "C" locale, whatever locale the
// application set: a comma decimal separator would break every substitution.
locale_t c_numeric_locale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool is_one_of(char c, const char *set)
{
    for (; *set; ++set)
        if (c == *set)
            return true;
    return false;
}

} // namespace

lib_expr_calc_t::lib_expr_calc_t()
{
    init();
}

lib_expr_calc_t::~lib_expr_calc_t() = default;

void lib_expr_calc_t::init()
{
    separator = '$';
    var_name = 'x';
    var_value = 0.0f;
    pi_name = "pi";
    init_func_table();
    param_names.clear();
    for (int i = 0; i < 10; ++i) {
        param_names.push_back("k" + std::to_string(i));
        param_values[i] = 0.0f;
    }
}

void lib_expr_calc_t::init_func_table()
{
    func_names.clear();
    for (const char *name : k_function_table)
        func_names.push_back(name);
}

void lib_expr_calc_t::set_param(int index, float value)
{
    if (index >= 0 && index < 10)
        param_values[index] = value;
}

float lib_expr_calc_t::get_param(int index) const
{
    return index >= 0 && index < 10 ? param_values[index] : 0.0f;
}

void lib_expr_calc_t::set_var(float value)
{
    var_value = value;
}

float lib_expr_calc_t::get_var() const
{
    return var_value;
}

const std::vector<std::string> &lib_expr_calc_t::get_func_names() const
{
    return func_names;
}

const std::vector<std::string> &lib_expr_calc_t::get_param_names() const
{
    return param_names;
}

int lib_expr_calc_t::precedence(char c)
{
    switch (c) {
    case '+':
    case '-':
        return 1;
    case '*':
    case '/':
        return 2;
    case '^':
        return 3;
    case '(':
        return 0;
    default:
        return -1;
    }
}

bool lib_expr_calc_t::is_digit(char c)
{
    return c >= '0' && c <= '9';
}

bool lib_expr_calc_t::is_operator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

std::string lib_expr_calc_t::value_text(float v)
{
    if (std::isnan(v))
        return "(nan)";
    if (std::isinf(v))
        return v > 0.0f ? "(inf)" : "(-inf)";
    char text[CFG_NUMBER_TEXT_MAX + 2];
    text[0] = '(';
    char *end = cfg_format_fixed6(text + 1, v);
    *end++ = ')';
    return std::string(text, end);
}

double lib_expr_calc_t::text_to_number(const std::string &text)
{
    return strtod_l(text.c_str(), nullptr, c_numeric_locale());
}

lib_expr_token_t lib_expr_calc_t::parse_token(const std::string &text)
{
    const double v = text_to_number(text);
    if (v != 0.0 || std::isnan(v))
        return {false, 0, v};
    if (!text.empty() && text[0] == '0')
        return {false, 0, v};
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        if (text.size() > 1)
            return {false, 0, v};
        return {true, text[0], 0.0};
    }
    return {true, text.empty() ? 0 : text[0], 0.0};
}

std::string lib_expr_calc_t::expand_leading_minus(const std::string &text)
{
    if (text.size() > 1 && text[0] == '-' && !is_digit(text[1]))
        return "-1*" + text.substr(1);
    return text;
}

int32 lib_expr_calc_t::parse_equation(std::string line)
{
    for (int n = 0; n < 10; ++n) {
        const std::string key = param_names[n] + "=";
        const std::size_t at = line.find(key);
        if (at == std::string::npos)
            continue;
        if (at != 0)
            return LIB_EXPR_CHARACTER;
        float value = 0.0f;
        const int32 status = evaluate(replace_params(replace_pi(line.substr(key.size()))), var_value, &value);
        if (status == LIB_EXPR_OK)
            set_param(n, value);
        return status;
    }
    return LIB_EXPR_NOT_THIS;
}

int32 lib_expr_calc_t::parse_range_exact(const std::string &line, int count, double *first, double *last) const
{
    const std::size_t npos = std::string::npos;
    if (line.find("range(") == npos || line.find(',') == npos || line.find('(') == npos ||
        line.find(')') == npos)
        return LIB_EXPR_NOT_THIS;
    if (line.find("range(") != 0 || line.find(')') != line.size() - 1)
        return LIB_EXPR_SYSTEM;
    const std::size_t open = line.find('(');
    const std::size_t comma = line.find(',');
    const lib_expr_token_t a = parse_token(line.substr(open + 1, comma - open - 1));
    const lib_expr_token_t b = parse_token(line.substr(comma + 1, line.size() - 1 - (comma + 1)));
    if (a.is_operator || b.is_operator)
        return LIB_EXPR_SYSTEM;
    *first = a.value - 1.0;
    *last = b.value - 1.0;
    return b.value > a.value && a.value >= 1.0 && b.value <= double(count) ? LIB_EXPR_OK : LIB_EXPR_OUT_OF_RANGE;
}

int32 lib_expr_calc_t::parse_range(std::string line, int count, float *first, float *last)
{
    double a = 0.0, b = 0.0;
    const int32 status = parse_range_exact(line, count, &a, &b);
    if (status == LIB_EXPR_OK || status == LIB_EXPR_OUT_OF_RANGE) {
        *first = static_cast<float>(a);
        *last = static_cast<float>(b);
    }
    return status;
}

std::string lib_expr_calc_t::replace_pi(std::string text) const
{
    const std::string pi = value_text(static_cast<float>(M_PI));
    for (std::size_t at = text.find(pi_name); at != std::string::npos; at = text.find(pi_name))
        text.replace(at, pi_name.size(), pi);
    return text;
}

std::string lib_expr_calc_t::replace_params(std::string text) const
{
    for (int n = 0; n < 10; ++n) {
        const std::string &name = param_names[n];
        const std::string value = value_text(param_values[n]);
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name))
            text.replace(at, name.size(), value);
    }
    return text;
}

int32 lib_expr_calc_t::evaluate(std::string text, float x, float *out)
{
    var_value = x;
    text = expand_leading_minus(text);
    int32 status = prepare(text);
    if (status < LIB_EXPR_OK)
        return status;
    float value = 0.0f;
    status = eval_arithmetic(text, &value);
    if (status == LIB_EXPR_OK)
        *out = value;
    return status;
}

int32 lib_expr_calc_t::prepare(std::string &text) const
{
    replace_free_var(text);
    return resolve_functions(text);
}

int32 lib_expr_calc_t::eval_arithmetic(std::string text, float *out) const
{
    replace_var(text);
    if (check_chars(text) != LIB_EXPR_OK)
        return LIB_EXPR_ERROR;
    return calc_infix(text, out);
}

void lib_expr_calc_t::replace_var(std::string &text) const
{
    const std::string value = value_text(var_value);
    for (std::size_t at = text.find(var_name); at != std::string::npos; at = text.find(var_name, at + value.size()))
        text.replace(at, 1, value);
}

int32 lib_expr_calc_t::check_chars(const std::string &text)
{
    if (text.empty())
        return LIB_EXPR_ERROR;
    for (char c : text) {
        if (!is_digit(c) && c != '.' && c != ',' && c != '(' && c != ')' && !is_operator(c))
            return LIB_EXPR_ERROR;
    }
    return LIB_EXPR_OK;
}

int32 lib_expr_calc_t::calc_infix(const std::string &text, float *out) const
{
    std::string postfix;
    const int32 status = to_postfix(text, postfix);
    if (status != LIB_EXPR_OK)
        return status;
    std::vector<lib_expr_token_t> tokens;
    tokenize(postfix, tokens);
    return eval_postfix(tokens, out);
}

bool lib_expr_calc_t::is_binary_position(const std::string &text, std::size_t i)
{
    return !(i == 0 || text[i - 1] == '(');
}

int32 lib_expr_calc_t::to_postfix(const std::string &text, std::string &postfix) const
{
    if (check_chars(text) != LIB_EXPR_OK)
        return LIB_EXPR_ERROR;
    std::string stack;
    postfix.clear();
    postfix.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (is_digit(c) || c == '.' || ((c == '+' || c == '-') && !is_binary_position(text, i))) {
            postfix += c;
        } else if (c == '(') {
            stack.push_back(c);
            postfix += separator;
        } else if (c == ')') {
            bool matched = false;
            while (!stack.empty()) {
                const char top = stack.back();
                stack.pop_back();
                if (top == '(') {
                    matched = true;
                    break;
                }
                postfix += separator;
                postfix += top;
            }
            if (!matched)
                return LIB_EXPR_ERROR;
            postfix += separator;
        } else if (is_operator(c)) {
            postfix += separator;
            while (!stack.empty() && precedence(stack.back()) >= precedence(c)) {
                postfix += separator;
                postfix += stack.back();
                stack.pop_back();
            }
            stack.push_back(c);
            postfix += separator;
        } else {
            return LIB_EXPR_ERROR;
        }
    }
    while (!stack.empty()) {
        postfix += separator;
        postfix += stack.back();
        stack.pop_back();
    }
    return LIB_EXPR_OK;
}

void lib_expr_calc_t::tokenize(const std::string &postfix, std::vector<lib_expr_token_t> &tokens) const
{
    tokens.clear();
    std::size_t from = 0;
    while (from <= postfix.size()) {
        std::size_t to = postfix.find(separator, from);
        if (to == std::string::npos)
            to = postfix.size();
        if (to > from)
            tokens.push_back(parse_token(postfix.substr(from, to - from)));
        from = to + 1;
    }
}

int32 lib_expr_calc_t::tokenize_in_place(char *text, std::vector<lib_expr_token_t> &tokens) const
{
    tokens.clear();
    char *token = text;
    for (char *p = text;; ++p) {
        const bool end = *p == '\0';
        if (end || *p == separator) {
            *p = '\0';
            if (p > token)
                tokens.push_back(parse_token(token));
            if (end)
                break;
            token = p + 1;
        }
    }
    return static_cast<int32>(tokens.size());
}

int32 lib_expr_calc_t::apply_operator(int op, float e, float d, float *out)
{
    switch (op) {
    case '+':
        *out = e + d;
        return LIB_EXPR_OK;
    case '-':
        *out = e - d;
        return LIB_EXPR_OK;
    case '*':
        *out = e * d;
        return LIB_EXPR_OK;
    case '/':
        *out = e / d;
        return LIB_EXPR_OK;
    case '^':
        if ((e == 0.0f && d < 0.0f) || (e < 0.0f && d > 0.0f && d < 1.0f))
            return LIB_EXPR_DOMAIN;
        *out = std::pow(e, d);
        return LIB_EXPR_OK;
    default:
        return LIB_EXPR_SYSTEM;
    }
}

int32 lib_expr_calc_t::eval_postfix(const std::vector<lib_expr_token_t> &tokens, float *out)
{
    std::vector<float> stack;
    stack.reserve(tokens.size());
    for (const lib_expr_token_t &t : tokens) {
        if (!t.is_operator) {
            stack.push_back(static_cast<float>(t.value));
            continue;
        }
        if (stack.size() < 2)
            return LIB_EXPR_SYSTEM;
        const float d = stack.back();
        stack.pop_back();
        const float e = stack.back();
        float r = 0.0f;
        const int32 status = apply_operator(t.op, e, d, &r);
        if (status != LIB_EXPR_OK)
            return status;
        stack.back() = r;
    }
    if (stack.size() != 1)
        return LIB_EXPR_ERROR;
    *out = stack.front();
    return LIB_EXPR_OK;
}

// The function calls: where x is put in before the calls are resolved, how a call is
// found and cut out, and what each function computes.

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
