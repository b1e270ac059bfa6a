#pragma once
#include "lib_types.h"

// Samples per block of the streamed passes of the math engines (window functions,
// waveform arithmetic, equation compile): at most this many are in memory at a time.
constexpr uint32 LIB_MATH_BLOCK_SAMPLES = 50000000;

// The block length in force. Tests lower it so block seams show on small files; 0 goes
// back to LIB_MATH_BLOCK_SAMPLES.
uint32 lib_math_block_samples();
void lib_math_set_block_samples(uint32 samples);

// Work buffer length for `count` samples: never more than a block, never a whole
// block for a short waveform, at least 1.
uint64 lib_math_buffer_samples(uint64 count);

// Threads of the engines' parallel loops: what the runtime offers, at most 32.
int lib_math_threads();
