// cfg_counter_stat_calc_t: the running statistics.
#include "cfg_counter_stat_calc.h"

#include "lib_unit_convert.h"

#include <cmath>

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

void cfg_counter_stat_calc_t::add_to_sum(const lib_unit_data_t &s)
{
    lib_unit_data_t c = s;
    lib_unit_convert(s, c, sum.unit);
    sum.data += c.data;
}

void cfg_counter_stat_calc_t::add_to_sum_sq(const lib_unit_data_t &s)
{
    lib_unit_data_t t = sum_sq;
    lib_unit_convert(sum_sq, t, s.unit);
    sum_sq.data = t.data + s.data * s.data;
    sum_sq.unit = s.unit;
}

void cfg_counter_stat_calc_t::update_min(const lib_unit_data_t &s)
{
    lib_unit_data_t m = min;
    lib_unit_convert(min, m, s.unit);
    if (m.data > s.data)
        min = s;
}

void cfg_counter_stat_calc_t::update_max(const lib_unit_data_t &s)
{
    lib_unit_data_t m = max;
    lib_unit_convert(max, m, s.unit);
    if (s.data > m.data)
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
    lib_unit_data_t a = mean;
    lib_unit_convert(mean, a, sum_sq.unit);
    stdev.data = std::sqrt(std::fabs(sum_sq.data / static_cast<long double>(count) - a.data * a.data));
    stdev.unit = sum_sq.unit;
}

void cfg_counter_stat_calc_t::update_range()
{
    lib_unit_data_t b = min;
    lib_unit_convert(min, b, max.unit);
    range.data = std::fabs(max.data - b.data);
    range.unit = max.unit;
}
