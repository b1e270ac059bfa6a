#pragma once
// The frequency sweep of a channel, made with the FPGA's frequency-modulation path:
// the carrier is the centre frequency, the deviation half the span, and a 4096-sample
// profile plays once per sweep time as the modulating wave (rate 1 / time). Also the
// routing of a channel to the sync output. No state of their own; every function
// fetches the FPGA driver at the call. A channel other than 0 or 1 writes nothing.
//
// Trigger sources as the configuration layer numbers them: 0 internal, 1 external,
// 2 manual (the FPGA's field values 2, 0 and 1).
#include "lib_types.h"

// on 1: the modulation field becomes 4 (the value FM uses), the other bits kept.
// on 0: modulation off, triggered sweep off, trigger output off, and an internal
// trigger source again. Other values do nothing. 1.
int32 drv_sweep_set_switch(int32 ch, int32 on);
// The profile of a sweep (type 0 linear, 1 logarithmic; dir 0 rising, else falling)
// as the channel's modulating wave; another type loads nothing. The time is not used. 1.
int32 drv_sweep_set_wave(int32 ch, int32 type, int32 dir, long double start, long double stop, long double time);
// The deviation span / 2, then the carrier, then the strobe. 1.
int32 drv_sweep_set_center_span(int32 ch, long double centre, long double span);
// Both deviations before either carrier, one strobe (and one hold for hold 1). 1.
int32 drv_sweep_set_center_span_both(int32 hold, long double c0, long double s0, long double c1, long double s1);
// The modulating rate 1 / t as the 45-bit word trunc(r x 1e6 x 2^47 / 1.5e14); no
// strobe. A time of 0 gives an infinite rate, which converts to 0.
void drv_sweep_write_time(int32 ch, long double t);
// The time word and the strobe; with hold 1 inside an update hold while the channel's
// output relay is closed (the relay is read again before the release). 1.
int32 drv_sweep_set_time(int32 ch, long double t, int32 hold);
// Both channels' time words under one strobe (and one hold for hold 1). 1.
int32 drv_sweep_set_time_both(int32 hold, long double t0, long double t1);
// Trigger source, triggered-sweep bit and routing; every source then clears the
// external-modulation-source bit. An unknown source changes only that bit. 1.
int32 drv_sweep_set_trigger_source(int32 ch, int32 src);
// 1 external, 2 manual, 0 internal, from the trigger-source field.
int32 drv_sweep_get_trigger_source(int32 ch);
// The edge bit 9: 1 for edge 0, else 0. 1.
int32 drv_sweep_set_trigger_edge(int32 ch, int32 edge);
// The trigger output routed from the channel (on 1) or switched off (on 0). 1.
int32 drv_sweep_set_trig_out(int32 ch, int32 on);
// A manual trigger: register 84 written 0, then 1. 1.
int32 drv_sweep_trigger(int32 ch);
// Register 84 written 0, then 3. 1.
int32 drv_sweep_trigger_both();
// The channel's sync routing on (1) or off (0); switching on also clears the
// external-modulation-source bit. 1.
int32 drv_set_sync_output(int32 ch, int32 on);
