#include "drv_output.h"

#include "drv_fpga.h"

#include <cmath>

namespace {

// The output state last switched per channel, for drv_restore_outputs.
int32 s_output_state[2] = {0, 0};

bool drv_is_channel(int32 ch)
{
    return ch == 0 || ch == 1;
}

void _drv_set_output(drv_fpga_t *fpga, int32 ch, int32 on)
{
    s_output_state[ch] = on;
    // Closing the relay waits for it to settle before the output is enabled.
    fpga->set_output_relay(ch, on);
    fpga->set_output_enable(ch, on);
}

} // namespace

void drv_output_reset_states()
{
    s_output_state[0] = 0;
    s_output_state[1] = 0;
}

int32 drv_set_output(drv_fpga_t *fpga, int32 hold, int32 ch, int32 on)
{
    if (!fpga || !drv_is_channel(ch))
        return 0;
    if (hold == 1 && on == 1) {
        fpga->begin_hold();
        _drv_set_output(fpga, ch, 1);
        fpga->end_hold();
    } else {
        _drv_set_output(fpga, ch, on);
    }
    return 1;
}

int32 drv_restore_outputs(drv_fpga_t *fpga, int32 hold)
{
    if (!fpga)
        return 0;
    const int32 state0 = s_output_state[0];
    const int32 state1 = s_output_state[1];
    const bool held = hold == 1 && (state0 == 1 || state1 == 1);
    if (held)
        fpga->begin_hold();
    _drv_set_output(fpga, 0, state0);
    _drv_set_output(fpga, 1, state1);
    if (held)
        fpga->end_hold();
    return 1;
}

int32 drv_set_output_relay(drv_fpga_t *fpga, int32 ch, int32 on)
{
    if (!fpga || !drv_is_channel(ch))
        return 0;
    fpga->set_output_relay(ch, on);
    return 1;
}

int32 drv_get_output_relay(drv_fpga_t *fpga, int32 ch)
{
    return fpga ? fpga->get_output_relay(ch) : 0;
}

void drv_open_output_relay(drv_fpga_t *fpga, int32 ch)
{
    drv_set_output_relay(fpga, ch, 0);
}

void drv_restore_output_relay(drv_fpga_t *fpga, int32 ch)
{
    if (drv_is_channel(ch))
        drv_set_output_relay(fpga, ch, s_output_state[ch]);
}

int32 drv_set_output_polarity(drv_fpga_t *fpga, int32 ch, int32 normal)
{
    if (!fpga || !drv_is_channel(ch))
        return 0;
    fpga->set_output_polarity(ch, normal);
    return 1;
}

int32 drv_get_output_polarity(drv_fpga_t *fpga, int32 ch)
{
    return fpga ? fpga->get_output_polarity(ch) : 0;
}

int32 drv_set_ch_trim_code(drv_fpga_t *fpga, int32 ch, int32 code)
{
    return fpga ? fpga->set_ch_trim_code(ch, code) : 0;
}

long double drv_db_to_ratio(long double db)
{
    return std::pow(10.0L, db / 20);
}
