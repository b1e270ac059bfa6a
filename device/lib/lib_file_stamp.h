#pragma once
// A short text that changes whenever a file is saved again, so that callers can tell a
// re-saved file from the one they loaded before.
#include "lib_types.h"

// Writes 16 hexadecimal digits (no terminator) derived from the file's modification
// time in nanoseconds and its size, and returns 1; returns -1 with nothing written
// when the file cannot be examined or an argument is null.
int32 lib_get_file_stamp(const char *path, char stamp[16]);
