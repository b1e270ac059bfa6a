#include "drv_valid_check.h"

#include "drv_instance_manage.h"
#include "drv_valid_check_zqw1000.h"
#include "drv_wave_manage_zqw1000.h"

void drv_valid_check_t::check_square_duty(long double *, long double *, long double) {}

void drv_valid_check_zqw1000_t::check_square_duty(long double *min_duty, long double *max_duty, long double hz)
{
    narrow_square_duty(drv_instance_manage_t::get_instance()->get_wave_manage(), min_duty, max_duty, hz);
}

void drv_valid_check_zqw1000_t::narrow_square_duty(drv_wave_manage_t *manage, long double *min_duty,
                                                   long double *max_duty, long double hz)
{
    if (dynamic_cast<drv_wave_manage_zqw1000_t *>(manage) == nullptr || min_duty == nullptr || max_duty == nullptr)
        return;
    const long double limit = manage->get_square_limit_freq();
    if (hz > limit && hz <= 40000000.0L) {
        *max_duty = 59.0L;
        *min_duty = 41.0L;
    } else if (hz > 40000000.0L) {
        *max_duty = 50.0L;
        *min_duty = 50.0L;
    }
}
