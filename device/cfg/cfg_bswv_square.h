#pragma once
// cfg_bswv_square_t: the limits of the square wave: its frequency ceiling by run mode
// and a duty range symmetric about 50 % that follows from the shortest pulse the pulse
// class allows. Its edges are the pulse class's minimum edges.
#include "cfg_bswv_wave.h"

class cfg_bswv_square_t : public cfg_bswv_wave_t
{
public:
    // Rewrites the stored ceiling for the channel's run mode, then returns it.
    long double get_max_freq(int32 ch) override;
    long double get_max_freq_by_ampl(long double ampl) override;
    long double get_max_duty(long double freq, cfg_bswv_wave_t *pulse) override;
    long double get_min_duty(long double freq, cfg_bswv_wave_t *pulse) override;
    long double get_rise_edge(cfg_bswv_wave_t *pulse) override;
    long double get_fall_edge(cfg_bswv_wave_t *pulse) override;

    virtual void init(int32 ch);
    virtual void set_default_limits(int32 ch);
    virtual long double get_stored_max_freq() { return max_freq; }
    virtual long double get_max_duty_limit() { return 99.999L; }
    virtual long double get_min_duty_limit() { return 0.001L; }

    // The module's full square bandwidth.
    static constexpr long double FULL_BANDWIDTH = 3e7L;

private:
    long double max_freq = 0.0L;
};
