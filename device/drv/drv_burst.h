#pragma once
// Burst functions of the driver layer.
#include "lib_types.h"

// The start phase a burst of the channel begins with. On the module no wave needs a
// different one: *deg stays as it is and the result is 0.
int32 drv_burst_adjust_start_phase(int32 ch, long double *deg);
