// The settings object's operations whose own topics (frequency, phase and offset
// setters, harmonics, arbitrary selection) are not built yet: each
// keeps the stored state consistent and applies nothing to the driver.
#include "cfg_bswv_main.h"

#include "lib_quantity.h"

// The frequency stored by the store rule, without limits or coupling; 0.
int32 cfg_bswv_main_t::store_freq(lib_unit_data_t value)
{
    store(&freq, value);
    return 0;
}

// The phase reduced into (-360, 360) and stored; 0.
int32 cfg_bswv_main_t::set_phase(const lib_unit_data_t *value)
{
    lib_unit_data_t reduced = *value;
    reduced.data = lib_phase_mod_360(reduced.data);
    store(&phase, reduced);
    return 0;
}

int32 cfg_bswv_main_t::restore_offset()
{
    return 1;
}

int32 cfg_bswv_main_t::restore_freq_or_sample_rate()
{
    return 1;
}

// No harmonic is synthesised: the scale of a wave that needed no limiting.
void cfg_bswv_main_t::update_harmonic_wave_data()
{
    harmonic_scale = 1.0L;
    harmonic_samples.clear();
}

int32 cfg_bswv_main_t::get_arb_wave() const
{
    return 0;
}

int32 cfg_bswv_main_t::set_arb_wave(int32)
{
    return 1;
}

std::string cfg_bswv_main_t::get_user_arb_wave_name() const
{
    return std::string();
}

int32 cfg_bswv_main_t::load_user_arb_wave(const std::string &)
{
    return 1;
}
