// cfg_bswv_square_t: square frequency ceiling and duty range.
#include "cfg_bswv_square.h"

#include "cfg_main.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 RUN_MODE_MOD = 0;
constexpr int32 RUN_MODE_SWEEP = 1;
// The ceiling while modulating or sweeping.
constexpr long double MOD_SWEEP_MAX_FREQ = 2.5e7L;
} // namespace

void cfg_bswv_square_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    set_default_limits(ch);
}

void cfg_bswv_square_t::set_default_limits(int32)
{
    max_freq = FULL_BANDWIDTH;
}

long double cfg_bswv_square_t::get_max_freq(int32 ch)
{
    max_freq = FULL_BANDWIDTH;
    const int32 mode = cfg_get_wv_main(ch)->get_run_mode();
    if (mode == RUN_MODE_MOD || mode == RUN_MODE_SWEEP)
        max_freq = MOD_SWEEP_MAX_FREQ;
    return get_stored_max_freq();
}

long double cfg_bswv_square_t::get_max_freq_by_ampl(long double)
{
    return get_stored_max_freq();
}

long double cfg_bswv_square_t::get_min_duty(long double freq, cfg_bswv_wave_t *pulse)
{
    const long double m = get_min_duty_limit();
    const long double width = pulse->get_min_width(pulse->get_min_rise_edge(), pulse->get_min_fall_edge());
    const long double d = width * freq * 100;
    if (d < m)
        return m;
    return d > 50 ? 50.0L : d;
}

long double cfg_bswv_square_t::get_max_duty(long double freq, cfg_bswv_wave_t *pulse)
{
    const long double m = get_max_duty_limit();
    const long double d = 100 - get_min_duty(freq, pulse);
    if (d > m)
        return m;
    return d < 50 ? 50.0L : d;
}

long double cfg_bswv_square_t::get_rise_edge(cfg_bswv_wave_t *pulse)
{
    return pulse->get_min_rise_edge();
}

long double cfg_bswv_square_t::get_fall_edge(cfg_bswv_wave_t *pulse)
{
    return pulse->get_min_fall_edge();
}
