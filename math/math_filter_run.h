#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

class math_filter_kernel_t;

// Filters the first `count` samples of `src` into `dst`, in volts, in chunks, so a
// waveform of any length needs four chunk buffers of memory. A first pass finds the
// outputs' maximum and minimum, which decide the voltage window with which a second,
// identical pass turns them into samples: when the outputs leave the source's window,
// the result gets their span as amplitude and their middle as offset. `dst` takes the
// new samples, amplitude and offset only when everything worked.
// 0, or -1 when a file cannot be read or written, a buffer cannot be had, `count`
// exceeds the source or an output is not finite.
int math_filter_run(const lib_wv_data_t<short int> *src, uint32 count, math_filter_kernel_t &kernel,
                    lib_wv_data_t<short int> *dst);

// Samples per chunk, 1,048,576 unless a test puts seams into small files.
uint32 math_filter_chunk_size();
void math_filter_set_chunk_size(uint32 samples);
