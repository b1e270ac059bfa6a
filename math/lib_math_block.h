#pragma once
#include "cfg_wv_gen.h"
#include "lib_types.h"

#include <algorithm>
#include <omp.h>

// Samples per block of the streamed passes of the math engines (window functions,
// waveform arithmetic, equation compile): at most this many are in memory at a time.
// The file layer allows blocks of up to 50,000,000 samples; a block this small keeps
// its buffers in the processor's cache and spares the page faults of fresh buffers of
// hundreds of megabytes, at no cost in file operations.
constexpr uint32 LIB_MATH_BLOCK_SAMPLES = 1u << 20;

// The block length in force. Tests lower it so block seams show on small files; 0 goes
// back to LIB_MATH_BLOCK_SAMPLES.
uint32 lib_math_block_samples();
void lib_math_set_block_samples(uint32 samples);

// Work buffer length for `count` samples: never more than a block, never a whole
// block for a short waveform, at least 1.
uint64 lib_math_buffer_samples(uint64 count);

// Threads of the engines' parallel loops: what the runtime offers, at most 32; one for
// fewer than parallel_min samples, too little work to be worth waking the others.
int lib_math_threads(uint64 samples, uint64 parallel_min = 1u << 16);

// Streams n samples block by block with every block split among the threads by the
// system's rule (one contiguous run per thread, the first count mod T threads one
// sample more). Each thread calls work(thread, block_first, begin, end) for its run
// [begin, end) of the block starting at sample block_first, on its own: nothing waits
// between blocks, so a thread the system holds back delays only its own runs. Returns
// false when any call did; a thread stops at its first failure.
template <typename F>
bool lib_math_stream_blocks(uint64 n, F work)
{
    const uint64 block = lib_math_block_samples();
    const int threads = lib_math_threads(n);
    bool ok = true;
#pragma omp parallel num_threads(threads) reduction(&& : ok)
    {
        const int t = omp_get_thread_num();
        const int count = omp_get_num_threads();
        for (uint64 first = 0; first < n && ok; first += block) {
            uint64 begin = 0, end = 0;
            cfg_gen_block(std::min(block, n - first), t, count, begin, end);
            if (begin < end)
                ok = work(t, first, begin, end);
        }
    }
    return ok;
}
