// The settings object's operations whose own topics (frequency, phase and offset
// setters, wave-type selection, harmonics, arbitrary selection) are not built yet: each
// keeps the stored state consistent and applies nothing to the driver.
#include "cfg_bswv_main.h"

// A known type is stored (the wave is not applied); any other code gives -13.
int32 cfg_bswv_main_t::set_wave_type(int32 type)
{
    if (param_check.check_wave_type(type) != 1)
        return -13;
    wave_type = type;
    return 1;
}

int32 cfg_bswv_main_t::apply_current_wave(bool)
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
