#pragma once
// The register front end of the drivers and its write trace. Every register access of
// a driver is one call here, made on the instance manager's register transport (the
// first call builds the driver layer). Callers widen register numbers and values to 64
// bits (signed values sign-extended); the transport gets the low 32 bits.
//
// While the trace is on, each write is recorded before it is made, as the line
// "0x<address>,0x<value>\n" in lowercase hexadecimal of all 64 bits without leading
// zeros, whether or not the write reaches the module. Reads are never recorded.
#include "lib_types.h"

#include <string>

// The register value (sign-extended transport result).
int64 drv_fpga_read_reg(uint64 address);
// The transport's result.
int32 drv_fpga_write_reg(uint64 address, uint64 value);
// Empties the trace text, then switches the trace on (non-zero) or off.
void drv_fpga_set_reg_trace(int32 on);
// The trace text itself, valid for the life of the library.
std::string *drv_fpga_get_reg_trace();
// Forgets the cached transport and switches the trace off with an empty text, as at
// load; called when the instance manager is destroyed. Internal: not exported.
void drv_reg_access_reset();
