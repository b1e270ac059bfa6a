#include "drv_amp.h"

#include "cali.h"
#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_para.h"
#include "drv_state_query.h"
#include "drv_voltage_overload.h"
#include "gos.h"
#include "lib_trunc.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The base constants; the first two are double values.
constexpr long double DRV_NOISE_CONST_A = 917578.660479496;
constexpr long double DRV_NOISE_CONST_B = 185138.579710648;
constexpr long double DRV_NOISE_SCALE = 1048576.0L;
constexpr long double DRV_SAMPLE_CLOCK = 150000000.0L;
constexpr long double DRV_NOISE_REF_BANDWIDTH = 20000000.0L;

constexpr long double DRV_OUTPUT_IMPEDANCE = 50.0L;
constexpr long double DRV_RANGE_SETTLE_MS = 3.0L;
constexpr long double DRV_AM_HEADROOM = 1.1L;
constexpr long double DRV_LOW_FREQ_LIMIT = 1000000.0L;
constexpr int32 DRV_MOD_TYPE_AM = 1;
constexpr int32 DRV_MOD_TYPE_FM = 2;
constexpr int32 DRV_MOD_TYPE_FSK = 5;
constexpr int32 DRV_RUN_MODE_MOD = 0;

// One row of a range table: lower < amplitude <= upper, the bounds double constants.
// A dB of 0 means no digital attenuation.
struct drv_amp_row_t
{
    double lower;
    double upper;
    int32 low_word;
    long double low_db; // 0: no digital attenuation
    int32 high_word;
    long double high_db;
    bool minimum; // the amplitude is raised to the table's floor
};

constexpr double DRV_NO_LOWER = -std::numeric_limits<double>::infinity();
constexpr long double DRV_BASE_ATTEN_DB = -23.87L;
constexpr long double DRV_BASE_FLOOR = 0.002L;
constexpr long double DRV_BASE_OFFSET_LIMIT = 2.0L;

const drv_amp_row_t DRV_BASE_TABLE[] = {
    {8.0, 25.0, 32, 0, 32, 0, false},
    {3.2, 8.0, 36, 0, 36, 0, false},
    {1.25, 3.2, 0, 0, 40, 0, false},
    {0.512, 1.25, 4, 0, 48, 0, false},
    {0.2048, 0.512, 8, 0, 52, 0, false},
    {0.08192, 0.2048, 16, 0, 56, 0, false},
    {0.03276, 0.08192, 20, 0, 60, 0, false},
    {0.0131, 0.03276, 24, 0, 52, DRV_BASE_ATTEN_DB, false},
    {0.00524, 0.0131, 28, 0, 56, DRV_BASE_ATTEN_DB, false},
    {0.001999999, 0.00524, 20, DRV_BASE_ATTEN_DB, 60, DRV_BASE_ATTEN_DB, false},
    {DRV_NO_LOWER, 0.001999999, 20, DRV_BASE_ATTEN_DB, 60, DRV_BASE_ATTEN_DB, true},
};

// Step tables: lower < amplitude <= upper gives the step.
struct drv_amp_step_t
{
    double lower;
    double upper;
    u8 step;
};

const drv_amp_step_t DRV_BASE_STEPS[] = {
    {8.0, 20.0011, 0},   {3.2, 8.0, 1},          {1.28, 3.2, 2},       {0.512, 1.28, 3},    {0.2048, 0.512, 4},
    {0.08192, 0.2048, 5}, {0.03276, 0.08192, 6}, {0.0131, 0.03276, 7}, {0.00524, 0.0131, 8},
};
constexpr u8 DRV_BASE_LAST_STEP = 9;

// The range-relay masks of the base relay word.
constexpr int32 DRV_BASE_RELAY[4] = {4, 8, 16, 32};
constexpr int32 DRV_BASE_HIGH_OFFSET_BIT = 32;

drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}

} // namespace

drv_amp_t::drv_amp_t()
    : _noise_const_a(DRV_NOISE_CONST_A), _noise_const_b(DRV_NOISE_CONST_B), _noise_scale(DRV_NOISE_SCALE),
      _sample_clock(DRV_SAMPLE_CLOCK), _noise_ref_bandwidth(DRV_NOISE_REF_BANDWIDTH)
{
}

int32 drv_amp_t::select_amp_range(long double *ampl, long double *offset, drv_fpga_atten_t *info)
{
    *info = drv_fpga_atten_t{};
    const bool high = !(std::fabs(*offset) < DRV_BASE_OFFSET_LIMIT);
    const long double a = *ampl;
    for (const drv_amp_row_t &row : DRV_BASE_TABLE) {
        if (!(a > row.lower && a <= row.upper))
            continue;
        const long double db = high ? row.high_db : row.low_db;
        info->on = db != 0;
        info->gain_db = db;
        if (row.minimum) {
            info->add_extra = true;
            info->extra_db = 20.0L * gos_log10l(a / DRV_BASE_FLOOR);
            *ampl = DRV_BASE_FLOOR;
        }
        return high ? row.high_word : row.low_word;
    }
    return 0;
}

int32 drv_amp_t::classify_amp_step(long double ampl, long double offset, u8 *high_offset, u8 *step)
{
    *high_offset = std::fabs(offset) < DRV_BASE_OFFSET_LIMIT ? 0 : 1;
    for (const drv_amp_step_t &row : DRV_BASE_STEPS)
        if (ampl > row.lower && ampl <= row.upper) {
            *step = row.step;
            return 1;
        }
    *step = DRV_BASE_LAST_STEP;
    return 1;
}

int32 drv_amp_t::select_dc_range(int32, long double level)
{
    return std::fabs(level) > 2.0L ? 0x3c : 0x1c;
}

int32 drv_amp_t::set_range_bit(int32 ch, int32 on, int32 mask)
{
    return manager()->get_hc595()->set_range_bit(ch, on, mask);
}

int32 drv_amp_t::set_range_relay_1(int32 ch, int32 on) { return set_range_bit(ch, on, DRV_BASE_RELAY[0]); }
int32 drv_amp_t::set_range_relay_2(int32 ch, int32 on) { return set_range_bit(ch, on, DRV_BASE_RELAY[1]); }
int32 drv_amp_t::set_range_relay_3(int32 ch, int32 on) { return set_range_bit(ch, on, DRV_BASE_RELAY[2]); }
int32 drv_amp_t::set_range_relay_4(int32 ch, int32 on) { return set_range_bit(ch, on, DRV_BASE_RELAY[3]); }

int32 drv_amp_t::clear_range_relays(int32 ch)
{
    set_range_relay_1(ch, 0);
    set_range_relay_2(ch, 0);
    set_range_relay_3(ch, 0);
    return set_range_relay_4(ch, 0);
}

int32 drv_amp_t::set_range_relays(int32 ch)
{
    set_range_relay_1(ch, 1);
    set_range_relay_2(ch, 1);
    set_range_relay_3(ch, 1);
    return set_range_relay_4(ch, 1);
}

int32 drv_amp_t::write_range_word(int32 ch, int32 word)
{
    return manager()->get_hc595()->set_range_word(ch, word);
}

int32 drv_amp_t::write_range_relays(int32 ch, int32 word)
{
    return manager()->get_hc595()->set_range_word(ch, word);
}

template <typename writes_t>
void drv_amp_t::apply_range(drv_fpga_t *fpga, int32 ch, int32 word, int32 change, bool relay_closed,
                            writes_t &&writes)
{
    drv_voltage_overload_t *overload = manager()->get_voltage_overload();
    if (relay_closed && word != get_applied_range(ch)) {
        fpga->set_output_relay(ch, 0);
        drv_msleep(DRV_RANGE_SETTLE_MS);
    }
    if (change == _range_up_code)
        overload->set_amp_range(ch, static_cast<uint32>(word));
    writes();
    if (change == _range_down_code)
        overload->set_amp_range(ch, static_cast<uint32>(word));
    set_applied_range(ch, word);
    if (relay_closed) {
        drv_msleep(DRV_RANGE_SETTLE_MS);
        fpga->set_output_relay(ch, 1);
    }
}

int32 drv_amp_t::set_dc_level(drv_fpga_t *fpga, int32 ch, long double level)
{
    if (!is_channel(ch))
        return 0;
    const int32 word = select_dc_range(ch, level);
    const int32 change = update_dc_range_state(ch, level);
    const bool relay_closed = fpga->get_output_relay(ch) == 1;
    apply_range(fpga, ch, word, change, relay_closed, [&] {
        write_range_word(ch, word);
        set_offset_dac(ch, word, level);
    });
    return 1;
}

int32 drv_amp_t::set_dac_fsc(int32, u16)
{
    return 1;
}

int32 drv_amp_t::write_offset_dac(int32 ch, int32 word, long double offset, int32 high_mask)
{
    cali_t *cali = cali_get_instance();
    const u8 c = static_cast<u8>(ch);
    const bool high = (word & high_mask) != 0;
    const long double zero = high ? cali->get_adder_amplifier_delta(c) : cali->get_adder_delta(c);
    const long double gain = high ? cali->get_dc_coarse_slope(c) : cali->get_dc_adder_slope(c);
    manager()->get_fpga()->set_ch_dac_code(ch, lib_trunc_i32(zero + offset * gain));
    return 1;
}

int32 drv_amp_t::set_offset_dac(int32 ch, int32 word, long double offset)
{
    return write_offset_dac(ch, word, offset, DRV_BASE_HIGH_OFFSET_BIT);
}

long double drv_amp_t::get_noise_max_stdev(long double bandwidth, long double value)
{
    return value / noise_bandwidth_factor(bandwidth);
}

long double drv_amp_t::get_noise_stdev_factor(long double)
{
    return 0.0L;
}

long double drv_amp_t::get_default_level()
{
    return 0.0L;
}

long double drv_amp_t::get_sample_clock()
{
    return _sample_clock;
}

int32 drv_amp_t::clear_digital_atten(int32 ch)
{
    drv_fpga_atten_t off;
    manager()->get_fpga()->set_atten(ch, &off);
    return 1;
}

long double drv_amp_t::db_to_ratio(long double db)
{
    for (const ratio_memo_t &m : _ratio_memo)
        if (m.db == db)
            return m.ratio;
    ratio_memo_t &slot = _ratio_memo[_ratio_memo_next];
    _ratio_memo_next = (_ratio_memo_next + 1) % 4;
    slot = {db, std::pow(10.0L, db / 20.0L)};
    return slot.ratio;
}

int32 drv_amp_t::set_amplitude(int32 ch, int32 word, drv_fpga_atten_t *info, long double ampl, long double corr_db)
{
    return set_amplitude_dac(ch, calc_amplitude_level(ch, ampl, word, info, corr_db));
}

int32 drv_amp_t::set_amplitude_dac(int32 ch, long double level)
{
    const u16 code = static_cast<u16>(cali_get_instance()->get_dac_fsc_code(static_cast<u8>(ch), level));
    return set_dac_fsc(ch, code);
}

long double drv_amp_t::calc_amplitude_level(int32 ch, long double ampl, int32 word, drv_fpga_atten_t *info,
                                            long double corr_db)
{
    const long double gain =
        get_range_gain_db(ch, word, info) + cali_get_instance()->get_invariable_gain(static_cast<u8>(ch)) - corr_db;
    return ampl / db_to_ratio(gain);
}

int32 drv_amp_t::load_word_list(int32 ch, const drv_amp_word_list_t *list)
{
    drv_fpga_t *fpga = manager()->get_fpga();
    fpga->reset_table_ptr(ch);
    if (!list)
        return 1;
    const std::size_t count = std::min<std::size_t>(list->count, list->words.size());
    for (std::size_t i = 0; i < count; ++i)
        fpga->write_table_word(ch, static_cast<int32>(list->words[i]));
    return 1;
}

long double drv_amp_t::get_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                              long double offset)
{
    const long double lookup = lookup_ampl_correction_db(ch, word, freq, ampl, offset);
    drv_fpga_t *fpga = manager()->get_fpga();
    if (is_freq_varying(ch) == 0) {
        fpga->set_amp_flag(ch, 1);
        return lookup;
    }
    const long double varying = get_varying_ampl_correction(ch, ampl, offset);
    fpga->set_amp_flag(ch, 0);
    return varying;
}

long double drv_amp_t::lookup_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                                 long double offset)
{
    cali_t *cali = cali_get_instance();
    const u8 c = static_cast<u8>(ch);
    if (freq < DRV_LOW_FREQ_LIMIT) {
        u8 high_offset = 0;
        u8 step = 0;
        classify_amp_step(ampl, offset, &high_offset, &step);
        return cali->get_low_freq_resp_comp(c, high_offset, step);
    }
    return cali->get_freq_compensate(c, static_cast<u32>(word), freq, ampl, offset);
}

long double drv_amp_t::get_range_gain_db(int32 ch, int32 word, drv_fpga_atten_t *info)
{
    cali_t *cali = cali_get_instance();
    const u8 c = static_cast<u8>(ch);
    long double gain = cali->get_ac_adder_gain(c);
    gain += (word & 4) ? cali->get_first_coarse_gain(c) : 0.0L;
    gain += (word & 8) ? cali->get_second_coarse_gain(c) : 0.0L;
    gain += (word & 16) ? cali->get_range_gain_3(c) : 0.0L;
    gain += (word & 32) ? cali->get_range_gain_4(c) : 0.0L;
    gain += info->on ? info->gain_db : 0.0L;
    return gain;
}

int32 drv_amp_t::is_freq_varying(int32 ch)
{
    if (drv_sweep_is_on(ch))
        return 1;
    if (drv_mod_t::is_mod_on(ch)) {
        const int32 type = drv_mod_t::get_mod_type(ch);
        if (type == DRV_MOD_TYPE_FM || type == DRV_MOD_TYPE_FSK)
            return 1;
    }
    return 0;
}

int32 drv_amp_t::apply_amplitude(int32 ch, int32 word, drv_fpga_atten_t *info, long double freq, long double ampl,
                                 long double offset)
{
    return set_amplitude(ch, word, info, ampl, get_ampl_correction_db(ch, word, freq, ampl, offset));
}

long double drv_amp_t::get_offset_correction(int32, int32, long double, long double)
{
    return 0.0L;
}

long double drv_amp_t::get_varying_ampl_correction(int32, long double, long double)
{
    return 0.0L;
}

int32 drv_amp_t::set_ampl_offset(drv_fpga_t *fpga, int32 ch, drv_ampl_para_t *para)
{
    if (!is_channel(ch) || !fpga || !para)
        return 0;
    const bool relay_closed = fpga->get_output_relay(ch) == 1;
    apply_am_headroom(ch, para);
    const long double load = para->load;
    long double ampl = para->ampl * (load + 50) / load;
    long double offset = para->offset * (load + 50) / load;
    drv_fpga_atten_t info;
    const int32 word = get_range_word(ch, &ampl, &offset, &info);
    const int32 change = update_range_state(ch, ampl, offset);
    apply_range(fpga, ch, word, change, relay_closed, [&] {
        const long double offset_total = offset + get_offset_correction(ch, word, ampl, offset);
        write_range_relays(ch, word);
        fpga->set_atten(ch, &info);
        apply_amplitude(ch, word, &info, para->freq, ampl, offset);
        set_offset_dac(ch, word, offset_total);
    });
    return 1;
}

int32 drv_amp_t::get_range_word(int32 ch, long double *ampl, long double *offset, drv_fpga_atten_t *info)
{
    if (*ampl == 0.0L)
        return select_dc_range(ch, *offset);
    return select_amp_range(ampl, offset, info);
}

namespace {

// The change of the mask bit between the remembered word and a new one.
int32 drv_range_change(int32 *state, int32 word, int32 mask)
{
    if ((word & mask) == (*state & mask))
        return 2;
    *state = word;
    return (word & mask) ? 1 : 0;
}

} // namespace

int32 drv_amp_t::update_range_state(int32 ch, long double ampl, long double offset)
{
    if (!is_channel(ch))
        return 2;
    drv_fpga_atten_t scratch;
    const int32 word = get_range_word(ch, &ampl, &offset, &scratch);
    return drv_range_change(&_range_state[ch], word, _range_switch_mask);
}

int32 drv_amp_t::update_dc_range_state(int32 ch, long double level)
{
    if (!is_channel(ch))
        return 2;
    return drv_range_change(&_range_state[ch], select_dc_range(ch, level), _range_switch_mask);
}

void drv_amp_t::set_applied_range(int32 ch, int32 word)
{
    _applied_range[ch == 0 ? 0 : 1] = word;
}

int32 drv_amp_t::get_applied_range(int32 ch) const
{
    return _applied_range[ch == 0 ? 0 : 1];
}

int32 drv_amp_t::set_range_state(int32 ch, int32 word)
{
    if (is_channel(ch))
        _range_state[ch] = word;
    return 0;
}

int32 drv_amp_t::get_range_state(int32 ch) const
{
    return is_channel(ch) ? _range_state[ch] : 0;
}

void drv_amp_t::set_zero_level(drv_fpga_t *fpga, int32 ch)
{
    set_dc_level(fpga, ch, 0.0L);
}

int32 drv_amp_t::apply_am_headroom(int32 ch, drv_ampl_para_t *para)
{
    drv_fpga_t *fpga = manager()->get_fpga();
    if (fpga->get_run_mode(ch) == DRV_RUN_MODE_MOD && drv_mod_t::get_mod_type(ch) == DRV_MOD_TYPE_AM)
        para->ampl *= DRV_AM_HEADROOM;
    return 1;
}

int32 drv_amp_t::convert_ampl_for_load(long double load, long double value, long double *out)
{
    if (!out)
        return 0;
    *out = value * (load + 50) / load;
    return 1;
}

long double drv_amp_t::get_output_impedance()
{
    return DRV_OUTPUT_IMPEDANCE;
}

long double drv_amp_t::noise_bandwidth_factor(long double bandwidth)
{
    const long double quotient =
        _noise_const_a / (_noise_scale * (bandwidth - _noise_ref_bandwidth) / _sample_clock + _noise_const_b);
    return std::sqrt(static_cast<long double>(static_cast<double>(quotient)));
}

long double drv_amp_t::get_noise_ampl_factor(int32 mode, long double bandwidth, long double value)
{
    if (mode == 0)
        return value;
    return value * noise_bandwidth_factor(bandwidth);
}
