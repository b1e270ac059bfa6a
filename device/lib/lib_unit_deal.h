#pragma once
// lib_unit_deal_t: the step conversions again, as a stateless object with log lines of
// its own and a decimal rounding. Its results equal those of the free functions of
// lib_unit_convert.h, except that to_base aims at code 8, the API's base unit.
#include "lib_types.h"
#include "lib_unit_data.h"

class lib_unit_deal_t
{
public:
    // 0, or -13 with the lines "lib_unit_deal_t::do_convert::amplify_index = <k>" and
    // "lib_unit_deal_t::do_convert::size = <size>".
    int32 do_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                     const long double *table, int32 size) const;
    int32 convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target) const;
    int32 convert_squared(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target) const;
    int32 convert_value(int32 from, long double &value, int32 to) const;
    // The record in code 8; a refused conversion returns a copy of the argument.
    lib_unit_data_t to_base(const lib_unit_data_t &record) const;

    long double freq_to_period(long double x) const;
    long double period_to_freq(long double x) const;
    long double duty_to_width(long double duty, long double freq) const;

    // x rounded half up at n decimals (a negative x gets the half step added, then is
    // truncated toward zero: -1.26 at one decimal gives -1.2). n outside 0..9 returns 0
    // and leaves x, as does a result outside the int32 range.
    int32 round_decimals(long double &x, int32 n) const;
    int32 ready() const;
};
