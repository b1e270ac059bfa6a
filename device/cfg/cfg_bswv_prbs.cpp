// cfg_bswv_prbs_t: bit-rate, amplitude and edge limits of the PRBS wave.
#include "cfg_bswv_prbs.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"

#include <cmath>
#include <iostream>

namespace
{
std::map<long double, long double> &table()
{
    static std::map<long double, long double> rates;
    return rates;
}
} // namespace

void cfg_bswv_prbs_t::reset_rate_table()
{
    table().clear();
}

const std::map<long double, long double> &cfg_bswv_prbs_t::rate_table()
{
    return table();
}

void cfg_bswv_prbs_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    set_limits(ch);
}

void cfg_bswv_prbs_t::set_limits(int32)
{
    min_rate = 1e-6L;
    max_edge = 1e-6L;
    min_edge = 2.7e-8L;
    std::map<long double, long double> &rates = table();
    rates.clear();
    rates[4e7L] = 20.0L;
    rates[2.4e8L] = 10.0L;
    rates[3e8L] = 5.0L;
    max_rate = rates.rbegin()->first;
}

long double cfg_bswv_prbs_t::get_max_freq(int32)
{
    return max_rate;
}

long double cfg_bswv_prbs_t::get_min_freq(int32)
{
    return min_rate;
}

long double cfg_bswv_prbs_t::get_max_freq_by_ampl(long double ampl)
{
    long double result = 0.0L;
    for (const auto &entry : table())
        if (entry.second >= ampl)
            result = entry.first;
    return result;
}

long double cfg_bswv_prbs_t::get_max_ampl_by_freq(long double rate)
{
    const std::map<long double, long double> &rates = table();
    const auto entry = rates.lower_bound(rate);
    if (entry != rates.end())
        return entry->second;
    std::cout << "----current_freq = " << rate << std::endl;
    // Above the table: its narrowest amplitude.
    return rates.empty() ? 0.0L : rates.rbegin()->second;
}

long double cfg_bswv_prbs_t::get_max_prbs_edge()
{
    lib_unit_data_t rate{};
    cfg_get_bswv_main(channel)->get_freq(&rate);
    // A zero or negative rate has an endless bit period: the cap holds.
    if (!(rate.data > 0.0L))
        return max_edge;
    // About 80 % of the bit period in nanoseconds, widened by the 0.7 ns intrinsic edge.
    const long double t = (3e8L / rate.data) * 3.3333L * 0.8L;
    const double s = static_cast<double>(t * t + static_cast<long double>(0.48999999999999994));
    const long double r = static_cast<long double>(std::sqrt(s)) * 1e-9L;
    return max_edge > r ? r : max_edge;
}

long double cfg_bswv_prbs_t::get_min_prbs_edge()
{
    return min_edge;
}
