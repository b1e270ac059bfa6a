#pragma once
// drv_freq_t: the frequency driver. It turns a channel frequency into the channel's
// DDS tuning word (hertz to whole micro-hertz to word, each step truncated) and writes
// it through the FPGA driver; a channel in sample-rate mode gets the sample rate
// (frequency x samples of its arbitrary wave) instead. This base class also keeps the
// two channels' words exact multiples of each other when their frequencies are
// harmonically related; drv_freq_vextral_t, the module's class, never does.
//
// It is handed the FPGA and phase drivers. A copy is a plain drv_freq_t, whatever the
// class of the source. Channels are 0 and 1; another channel changes nothing (a
// status result is then 0).
#include "lib_types.h"

class drv_fpga_t;
class drv_phase_t;

class drv_freq_t
{
public:
    drv_freq_t(drv_fpga_t &fpga, drv_phase_t &phase) : _fpga(fpga), _phase(phase) {}
    drv_freq_t(const drv_freq_t &) = default;
    drv_freq_t &operator=(const drv_freq_t &) = delete;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_freq_t() = default;

    // Both channels, then the update strobe, inside an FPGA hold when hold is 1; 1.
    virtual int32 set_freq_both(int32 hold, long double f0, long double f1);
    // The channel's frequency by its playback mode (a PRBS channel directly); a
    // channel in sample-rate mode with an empty wave gets nothing. _set_freq's result,
    // or 0 when nothing was written.
    virtual int32 set_freq(int32 ch, long double hz);
    // The frequency directly, then the phase as the new start phase and a phase
    // synchronisation (of channel 0, whatever ch is); 1.
    virtual int32 set_freq_phase(int32 ch, long double hz, long double deg);
    // _set_freq.
    virtual int32 set_dds_freq(int32 ch, long double hz);
    // When is_freq_multiple answers 1: the larger effective word made the nearest
    // multiple of the smaller and rewritten where the FPGA holds another; 1, else 0.
    virtual int32 align_freq_words();
    // Of the effective frequencies (run mode 3: the frequency, 2: the burst rate,
    // otherwise 0) in whole micro-hertz: -1 when either is 0, 1 when the larger is a
    // multiple of the smaller, else 0.
    virtual int32 is_freq_multiple();

    int32 set_ch_freq(int32 ch, const long double *hz);
    int32 get_ch_freq(int32 ch, long double *hz) const;
    // The channel's burst repetition rate (1 / burst period); 1.
    int32 set_burst_freq(int32 ch, const long double *hz);
    int32 get_burst_freq(int32 ch, long double *hz) const;

    // The word written (with its micro-hertz value) and the frequency kept for the
    // channel; align_freq_words' result.
    int32 _set_freq(int32 ch, long double hz);
    // trunc(trunc(hz x 10^6) x 2^48 / 1.25e14) on the module.
    uint64 _freq_to_word(long double hz);
    // The modulating-DDS word of a frequency (FM flag 0).
    uint64 _burst_freq_to_word(long double hz);
    int32 _check_multiple(const long double *a, const long double *b);
    void _align_words(const uint64 *w0, const uint64 *w1, uint64 *out0, uint64 *out1);
    int32 _get_freq_words(long double *f0, uint64 *w0, long double *f1, uint64 *w1);

protected:
    static bool is_channel(int32 ch) { return ch == 0 || ch == 1; }
    // set_freq without the PRBS question.
    int32 set_freq_by_mode(int32 ch, long double hz);

    struct drv_freq_record_t
    {
        long double freq = 0;
        long double burst_freq = 0;
    };
    drv_freq_record_t _records[2];
    drv_fpga_t &_fpga;
    drv_phase_t &_phase;
};
