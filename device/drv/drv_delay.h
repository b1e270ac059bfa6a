#pragma once
// The driver layer's delays. Every one ends in the OS layer's millisecond sleep
// (gos_sleep_ms) with the whole milliseconds given below, 0 included.
#include "lib_types.h"

// seconds x 1000 ms (at most 2^32 - 1 ms).
void drv_sleep(uint32 seconds);
// The milliseconds truncated toward zero: 2.9 waits 2 ms, 0.9 does not wait. Values
// that are negative, not a number or beyond 32 bits wait 0 ms.
void drv_msleep(long double milliseconds);
// microseconds / 1000 ms: below 1000 us no wait.
void drv_usleep(uint32 microseconds);
// count waits of 1 ms each.
void drv_mdelay(uint32 count);
