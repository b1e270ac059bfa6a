#pragma once
// cfg_time_base_cali_main_t: the time-base trim. For now it writes nothing.
#include "lib_types.h"

class cfg_time_base_cali_main_t
{
public:
    void init() {}
};
