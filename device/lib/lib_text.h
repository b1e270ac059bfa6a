#pragma once
// Conversions between numbers and text, and the value texts of a display.
#include "lib_types.h"

#include <cstddef>
#include <string>

// One value read from the front of the text through a string stream, after blanks;
// text without a leading number gives 0, trailing text is ignored.
long double lib_text_to_ldouble(const std::string &text);
int32 lib_text_to_int(const std::string &text);
uint16 lib_text_to_u16(const std::string &text);
// The first non-blank character, 0 for none.
char lib_text_to_char(const std::string &text);

// Nine significant digits in the default notation (1/3 gives 0.333333333).
std::string lib_ldouble_to_text(long double value);
std::string lib_float_to_text(float value);
std::string lib_int_to_text(int32 value);
std::string lib_char_to_text(char value);

// Upper-case hexadecimal digits; any other character (lower case included) gives 0.
int32 lib_hex_to_int(const std::string &text);

// The values below are formatted after rounding to double; texts are at most 19
// characters. A null eps counts as 0.
// Decimal text of trunc(|x| + 0.0001); eps is not read.
std::string lib_value_int_text(const long double *eps, long double x);
// "0.0" when *eps > |x|; otherwise x with decimals digits after the point.
std::string lib_value_fixed_text(const long double *eps, long double x, int32 decimals);
// About digits significant figures: decimals = digits minus the integer digits; when
// *eps > |x|, "0." and digits - 1 zeros.
std::string lib_value_digits_text(const long double *eps, long double x, int32 digits);
// x in the API prefix index given, moved to the base unit and auto-ranged; the scaled
// value (without its prefix) in the forms above, eps 1e-12.
std::string lib_value_prefixed_digits_text(long double x, uint8 prefix, int32 digits);
std::string lib_value_prefixed_fixed_text(long double x, uint8 prefix, int32 decimals);

// Writes x with the given decimals, cut to digits digits, into out: "0.00" within
// 1e-6 of zero, no point for 0 decimals (2.7 gives "3", 987.6 with 1 decimal and 3
// digits "987"). Refuses, writing nothing, for decimals above 13, NaN, a value whose
// scaled digits reach 1e15, or a text (with its terminator) longer than size.
// Returns 1 when written, 0 when refused.
int32 lib_float_fixed_text(float x, char *out, std::size_t size, u8 decimals, u8 digits);

// The arbitrary-wave driver's name entry: writes nothing and returns 1.
int32 lib_fill_name(int32 id, char name[16]);
