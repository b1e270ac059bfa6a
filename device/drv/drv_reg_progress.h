#pragma once
// The transport layer's progress callback: one process-wide pointer, null at load.
// The FPGA driver stores its caller's callback here; nothing in the transports calls
// it.
#include "lib_types.h"

// A progress report of three values (the second platform reports (2, 0, 0) up to
// (2, 100, 0) while it loads its bitstream).
typedef void (*drv_progress_cb_t)(int32 a, int32 b, int32 c);

void reg_set_progress_callback(drv_progress_cb_t callback);
// Calls the stored callback with the arguments, when there is one.
void reg_call_progress_callback(int32 a, int32 b, int32 c);
