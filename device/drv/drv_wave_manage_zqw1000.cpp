#include "drv_wave_manage_zqw1000.h"

long double drv_wave_manage_zqw1000_t::get_square_limit_freq()
{
    return 12500000.0L;
}
