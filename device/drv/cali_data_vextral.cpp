#include "cali_data_vextral.h"

#include "cfg_forever_data.h"
#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "gos.h"
#include "lib_number.h"
#include "lib_trunc.h"

#include <cmath>
#include <cstring>

// The getter and the initialiser that calls it share this file: a static link keeps
// the initialiser exactly when something uses the getter. Every product gets this one
// object, so the product id is not asked for: asking would build the instance manager,
// and with it open the USB transport, while the library is being loaded.
cali_t *cali_get_instance()
{
    static cali_data_vextral_t instance;
    return &instance;
}

void cali_reset_instance()
{
    *static_cast<cali_data_vextral_t *>(cali_get_instance()) = cali_data_vextral_t();
}

namespace {

// The calibration object exists as soon as the library is loaded.
[[maybe_unused]] cali_t *const s_cali_at_load = cali_get_instance();

constexpr uint32 CALI_LENGTH_MASK = 0xFFFF;

// Defaults given as doubles keep the double's value.
constexpr long double CALI_DEFAULT_FB_DELTA = 2044.1;
constexpr long double CALI_DEFAULT_FB_SLOPE = -1365.0L;
constexpr int32 CALI_FIRST_CTL_DELTA = 15;
constexpr long double CALI_FIRST_CTL_SLOPE = 10745.0L;
constexpr int32 CALI_DEFAULT_CTL_DELTA = 22;
constexpr long double CALI_DEFAULT_CTL_SLOPE = 10742.6;
constexpr long double CALI_DEFAULT_DAC_DELTA = 100.0L;
constexpr long double CALI_DEFAULT_ADDER_DELTA = 120.0L;
constexpr long double CALI_DEFAULT_ADDER_AMPLIFIER_DELTA = 100.0L;
constexpr long double CALI_DEFAULT_DC_ADDER_SLOPE = 27982.0L;
constexpr long double CALI_DEFAULT_DC_COARSE_SLOPE = 2798.0L;
constexpr long double CALI_DEFAULT_AC_ADDER_GAIN = -1.85;
constexpr long double CALI_DEFAULT_FIRST_COARSE_GAIN = -20.0L;
constexpr long double CALI_DEFAULT_SECOND_COARSE_GAIN = 20.0L;
// The DAC line from (0.1 V, 0.07 V) in 22 steps: (1.2 - 0.1) / 22 as a double, and
// 0.81 / 22 as the nearest extended value.
constexpr long double CALI_DAC_VREF_FIRST = 0.1L;
constexpr long double CALI_DAC_VOLT_FIRST = 0.07L;
constexpr long double CALI_DAC_VREF_STEP = 0.049999999999999996;
constexpr long double CALI_DAC_VOLT_STEP = 0.036818181818181818181818L;
constexpr long double CALI_FREQ_FIRST = 1000000.0L;
constexpr long double CALI_FREQ_STEP = 5000000.0L;
constexpr long double CALI_FREQ_LAST = 30000000.0L;
constexpr long double CALI_TOLERANCE = 0.0003;
constexpr long double CALI_OFFSET_LIMIT = 0.7;
constexpr long double CALI_COUNTER_CODE_PER_VOLT = 10922.0L;
constexpr long double CALI_COUNTER_CODE_ZERO = 13107.0L;
constexpr uint16 CALI_CTL_CODE_OUT_OF_RANGE = 0x8000;

bool cali_dac_index(int16 index)
{
    return index >= 0 && index < CALI_DAC_LINE_POINTS;
}

bool cali_freq_index(u8 sheet, u16 index)
{
    return sheet < CALI_FREQ_SHEETS && index < CALI_FREQ_POINTS;
}

// "cali_all_data.forever_data.name =" and the name field up to its first zero (at most
// its 16 bytes).
void cali_print_name(const uint8 *record)
{
    const char *name = reinterpret_cast<const char *>(record + CALI_RECORD_NAME);
    const int length = static_cast<int>(strnlen(name, CALI_RECORD_NAME_SIZE));
    gos_printf("cali_all_data.forever_data.name =%.*s\n", length, name);
}

} // namespace

cali_data_vextral_t::cali_data_vextral_t()
{
    reset_all();
}

void cali_data_vextral_t::init()
{
    set_default();
    if (!load())
        save();
    write_dac_delta(0);
}

void cali_data_vextral_t::print_cali_info(std::string &text)
{
    get_cali_info(text);
    gos_printf("%s\n", text.c_str());
}

void cali_data_vextral_t::set_default()
{
    reset_all();
}

bool cali_data_vextral_t::load()
{
    uint8 record[CALI_RECORD_SIZE] = {};
    if (cfg_read_forever_data(record, CALI_RECORD_SIZE) != 1)
        return false;
    cali_print_name(record);
    const uint32 checksum = cali_u32_read(record + CALI_RECORD_CHECKSUM);
    const uint32 length = cali_u32_read(record + CALI_RECORD_LENGTH);
    const bool valid =
        lib_checksum_verify(record + CALI_RECORD_LENGTH, CALI_RECORD_SIZE - CALI_RECORD_LENGTH, checksum) &&
        (length & CALI_LENGTH_MASK) == CALI_RECORD_SIZE &&
        std::memcmp(record + CALI_RECORD_NAME, CALI_RECORD_NAME_TEXT, CALI_RECORD_NAME_USED) == 0;
    if (!valid)
        return false;
    cali_values_decode(record, &_values);
    return true;
}

bool cali_data_vextral_t::save()
{
    // Zeroed first, so that a read that delivers nothing leaves no stack bytes behind.
    uint8 record[CALI_RECORD_SIZE] = {};
    cfg_read_forever_data(record, CALI_RECORD_SIZE);
    cali_u32_write(record + CALI_RECORD_LENGTH, CALI_RECORD_SIZE);
    std::memcpy(record + CALI_RECORD_NAME, CALI_RECORD_NAME_TEXT, CALI_RECORD_NAME_USED);
    cali_values_encode(_values, record);
    u32 checksum = 0;
    lib_checksum_negsum(&checksum, record + CALI_RECORD_LENGTH, CALI_RECORD_SIZE - CALI_RECORD_LENGTH);
    cali_u32_write(record + CALI_RECORD_CHECKSUM, checksum);
    cali_print_name(record);
    return cfg_write_forever_data(record, CALI_RECORD_SIZE) == 1;
}

long double cali_data_vextral_t::read_adc_average()
{
    if (_sample_count < 1)
        return 0.0L;
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    long double sum = 0.0L;
    for (int32 i = 0; i < _sample_count; ++i) {
        sum += static_cast<long double>(fpga->read_adc());
        drv_msleep(1.0L);
    }
    return sum / static_cast<uint32>(_sample_count);
}

long double cali_data_vextral_t::read_volt_average()
{
    if (_sample_count < 1)
        return 0.0L;
    long double sum = 0.0L;
    for (int32 i = 0; i < _sample_count; ++i) {
        sum += read_volt();
        drv_msleep(1.0L);
    }
    return sum / static_cast<uint32>(_sample_count);
}

long double cali_data_vextral_t::read_volt()
{
    const long double raw = static_cast<long double>(drv_instance_manage_t::get_instance()->get_fpga()->read_adc());
    const long double delta = get_fb_delta();
    const long double slope = raw <= delta ? get_fb_pos_slope() : get_fb_neg_slope();
    return (raw - delta) / slope;
}

void cali_data_vextral_t::set_default_fb_ctl()
{
    _values.fb_delta = CALI_DEFAULT_FB_DELTA;
    _values.fb_pos_slope = CALI_DEFAULT_FB_SLOPE;
    _values.fb_neg_slope = CALI_DEFAULT_FB_SLOPE;
    _values.ctl_delta = CALI_FIRST_CTL_DELTA;
    _values.ctl_slope = CALI_FIRST_CTL_SLOPE;
}

void cali_data_vextral_t::set_default_ch_data()
{
    _values.ctl_delta = CALI_DEFAULT_CTL_DELTA;
    _values.ctl_slope = CALI_DEFAULT_CTL_SLOPE;
    set_dac_delta(0, CALI_DEFAULT_DAC_DELTA);
    set_adder_delta(0, CALI_DEFAULT_ADDER_DELTA);
    set_adder_amplifier_delta(0, CALI_DEFAULT_ADDER_AMPLIFIER_DELTA);
    set_dc_adder_slope(0, CALI_DEFAULT_DC_ADDER_SLOPE);
    set_dc_coarse_slope(0, CALI_DEFAULT_DC_COARSE_SLOPE);
    set_ac_adder_gain(0, CALI_DEFAULT_AC_ADDER_GAIN);
    set_first_coarse_gain(0, CALI_DEFAULT_FIRST_COARSE_GAIN);
    set_second_coarse_gain(0, CALI_DEFAULT_SECOND_COARSE_GAIN);
    set_invariable_gain(0, 0.0L);
    set_dac_line_point(0, 0, CALI_DAC_VREF_FIRST, CALI_DAC_VOLT_FIRST);
    for (int16 i = 1; i < CALI_DAC_LINE_POINTS; ++i)
        set_dac_line_point(0, i, CALI_DAC_VREF_FIRST + i * CALI_DAC_VREF_STEP,
                           CALI_DAC_VOLT_FIRST + i * CALI_DAC_VOLT_STEP);
}

void cali_data_vextral_t::set_default_freq_data()
{
    for (u8 sheet = 0; sheet < CALI_FREQ_SHEETS; ++sheet) {
        set_freq_data_point(0, sheet, 0, CALI_FREQ_FIRST, 0.0L);
        for (u16 i = 1; i < CALI_FREQ_POINTS; ++i)
            set_freq_data_point(0, sheet, i, i * CALI_FREQ_STEP, 0.0L);
    }
    for (u8 sheet = 0; sheet < CALI_FREQ_SHEETS; ++sheet)
        for (u8 i = 0; i < CALI_FREQ_POINTS; ++i)
            set_low_freq_resp_comp(0, sheet, i, 0.0L);
}

void cali_data_vextral_t::reset_all()
{
    set_default_fb_ctl();
    set_default_ch_data();
    set_default_freq_data();
    _cali_flag = 0;
    _sample_count = 20;
    _max_iterations = 1000;
    for (long double &point : _fb_point)
        point = 0.0L;
    for (long double &value : _dc_scratch)
        value = 0.0L;
    _cali_value = 0.0f;
    _tolerance = CALI_TOLERANCE;
}

void cali_data_vextral_t::write_dac_delta(u8 ch)
{
    const int32 code = get_dac_delta_code(ch);
    drv_instance_manage_t::get_instance()->get_fpga()->set_ch_trim_code(ch, code);
}

void cali_data_vextral_t::set_fb_delta(long double value) { _values.fb_delta = value; }
long double cali_data_vextral_t::get_fb_delta() { return _values.fb_delta; }
long double cali_data_vextral_t::get_fb_pos_slope() { return _values.fb_pos_slope; }
long double cali_data_vextral_t::get_fb_neg_slope() { return _values.fb_neg_slope; }
void cali_data_vextral_t::set_fb_pos_slope(long double value) { _values.fb_pos_slope = value; }
void cali_data_vextral_t::set_fb_neg_slope(long double value) { _values.fb_neg_slope = value; }
void cali_data_vextral_t::set_ctl_delta(int32 value) { _values.ctl_delta = value; }
int32 cali_data_vextral_t::get_ctl_delta() { return _values.ctl_delta; }
void cali_data_vextral_t::set_ctl_slope(long double value) { _values.ctl_slope = value; }
long double cali_data_vextral_t::get_ctl_slope() { return _values.ctl_slope; }

int32 cali_data_vextral_t::get_dac_delta_code(u8)
{
    return lib_trunc_i32(_values.cali_ch_data.dac_delta);
}

void cali_data_vextral_t::set_dac_delta(u8 ch, long double value)
{
    if (ch == 0)
        _values.cali_ch_data.dac_delta = value;
}

// Channel 0's block holds every channel's values.
#define CALI_CH_VALUE(field)                                                                                           \
    void cali_data_vextral_t::set_##field(u8 ch, long double value)                                                   \
    {                                                                                                                  \
        if (ch == 0)                                                                                                   \
            _values.cali_ch_data.field = value;                                                                        \
    }                                                                                                                  \
    long double cali_data_vextral_t::get_##field(u8) { return _values.cali_ch_data.field; }

CALI_CH_VALUE(adder_delta)
CALI_CH_VALUE(adder_amplifier_delta)
CALI_CH_VALUE(ac_adder_gain)
CALI_CH_VALUE(dc_adder_slope)
CALI_CH_VALUE(dc_coarse_slope)
CALI_CH_VALUE(first_coarse_gain)
CALI_CH_VALUE(second_coarse_gain)
CALI_CH_VALUE(invariable_gain)

#undef CALI_CH_VALUE

long double cali_data_vextral_t::get_dac_line_volt(u8, int16 index)
{
    return cali_dac_index(index) ? _values.cali_ch_data.dac_line_data[index].volt : 0.0L;
}

long double cali_data_vextral_t::get_dac_line_vref(u8, int16 index)
{
    return cali_dac_index(index) ? _values.cali_ch_data.dac_line_data[index].vref : 0.0L;
}

void cali_data_vextral_t::set_dac_line_point(u8 ch, int16 index, long double vref, long double volt)
{
    if (ch != 0 || !cali_dac_index(index))
        return;
    _values.cali_ch_data.dac_line_data[index].vref = vref;
    _values.cali_ch_data.dac_line_data[index].volt = volt;
}

void cali_data_vextral_t::set_freq_data_freq(u8 ch, u8 sheet, u16 index, long double value)
{
    if (ch == 0 && cali_freq_index(sheet, index))
        _values.cali_freq_data[sheet][index].freq = value;
}

long double cali_data_vextral_t::get_freq_data_freq(u8, u8 sheet, u16 index)
{
    return cali_freq_index(sheet, index) ? _values.cali_freq_data[sheet][index].freq : 0.0L;
}

void cali_data_vextral_t::set_freq_data_compensate(u8 ch, u8 sheet, u16 index, long double value)
{
    if (ch == 0 && cali_freq_index(sheet, index))
        _values.cali_freq_data[sheet][index].compensate = value;
}

long double cali_data_vextral_t::get_freq_data_compensate(u8, u8 sheet, u16 index)
{
    return cali_freq_index(sheet, index) ? _values.cali_freq_data[sheet][index].compensate : 0.0L;
}

void cali_data_vextral_t::set_freq_data_point(u8 ch, u8 sheet, u16 index, long double freq, long double compensate)
{
    set_freq_data_freq(ch, sheet, index, freq);
    set_freq_data_compensate(ch, sheet, index, compensate);
}

void cali_data_vextral_t::get_freq_data_point(u8 ch, u8 sheet, u16 index, long double *freq,
                                              long double *compensate)
{
    if (freq)
        *freq = get_freq_data_freq(ch, sheet, index);
    if (compensate)
        *compensate = get_freq_data_compensate(ch, sheet, index);
}

void cali_data_vextral_t::set_low_freq_resp_comp(u8 ch, u8 sheet, u8 index, long double value)
{
    if (ch == 0 && cali_freq_index(sheet, index))
        _values.low_freq_resp_comp[sheet][index] = value;
}

long double cali_data_vextral_t::get_low_freq_resp_comp(u8, u8 sheet, u8 index)
{
    return cali_freq_index(sheet, index) ? _values.low_freq_resp_comp[sheet][index] : 0.0L;
}

long double cali_data_vextral_t::get_dac_vref_for_volt(u8, long double volt)
{
    // The line's points straight from the record: this runs on every amplitude change.
    const cali_dac_point_t *line = _values.cali_ch_data.dac_line_data;
    constexpr int16 last = CALI_DAC_LINE_POINTS - 1;
    if (std::isnan(volt) || volt <= line[0].volt)
        return line[0].vref;
    if (volt >= line[last].volt)
        return line[last].vref;
    for (int16 i = 1; i <= last; ++i) {
        const long double upper = line[i].volt;
        if (upper > volt) {
            const long double lower = line[i - 1].volt;
            const long double vref_lower = line[i - 1].vref;
            return vref_lower + (volt - lower) * (line[i].vref - vref_lower) / (upper - lower);
        }
    }
    return line[last].vref;
}

int32 cali_data_vextral_t::is_calibrated()
{
    return get_cali_flag() == 1 ? 1 : 0;
}

void cali_data_vextral_t::set_cali_flag(int32 flag) { _cali_flag = flag; }
int32 cali_data_vextral_t::get_cali_flag() { return _cali_flag; }
void cali_data_vextral_t::set_cali_value(long double value) { _cali_value = static_cast<float>(value); }
long double cali_data_vextral_t::get_cali_value() { return _cali_value; }

int32 cali_data_vextral_t::check_offset_limit(long double, long double value)
{
    return std::fabs(value) < CALI_OFFSET_LIMIT ? 1 : 0;
}

long double cali_data_vextral_t::get_counter_level_code(long double level)
{
    return level * CALI_COUNTER_CODE_PER_VOLT + CALI_COUNTER_CODE_ZERO - 1.0L;
}

long double cali_data_vextral_t::get_freq_compensate(u8 ch, u32 word, long double freq, long double, long double)
{
    const u8 sheet = static_cast<u8>((word >> 2) & 1);
    if (std::isnan(freq) || freq <= CALI_FREQ_FIRST)
        return get_freq_data_compensate(ch, sheet, 0);
    if (freq >= CALI_FREQ_LAST)
        return get_freq_data_compensate(ch, sheet, CALI_FREQ_POINTS - 1);
    int32 i = lib_trunc_i32(freq / CALI_FREQ_STEP);
    if (i < 0)
        i = 0;
    if (i > CALI_FREQ_POINTS - 2)
        i = CALI_FREQ_POINTS - 2;
    const u16 lo = static_cast<u16>(i);
    const u16 hi = static_cast<u16>(i + 1);
    const long double f_lo = get_freq_data_freq(ch, sheet, lo);
    const long double f_hi = get_freq_data_freq(ch, sheet, hi);
    const long double c_lo = get_freq_data_compensate(ch, sheet, lo);
    if (f_hi == f_lo)
        return c_lo;
    return c_lo + (freq - f_lo) * (get_freq_data_compensate(ch, sheet, hi) - c_lo) / (f_hi - f_lo);
}

u16 cali_data_vextral_t::get_ctl_code(long double value)
{
    const long double code = value * get_ctl_slope() + get_ctl_delta();
    if (!lib_trunc_fits<int16>(code))
        return CALI_CTL_CODE_OUT_OF_RANGE;
    return static_cast<u16>(lib_trunc_i16(code));
}
