#pragma once
#include <string>

// Decimal text of numbers for instrument commands: general notation, 16 significant
// digits for double, the stream default of 6 for float.
std::string number_to_string(double value);
std::string number_to_string(float value);
std::string number_to_string(int value);

// The number at the start of a text (leading white space skipped); 0 when none.
template <typename N>
N string_to_number(const std::string &text);
