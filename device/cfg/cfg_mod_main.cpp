#include "cfg_mod_main.h"

#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_wv_main.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_data.h"

#include <algorithm>
#include <cctype>

namespace
{
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_PRBS = 8;

bool contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

// The mode exclusion exists only after the root's init.
void claim_mod_source(int32 ch, int32 source)
{
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_mod_source(ch, source);
}
} // namespace

lib_unit_data_t cfg_mod_main_t::shared_mod_freq = {0.0L, LIB_UNIT_BASE, false};

void cfg_mod_main_t::bind_channel(int32 ch)
{
    channel = ch;
    am.set_channel(ch);
    fm.set_channel(ch);
    pm.set_channel(ch);
    fsk.set_channel(ch);
    ask.set_channel(ch);
    psk.set_channel(ch);
    dsb_am.set_channel(ch);
    pwm.set_channel(ch);
}

void cfg_mod_main_t::init(int32 ch)
{
    bind_channel(ch);
    am.init(ch, cfg_mod_t::MOD_AM);
    fm.init(ch, cfg_mod_t::MOD_FM);
    pm.init(ch, cfg_mod_t::MOD_PM);
    fsk.init(ch, cfg_mod_t::MOD_FSK);
    ask.init(ch, cfg_mod_t::MOD_ASK);
    psk.init(ch, cfg_mod_t::MOD_PSK);
    dsb_am.init(ch, cfg_mod_t::MOD_DSB_AM);
    pwm.init(ch, cfg_mod_t::MOD_PWM);
    state = 0;
    type = cfg_mod_t::MOD_AM;
    saved_type = cfg_mod_t::MOD_AM;
}

void cfg_mod_main_t::save_config(const char *path)
{
    am.save_config(path);
    fm.save_config(path);
    pm.save_config(path);
    pwm.save_config(path);
    fsk.save_config(path);
    ask.save_config(path);
    psk.save_config(path);
    dsb_am.save_config(path);
}

cfg_mod_t *cfg_mod_main_t::get_mod(int32 t)
{
    switch (t)
    {
    case cfg_mod_t::MOD_FM:
        return &fm;
    case cfg_mod_t::MOD_PM:
        return &pm;
    case cfg_mod_t::MOD_ASK:
        return &ask;
    case cfg_mod_t::MOD_FSK:
        return &fsk;
    case cfg_mod_t::MOD_PSK:
        return &psk;
    case cfg_mod_t::MOD_DSB_AM:
        return &dsb_am;
    case cfg_mod_t::MOD_PWM:
        return &pwm;
    default:
        return &am;
    }
}

bool cfg_mod_main_t::uses_mod_wave(int32 t)
{
    return t == cfg_mod_t::MOD_AM || t == cfg_mod_t::MOD_FM || t == cfg_mod_t::MOD_PM ||
           t == cfg_mod_t::MOD_DSB_AM || t == cfg_mod_t::MOD_PWM;
}

int32 cfg_mod_main_t::set_state(int32 on)
{
    if (on != 0)
    {
        state = on;
        follow_carrier(false);
        return 1;
    }
    drv_interface_t::get_instance()->set_mod_type(channel, cfg_mod_t::MOD_OFF);
    state = 0;
    return 1;
}

void cfg_mod_main_t::force_pwm()
{
    if (type == cfg_mod_t::MOD_PWM)
        return;
    saved_type = type == cfg_mod_t::MOD_OFF ? cfg_mod_t::MOD_AM : type;
    type = cfg_mod_t::MOD_PWM;
}

void cfg_mod_main_t::restore_type()
{
    if (type == cfg_mod_t::MOD_PWM)
        type = saved_type;
}

void cfg_mod_main_t::follow_carrier(bool flag)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    const int32 carrier = bswv->get_wave_type();
    if (carrier == WAVE_NOISE || carrier == WAVE_PRBS || bswv->is_arb_sample_rate_mode() == 1)
        set_state(0);
    else if (carrier == WAVE_PULSE)
        force_pwm();
    else
        restore_type();
    set_type(type, flag);
    claim_mod_source(channel, get_source());
}

void cfg_mod_main_t::on_carrier_changed(bool flag)
{
    if (state != 0)
        follow_carrier(flag);
}

bool cfg_mod_main_t::is_type_allowed(int32 t)
{
    const int32 carrier = cfg_get_bswv_main(channel)->get_wave_type();
    if (carrier == WAVE_NOISE)
        return false;
    if (carrier == WAVE_PULSE)
        return t == cfg_mod_t::MOD_PWM;
    return t >= cfg_mod_t::MOD_AM && t <= cfg_mod_t::MOD_PWM;
}

int32 cfg_mod_main_t::check_carrier()
{
    const int32 carrier = cfg_get_bswv_main(channel)->get_wave_type();
    if (carrier == WAVE_NOISE)
        return -12;
    if (carrier == WAVE_PULSE && type != cfg_mod_t::MOD_PWM)
        return -12;
    return 1;
}

int32 cfg_mod_main_t::set_type(int32 t, bool flag)
{
    if (state != 1 || !is_type_allowed(t))
        return -12;
    type = t;
    cfg_mod_t *mod = get_mod(t);
    mod->recheck();
    claim_mod_source(channel, mod->get_source());
    mod->apply(t, flag);
    return 1;
}

void cfg_mod_main_t::recheck_current()
{
    get_current_mod()->recheck();
}

void cfg_mod_main_t::recheck_if_on()
{
    if (state != 0)
        recheck_current();
}

bool cfg_mod_main_t::needs_dual_update()
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    const bool track_src = couple != nullptr && couple->is_tracking() && couple->get_src_ch() == channel;
    return track_src || cfg_get_wv_main(channel)->get_output() == 1;
}

void cfg_mod_main_t::update_freq_both_if_needed()
{
    if (needs_dual_update())
        cfg_apply_mod_freq_both();
}

int32 cfg_mod_main_t::set_source(int32 source)
{
    if (is_off())
        return -12;
    claim_mod_source(channel, source);
    get_current_mod()->set_source(source);
    return 1;
}

int32 cfg_mod_main_t::set_shape(int32 shape)
{
    if (is_off() || !uses_mod_wave(type))
        return -12;
    return get_current_mod()->set_shape(shape);
}

int32 cfg_mod_main_t::set_mod_freq(lib_unit_data_t &rec)
{
    const int32 result = is_off() ? -12 : get_current_mod()->set_mod_freq(rec);
    update_freq_both_if_needed();
    return result;
}

int32 cfg_mod_main_t::set_deviation(lib_unit_data_t &rec)
{
    const int32 result = is_off() ? -12 : get_current_mod()->set_deviation(rec);
    cfg_apply_mod_deviation_both();
    return result;
}

lib_unit_data_t cfg_mod_main_t::percent_to_width(const lib_unit_data_t &rec)
{
    lib_unit_data_t period{};
    cfg_get_bswv_main(channel)->get_period(&period);
    lib_unit_data_t width{};
    width.data = rec.data / 100.0L * period.data;
    width.unit = LIB_UNIT_BASE;
    width.changed = false;
    return width;
}

int32 cfg_mod_main_t::set_pwm_deviation_percent(lib_unit_data_t &rec)
{
    const int32 result = is_off() ? -12 : get_current_mod()->set_deviation(percent_to_width(rec));
    cfg_apply_mod_deviation_both();
    return result;
}

lib_unit_data_t cfg_mod_main_t::get_pwm_deviation_percent()
{
    lib_unit_data_t period{};
    cfg_get_bswv_main(channel)->get_period(&period);
    lib_unit_data_t percent{};
    percent.data = get_deviation().data / period.data * 100.0L;
    percent.unit = LIB_UNIT_BASE;
    percent.changed = false;
    return percent;
}

int32 cfg_mod_main_t::store_pwm_deviation(const lib_unit_data_t &rec)
{
    return pwm.set_deviation(rec);
}

int32 cfg_mod_main_t::store_pwm_deviation_percent(const lib_unit_data_t &rec)
{
    return pwm.set_deviation(percent_to_width(rec));
}

int32 cfg_mod_main_t::store_ask_rate(lib_unit_data_t &rec)
{
    return is_off() ? -12 : ask.set_rate(rec);
}

int32 cfg_mod_main_t::store_fsk_rate(lib_unit_data_t &rec)
{
    return is_off() ? -12 : fsk.set_rate(rec);
}

int32 cfg_mod_main_t::store_psk_rate(lib_unit_data_t &rec)
{
    return is_off() ? -12 : psk.set_rate(rec);
}

int32 cfg_mod_main_t::store_fsk_hop_freq(lib_unit_data_t &rec)
{
    return is_off() ? -12 : fsk.set_hop_freq(rec);
}

int32 cfg_mod_main_t::set_ask_rate(lib_unit_data_t &rec)
{
    const int32 result = store_ask_rate(rec);
    update_freq_both_if_needed();
    return result;
}

int32 cfg_mod_main_t::set_fsk_rate(lib_unit_data_t &rec)
{
    const int32 result = store_fsk_rate(rec);
    update_freq_both_if_needed();
    return result;
}

int32 cfg_mod_main_t::set_psk_rate(lib_unit_data_t &rec)
{
    const int32 result = store_psk_rate(rec);
    update_freq_both_if_needed();
    return result;
}

int32 cfg_mod_main_t::set_fsk_hop_freq(lib_unit_data_t &rec)
{
    const int32 result = store_fsk_hop_freq(rec);
    if (needs_dual_update())
        cfg_apply_fsk_hop_both();
    return result;
}

int32 cfg_mod_main_t::set_psk_phase(const lib_unit_data_t &rec)
{
    psk.set_phase(rec);
    cfg_apply_mod_phase(channel);
    return 1;
}

int32 cfg_mod_main_t::set_psk_polarity(int32 polarity)
{
    psk.set_polarity(polarity);
    return 1;
}

int32 cfg_mod_main_t::set_user_wave(const std::string &name)
{
    if (is_off() || !uses_mod_wave(type))
        return -12;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (contains(lower, ".bin"))
        return get_current_mod()->set_user_wave_path(name);
    // Text waves (".csv", ".dat") are recognised but not converted: like any other
    // name they change nothing.
    return 0;
}

int32 cfg_mod_main_t::set_user_wave_by_index(int32 index)
{
    if (is_off() || !uses_mod_wave(type))
        return -12;
    const std::string name = drv_instance_manage_t::get_instance()->get_wave_data()->get_wave_name(index);
    return set_user_wave(name);
}

const lib_unit_data_t *cfg_mod_main_t::get_mod_freq()
{
    switch (type)
    {
    case cfg_mod_t::MOD_ASK:
        shared_mod_freq = ask.get_rate();
        break;
    case cfg_mod_t::MOD_FSK:
        shared_mod_freq = fsk.get_rate();
        break;
    case cfg_mod_t::MOD_PSK:
        shared_mod_freq = psk.get_rate();
        break;
    default:
        shared_mod_freq = get_current_mod()->get_mod_freq();
        break;
    }
    return &shared_mod_freq;
}

int32 cfg_mod_main_t::get_psk_phase(lib_unit_data_t *out) const
{
    *out = psk.get_phase();
    return 1;
}

int32 cfg_mod_main_t::get_wave_samples(std::vector<int16> &out)
{
    if (!uses_mod_wave(type))
        return -12;
    return get_current_mod()->get_wave_samples(out);
}
