#pragma once
// cfg_bswv_main_t: the basic-wave settings of one channel: the current wave type, every
// basic-wave parameter, the output load, and one parameter object per wave class that
// answers the limits of its type. Values are lib_unit_data_t records in base units.
//
// The store rule: a record store that brings a new value sets the field's changed flag
// and takes the value and unit; a store of the value already held (an ordinary long
// double comparison, so NaN always counts as new) only clears the flag.
#include "cfg_param_check.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class cfg_bswv_wave_t;
class cfg_bswv_sine_t;
class cfg_bswv_square_t;
class cfg_bswv_ramp_t;
class cfg_bswv_pulse_t;
class cfg_bswv_noise_t;
class cfg_bswv_dc_t;
class cfg_bswv_arb_t;
class cfg_bswv_prbs_t;
struct drv_ch_para_t;

// One harmonic order's settings: volts peak to peak, dBc against the fundamental,
// degrees.
struct cfg_harmonic_t
{
    long double ampl;
    long double level;
    long double phase;
};

// The store rule as a free function.
void cfg_store_unit_data(lib_unit_data_t *dst, const lib_unit_data_t *src);

// The parameter object of a wave type on channel ch: 7 and every code without a class
// give the base object.
cfg_bswv_wave_t *cfg_get_bswv_wave(int32 ch, int32 type);

// When channel ch's output is on, the amplitude and offset applied (the apply's
// result); otherwise the output switch, 0, and nothing applied.
int32 apply_ampl(int32 ch);

// The built-in wave index of a channel's wave data: 0 sine, 1 noise, 207 (ramp) else.
int32 cfg_get_builtin_wave_index(int32 type);

class cfg_bswv_main_t
{
public:
    cfg_bswv_main_t();
    ~cfg_bswv_main_t();
    // A whole-channel copy: every field, the parameter objects' state copied into this
    // object's own parameter objects (so the two channels never share one).
    cfg_bswv_main_t &operator=(const cfg_bswv_main_t &other);
    cfg_bswv_main_t(const cfg_bswv_main_t &) = delete;

    // --- Construction and initialisation ---
    void create_waves();
    void init_waves(int32 ch);
    void init_defaults();
    void init_harmonic_wave_index();
    void init(int32 ch);
    // The channel number into this object and its parameter objects (created first if
    // the channel's set-up has not made them yet).
    void bind_channel(int32 ch);
    void save_config(const char *path);
    void reapply_polarity();

    // --- Parameter objects ---
    cfg_bswv_wave_t *get_wave(int32 type);
    cfg_bswv_wave_t *get_current_wave();
    cfg_param_check_t *get_param_check() { return &param_check; }

    // --- Plain getters (record getters copy the field, changed flag included; 1) ---
    int32 get_channel() const { return ch; }
    int32 get_wave_type() const { return wave_type; }
    int32 get_load(int32 *ohms) const;
    int32 get_prbs_link(int32 *out) const;
    int32 get_noise_bandwidth_switch(int32 *out) const;
    int32 get_pulse_hold() const { return pulse_hold; }
    int32 get_sample_rate_mode() const { return sample_rate_mode; }
    int32 get_user_flag() const { return user_flag; }
    int32 get_arb_rate_switch() const { return arb_rate_switch; }
    int32 get_duty(lib_unit_data_t *out) const;
    int32 get_symmetry(lib_unit_data_t *out) const;
    int32 get_prbs_length(lib_unit_data_t *out) const;
    int32 get_prbs_edge(lib_unit_data_t *out) const;
    int32 get_pulse_width(lib_unit_data_t *out) const;
    int32 get_rise_edge(lib_unit_data_t *out) const;
    int32 get_fall_edge(lib_unit_data_t *out) const;
    int32 get_pulse_duty(lib_unit_data_t *out) const;
    int32 get_noise_stdev(lib_unit_data_t *out) const;
    int32 get_noise_bandwidth(lib_unit_data_t *out) const;
    int32 get_sample_rate(lib_unit_data_t *out) const;
    // The DC level for the DC wave, else the offset.
    int32 get_offset(lib_unit_data_t *out) const;
    // The phase (a negative zero stored back as 0); {0, 14, 0} for PRBS.
    int32 get_phase(lib_unit_data_t *out);
    long double get_max_phase() const { return 360.0L; }
    long double get_min_phase() const { return -360.0L; }
    int32 is_arb_sample_rate_mode() const;
    int32 is_prbs_linked() const;
    int32 has_freq_setting() const;
    int32 has_period_setting() const;
    int32 get_harmonic_switch(int32 *out) const;

    // --- Derived values ---
    // In arbitrary sample-rate mode the frequency that the sample rate gives, raised to
    // the current wave's minimum (stored, and a code-4 notice posted); else freq.
    int32 get_freq(lib_unit_data_t *out);
    int32 get_period(lib_unit_data_t *out);
    int32 get_ampl(lib_unit_data_t *out) const;
    // get_offset, negated while the channel's polarity is inverted.
    int32 get_signed_offset(lib_unit_data_t *out) const;
    long double get_offset_value() const;
    int32 get_high_level(lib_unit_data_t *out) const;
    int32 get_low_level(lib_unit_data_t *out) const;
    long double get_output_ampl() const;
    long double get_harmonic_output_ampl() const;
    long double get_open_circuit_ampl() const;
    long double get_open_circuit_offset() const;
    // -12 (out untouched) for noise, DC and arbitrary waves.
    int32 get_ampl_vrms(lib_unit_data_t *out) const;
    // -12 (out untouched) for noise, DC and arbitrary waves, at high impedance and for
    // a wave without an rms value.
    int32 get_ampl_dbm(lib_unit_data_t *out) const;
    int32 get_pulse_delay(lib_unit_data_t *out);
    void get_square_edges(long double *rise, long double *fall);
    int32 get_wave_len() const;
    long double get_arb_rate_word() const;
    int32 is_output_active() const;

    // --- Limits of the current wave ---
    long double get_max_freq();
    long double get_min_freq();
    int64 get_max_freq_int();
    long double get_min_ampl();
    long double get_max_ampl();
    long double get_max_offset();
    long double get_min_offset();
    long double get_max_freq_for_ampl();

    // --- Forwarders ---
    std::string &get_arb_wave_name();
    void delete_arb_wave_files(const std::string &path);
    int32 get_arb_flag();
    long double sample_rate_to_freq(long double rate) const;
    long double freq_to_sample_rate(long double hz) const;
    int32 get_arb_rate_cap() const;
    int32 get_noise_bw_cap() const;
    int32 get_extra_cap() const;
    int32 get_square_combine_cap() const;

    // --- Small setters ---
    int32 set_user_flag(int32 flag);
    void set_arb_rate_switch(int32 on);

    // --- Channel record ---
    int32 build_ch_para(drv_ch_para_t *para);
    int32 apply_ch_para(int32 channel);
    int32 apply_ch_para_both();

    // --- Setters of the later topics (frequency, phase, offset, wave type, harmonics,
    // arbitrary selection); see cfg_bswv_main_standin.cpp ---
    int32 store_freq(lib_unit_data_t value);
    int32 set_phase(const lib_unit_data_t *value);
    int32 restore_offset();
    int32 restore_freq_or_sample_rate();
    int32 set_wave_type(int32 type);
    int32 apply_current_wave(bool full_rule);
    int32 update_harmonic_wave_data();
    int32 get_arb_wave() const;
    int32 set_arb_wave(int32 id);
    std::string get_user_arb_wave_name() const;
    int32 load_user_arb_wave(const std::string &bin_name);

    // --- Wave-type selection (cfg_bswv_type.cpp) ---
    int32 set_noise_bandwidth_switch(int32 on);

    // --- Raw access: no check, no re-apply; record stores follow the store rule ---
    lib_unit_data_t get_freq_raw() const { return freq; }
    lib_unit_data_t get_ampl_raw() const { return ampl; }
    lib_unit_data_t get_offset_raw() const { return offset; }
    lib_unit_data_t get_dc_level_raw() const { return dc_level; }
    lib_unit_data_t get_phase_raw() const { return phase; }
    lib_unit_data_t get_duty_raw() const { return duty; }
    lib_unit_data_t get_symmetry_raw() const { return symmetry; }
    lib_unit_data_t get_prbs_length_raw() const { return prbs_length; }
    lib_unit_data_t get_prbs_edge_raw() const { return prbs_edge; }
    lib_unit_data_t get_pulse_width_raw() const { return pulse_width; }
    lib_unit_data_t get_rise_edge_raw() const { return rise_edge; }
    lib_unit_data_t get_fall_edge_raw() const { return fall_edge; }
    lib_unit_data_t get_pulse_duty_raw() const { return pulse_duty; }
    lib_unit_data_t get_sample_rate_raw() const { return sample_rate; }
    lib_unit_data_t get_noise_stdev_raw() const { return noise_stdev; }
    lib_unit_data_t get_noise_bandwidth_raw() const { return noise_bandwidth; }
    int32 get_wave_type_raw() const { return wave_type; }
    int32 get_prbs_link_raw() const { return prbs_link; }
    int32 get_pulse_hold_raw() const { return pulse_hold; }
    int32 get_load_raw() const { return load; }
    int32 get_sample_rate_mode_raw() const { return sample_rate_mode; }
    int32 get_arb_rate_switch_raw() const { return arb_rate_switch; }
    int32 get_noise_bandwidth_switch_raw() const { return noise_bandwidth_switch; }
    int32 get_harmonic_switch_raw() const { return harmonic_switch; }
    int32 get_harmonic_order_raw() const { return harmonic_order; }
    int32 get_harmonic_type_raw() const { return harmonic_type; }

    void store_freq_raw(lib_unit_data_t v) { store(&freq, v); }
    void store_ampl_raw(lib_unit_data_t v) { store(&ampl, v); }
    void store_offset_raw(lib_unit_data_t v) { store(&offset, v); }
    void store_dc_level_raw(lib_unit_data_t v) { store(&dc_level, v); }
    void store_phase_raw(lib_unit_data_t v) { store(&phase, v); }
    void store_duty_raw(lib_unit_data_t v) { store(&duty, v); }
    void store_symmetry_raw(lib_unit_data_t v) { store(&symmetry, v); }
    void store_prbs_length_raw(lib_unit_data_t v) { store(&prbs_length, v); }
    void store_prbs_edge_raw(lib_unit_data_t v) { store(&prbs_edge, v); }
    void store_pulse_width_raw(lib_unit_data_t v) { store(&pulse_width, v); }
    void store_rise_edge_raw(lib_unit_data_t v) { store(&rise_edge, v); }
    void store_fall_edge_raw(lib_unit_data_t v) { store(&fall_edge, v); }
    void store_pulse_duty_raw(lib_unit_data_t v) { store(&pulse_duty, v); }
    void store_sample_rate_raw(lib_unit_data_t v) { store(&sample_rate, v); }
    void store_noise_stdev_raw(lib_unit_data_t v) { store(&noise_stdev, v); }
    void store_noise_bandwidth_raw(lib_unit_data_t v) { store(&noise_bandwidth, v); }
    void store_wave_type_raw(int32 v) { wave_type = v; }
    void store_prbs_link_raw(int32 v) { prbs_link = v; }
    void store_pulse_hold_raw(int32 v) { pulse_hold = v; }
    int32 store_load_raw(const int32 *ohms)
    {
        load = *ohms;
        return load;
    }
    void store_sample_rate_mode_raw(int32 v) { sample_rate_mode = v; }
    void store_arb_rate_switch_raw(int32 v) { arb_rate_switch = v; }
    void store_noise_bandwidth_switch_raw(int32 v) { noise_bandwidth_switch = v; }
    void store_harmonic_switch_raw(int32 v) { harmonic_switch = v; }
    void store_harmonic_order_raw(int32 v) { harmonic_order = v; }
    void store_harmonic_type_raw(int32 v) { harmonic_type = v; }
    // The signed offset stored back: negated while the polarity is inverted, into the
    // DC level for the DC wave, else the offset.
    void store_signed_offset_raw(lib_unit_data_t v);

    // Harmonic state read by the channel record and the tests.
    long double get_harmonic_scale() const { return harmonic_scale; }
    const std::map<int32, cfg_harmonic_t> &get_harmonics() const { return harmonics; }
    const std::map<int32, int32> &get_harmonic_wave_index() const { return harmonic_wave_index; }
    int32 get_alt_product_flag() const { return alt_product_flag; }

    // The store rule on one of this object's records.
    static void store(lib_unit_data_t *field, const lib_unit_data_t &v);

    // --- Harmonics (cfg_bswv_harmonic.cpp): orders 2 to 10 added to the sine ---
    int32 set_harmonic_switch(int32 on);
    int32 set_harmonic_order(int32 order);
    int32 get_harmonic_order(int32 *out) const;
    int32 set_harmonic_type(int32 type);
    int32 get_harmonic_type(int32 *out) const;
    int32 set_harmonic_ampl(lib_unit_data_t value);
    int32 get_harmonic_ampl(long double *out) const;
    int32 set_harmonic_level(lib_unit_data_t *value);
    int32 get_harmonic_level(lib_unit_data_t *out) const;
    int32 set_harmonic_phase(lib_unit_data_t value);
    int32 get_harmonic_phase(long double *out) const;
    int32 get_harmonic_ampls(std::map<int32, long double> *out) const;
    int32 get_harmonic_scale(long double *out) const;
    // The order moved to the type's parity in the direction of the change, clamped to
    // the order limits and stored; the check's result.
    int32 store_harmonic_order(int32 order);
    long double find_harmonic_ampl(int32 order) const;
    long double find_harmonic_level(int32 order) const;
    long double find_harmonic_phase(int32 order) const;
    void put_harmonic_ampl(int32 order, long double value);
    void put_harmonic_level(int32 order, long double value);
    void put_harmonic_phase(int32 order, long double value);
    lib_unit_data_t level_to_ampl(lib_unit_data_t level) const;
    lib_unit_data_t ampl_to_level(long double volts) const;
    int32 get_harmonic_even_wave_data();
    int32 get_harmonic_odd_wave_data();
    int32 get_harmonic_all_wave_data();
    // The synthesis over the orders of one parity (0 even, 1 odd, 2 all); 1.
    int32 synthesize_harmonics(int32 parity);
    // w rotated left by trunc(L / order x phase / 360) samples (mod its size); 1.
    int32 rotate_wave_by_phase(std::vector<int16> &w, int32 order, long double phase);
    int32 update_harmonic_ampls();
    int32 check_harmonics();
    void check_harmonic_limits();
    const std::vector<int16> &get_harmonic_samples() const { return harmonic_samples; }

    // --- Channel wave data (cfg_bswv_harmonic.cpp) ---
    // One period of the current wave: 0 when out was replaced, -13 (out untouched) for
    // a type without wave data here.
    int32 get_wave_data(std::vector<int16> *out);
    int32 get_builtin_wave_data(int32 index, std::vector<int16> *out, float symmetry);

    // --- Arbitrary-wave selection (cfg_bswv_arb_select.cpp) ---
    int32 get_arb_wave_source();
    int32 load_arb_wave_file(const std::string &path);
    // The parameters of the ".info" file beside a ".bin" path; the reader supplies none.
    void apply_wave_info_file(const std::string &path);
    std::string get_builtin_arb_wave_name() const;
    std::string get_arb_wave_display_name() const;
    // The text shared by both channels: the display name for an arbitrary wave, empty
    // for the other basic waves, unchanged for the remaining types.
    const std::string &get_current_arb_wave_name();
    std::string get_arb_wave_path() const;
    int32 set_arb_wave_index(int32 index);
    int32 load_user_arb_wave_twice(const std::string &path);

private:
    // The phase with a negative zero stored back as positive zero.
    long double normalised_phase();

    int32 user_flag = 0;
    int32 ch = 0;
    cfg_param_check_t param_check;
    int32 wave_type = 0;
    lib_unit_data_t freq{};
    lib_unit_data_t ampl{};
    lib_unit_data_t offset{};
    lib_unit_data_t dc_level{};
    lib_unit_data_t phase{};
    lib_unit_data_t duty{};
    lib_unit_data_t symmetry{};
    lib_unit_data_t prbs_length{};
    lib_unit_data_t prbs_edge{};
    int32 prbs_link = 0;
    int32 pulse_hold = 0;
    lib_unit_data_t pulse_width{};
    lib_unit_data_t rise_edge{};
    lib_unit_data_t fall_edge{};
    lib_unit_data_t pulse_duty{};
    int32 load = 0;
    int32 sample_rate_mode = 0;
    int32 arb_rate_switch = 0;
    lib_unit_data_t sample_rate{};
    lib_unit_data_t noise_stdev{};
    lib_unit_data_t noise_bandwidth{};
    int32 noise_bandwidth_switch = 0;
    int32 harmonic_switch = 0;
    int32 harmonic_order = 0;
    int32 harmonic_type = 0;
    long double harmonic_scale = 0.0L;
    std::vector<int16> harmonic_samples;
    std::map<int32, cfg_harmonic_t> harmonics;
    std::map<int32, int32> harmonic_wave_index;
    int32 alt_product_flag = 0;
    std::unique_ptr<cfg_bswv_wave_t> base_wave;
    std::unique_ptr<cfg_bswv_sine_t> sine;
    std::unique_ptr<cfg_bswv_square_t> square;
    std::unique_ptr<cfg_bswv_ramp_t> ramp;
    std::unique_ptr<cfg_bswv_pulse_t> pulse;
    std::unique_ptr<cfg_bswv_noise_t> noise;
    std::unique_ptr<cfg_bswv_dc_t> dc;
    std::unique_ptr<cfg_bswv_arb_t> arb;
    std::unique_ptr<cfg_bswv_prbs_t> prbs;

public:
    // --- Frequency, amplitude, shape, noise, phase and PRBS setters ---
    // A set_ operation checks, stores (clamped if needed), runs the dependent re-checks
    // and then applies to the driver; a store_ operation changes only the settings.
    // Results: 1 done (0 from the frequency and amplitude stores inside their limits),
    // -10 clamped to the maximum, -11 clamped to the minimum, -12 refused by the wave
    // type or run mode, -13 not accepted. Records are in base units (code 14).

    // Frequency, period and sample rate (cfg_bswv_freq.cpp).
    int32 set_freq(lib_unit_data_t value);
    int32 set_period(lib_unit_data_t value);
    int32 store_period(lib_unit_data_t value);
    int32 set_sample_rate(lib_unit_data_t value);
    int32 store_sample_rate(lib_unit_data_t value);
    int32 set_sample_rate_mode(int32 on);
    void sync_sample_rate_with_freq(int32 channel);
    void recheck_after_freq();
    void recheck_for_wave_type();
    int32 freq_needs_apply();
    void copy_prbs_to_partner();
    void restore_freq();
    int32 restore_freq_record();
    // Every pulse timing record set to 0 (the effective frequency became 0).
    void zero_pulse_timing();

    // Amplitude, offset, levels and load (cfg_bswv_ampl.cpp).
    int32 set_ampl(lib_unit_data_t *value);
    int32 store_ampl(lib_unit_data_t value);
    int32 set_ampl_vrms(lib_unit_data_t *value);
    int32 set_ampl_dbm(lib_unit_data_t *value);
    int32 set_offset(lib_unit_data_t *value);
    int32 store_offset(lib_unit_data_t *value);
    int32 store_dc_level(lib_unit_data_t *value);
    int32 store_offset_or_dc(lib_unit_data_t value);
    int32 set_high_level(lib_unit_data_t value);
    int32 set_low_level(lib_unit_data_t value);
    // The load pulled into 50 .. 100000 or 1000000 and written back through ohms.
    int32 set_load(int32 *ohms);
    void rescale_for_load(long double old_load, long double new_load);
    long double convert_for_load(int32 old_load, int32 new_load, long double value);
    void recheck_after_ampl();
    void recheck_combine();
    static lib_unit_data_t vrms_to_vpp(long double vrms, int32 type);
    static lib_unit_data_t dbm_to_vpp(long double dbm, int32 type, int32 ohms);

    // Duty, symmetry, pulse width, edges, delay and hold (cfg_bswv_timing.cpp).
    int32 set_duty(lib_unit_data_t *value);
    int32 store_duty(lib_unit_data_t value);
    int32 set_symmetry(lib_unit_data_t *value);
    int32 store_symmetry(lib_unit_data_t value);
    int32 set_width(lib_unit_data_t value);
    int32 store_width(lib_unit_data_t value);
    int32 set_pulse_duty(lib_unit_data_t value);
    int32 store_pulse_duty(lib_unit_data_t value);
    int32 set_rise_edge(lib_unit_data_t value);
    int32 store_rise_edge(lib_unit_data_t value);
    int32 set_fall_edge(lib_unit_data_t value);
    int32 store_fall_edge(lib_unit_data_t value);
    void restore_rise_edge();
    void restore_fall_edge();
    int32 set_pulse_delay(lib_unit_data_t value);
    int32 store_pulse_delay(lib_unit_data_t value);
    int32 set_pulse_hold(int32 mode);
    void keep_width();
    void keep_pulse_duty();
    void recheck_pwm();

    // Noise, phase and PRBS (cfg_bswv_misc.cpp).
    int32 set_noise_stdev(lib_unit_data_t value);
    void update_noise_stdev();
    void restore_noise_stdev();
    int32 set_mean(lib_unit_data_t value);
    int32 set_noise_bandwidth(lib_unit_data_t value);
    int32 store_phase(lib_unit_data_t value);
    int32 set_prbs_length(lib_unit_data_t *value);
    int32 store_prbs_length(lib_unit_data_t value);
    int32 set_prbs_edge(lib_unit_data_t *value);
    int32 store_prbs_edge(lib_unit_data_t value);
    int32 recheck_prbs_edge();
    int32 set_prbs_link(int32 on);
};
