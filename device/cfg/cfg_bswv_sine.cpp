// cfg_bswv_sine_t: sine level limits and harmonic limits.
#include "cfg_bswv_sine.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "lib_trunc.h"

namespace
{
constexpr int32 HARMONIC_EVEN = 0;
constexpr int32 HARMONIC_ODD = 1;
} // namespace

long double cfg_bswv_sine_t::get_harmonic_ampl_limit(long double freq, int32 load)
{
    const long double limit = get_ampl_limit(freq, load);
    const cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    if (bswv->get_harmonic_switch_raw() != 0)
        return limit * bswv->get_harmonic_scale();
    return limit;
}

long double cfg_bswv_sine_t::get_max_freq(int32 ch)
{
    const long double b = get_max_harmonic_freq(ch);
    const cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    if (bswv->get_harmonic_switch_raw() != 1)
        return b;
    return bswv->get_harmonic_type_raw() == HARMONIC_ODD ? b / 3 : b * 0.5L;
}

long double cfg_bswv_sine_t::get_max_freq_by_ampl(long double ampl)
{
    return get_max_freq_for_ampl(ampl);
}

long double cfg_bswv_sine_t::get_max_ampl(long double offset, long double freq, int32 load)
{
    const long double l = get_harmonic_ampl_limit(freq, load);
    return offset > 0 ? l - 2 * offset : l + 2 * offset;
}

long double cfg_bswv_sine_t::get_max_offset(long double ampl, long double freq, int32 load)
{
    return get_harmonic_ampl_limit(freq, load) * 0.5L - 0.5L * ampl;
}

long double cfg_bswv_sine_t::get_min_offset(long double ampl, long double freq, int32 load)
{
    return -(get_harmonic_ampl_limit(freq, load) * 0.5L - 0.5L * ampl);
}

long double cfg_bswv_sine_t::get_max_high_level(long double freq, int32 load)
{
    return get_harmonic_ampl_limit(freq, load) * 0.5L;
}

long double cfg_bswv_sine_t::get_min_low_level(long double freq, int32 load)
{
    return -(get_harmonic_ampl_limit(freq, load) * 0.5L);
}

long double cfg_bswv_sine_t::get_max_harmonic_freq(int32)
{
    return BANDWIDTH;
}

long double cfg_bswv_sine_t::get_min_harmonic_order(int32 ch)
{
    return cfg_get_bswv_main(ch)->get_harmonic_type_raw() == HARMONIC_ODD ? 3.0L : 2.0L;
}

long double cfg_bswv_sine_t::get_max_harmonic_order(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    const int32 type = bswv->get_harmonic_type_raw();
    const int64 cap = type == HARMONIC_ODD ? 9 : 10;
    const int64 m = lib_trunc_i64(get_min_harmonic_order(ch));
    lib_unit_data_t f{};
    bswv->get_freq(&f);
    // A frequency of 0 fits every order.
    const int64 n = f.data > 0 ? lib_trunc_i64(get_max_harmonic_freq(ch) / f.data) : cap + 1;
    int64 k = n > cap ? cap : (n > m ? n : m);
    if (type == HARMONIC_EVEN && k % 2 != 0)
        k -= 1;
    else if (type == HARMONIC_ODD && k % 2 == 0)
        k -= 1;
    return static_cast<long double>(k);
}

long double cfg_bswv_sine_t::get_max_harmonic_ampl(int32 ch)
{
    return get_max_harmonic_ampl_of_order(ch, cfg_get_bswv_main(ch)->get_harmonic_order_raw());
}

long double cfg_bswv_sine_t::get_max_harmonic_ampl_of_order(int32 ch, int32 order)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    lib_unit_data_t ampl{};
    bswv->get_ampl(&ampl);
    lib_unit_data_t f{};
    bswv->get_freq(&f);
    const long double limit = get_ampl_limit(order * f.data, bswv->get_load_raw());
    return limit < ampl.data ? limit : ampl.data;
}
