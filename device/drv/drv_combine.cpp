#include "drv_combine.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"

namespace {

drv_fpga_t *drv_combine_fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

} // namespace

void drv_combine_t::set_combine(int32 ch, int32 on)
{
    drv_combine_fpga()->set_combine(ch, on);
}

int32 drv_combine_t::get_combine(int32 ch, int32 *on)
{
    uint32 bit = 0;
    drv_combine_fpga()->get_combine(ch, &bit);
    if (on)
        *on = static_cast<int32>(bit);
    return 1;
}

void drv_combine_t::set_combine_ratio(int32, long double weight)
{
    drv_combine_fpga()->set_combine_ratio(weight);
}
