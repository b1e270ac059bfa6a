// Records of the apply functions.
#include "cfg_apply_record.h"

#include "cfg_apply_hold.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

constexpr int32 RUN_MODE_MOD = 0;
constexpr int32 RUN_MODE_CONTINUOUS = 3;
constexpr int32 MOD_AM = 1;
constexpr int32 MOD_DSB_AM = 7;

long double freq_of(int32 ch)
{
    lib_unit_data_t f{};
    cfg_get_bswv_main(ch)->get_freq(&f);
    return f.data;
}

long double load_of(int32 ch)
{
    int32 ohms = 0;
    cfg_get_bswv_main(ch)->get_load(&ohms);
    return ohms;
}

// The arbitrary wave plays at its sample rate only in continuous mode and under AM.
int32 arb_sample_rate_mode(int32 ch)
{
    const int32 run = cfg_get_wv_main(ch)->get_run_mode();
    const int32 mod = cfg_get_mod_main(ch)->get_type();
    if (run == RUN_MODE_CONTINUOUS || (run == RUN_MODE_MOD && (mod == MOD_AM || mod == MOD_DSB_AM)))
        return cfg_get_bswv_main(ch)->get_sample_rate_mode();
    return 0;
}
} // namespace

drv_wave_para_t cfg_build_wave_para(int32 ch, int32 type)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_wave_para_t r{};
    r.freq = freq_of(ch);
    r.ch0_freq = freq_of(0);
    r.ch1_freq = freq_of(1);
    r.ampl = bswv->get_output_ampl();
    r.offset = bswv->get_offset_value();
    if (type != WAVE_PRBS)
    {
        lib_unit_data_t phase{};
        bswv->get_phase(&phase);
        r.phase = phase.data;
    }
    r.load = load_of(ch);
    lib_unit_data_t v{};
    switch (type)
    {
    case WAVE_SINE:
        r.harmonic_switch = bswv->get_harmonic_switch_raw();
        break;
    case WAVE_SQUARE:
        bswv->get_duty(&v);
        r.duty = v.data;
        bswv->get_square_edges(&r.rise_edge, &r.fall_edge);
        break;
    case WAVE_RAMP:
        bswv->get_symmetry(&v);
        r.symmetry = v.data;
        break;
    case WAVE_PULSE:
        bswv->get_pulse_width(&v);
        r.pulse_width = v.data;
        bswv->get_rise_edge(&v);
        r.rise_edge = v.data;
        bswv->get_fall_edge(&v);
        r.fall_edge = v.data;
        break;
    case WAVE_ARB:
        r.srate_word = bswv->get_arb_rate_word();
        r.sample_rate_mode = arb_sample_rate_mode(ch);
        break;
    case WAVE_PRBS:
        bswv->get_prbs_length(&v);
        r.prbs_length = v.data;
        bswv->get_prbs_edge(&v);
        r.prbs_edge = v.data;
        r.prbs_link = bswv->get_prbs_link_raw();
        r.tracking = cfg_get_couple()->get_track_en();
        break;
    default:
        break;
    }
    return r;
}

drv_noise_para_t cfg_build_noise_para(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_noise_para_t r{};
    r.ampl = bswv->get_output_ampl();
    r.offset = bswv->get_offset_value();
    r.noise_bandwidth_switch = bswv->get_noise_bandwidth_switch_raw();
    r.noise_bandwidth = bswv->get_noise_bandwidth_raw().data;
    r.load = load_of(ch);
    return r;
}

drv_dc_para_t cfg_build_dc_para(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_dc_para_t r{};
    r.offset = bswv->get_offset_value();
    r.load = load_of(ch);
    r.ampl = bswv->get_output_ampl();
    return r;
}

drv_ampl_para_t cfg_build_ampl_para(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_ampl_para_t r{};
    r.freq = freq_of(ch);
    r.load = load_of(ch);
    r.ampl = bswv->get_output_ampl();
    r.offset = bswv->get_offset_value();
    if (bswv->get_wave_type_raw() == WAVE_NOISE)
        r.freq = -1.0L;
    return r;
}

drv_square_para_t cfg_build_square_para(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_square_para_t r{};
    r.run_mode = cfg_get_wv_main(ch)->get_run_mode();
    bswv->get_square_edges(&r.rise_edge, &r.fall_edge);
    r.freq = freq_of(ch);
    lib_unit_data_t duty{};
    bswv->get_duty(&duty);
    r.duty = duty.data;
    return r;
}

drv_couple_para_t cfg_build_couple_para(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    drv_couple_para_t r{};
    r.prbs_link = bswv->get_prbs_link_raw();
    lib_unit_data_t edge{};
    bswv->get_prbs_edge(&edge);
    r.prbs_edge = edge.data;
    r.tracking = cfg_get_couple()->get_track_en();
    return r;
}

int32 cfg_wave_call_hold(int32 ch, int32 type, bool full_rule)
{
    if (type == WAVE_PRBS && cfg_get_bswv_main(ch)->get_prbs_link_raw() != 0)
        return 1;
    return cfg_select_hold(full_rule);
}
