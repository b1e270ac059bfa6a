#pragma once
#include <cstddef>

// Number text of the waveform files.

// Reads a float the way std::stof does: leading white space skipped, a leading "+" or
// "-" accepted, parsing stops at the first character that is not part of the number.
// Returns false where std::stof would throw (no number, or outside the float range).
bool cfg_parse_float(const char *first, const char *last, float &value);
// A field of a data line: a number as above with nothing but white space (CR included)
// after it, up to `last` or the next `separator`. "1;0" or "0.5V" are no numbers.
bool cfg_parse_float_field(const char *first, const char *last, char separator, float &value);
// True for an empty field or one that cfg_parse_float_field reads.
bool cfg_is_number_field(const char *first, const char *last, char separator);

// A volts value as the default stream format of a double writes it ("%g": six
// significant digits, no trailing zeros). Returns the end of the text written;
// `out` needs CFG_NUMBER_TEXT_MAX bytes.
char *cfg_format_volt(char *out, double value);
// A float in fixed notation with six decimals ("%f").
char *cfg_format_fixed6(char *out, float value);
// An unsigned decimal number.
char *cfg_format_uint(char *out, unsigned long long value);

// Room for any of the texts above ("%f" of the largest float takes 46 characters).
constexpr std::size_t CFG_NUMBER_TEXT_MAX = 64;
