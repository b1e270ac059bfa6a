// Stand-ins for the settings that the mode exclusion reads and switches off, until the
// modulation, sweep, burst and sync objects land: each setter stores and tells the
// exclusion object, as the real setters do.
#include "cfg_burst.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_mode_excl.h"
#include "cfg_sweep.h"
#include "cfg_sync.h"

int32 cfg_sync_t::set_enable(int32 on)
{
    enable = on;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_sync(source_ch, on);
    return 1;
}

int32 cfg_mod_main_t::set_source(int32 s)
{
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_mod_source(channel, s);
    source = s;
    return 1;
}

int32 cfg_sweep_t::set_trig_src(int32 src)
{
    trig_src = src;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_sweep_trigger_source(channel, src);
    return 1;
}

int32 cfg_sweep_t::set_trig_out(int32 v)
{
    trig_out = v;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_sweep_trig_out(channel, v);
    return 1;
}

int32 cfg_burst_t::set_trig_src(int32 src)
{
    trig_src = src;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_burst_trigger_source(channel, src);
    return 1;
}

int32 cfg_burst_t::set_trig_out(int32 v)
{
    trig_out = v;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_burst_trig_out(channel, v);
    return 1;
}
