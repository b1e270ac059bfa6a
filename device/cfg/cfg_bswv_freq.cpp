// cfg_bswv_main_t: frequency, period and sample rate, the re-checks that follow a
// frequency change, and the copy of a linked PRBS to the other channel.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_setter_util.h"
#include "cfg_burst.h"
#include "cfg_bswv_wave.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_sweep.h"
#include "cfg_sync.h"
#include "cfg_wv_main.h"
#include "lib_quantity.h"
#include "lib_unit_convert.h"

using namespace cfg_bswv_setter;

namespace
{
// The frequency checked against the current wave's limits and stored: the check's code
// when negative, else a negative coupling code, else 0.
int32 store_freq_dds(cfg_bswv_main_t *s, lib_unit_data_t r)
{
    const int32 ch = s->get_channel();
    const int32 c = couple_record(&cfg_ch_couple_t::couple_freq_if_on, ch, &r);
    const int32 k = s->get_param_check()->check_freq(ch, &r.data, s->get_current_wave());
    s->store_freq_raw(r);
    if (k < 0)
        return k;
    return c < 0 ? c : 0;
}

// The frequency as the sample rate the driver derives for it. A channel without
// samples has no sample rate for any frequency: refused, nothing stored.
int32 store_freq_by_sample_rate(cfg_bswv_main_t *s, lib_unit_data_t r)
{
    const int32 ch = s->get_channel();
    if (cfg_drv_get_ch_wave_len(ch) == 0)
        return -13;
    bool raised = false;
    const long double min = s->get_current_wave()->get_min_freq(0);
    if (min > r.data)
    {
        r.data = min;
        raised = true;
    }
    const int32 c = couple_record(&cfg_ch_couple_t::couple_freq_if_on, ch, &r);
    const int32 t = s->store_sample_rate(base_record(cfg_drv_freq_to_sample_rate(ch, r.data)));
    if (c < 0)
        return c;
    return raised ? -11 : t;
}

// store_freq without its re-checks: noise and DC have no frequency.
int32 store_freq_steps(cfg_bswv_main_t *s, lib_unit_data_t r)
{
    const int32 type = s->get_wave_type();
    if (type == WAVE_NOISE || type == WAVE_DC)
        return -12;
    if (s->is_arb_sample_rate_mode())
        return store_freq_by_sample_rate(s, r);
    return store_freq_dds(s, r);
}

lib_unit_data_t in_base_unit(lib_unit_data_t r)
{
    lib_unit_convert(r, r, LIB_UNIT_BASE);
    return r;
}
} // namespace

int32 cfg_bswv_main_t::store_freq(lib_unit_data_t value)
{
    const int32 result = store_freq_steps(this, value);
    // A refused frequency still re-checks what depends on it.
    if (!is_arb_sample_rate_mode())
        recheck_after_freq();
    return result;
}

int32 cfg_bswv_main_t::set_freq(lib_unit_data_t value)
{
    const int32 result = store_freq(value);
    copy_prbs_to_partner();
    if (freq_needs_apply() == 1)
        cfg_apply_ch_after_freq(ch);
    return result;
}

// A period of 0 gives an infinite frequency, which the range check pulls to the
// maximum.
int32 cfg_bswv_main_t::set_period(lib_unit_data_t value)
{
    return set_freq(base_record(1.0L / in_base_unit(value).data));
}

int32 cfg_bswv_main_t::store_period(lib_unit_data_t value)
{
    return store_freq(base_record(1.0L / in_base_unit(value).data));
}

int32 cfg_bswv_main_t::store_sample_rate(lib_unit_data_t value)
{
    // Without samples the frequency would be the rate divided by 0.
    if (cfg_drv_get_ch_wave_len(ch) == 0)
        return -13;
    cfg_bswv_wave_t *current = get_current_wave();
    const long double max = current->get_max_sample_rate();
    const long double min = current->get_min_sample_rate(ch);
    int32 result = 1;
    // A maximum of 0 is a device without a sample-rate setting of its own (the module):
    // pulling every rate to 0 would leave the channel at 0 Hz, so it is no limit.
    if (max > 0 && value.data > max)
    {
        value.data = max;
        result = -10;
    }
    else if (value.data < min)
    {
        value.data = min;
        result = -11;
    }
    store(&sample_rate, value);
    lib_unit_data_t hz = base_record(cfg_drv_sample_rate_to_freq(ch, value.data));
    store(&freq, hz);
    couple_record(&cfg_ch_couple_t::couple_freq_if_on, ch, &hz);
    return result;
}

int32 cfg_bswv_main_t::set_sample_rate(lib_unit_data_t value)
{
    const int32 result = store_sample_rate(value);
    if (freq_needs_apply() == 1)
        cfg_apply_ch_after_freq(ch);
    return result;
}

int32 cfg_bswv_main_t::set_sample_rate_mode(int32 on)
{
    const int32 run_mode = cfg_get_wv_main(ch)->get_run_mode();
    if (run_mode != cfg_wv_main_t::RUN_MODE_CONTINUOUS && run_mode != cfg_wv_main_t::RUN_MODE_MOD && on != 0)
        return -12;
    sample_rate_mode = on;
    cfg_get_mod_main(ch)->on_carrier_changed(true);
    sync_sample_rate_with_freq(ch);
    cfg_apply_arb_wave(ch, false);
    return 1;
}

void cfg_bswv_main_t::sync_sample_rate_with_freq(int32 channel)
{
    if (couple_switch(COUPLE_FREQ) != 1)
        return;
    lib_unit_data_t r = freq;
    couple_record(&cfg_ch_couple_t::couple_freq_if_on, channel, &r);
    store(&freq, r);
    store(&sample_rate, base_record(cfg_drv_freq_to_sample_rate(channel, r.data)));
}

int32 cfg_bswv_main_t::freq_needs_apply()
{
    lib_unit_data_t f{};
    get_freq(&f);
    const cfg_ch_couple_t *couple = cfg_get_couple();
    const bool follows = (couple != nullptr && couple->is_track_src(ch) == 1) || cfg_get_wv_main(ch)->get_output() == 1 ||
                         couple_switch(COUPLE_FREQ) == 1 || is_prbs_linked() == 1;
    return follows && f.changed ? 1 : 0;
}

void cfg_bswv_main_t::zero_pulse_timing()
{
    store(&rise_edge, base_record(0.0L));
    store(&fall_edge, base_record(0.0L));
    store(&pulse_duty, base_record(0.0L));
    store(&pulse_width, base_record(0.0L));
}

void cfg_bswv_main_t::recheck_after_freq()
{
    switch (wave_type)
    {
    case WAVE_SQUARE:
        store_duty(duty);
        break;
    case WAVE_SINE:
        if (harmonic_switch == 1)
            check_harmonics();
        break;
    case WAVE_PULSE: {
        lib_unit_data_t f{};
        get_freq(&f);
        if (f.data == 0.0L)
        {
            zero_pulse_timing();
            break;
        }
        if (pulse_hold == 0)
            store_width(pulse_width);
        else
            store_pulse_duty(pulse_duty);
        store_rise_edge(rise_edge);
        store_fall_edge(fall_edge);
        break;
    }
    case WAVE_PRBS:
        recheck_prbs_edge();
        break;
    default:
        break;
    }
    if (wave_type == WAVE_PULSE)
    {
        // The delay is kept as a phase; it follows the new period unless phase coupling
        // makes the other channel the one that leads.
        const int32 phase_couple = couple_switch(COUPLE_PHASE);
        const bool follows =
            phase_couple == 0 || (phase_couple == 1 && cfg_main_t::get_instance()->get_current_channel() == ch);
        if (follows)
        {
            lib_unit_data_t delay{};
            get_pulse_delay(&delay);
            store_pulse_delay(delay);
        }
    }
    cfg_get_sweep(ch)->refresh();
    store_ampl(ampl);
    lib_unit_data_t o{};
    get_offset(&o);
    store_offset_or_dc(o);
    if (cfg_sync_t *sync = cfg_get_sync())
        sync->recheck(ch);
    cfg_get_burst(ch)->recheck_period_if_on();
}

void cfg_bswv_main_t::copy_prbs_to_partner()
{
    if (wave_type != WAVE_PRBS || prbs_link != 1)
        return;
    const int32 other_ch = lib_other_ch(ch);
    cfg_bswv_main_t *other = cfg_get_bswv_main(other_ch);
    other->store_freq(freq);
    other->store_ampl(ampl);
    other->store_offset_or_dc(offset);
    other->store_prbs_length(prbs_length);
    other->store_prbs_edge(prbs_edge);
    cfg_get_wv_main(other_ch)->set_current_basic_wave(WAVE_PRBS);
}

int32 cfg_bswv_main_t::restore_freq_record()
{
    return store_freq_steps(this, freq);
}

void cfg_bswv_main_t::restore_freq()
{
    lib_unit_data_t f{};
    get_freq(&f);
    if (is_arb_sample_rate_mode())
        store_freq_by_sample_rate(this, f);
    else
        store_freq_dds(this, f);
}

int32 cfg_bswv_main_t::restore_freq_or_sample_rate()
{
    if (is_arb_sample_rate_mode())
        store_sample_rate(sample_rate);
    else
        store_freq(freq);
    return 1;
}

void cfg_bswv_main_t::recheck_for_wave_type()
{
    recheck_combine();
    if (!is_arb_sample_rate_mode())
        recheck_after_freq();
}
