#include "lib_math_block.h"

#include <atomic>

namespace {
std::atomic<uint32> g_block{LIB_MATH_BLOCK_SAMPLES};
} // namespace

uint32 lib_math_block_samples()
{
    return g_block.load();
}

void lib_math_set_block_samples(uint32 samples)
{
    g_block.store(samples == 0 ? LIB_MATH_BLOCK_SAMPLES : samples);
}

uint64 lib_math_buffer_samples(uint64 count)
{
    return std::max<uint64>(1, std::min<uint64>(count, lib_math_block_samples()));
}

int lib_math_threads(uint64 samples, uint64 parallel_min)
{
    if (samples < parallel_min)
        return 1;
    return std::max(1, std::min(32, omp_get_max_threads()));
}
