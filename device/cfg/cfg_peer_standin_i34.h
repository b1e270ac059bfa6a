#pragma once
// Operations of the mode exclusion and the coupling object that the device-wide
// settings call, until those objects offer them.
#include "lib_types.h"

// cfg_mode_excl_t::check_sync_output: the sync output switched on (on 1) on channel ch
// switches off what cannot run with it. Nothing yet; 1.
int32 cfg_mode_excl_check_sync_output(int32 ch, int32 on);
// cfg_ch_couple_t::update_and_sync: FPGA update, then the phase synchronisation when
// the coupling's phase mode is 1; 1.
int32 cfg_couple_update_and_sync();
