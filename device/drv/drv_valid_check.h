#pragma once
// drv_valid_check_t: the range checker: limits that depend on the hardware.
class drv_valid_check_t
{
public:
    drv_valid_check_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_valid_check_t() = default;
};
