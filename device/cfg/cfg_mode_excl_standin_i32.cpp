// Stand-ins for the settings that the mode exclusion reads and switches off, until the
// sync object land: each setter stores and tells the
// exclusion object, as the real setters do.
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_sync.h"

int32 cfg_sync_t::set_enable(int32 on)
{
    enable = on;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_sync(source_ch, on);
    return 1;
}
