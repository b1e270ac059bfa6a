#pragma once
// cali_t: the calibration interface of the driver layer, through which the drivers read
// calibration values, convert through calibration lines and tables, and run the
// calibration procedures. Its own bodies are neutral (nothing, 0.0, 0, 1 or true), so a
// product implements only what its hardware has; the USB module's calibration object is
// a cali_data_vextral_t.
//
// Units: volts, dB, hertz, DAC codes, ADC counts. Channels are u8; the module's record
// keeps channel 0 only. The 112 virtual operations keep this order.
#include "lib_types.h"

#include <string>

// The frequency counter's calibration line (the module keeps none).
struct freq_counter_line_t
{
    long double delta;
    long double slope;
};

class cali_t
{
public:
    // 0: brings the calibration record into memory.
    virtual void init();
    // 1: get_cali_info, then the text and a newline on standard output.
    virtual void print_cali_info(std::string &text);
    virtual void reserved_0();
    virtual void set_default();
    // 4, 5: the record from and to the module's flash; true in the base.
    virtual bool load();
    virtual bool save();
    // 6, 7: the time-base trim code: true, nothing read or stored.
    virtual bool get_time_base_cali(u32 *value);
    virtual bool set_time_base_cali(u32 value);
    // 8: mean of the feedback ADC's raw readings.
    virtual long double read_adc_average();
    // 9-16: the calibration procedures.
    virtual void fb_cali_begin();
    virtual void fb_cali_point_zero();
    virtual void fb_cali_point_pos();
    virtual void fb_cali_point_neg();
    virtual void fb_cali_calc();
    virtual void fb_cali_finish();
    // 1 in the base.
    virtual int32 fb_cali_step(u32 step);
    virtual void calibrate();
    // 17-22: the defaults.
    virtual void set_default_fb_ctl();
    virtual void set_default_ch_data();
    virtual void set_default_freq_data();
    virtual void reserved_1();
    virtual void reserved_2();
    virtual void reset_all();
    // 23: the report replaces text.
    virtual void get_cali_info(std::string &text);
    // 24-31: the feedback ADC line and the DAC reference line.
    virtual void set_fb_delta(long double value);
    virtual long double get_fb_delta();
    virtual long double get_fb_pos_slope();
    virtual long double get_fb_neg_slope();
    virtual void set_ctl_delta(int32 value);
    // 1 in the base.
    virtual int32 get_ctl_delta();
    virtual void set_ctl_slope(long double value);
    virtual long double get_ctl_slope();
    virtual void reserved_3(u32 a, u32 b);
    // 33: the wave DAC trim code (1 in the base).
    virtual int32 get_dac_delta_code(u8 ch);
    // 34-61: per-channel values; base setters do nothing, base getters give 0.0.
    virtual void set_adder_delta(u8 ch, long double value);
    virtual long double get_adder_delta(u8 ch);
    virtual void reserved_ch_set_1(u8 ch, long double value);
    virtual long double reserved_ch_get_1(u8 ch);
    virtual void set_adder_amplifier_delta(u8 ch, long double value);
    virtual long double get_adder_amplifier_delta(u8 ch);
    virtual void reserved_ch_set_2(u8 ch, long double value);
    virtual long double reserved_ch_get_2(u8 ch);
    virtual void set_ac_adder_gain(u8 ch, long double value);
    virtual long double get_ac_adder_gain(u8 ch);
    virtual void set_dc_adder_slope(u8 ch, long double value);
    virtual long double get_dc_adder_slope(u8 ch);
    virtual void set_dc_coarse_slope(u8 ch, long double value);
    virtual long double get_dc_coarse_slope(u8 ch);
    virtual void set_first_coarse_gain(u8 ch, long double value);
    virtual long double get_first_coarse_gain(u8 ch);
    virtual void set_second_coarse_gain(u8 ch, long double value);
    virtual long double get_second_coarse_gain(u8 ch);
    virtual void set_range_gain_3(u8 ch, long double value);
    virtual long double get_range_gain_3(u8 ch);
    virtual void reserved_ch_set_3(u8 ch, long double value);
    virtual long double reserved_ch_get_3(u8 ch);
    virtual void set_range_gain_4(u8 ch, long double value);
    virtual long double get_range_gain_4(u8 ch);
    virtual void reserved_ch_set_4(u8 ch, long double value);
    virtual long double reserved_ch_get_4(u8 ch);
    virtual void reserved_ch_set_5(u8 ch, long double value);
    virtual long double reserved_ch_get_5(u8 ch);
    virtual void reserved_4(u32 a, u32 b);
    virtual void reserved_5(u32 a, u32 b);
    virtual void reserved_6(u32 a, u32 b);
    virtual void reserved_7(u32 a, u32 b);
    virtual void reserved_point_set_1(u8 ch, int32 index, long double value);
    virtual long double reserved_point_get_1(u8 ch, int32 index);
    virtual void reserved_point_set_2(u8 ch, int32 index, long double value);
    virtual long double reserved_point_get_2(u8 ch, int32 index);
    virtual void reserved_pair_set_1(u8 ch, int32 index, long double a, long double b);
    virtual void reserved_pair_get_1(u32 a, u32 b, u32 c);
    virtual void reserved_pair_set_2(u8 ch, int32 index, long double a, long double b);
    virtual void reserved_pair_get_2(u32 a, u32 b, u32 c);
    virtual void set_invariable_gain(u8 ch, long double value);
    virtual long double get_invariable_gain(u8 ch);
    // 76-92: tables; base getters give 0.0, base setters do nothing.
    virtual void reserved_table_set_1(u32 a, u32 b, u32 c, long double value);
    // 1.
    virtual int32 reserved_table_check(u32 a, u32 b);
    virtual long double get_dac_line_volt(u8 ch, int16 index);
    virtual void reserved_table_set_2(u32 a, u32 b, u32 c, long double value);
    virtual long double get_dac_line_vref(u8 ch, int16 index);
    virtual void set_freq_data_freq(u8 ch, u8 sheet, u16 index, long double value);
    virtual long double get_freq_data_freq(u8 ch, u8 sheet, u16 index);
    virtual void set_freq_data_compensate(u8 ch, u8 sheet, u16 index, long double value);
    virtual long double get_freq_data_compensate(u8 ch, u8 sheet, u16 index);
    virtual void set_freq_data_point(u8 ch, u8 sheet, u16 index, long double freq, long double compensate);
    virtual void get_freq_data_point(u8 ch, u8 sheet, u16 index, long double *freq, long double *compensate);
    virtual void set_low_freq_resp_comp(u8 ch, u8 sheet, u8 index, long double value);
    virtual long double get_low_freq_resp_comp(u8 ch, u8 sheet, u8 index);
    virtual void reserved_table_set_3(u32 a, u32 b, u32 c, long double value);
    virtual long double reserved_table_get_3(u32 a, u32 b, u32 c);
    virtual void reserved_table_set_4(u32 a, u32 b, u32 c, long double value);
    // out is left as it was.
    virtual void get_freq_counter_line(freq_counter_line_t *out);
    virtual void reserved_8(u32 a);
    virtual void reserved_9(u32 a);
    // 95-111: conversions, measurements and flags.
    virtual long double get_dac_vref_for_volt(u8 ch, long double volt);
    // 1 in the base.
    virtual int32 is_calibrated();
    virtual long double read_volt_average();
    virtual void set_cali_flag(int32 flag);
    // 1 in the base.
    virtual int32 get_cali_flag();
    virtual void set_cali_value(long double value);
    virtual long double get_cali_value();
    // 0 in the base.
    virtual int32 check_offset_limit(long double unused, long double value);
    virtual long double get_counter_level_code(long double level);
    // 1 on every class: the full-scale code of the other hardware's amplitude driver.
    virtual int32 get_dac_fsc_code(u8 ch, long double level);
    virtual long double get_freq_compensate(u8 ch, u32 word, long double freq, long double ampl, long double offset);
    virtual long double reserved_conv(u8 ch, long double value);
    // 1 in the base.
    virtual u16 get_ctl_code(long double value);
    virtual void reserved_ch_set_6(u8 ch, long double value);
    virtual void reserved_ch_set_7(u8 ch, long double value);
    // 0 on every class.
    virtual int32 get_freq_point_count();
    // 0.
    virtual int32 reserved_10();

protected:
    // The one calibration object lives for the whole process and is never deleted
    // through this class.
    ~cali_t() = default;
};

// The process's one calibration object, the same for every product. It exists from
// the library's load on (a static initialiser beside this getter asks for it).
cali_t *cali_get_instance();
// Puts that object back as constructed (the defaults). Internal: not exported.
void cali_reset_instance();

// Free functions of the calibration unit; each asks cali_get_instance.
// get_time_base_cali (1, value untouched on this product).
int32 drv_time_base_cali_read(u32 *value);
// set_time_base_cali (1).
int32 drv_time_base_cali_save(u32 value);
// The FPGA's time-base trim (no effect on the module); 1.
int32 drv_time_base_dac_write(u32 value);
// The defaults, then save's result.
bool cali_reset_and_save();
// reserved_2.
void cali_reserved_op();
// {freq, compensate} of the first point with the largest compensation above 0.0 among
// the first get_freq_point_count points of the sheet, {0.0, 0.0} when none; 1 (0 for
// a null out).
int32 cali_get_max_compensate(u8 ch, u8 sheet, long double out[2]);
// out[0] = first, out[n - 1] = last and the steps between; 0 for a null out, else 1.
int32 cali_fill_linear(long double *out, u32 n, long double first, long double last);
