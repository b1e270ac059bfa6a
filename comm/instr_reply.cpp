#include "instr_reply.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(const std::string &s, std::size_t i)
{
    while (i < s.size() && is_digit(s[i]))
        ++i;
    return i;
}

std::vector<std::string> split_commas(const std::string &reply)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    while (from <= reply.size()) {
        std::size_t at = reply.find(',', from);
        if (at == std::string::npos)
            at = reply.size();
        if (at > from)
            out.push_back(reply.substr(from, at - from));
        from = at + 1;
    }
    return out;
}

} // namespace

std::vector<std::string> instr_split_fields(const std::string &reply) { return split_commas(reply); }

std::vector<std::string> instr_split_list(const std::string &reply)
{
    std::vector<std::string> out;
    for (std::string piece : split_commas(reply)) {
        std::size_t first = piece.find_first_not_of(' ');
        if (first != std::string::npos)
            piece = piece.substr(first, piece.find_last_not_of(' ') - first + 1);
        first = piece.find_first_not_of('\n');
        if (first == std::string::npos)
            continue;
        piece = piece.substr(first, piece.find_last_not_of('\n') - first + 1);
        out.push_back(piece);
    }
    return out;
}

bool instr_leading_number(const std::string &text, double &value)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t start = i;
    std::size_t end = skip_digits(text, i);
    bool digits = end > start;
    if (end < text.size() && text[end] == '.') {
        std::size_t frac = skip_digits(text, end + 1);
        digits = digits || frac > end + 1;
        end = frac;
    }
    if (!digits)
        return false;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        std::size_t exp_end = skip_digits(text, e);
        if (exp_end > e)
            end = exp_end;
    }
    double v = 0;
    std::from_chars_result r = std::from_chars(text.data() + start, text.data() + end, v);
    if (r.ec != std::errc() || r.ptr != text.data() + end || !std::isfinite(v))
        return false;
    value = negative ? -v : v;
    return true;
}

bool instr_leading_float(const std::string &text, float &value)
{
    double v = 0;
    if (!instr_leading_number(text, v) || std::fabs(v) > FLT_MAX)
        return false;
    value = static_cast<float>(v);
    return true;
}
