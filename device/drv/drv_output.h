#pragma once
// The channel output switch: each channel's output relay and output-enable bit,
// switched in a fixed order (relay closed and settled before the output is enabled,
// relay opened before it is disabled), with each channel's last state remembered so
// that the outputs can be restored. Also the output polarity, the calibration trim
// and the decibel conversion of the amplitude driver.
//
// Channels are 0 and 1; another channel writes nothing and a status result is 0.
#include "lib_types.h"

class drv_fpga_t;

// Remembers the state, then relay and enable; with hold 1 switching on runs inside an
// FPGA update hold. 1.
int32 drv_set_output(drv_fpga_t *fpga, int32 hold, int32 ch, int32 on);
// Both channels' remembered states again, channel 0 first, inside a hold when hold is
// 1 and either is on. 1.
int32 drv_restore_outputs(drv_fpga_t *fpga, int32 hold);
// The output relay alone (closing it waits 5 ms); the remembered state stays. 1.
int32 drv_set_output_relay(drv_fpga_t *fpga, int32 ch, int32 on);
int32 drv_get_output_relay(drv_fpga_t *fpga, int32 ch);
// The relay opened, or set to the remembered state.
void drv_open_output_relay(drv_fpga_t *fpga, int32 ch);
void drv_restore_output_relay(drv_fpga_t *fpga, int32 ch);
// normal non-zero: the output not inverted. 1.
int32 drv_set_output_polarity(drv_fpga_t *fpga, int32 ch, int32 normal);
// 1 when the output is not inverted.
int32 drv_get_output_polarity(drv_fpga_t *fpga, int32 ch);
// The channel's calibration trim code; 1.
int32 drv_set_ch_trim_code(drv_fpga_t *fpga, int32 ch, int32 code);
// 10^(db / 20).
long double drv_db_to_ratio(long double db);
// Forgets the remembered states (both off, as at load); called when the driver layer is
// dropped. Internal: not exported.
void drv_output_reset_states();
