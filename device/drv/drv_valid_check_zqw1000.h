#pragma once
// drv_valid_check_zqw1000_t: the range checker of the USB module.
#include "drv_valid_check.h"

class drv_valid_check_zqw1000_t : public drv_valid_check_t
{
public:
    drv_valid_check_zqw1000_t() = default;
};
