// cfg_counter_stat_calc_t: the running statistics.
#include "cfg_counter_stat_calc.h"

#include "lib_unit_convert.h"

#include <cmath>

namespace
{
// value's data in code unit; the conversion is skipped when the codes agree, which is
// the counter's case (every sample in code 14).
long double data_in(const lib_unit_data_t &value, int32 unit)
{
    if (value.unit == unit)
        return value.data;
    lib_unit_data_t out = value;
    lib_unit_convert(value, out, unit);
    return out.data;
}
} // namespace

void cfg_counter_stat_calc_t::init(long double data, int32 unit, bool flag)
{
    const lib_unit_data_t v{data, unit, flag};
    min = max = mean = stdev = range = sum = sum_sq = v;
    count = 0;
    first = true;
}

int32 cfg_counter_stat_calc_t::reset()
{
    init(0.0L, 14, false);
    return 0;
}

int32 cfg_counter_stat_calc_t::add_sample(lib_unit_data_t s)
{
    if (first)
    {
        first = false;
        min = s;
        max = s;
    }
    ++count;
    add_to_sum(s);
    add_to_sum_sq(s);
    update_min(s);
    update_max(s);
    update_mean();
    update_stdev();
    update_range();
    return 1;
}

cfg_counter_stat_t cfg_counter_stat_calc_t::snapshot() const
{
    cfg_counter_stat_t out;
    out.min = min;
    out.max = max;
    out.mean = mean;
    out.stdev = stdev;
    out.range = range;
    out.count = count;
    return out;
}

void cfg_counter_stat_calc_t::add_to_sum(const lib_unit_data_t &s) { sum.data += data_in(s, sum.unit); }

void cfg_counter_stat_calc_t::add_to_sum_sq(const lib_unit_data_t &s)
{
    sum_sq.data = data_in(sum_sq, s.unit) + s.data * s.data;
    sum_sq.unit = s.unit;
}

void cfg_counter_stat_calc_t::update_min(const lib_unit_data_t &s)
{
    if (data_in(min, s.unit) > s.data)
        min = s;
}

void cfg_counter_stat_calc_t::update_max(const lib_unit_data_t &s)
{
    if (s.data > data_in(max, s.unit))
        max = s;
}

void cfg_counter_stat_calc_t::update_mean()
{
    if (count == 0)
        return;
    mean.data = sum.data / static_cast<long double>(count);
    mean.unit = sum.unit;
}

void cfg_counter_stat_calc_t::update_stdev()
{
    if (count == 0)
        return;
    const long double a = data_in(mean, sum_sq.unit);
    stdev.data = std::sqrt(std::fabs(sum_sq.data / static_cast<long double>(count) - a * a));
    stdev.unit = sum_sq.unit;
}

void cfg_counter_stat_calc_t::update_range()
{
    range.data = std::fabs(max.data - data_in(min, max.unit));
    range.unit = max.unit;
}
