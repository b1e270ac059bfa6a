#pragma once
// cfg_bswv_wave_t: the limits of one wave type's settings. The channel settings object
// keeps one object per wave class and asks the current one between which values a
// setting may lie, given the channel's other settings. The base answers every limit
// with its default; each wave class overrides what differs for its type.
//
// The amplitude table, the maximum frequency, the minimum frequencies by run mode and
// the minimum-amplitude base are shared by every object of every class and both
// channels; the first init of any object fills them, and they read 0 until then.
#include "lib_types.h"

#include <map>
#include <string>

class cfg_bswv_wave_t
{
public:
    cfg_bswv_wave_t() = default;
    // The settings object owns its parameter objects through their own classes; the
    // destructor is virtual only so that no owner can get that wrong.
    virtual ~cfg_bswv_wave_t() = default;

    // "load" is the output load in ohms (50 .. 100000, or 1000000 for high impedance);
    // "limit" is get_ampl_limit of the frequency and load passed.
    virtual long double get_max_freq(int32 ch);
    virtual long double get_min_freq(int32 ch);
    virtual long double get_max_freq_by_ampl(long double ampl);
    virtual long double get_max_ampl(long double offset, long double freq, int32 load);
    virtual long double get_min_ampl(int32 load);
    virtual long double get_max_offset(long double ampl, long double freq, int32 load);
    virtual long double get_min_offset(long double ampl, long double freq, int32 load);
    virtual long double get_max_high_level(long double freq, int32 load);
    virtual long double get_min_high_level(long double low_level, int32 load);
    virtual long double get_max_low_level(long double high_level, int32 load);
    virtual long double get_min_low_level(long double freq, int32 load);
    // pulse is the channel's pulse object: the square's duty follows its edge limits.
    virtual long double get_max_duty(long double freq, cfg_bswv_wave_t *pulse);
    virtual long double get_min_duty(long double freq, cfg_bswv_wave_t *pulse);
    virtual long double get_max_pulse_duty(long double period, long double rise_edge, long double fall_edge);
    virtual long double get_min_pulse_duty(long double period, long double rise_edge, long double fall_edge);
    virtual long double get_max_symmetry();
    virtual long double get_min_symmetry();
    virtual long double get_max_width(long double period, long double rise_edge, long double fall_edge);
    virtual long double get_min_width(long double rise_edge, long double fall_edge);
    virtual long double get_max_rise_edge(long double period, long double width, long double fall_edge);
    virtual long double get_min_rise_edge();
    virtual long double get_min_rise_edge_by_timing(long double period, long double width, long double fall_edge);
    virtual long double get_max_fall_edge(long double period, long double width, long double rise_edge);
    virtual long double get_min_fall_edge();
    virtual long double get_max_delay(long double period);
    virtual long double get_min_delay(long double period);
    virtual long double get_max_sample_rate();
    virtual long double get_min_sample_rate(int32 ch);
    virtual long double get_max_noise_bandwidth();
    virtual long double get_min_noise_bandwidth();
    virtual long double get_max_harmonic_freq(int32 ch);
    virtual long double get_max_harmonic_order(int32 ch);
    virtual long double get_min_harmonic_order(int32 ch);
    virtual long double get_max_harmonic_ampl(int32 ch);
    virtual long double get_max_harmonic_ampl_of_order(int32 ch, int32 order);
    virtual long double get_min_harmonic_ampl();
    virtual long double get_max_harmonic_phase();
    virtual long double get_min_harmonic_phase();
    virtual long double get_max_prbs_length();
    virtual long double get_min_prbs_length();
    virtual long double get_max_prbs_edge();
    virtual long double get_min_prbs_edge();
    virtual int32 set_builtin_arb_wave(int32 index);
    virtual int32 get_arb_current_wave();
    virtual int32 load_user_arb_wave(std::string path);
    virtual std::string &get_arb_wave_name();
    virtual void delete_arb_wave_files(std::string path);
    virtual int32 set_arb_wave_index(int32 index);
    virtual int32 get_arb_wave_source();
    virtual int32 set_arb_wave_source(int32 source);
    virtual long double get_rise_edge(cfg_bswv_wave_t *pulse);
    virtual long double get_fall_edge(cfg_bswv_wave_t *pulse);
    virtual int32 query_arb_flag();
    virtual long double get_max_ampl_by_freq(long double freq);

    // Stores the channel; the first call of the process fills the shared limits.
    void init(int32 ch);
    int32 get_channel() const { return channel; }
    // The largest peak-to-peak amplitude at freq into load, rounded to 1e-6 V.
    long double get_ampl_limit(long double freq, int32 load);
    // The largest table frequency up to which ampl is allowed into an open circuit.
    long double get_max_freq_for_ampl(long double ampl);
    long double get_min_freq_by_run_mode(int32 ch);
    long double get_output_impedance();

    // The shared amplitude table (frequency -> open-circuit peak-to-peak volts).
    static const std::map<long double, long double> &ampl_table();

private:
    friend void cfg_reset_config_layer();
    // The shared table is filled again by the next init.
    static void reset_shared_limits();

protected:
    // The not-supported line: the operation answers 0 for this wave type.
    void print_unsupported();

    int32 channel = 0;
};
