#pragma once
// drv_amp_vextral_t: the USB module's amplitude and offset driver.
#include "drv_amp.h"

class drv_amp_vextral_t : public drv_amp_t
{
public:
    drv_amp_vextral_t() = default;
};
