// The calibration procedures of the USB module: channel 0's analog path measured through
// the feedback ADC behind the 8-way multiplexer, and the feedback ADC itself.
#include "cali_data_vextral.h"

#include "drv_amp.h"
#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_hc4051.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_output.h"
#include "drv_wave_load.h"
#include "gos.h"
#include "lib_trunc.h"

#include <cmath>
#include <limits>

namespace {

constexpr long double CALI_SETTLE_MS = 20.0L;
constexpr long double CALI_RELAY_MS = 80.0L;
constexpr long double CALI_TRIM_MS = 1.0L;
constexpr long double CALI_ADDER_MS = 2.0L;
constexpr long double CALI_SAVE_MS = 100.0L;
constexpr long double CALI_OUTPUT_ON_MS = 200.0L;
constexpr long double CALI_ADDER_UNIT = 0.0001L;
constexpr long double CALI_DAC_VREF_FIRST = 0.1L;
constexpr long double CALI_DAC_VREF_STEP = 0.049999999999999996;
constexpr long double CALI_DIGITAL_ATTEN_DB = 30.0L;
constexpr int32 CALI_INPUT_REF = 0;
constexpr int32 CALI_INPUT_WAVE = 2;
constexpr int32 CALI_INPUT_DC = 4;
constexpr int16 CALI_WAVE_TOP = 32767;
constexpr int16 CALI_WAVE_BOTTOM = -32768;
// Raw 14-bit DAC codes: the top one, and 0x2000, the bottom one in two's complement.
constexpr int16 CALI_RAW_TOP = 8191;
constexpr int16 CALI_RAW_BOTTOM = 8192;
constexpr long double CALI_GAIN_VREF = 1.2L;
constexpr long double CALI_SECOND_GAIN_VREF = 0.3L;
constexpr long double CALI_CTL_SLOPE_VOLT = 1.0L;
constexpr long double CALI_DC_POS_VOLT = 0.25L;
enum { CALI_DC_CODE_POS, CALI_DC_CODE_NEG, CALI_DC_VOLT_POS, CALI_DC_VOLT_NEG };

drv_instance_manage_t *cali_manager()
{
    return drv_instance_manage_t::get_instance();
}

drv_fpga_t *cali_fpga()
{
    return cali_manager()->get_fpga();
}

drv_amp_t *cali_amp()
{
    return cali_manager()->get_amp();
}

void cali_range_relays(u8 ch, int32 first, int32 second)
{
    cali_amp()->set_range_relay_1(ch, first);
    cali_amp()->set_range_relay_2(ch, second);
}

bool cali_usable_divisor(long double divisor)
{
    return std::isfinite(divisor) && divisor != 0.0L;
}

// The ADC code as the procedures write it: the control code of a voltage as a signed
// 16-bit value.
int32 cali_signed_ctl_code(cali_t *cali, long double volts)
{
    return static_cast<int16>(cali->get_ctl_code(volts));
}

// The proportional step of the DC zero search: whole 0.0001 V units of the residual,
// halved, at least 1 (also for a residual that is not finite or too large to count).
int32 cali_adder_step(long double over)
{
    const long double units = std::fabs(over) / CALI_ADDER_UNIT;
    const int32 step = lib_trunc_fits<int32>(units) ? (lib_trunc_i32(units) >> 1) : 1;
    return step < 1 ? 1 : step;
}

} // namespace

int32 cali_data_vextral_t::check_tolerance(long double *over, long double v, long double tol)
{
    if (-tol <= v && v <= tol)
        return 1;
    *over = v > 0.0L ? v - tol : v + tol;
    return 0;
}

long double cali_data_vextral_t::db_ratio(long double a, long double b)
{
    if (!std::isfinite(a) || !cali_usable_divisor(b))
        return std::numeric_limits<long double>::quiet_NaN();
    return 20.0L * std::log10(std::fabs(a) / std::fabs(b));
}

bool cali_data_vextral_t::values_finite() const
{
    const cali_values_t &v = _values;
    const cali_ch_data_t &c = v.cali_ch_data;
    const long double scalars[] = {v.fb_delta,          v.fb_pos_slope,       v.fb_neg_slope,
                                   v.ctl_slope,         c.dac_delta,          c.adder_delta,
                                   c.adder_amplifier_delta, c.dc_adder_slope, c.dc_coarse_slope,
                                   c.ac_adder_gain,     c.first_coarse_gain,  c.second_coarse_gain,
                                   c.invariable_gain};
    for (long double x : scalars)
        if (!std::isfinite(x))
            return false;
    for (const cali_dac_point_t &p : c.dac_line_data)
        if (!std::isfinite(p.vref) || !std::isfinite(p.volt))
            return false;
    for (int32 sheet = 0; sheet < CALI_FREQ_SHEETS; ++sheet)
        for (int32 i = 0; i < CALI_FREQ_POINTS; ++i)
            if (!std::isfinite(v.cali_freq_data[sheet][i].freq) ||
                !std::isfinite(v.cali_freq_data[sheet][i].compensate) ||
                !std::isfinite(v.low_freq_resp_comp[sheet][i]))
                return false;
    return true;
}

// --- calibrate ---

void cali_data_vextral_t::calibrate()
{
    const u8 ch = 0;
    set_cali_flag(0);
    set_cali_value(0.0L);
    prepare_channel(ch);
    select_measure_input(ch, CALI_INPUT_REF);
    cali_ctl_delta();
    cali_ctl_slope();

    prepare_dac(ch);
    gos_printf("\nCalibrate channel DAC+++++++++++++++++++++++++[ch_id=%d]\n", 0);
    prepare_dac_measure(ch);
    cali_dac_delta(ch);

    gos_printf("\nCalibrate DC circuitry+++++++++++++++++++++++++\n");
    prepare_dc(ch);
    cali_adder_delta(ch);
    cali_dc_adder_slope(ch);
    measure_dc_pos(ch);
    cali_dc_coarse(ch);

    gos_printf("\nCalibrate wave DAC line+++++++++++++++++++++++++\n");
    prepare_dac_line(ch);
    cali_dac_line(ch);
    prepare_gain(ch);
    cali_ac_adder_gain(ch);
    cali_first_coarse_gain(ch);
    cali_second_coarse_gain(ch);

    drv_msleep(CALI_SAVE_MS);
    // A value that is not finite would make every later start-up load a broken line.
    if (!values_finite()) {
        gos_printf("calibration holds a value that is not finite: the record is not saved\n");
        return;
    }
    save();
    set_cali_flag(1);
    std::string text = " ";
    print_cali_info(text);
}

// --- steps ---

int32 cali_data_vextral_t::prepare_channel(u8 ch)
{
    drv_fpga_t *fpga = cali_fpga();
    drv_set_output(fpga, 0, ch, 0);
    fpga->set_pulse_mode(ch, 0);
    fpga->set_output_enable(ch, 1);
    drv_set_ch_trim_code(fpga, ch, 0);
    cali_range_relays(ch, 1, 0);
    fpga->set_digital_gain(ch, CALI_DIGITAL_ATTEN_DB);
    fpga->set_offset_volt(ch, 0.0L);
    drv_load_dc_wave(ch, 0, false);
    cali_amp()->set_zero_level(fpga, ch);
    cali_amp()->set_dc_level(fpga, ch, 0.0L);
    drv_msleep(CALI_SETTLE_MS);
    return 1;
}

int32 cali_data_vextral_t::select_measure_input(u8 ch, int32 input)
{
    drv_hc4051_t *mux = cali_manager()->get_hc4051();
    // The multiplexer reaches channel 0 only; a driver without its own selection has
    // nothing to switch.
    if (ch == 0 && mux->replaces_select_input())
        mux->select_input(input);
    return 1;
}

int32 cali_data_vextral_t::cali_ctl_delta()
{
    int32 code = 0;
    for (int32 count = 0;;) {
        cali_fpga()->set_offset_code(0, code);
        drv_msleep(CALI_SETTLE_MS);
        const long double v = read_volt_average();
        if (-_tolerance <= v && v <= _tolerance) {
            set_ctl_delta(code);
            return 1;
        }
        code += v > 0.0L ? -1 : (v < 0.0L ? 1 : 0);
        if (++count > _max_iterations) {
            set_ctl_delta(code);
            return 0;
        }
    }
}

int32 cali_data_vextral_t::cali_ctl_slope()
{
    const long double d = get_ctl_delta();
    cali_fpga()->set_offset_volt(0, CALI_CTL_SLOPE_VOLT);
    const long double c = drv_fpga_t::offset_volt_to_code(CALI_CTL_SLOPE_VOLT);
    drv_msleep(CALI_SETTLE_MS);
    const long double v = read_volt_average();
    if (!cali_usable_divisor(v))
        return 0;
    const long double s = (c - d) / v;
    if (!std::isfinite(s))
        return 0;
    set_ctl_slope(s >= 0.0L ? s + 0.5L : s - 0.5L);
    return 1;
}

int32 cali_data_vextral_t::prepare_dac(u8 ch)
{
    drv_fpga_t *fpga = cali_fpga();
    fpga->set_offset_volt(ch, 0.0L);
    drv_set_ch_trim_code(fpga, ch, get_dac_delta_code(ch));
    cali_range_relays(ch, 1, 0);
    fpga->set_digital_gain(ch, 0.0L);
    drv_msleep(CALI_RELAY_MS);
    drv_load_dc_wave(ch, 0, false);
    cali_amp()->set_dc_level(fpga, ch, 0.0L);
    drv_msleep(CALI_SETTLE_MS);
    return 1;
}

int32 cali_data_vextral_t::prepare_dac_measure(u8 ch)
{
    cali_manager()->get_hc595()->set_path_relay(ch, 1);
    cali_fpga()->set_offset_volt(ch, 0.0L);
    select_measure_input(ch, CALI_INPUT_WAVE);
    drv_msleep(CALI_SETTLE_MS);
    return 1;
}

int32 cali_data_vextral_t::cali_dac_delta(u8 ch)
{
    int32 code = 0;
    for (int32 count = 0;;) {
        drv_set_ch_trim_code(cali_fpga(), ch, code);
        drv_msleep(CALI_TRIM_MS);
        const long double v = read_volt();
        if (-_tolerance <= v && v <= _tolerance) {
            set_dac_delta(ch, code);
            return 1;
        }
        // The trim moves the output the other way round from the reference code.
        code += v > 0.0L ? 1 : (v < 0.0L ? -1 : 0);
        if (++count > _max_iterations)
            return 0;
    }
}

int32 cali_data_vextral_t::prepare_dc(u8 ch)
{
    drv_fpga_t *fpga = cali_fpga();
    fpga->set_offset_volt(ch, 0.0L);
    fpga->clear_ctrl_bit0(ch);
    drv_msleep(CALI_TRIM_MS);
    drv_load_dc_wave(ch, 0, true);
    cali_range_relays(ch, 1, 0);
    select_measure_input(ch, CALI_INPUT_DC);
    drv_msleep(CALI_SETTLE_MS);
    return 1;
}

int32 cali_data_vextral_t::cali_adder_delta(u8 ch)
{
    cali_range_relays(ch, 1, 0);
    int32 code = 0;
    long double over = 0.0L;
    int32 result = 0;
    for (int32 count = 0;;) {
        cali_fpga()->set_ch_dac_code(ch, code);
        drv_msleep(CALI_ADDER_MS);
        const long double v = read_volt_average();
        if (check_tolerance(&over, v, _tolerance) == 1) {
            result = 1;
            break;
        }
        const int32 step = cali_adder_step(over);
        code += over > 0.0L ? -step : step;
        if (++count > _max_iterations)
            break;
    }
    set_adder_delta(ch, code);
    gos_printf("\n");
    return result;
}

int32 cali_data_vextral_t::cali_dc_adder_slope(u8 ch)
{
    const long double a = get_adder_delta(ch);
    cali_range_relays(ch, 1, 0);
    const int32 c = cali_signed_ctl_code(this, CALI_CTL_SLOPE_VOLT);
    cali_fpga()->set_ch_dac_code(ch, c);
    drv_msleep(CALI_SETTLE_MS);
    const long double v = read_volt_average();
    gos_printf("\n");
    if (!cali_usable_divisor(v))
        return 0;
    const long double slope = (c - a) / v;
    if (!std::isfinite(slope))
        return 0;
    set_dc_adder_slope(ch, slope);
    return 1;
}

int32 cali_data_vextral_t::measure_dc_pos(u8 ch)
{
    cali_amp()->set_range_relay_2(ch, 1);
    const int32 c = cali_signed_ctl_code(this, CALI_DC_POS_VOLT);
    cali_fpga()->set_ch_dac_code(ch, c);
    drv_msleep(CALI_SETTLE_MS);
    _dc_scratch[CALI_DC_VOLT_POS] = read_volt_average();
    _dc_scratch[CALI_DC_CODE_POS] = c;
    gos_printf("\n");
    return 1;
}

int32 cali_data_vextral_t::cali_dc_coarse(u8 ch)
{
    cali_amp()->set_range_relay_2(ch, 1);
    const int32 c = cali_signed_ctl_code(this, -CALI_DC_POS_VOLT);
    cali_fpga()->set_ch_dac_code(ch, c);
    drv_msleep(CALI_SETTLE_MS);
    _dc_scratch[CALI_DC_VOLT_NEG] = read_volt_average();
    _dc_scratch[CALI_DC_CODE_NEG] = c;
    gos_printf("\n");
    const long double code_pos = _dc_scratch[CALI_DC_CODE_POS];
    const long double volt_pos = _dc_scratch[CALI_DC_VOLT_POS];
    const long double span = volt_pos - _dc_scratch[CALI_DC_VOLT_NEG];
    if (!cali_usable_divisor(span))
        return 0;
    const long double slope = (code_pos - c) / span;
    const long double zero = code_pos - volt_pos * slope;
    if (!std::isfinite(slope) || !std::isfinite(zero))
        return 0;
    set_adder_amplifier_delta(ch, zero);
    set_dc_coarse_slope(ch, slope);
    return 1;
}

int32 cali_data_vextral_t::prepare_dac_line(u8 ch)
{
    drv_set_ch_trim_code(cali_fpga(), ch, get_dac_delta_code(ch));
    cali_range_relays(ch, 1, 0);
    select_measure_input(ch, CALI_INPUT_WAVE);
    drv_msleep(CALI_SETTLE_MS);
    cali_amp()->clear_digital_atten(ch);
    return 1;
}

int32 cali_data_vextral_t::cali_dac_line(u8 ch)
{
    long double pos[CALI_DAC_LINE_POINTS] = {};
    long double neg[CALI_DAC_LINE_POINTS] = {};
    gos_printf("dac_vref_step = %g\n", static_cast<double>(CALI_DAC_VREF_STEP));
    auto sweep = [&](int16 sample, long double *out) {
        drv_load_dc_wave(ch, sample, true);
        drv_msleep(CALI_SETTLE_MS);
        for (int32 i = 0; i < CALI_DAC_LINE_POINTS; ++i) {
            cali_fpga()->set_offset_volt(ch, CALI_DAC_VREF_FIRST + i * CALI_DAC_VREF_STEP);
            drv_msleep(CALI_SETTLE_MS);
            out[i] = read_volt_average();
        }
    };
    sweep(CALI_WAVE_TOP, pos);
    sweep(CALI_WAVE_BOTTOM, neg);
    for (int32 i = 0; i < CALI_DAC_LINE_POINTS; ++i) {
        const long double vref = CALI_DAC_VREF_FIRST + i * CALI_DAC_VREF_STEP;
        gos_printf("dac_vref(%f)=index(%d)*dac_vref_step(%f); ", static_cast<double>(static_cast<float>(vref)), i,
                   static_cast<double>(CALI_DAC_VREF_STEP));
        const double d = static_cast<double>(pos[i] - neg[i]);
        gos_printf("volt=[pos_value(%f)-neg_value(%f)]/0.8=(%f)/0.8=(%f);\n", static_cast<double>(pos[i]),
                   static_cast<double>(neg[i]), d, std::fabs(d));
        set_dac_line_point(ch, static_cast<int16>(i), vref, std::fabs(d));
    }
    return 1;
}

int32 cali_data_vextral_t::prepare_gain(u8 ch)
{
    drv_fpga_t *fpga = cali_fpga();
    drv_load_dc_wave(ch, CALI_RAW_TOP, false);
    drv_msleep(CALI_SETTLE_MS);
    fpga->set_offset_volt(ch, CALI_GAIN_VREF);
    drv_set_ch_trim_code(fpga, ch, get_dac_delta_code(ch));
    const long double adder = get_adder_delta(ch);
    fpga->set_ch_dac_code(ch, lib_trunc_fits<int32>(adder) ? lib_trunc_i32(adder) : 0);
    drv_msleep(CALI_SETTLE_MS);
    cali_manager()->get_hc595()->set_path_relay(ch, 1);
    return 1;
}

long double cali_data_vextral_t::measure_path_gain_db(u8 ch)
{
    auto measure = [&](int32 input) {
        select_measure_input(ch, input);
        drv_msleep(CALI_SETTLE_MS);
        return read_volt_average();
    };
    drv_load_dc_wave(ch, CALI_RAW_TOP, false);
    drv_msleep(CALI_SETTLE_MS);
    const long double a1 = measure(CALI_INPUT_WAVE);
    const long double b1 = measure(CALI_INPUT_DC);
    drv_load_dc_wave(ch, CALI_RAW_BOTTOM, false);
    drv_msleep(CALI_SETTLE_MS);
    const long double a2 = measure(CALI_INPUT_WAVE);
    const long double b2 = measure(CALI_INPUT_DC);
    return db_ratio(b2 - b1, a2 - a1);
}

int32 cali_data_vextral_t::cali_ac_adder_gain(u8 ch)
{
    cali_amp()->clear_range_relays(ch);
    drv_msleep(CALI_RELAY_MS);
    const long double db = measure_path_gain_db(ch);
    if (!std::isfinite(db))
        return 0;
    set_ac_adder_gain(ch, db);
    return 1;
}

int32 cali_data_vextral_t::cali_first_coarse_gain(u8 ch)
{
    cali_amp()->clear_range_relays(ch);
    cali_amp()->set_range_relay_1(ch, 1);
    drv_msleep(CALI_RELAY_MS);
    const long double db = measure_path_gain_db(ch) - get_ac_adder_gain(ch);
    if (!std::isfinite(db))
        return 0;
    set_first_coarse_gain(ch, db);
    return 1;
}

int32 cali_data_vextral_t::cali_second_coarse_gain(u8 ch)
{
    cali_amp()->clear_range_relays(ch);
    cali_fpga()->set_offset_volt(ch, CALI_SECOND_GAIN_VREF);
    cali_amp()->set_range_relay_2(ch, 1);
    drv_msleep(CALI_RELAY_MS);
    const long double db = measure_path_gain_db(ch) - get_ac_adder_gain(ch);
    if (!std::isfinite(db))
        return 0;
    set_second_coarse_gain(ch, db);
    return 1;
}

// --- feedback ADC ---

int32 cali_data_vextral_t::fb_cali_step(u32 step)
{
    switch (step) {
    case 0: fb_cali_begin(); return 1;
    case 1: fb_cali_point_zero(); return 1;
    case 2: fb_cali_point_pos(); return 1;
    case 3: fb_cali_point_neg(); return 1;
    case 4: fb_cali_finish(); return _fb_line_ok ? 1 : 0;
    default: return 0;
    }
}

void cali_data_vextral_t::fb_cali_begin()
{
    select_measure_input(0, CALI_INPUT_DC);
    drv_hc595_t *relays = cali_manager()->get_hc595();
    relays->set_cali_relay(0, 0);
    relays->set_path_relay(0, 1);
    drv_interface_t::get_instance()->set_output(0, 0, 1);
    drv_msleep(CALI_OUTPUT_ON_MS);
    for (long double &point : _fb_point)
        point = 0.0L;
}

void cali_data_vextral_t::fb_cali_point_zero()
{
    _fb_point[0] = read_adc_average();
}

void cali_data_vextral_t::fb_cali_point_pos()
{
    _fb_point[1] = read_adc_average();
}

void cali_data_vextral_t::fb_cali_point_neg()
{
    _fb_point[2] = read_adc_average();
}

void cali_data_vextral_t::fb_cali_calc()
{
    const long double delta = _fb_point[0];
    const long double pos = _fb_point[1] - _fb_point[0];
    const long double neg = _fb_point[0] - _fb_point[2];
    // The slopes divide every later reading: a point not applied (all three equal) or
    // not finite leaves the whole previous line in place.
    _fb_line_ok = std::isfinite(delta) && cali_usable_divisor(pos) && cali_usable_divisor(neg);
    if (!_fb_line_ok)
        return;
    set_fb_delta(delta);
    set_fb_pos_slope(pos);
    set_fb_neg_slope(neg);
}

void cali_data_vextral_t::fb_cali_finish()
{
    drv_set_output(cali_fpga(), 0, 0, 0);
    fb_cali_calc();
    if (!values_finite()) {
        gos_printf("calibration holds a value that is not finite: the record is not saved\n");
        return;
    }
    save();
    std::string text = " ";
    print_cali_info(text);
}
