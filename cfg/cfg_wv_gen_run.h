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

// The common procedure: announces and empties the record's file, computes the n
// samples chunk by chunk into one reused buffer (compute(buffer, first index, count),
// called for consecutive chunks in order), appends each chunk, copies amplitude and
// offset and returns 0. A generator whose sample k depends on k mod period only passes
// the period: each chunk then computes one period and writes it repeatedly.
template <typename F>
int cfg_gen_run(cfg_if_wv_t &wv, uint64 n, cfg_gen_diag_t diag, F compute, uint64 period = 0)
{
    cfg_wv_sample_sink_t sink(*wv.get_wv_data(), true);
    const uint64 chunk_max = std::min<uint64>(n, CFG_GEN_CHUNK);
    const bool repeat = period > 0 && period < chunk_max;
    // A repeated period is written straight from one copy of it.
    auto buf = cfg_gen_alloc<short int>(repeat ? period : chunk_max);
    if (!buf)
        return CFG_GEN_NO_MEMORY;
    const auto t0 = cfg_gen_clock_t::now();
    for (uint64 first = 0; first < n;) {
        const uint32 len = uint32(std::min<uint64>(n - first, CFG_GEN_CHUNK));
        const bool rep = repeat && period < len;
        auto t = cfg_gen_clock_t::now();
        compute(buf.get(), first, rep ? uint32(period) : len);
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("contain use " + cfg_gen_ms_since(t));
        t = cfg_gen_clock_t::now();
        if (!(rep ? sink.append_repeated(buf.get(), period, len) : sink.append(buf.get(), len)))
            break;
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("write use " + cfg_gen_ms_since(t));
        first += len;
    }
    if (diag == cfg_gen_diag_t::chunk_total)
        lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return cfg_gen_finish(wv, sink);
}
