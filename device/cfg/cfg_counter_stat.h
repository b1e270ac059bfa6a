#pragma once
// cfg_counter_stat_t: a snapshot of one counter quantity's statistics (the leading six
// fields of cfg_counter_stat_calc_t), handed out by value.
#include "lib_types.h"
#include "lib_unit_data.h"

struct cfg_counter_stat_t
{
    lib_unit_data_t min{0.0L, 14, false};
    lib_unit_data_t max{0.0L, 14, false};
    lib_unit_data_t mean{0.0L, 14, false};
    lib_unit_data_t stdev{0.0L, 14, false};
    lib_unit_data_t range{0.0L, 14, false};
    int64 count = 0;
};
