#pragma once
#include "lib_parallel.h"
#include "lib_types.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <omp.h>
#include <string>

// Shared pieces of the sample generators: chunk size, thread count, the split of a
// chunk into one contiguous block per thread, and the range-checked conversions.

// Samples computed and appended per step; bounds the memory of every generator.
constexpr uint32 CFG_GEN_CHUNK = 50000000;
// Parallel loops of the generators ask for at most this many threads, and for one per
// CFG_GEN_GRAIN samples only: a short waveform needs no team of eight.
constexpr int CFG_GEN_THREADS = 32;
constexpr uint64 CFG_GEN_GRAIN = 1u << 17;

// A file write failed: the previous samples are kept.
constexpr int CFG_GEN_WRITE_FAILED = -1;

// The cycle count as the generators read it: its low 16 bits.
inline uint32 cfg_gen_cycle16(uint32 cycle) { return cycle & 0xFFFFu; }

// Points per cycle of a periodic generator, n / c with that cycle count; 0 when the
// count reads as 0, which the generators refuse (code 2) like a period of no points.
inline uint32 cfg_gen_points_per_cycle(uint32 n, uint32 cycle)
{
    const uint32 c = cfg_gen_cycle16(cycle);
    return c == 0 ? 0 : n / c;
}

// Block [begin, end) of thread t out of T over n items: the first n mod T threads
// take one item more.
inline void cfg_gen_block(uint64 n, int t, int threads, uint64 &begin, uint64 &end)
{
    const uint64 q = n / uint64(threads);
    const uint64 rem = n % uint64(threads);
    const uint64 ut = uint64(t);
    begin = ut * q + (ut < rem ? ut : rem);
    end = begin + q + (ut < rem ? 1 : 0);
}

// Runs body(begin, end) on one contiguous block per thread.
template <typename F>
void cfg_gen_parallel(uint64 n, int threads, F body)
{
    if (n == 0)
        return;
    const int team = std::min(threads, lib_team_size(n, CFG_GEN_GRAIN));
#pragma omp parallel num_threads(team)
    {
        uint64 b = 0, e = 0;
        cfg_gen_block(n, omp_get_thread_num(), omp_get_num_threads(), b, e);
        if (b < e)
            body(b, e);
    }
}

// The same with the runtime's default thread count (as many as it offers).
template <typename F>
void cfg_gen_parallel_default(uint64 n, F body)
{
    if (n == 0)
        return;
#pragma omp parallel num_threads(lib_team_size(n, CFG_GEN_GRAIN))
    {
        uint64 b = 0, e = 0;
        cfg_gen_block(n, omp_get_thread_num(), omp_get_num_threads(), b, e);
        if (b < e)
            body(b, e);
    }
}

// Truncation toward zero into [lo, hi]; NaN gives 0. Parameters are stored unchecked,
// so every count derived from them goes through here before it becomes an integer.
int64 cfg_gen_trunc_i64(double v, int64 lo, int64 hi);
inline uint32 cfg_gen_trunc_u32(double v) { return static_cast<uint32>(cfg_gen_trunc_i64(v, 0, 0xFFFFFFFFll)); }

// Offset in points of a phase within a period of P points: trunc(P * phi / 360) for
// phi >= 0, trunc(P + P * phi / 360) below.
uint32 cfg_gen_phase_offset(uint32 p, float phase);

// Milliseconds since a time point, for the timing lines.
using cfg_gen_clock_t = std::chrono::steady_clock;
std::string cfg_gen_ms_since(cfg_gen_clock_t::time_point start);

// Memory for the work buffers could not be obtained: nothing was changed.
constexpr int CFG_GEN_NO_MEMORY = -9;
