#pragma once
// What the sweep and burst functions share: the module's FPGA, the external-trigger relay
// and the kinds of the trigger routing register.
#include "drv_fpga.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"

namespace drv_trig {

inline drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

inline void ext_relay_off()
{
    drv_instance_manage_t::get_instance()->get_hc595()->set_ext_relay(0);
}

inline bool is_channel(int32 ch)
{
    return ch == 0 || ch == 1;
}

// Trigger-output and sync-output kinds of the routing register.
constexpr int32 ROUTE_EXT_IN = 0;
constexpr int32 ROUTE_TRIG_OUT = 2;

} // namespace drv_trig
