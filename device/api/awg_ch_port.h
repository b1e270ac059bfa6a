#pragma once
// What the API reaches of the configuration layer: the channel commands (always with
// channel 0) and the overload query.
#include "lib_ch.h"
#include "lib_types.h"

// 1 when the amplitude re-apply reports an overload for v, else 0.
uint8 cfg_check_overload_status(int v);
