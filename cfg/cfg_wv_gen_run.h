#pragma once
#include "cfg_if_wv.h"
#include "cfg_wv_gen.h"
#include "cfg_wv_sample_sink.h"
#include "lib_diag.h"

#include <algorithm>
#include <memory>
#include <new>

// Which timing lines a generator prints: none, "contain use " and "write use " per
// chunk, or those and "total time" at the end.
enum class cfg_gen_diag_t { none, chunk, chunk_total };

// Uninitialised work memory (it is overwritten whole before use); empty when it cannot
// be obtained.
template <typename T>
std::unique_ptr<T[]> cfg_gen_alloc(uint64 count)
{
    return std::unique_ptr<T[]>(new (std::nothrow) T[std::size_t(count ? count : 1)]);
}

// Puts the written samples in place and copies the object's amplitude and offset into
// its record; the frequency stays.
int cfg_gen_finish(cfg_if_wv_t &wv, cfg_wv_sample_sink_t &sink);

// Fills buf[p, len) with repeats of buf[0, p): one contiguous block per thread.
void cfg_gen_repeat_period(short int *buf, uint64 p, uint64 len);

// The common procedure: announces and empties the record's file, computes the n
// samples chunk by chunk into one reused buffer (compute(buffer, first index, count),
// called for consecutive chunks in order), appends each chunk, copies amplitude and
// offset and returns 0. A generator whose sample k depends on k mod period only passes
// the period: each chunk then computes one period and repeats it.
template <typename F>
int cfg_gen_run(cfg_if_wv_t &wv, uint64 n, cfg_gen_diag_t diag, F compute, uint64 period = 0)
{
    cfg_wv_sample_sink_t sink(*wv.get_wv_data(), true);
    auto buf = cfg_gen_alloc<short int>(std::min<uint64>(n, CFG_GEN_CHUNK));
    if (!buf)
        return CFG_GEN_NO_MEMORY;
    const auto t0 = cfg_gen_clock_t::now();
    for (uint64 first = 0; first < n;) {
        const uint32 len = uint32(std::min<uint64>(n - first, CFG_GEN_CHUNK));
        auto t = cfg_gen_clock_t::now();
        if (period > 0 && period < len) {
            compute(buf.get(), first, uint32(period));
            cfg_gen_repeat_period(buf.get(), period, len);
        } else {
            compute(buf.get(), first, len);
        }
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("contain use " + cfg_gen_ms_since(t));
        t = cfg_gen_clock_t::now();
        if (!sink.append(buf.get(), len))
            break;
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("write use " + cfg_gen_ms_since(t));
        first += len;
    }
    if (diag == cfg_gen_diag_t::chunk_total)
        lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return cfg_gen_finish(wv, sink);
}
