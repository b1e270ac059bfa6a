// The settings object's operations whose own topics (frequency, phase and offset
// setters, wave-type selection) are not built yet: each
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
