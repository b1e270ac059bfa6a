// Operations that the burst, sweep and combining objects call and whose own topics are
// not built yet: the amplitude, load and phase stores of the settings object, the
// mode exclusion's notifications and two coupling queries. Each keeps the stored state
// consistent and applies nothing beyond what its caller relies on.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_mode_excl.h"

#include "lib_quantity.h"

// The amplitude stored by the store rule, without limits, coupling or combining; 0.
int32 cfg_bswv_main_t::store_ampl(lib_unit_data_t value)
{
    store(&ampl, value);
    return 0;
}

int32 cfg_bswv_main_t::set_ampl(const lib_unit_data_t *value)
{
    const int32 k = store_ampl(*value);
    apply_ampl(ch);
    return k;
}

// The load stored as given; amplitudes are not converted.
int32 cfg_bswv_main_t::set_load(int32 *ohms)
{
    store_load_raw(ohms);
    return 1;
}

// The phase reduced into (-360, 360) and stored; 0.
int32 cfg_bswv_main_t::store_phase(lib_unit_data_t value)
{
    value.data = lib_phase_mod_360(value.data);
    store(&phase, value);
    return 0;
}

int32 cfg_mode_excl_t::on_sweep_trigger_source(int32, int32)
{
    return 1;
}

int32 cfg_mode_excl_t::on_sweep_trig_out(int32, int32)
{
    return 1;
}

int32 cfg_mode_excl_t::on_burst_trigger_source(int32, int32)
{
    return 1;
}

int32 cfg_mode_excl_t::on_burst_trig_out(int32, int32)
{
    return 1;
}

int32 cfg_ch_couple_t::is_track_src(int32 ch) const
{
    return track_en == 1 && ch == src_ch ? 1 : 0;
}

// Phases are not coupled yet: no offset.
long double cfg_ch_couple_t::get_phase_deviation() const
{
    return 0.0L;
}
