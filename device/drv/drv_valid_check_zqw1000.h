#pragma once
// drv_valid_check_zqw1000_t: the range checker the USB module is given. It narrows
// the square duty only for the wave manager whose square cannot keep its edges at high
// frequencies (drv_wave_manage_zqw1000_t); with any other wave manager, the USB
// module's included, the limits stay as the caller set them.
#include "drv_valid_check.h"

class drv_wave_manage_t;

class drv_valid_check_zqw1000_t : public drv_valid_check_t
{
public:
    drv_valid_check_zqw1000_t() = default;

    // Above the wave manager's square limit frequency and up to 40 MHz: 41 to 59 %;
    // above 40 MHz: 50 %. Ordered comparisons, so a NaN frequency changes nothing.
    void check_square_duty(long double *min_duty, long double *max_duty, long double hz) override;

    // The same rule against a given wave manager (check_square_duty passes the instance
    // manager's); null limits or a null manager change nothing.
    static void narrow_square_duty(drv_wave_manage_t *manage, long double *min_duty, long double *max_duty,
                                   long double hz);
};
