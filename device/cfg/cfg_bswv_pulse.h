#pragma once
// cfg_bswv_pulse_t: the limits that tie a pulse's period, width, edges, duty and delay
// together so that every accepted combination stays realisable by the pulse driver:
// the width leaves room for both edges, the edges leave room for the width, and a
// narrow width forces a minimum rise edge when the fall edge is long. The square class
// borrows its minimum width and edges.
//
// Every square root of these limits takes a radicand clamped at 0, so edges below the
// driver's intrinsic edge (the 2 ns defaults) give finite limits, not NaN.
#include "cfg_bswv_wave.h"

class cfg_bswv_pulse_t : public cfg_bswv_wave_t
{
public:
    long double get_max_freq(int32 ch) override;
    long double get_min_freq(int32 ch) override;
    long double get_max_pulse_duty(long double period, long double rise_edge, long double fall_edge) override;
    long double get_min_pulse_duty(long double period, long double rise_edge, long double fall_edge) override;
    long double get_max_width(long double period, long double rise_edge, long double fall_edge) override;
    long double get_min_width(long double rise_edge, long double fall_edge) override;
    long double get_max_rise_edge(long double period, long double width, long double fall_edge) override;
    long double get_min_rise_edge() override { return min_edge; }
    long double get_min_rise_edge_by_timing(long double period, long double width, long double fall_edge) override;
    long double get_max_fall_edge(long double period, long double width, long double rise_edge) override;
    long double get_min_fall_edge() override { return min_edge; }
    long double get_max_delay(long double period) override;
    long double get_min_delay(long double period) override;

    virtual void init(int32 ch);
    virtual void set_default_limits(int32 ch);
    virtual long double get_stored_max_freq() { return max_freq; }

    long double get_edge_factor() const { return edge_factor; }
    long double get_width_margin() const { return width_margin; }
    long double get_width_floor() const { return width_floor; }
    long double get_min_edge() const { return min_edge; }
    long double get_max_edge() const { return max_edge; }
    long double get_min_freq_value() const { return min_freq; }

private:
    // The width less the PWM deviation while PWM modulates this channel.
    long double get_pwm_base_width(long double width);
    // The width folded onto the shorter part of the period.
    static long double fold(long double period, long double width);

    long double max_freq = 0.0L;
    long double min_freq = 0.0L;
    long double edge_factor = 0.0L;
    long double width_margin = 0.0L;
    long double width_floor = 0.0L;
    long double min_edge = 0.0L;
    long double max_edge = 0.0L;
};
