#include "drv_phase.h"

#include "drv_burst.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_state_query.h"
#include "drv_wave_data.h"
#include "gos.h"

namespace {

// Modulation type of ASK, which runs through the burst engine.
constexpr int32 DRV_MOD_TYPE_ASK = 4;
constexpr int32 DRV_RUN_MODE_BURST = 2;
// A start phase within this many degrees of 0 counts as cleared.
constexpr long double DRV_START_PHASE_ZERO = 0.001L;

// The phases restore_phase last re-applied, per channel, for the whole process.
long double s_restored_phase[2] = {0, 0};

drv_fpga_t *drv_phase_fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

drv_wave_data_t *drv_phase_store()
{
    return drv_instance_manage_t::get_instance()->get_wave_data();
}

bool drv_is_ask_on(int32 ch)
{
    return drv_mod_t::get_mod_type(ch) == DRV_MOD_TYPE_ASK && drv_mod_t::is_mod_on(ch) == 1;
}

bool drv_is_burst_run_mode(int32 ch)
{
    return drv_phase_fpga()->get_run_mode(ch) == DRV_RUN_MODE_BURST;
}

// The start phase as the burst functions adjust it.
long double drv_adjusted(int32 ch, long double deg)
{
    drv_burst_adjust_start_phase(ch, &deg);
    return deg;
}

} // namespace

bool drv_phase_t::normalize_phase(long double *deg)
{
    if (!deg)
        return false;
    if (*deg < -1e-13L) {
        *deg += 360;
        return true;
    }
    if (*deg >= 360) {
        *deg -= 360;
        return true;
    }
    return false;
}

void drv_phase_t::_set_continuous_phase(int32 ch, long double deg)
{
    if (!is_channel(ch))
        return;
    drv_fpga_t *fpga = drv_phase_fpga();
    if (_start_phase[ch] < -DRV_START_PHASE_ZERO || _start_phase[ch] > DRV_START_PHASE_ZERO) {
        _start_phase[ch] = 0;
        fpga->set_start_phase(ch, 0);
        sync_phase(ch);
    }
    fpga->set_phase_offset(ch, drv_adjusted(ch, deg));
}

int32 drv_phase_t::_set_burst_phase(int32 ch, long double deg)
{
    if (!is_channel(ch))
        return 0;
    drv_fpga_t *fpga = drv_phase_fpga();
    fpga->set_start_phase(ch, drv_adjusted(ch, deg));
    uint32 low = 0;
    uint32 high = 0;
    fpga->read_phase_offset_word(ch, &low, &high);
    if (low != 0 || high != 0)
        fpga->set_phase_offset(ch, 0);
    return 1;
}

void drv_phase_t::_set_phase_as_start(int32 ch, long double deg)
{
    if (!is_channel(ch))
        return;
    drv_fpga_t *fpga = drv_phase_fpga();
    fpga->set_start_phase(ch, drv_adjusted(ch, deg));
    fpga->set_phase_offset(ch, 0);
}

int32 drv_phase_t::_apply_phase(drv_fpga_t *fpga, int32 ch, long double start, long double deg)
{
    if (!is_channel(ch) || !fpga)
        return 0;
    if (is_start_phase_mode()) {
        const long double adjusted = drv_adjusted(ch, start);
        fpga->set_start_phase(ch, adjusted);
        // The FPGA's conversion raises a negative difference by one turn.
        fpga->set_phase_offset(ch, deg - adjusted);
    } else if (drv_is_burst_run_mode(ch)) {
        _set_burst_phase(ch, deg);
    } else {
        _set_continuous_phase(ch, deg);
    }
    return 1;
}

int32 drv_phase_t::set_phase(drv_fpga_t *fpga, int32 ch, long double deg)
{
    if (!is_channel(ch) || !fpga)
        return 0;
    long double p = deg;
    normalize_phase(&p);
    _phase[ch] = p;
    const long double start = _start_phase[ch];
    if (drv_is_ask_on(ch) || drv_burst_is_on(ch)) {
        _set_burst_phase(ch, p);
        return 1;
    }
    // A channel in sample-rate mode takes its phase as a start offset.
    if (drv_phase_store()->is_sample_rate_mode(fpga, ch) == 1)
        return 1;
    _apply_phase(fpga, ch, start, p);
    return 1;
}

int32 drv_phase_t::set_start_and_phase(drv_fpga_t *fpga, int32 ch, long double deg)
{
    if (!is_channel(ch) || !fpga)
        return 0;
    restore_phase();
    long double p = deg;
    normalize_phase(&p);
    _start_phase[ch] = p;
    set_phase(fpga, ch, p);
    return 1;
}

int32 drv_phase_t::set_phase_by_run_mode(int32 ch, long double deg)
{
    if (!is_channel(ch))
        return 0;
    long double p = deg;
    normalize_phase(&p);
    _phase[ch] = p;
    if (drv_is_ask_on(ch)) {
        _start_phase[ch] = p;
        drv_mod_t::set_phase_both(_start_phase[0], _start_phase[1]);
        return 1;
    }
    drv_fpga_t *fpga = drv_phase_fpga();
    if (drv_phase_store()->is_sample_rate_mode(fpga, ch) == 1)
        return 1;
    if (drv_is_burst_run_mode(ch)) {
        _start_phase[ch] = p;
        _set_burst_phase(ch, p);
    } else {
        _set_continuous_phase(ch, p);
    }
    return 1;
}

void drv_phase_t::restore_phase()
{
    if (is_start_phase_mode()) {
        _start_phase[0] = _phase[0];
        _start_phase[1] = _phase[1];
        _set_phase_as_start(0, _phase[0]);
        _set_phase_as_start(1, _phase[1]);
        s_restored_phase[0] = _phase[0];
        s_restored_phase[1] = _phase[1];
        return;
    }
    for (int32 ch = 0; ch < 2; ++ch) {
        const long double a = _phase[ch];
        if (drv_is_burst_run_mode(ch)) {
            _start_phase[ch] = a;
            s_restored_phase[ch] = a;
            _set_burst_phase(ch, a);
        } else if (!(a == s_restored_phase[ch])) {
            // The continuous branch leaves the remembered value as it was.
            _set_continuous_phase(ch, a);
        }
    }
}

int32 drv_phase_t::_set_sample_rate_phase(drv_fpga_t *fpga, int32 ch, long double deg)
{
    if (!is_channel(ch) || !fpga)
        return 0;
    const bool both = _couple == 1;
    if (both) {
        fpga->set_start_offset_load(0, 1);
        fpga->set_start_offset_load(1, 1);
    } else {
        fpga->set_start_offset_load(ch, 1);
    }
    drv_wave_data_t *store = drv_phase_store();
    const int32 offset = store->phase_to_offset(deg, store->get_wave_len(ch, 1));
    fpga->set_start_offset(ch, static_cast<uint32>(offset));
    fpga->begin_hold();
    if (both) {
        fpga->set_start_offset_load(0, 0);
        fpga->set_start_offset_load(1, 0);
    } else {
        fpga->set_start_offset_load(ch, 0);
    }
    fpga->end_hold();
    gos_printf("drv_phase_t::_set_sample_rate_phase--\n");
    return 1;
}

long double drv_phase_t::get_sample_rate_phase(int32, long double, long double deg)
{
    return deg;
}

int32 drv_phase_t::set_sample_rate_phase(drv_fpga_t *fpga, int32 ch, long double sample_rate, long double deg)
{
    if (!is_channel(ch) || !fpga)
        return 0;
    fpga->begin_hold();
    const long double d = get_sample_rate_phase(ch, sample_rate, deg);
    _set_sample_rate_phase(fpga, ch, d);
    gos_usleep(1000);
    fpga->end_hold();
    return 1;
}

void drv_phase_t::reapply_sample_rate_phase(int32 ch)
{
    if (is_channel(ch))
        _set_sample_rate_phase(drv_phase_fpga(), ch, _phase[ch]);
}

void drv_phase_t::sync_phase(int32 ch)
{
    drv_phase_fpga()->sync_phase(ch);
}

bool drv_phase_t::is_start_phase_mode()
{
    return drv_phase_fpga()->get_start_phase_mode() == 1;
}

void drv_phase_t::store_phase(int32 ch, long double deg)
{
    if (is_channel(ch))
        _phase[ch] = deg;
}

int32 drv_phase_t::read_phase(int32 ch, long double *deg) const
{
    if (!is_channel(ch) || !deg)
        return 0;
    *deg = _phase[ch];
    return 1;
}

long double drv_phase_t::get_phase(int32 ch) const
{
    return is_channel(ch) ? _phase[ch] : 0.0L;
}

void drv_phase_t::store_start_phase(int32 ch, long double deg)
{
    if (is_channel(ch))
        _start_phase[ch] = deg;
}

int32 drv_phase_t::read_start_phase(int32 ch, long double *deg) const
{
    if (!is_channel(ch) || !deg)
        return 0;
    *deg = _start_phase[ch];
    return 1;
}

long double drv_phase_t::get_start_phase(int32 ch) const
{
    return is_channel(ch) ? _start_phase[ch] : 0.0L;
}
