#pragma once
// cfg_msg_if_t: the door from the channel commands into the configuration layer. Each
// handler takes one cfg_msg_para_t, applies its value to the addressed channel's
// objects (or reads a value back into the record) and returns an int.
//
// Tracking: while the coupling object's tracking flag is 1 and the record's channel is
// the tracking source, a set handler marked "tracked" first serves the other channel
// with the same value, then the addressed one, and returns the addressed channel's
// result.
//
// Every handler that addresses a channel refuses one outside {0, 1} with -12, and every
// value handler refuses NaN and infinities with -13; nothing is stored then.
#include "lib_types.h"
#include "lib_unit_data.h"

// One handler call's parameters: the channel, a word no handler reads, and the value
// (to apply, or the place a getter writes its answer).
struct cfg_msg_para_t
{
    int32 ch;
    int32 reserved;
    union
    {
        int32 i;
        int64 i64;
        long double ld;
        void *ptr;
        lib_unit_data_t unit;
    } value;
};

class cfg_msg_if_t
{
public:
    static cfg_msg_if_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    static void reset_instance();

public:
    // Handlers without an operation: 1 and 0.
    int32 nop(cfg_msg_para_t *p);
    int32 nop_zero(cfg_msg_para_t *p);

    // Root: current channel (in ch), device re-apply, the root flag, phase alignment,
    // channel copy (value.ptr: two ints, destination then source).
    int32 get_max_freq(cfg_msg_para_t *p);
    int32 set_current_ch(cfg_msg_para_t *p);
    int32 get_current_ch(cfg_msg_para_t *p);
    int32 reapply_device(cfg_msg_para_t *p);
    int32 get_root_flag(cfg_msg_para_t *p);
    int32 align_phase(cfg_msg_para_t *p);
    int32 copy_ch(cfg_msg_para_t *p);

    // Channel object: output switch, run mode (tracked), polarity (tracked), wave type
    // (tracked; the getter answers the basic-wave type).
    int32 set_switch(cfg_msg_para_t *p);
    int32 get_switch(cfg_msg_para_t *p);
    int32 set_run_mode(cfg_msg_para_t *p);
    int32 get_run_mode(cfg_msg_para_t *p);
    int32 set_polarity(cfg_msg_para_t *p);
    int32 get_polarity(cfg_msg_para_t *p);
    int32 set_wave_type(cfg_msg_para_t *p);
    int32 get_wave_type(cfg_msg_para_t *p);

    // Basic-wave settings (value.i or value.unit); setters tracked.
    int32 set_load(cfg_msg_para_t *p);
    int32 get_load(cfg_msg_para_t *p);
    int32 set_freq(cfg_msg_para_t *p);
    int32 get_freq(cfg_msg_para_t *p);
    int32 set_period(cfg_msg_para_t *p);
    int32 get_period(cfg_msg_para_t *p);
    int32 set_ampl(cfg_msg_para_t *p);
    int32 get_ampl(cfg_msg_para_t *p);
    int32 set_ampl_vrms(cfg_msg_para_t *p);
    int32 get_ampl_vrms(cfg_msg_para_t *p);
    int32 set_ampl_dbm(cfg_msg_para_t *p);
    int32 get_ampl_dbm(cfg_msg_para_t *p);
    int32 set_offset(cfg_msg_para_t *p);
    int32 get_offset(cfg_msg_para_t *p);
    int32 set_high_level(cfg_msg_para_t *p);
    int32 get_high_level(cfg_msg_para_t *p);
    int32 set_low_level(cfg_msg_para_t *p);
    int32 get_low_level(cfg_msg_para_t *p);
    int32 set_phase(cfg_msg_para_t *p);
    int32 get_phase(cfg_msg_para_t *p);
    int32 set_duty(cfg_msg_para_t *p);
    int32 get_duty(cfg_msg_para_t *p);
    int32 set_symmetry(cfg_msg_para_t *p);
    int32 get_symmetry(cfg_msg_para_t *p);
    int32 set_pulse_hold(cfg_msg_para_t *p);
    int32 get_pulse_hold(cfg_msg_para_t *p);
    int32 set_pulse_duty(cfg_msg_para_t *p);
    int32 get_pulse_duty(cfg_msg_para_t *p);
    int32 set_width(cfg_msg_para_t *p);
    int32 get_width(cfg_msg_para_t *p);
    int32 set_rise_edge(cfg_msg_para_t *p);
    int32 get_rise_edge(cfg_msg_para_t *p);
    int32 set_fall_edge(cfg_msg_para_t *p);
    int32 get_fall_edge(cfg_msg_para_t *p);
    int32 set_delay(cfg_msg_para_t *p);
    int32 get_delay(cfg_msg_para_t *p);
    int32 set_stdev(cfg_msg_para_t *p);
    int32 get_stdev(cfg_msg_para_t *p);
    int32 set_mean(cfg_msg_para_t *p);
    int32 get_mean(cfg_msg_para_t *p);
    int32 set_noise_bandwidth(cfg_msg_para_t *p);
    int32 get_noise_bandwidth(cfg_msg_para_t *p);
    int32 set_noise_bandwidth_switch(cfg_msg_para_t *p);
    int32 get_noise_bandwidth_switch(cfg_msg_para_t *p);
    // The getter answers the mode itself.
    int32 set_sample_rate_mode(cfg_msg_para_t *p);
    int32 get_sample_rate_mode(cfg_msg_para_t *p);
    int32 set_sample_rate(cfg_msg_para_t *p);
    int32 get_sample_rate(cfg_msg_para_t *p);

    // Arbitrary waves and wave data (value.ptr: a path, a std::string or a
    // std::vector<int16>).
    int32 set_arb_wave(cfg_msg_para_t *p);
    int32 get_arb_wave(cfg_msg_para_t *p);
    int32 load_arb_file(cfg_msg_para_t *p);
    // 1 after copying the name.
    int32 get_arb_wave_name(cfg_msg_para_t *p);
    int32 get_wave_len(cfg_msg_para_t *p);
    int32 get_wave_data(cfg_msg_para_t *p);
    int32 get_wave_name(cfg_msg_para_t *p);
    int32 get_arb_flag(cfg_msg_para_t *p);
    // Driver capabilities into value.i; get_arb_rate_cap returns 0, the others 1.
    int32 get_arb_rate_cap(cfg_msg_para_t *p);
    int32 get_noise_bw_cap(cfg_msg_para_t *p);
    int32 get_extra_cap(cfg_msg_para_t *p);
    int32 get_square_combine_cap(cfg_msg_para_t *p);

    // Harmonics of the sine; the order getter writes value.ld, the amplitudes getter
    // fills a std::map<int32, long double> at value.ptr.
    int32 set_harmonic_switch(cfg_msg_para_t *p);
    int32 get_harmonic_switch(cfg_msg_para_t *p);
    int32 set_harmonic_order(cfg_msg_para_t *p);
    int32 get_harmonic_order(cfg_msg_para_t *p);
    int32 set_harmonic_type(cfg_msg_para_t *p);
    int32 get_harmonic_type(cfg_msg_para_t *p);
    int32 set_harmonic_ampl(cfg_msg_para_t *p);
    int32 get_harmonic_ampl(cfg_msg_para_t *p);
    int32 set_harmonic_level(cfg_msg_para_t *p);
    int32 get_harmonic_level(cfg_msg_para_t *p);
    int32 set_harmonic_phase(cfg_msg_para_t *p);
    int32 get_harmonic_phase(cfg_msg_para_t *p);
    int32 get_harmonic_ampls(cfg_msg_para_t *p);

    // Small settings and PRBS.
    int32 set_user_flag(cfg_msg_para_t *p);
    int32 get_user_flag(cfg_msg_para_t *p);
    // 1.
    int32 set_arb_rate_switch(cfg_msg_para_t *p);
    int32 get_arb_rate_switch(cfg_msg_para_t *p);
    int32 set_prbs_length(cfg_msg_para_t *p);
    int32 get_prbs_length(cfg_msg_para_t *p);
    int32 set_prbs_edge(cfg_msg_para_t *p);
    int32 get_prbs_edge(cfg_msg_para_t *p);
    // Sets both channels itself; not tracked.
    int32 set_prbs_link(cfg_msg_para_t *p);
    int32 get_prbs_link(cfg_msg_para_t *p);
};
