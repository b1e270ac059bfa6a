#pragma once
// drv_pulse_t: the pulse driver. The FPGA's pulse generator takes its period from the
// channel's carrier word; this driver supplies the rest: the high time as whole clocks
// and a fraction word that starts the fall-edge accumulator part-way, and per edge a
// step (the 32-bit edge accumulator's advance per clock, so the edge sweeps full scale
// in its ramp time) and a scale (the step relative to the carrier's phase step).
// Widths and 10-90 % edge times are long double seconds, frequencies hertz; every
// conversion to an integer truncates toward zero (lib_trunc_u64).
//
// The classes differ only in their constants: the clock period (also the minimum
// width), the output's intrinsic edge time, the scale factor and the edge mode. The 6
// virtual operations keep this order.
#include "lib_types.h"

class drv_fpga_t;

class drv_pulse_t
{
public:
    drv_pulse_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_pulse_t() = default;

    // 0: 6.666666666666667e-9 s (150 MHz).
    virtual long double get_min_width();
    // 1: the high-time count split into whole clocks and fraction word, to the pulse
    // count and fraction registers; 1.
    virtual int32 set_timing(int32 ch, long double hz, long double width, long double fall, long double rise);
    // 2: whole = trunc(count) + 1 and frac_word = fall step x (1 - fraction) when the
    // count has a fraction or is exactly 1; otherwise whole = count, frac_word = 0.
    // hz is not used; 1.
    virtual int32 split_count(long double hz, long double fall, long double count, long double *whole,
                              long double *frac_word);
    // 3: 2e-9 s.
    virtual long double get_min_edge();
    // 4: 0, which makes every scale 4294967295.
    virtual int32 get_scale_factor();
    // 5: 0 whatever the value.
    virtual int32 get_edge_mode(const long double *value);

    long double min_edge();
    // The whole ramp of a 10-90 % edge time t: sqrt(t^2 - e^2) / 0.8 with e the
    // intrinsic edge, the radicand held as a double and taken as 0 when negative (an
    // edge at or below the intrinsic one has no ramp of its own).
    long double convert_edge(long double t);
    // 2^32 / (convert_edge (t) / clock).
    long double calc_edge_step(long double t);
    // width / clock + (convert_edge (rise) - convert_edge (fall)) / 2 / clock, fraction
    // kept: from the start of the rise to the start of the fall, for a width between
    // the edges' mid-points.
    long double calc_high_count(long double width, long double fall, long double rise);
    // step x 2^20 / (word x scale factor), 4294967295 when the word or the factor is 0
    // or the scale reaches 2^32.
    long double calc_edge_scale(uint64 step, long double word);
    // The edge's step and scale words (edge 1 rises, edge 2 falls); 1.
    int32 set_rise_edge(int32 ch, long double rise, long double hz);
    int32 set_fall_edge(int32 ch, long double fall, long double hz);
    // set_timing, set_fall_edge, set_rise_edge, then the update strobe.
    void set_pulse(int32 ch, long double width, long double fall, long double rise, long double hz);
    // Channel 0, then channel 1, then one update strobe (rise before fall here).
    void set_pulse_both(long double hz0, long double width0, long double rise0, long double fall0, long double hz1,
                        long double width1, long double rise1, long double fall1);

private:
    // One edge's register words and the edge modes of its step and scale.
    struct edge_words_t
    {
        uint64 step;
        uint64 scale;
        int32 step_mode;
        int32 scale_mode;
    };
    // The words of a step (held where get_edge_mode can point at it); its scale is
    // stored beside it for the same reason. Internal helpers take long doubles by
    // reference: an 80-bit value copied through memory costs more than its arithmetic.
    edge_words_t calc_edge_words(const long double &step, const long double &word, long double *scale);
    // Edge 1 (rise) or edge 2 (fall): the mode flags and words in their order.
    static void write_edge(drv_fpga_t *fpga, int32 ch, bool rise, const edge_words_t &words);

    // A pulse write converts its count and both edges once, side by side, before its
    // first register write (the conversions read no register); while its set_timing
    // runs, the conversions it asks for again are answered from this plan, with the
    // same values.
    struct edge_plan_t
    {
        bool active = false;
        long double width = 0, fall = 0, rise = 0;
        long double fall_ramp = 0, rise_ramp = 0;
        long double fall_step = 0, rise_step = 0;
        long double fall_scale = 0, rise_scale = 0;
        long double count = 0;
    };
    void plan_edges(const long double &width, const long double &fall, const long double &rise,
                    const long double &word, edge_words_t *fall_words, edge_words_t *rise_words);
    // set_timing, set_fall_edge and set_rise_edge of one channel, without the strobe.
    void write_channel(int32 ch, const long double &width, const long double &fall, const long double &rise,
                       const long double &hz);
    static drv_fpga_t *fpga();

    edge_plan_t _plan;
};
