// cfg_reapply_t: range selection at start-up and the overload reset.
#include "cfg_reapply.h"

#include "cfg_bswv_main.h"
#include "lib_instance_slot.h"
#include "cfg_main.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_interface.h"

namespace
{
constexpr int32 WAVE_DC = 5;

// The range word of one channel: from the DC level for a DC wave, else from the
// amplitude and offset (the attenuation record the driver fills is not used).
int32 range_word(int32 ch, int32 type, const lib_unit_data_t &ampl, const lib_unit_data_t &offset)
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    if (type == WAVE_DC)
        return drv->select_dc_range_word(ch, offset.data);
    drv_fpga_atten_t scratch{};
    return drv->select_amp_range_word(ampl.data, offset.data, &scratch);
}
} // namespace

namespace
{
lib_instance_slot_t<cfg_reapply_t> s_reapply;
} // namespace

cfg_reapply_t *cfg_reapply_t::get_instance()
{
    return s_reapply.get();
}

void cfg_reapply_t::reset_instance()
{
    s_reapply.reset();
}

int32 cfg_reapply_t::apply_ranges()
{
    cfg_bswv_main_t *b0 = cfg_get_bswv_main(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    const int32 t0 = b0->get_wave_type();
    const int32 t1 = b1->get_wave_type();
    lib_unit_data_t a0{}, o0{}, a1{}, o1{};
    b0->get_ampl(&a0);
    b0->get_offset(&o0);
    b1->get_ampl(&a1);
    b1->get_offset(&o1);
    const int32 r0 = range_word(0, t0, a0, o0);
    const int32 r1 = range_word(1, t1, a1, o1);
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_amp_range(0, r0);
    drv->set_amp_range(1, r1);
    const int32 res = drv->reset_overload(0);
    overload_reset = 0;
    return res;
}

int32 cfg_reapply_t::set_overload_reset(int32 v)
{
    drv_interface_t::get_instance()->reset_overload(v);
    overload_reset = v;
    return 1;
}

bool cfg_reapply_t::is_overload_status(int32 v)
{
    // The driver leaves the status untouched exactly when it reports none.
    constexpr uint32 NO_STATUS = 0xffffffffu;
    uint32 state = NO_STATUS;
    drv_interface_t::get_instance()->get_overload_state(&state);
    if (state == NO_STATUS)
        return false;
    return state == static_cast<uint32>(v);
}

int32 cfg_set_overload_reset(int32 v)
{
    return cfg_reapply_t::get_instance()->set_overload_reset(v);
}

int32 cfg_get_overload_reset()
{
    return cfg_reapply_t::get_instance()->get_overload_reset();
}

uint8 cfg_check_overload_status(int32 v)
{
    return cfg_reapply_t::get_instance()->is_overload_status(v) ? 1 : 0;
}
