#pragma once
#include <string>
#include <string_view>
#include <vector>

// Small text helpers of the simulated instruments.
std::string sim_upper(std::string_view text);
bool sim_starts_with(const std::string &text, const std::string &prefix);
// Cuts at every comma, keeping empty pieces.
std::vector<std::string> sim_split(const std::string &text);
// A number as instruments print it, independent of the process locale: the shortest
// exact form, or scientific with `digits` decimals ("5.00E-01") when digits >= 0.
std::string sim_number(double value, int digits = -1);
// Copies `text` into `to` rather than moving it in, so `to` keeps the memory it has
// (a server reuses one reply buffer for replies of tens of MB).
void sim_keep_assign(std::string &to, const std::string &text);
