#include "cali.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"

void cali_t::init() {}
void cali_t::print_cali_info(std::string &) {}
void cali_t::reserved_0() {}
void cali_t::set_default() {}
bool cali_t::load() { return true; }
bool cali_t::save() { return true; }
bool cali_t::get_time_base_cali(u32 *) { return true; }
bool cali_t::set_time_base_cali(u32) { return true; }
long double cali_t::read_adc_average() { return 0.0L; }
void cali_t::fb_cali_begin() {}
void cali_t::fb_cali_point_zero() {}
void cali_t::fb_cali_point_pos() {}
void cali_t::fb_cali_point_neg() {}
void cali_t::fb_cali_calc() {}
void cali_t::fb_cali_finish() {}
int32 cali_t::fb_cali_step(u32) { return 1; }
void cali_t::calibrate() {}
void cali_t::set_default_fb_ctl() {}
void cali_t::set_default_ch_data() {}
void cali_t::set_default_freq_data() {}
void cali_t::reserved_1() {}
void cali_t::reserved_2() {}
void cali_t::reset_all() {}
void cali_t::get_cali_info(std::string &) {}
void cali_t::set_fb_delta(long double) {}
long double cali_t::get_fb_delta() { return 0.0L; }
long double cali_t::get_fb_pos_slope() { return 0.0L; }
long double cali_t::get_fb_neg_slope() { return 0.0L; }
void cali_t::set_ctl_delta(int32) {}
int32 cali_t::get_ctl_delta() { return 1; }
void cali_t::set_ctl_slope(long double) {}
long double cali_t::get_ctl_slope() { return 0.0L; }
void cali_t::reserved_3(u32, u32) {}
int32 cali_t::get_dac_delta_code(u8) { return 1; }
void cali_t::set_adder_delta(u8, long double) {}
long double cali_t::get_adder_delta(u8) { return 0.0L; }
void cali_t::reserved_ch_set_1(u8, long double) {}
long double cali_t::reserved_ch_get_1(u8) { return 0.0L; }
void cali_t::set_adder_amplifier_delta(u8, long double) {}
long double cali_t::get_adder_amplifier_delta(u8) { return 0.0L; }
void cali_t::reserved_ch_set_2(u8, long double) {}
long double cali_t::reserved_ch_get_2(u8) { return 0.0L; }
void cali_t::set_ac_adder_gain(u8, long double) {}
long double cali_t::get_ac_adder_gain(u8) { return 0.0L; }
void cali_t::set_dc_adder_slope(u8, long double) {}
long double cali_t::get_dc_adder_slope(u8) { return 0.0L; }
void cali_t::set_dc_coarse_slope(u8, long double) {}
long double cali_t::get_dc_coarse_slope(u8) { return 0.0L; }
void cali_t::set_first_coarse_gain(u8, long double) {}
long double cali_t::get_first_coarse_gain(u8) { return 0.0L; }
void cali_t::set_second_coarse_gain(u8, long double) {}
long double cali_t::get_second_coarse_gain(u8) { return 0.0L; }
void cali_t::set_range_gain_3(u8, long double) {}
long double cali_t::get_range_gain_3(u8) { return 0.0L; }
void cali_t::reserved_ch_set_3(u8, long double) {}
long double cali_t::reserved_ch_get_3(u8) { return 0.0L; }
void cali_t::set_range_gain_4(u8, long double) {}
long double cali_t::get_range_gain_4(u8) { return 0.0L; }
void cali_t::reserved_ch_set_4(u8, long double) {}
long double cali_t::reserved_ch_get_4(u8) { return 0.0L; }
void cali_t::reserved_ch_set_5(u8, long double) {}
long double cali_t::reserved_ch_get_5(u8) { return 0.0L; }
void cali_t::reserved_4(u32, u32) {}
void cali_t::reserved_5(u32, u32) {}
void cali_t::reserved_6(u32, u32) {}
void cali_t::reserved_7(u32, u32) {}
void cali_t::reserved_point_set_1(u8, int32, long double) {}
long double cali_t::reserved_point_get_1(u8, int32) { return 0.0L; }
void cali_t::reserved_point_set_2(u8, int32, long double) {}
long double cali_t::reserved_point_get_2(u8, int32) { return 0.0L; }
void cali_t::reserved_pair_set_1(u8, int32, long double, long double) {}
void cali_t::reserved_pair_get_1(u32, u32, u32) {}
void cali_t::reserved_pair_set_2(u8, int32, long double, long double) {}
void cali_t::reserved_pair_get_2(u32, u32, u32) {}
void cali_t::set_invariable_gain(u8, long double) {}
long double cali_t::get_invariable_gain(u8) { return 0.0L; }
void cali_t::reserved_table_set_1(u32, u32, u32, long double) {}
int32 cali_t::reserved_table_check(u32, u32) { return 1; }
long double cali_t::get_dac_line_volt(u8, int16) { return 0.0L; }
void cali_t::reserved_table_set_2(u32, u32, u32, long double) {}
long double cali_t::get_dac_line_vref(u8, int16) { return 0.0L; }
void cali_t::set_freq_data_freq(u8, u8, u16, long double) {}
long double cali_t::get_freq_data_freq(u8, u8, u16) { return 0.0L; }
void cali_t::set_freq_data_compensate(u8, u8, u16, long double) {}
long double cali_t::get_freq_data_compensate(u8, u8, u16) { return 0.0L; }
void cali_t::set_freq_data_point(u8, u8, u16, long double, long double) {}
void cali_t::get_freq_data_point(u8, u8, u16, long double *, long double *) {}
void cali_t::set_low_freq_resp_comp(u8, u8, u8, long double) {}
long double cali_t::get_low_freq_resp_comp(u8, u8, u8) { return 0.0L; }
void cali_t::reserved_table_set_3(u32, u32, u32, long double) {}
long double cali_t::reserved_table_get_3(u32, u32, u32) { return 0.0L; }
void cali_t::reserved_table_set_4(u32, u32, u32, long double) {}
void cali_t::get_freq_counter_line(freq_counter_line_t *) {}
void cali_t::reserved_8(u32) {}
void cali_t::reserved_9(u32) {}
long double cali_t::get_dac_vref_for_volt(u8, long double) { return 0.0L; }
int32 cali_t::is_calibrated() { return 1; }
long double cali_t::read_volt_average() { return 0.0L; }
void cali_t::set_cali_flag(int32) {}
int32 cali_t::get_cali_flag() { return 1; }
void cali_t::set_cali_value(long double) {}
long double cali_t::get_cali_value() { return 0.0L; }
int32 cali_t::check_offset_limit(long double, long double) { return 0; }
long double cali_t::get_counter_level_code(long double) { return 0.0L; }
int32 cali_t::get_dac_fsc_code(u8, long double) { return 1; }
long double cali_t::get_freq_compensate(u8, u32, long double, long double, long double) { return 0.0L; }
long double cali_t::reserved_conv(u8, long double) { return 0.0L; }
u16 cali_t::get_ctl_code(long double) { return 1; }
void cali_t::reserved_ch_set_6(u8, long double) {}
void cali_t::reserved_ch_set_7(u8, long double) {}
int32 cali_t::get_freq_point_count() { return 0; }
int32 cali_t::reserved_10() { return 0; }

int32 drv_time_base_cali_read(u32 *value)
{
    return cali_get_instance()->get_time_base_cali(value) ? 1 : 0;
}

int32 drv_time_base_cali_save(u32 value)
{
    return cali_get_instance()->set_time_base_cali(value) ? 1 : 0;
}

int32 drv_time_base_dac_write(u32 value)
{
    drv_instance_manage_t::get_instance()->get_fpga()->set_time_base_dac(static_cast<int32>(value));
    return 1;
}

bool cali_reset_and_save()
{
    // The base set_default does nothing, so calling it equals skipping it.
    cali_t *cali = cali_get_instance();
    cali->set_default();
    return cali->save();
}

void cali_reserved_op()
{
    cali_get_instance()->reserved_2();
}

int32 cali_get_max_compensate(u8 ch, u8 sheet, long double out[2])
{
    if (!out)
        return 0;
    cali_t *cali = cali_get_instance();
    out[0] = 0.0L;
    out[1] = 0.0L;
    const int32 count = cali->get_freq_point_count();
    for (int32 i = 0; i < count; ++i) {
        long double freq = 0.0L;
        long double compensate = 0.0L;
        cali->get_freq_data_point(ch, sheet, static_cast<u16>(i), &freq, &compensate);
        if (compensate > 0.0L && compensate > out[1]) {
            out[0] = freq;
            out[1] = compensate;
        }
    }
    return 1;
}

int32 cali_fill_linear(long double *out, u32 n, long double first, long double last)
{
    if (!out)
        return 0;
    if (n == 0)
        return 1;
    out[0] = first;
    for (u32 i = 1; i + 1 < n; ++i)
        out[i] = first + i * (last - first) / (n - 1);
    out[n - 1] = last;
    return 1;
}
