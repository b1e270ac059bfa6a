// The mode exclusion's claim of the external modulation source, until the exclusion
// rules are built: nothing conflicts, so nothing is switched off.
#include "cfg_mode_excl.h"

int32 cfg_mode_excl_t::on_mod_source(int32, int32)
{
    return 1;
}
