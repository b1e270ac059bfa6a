#pragma once
// drv_wave_manage_zqw1000_t: the wave manager of a generator whose square cannot keep
// its edges above 12.5 MHz. No product creates it; the range checker recognises it by
// its type and then narrows the square duty.
#include "drv_wave_manage.h"

class drv_wave_manage_zqw1000_t : public drv_wave_manage_t
{
public:
    drv_wave_manage_zqw1000_t() = default;

    // 12.5 MHz.
    long double get_square_limit_freq() override;
};
