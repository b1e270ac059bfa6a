#include "lib_text.h"

#include "lib_number.h"
#include "lib_trunc.h"
#include "lib_unit_convert.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

// The value texts come from a 20-character buffer.
constexpr std::size_t s_value_text_size = 20;

template <typename T>
T lib_text_read(const std::string &text)
{
    std::istringstream in(text);
    T value = 0;
    in >> value;
    return value;
}

template <typename T>
std::string lib_text_write(T value)
{
    std::ostringstream out;
    out.precision(9);
    out << value;
    return out.str();
}

long double lib_eps_of(const long double *eps) { return eps ? *eps : 0.0L; }

} // namespace

long double lib_text_to_ldouble(const std::string &text) { return lib_text_read<long double>(text); }

int32 lib_text_to_int(const std::string &text) { return lib_text_read<int32>(text); }

uint16 lib_text_to_u16(const std::string &text) { return lib_text_read<uint16>(text); }

char lib_text_to_char(const std::string &text) { return lib_text_read<char>(text); }

std::string lib_ldouble_to_text(long double value) { return lib_text_write(value); }

std::string lib_float_to_text(float value) { return lib_text_write(static_cast<double>(value)); }

std::string lib_int_to_text(int32 value) { return lib_text_write(value); }

std::string lib_char_to_text(char value) { return std::string(1, value); }

int32 lib_hex_to_int(const std::string &text)
{
    const std::size_t length = text.size();
    int32 total = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return 0;
        total = lib_trunc_i32(total + digit * std::pow(16.0, static_cast<double>(length - 1 - i)));
    }
    return total;
}

std::string lib_value_int_text(const long double *, long double x)
{
    const double magnitude = std::fabs(static_cast<double>(x));
    return std::to_string(static_cast<long long>(lib_trunc_i64(magnitude + 0.0001)));
}

std::string lib_value_fixed_text(const long double *eps, long double x, int32 decimals)
{
    const double value = static_cast<double>(x);
    if (lib_eps_of(eps) > std::fabs(value))
        return "0.0";
    char text[s_value_text_size];
    std::snprintf(text, sizeof text, "%.*f", decimals < 0 ? 0 : decimals, value);
    return text;
}

std::string lib_value_digits_text(const long double *eps, long double x, int32 digits)
{
    if (lib_eps_of(eps) > std::fabs(static_cast<double>(x))) {
        const int32 zeros = digits < 1 ? 0 : digits - 1;
        return "0." + std::string(static_cast<std::size_t>(std::min<int32>(zeros, s_value_text_size - 3)), '0');
    }
    const int32 integer_digits = static_cast<int32>(lib_value_int_text(eps, x).size());
    const int32 decimals = digits > integer_digits ? digits - integer_digits : 0;
    return lib_value_fixed_text(eps, x, decimals);
}

std::string lib_value_prefixed_digits_text(long double x, uint8 prefix, int32 digits)
{
    const long double eps = 1e-12L;
    const lib_unit_data_t ranged = lib_unit_auto_range(lib_unit_prefix_to_base(x, prefix));
    return lib_value_digits_text(&eps, ranged.data, digits);
}

std::string lib_value_prefixed_fixed_text(long double x, uint8 prefix, int32 decimals)
{
    const long double eps = 1e-12L;
    const lib_unit_data_t ranged = lib_unit_auto_range(lib_unit_prefix_to_base(x, prefix));
    return lib_value_fixed_text(&eps, ranged.data, decimals);
}

int32 lib_float_fixed_text(float x, char *out, std::size_t size, u8 decimals, u8 digits)
{
    if (!out || decimals > 13 || std::isnan(x))
        return 0;
    std::string text;
    if (lib_float_compare(x, 0.0f) == 0) {
        text = "0.00";
    } else {
        std::string sign;
        long double magnitude = x;
        if (x < -1e-6f) {
            sign = "-";
            magnitude = -magnitude;
        }
        for (int i = 0; i < decimals; ++i)
            magnitude *= 10.0L;
        magnitude += 0.5L;
        // The digits must stay below 1e15; beyond that the text means nothing.
        if (!(magnitude < 1e15L))
            return 0;
        std::string body = std::to_string(static_cast<unsigned long long>(lib_trunc_u64(magnitude)));
        if (body.size() < static_cast<std::size_t>(decimals) + 1)
            body.insert(0, decimals + 1 - body.size(), '0');
        body.insert(body.size() - decimals, 1, '.');
        const std::size_t integer_digits = body.size() - decimals - 1;
        body.resize(std::min<std::size_t>(body.size(), integer_digits < digits ? digits + 1u : digits));
        text = sign + body;
    }
    if (decimals == 0) {
        const std::size_t point = text.find('.');
        if (point != std::string::npos)
            text.resize(point);
    }
    if (text.size() + 1 > size)
        return 0;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 1;
}

int32 lib_fill_name(int32, char[16]) { return 1; }
