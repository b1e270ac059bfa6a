#include "gos.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Longest text gos_atof reads.
constexpr std::size_t GOS_ATOF_MAX_TEXT = 127;
// Most digits gos_strtoul reads.
constexpr int GOS_STRTOUL_MAX_DIGITS = 255;

// Digit value of c in base 8, 10 or 16, or -1.
int gos_digit_value(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else if (base == 16 && c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    return d >= 0 && d < base ? d : -1;
}

// Writes text (length len) into at most size characters of buffer, terminating it
// only when there is room left; returns the characters written.
int gos_put_cut_text(const char *text, int len, char *buffer, int size)
{
    if (!buffer || size < 1)
        return 0;
    int n = len < size ? len : size;
    std::memcpy(buffer, text, static_cast<std::size_t>(n));
    if (n < size)
        buffer[n] = '\0';
    return n;
}

// Decimal text of a magnitude with an optional minus in front; returns its length.
int gos_decimal_text(unsigned long long magnitude, bool negative, char (&text)[24])
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int len = 0;
    if (negative)
        text[len++] = '-';
    while (count > 0)
        text[len++] = digits[--count];
    return len;
}

} // namespace

extern "C" {

double gos_atof(const char *text)
{
    if (!text)
        return 0.0;
    const std::size_t len = strnlen(text, GOS_ATOF_MAX_TEXT);
    std::size_t i = 0;
    bool negative = false;
    // n is a 32-bit int in the original; it wraps the same way here.
    uint32 n = 0;
    bool fraction = false;
    bool exponent = false;
    while (i < len) {
        char c = text[i++];
        if (c == '-')
            negative = true;
        else if (c == '+')
            negative = false;
        else if (c == '.') {
            fraction = true;
            break;
        } else if (c == 'E') {
            exponent = true;
            break;
        } else
            n = n * 10u + static_cast<uint32>(c - '0');
    }
    double f = 0.0;
    double weight = 0.1;
    if (fraction) {
        while (i < len) {
            char c = text[i++];
            if (c == 'E') {
                exponent = true;
                break;
            }
            f += (c - '0') * weight;
            weight *= 0.1;
        }
    }
    double magnitude = static_cast<int32>(n) + f;
    if (exponent) {
        double base = 10.0;
        if (i < len && (text[i] == '+' || text[i] == '-'))
            base = text[i++] == '-' ? 0.1 : 10.0;
        long long e = 0;
        while (i < len) {
            e = e * 10 + (text[i++] - '0');
            // Far beyond where the magnitude has reached 0 or infinity.
            if (e > 100000)
                e = 100000;
            if (e < -100000)
                e = -100000;
        }
        for (long long k = 0; k < e; ++k) {
            magnitude *= base;
            if (magnitude == 0.0 || std::isinf(magnitude))
                break;
        }
    }
    return negative ? -magnitude : magnitude;
}

int gos_strtoul(const char *text, int base, u32 *value)
{
    if (!text)
        return 0;
    if (base != 8 && base != 10 && base != 16) {
        if (value)
            *value = 0;
        return 0;
    }
    uint32 acc = 0;
    int count = 0;
    while (count < GOS_STRTOUL_MAX_DIGITS) {
        int d = gos_digit_value(text[count], base);
        if (d < 0)
            break;
        acc = acc * static_cast<uint32>(base) + static_cast<uint32>(d);
        ++count;
    }
    if (value)
        *value = acc;
    return count;
}

int gos_itoa(int value, char *buffer, int size)
{
    char text[24];
    long long v = value;
    int len = gos_decimal_text(static_cast<unsigned long long>(v < 0 ? -v : v), v < 0, text);
    return gos_put_cut_text(text, len, buffer, size);
}

int gos_utoa(u32 value, char *buffer, int size)
{
    char text[24];
    int len = gos_decimal_text(value, false, text);
    return gos_put_cut_text(text, len, buffer, size);
}

int gos_u32_to_text(char *buffer, u32 value)
{
    return std::sprintf(buffer, "%u", value);
}

int gos_i64_to_text(char *buffer, long long value)
{
    return std::sprintf(buffer, "%lld", value);
}

void gos_strupper(char *text)
{
    if (!text)
        return;
    for (; *text; ++text)
        *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

void gos_str_remove_char(const char *source, char *destination, int max, char c)
{
    if (!source || !destination)
        return;
    std::string copy;
    for (; *source; ++source)
        if (*source != c)
            copy.push_back(*source);
    if (max >= 0 && copy.size() <= static_cast<std::size_t>(max))
        std::memcpy(destination, copy.data(), copy.size());
}

} // extern "C"
