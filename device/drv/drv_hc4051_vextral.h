#pragma once
// drv_hc4051_vextral_t: the USB module's multiplexer, through an FPGA register.
#include "drv_hc4051.h"

class drv_hc4051_vextral_t : public drv_hc4051_t
{
public:
    drv_hc4051_vextral_t() = default;
};
