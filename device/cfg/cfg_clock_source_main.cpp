// cfg_clock_source_main_t and the completion callback of a clock switch.
#include "cfg_clock_source_main.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_ch_couple.h"
#include "drv_interface.h"
#include "gos.h"

namespace
{
constexpr int32 MSG_CLOCK = 1;

// The driver's callback type returns nothing.
void clock_done(int32 status) { cfg_clock_switch_done(status); }
} // namespace

int32 cfg_clock_switch_done(int32 status)
{
    if (status < 0)
    {
        cfg_main_t::get_instance()->post_message(MSG_CLOCK, 0, 0);
        return 0;
    }
    for (int32 ch : {0, 1})
    {
        cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
        const int32 type = bswv->get_wave_type();
        cfg_drv_mark_arb_reload(ch, true);
        gos_usleep(5000);
        bswv->set_wave_type(type);
    }
    if (cfg_ch_couple_t *couple = cfg_get_couple())
        return couple->update_and_sync();
    drv_interface_t::get_instance()->update_fpga();
    return 1;
}

void cfg_clock_source_main_t::init()
{
    set_source(source);
    set_out_enable(out_enable);
}

void cfg_clock_source_main_t::reapply()
{
    apply();
    set_source(source);
}

void cfg_clock_source_main_t::apply() { cfg_drv_set_clock_out_enable(out_enable == 1 && source == 0 ? 1 : 0); }

int32 cfg_clock_source_main_t::set_source(int32 src)
{
    source = src;
    apply();
    push_source();
    return 1;
}

int32 cfg_clock_source_main_t::set_out_enable(int32 on)
{
    out_enable = source == 1 ? 0 : on;
    apply();
    push_source();
    return 1;
}

void cfg_clock_source_main_t::push_source()
{
    const int32 r = cfg_drv_set_clock_source(source, clock_done);
    if (r < 0)
    {
        source = 0;
        cfg_drv_set_clock_source(0, clock_done);
    }
    else if (source == 1)
    {
        out_enable = 0;
    }
    apply();
}

int32 cfg_clock_source_main_t::check_external()
{
    if (cfg_drv_get_clock_source() != 0)
        return 1;
    cfg_main_t::get_instance()->post_message(MSG_CLOCK, 0, 0);
    set_source(0);
    apply();
    return 0;
}

int32 cfg_clock_source_main_t::is_product_supported() const
{
    const int32 product = cfg_drv_get_product_id();
    return product == 1 || product == 2 || product == 3 ? 0 : 1;
}
