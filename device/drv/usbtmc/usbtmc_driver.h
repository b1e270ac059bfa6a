#pragma once
// The library's one USB-TMC device, reached through free functions with C linkage
// (not exported). usbtmc_init_driver creates the process-wide usbtmc_t; the register
// transport opens, closes, writes and reads through it, and the exports reach
// detection and re-initialisation. With no device created yet, usbtmc_open answers
// false, usbtmc_write -1, usbtmc_read and usbtmc_query store length 0, and
// usbtmc_close does nothing.
#include "lib_types.h"

extern "C" {

// Creates the device for those ids (low 16 bits) and an empty serial, printing
// "usbtmc_init_driver: vid = <vid>pid = <pid>"; does nothing once it exists.
void usbtmc_init_driver(int32 vendor_id, int32 product_id);
// Destroys the device (closing it when open).
void usbtmc_uninit_driver(void);
bool usbtmc_open(void);
void usbtmc_close(void);
// Sends length bytes as one message: bytes transferred (header and alignment
// included), 0 for length 0, -1 when not open, on a failed transfer or bad arguments.
int32 usbtmc_write(const char *data, int32 length);
// One reply: copies min(max_length as unsigned, reply length) bytes into buffer and
// stores the count (0 on any failure). The buffer is not terminated.
void usbtmc_read(char *buffer, int32 max_length, int32 *out_length);
// Prints "usbtmc_query:cmd = <command>", writes the command, reads the reply, copies
// like usbtmc_read and prints "usbtmc_query: back_buffer = <copied reply>". Both
// texts are printed by their length, up to a NUL.
void usbtmc_query(const char *command, int32 command_length, char *reply, uint32 max_length, int32 *reply_length);
// 1 when a device with the module's ids and a USB-TMC interface is on the bus. Only
// scans: nothing is opened, and a device held open stays as it is.
int32 usbtmc_device_detected(void);
// Marks the device closed (creating it first when needed) so that the next
// usbtmc_open scans, opens and claims it again. The argument is ignored.
void usbtmc_setinit(int32 ignored);

} // extern "C"
