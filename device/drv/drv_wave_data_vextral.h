#pragma once
// drv_wave_data_vextral_t: the USB module's wave store. A wave file or resource holds
// at most one DDS period of samples; the start-up load, which runs in the base class's
// constructor, still takes the base class's longer limit.
#include "drv_wave_data.h"

class drv_wave_data_vextral_t : public drv_wave_data_t
{
public:
    drv_wave_data_vextral_t() = default;

    // 16384.
    int32 get_max_wave_len() override { return 16384; }
};
