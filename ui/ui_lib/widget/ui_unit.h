#pragma once
#include "lib_types.h"

#include <string>

// Physical unit of a value-entry frame or read-out.
enum ui_unit_type_t : int {
    UI_UNIT_FREQ = 1,
    UI_UNIT_TIME = 2,
    UI_UNIT_VOLT = 3,
    UI_UNIT_SRATE = 4,
    UI_UNIT_POINTS = 5,
    UI_UNIT_DEGREE = 6,
    UI_UNIT_PERCENT = 7,
    UI_UNIT_DB = 8,
    UI_UNIT_BITRATE = 9,
};

// SI prefix: base value = shown value x 10^(3 x (prefix - 14)).
enum ui_unit_prefix_t : int {
    UI_PREFIX_PICO = 10,
    UI_PREFIX_NANO = 11,
    UI_PREFIX_MICRO = 12,
    UI_PREFIX_MILLI = 13,
    UI_PREFIX_NONE = 14,
    UI_PREFIX_KILO = 15,
    UI_PREFIX_MEGA = 16,
    UI_PREFIX_GIGA = 17,
    UI_PREFIX_TERA = 18,
    UI_PREFIX_PETA = 19,
};

// A value with the prefix it is shown in.
struct ui_unit_choice_t
{
    double value;
    int prefix;
};

// First and last prefix a unit type offers; false for a type without items.
bool ui_unit_prefix_range(int unit_type, int *first, int *last);

// Multiplies a value by 1000^power; negative powers divide, so whole results stay exact.
double ui_unit_scale(double value, int power);

// Shown value in a prefix -> base units; prefix codes outside 10..19 multiply by 1.
double ui_unit_to_base(double shown, int prefix);

// The largest prefix of first..last in which v shows as at least 1; (v, 14) when none.
ui_unit_choice_t ui_unit_choose(double v, int first, int last);

// The same choice with each candidate rounded to float.
ui_unit_choice_t lib_unit_choose_prefix(float v, int first, int last);

// v as fixed-point text in its chosen prefix, a blank, then (with_unit) prefix letter and unit.
std::string lib_unit_format_value(float v, int first, int last, int unit_type, bool with_unit,
                                  int decimals);
std::string lib_unit_format_value_short(float v, int first, int last, int unit_type);

// The last path component without its extension; empty when it has no ".".
std::string get_file_base_name(std::string path);
