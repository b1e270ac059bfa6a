#pragma once
// What the API reaches of the configuration layer: the channel commands (always with
// channel 0) and the overload query.
#include "cfg_reapply.h"
#include "lib_ch.h"
#include "lib_types.h"
