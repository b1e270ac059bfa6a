// cfg_bswv_main_t: noise deviation, mean and bandwidth, the start phase, and the PRBS
// length, edge and two-channel link.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_noise.h"
#include "cfg_bswv_setter_util.h"
#include "cfg_bswv_wave.h"
#include "cfg_main.h"
#include "lib_quantity.h"

using namespace cfg_bswv_setter;

void cfg_bswv_main_t::update_noise_stdev()
{
    store(&noise_stdev, base_record(cfg_noise_ampl_to_stdev(ch, ampl.data)));
}

int32 cfg_bswv_main_t::set_noise_stdev(lib_unit_data_t value)
{
    lib_unit_data_t a = base_record(cfg_noise_stdev_to_ampl(ch, value.data));
    const int32 result = set_ampl(&a);
    // From the amplitude as stored, so a clamped amplitude gives its own deviation.
    update_noise_stdev();
    return result;
}

void cfg_bswv_main_t::restore_noise_stdev()
{
    set_noise_stdev(noise_stdev);
}

int32 cfg_bswv_main_t::set_mean(lib_unit_data_t value)
{
    return set_offset(&value);
}

int32 cfg_bswv_main_t::set_noise_bandwidth(lib_unit_data_t value)
{
    const int32 result = param_check.check_noise_bandwidth(&value.data, get_current_wave());
    store(&noise_bandwidth, value);
    store_ampl(ampl);
    update_noise_stdev();
    cfg_apply_noise_wave(ch);
    return result;
}

int32 cfg_bswv_main_t::store_phase(lib_unit_data_t value)
{
    lib_unit_data_t reduced{lib_phase_mod_360(value.data), value.unit, value.changed};
    const int32 c = couple_record(&cfg_ch_couple_t::couple_phase_if_on, ch, &reduced);
    store(&phase, reduced);
    return c < 0 ? c : 0;
}

int32 cfg_bswv_main_t::set_phase(const lib_unit_data_t *value)
{
    const int32 result = store_phase(*value);
    // A PRBS plays no phase.
    if (wave_type != WAVE_PRBS)
        cfg_apply_phase();
    return result;
}

int32 cfg_bswv_main_t::store_prbs_length(lib_unit_data_t value)
{
    const int32 result = param_check.check_prbs_length(&value.data, get_current_wave());
    store(&prbs_length, value);
    return result;
}

int32 cfg_bswv_main_t::set_prbs_length(lib_unit_data_t *value)
{
    const int32 result = store_prbs_length(*value);
    copy_prbs_to_partner();
    cfg_reapply_prbs_wave(ch);
    return result;
}

int32 cfg_bswv_main_t::store_prbs_edge(lib_unit_data_t value)
{
    const int32 result = param_check.check_prbs_edge(&value.data, get_current_wave());
    store(&prbs_edge, value);
    return result;
}

int32 cfg_bswv_main_t::set_prbs_edge(lib_unit_data_t *value)
{
    const int32 result = store_prbs_edge(*value);
    copy_prbs_to_partner();
    cfg_apply_couple(ch);
    return result;
}

int32 cfg_bswv_main_t::recheck_prbs_edge()
{
    store_prbs_edge(prbs_edge);
    cfg_apply_couple(ch);
    return 1;
}

int32 cfg_bswv_main_t::set_prbs_link(int32 on)
{
    cfg_bswv_main_t *other = cfg_get_bswv_main(lib_other_ch(ch));
    prbs_link = on;
    if (on != 0)
    {
        other->prbs_link = on;
        if (on == 1)
            copy_prbs_to_partner();
    }
    else
    {
        reapply_polarity();
        other->prbs_link = 0;
        other->reapply_polarity();
    }
    return 1;
}
