#pragma once
// drv_valid_check_t: the range checker: limits that depend on the hardware. The base
// narrows nothing.
class drv_valid_check_t
{
public:
    drv_valid_check_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_valid_check_t() = default;

    // The square wave's duty limits (percent) at hz: narrowed in place or left alone.
    virtual void check_square_duty(long double *min_duty, long double *max_duty, long double hz);
};
