// cfg_bswv_main_t: amplitude (peak to peak, rms, dBm), offset and DC level, high and
// low level, the output load and the conversion of stored values between loads.
#include "cfg_bswv_main.h"
#include "cfg_bswv_setter_util.h"
#include "cfg_bswv_wave.h"
#include "cfg_ch_combine.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_sweep.h"
#include "cfg_wv_main.h"
#include "lib_quantity.h"
#include "lib_trunc.h"

#include <cmath>

using namespace cfg_bswv_setter;

namespace
{
// The same factors as the rms getters divide by.
constexpr long double SINE_RMS_TO_VPP = 2.828854314002829L;
constexpr long double RAMP_RMS_TO_VPP = 3.464001L;
constexpr int32 MAX_TERMINATED_LOAD = 100000;
constexpr int32 MIN_LOAD = 50;

bool has_no_rms(int32 type)
{
    return type == WAVE_NOISE || type == WAVE_DC || type == WAVE_ARB;
}
} // namespace

int32 cfg_bswv_main_t::store_ampl(lib_unit_data_t value)
{
    const long double o = get_offset_value();
    long double f = 0.0L;
    if (cfg_get_sweep(ch)->get_switch() == 1)
    {
        f = cfg_get_sweep(ch)->get_stop_value();
    }
    else
    {
        lib_unit_data_t hz{};
        get_freq(&hz);
        f = hz.data;
    }
    const int32 c = couple_record(&cfg_ch_couple_t::couple_ampl_if_on, ch, &value);
    const int32 k = param_check.check_ampl(&value.data, o, f, load, get_current_wave());
    int32 result = k < 0 ? k : (c < 0 ? c : 0);
    store(&ampl, value);
    const int32 g = cfg_get_combine(ch)->fit_ampl();
    if (g < 0)
        result = g;
    recheck_after_ampl();
    return result;
}

int32 cfg_bswv_main_t::set_ampl(lib_unit_data_t *value)
{
    const int32 result = store_ampl(*value);
    copy_prbs_to_partner();
    apply_ampl(ch);
    return result;
}

lib_unit_data_t cfg_bswv_main_t::vrms_to_vpp(long double vrms, int32 type)
{
    switch (type)
    {
    case WAVE_SINE:
        return base_record(vrms * SINE_RMS_TO_VPP);
    case WAVE_SQUARE:
    case WAVE_PULSE:
    case WAVE_PRBS:
        return base_record(vrms * 2);
    case WAVE_RAMP:
        return base_record(vrms * RAMP_RMS_TO_VPP);
    default:
        return base_record(0.0L);
    }
}

lib_unit_data_t cfg_bswv_main_t::dbm_to_vpp(long double dbm, int32 type, int32 ohms)
{
    const long double watts = static_cast<long double>(std::pow(10.0, static_cast<double>(dbm * 0.1L)));
    return vrms_to_vpp(std::sqrt(watts * ohms * 0.001L), type);
}

int32 cfg_bswv_main_t::set_ampl_vrms(lib_unit_data_t *value)
{
    if (has_no_rms(wave_type))
        return -12;
    lib_unit_data_t vpp = vrms_to_vpp(value->data, wave_type);
    return set_ampl(&vpp);
}

int32 cfg_bswv_main_t::set_ampl_dbm(lib_unit_data_t *value)
{
    if (has_no_rms(wave_type) || load == HIGH_Z)
        return -12;
    lib_unit_data_t vpp = dbm_to_vpp(value->data, wave_type, load);
    return set_ampl(&vpp);
}

void cfg_bswv_main_t::recheck_after_ampl()
{
    if (wave_type == WAVE_SINE && harmonic_switch == 1)
        update_harmonic_ampls();
    update_noise_stdev();
    recheck_combine();
    cfg_get_mod_main(ch)->recheck_if_on();
    cfg_get_sweep(ch)->refresh();
}

void cfg_bswv_main_t::recheck_combine()
{
    const int32 other_ch = lib_other_ch(ch);
    cfg_ch_combine_t *own = cfg_get_combine(ch);
    cfg_ch_combine_t *other = cfg_get_combine(other_ch);
    if (own->get_enable() != 1 && other->get_enable() != 1)
        return;
    own->fit_offset();
    own->fit_ampl();
    own->push_weight();
    if (other->get_enable() == 1)
    {
        other->push_weight();
        apply_ampl(other_ch);
    }
}

int32 cfg_bswv_main_t::store_offset(lib_unit_data_t *value)
{
    lib_unit_data_t a{};
    get_ampl(&a);
    lib_unit_data_t f{};
    get_freq(&f);
    int32 result = param_check.check_offset(&value->data, a.data, f.data, load, get_current_wave());
    store(&offset, *value);
    const int32 g = cfg_get_combine(ch)->fit_offset();
    if (g < 0)
        result = g;
    recheck_combine();
    // The largest noise deviation depends on the offset.
    if (wave_type == WAVE_NOISE)
        restore_noise_stdev();
    return result;
}

int32 cfg_bswv_main_t::store_dc_level(lib_unit_data_t *value)
{
    int32 result = param_check.check_dc_offset(&value->data, &load, get_current_wave());
    store(&dc_level, *value);
    const int32 g = cfg_get_combine(ch)->fit_offset();
    if (g < 0)
        result = g;
    recheck_combine();
    return result;
}

int32 cfg_bswv_main_t::store_offset_or_dc(lib_unit_data_t value)
{
    if (wave_type == WAVE_DC)
        return store_dc_level(&value);
    return store_offset(&value);
}

int32 cfg_bswv_main_t::restore_offset()
{
    lib_unit_data_t o{};
    get_offset(&o);
    store_offset_or_dc(o);
    return 1;
}

int32 cfg_bswv_main_t::set_offset(lib_unit_data_t *value)
{
    const int32 result = store_offset_or_dc(*value);
    copy_prbs_to_partner();
    apply_ampl(ch);
    return result;
}

int32 cfg_bswv_main_t::set_high_level(lib_unit_data_t value)
{
    lib_unit_data_t low{};
    get_low_level(&low);
    lib_unit_data_t f{};
    get_freq(&f);
    const int32 result = param_check.check_high_level(&value.data, low.data, f.data, load, get_current_wave());
    // A zero offset first, so that the old offset does not narrow the amplitude check.
    store(&offset, base_record(0.0L));
    store_ampl(base_record(value.data - low.data));
    lib_unit_data_t stored{};
    get_ampl(&stored);
    store_offset_or_dc(base_record(value.data - stored.data * 0.5L));
    apply_ampl(ch);
    return result;
}

int32 cfg_bswv_main_t::set_low_level(lib_unit_data_t value)
{
    lib_unit_data_t high{};
    get_high_level(&high);
    lib_unit_data_t f{};
    get_freq(&f);
    const int32 result = param_check.check_low_level(&value.data, high.data, f.data, load, get_current_wave());
    store(&offset, base_record(0.0L));
    store_ampl(base_record(high.data - value.data));
    lib_unit_data_t stored{};
    get_ampl(&stored);
    store_offset_or_dc(base_record(value.data + stored.data * 0.5L));
    apply_ampl(ch);
    return result;
}

int32 cfg_bswv_main_t::set_load(int32 *ohms)
{
    int32 result = 1;
    if (*ohms == HIGH_Z)
    {
        result = 1;
    }
    else if (*ohms > HIGH_Z)
    {
        *ohms = HIGH_Z;
        result = -10;
    }
    else if (*ohms > MAX_TERMINATED_LOAD)
    {
        *ohms = MAX_TERMINATED_LOAD;
        result = -10;
    }
    else if (*ohms < MIN_LOAD)
    {
        *ohms = MIN_LOAD;
        result = -11;
    }
    const int32 old_load = load;
    load = *ohms;
    rescale_for_load(old_load, load);
    return result;
}

void cfg_bswv_main_t::rescale_for_load(long double old_load, long double new_load)
{
    const int32 from = lib_trunc_i32(old_load);
    const int32 to = lib_trunc_i32(new_load);
    store(&ampl, base_record(convert_for_load(from, to, ampl.data)));
    update_noise_stdev();
    store(&offset, base_record(convert_for_load(from, to, offset.data)));
    store(&dc_level, base_record(convert_for_load(from, to, dc_level.data)));
    for (auto &h : harmonics)
        h.second.ampl = convert_for_load(from, to, h.second.ampl);
    cfg_get_combine(ch)->push_weight();
}

long double cfg_bswv_main_t::convert_for_load(int32 old_load, int32 new_load, long double value)
{
    if (old_load == MIN_LOAD && new_load == HIGH_Z)
        return value * 2;
    if (old_load == HIGH_Z && new_load == MIN_LOAD)
        return value * 0.5L;
    const long double rs = cfg_drv_get_output_impedance();
    const long double x = value * (new_load / (new_load + rs)) * ((old_load + rs) / old_load);
    // Four decimal places, halves away from zero.
    const long double y = x * 10000;
    const double rounded = y > 0 ? std::floor(static_cast<double>(y + 0.5L)) : std::ceil(static_cast<double>(y - 0.5L));
    return rounded / 10000.0L;
}
