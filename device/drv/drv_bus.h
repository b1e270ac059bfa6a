#pragma once
// Start-up and close of the register transport, the serial bus behind the FPGA and
// the kernel-module loader. The transport is the instance manager's.
//
// The serial bus: three devices on FPGA register 240 (bit 0 clock, bit 1 data, the
// other bits each device's select lines, idle word 0xFFFE):
//   device 0: 24-bit words, base word 0xFFB0
//   device 1: 16-bit words, base word 0xFFE8
//   device 2: 16-bit words, base word 0xFFD8
#include "lib_types.h"

#include <string>

// Prints "void drv_spi_init(void) " and "void drv_spi_init(void)  2", then inits the
// transport again unless it keeps the base init (which only answers 1). The result is
// not used: a transport that did not open drops writes and reads 0.
void drv_spi_init();
// Closes the transport unless it keeps the base close (which does nothing).
void drv_spi_uninit();
// Sends value's low 24 or 16 bits to the device, most significant bit first: the idle
// word, then per bit a clock-low and a clock-high word, the last clock-low word again,
// then the idle word (three word-list writes). A device other than 0, 1 or 2 sends
// nothing.
void drv_serial_write(int32 device, uint32 value);
// drv_serial_write, then register 242 read through the transport (1 when the transport
// keeps the base register read).
int32 drv_serial_write_read(int32 device, uint32 value);
// Start-up words of device 0: 801, 4206976, 20 ms, 384002, 5 ms.
void drv_serial_dev0_init();
// Runs "insmod <prefix><module>;" through gos_system, the prefix being gos_getcwd's
// (empty on this platform), after printing the command as
// [shell cmd]:"<command>". Returns the command's result.
int32 drv_insmod(const std::string &module);
