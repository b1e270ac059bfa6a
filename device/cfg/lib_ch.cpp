// The channel commands: pack, call one handler, unpack.
#include "lib_ch.h"

#include "cfg_msg_if.h"
#include "gos.h"
#include "lib_unit_convert.h"

#include <map>

namespace
{
constexpr int32 BAD_ARGUMENT = -13;

typedef int32 (cfg_msg_if_t::*handler_t)(cfg_msg_para_t *);

// A channel the handlers can index: 0 or 1. The value -100 that the original check
// let through indexes nothing either, so it is refused like any other.
bool channel_ok(int ch)
{
    if (ch == LIB_CH1 || ch == LIB_CH2)
        return true;
    lib_ch_report_bad_channel(ch);
    return false;
}

cfg_msg_para_t record_for(int ch)
{
    cfg_msg_para_t p{};
    p.ch = ch;
    return p;
}

int32 call(handler_t handler, cfg_msg_para_t *p)
{
    return (cfg_msg_if_t::get_instance()->*handler)(p);
}

int32 int_set(handler_t handler, int ch, int value)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    p.value.i = value;
    return call(handler, &p);
}

int32 int_get(handler_t handler, int ch)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    call(handler, &p);
    return p.value.i;
}

int32 ptr_get(handler_t handler, int ch, int *out)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    const int32 result = call(handler, &p);
    if (out)
        *out = p.value.i;
    return result;
}

int32 value_set(handler_t handler, int ch, long double value, int unit)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    p.value.unit = lib_unit_to_default(lib_unit_data_t{value, unit, false});
    return call(handler, &p);
}

int32 value_get(handler_t handler, int ch, long double *value, int *unit)
{
    if (value == nullptr)
        return LIB_CH_NULL_POINTER;
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    const int32 result = call(handler, &p);
    *value = p.value.unit.data;
    if (unit)
        *unit = p.value.unit.unit;
    return result;
}

// The capability queries: the handler's status; the answer stays in the record.
int32 query(handler_t handler, int ch)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    return call(handler, &p);
}
} // namespace

int32 lib_ch_report_bad_channel(int ch)
{
    gos_printf("ch = %d\n", ch);
    gos_printf("LIB_CH1 = %d\n", LIB_CH1);
    gos_printf("LIB_CH2 = %d\n", LIB_CH2);
    return 0;
}

// --- Root ---

int64 lib_ch_get_max_freq(int ch)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    cfg_msg_if_t::get_instance()->get_max_freq(&p);
    return p.value.i64;
}

int32 lib_ch_set_current_ch(int ch)
{
    if (!channel_ok(ch))
        return BAD_ARGUMENT;
    cfg_msg_para_t p = record_for(ch);
    return cfg_msg_if_t::get_instance()->set_current_ch(&p);
}

int32 lib_ch_get_current_ch()
{
    cfg_msg_para_t p = record_for(0);
    cfg_msg_if_t::get_instance()->get_current_ch(&p);
    return p.ch;
}

int32 lib_ch_restore_clock(int)
{
    cfg_msg_para_t p = record_for(LIB_CH1);
    return cfg_msg_if_t::get_instance()->reapply_device(&p);
}

// --- Channel object ---

int32 lib_ch_set_switch(int ch, int on)
{
    return int_set(&cfg_msg_if_t::set_switch, ch, on);
}

int32 lib_ch_set_run_mode(int ch, int mode)
{
    return int_set(&cfg_msg_if_t::set_run_mode, ch, mode);
}

int32 lib_ch_set_polarity(int ch, int polarity)
{
    return int_set(&cfg_msg_if_t::set_polarity, ch, polarity);
}

int32 lib_ch_set_wave_type(int ch, int type)
{
    return int_set(&cfg_msg_if_t::set_wave_type, ch, type);
}

int32 lib_ch_get_wave_type(int ch, int *out)
{
    return ptr_get(&cfg_msg_if_t::get_wave_type, ch, out);
}

int32 lib_ch_set_load(int ch, int ohms)
{
    return int_set(&cfg_msg_if_t::set_load, ch, ohms);
}

int32 lib_ch_get_load(int ch)
{
    return int_get(&cfg_msg_if_t::get_load, ch);
}

// --- Values with units ---

#define LIB_CH_VALUE_PAIR(name, set_handler, get_handler)                                                              \
    int32 lib_ch_set_##name(int ch, long double value, int unit)                                                      \
    {                                                                                                                  \
        return value_set(&cfg_msg_if_t::set_handler, ch, value, unit);                                                 \
    }                                                                                                                  \
    int32 lib_ch_get_##name(int ch, long double *value, int *unit)                                                    \
    {                                                                                                                  \
        return value_get(&cfg_msg_if_t::get_handler, ch, value, unit);                                                 \
    }

LIB_CH_VALUE_PAIR(freq, set_freq, get_freq)
LIB_CH_VALUE_PAIR(period, set_period, get_period)
LIB_CH_VALUE_PAIR(ampl, set_ampl, get_ampl)
LIB_CH_VALUE_PAIR(ampl_vrms, set_ampl_vrms, get_ampl_vrms)
LIB_CH_VALUE_PAIR(ampl_dbm, set_ampl_dbm, get_ampl_dbm)
LIB_CH_VALUE_PAIR(offset, set_offset, get_offset)
LIB_CH_VALUE_PAIR(high_level, set_high_level, get_high_level)
LIB_CH_VALUE_PAIR(low_level, set_low_level, get_low_level)
LIB_CH_VALUE_PAIR(phase, set_phase, get_phase)
LIB_CH_VALUE_PAIR(duty, set_duty, get_duty)
LIB_CH_VALUE_PAIR(symmetry, set_symmetry, get_symmetry)
LIB_CH_VALUE_PAIR(pulse_duty, set_pulse_duty, get_pulse_duty)
LIB_CH_VALUE_PAIR(width, set_width, get_width)
LIB_CH_VALUE_PAIR(pulse_rise, set_rise_edge, get_rise_edge)
LIB_CH_VALUE_PAIR(pulse_fall, set_fall_edge, get_fall_edge)
LIB_CH_VALUE_PAIR(pulse_delay, set_delay, get_delay)
LIB_CH_VALUE_PAIR(stdev, set_stdev, get_stdev)
LIB_CH_VALUE_PAIR(mean, set_mean, get_mean)
LIB_CH_VALUE_PAIR(noise_bandwidth, set_noise_bandwidth, get_noise_bandwidth)
LIB_CH_VALUE_PAIR(arb_sample_rate, set_sample_rate, get_sample_rate)
LIB_CH_VALUE_PAIR(harmonic_ampl, set_harmonic_ampl, get_harmonic_ampl)
LIB_CH_VALUE_PAIR(harmonic_dbc, set_harmonic_level, get_harmonic_level)
LIB_CH_VALUE_PAIR(harmonic_phase, set_harmonic_phase, get_harmonic_phase)
LIB_CH_VALUE_PAIR(prbs_length, set_prbs_length, get_prbs_length)
LIB_CH_VALUE_PAIR(prbs_edge, set_prbs_edge, get_prbs_edge)
#undef LIB_CH_VALUE_PAIR

int32 lib_ch_set_pulse_hold(int ch, int mode)
{
    return int_set(&cfg_msg_if_t::set_pulse_hold, ch, mode);
}

int32 lib_ch_get_pulse_hold(int ch)
{
    return int_get(&cfg_msg_if_t::get_pulse_hold, ch);
}

int32 lib_ch_get_noise_bandwidth_switch(int ch)
{
    return int_get(&cfg_msg_if_t::get_noise_bandwidth_switch, ch);
}

// --- Arbitrary waves ---

int32 lib_ch_set_arb_wave(int ch, int id)
{
    return int_set(&cfg_msg_if_t::set_arb_wave, ch, id);
}

int32 lib_ch_get_arb_wave(int ch, int *out)
{
    return ptr_get(&cfg_msg_if_t::get_arb_wave, ch, out);
}

int32 lib_ch_load_arb_file(int, const std::string &)
{
    return BAD_ARGUMENT;
}

int32 lib_ch_get_wave_len(int ch)
{
    return int_get(&cfg_msg_if_t::get_wave_len, ch);
}

int32 lib_ch_is_arb_sample_rate_supported(int ch)
{
    return query(&cfg_msg_if_t::get_arb_rate_cap, ch);
}

int32 lib_ch_is_noise_bandwidth_supported(int ch)
{
    return query(&cfg_msg_if_t::get_noise_bw_cap, ch);
}

int32 lib_ch_is_wave_option_supported(int ch)
{
    return query(&cfg_msg_if_t::get_extra_cap, ch);
}

int32 lib_ch_is_square_combine_allowed(int ch)
{
    return query(&cfg_msg_if_t::get_square_combine_cap, ch);
}

// --- Harmonics ---

int32 lib_ch_set_harmonic_switch(int ch, int on)
{
    return int_set(&cfg_msg_if_t::set_harmonic_switch, ch, on);
}

int32 lib_ch_get_harmonic_switch(int ch)
{
    return int_get(&cfg_msg_if_t::get_harmonic_switch, ch);
}

int32 lib_ch_set_harmonic_type(int ch, int type)
{
    return int_set(&cfg_msg_if_t::set_harmonic_type, ch, type);
}

int32 lib_ch_get_harmonic_type(int ch)
{
    return int_get(&cfg_msg_if_t::get_harmonic_type, ch);
}

int32 lib_ch_set_bswv_word(int ch, int word)
{
    return int_set(&cfg_msg_if_t::set_user_flag, ch, word);
}

// --- PRBS ---

int32 lib_ch_set_prbs_dual(int ch, int on)
{
    return int_set(&cfg_msg_if_t::set_prbs_link, ch, on);
}

int32 lib_ch_get_prbs_dual(int ch)
{
    return int_get(&cfg_msg_if_t::get_prbs_link, ch);
}

int32 lib_ch_get_prbs_dual_status(int ch)
{
    return query(&cfg_msg_if_t::get_prbs_link, ch);
}
