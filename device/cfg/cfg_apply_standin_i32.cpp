// Stand-ins for the sine apply and the whole-channel apply, until the apply functions
// land: the sine goes to the driver with its wave data, the channel re-applies its
// current wave.
#include "cfg_apply.h"

#include "cfg_apply_record.h"
#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "drv_interface.h"

#include <vector>

int32 cfg_apply_sine_wave(int32 ch, bool full_rule)
{
    constexpr int32 WAVE_SINE = 0;
    drv_wave_para_t para = cfg_build_wave_para(ch, WAVE_SINE);
    std::vector<int16> samples;
    cfg_get_bswv_main(ch)->get_wave_data(&samples);
    para.wave_data = &samples;
    return drv_interface_t::get_instance()->set_sine_wave(cfg_wave_call_hold(ch, WAVE_SINE, full_rule), ch, &para);
}

void cfg_apply_channel(int32 ch)
{
    cfg_get_bswv_main(ch)->apply_current_wave(false);
}
