#pragma once
// drv_interface_t: the configuration layer's one door into the driver layer. It holds
// no state; each method fetches one driver from the instance manager and makes one
// call (occasionally two, in a fixed order), passing values on unchanged in base
// units, and returns that call's result, or 1 where the comment says so. Callers never
// keep the pointer: they call get_instance and then one method.
//
// ch is the output channel (0 or 1); hold 1 brackets the driver's register writes in
// the FPGA's counted update hold, any other value writes without it.
#include "drv_clock_source.h"
#include "drv_fpga.h"
#include "drv_reg_progress.h"
#include "lib_types.h"

#include <string>

#include <vector>

class cfg_drv_info_map_t;
struct drv_ampl_para_t;
struct drv_ch_para_t;
struct drv_combine_para_t;
struct drv_couple_para_t;
struct drv_data_pattern_para_t;
struct drv_dc_para_t;
struct drv_fpga_atten_t;
struct drv_noise_para_t;
struct drv_square_para_t;
struct drv_wave_para_t;
struct lib_unit_data_t;

class drv_interface_t
{
public:
    // The singleton. Creating it creates nothing else (the drivers come with the first
    // method that reaches the instance manager).
    static drv_interface_t *get_instance();

    // --- Life cycle, trace and run mode ---

    // The instance manager's init (chip start-up and calibration load): false on the
    // USB module even though every step ran. init_drivers is the same.
    bool init();
    bool init_drivers();
    // The chip start-up again; the initialised mark stays.
    void reinit_chips();
    // Closes the register transport; 0. Afterwards writes send nothing and reads give 0.
    int32 uninit();
    // The register-write trace: emptied and switched on (non-zero) or off; its text.
    void set_reg_trace(int32 on);
    std::string *get_reg_trace();
    // The FPGA driver keeps a non-null callback and hands it to the transport layer.
    void set_progress_callback(drv_progress_cb_t callback);
    // The run mode each channel remembers (0 modulation, 1 sweep, 2 burst,
    // 3 continuous); no register is written.
    void set_run_mode(int32 ch, int32 mode);
    int32 get_run_mode(int32 ch);
    bool is_burst_mode(int32 ch);
    // Bit 12 of register 10; the update strobe itself.
    int32 get_update_strobe();
    void update_fpga();
    // PRBS mode and length: nothing on the module.
    void set_prbs_mode(int32 ch, int32 on);
    void set_prbs_length(int32 ch, int32 length);
    // The PRBS edge step of the coupling apply; on the module only its strobe remains.
    void set_ch_couple(int32 ch, const drv_couple_para_t *para);
    // Options the module does not have: nothing.
    void set_phase_option(int32 value);
    static void set_phase_lock(bool on);
    void set_sys_option(int32 value);
    static void sys_option_on();
    static void sys_option_off();
    // The boot-flash image at address 0: 1 when the FPGA class has no writer of its own,
    // else 1 for success and 0 for a failure.
    int32 write_flash_image(const uint8 *data, uint32 length, drv_flash_progress_cb_t progress);
    // Finds "KRVN-SN:" in the first 16384 flash bytes and reads the 14 serial characters
    // from ten bytes after it (the low byte of each 16-bit unit) into out, without a
    // terminator. 0 when the marker is missing or out is null; 1.
    int32 update_flash_serial(int32 unused, char *out);

    // --- Coupling and phase ---
    // Register 86 bit 0 (channel 0) or 1 set for on exactly 1, else cleared.
    void set_combine(int32 ch, int32 on);
    // Register 88 = trunc(weight x 65535); the channel is not used.
    void set_combine_ratio(int32 ch, long double weight);
    // The channel's DDS start phase.
    void set_phase(int32 ch, long double degrees);
    void sync_phase(int32 ch);
    // Bit 14 of register 10, which nothing in the library sets.
    bool get_phase_lock();
    // update_fpga, then sync_phase.
    void update_and_sync_phase(int32 ch);
    // The phase driver's coupling mode.
    void set_phase_mode(int32 mode);
    // out = value x (load + 50) / load, 1. A null out or a load of 0: 0, nothing
    // written.
    int32 convert_ampl_for_load(long double load, long double value, long double *out);

    // --- Basic waves: the wave manager's applies (a null record: 0) ---
    int32 set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    int32 set_square_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    int32 set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    int32 set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    int32 set_noise_wave(int32 ch, const drv_noise_para_t *para);
    int32 set_dc_wave(int32 ch, const drv_dc_para_t *para);
    int32 set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    int32 set_prbs_wave(int32 hold, int32 ch, const drv_wave_para_t *para);
    // Nothing on the module.
    int32 set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para);
    // The symmetry in percent is the value at the start of the record.
    void set_ramp_symmetry(int32 ch, const lib_unit_data_t *symmetry);

    // --- Wave-manager feature queries: false on the module ---
    bool is_arb_ext_freq_supported();
    bool is_noise_ext_supported();
    bool is_couple_supported();
    bool is_aux_supported();
    bool is_square_combine_supported();
    bool is_square_ext_supported();
    bool is_data_pattern_supported();
    // The duty limits narrowed for the square's frequency by the range checker.
    void check_square_duty(long double *min_duty, long double *max_duty, long double hz);

    // --- Output ---
    // Bit 11 of the channel control register (clear when on); 1.
    int32 set_output_enable(int32 ch, int32 on);
    int32 get_output_enable(int32 ch);
    // Remembers the state, switches the relay (5 ms when closing), then the enable bit;
    // inside one hold for hold 1 and on 1. 1.
    int32 set_output(int32 hold, int32 ch, int32 on);
    // Both remembered states again. 1.
    int32 restore_outputs(int32 hold);
    // The inverted bit of register 80 cleared for normal non-zero. 1.
    int32 set_output_polarity(int32 ch, int32 normal);
    int32 get_output_polarity(int32 ch);
    int32 get_output_relay(int32 ch);

    // --- Frequency and phase ---
    int32 set_freq_both(int32 hold, long double f0, long double f1);
    // 1.
    int32 set_freq_phase(int32 ch, long double hz, long double degrees);
    int32 set_phase_by_run_mode(int32 ch, long double degrees);

    // --- Amplitude and offset ---
    // The amplitude driver gets a copy of the record, which it may scale. A null record:
    // 0, nothing written.
    int32 set_ampl_offset(int32 ch, const drv_ampl_para_t *para);
    // The range the driver chose goes only into info (its own copies of the values may
    // be raised); 1. The _word forms answer the driver's range word.
    int32 select_amp_range(long double ampl, long double offset, drv_fpga_atten_t *info);
    int32 select_amp_range_word(long double ampl, long double offset, drv_fpga_atten_t *info);
    // 1; the _word form answers the range word of the level.
    int32 select_dc_range(int32 ch, long double level);
    int32 select_dc_range_word(int32 ch, long double level);
    // The overload driver, then the amplitude driver's applied range, relays and range
    // state; the last one's result (0).
    int32 set_amp_range(int32 ch, int32 word);
    long double get_output_impedance();
    long double get_noise_max_stdev(long double bandwidth, long double value);
    long double get_noise_stdev_factor(long double value);
    long double get_default_level();
    long double get_noise_ampl_factor(int32 mode, long double bandwidth, long double value);

    // --- Arbitrary waves and sample rate ---
    // 1.
    int32 set_sample_rate_mode(int32 ch, int32 mode);
    int32 get_sample_rate_mode(int32 ch);
    int32 set_sample_rate_phase(int32 ch, long double rate, long double degrees);
    void set_sample_rate(int32 ch, long double rate);
    int32 set_builtin_arb_wave(int32 ch, int32 id);
    int32 load_user_arb_wave(int32 ch, const std::string &path);
    long double freq_to_sample_rate(int32 ch, long double hz);
    long double sample_rate_to_freq(int32 ch, long double rate);

    // --- Wave store ---
    // 1.
    int32 get_builtin_wave_data(int32 id, std::vector<int16> &out, float symmetry);
    // 1, also for a name that cannot be read (out then stays as it was).
    int32 get_wave_data_by_name(const std::string &name, std::vector<int16> &out);
    // The channel's wave resampled to the DDS wave length; 1.
    int32 get_resampled_wave_data(int32 ch, std::vector<int16> &out);
    // Samples of the channel's arbitrary wave.
    int32 get_ch_wave_len(int32 ch);
    int32 get_dds_wave_len();

    // --- Pulse timing ---
    void set_pulse_param(int32 ch, long double width, long double fall, long double rise, long double hz);
    // The square driver's duty of one channel, or of both in one strobe.
    void set_square_duty(int32 ch, const drv_square_para_t *para);
    void set_square_duty_both(const drv_square_para_t *ch0, const drv_square_para_t *ch1);
    void set_pulse_param_both(long double hz0, long double width0, long double rise0, long double fall0,
                              long double hz1, long double width1, long double rise1, long double fall1);
    // The high time in FPGA clocks.
    long double set_pwm_param(long double width, long double fall, long double rise);
    // sqrt(t^2 - e^2) / 0.8, the radicand taken as 0 when negative.
    long double convert_pulse_edge(long double t);
    long double get_pulse_min_width();
    long double get_pulse_min_edge();

    // --- Modulation: the static operations of drv_mod_t ---
    int32 set_mod_type(int32 ch, int32 type);
    int32 set_mod_source(int32 ch, int32 type, int32 source);
    // The named wave file as the modulating wave, not inverted.
    int32 set_mod_wave(int32 ch, const std::string &name);
    int32 set_mod_freq(int32 ch, int32 type, long double hz);
    int32 set_mod_freq_both(int32 hold, int32 type0, int32 type1, long double hz0, long double hz1);
    int32 set_mod_deviation(int32 ch, int32 type, long double value);
    int32 set_mod_deviation_both(int32 hold, int32 type0, int32 type1, long double value0, long double value1);
    int32 set_fsk_hop_freq(int32 hold, int32 ch, long double hz);
    int32 set_fsk_hop_freq_both(int32 hold, long double hz0, long double hz1);
    // The PM deviation of half the value: the word of deg / 2.
    int32 set_mod_phase(int32 ch, long double degrees);
    int32 set_psk_polarity(int32 ch, int32 polarity);
    long double get_pwm_min_width();
    long double get_pwm_width_margin();
    // Modulation type 0.
    int32 set_mod_off(int32 ch);
    int32 set_mod_freq_no_update(int32 ch, int32 type, long double hz);
    int32 set_mod_ctrl_bit8(int32 ch, int32 value);

    // --- Sweep ---
    int32 set_sweep_switch(int32 ch, int32 on);
    int32 set_sweep_center_span(int32 ch, long double centre, long double span);
    int32 set_sweep_center_span_both(int32 hold, long double c0, long double s0, long double c1, long double s1);
    int32 is_sweep_on(int32 ch);
    int32 set_sweep_time(int32 ch, long double seconds, int32 hold);
    int32 set_sweep_time_both(int32 hold, long double t0, long double t1);
    int32 set_sweep_trigger_source(int32 ch, int32 source);
    int32 set_sweep_trigger_edge(int32 ch, int32 edge);
    int32 set_sweep_trig_out(int32 ch, int32 on);
    // The 4096-sample profile as the channel's modulating wave.
    int32 set_sweep_wave(int32 ch, int32 type, int32 direction, long double start, long double stop,
                         long double seconds);
    int32 trigger_sweep(int32 ch);
    int32 trigger_sweep_both();

    // --- Burst ---
    // The six values by value; the burst function gets their addresses in the order
    // carrier 0, carrier 1, delay 0, delay 1, period 0, period 1.
    int32 set_burst_both(int32 hold, long double carrier0, long double carrier1, long double delay0,
                         long double delay1, long double period0, long double period1);
    // The start phase of each channel in burst; 1.
    int32 set_burst_phase(long double deg0, long double deg1);
    int32 set_burst_switch(int32 ch, int32 on);
    int32 set_burst_mode(int32 hold, int32 ch, int32 mode);
    // The modulating rate 1 / period, then the carrier; 1 whatever they return.
    int32 set_burst_period(int32 ch, long double period, long double carrier_hz);
    int32 set_burst_trigger_source(int32 hold, int32 ch, int32 source);
    // 0 and 1 route the trigger output (edge bit 1 and 0), 2 switches it off.
    int32 set_burst_trig_out(int32 ch, int32 mode);
    int32 set_burst_delay(int32 ch, long double seconds);
    // -1 is infinite.
    int32 set_burst_cycles(int32 ch, int32 n);
    int32 set_burst_gate_polarity(int32 ch, int32 polarity);
    int32 set_burst_trigger_edge(int32 ch, int32 edge);
    // The edge bit flipped for 1 ms and back.
    int32 toggle_burst_trigger_edge(int32 ch);
    int32 trigger_burst(int32 ch);
    int32 trigger_burst_both();

    // --- Counter ---
    int32 restart_counter();
    int32 get_counter_count(long double *out);
    int32 get_counter_period(long double *out);
    int32 get_counter_pulse_width(long double *out, long double hz);
    int32 is_counter_count_valid();
    int32 is_counter_period_valid();

    // The trigger level in volts. 1.
    int32 set_counter_trigger_level(long double volts);

    // --- Channel state, combining, overload, time base ---
    // A null record: 0. With the continuous flag 1 the channel's modulation goes off;
    // then apply_combine_para on the embedded record.
    int32 apply_channel_para(const drv_ch_para_t *para);
    // The output polarity, then the combining bit; 1 (0 for a null record).
    int32 apply_combine_para(const drv_combine_para_t *para);
    int32 reset_overload(int32 ch);
    // Nothing on the module; 1.
    int32 set_time_base_dac(uint32 value);
    int32 save_time_base_cali(uint32 value);
    int32 read_time_base_cali(uint32 *value);

    // --- Clock, sync output, overload ---
    // 1 on the module: nothing written, the callback never called.
    int32 set_clock_source(int32 source, drv_clock_done_cb_t done);
    // Bit 4 of register 4.
    int32 get_clock_source();
    int32 set_sync_output(int32 ch, int32 on);
    void get_overload_state(uint32 *state);
    // 0 on the module.
    int32 get_overload_interrupt_state();

    // --- Device information: the module has none (0, or nothing) ---
    void sys_info_begin();
    void sys_info_end();
    int32 get_version_item3();
    int32 get_version_item4();
    int32 get_version_item5();
    int32 get_version_item6();
    // Fills nothing; 0.
    int32 fill_driver_map(cfg_drv_info_map_t *map);

    drv_interface_t(const drv_interface_t &) = delete;
    drv_interface_t &operator=(const drv_interface_t &) = delete;

private:
    drv_interface_t() = default;
};
