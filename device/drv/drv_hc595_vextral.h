#pragma once
// drv_hc595_vextral_t: the USB module's relay word, written to an FPGA register.
#include "drv_hc595.h"

class drv_hc595_vextral_t : public drv_hc595_t
{
public:
    drv_hc595_vextral_t() = default;
};
