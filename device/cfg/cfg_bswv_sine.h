#pragma once
// cfg_bswv_sine_t: the limits of the sine wave and of the harmonics it may carry. The
// harmonics narrow the sine's frequency (the highest harmonic must fit the bandwidth)
// and its level (the synthesis leaves a scale factor), and have limits of their own.
#include "cfg_bswv_wave.h"

class cfg_bswv_sine_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch) { cfg_bswv_wave_t::init(ch); }

    long double get_max_freq(int32 ch) override;
    long double get_max_freq_by_ampl(long double ampl) override;
    long double get_max_ampl(long double offset, long double freq, int32 load) override;
    long double get_max_offset(long double ampl, long double freq, int32 load) override;
    long double get_min_offset(long double ampl, long double freq, int32 load) override;
    long double get_max_high_level(long double freq, int32 load) override;
    long double get_min_low_level(long double freq, int32 load) override;
    long double get_max_harmonic_freq(int32 ch) override;
    long double get_max_harmonic_order(int32 ch) override;
    long double get_min_harmonic_order(int32 ch) override;
    long double get_max_harmonic_ampl(int32 ch) override;
    long double get_max_harmonic_ampl_of_order(int32 ch, int32 order) override;
    long double get_min_harmonic_ampl() override { return 0.0L; }
    long double get_max_harmonic_phase() override { return 360.0L; }
    long double get_min_harmonic_phase() override { return 0.0L; }

    // The module's full sine bandwidth.
    static constexpr long double BANDWIDTH = 3e7L;

private:
    // The base amplitude limit, scaled by the harmonic synthesis while harmonics are on.
    long double get_harmonic_ampl_limit(long double freq, int32 load);
};
