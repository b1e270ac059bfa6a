#include "drv_amp_vextral.h"

#include "cali.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_instance_manage.h"
#include "gos.h"

#include <cmath>
#include <limits>

namespace {

constexpr int32 DRV_VEXTRAL_RANGE_MASK = 4;
constexpr int32 DRV_VEXTRAL_RELAY_1 = 2;
constexpr int32 DRV_VEXTRAL_RELAY_2 = 4;
constexpr int32 DRV_VEXTRAL_HIGH_OFFSET_BIT = 4;
constexpr long double DRV_VEXTRAL_OFFSET_LIMIT = 0.7;
constexpr long double DRV_VEXTRAL_NOISE_STDEV_FACTOR = 0.05L;
constexpr double DRV_NO_LOWER = -std::numeric_limits<double>::infinity();

// lower < amplitude <= upper (double constants, 10 dB apart); a dB of 0 means no
// digital attenuation. The last row's step is also every amplitude below it.
struct drv_vextral_row_t
{
    double lower;
    double upper;
    int32 low_word;
    long double low_db;
    int32 high_word;
    long double high_db;
    u8 step;
};

const drv_vextral_row_t DRV_VEXTRAL_TABLE[] = {
    {2.0, 6.324555, 4, 0, 4, 0, 0},           {0.632456, 2.0, 4, 10, 4, 10, 1},
    {0.2, 0.632456, 0, 0, 4, 20, 2},          {0.063246, 0.2, 0, 10, 4, 30, 3},
    {0.02, 0.063246, 2, 0, 6, 20, 4},         {0.006325, 0.02, 2, 10, 6, 30, 5},
    {DRV_NO_LOWER, 0.006325, 2, 20, 6, 30, 6},
};

// The row of an amplitude, or null above the table and for NaN.
const drv_vextral_row_t *drv_vextral_row(long double ampl)
{
    for (const drv_vextral_row_t &row : DRV_VEXTRAL_TABLE)
        if (ampl > row.lower && ampl <= row.upper)
            return &row;
    return nullptr;
}

bool drv_vextral_high_offset(long double offset)
{
    return !(std::fabs(offset) < DRV_VEXTRAL_OFFSET_LIMIT);
}

} // namespace

drv_amp_vextral_t::drv_amp_vextral_t()
{
    _applied_range[0] = _applied_range[1] = 0;
    _range_state[0] = _range_state[1] = 0;
    _range_switch_mask = DRV_VEXTRAL_RANGE_MASK;
    _overload_range_mask = DRV_VEXTRAL_RANGE_MASK;
    _range_up_code = 1;
    _range_down_code = 0;
}

int32 drv_amp_vextral_t::select_amp_range(long double *ampl, long double *offset, drv_fpga_atten_t *info)
{
    *info = drv_fpga_atten_t{};
    const drv_vextral_row_t *row = drv_vextral_row(*ampl);
    if (!row)
        return 0;
    const bool high = drv_vextral_high_offset(*offset);
    const long double db = high ? row->high_db : row->low_db;
    info->on = db != 0;
    info->gain_db = db;
    return high ? row->high_word : row->low_word;
}

int32 drv_amp_vextral_t::classify_amp_step(long double ampl, long double offset, u8 *high_offset, u8 *step)
{
    *high_offset = drv_vextral_high_offset(offset) ? 1 : 0;
    if (const drv_vextral_row_t *row = drv_vextral_row(ampl))
        *step = row->step;
    return 1;
}

int32 drv_amp_vextral_t::select_dc_range(int32, long double level)
{
    return std::fabs(level) > DRV_VEXTRAL_OFFSET_LIMIT ? 6 : 2;
}

int32 drv_amp_vextral_t::set_range_relay_1(int32 ch, int32 on)
{
    return set_range_bit(ch, on, DRV_VEXTRAL_RELAY_1);
}

int32 drv_amp_vextral_t::set_range_relay_2(int32 ch, int32 on)
{
    return set_range_bit(ch, on, DRV_VEXTRAL_RELAY_2);
}

int32 drv_amp_vextral_t::set_range_relay_3(int32, int32)
{
    return 1;
}

int32 drv_amp_vextral_t::clear_range_relays(int32 ch)
{
    set_range_relay_1(ch, 0);
    return set_range_relay_2(ch, 0);
}

int32 drv_amp_vextral_t::set_range_relays(int32 ch)
{
    set_range_relay_1(ch, 1);
    return set_range_relay_2(ch, 1);
}

int32 drv_amp_vextral_t::set_dc_level(drv_fpga_t *fpga, int32 ch, long double level)
{
    if (!is_channel(ch))
        return 0;
    set_amplitude_dac(ch, 0.0L);
    return drv_amp_t::set_dc_level(fpga, ch, level);
}

int32 drv_amp_vextral_t::set_dac_fsc(int32, u16)
{
    gos_printf("drv_amp_vextral_t::set_dac_fsc not need !\n");
    return 1;
}

int32 drv_amp_vextral_t::set_offset_dac(int32 ch, int32 word, long double offset)
{
    return write_offset_dac(ch, word, offset, DRV_VEXTRAL_HIGH_OFFSET_BIT);
}

long double drv_amp_vextral_t::get_noise_max_stdev(long double, long double value)
{
    return value;
}

long double drv_amp_vextral_t::get_noise_stdev_factor(long double)
{
    return DRV_VEXTRAL_NOISE_STDEV_FACTOR;
}

int32 drv_amp_vextral_t::set_amplitude_dac(int32 ch, long double level)
{
    const long double vref = cali_get_instance()->get_dac_vref_for_volt(static_cast<u8>(ch), level);
    drv_instance_manage_t::get_instance()->get_fpga()->set_offset_volt(ch, vref);
    return 1;
}

long double drv_amp_vextral_t::calc_amplitude_level(int32 ch, long double ampl, int32 word, drv_fpga_atten_t *info,
                                                    long double corr_db)
{
    cali_t *cali = cali_get_instance();
    const u8 c = static_cast<u8>(ch);
    const long double gain =
        cali->get_invariable_gain(c) + get_range_gain_db(ch, word, info) + cali->get_ac_adder_gain(c) - corr_db;
    return ampl / db_to_ratio(gain);
}

long double drv_amp_vextral_t::get_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                                      long double offset)
{
    return lookup_ampl_correction_db(ch, word, freq, ampl, offset);
}

long double drv_amp_vextral_t::get_range_gain_db(int32 ch, int32 word, drv_fpga_atten_t *info)
{
    cali_t *cali = cali_get_instance();
    const u8 c = static_cast<u8>(ch);
    const long double first = (word & 2) ? cali->get_first_coarse_gain(c) : 0.0L;
    const long double second = (word & 4) ? cali->get_second_coarse_gain(c) : 0.0L;
    return first + second - (info->on ? info->gain_db : 0.0L);
}

int32 drv_amp_vextral_t::is_freq_varying(int32)
{
    return 0;
}
