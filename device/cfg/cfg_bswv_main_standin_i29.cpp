// Operations of the frequency, noise, PRBS-link, harmonic and wave-data topics that the
// wave-type selection and the sine apply call, until those topics land: each does the
// part the selection relies on and nothing more.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "drv_interface.h"

// The effective frequency checked against the current wave's limits and stored again
// (the sample-rate path and the frequency coupling are left to their topic).
void cfg_bswv_main_t::restore_freq()
{
    if (is_arb_sample_rate_mode() == 1)
        return;
    lib_unit_data_t f{};
    get_freq(&f);
    param_check.check_freq(ch, &f.data, get_current_wave());
    store(&freq, f);
}

void cfg_bswv_main_t::recheck_for_wave_type()
{
}

// The link on both channels; switching it off re-applies both channels' polarity.
int32 cfg_bswv_main_t::set_prbs_link(int32 on)
{
    cfg_bswv_main_t *other = cfg_get_bswv_main(ch == 0 ? 1 : 0);
    prbs_link = on;
    if (on != 0)
    {
        other->prbs_link = on;
        return 1;
    }
    reapply_polarity();
    other->prbs_link = 0;
    other->reapply_polarity();
    return 1;
}

// The bandwidth checked and stored, then the noise wave applied.
int32 cfg_bswv_main_t::set_noise_bandwidth(lib_unit_data_t value)
{
    const int32 k = param_check.check_noise_bandwidth(&value.data, get_current_wave());
    store(&noise_bandwidth, value);
    cfg_apply_noise_wave(ch);
    return k;
}

void cfg_bswv_main_t::check_harmonic_limits()
{
}

// The sine's samples: the harmonic sum while harmonics are on, else built-in wave 0.
int32 cfg_bswv_main_t::get_wave_data(std::vector<int16> *out)
{
    if (wave_type != 0)
        return -13;
    if (harmonic_switch == 1)
        *out = harmonic_samples;
    else
        drv_interface_t::get_instance()->get_builtin_wave_data(0, *out, 0.0f);
    return 0;
}
