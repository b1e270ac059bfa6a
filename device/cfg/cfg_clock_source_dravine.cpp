// cfg_clock_source_dravine_t: the second platform's clock source.
#include "cfg_clock_source_dravine.h"

#include "cfg_drv_port.h"

namespace
{
void clock_done(int32 status) { cfg_clock_switch_done(status); }
} // namespace

void cfg_clock_source_dravine_t::apply() { cfg_drv_set_clock_out_enable(out_enable); }

int32 cfg_clock_source_dravine_t::set_out_enable(int32 on)
{
    out_enable = on;
    apply();
    push_source();
    return 1;
}

void cfg_clock_source_dravine_t::push_source()
{
    cfg_drv_set_clock_source(source, clock_done);
    apply();
}
