#pragma once
// cali_data_vextral_t: the USB module's calibration object over its calibration record
// (cali_record.h). It holds the defaults from construction on; init loads the record
// from the module's flash and writes the defaults there when no valid record is found.
//
// The record keeps channel 0 only: every getter answers channel 0's value for any
// channel, and setters given another channel store nothing. Table indexes outside a
// table read 0.0 and store nothing.
#include "cali.h"
#include "cali_record.h"

class cali_data_vextral_t : public cali_t
{
public:
    // The values start as zero bytes (reserved bytes and unset fields included), then
    // take the defaults.
    cali_data_vextral_t();

    // set_default, then load; when that fails, save (the defaults go to the flash).
    // Then the wave DAC trim of channel 0.
    void init() override;
    void print_cali_info(std::string &text) override;
    void set_default() override;
    // Reads the stored record; valid (checksum, the length's low 16 bits, the name's
    // first 12 bytes) replaces the values and answers true. Prints the stored name.
    bool load() override;
    // The stored record with the values, length, name and checksum put in (bytes 20 to
    // 23 stay as stored), written back; true when the write answered 1.
    bool save() override;
    // Means of sample_count readings, each followed by a 1 ms wait; 0.0 for a count
    // below 1.
    long double read_adc_average() override;
    void set_default_fb_ctl() override;
    void set_default_ch_data() override;
    void set_default_freq_data() override;
    void reset_all() override;
    void get_cali_info(std::string &text) override;

    void set_fb_delta(long double value) override;
    long double get_fb_delta() override;
    long double get_fb_pos_slope() override;
    long double get_fb_neg_slope() override;
    void set_ctl_delta(int32 value) override;
    int32 get_ctl_delta() override;
    void set_ctl_slope(long double value) override;
    long double get_ctl_slope() override;
    // dac_delta truncated toward zero.
    int32 get_dac_delta_code(u8 ch) override;
    void set_adder_delta(u8 ch, long double value) override;
    long double get_adder_delta(u8 ch) override;
    void set_adder_amplifier_delta(u8 ch, long double value) override;
    long double get_adder_amplifier_delta(u8 ch) override;
    void set_ac_adder_gain(u8 ch, long double value) override;
    long double get_ac_adder_gain(u8 ch) override;
    void set_dc_adder_slope(u8 ch, long double value) override;
    long double get_dc_adder_slope(u8 ch) override;
    void set_dc_coarse_slope(u8 ch, long double value) override;
    long double get_dc_coarse_slope(u8 ch) override;
    void set_first_coarse_gain(u8 ch, long double value) override;
    long double get_first_coarse_gain(u8 ch) override;
    void set_second_coarse_gain(u8 ch, long double value) override;
    long double get_second_coarse_gain(u8 ch) override;
    void set_invariable_gain(u8 ch, long double value) override;
    long double get_invariable_gain(u8 ch) override;
    long double get_dac_line_volt(u8 ch, int16 index) override;
    long double get_dac_line_vref(u8 ch, int16 index) override;
    void set_freq_data_freq(u8 ch, u8 sheet, u16 index, long double value) override;
    long double get_freq_data_freq(u8 ch, u8 sheet, u16 index) override;
    void set_freq_data_compensate(u8 ch, u8 sheet, u16 index, long double value) override;
    long double get_freq_data_compensate(u8 ch, u8 sheet, u16 index) override;
    void set_freq_data_point(u8 ch, u8 sheet, u16 index, long double freq, long double compensate) override;
    void get_freq_data_point(u8 ch, u8 sheet, u16 index, long double *freq, long double *compensate) override;
    void set_low_freq_resp_comp(u8 ch, u8 sheet, u8 index, long double value) override;
    long double get_low_freq_resp_comp(u8 ch, u8 sheet, u8 index) override;

    // The inverse of the DAC line: the reference voltage for an output amplitude,
    // interpolated between the first point whose volt exceeds it and the one before;
    // vref[0] at or below the first point (and for NaN), vref[22] at or above the last
    // or when no point exceeds it.
    long double get_dac_vref_for_volt(u8 ch, long double volt) override;
    int32 is_calibrated() override;
    long double read_volt_average() override;
    void set_cali_flag(int32 flag) override;
    int32 get_cali_flag() override;
    // Kept as a float.
    void set_cali_value(long double value) override;
    long double get_cali_value() override;
    // 1 when abs(value) < 0.7.
    int32 check_offset_limit(long double unused, long double value) override;
    // level x 10922 + 13107 - 1.
    long double get_counter_level_code(long double level) override;
    // dB between the points of the sheet that bit 2 of the range word selects: point 0
    // at or below 1 MHz (and for NaN), point 6 at or above 30 MHz, else between points
    // trunc(freq / 5 MHz) and the next (point i's value when both hold one frequency).
    long double get_freq_compensate(u8 ch, u32 word, long double freq, long double ampl, long double offset) override;
    // value x ctl_slope + ctl_delta truncated to a signed 16-bit code, as u16; 0x8000
    // when it does not fit.
    u16 get_ctl_code(long double value) override;

    // The channel-0 calibration: zero searches, slopes, the DAC line and the path
    // gains, then the record is saved and printed. A step whose divisor is zero or not
    // finite keeps its previous value; the record is not saved while it holds a value
    // that is not finite.
    void calibrate() override;
    // The feedback ADC's calibration against 0 V, +1 V and -1 V applied by the caller:
    // steps 0 (begin) to 4 (finish) answer 1, any other step does nothing and answers 0.
    int32 fb_cali_step(u32 step) override;
    void fb_cali_begin() override;
    void fb_cali_point_zero() override;
    void fb_cali_point_pos() override;
    void fb_cali_point_neg() override;
    // The line through the three points; a zero or non-finite slope keeps all three
    // previous values, and fb_cali_step (4) then answers 0.
    void fb_cali_calc() override;
    void fb_cali_finish() override;

    // The steps of calibrate; each answers 1 on success and 0 when its search ran out
    // or its division had no usable divisor (the value then stays as it was, except
    // that the failed ctl and adder searches store their next code).
    int32 prepare_channel(u8 ch);
    int32 select_measure_input(u8 ch, int32 input);
    int32 cali_ctl_delta();
    int32 cali_ctl_slope();
    int32 prepare_dac(u8 ch);
    int32 prepare_dac_measure(u8 ch);
    int32 cali_dac_delta(u8 ch);
    int32 prepare_dc(u8 ch);
    int32 cali_adder_delta(u8 ch);
    int32 cali_dc_adder_slope(u8 ch);
    int32 measure_dc_pos(u8 ch);
    int32 cali_dc_coarse(u8 ch);
    int32 prepare_dac_line(u8 ch);
    int32 cali_dac_line(u8 ch);
    int32 prepare_gain(u8 ch);
    // dB of the feedback path against the wave DAC path; NaN when it cannot be formed.
    long double measure_path_gain_db(u8 ch);
    int32 cali_ac_adder_gain(u8 ch);
    int32 cali_first_coarse_gain(u8 ch);
    int32 cali_second_coarse_gain(u8 ch);
    // 1 when -tol <= v <= tol (over untouched); otherwise over = the excess beyond the
    // nearer bound and 0.
    static int32 check_tolerance(long double *over, long double v, long double tol);
    // 20 x log10(|a| / |b|); NaN for a zero or non-finite b or a non-finite a.
    static long double db_ratio(long double a, long double b);
    // Whether every value of the record is finite.
    bool values_finite() const;

    long double get_tolerance() const { return _tolerance; }
    void set_tolerance(long double tolerance) { _tolerance = tolerance; }
    int32 get_max_iterations() const { return _max_iterations; }
    void set_max_iterations(int32 count) { _max_iterations = count; }
    long double get_dc_scratch(int32 index) const { return _dc_scratch[index]; }
    long double get_fb_point(int32 index) const { return _fb_point[index]; }

    // The wave DAC trim of the channel: trunc(dac_delta) to register 44 / 76.
    void write_dac_delta(u8 ch);
    void set_fb_pos_slope(long double value);
    void set_fb_neg_slope(long double value);
    void set_dac_delta(u8 ch, long double value);
    void set_dac_line_point(u8 ch, int16 index, long double vref, long double volt);
    // One feedback ADC reading in volts through the feedback line.
    long double read_volt();

    int32 get_sample_count() const { return _sample_count; }
    void set_sample_count(int32 count) { _sample_count = count; }

private:
    int32 _sample_count = 20;
    long double _tolerance = 0.0L;
    int32 _max_iterations = 1000;
    cali_values_t _values{};
    long double _fb_point[3] = {0, 0, 0};
    long double _dc_scratch[4] = {0, 0, 0, 0};
    int32 _cali_flag = 0;
    float _cali_value = 0.0f;
    bool _fb_line_ok = false;
};
