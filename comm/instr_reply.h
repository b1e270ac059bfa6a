#pragma once
#include <string>
#include <vector>

// Taking instrument replies apart. A reply is exactly the bytes received (a std::string
// of that length): nothing reads past it or relies on a NUL.

// Identity replies: cut at every comma, empty pieces dropped, nothing trimmed.
std::vector<std::string> instr_split_fields(const std::string &reply);

// List and parameter replies: cut at every comma and empty pieces dropped; then blanks
// are trimmed from both ends (a piece of blanks only stays as it is), then line feeds,
// and a piece left empty by that is dropped.
std::vector<std::string> instr_split_list(const std::string &reply);

// The decimal number a reply starts with (after white space): sign, digits, '.', and an
// exponent, read the same in every process locale; what follows (a unit) is ignored.
// False when the text holds no such number or it is out of range.
bool instr_leading_number(const std::string &text, double &value);
// The same for a float result: also false beyond the float range.
bool instr_leading_float(const std::string &text, float &value);
