#pragma once
// The burst of a channel, made by the FPGA's burst engine: a two-bit burst field
// (0 off, 1 N cycles, 2 gated, 3 infinite), a 32-bit cycle count, a delay in ticks of
// 150 MHz, the period as the rate of the channel's modulating DDS, and the trigger
// source, edge or gate polarity and trigger-output routing. No state of their own;
// every function fetches the FPGA driver at the call, and only drv_burst_set_both
// strobes. A channel other than 0 or 1 writes nothing. Each returns 1.
//
// Trigger sources as the configuration layer numbers them: 0 internal, 1 external,
// 2 manual (the FPGA's field values 2, 0 and 1).
#include "lib_types.h"

// on 0: burst field 0. on 1: control bit 10 cleared, modulation off, and the 50 % square,
// inverted, as the modulating wave (the burst field is left to drv_burst_set_mode).
// Other values do nothing.
int32 drv_burst_set_switch(int32 ch, int32 on);
// The start phase of each channel whose burst is on (channel 0 first).
int32 drv_burst_set_phase(long double p0, long double p1);
// Both carriers, both delays, and the period (rate 1 / period) of each channel whose
// burst is on, then one strobe; inside an update hold for hold 1. The pointers are
// carrier 0, carrier 1, delay 0, delay 1, period 0, period 1; a null one is skipped.
int32 drv_burst_set_both(int32 hold, const long double *carrier0, const long double *carrier1,
                         const long double *delay0, const long double *delay1, const long double *period0,
                         const long double *period1);
// Mode 0 (N cycles) gives field 1, any other mode (gated) field 2; inside an update
// hold for hold 1.
int32 drv_burst_set_mode(int32 hold, int32 ch, int32 mode);
// -1: field 3 (infinite), the count registers untouched; otherwise the count, the
// field unchanged.
int32 drv_burst_set_cycles(int32 ch, int32 n);
// trunc(seconds / (1 / 150 MHz)) ticks, in extended precision.
int32 drv_burst_set_delay(int32 ch, long double seconds);
// Routing and field of the source (an unknown one gives field 0), then the external-
// modulation-source bit cleared; inside an update hold for hold 1.
int32 drv_burst_set_trigger_source(int32 hold, int32 ch, int32 src);
// 1 external, 2 manual, 0 internal, from the trigger-source field.
int32 drv_burst_get_trigger_source(int32 ch);
// Remembers the mode, then: 0 output on with bit 9 = 1, 1 output on with bit 9 = 0,
// 2 output off with bit 9 = 1; other modes nothing further.
int32 drv_burst_set_trig_out(int32 ch, int32 mode);
// Bit 9 = pol for pol 0 or 1; other values write nothing.
int32 drv_burst_set_gate_polarity(int32 ch, int32 pol);
// Bit 9 = 1 for edge 0, 0 for edge 1; other values write nothing.
int32 drv_burst_set_trigger_edge(int32 ch, int32 edge);
// Bit 9 inverted for 1 ms and restored: a software edge on the trigger input.
int32 drv_burst_toggle_trigger_edge(int32 ch);
// Register 84 written 0, then 1.
int32 drv_burst_trigger(int32 ch);
// Register 84 written 0, then 3.
int32 drv_burst_trigger_both();
