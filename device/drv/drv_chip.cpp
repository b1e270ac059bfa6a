#include "drv_chip.h"

std::string drv_chip_t::get_chip_info()
{
    return _chip_info;
}

void drv_chip_t::set_chip_info(const std::string &info)
{
    _chip_info = info;
}
