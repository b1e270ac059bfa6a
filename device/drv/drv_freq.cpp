#include "drv_freq.h"

#include "drv_arb_wave.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"
#include "drv_wave_data.h"
#include "lib_trunc.h"

namespace {

constexpr int32 DRV_RUN_MODE_BURST = 2;
constexpr int32 DRV_RUN_MODE_NONE = 3;

uint64 drv_micro_hz(long double hz)
{
    return lib_trunc_u64(hz * 1000000);
}

} // namespace

int32 drv_freq_t::set_freq_both(int32 hold, long double f0, long double f1)
{
    if (hold == 1)
        _fpga.begin_hold();
    set_freq(0, f0);
    set_freq(1, f1);
    _fpga.update();
    if (hold == 1)
        _fpga.end_hold();
    return 1;
}

int32 drv_freq_t::set_freq(int32 ch, long double hz)
{
    if (!is_channel(ch))
        return 0;
    if (_fpga.get_prbs_mode(ch) == 1)
        return _set_freq(ch, hz);
    return set_freq_by_mode(ch, hz);
}

int32 drv_freq_t::set_freq_by_mode(int32 ch, long double hz)
{
    if (!is_channel(ch))
        return 0;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    drv_arb_wave_t *arb = manager->get_arb_wave();
    const int32 mode = arb->get_sample_rate_mode(ch);
    if (mode == 0)
        return _set_freq(ch, hz);
    if (mode != 1)
        return 0;
    // An empty wave has no sample rate.
    if (manager->get_wave_data()->get_wave_len(ch, 1) == 0)
        return 0;
    return set_dds_freq(ch, arb->freq_to_sample_rate(ch, hz));
}

int32 drv_freq_t::set_freq_phase(int32 ch, long double hz, long double deg)
{
    if (!is_channel(ch))
        return 0;
    _set_freq(ch, hz);
    _phase.set_start_and_phase(&_fpga, ch, deg);
    _phase.sync_phase(0);
    return 1;
}

int32 drv_freq_t::set_dds_freq(int32 ch, long double hz)
{
    return _set_freq(ch, hz);
}

int32 drv_freq_t::align_freq_words()
{
    if (is_freq_multiple() != 1)
        return 0;
    long double f[2] = {0, 0};
    uint64 w[2] = {0, 0};
    _get_freq_words(&f[0], &w[0], &f[1], &w[1]);
    uint64 aligned[2] = {0, 0};
    _align_words(&w[0], &w[1], &aligned[0], &aligned[1]);
    uint64 carrier[2];
    uint64 modulating[2];
    for (int32 ch = 0; ch < 2; ++ch) {
        carrier[ch] = _fpga.get_freq_word(ch);
        modulating[ch] = _fpga.get_mod_freq_word(ch);
    }
    for (int32 ch = 0; ch < 2; ++ch) {
        const int32 run_mode = _fpga.get_run_mode(ch);
        if (run_mode == DRV_RUN_MODE_NONE && aligned[ch] != carrier[ch])
            _fpga.set_freq_word_rate(ch, drv_micro_hz(f[ch]), aligned[ch]);
        else if (run_mode == DRV_RUN_MODE_BURST && aligned[ch] != modulating[ch])
            _fpga.set_mod_freq_word(ch, aligned[ch]);
    }
    return 1;
}

int32 drv_freq_t::is_freq_multiple()
{
    long double f0 = 0;
    long double f1 = 0;
    uint64 w0 = 0;
    uint64 w1 = 0;
    _get_freq_words(&f0, &w0, &f1, &w1);
    return _check_multiple(&f0, &f1);
}

int32 drv_freq_t::set_ch_freq(int32 ch, const long double *hz)
{
    if (!is_channel(ch) || !hz)
        return 0;
    _records[ch].freq = *hz;
    return 1;
}

int32 drv_freq_t::get_ch_freq(int32 ch, long double *hz) const
{
    if (!is_channel(ch) || !hz)
        return 0;
    *hz = _records[ch].freq;
    return 1;
}

int32 drv_freq_t::set_burst_freq(int32 ch, const long double *hz)
{
    if (!is_channel(ch) || !hz)
        return 0;
    _records[ch].burst_freq = *hz;
    return 1;
}

int32 drv_freq_t::get_burst_freq(int32 ch, long double *hz) const
{
    if (!is_channel(ch) || !hz)
        return 0;
    *hz = _records[ch].burst_freq;
    return 1;
}

int32 drv_freq_t::_set_freq(int32 ch, long double hz)
{
    if (!is_channel(ch))
        return 0;
    const uint64 micro_hz = drv_micro_hz(hz);
    const uint64 word = lib_trunc_u64(_fpga.freq_to_word(static_cast<long double>(micro_hz)));
    _fpga.set_freq_word_rate(ch, micro_hz, word);
    _records[ch].freq = hz;
    return align_freq_words();
}

uint64 drv_freq_t::_freq_to_word(long double hz)
{
    return lib_trunc_u64(_fpga.freq_to_word(static_cast<long double>(drv_micro_hz(hz))));
}

uint64 drv_freq_t::_burst_freq_to_word(long double hz)
{
    return lib_trunc_u64(_fpga.mod_freq_to_word(0, hz));
}

int32 drv_freq_t::_check_multiple(const long double *a, const long double *b)
{
    if (!a || !b)
        return -1;
    const uint64 ua = drv_micro_hz(*a);
    const uint64 ub = drv_micro_hz(*b);
    if (ua == 0 || ub == 0)
        return -1;
    const uint64 small = ua < ub ? ua : ub;
    const uint64 large = ua < ub ? ub : ua;
    return large % small == 0 ? 1 : 0;
}

void drv_freq_t::_align_words(const uint64 *w0, const uint64 *w1, uint64 *out0, uint64 *out1)
{
    uint64 a = w0 ? *w0 : 0;
    uint64 b = w1 ? *w1 : 0;
    drv_fpga_t::align_freq_words(&a, &b);
    if (out0)
        *out0 = a;
    if (out1)
        *out1 = b;
}

int32 drv_freq_t::_get_freq_words(long double *f0, uint64 *w0, long double *f1, uint64 *w1)
{
    long double *freqs[2] = {f0, f1};
    uint64 *words[2] = {w0, w1};
    for (int32 ch = 0; ch < 2; ++ch) {
        long double f = 0;
        uint64 w = 0;
        const int32 run_mode = _fpga.get_run_mode(ch);
        if (run_mode == DRV_RUN_MODE_NONE) {
            f = _records[ch].freq;
            w = _freq_to_word(f);
        } else if (run_mode == DRV_RUN_MODE_BURST) {
            f = _records[ch].burst_freq;
            w = _burst_freq_to_word(f);
        }
        if (freqs[ch])
            *freqs[ch] = f;
        if (words[ch])
            *words[ch] = w;
    }
    return 1;
}
