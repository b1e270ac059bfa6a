#pragma once
// The second platform's 24-bit serial device, which has no class of its own: its
// words (value | register, the register number in the low bits) go to the FPGA's
// serial bus with 24-bit frames on base word 0xFFB0.
#include "lib_types.h"

class drv_fpga_t;

// The FPGA driver the device is reached through (the instance manager's).
drv_fpga_t *drv_chip24_get_instance();
void drv_chip24_write_reg(uint32 reg, uint32 value);
// The low byte of the serial read.
int32 drv_chip24_read_reg(uint32 reg);
// (1, 200), (0, 4206976), 20 ms, (2, 96000), 5 ms: the words 201, 4206976, 96002.
void drv_chip24_init();
