#pragma once
// awg_state_t: the exported API's memory of channel 0. Every set clamps the value to
// the API's own limits, stores it, hands it to the channel in base units and reads the
// channel's answer back, so that the record mirrors what the configuration accepted.
#include "lib_types.h"

#include <string>

// The record: twelve ints, then eleven values.
struct awg_state_record_t
{
    int32 run;
    int32 output;
    int32 aux2;
    int32 wave_type;
    int32 arb_index;
    int32 freq_mode;
    int32 ampl_mode;
    int32 offset_mode;
    int32 noise_mode;
    int32 aux10;
    int32 load;
    int32 aux23;
    long double freq;
    long double period;
    long double ampl;
    long double high_level;
    long double low_level;
    long double offset;
    long double width;
    long double duty;
    long double symmetry;
    long double stdev;
    long double mean;
};

// The user wave of awg_set_user_arb_wave: a (not used), b the wave file, c the folder
// that receives the converted file. Members are released c, b, a.
struct awg_user_wave_para_t
{
    std::string a;
    std::string b;
    std::string c;
};

// One value of the record with its channel command, getter and clamp (awg_state.cpp).
struct awg_quantity_t;

// The user wave's list index.
constexpr int32 AWG_USER_ARB_INDEX = 45;
constexpr int32 AWG_ARB_INDEX_COUNT = 50;
// The built-in wave id of an API list index (id 2 beyond the list).
int32 awg_arb_index_map(int32 index);

class awg_state_t
{
public:
    static awg_state_t *get_instance();
    awg_state_t();

private:
    // Only the layer reset drops the instance.
    friend void awg_reset_api_layer();
    static void reset_instance();

public:
    // --- Value sets: clamp, store, send, read back; 1 ---
    int32 set_freq(long double v);
    int32 set_period(long double v);
    int32 set_ampl(long double v);
    int32 set_high_level(long double v);
    int32 set_low_level(long double v);
    int32 set_offset(long double v);
    int32 set_width(long double v);
    int32 set_duty(long double v);
    int32 set_symmetry(long double v);
    int32 set_stdev(long double v);
    int32 set_mean(long double v);

    // --- Read-backs: the channel's value, clamped, into the record; 1 ---
    int32 read_freq();
    int32 read_period();
    int32 read_ampl();
    int32 read_high_level();
    int32 read_low_level();
    int32 read_offset();
    int32 read_width();
    int32 read_duty();
    int32 read_symmetry();
    int32 read_stdev();
    int32 read_mean();
    int32 read_load();

    int32 refresh_all();
    int32 set_wave_type(int32 type, bool apply);
    int32 set_load(int32 v);
    int32 set_ampl_mode(int32 m);
    int32 set_offset_mode(int32 m);
    int32 run();
    int32 set_run(int32 v);
    int32 restore();

    // --- Arbitrary waves ---
    int32 set_arb_wave_type(int32 index, bool apply);
    int32 check_arb_wave();
    int32 sync_wave();
    int32 set_user_arb_wave(const awg_user_wave_para_t &para, bool apply);

    // --- Limits ---
    long double max_freq() const;
    long double max_period() const;
    long double min_period() const;
    long double max_high_level() const;
    long double min_high_level() const;
    long double max_low_level() const;
    long double min_low_level() const;
    void clamp_freq(long double *v) const;
    void clamp_period(long double *v) const;
    void clamp_high_level(long double *v) const;
    void clamp_low_level(long double *v) const;
    void clamp_ampl(long double *v) const;
    void clamp_offset(long double *v) const;
    void clamp_width(long double *v) const;
    void clamp_duty(long double *v) const;
    void clamp_symmetry(long double *v) const;
    void clamp_stdev(long double *v) const;
    void clamp_mean(long double *v) const;
    // Above max: max; else below min: min. Returns v.
    static long double *clamp(long double max, long double min, long double *v);

    // --- Adjust: n = 0 reset, 2147483647 maximum, -2147483647 minimum, else n steps ---
    int32 adjust_freq(int32 n, int32 fine);
    int32 adjust_period(int32 n, int32 fine);
    int32 adjust_ampl(int32 n, int32 fine);
    int32 adjust_high_level(int32 n, int32 fine);
    int32 adjust_offset(int32 n, int32 fine);
    int32 adjust_low_level(int32 n, int32 fine);
    int32 adjust_duty(int32 n);
    int32 adjust_symmetry(int32 n);
    int32 adjust_width(int32 n);
    int32 adjust_stdev(int32 n, int32 fine);
    int32 adjust_mean(int32 n, int32 fine);
    // One tenth of v's leading decade (fine: 1e-4 of that), within [low, high].
    static long double adjust_step(long double v, int32 fine, long double low, long double high);

    // --- Accessors ---
    const awg_state_record_t &record() const { return current; }
    awg_state_record_t get_saved() const { return saved; }
    awg_state_record_t get_current() const { return current; }
    void set_aux2(int32 v) { current.aux2 = v; }
    void set_aux10(int32 v) { current.aux10 = v; }
    void set_aux23(int32 v) { current.aux23 = v; }
    void set_freq_mode(int32 v) { current.freq_mode = v; }
    void set_noise_mode(int32 v) { current.noise_mode = v; }
    void set_run_field(int32 v) { current.run = v; }
    // Stores v; with apply also switches the channel.
    int32 set_output(int32 v, bool apply);
    void clear_output() { current.output = 0; }
    // The overload query of the amplitude re-apply: 0.
    int32 get_overload() const;

    // The limit fields.
    const long double freq_reset = 1000.0L;
    const long double freq_min = 1e-6L;
    const long double freq_max_sine = 25e6L;
    const long double freq_max_square = 1e7L;
    const long double freq_max_ramp = 3e5L;
    const long double freq_max_arb = 5e6L;
    const long double ampl_max = 6.0L;
    const long double ampl_min = 0.004L;
    const long double ampl_reset = 4.0L;
    const long double high_reset = 3.0L;
    const long double low_reset = -3.0L;
    const long double offset_max = 3.0L;
    const long double offset_min = -3.0L;
    const long double offset_reset = 0.0L;
    const long double duty_max = 99.0L;
    const long double duty_min = 1.0L;
    const long double duty_reset = 50.0L;
    const long double symmetry_max = 100.0L;
    const long double symmetry_min = 0.0L;
    const long double symmetry_reset = 50.0L;
    const long double width_max = 10.0L;
    const long double width_min = 5e-8L;
    const long double width_reset = 0.0002L;
    const long double stdev_max = 0.3L;
    const long double stdev_min = 0.0L;
    const long double stdev_reset = 0.2L;
    const long double mean_max = 6.0L;
    const long double mean_min = -6.0L;
    const long double mean_reset = 0.0L;

private:
    // Clamps v, stores it and hands it to the channel in base units.
    void send(const awg_quantity_t &q, long double v);
    // send, then read.
    int32 set(const awg_quantity_t &q, long double v);
    // The channel's value, clamped, into the record; 1.
    int32 read(const awg_quantity_t &q);
    // Mode 2 or 3 (levels): high and low level read back, else amplitude and offset; 1.
    int32 read_mode_pair(int32 m);

    awg_state_record_t current;
    awg_state_record_t saved;
};

// Destroys the API state and forgets the start-up (the value exports drop their values
// again until awg_cfg_init); the next accessor call builds the state afresh. Call it
// before resetting the configuration layer. Internal: not exported, so only tests reach it.
void awg_reset_api_layer();
