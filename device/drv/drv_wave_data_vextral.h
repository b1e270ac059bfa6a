#pragma once
// drv_wave_data_vextral_t: the USB module's wave store.
#include "drv_wave_data.h"

class drv_wave_data_vextral_t : public drv_wave_data_t
{
public:
    drv_wave_data_vextral_t() = default;
};
