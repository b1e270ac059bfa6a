// Stand-ins for the settings that the mode exclusion reads and switches off, until the
// modulation and sync objects land: each setter stores and tells the
// exclusion object, as the real setters do.
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_mode_excl.h"
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
