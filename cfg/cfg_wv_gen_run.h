#pragma once
#include "cfg_if_wv.h"
#include "cfg_wv_gen.h"
#include "cfg_wv_sample_sink.h"
#include "lib_diag.h"
#include "lib_parallel.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>

// Which timing lines a generator prints: none, "contain use " and "write use " per
// chunk, or those and "total time" at the end.
enum class cfg_gen_diag_t { none, chunk, chunk_total };

// Samples computed and written by one thread at a time: small enough to stay in the
// core's cache between computing and writing, large enough that a write costs little.
constexpr uint64 CFG_GEN_SLAB = 1u << 16;

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

// Work memory for a period of samples. Up to CFG_GEN_KEPT_SAMPLES it is memory kept from
// the generator run before (fresh memory costs a page fault per page, for a sine period
// of a few megabytes as much as the whole generation); above, or while another run
// holds it, memory of its own. Empty when none can be had.
constexpr uint64 CFG_GEN_KEPT_SAMPLES = 1u << 23;
class cfg_gen_work_t
{
public:
    explicit cfg_gen_work_t(uint64 count);
    ~cfg_gen_work_t();
    cfg_gen_work_t(const cfg_gen_work_t &) = delete;
    cfg_gen_work_t &operator=(const cfg_gen_work_t &) = delete;
    short int *get() const { return m_data; }
    explicit operator bool() const { return m_data != nullptr; }

private:
    std::unique_ptr<short int[]> m_own;
    short int *m_data = nullptr;
    bool m_kept = false;
};

// Runs slab(begin, count) over [first, first + count) in slabs of CFG_GEN_SLAB, handed
// out one at a time to the caller and the helpers that get a processor, so a thread the
// system holds back delays nothing. False when any call did.
template <typename F>
bool cfg_gen_for_slabs(uint64 first, uint64 count, F slab)
{
    const uint64 slabs = (count + CFG_GEN_SLAB - 1) / CFG_GEN_SLAB;
    std::atomic<bool> ok{true};
    lib_share_items(slabs, lib_team_size(count, CFG_GEN_GRAIN), [&](uint64 i) {
        if (!ok.load(std::memory_order_relaxed))
            return;
        const uint64 begin = first + i * CFG_GEN_SLAB;
        if (!slab(begin, std::min<uint64>(CFG_GEN_SLAB, first + count - begin)))
            ok = false;
    });
    return ok;
}

// Computes samples [first, first + count) into out[0, count) with the whole team.
// compute(buffer, first index, count) computes any stretch by itself, from any thread.
template <typename F>
void cfg_gen_fill(short int *out, uint64 first, uint64 count, F &compute)
{
    cfg_gen_for_slabs(first, count, [&](uint64 begin, uint64 len) {
        compute(out + (begin - first), begin, uint32(len));
        return true;
    });
}

// Computes samples [first, first + count) slab by slab and writes each slab where it
// belongs as soon as it is computed, so computing and writing overlap and no buffer the
// size of the waveform is ever touched. False when memory or a write failed.
template <typename F>
bool cfg_gen_stream(cfg_wv_sample_sink_t &sink, uint64 first, uint64 count, F &compute)
{
    return cfg_gen_for_slabs(first, count, [&](uint64 begin, uint64 len) {
        thread_local std::unique_ptr<short int[]> buf;
        if (!buf)
            buf = cfg_gen_alloc<short int>(CFG_GEN_SLAB);
        if (!buf)
            return false;
        compute(buf.get(), begin, uint32(len));
        return sink.write_at(begin, buf.get(), len);
    });
}

// The common procedure: announces and replaces the record's file with the n samples,
// computed chunk by chunk (compute(buffer, first index, count) computes any stretch by
// itself, from any thread), copies amplitude and offset and returns 0. A generator whose
// sample k depends on k mod period only passes the period: one period is computed and
// written over and over.
template <typename F>
int cfg_gen_run(cfg_if_wv_t &wv, uint64 n, cfg_gen_diag_t diag, F compute, uint64 period = 0)
{
    cfg_wv_sample_sink_t sink(*wv.get_wv_data(), true);
    const bool repeat = period > 0 && period < std::min<uint64>(n, CFG_GEN_CHUNK);
    cfg_gen_work_t pattern(repeat ? period : 0);
    if (repeat && !pattern)
        return CFG_GEN_NO_MEMORY;
    const auto t0 = cfg_gen_clock_t::now();
    for (uint64 first = 0; first < n && sink.ok();) {
        const uint64 len = std::min<uint64>(n - first, CFG_GEN_CHUNK);
        auto t = cfg_gen_clock_t::now();
        if (repeat && first == 0)
            cfg_gen_fill(pattern.get(), 0, period, compute);
        bool ok = repeat || cfg_gen_stream(sink, first, len, compute);
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("contain use " + cfg_gen_ms_since(t));
        t = cfg_gen_clock_t::now();
        if (repeat)
            ok = sink.append_repeated(pattern.get(), period, len, first % period);
        if (!ok) // no memory for a slab, or a write failed: the old samples stay
            return sink.ok() ? CFG_GEN_NO_MEMORY : cfg_gen_finish(wv, sink);
        if (diag != cfg_gen_diag_t::none)
            lib_diag_line("write use " + cfg_gen_ms_since(t));
        first += len;
    }
    if (!repeat)
        sink.set_length(n);
    if (diag == cfg_gen_diag_t::chunk_total)
        lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return cfg_gen_finish(wv, sink);
}
