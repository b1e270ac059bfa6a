#pragma once
// drv_square_t: the square driver. A square is made either as a DDS table of one
// period with the duty built in (modulation and sweep, and first of all on a combined
// channel) or by the FPGA pulse generator with the square's edges, its width the duty's
// share of the period (burst and continuous). It holds no state; it fetches the drivers
// it needs at each call. A channel other than 0 or 1 gets nothing written.
//
// The 2 virtual operations keep this order.
#include "lib_types.h"

struct drv_square_para_t;

class drv_square_t
{
public:
    drv_square_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_square_t() = default;

    // 0: channel 0, then channel 1, then one update strobe.
    virtual void set_duty_both(const drv_square_para_t *ch0, const drv_square_para_t *ch1);
    // 1: the channel, then the update strobe.
    virtual void set_duty(int32 ch, const drv_square_para_t *para);

    // The table when the channel is combined; then by the run mode (compared as
    // unsigned): 0 and 1 the table, anything else the pulse generator.
    void apply(int32 ch, const drv_square_para_t *para);
    // The DDS datapath and one period of the duty's square as the channel's wave.
    void set_table_square(int32 ch, const long double *duty);
    // The pulse generator with width (1 / hz) x (duty / 100), then the rise edge and
    // the fall edge.
    void set_pulse_square(int32 ch, long double duty, long double rise, long double fall, long double hz);
    // Pulse mode (1 the pulse generator, 0 the DDS), noise mode off, sample-rate mode off.
    void select_path(int32 ch, int32 pulse);
};
