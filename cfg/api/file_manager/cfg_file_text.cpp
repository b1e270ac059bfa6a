#include "cfg_file_text.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fast_float/fast_float.h>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace {

bool is_c_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's reading, for the rare texts fast_float reads differently
// (hexadecimal numbers, results at the edge of underflow). Always in the C locale: files
// carry decimal points whatever the user's locale says.
bool parse_with_strtof(const char *first, const char *last, float &value, const char *&stop)
{
    static const locale_t c_locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::string copy(first, last);
    char *end = nullptr;
    errno = 0;
    float v = ::strtof_l(copy.c_str(), &end, c_locale);
    if (end == copy.c_str() || errno == ERANGE)
        return false;
    value = v;
    stop = first + (end - copy.c_str());
    return true;
}

bool has_nonzero_mantissa_digit(const char *first, const char *last)
{
    for (const char *p = first; p < last; ++p) {
        if (*p == 'e' || *p == 'E')
            break;
        if (*p >= '1' && *p <= '9')
            return true;
    }
    return false;
}

// cfg_parse_float that also gives the end of the number.
bool parse_float_at(const char *first, const char *last, float &value, const char *&stop)
{
    const char *p = first;
    while (p < last && is_c_space(*p))
        ++p;
    const char *number = p;
    // fast_float refuses a leading "+"; the C library takes one sign of either kind.
    if (p < last && *p == '+') {
        ++p;
        if (p < last && (*p == '+' || *p == '-'))
            return false;
    }
    const char *digits = (p < last && *p == '-') ? p + 1 : p;
    if (last - digits >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        return parse_with_strtof(number, last, value, stop);

    float v = 0.0f;
    auto r = fast_float::from_chars(p, last, v);
    if (r.ec != std::errc() || r.ptr == p)
        return false;
    if (std::isinf(v)) {
        // An overflow comes back as infinity; only the literal "inf" text is one.
        for (const char *q = p; q < r.ptr; ++q)
            if (*q == 'i' || *q == 'I') {
                value = v;
                stop = r.ptr;
                return true;
            }
        return false;
    }
    if (v == 0.0f) {
        if (has_nonzero_mantissa_digit(p, r.ptr))
            return false; // underflow
    } else if (std::fabs(v) < 2.0f * FLT_MIN) {
        return parse_with_strtof(number, r.ptr, value, stop);
    }
    value = v;
    stop = r.ptr;
    return true;
}

// Nothing but white space (CR included) from `p` up to `last` or the next separator.
bool only_space_to_field_end(const char *p, const char *last, char separator)
{
    for (; p < last && *p != separator; ++p)
        if (!is_c_space(*p))
            return false;
    return true;
}

} // namespace

bool cfg_parse_float(const char *first, const char *last, float &value)
{
    const char *stop = nullptr;
    return parse_float_at(first, last, value, stop);
}

bool cfg_parse_float_field(const char *first, const char *last, char separator, float &value)
{
    const char *stop = nullptr;
    float v = 0.0f;
    if (!parse_float_at(first, last, v, stop) || !only_space_to_field_end(stop, last, separator))
        return false;
    value = v;
    return true;
}

bool cfg_is_number_field(const char *first, const char *last, char separator)
{
    // The usual x column, a plain row number: any run of up to 38 digits is a float.
    const char *p = first;
    while (p < last && *p >= '0' && *p <= '9')
        ++p;
    if (p > first && p - first <= 38 && (p == last || *p == separator))
        return true;
    if (only_space_to_field_end(first, last, separator))
        return true; // an empty field
    float v = 0.0f;
    return cfg_parse_float_field(first, last, separator, v);
}

char *cfg_format_volt(char *out, double value)
{
    return std::to_chars(out, out + CFG_NUMBER_TEXT_MAX, value, std::chars_format::general, 6).ptr;
}

char *cfg_format_fixed6(char *out, float value)
{
    return std::to_chars(out, out + CFG_NUMBER_TEXT_MAX, static_cast<double>(value), std::chars_format::fixed, 6)
        .ptr;
}

char *cfg_format_uint(char *out, unsigned long long value)
{
    return std::to_chars(out, out + CFG_NUMBER_TEXT_MAX, value).ptr;
}
