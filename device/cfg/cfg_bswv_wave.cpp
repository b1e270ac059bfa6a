// cfg_bswv_wave_t: the base limits and the limits shared by every wave class.
#include "cfg_bswv_wave.h"

#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"
#include "gos.h"

#include <cmath>
#include <cstdio>
#include <typeinfo>

namespace
{
// Run modes of a channel.
constexpr int32 RUN_MODE_MOD = 0;
constexpr int32 RUN_MODE_SWEEP = 1;
constexpr int32 RUN_MODE_BURST = 2;
constexpr int32 RUN_MODE_CONTINUOUS = 3;

// Modulation types whose lowest carrier frequency is 0.
constexpr int32 MOD_AM = 1;
constexpr int32 MOD_PM = 3;
constexpr int32 MOD_ASK = 4;
constexpr int32 MOD_PSK = 6;
constexpr int32 MOD_DSB_AM = 7;

constexpr int32 HIGH_Z_THRESHOLD = 999999;
constexpr int32 HIGH_Z = 1000000;

// Shared by every object of every class and both channels.
struct shared_limits_t
{
    std::map<long double, long double> ampl_table;
    long double max_freq = 0.0L;
    long double min_freq_continuous = 0.0L;
    long double min_freq_sweep = 0.0L;
    long double min_freq_burst = 0.0L;
    long double min_freq_mod = 0.0L;
    long double min_ampl_base = 0.0L;
    bool to_fill = true;
};

shared_limits_t &shared()
{
    static shared_limits_t limits;
    return limits;
}

void fill_shared(shared_limits_t &s)
{
    s.to_fill = false;
    s.ampl_table.clear();
    s.ampl_table[1e7L] = 10.0L;
    s.ampl_table[3e7L] = 5.0L;
    s.max_freq = s.ampl_table.rbegin()->first;
    gos_printf("_max_freq = %f\n", static_cast<double>(s.max_freq));
    s.min_freq_continuous = 0.0L;
    s.min_freq_sweep = s.min_freq_continuous;
    s.min_freq_burst = 0.002L;
    s.min_freq_mod = 0.001L;
    s.min_ampl_base = 0.002L;
}
} // namespace

void cfg_bswv_wave_t::reset_shared_limits()
{
    shared() = shared_limits_t();
}

const std::map<long double, long double> &cfg_bswv_wave_t::ampl_table()
{
    return shared().ampl_table;
}

void cfg_bswv_wave_t::init(int32 ch)
{
    channel = ch;
    shared_limits_t &s = shared();
    if (s.to_fill)
        fill_shared(s);
}

void cfg_bswv_wave_t::print_unsupported()
{
    gos_printf("cfg_bswv_wave_t:::name = %s\n", typeid(*this).name());
    fflush(stdout);
}

long double cfg_bswv_wave_t::get_ampl_limit(long double freq, int32 load)
{
    const long double open = get_max_ampl_by_freq(freq);
    if (load >= HIGH_Z_THRESHOLD)
        return open;
    const double x = static_cast<double>(open * load / (load + 50.0L) * 1e6L);
    const double rounded = x > 0.0 ? std::floor(x + 0.5) : std::ceil(x - 0.5);
    return static_cast<long double>(rounded) / 1e6L;
}

long double cfg_bswv_wave_t::get_max_freq_for_ampl(long double ampl)
{
    long double result = 0.0L;
    for (const auto &entry : shared().ampl_table)
        if (entry.second >= ampl)
            result = entry.first;
    return result;
}

long double cfg_bswv_wave_t::get_min_freq_by_run_mode(int32 ch)
{
    const shared_limits_t &s = shared();
    switch (cfg_get_wv_main(ch)->get_run_mode())
    {
    case RUN_MODE_SWEEP:
        return s.min_freq_sweep;
    case RUN_MODE_BURST:
        return s.min_freq_burst;
    case RUN_MODE_MOD:
        switch (cfg_get_mod_main(ch)->get_type())
        {
        case MOD_AM:
        case MOD_PM:
        case MOD_ASK:
        case MOD_PSK:
        case MOD_DSB_AM:
            return 0.0L;
        default:
            return s.min_freq_mod;
        }
    default:
        return 0.0L;
    }
}

long double cfg_bswv_wave_t::get_output_impedance()
{
    return 50.0L;
}

long double cfg_bswv_wave_t::get_max_freq(int32)
{
    return shared().max_freq;
}

long double cfg_bswv_wave_t::get_min_freq(int32 ch)
{
    if (cfg_get_wv_main(ch)->get_run_mode() == RUN_MODE_CONTINUOUS)
        return shared().min_freq_continuous;
    return get_min_freq_by_run_mode(ch);
}

long double cfg_bswv_wave_t::get_max_freq_by_ampl(long double)
{
    return shared().max_freq;
}

long double cfg_bswv_wave_t::get_max_ampl(long double offset, long double freq, int32 load)
{
    const long double half = get_ampl_limit(freq, load) / 2;
    if (offset > 0)
        return 2 * (half - offset);
    return 2 * (half + offset);
}

long double cfg_bswv_wave_t::get_min_ampl(int32 load)
{
    const long double base = shared().min_ampl_base;
    const long double r = base * load / (load + 50.0L);
    if (r < base && load == HIGH_Z)
        return base;
    return r;
}

long double cfg_bswv_wave_t::get_max_offset(long double ampl, long double freq, int32 load)
{
    return get_ampl_limit(freq, load) / 2 - ampl / 2;
}

long double cfg_bswv_wave_t::get_min_offset(long double ampl, long double freq, int32 load)
{
    return ampl / 2 - get_ampl_limit(freq, load) / 2;
}

long double cfg_bswv_wave_t::get_max_high_level(long double freq, int32 load)
{
    return get_ampl_limit(freq, load) / 2;
}

long double cfg_bswv_wave_t::get_min_high_level(long double low_level, int32 load)
{
    return low_level + get_min_ampl(load);
}

long double cfg_bswv_wave_t::get_max_low_level(long double high_level, int32 load)
{
    return high_level - get_min_ampl(load);
}

long double cfg_bswv_wave_t::get_min_low_level(long double freq, int32 load)
{
    return -get_ampl_limit(freq, load) / 2;
}

long double cfg_bswv_wave_t::get_max_duty(long double, cfg_bswv_wave_t *)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_duty(long double freq, cfg_bswv_wave_t *pulse)
{
    cfg_bswv_wave_t *source = pulse != nullptr ? pulse : this;
    const long double rise = source->get_min_rise_edge();
    const long double fall = source->get_min_fall_edge();
    const long double width = source->get_min_width(rise, fall);
    const long double share = width * freq * 100;
    if (share < 0.001L)
        return 0.001L;
    return share;
}

long double cfg_bswv_wave_t::get_max_pulse_duty(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_pulse_duty(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_symmetry()
{
    return 100.0L;
}

long double cfg_bswv_wave_t::get_min_symmetry()
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_width(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_width(long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_rise_edge(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_rise_edge()
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_rise_edge_by_timing(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_fall_edge(long double, long double, long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_fall_edge()
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_delay(long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_delay(long double)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_sample_rate()
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_sample_rate(int32)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_noise_bandwidth()
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_noise_bandwidth()
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_harmonic_freq(int32)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_harmonic_order(int32)
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_harmonic_order(int32)
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_harmonic_ampl(int32)
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_harmonic_ampl_of_order(int32, int32)
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_harmonic_ampl()
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_harmonic_phase()
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_harmonic_phase()
{
    print_unsupported();
    return 0.0L;
}

long double cfg_bswv_wave_t::get_max_prbs_length()
{
    return 32.0L;
}

long double cfg_bswv_wave_t::get_min_prbs_length()
{
    return 3.0L;
}

long double cfg_bswv_wave_t::get_max_prbs_edge()
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_min_prbs_edge()
{
    return 0.0L;
}

int32 cfg_bswv_wave_t::set_builtin_arb_wave(int32)
{
    return 1;
}

int32 cfg_bswv_wave_t::get_arb_current_wave()
{
    gos_printf("cfg_bswv_wave_t::get_arb_current_wave\n");
    return 0;
}

int32 cfg_bswv_wave_t::load_user_arb_wave(std::string)
{
    return 1;
}

std::string &cfg_bswv_wave_t::get_arb_wave_name()
{
    static std::string empty;
    return empty;
}

void cfg_bswv_wave_t::delete_arb_wave_files(std::string)
{
}

int32 cfg_bswv_wave_t::set_arb_wave_index(int32)
{
    return 1;
}

int32 cfg_bswv_wave_t::get_arb_wave_source()
{
    return 1;
}

int32 cfg_bswv_wave_t::set_arb_wave_source(int32)
{
    return 1;
}

long double cfg_bswv_wave_t::get_rise_edge(cfg_bswv_wave_t *)
{
    return 0.0L;
}

long double cfg_bswv_wave_t::get_fall_edge(cfg_bswv_wave_t *)
{
    return 0.0L;
}

int32 cfg_bswv_wave_t::query_arb_flag()
{
    return 0;
}

long double cfg_bswv_wave_t::get_max_ampl_by_freq(long double freq)
{
    const std::map<long double, long double> &table = shared().ampl_table;
    const auto entry = table.lower_bound(freq);
    if (entry != table.end())
        return entry->second;
    // Above the largest key: the last entry's amplitude, the narrowest the table knows.
    gos_printf("----current_freq = %Lg\n", freq);
    return table.empty() ? 0.0L : table.rbegin()->second;
}
