#pragma once
#include "lib_types.h"

// Number of the next document window; it names new waveforms ("wave" + number) and only
// rises, by one per document window created.
extern int32 g_window_counter;
