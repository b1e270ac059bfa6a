#include "drv_counter.h"

#include "cali.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "lib_trunc.h"

namespace {

drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

} // namespace

int32 drv_counter_restart()
{
    fpga()->restart_counter();
    return 1;
}

int32 drv_counter_get_count(long double *out)
{
    fpga()->get_counter_value(out);
    return 1;
}

int32 drv_counter_get_period(long double *out)
{
    fpga()->get_counter_period(out);
    return 1;
}

int32 drv_counter_get_pulse_width(long double *out, long double hz)
{
    fpga()->get_counter_pulse_width(out, hz);
    return 1;
}

int32 drv_counter_count_valid()
{
    return fpga()->get_counter_count_valid();
}

int32 drv_counter_period_valid()
{
    return fpga()->get_counter_period_valid();
}

int32 drv_counter_set_level_dac(int32 code)
{
    fpga()->set_counter_level_dac(code);
    return 1;
}

int32 drv_counter_get_level_dac(uint32 *out)
{
    return fpga()->get_counter_level_dac(out);
}

int16 drv_counter_level_to_dac(long double code)
{
    return lib_trunc_i16(code);
}

int32 drv_counter_set_trigger_level(long double volts)
{
    const int16 code = drv_counter_level_to_dac(cali_get_instance()->get_counter_level_code(volts));
    fpga()->set_counter_level_dac(static_cast<int32>(code));
    return 1;
}
