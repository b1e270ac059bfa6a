#include "cfg_wv_gen.h"

#include <cmath>

int64 cfg_gen_trunc_i64(double v, int64 lo, int64 hi)
{
    if (std::isnan(v))
        return 0;
    if (v <= double(lo))
        return lo;
    if (v >= double(hi))
        return hi;
    return static_cast<int64>(v);
}

uint32 cfg_gen_phase_offset(uint32 p, float phase)
{
    const double phi = phase;
    const double pd = p;
    return cfg_gen_trunc_u32(phi >= 0.0 ? pd * phi / 360.0 : pd + pd * phi / 360.0);
}

std::string cfg_gen_ms_since(cfg_gen_clock_t::time_point start)
{
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(cfg_gen_clock_t::now() - start).count();
    return std::to_string(ms);
}

#include "cfg_wv_gen_run.h"

namespace {

struct kept_work_t
{
    std::unique_ptr<short int[]> data;
    uint64 count = 0;
    bool taken = false;
};

// Generators run on one thread.
kept_work_t &kept_work()
{
    static kept_work_t kept;
    return kept;
}

} // namespace

cfg_gen_work_t::cfg_gen_work_t(uint64 count)
{
    if (count == 0)
        return;
    kept_work_t &k = kept_work();
    if (count <= CFG_GEN_KEPT_SAMPLES && !k.taken) {
        if (k.count < count) {
            k.data.reset();
            k.data = cfg_gen_alloc<short int>(count);
            k.count = k.data ? count : 0;
        }
        if (k.data) {
            k.taken = true;
            m_kept = true;
            m_data = k.data.get();
            return;
        }
    }
    m_own = cfg_gen_alloc<short int>(count);
    m_data = m_own.get();
}

cfg_gen_work_t::~cfg_gen_work_t()
{
    if (m_kept)
        kept_work().taken = false;
}

int cfg_gen_finish(cfg_if_wv_t &wv, cfg_wv_sample_sink_t &sink)
{
    if (!sink.commit())
        return CFG_GEN_WRITE_FAILED;
    lib_wv_data_t<short int> *rec = wv.get_wv_data();
    rec->amp = *wv.get_amp();
    rec->offset = *wv.get_offset();
    return 0;
}
