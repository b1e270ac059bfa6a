#pragma once
// drv_clock_source_vextral_t: the USB module's clock source; the base behaviour.
#include "drv_clock_source.h"

class drv_clock_source_vextral_t : public drv_clock_source_t
{
public:
    drv_clock_source_vextral_t() = default;
};
