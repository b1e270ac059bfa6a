// Stand-ins for the settings object's frequency and amplitude setters that the
// harmonics, the arbitrary selection and the coupling call, until those setters land.
// Each checks against the current wave's limits and stores; none couples.
#include "cfg_bswv_main.h"

#include "cfg_main.h"

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
} // namespace

int32 cfg_bswv_main_t::set_freq(lib_unit_data_t value)
{
    const int32 r = store_freq(value);
    apply_current_wave(false);
    return r;
}

int32 cfg_bswv_main_t::restore_freq_record()
{
    if (wave_type == WAVE_NOISE || wave_type == WAVE_DC)
        return -12;
    return store_freq(freq);
}

int32 cfg_bswv_main_t::store_ampl(lib_unit_data_t value)
{
    const int32 r = param_check.check_ampl(&value.data, get_offset_value(), freq.data, load, get_current_wave());
    store(&ampl, value);
    recheck_after_ampl();
    return r == 1 ? 0 : r;
}

int32 cfg_bswv_main_t::set_ampl(lib_unit_data_t *value)
{
    const int32 r = store_ampl(*value);
    apply_ampl(ch);
    return r;
}

int32 cfg_bswv_main_t::store_offset_or_dc(lib_unit_data_t value)
{
    store(wave_type == WAVE_DC ? &dc_level : &offset, value);
    return 1;
}

void cfg_bswv_main_t::recheck_after_freq()
{
    if (wave_type == WAVE_SINE && harmonic_switch == 1)
        check_harmonics();
}

void cfg_bswv_main_t::recheck_after_ampl()
{
    if (wave_type == WAVE_SINE && harmonic_switch == 1)
        update_harmonic_ampls();
}

void cfg_bswv_main_t::recheck_combine()
{
}
