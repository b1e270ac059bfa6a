#pragma once
// drv_pulse_vextral_t: the USB module's pulse driver.
#include "drv_pulse.h"

class drv_pulse_vextral_t : public drv_pulse_t
{
public:
    drv_pulse_vextral_t() = default;
};
