#pragma once
// drv_wave_manage_vextral_t: the USB module's wave manager.
#include "drv_wave_manage.h"

class drv_wave_manage_vextral_t : public drv_wave_manage_t
{
public:
    drv_wave_manage_vextral_t() = default;
};
