#pragma once
// drv_data_pattern_t: the data-pattern holder: the sample-mode flag of each channel.
#include "lib_types.h"

class drv_data_pattern_t
{
public:
    drv_data_pattern_t() = default;

private:
    int32 _sample_mode[2] = {1, 1};
};
