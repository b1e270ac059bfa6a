#include "drv_mod.h"

#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"
#include "drv_pulse.h"
#include "drv_wave_data.h"
#include "lib_trunc.h"

namespace {

constexpr long double DRV_PWM_WIDTH_MARGIN = 1.5e-8;
constexpr long double DRV_MOD_WORD_MAX = 137438953471.0L;
constexpr long double DRV_AM_SCALE = 0.45454545454545454545L;
constexpr long double DRV_PERCENT = 0.01L;
constexpr long double DRV_MICRO = 1000000.0L;
constexpr char DRV_NOISE_WAVE[] = "1_noise_ram.bin";

enum drv_mod_type_t : int32
{
    DRV_MOD_NONE = 0,
    DRV_MOD_AM = 1,
    DRV_MOD_FM = 2,
    DRV_MOD_PM = 3,
    DRV_MOD_ASK = 4,
    DRV_MOD_FSK = 5,
    DRV_MOD_DSB_AM = 7,
    DRV_MOD_PWM = 8,
};

// Trigger-source field values of the channel control register.
constexpr uint16 DRV_TRIG_SOURCE_EXTERNAL = 0;
constexpr uint16 DRV_TRIG_SOURCE_INTERNAL = 2;
constexpr int32 DRV_TRIG_OUT_EXTERNAL_INPUT = 0;

drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

bool is_channel(int32 ch)
{
    return ch == 0 || ch == 1;
}

// The nested update hold of a two-channel operation, opened only for hold 1.
class drv_mod_hold_t
{
public:
    drv_mod_hold_t(drv_fpga_t *fpga, int32 hold) : _fpga(hold == 1 ? fpga : nullptr)
    {
        if (_fpga)
            _fpga->begin_hold();
    }
    ~drv_mod_hold_t()
    {
        if (_fpga)
            _fpga->end_hold();
    }
    drv_mod_hold_t(const drv_mod_hold_t &) = delete;
    drv_mod_hold_t &operator=(const drv_mod_hold_t &) = delete;

private:
    drv_fpga_t *_fpga;
};

void drv_mod_write_word(int32 ch, long double word)
{
    fpga()->set_mod_word(ch, static_cast<uint64>(lib_trunc_i64(word)));
}

void drv_mod_write_freq(drv_fpga_t *f, int32 ch, int32 type, long double hz)
{
    if (is_channel(ch))
        f->set_mod_freq(type == DRV_MOD_FM ? 1 : 0, ch, hz);
}

} // namespace

long double drv_mod_t::get_pwm_width_margin()
{
    return DRV_PWM_WIDTH_MARGIN;
}

long double drv_mod_t::get_mod_word_max()
{
    return DRV_MOD_WORD_MAX;
}

drv_hc4051_t *drv_mod_t::get_hc4051()
{
    return drv_instance_manage_t::get_instance()->get_hc4051();
}

int32 drv_mod_t::set_mod_type(int32 ch, int32 type)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (type == DRV_MOD_NONE)
        f->set_noise_mod(ch, 0);
    f->set_mod_type(ch, type);
    return 1;
}

int32 drv_mod_t::get_mod_type(int32 ch)
{
    return fpga()->get_mod_type(ch);
}

int32 drv_mod_t::is_mod_on(int32 ch)
{
    drv_fpga_t *f = fpga();
    return ((f->read_mod_reg(ch) & 0x3F) != 0 || f->is_ask_on(ch) == 1) ? 1 : 0;
}

int32 drv_mod_t::set_mod_source(int32 ch, int32 type, int32 source)
{
    if (!is_channel(ch))
        return 1;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    drv_fpga_t *f = manager->get_fpga();
    f->set_ext_source(ch, source);
    if (source == 1) {
        if (type == DRV_MOD_ASK) {
            f->set_mod_trig_source(ch, DRV_TRIG_SOURCE_EXTERNAL);
            f->set_trig_out(ch, DRV_TRIG_OUT_EXTERNAL_INPUT, 1);
            manager->get_hc595()->set_ext_relay(0);
        } else if (type == DRV_MOD_FSK) {
            f->set_trig_out(ch, DRV_TRIG_OUT_EXTERNAL_INPUT, 1);
            manager->get_hc595()->set_ext_relay(0);
        } else {
            manager->get_hc595()->set_ext_relay(1);
        }
    } else if (source == 0 && type == DRV_MOD_ASK) {
        f->set_mod_trig_source(ch, DRV_TRIG_SOURCE_INTERNAL);
    }
    return 1;
}

int32 drv_mod_t::set_mod_freq(int32 ch, int32 type, long double hz)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    drv_mod_write_freq(f, ch, type, hz);
    f->update();
    return 1;
}

int32 drv_mod_t::set_mod_freq_no_update(int32 ch, int32 type, long double hz)
{
    drv_mod_write_freq(fpga(), ch, type, hz);
    return 1;
}

int32 drv_mod_t::set_mod_freq_both(int32 hold, int32 type0, int32 type1, long double hz0, long double hz1)
{
    drv_fpga_t *f = fpga();
    drv_mod_hold_t bracket(f, hold);
    drv_mod_write_freq(f, 0, type0, hz0);
    drv_mod_write_freq(f, 1, type1, hz1);
    f->update();
    return 1;
}

int32 drv_mod_t::set_fsk_hop_freq(int32 hold, int32 ch, long double hz)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    drv_mod_hold_t bracket(f, hold);
    f->set_hop_freq(ch, hz);
    f->update();
    return 1;
}

int32 drv_mod_t::set_fsk_hop_freq_both(int32 hold, long double hz0, long double hz1)
{
    drv_fpga_t *f = fpga();
    drv_mod_hold_t bracket(f, hold);
    f->set_hop_freq(0, hz0);
    f->set_hop_freq(1, hz1);
    f->update();
    return 1;
}

int32 drv_mod_t::set_deviation(int32 ch, int32 type, long double value)
{
    switch (type) {
    case DRV_MOD_AM: return set_am_depth(ch, value);
    case DRV_MOD_FM: return set_fm_deviation(ch, value);
    case DRV_MOD_PM: return set_pm_deviation(ch, value);
    case DRV_MOD_DSB_AM: return set_dsb_am_depth(ch);
    case DRV_MOD_PWM: return set_pwm_deviation(ch, value);
    default: return 1;
    }
}

int32 drv_mod_t::set_mod_deviation(int32 ch, int32 type, long double value)
{
    if (!is_channel(ch))
        return 1;
    set_deviation(ch, type, value);
    fpga()->update();
    return 1;
}

int32 drv_mod_t::set_mod_deviation_both(int32 hold, int32 type0, int32 type1, long double value0,
                                        long double value1)
{
    drv_fpga_t *f = fpga();
    drv_mod_hold_t bracket(f, hold);
    set_deviation(0, type0, value0);
    set_deviation(1, type1, value1);
    f->update();
    return 1;
}

int32 drv_mod_t::set_am_depth(int32 ch, long double depth)
{
    drv_mod_write_word(ch, DRV_MOD_WORD_MAX * ((depth * DRV_PERCENT) * DRV_AM_SCALE));
    return 1;
}

int32 drv_mod_t::set_fm_deviation(int32 ch, long double deviation)
{
    const long double clock_mhz = fpga()->get_dds_clock() / DRV_MICRO;
    drv_mod_write_word(ch, DRV_MOD_WORD_MAX * (deviation / (clock_mhz * 0.5L)));
    return 1;
}

int32 drv_mod_t::set_pm_deviation(int32 ch, long double degrees)
{
    drv_mod_write_word(ch, (degrees / 360.0L) * DRV_MOD_WORD_MAX);
    return 1;
}

int32 drv_mod_t::set_dsb_am_depth(int32 ch)
{
    drv_mod_write_word(ch, DRV_MOD_WORD_MAX);
    return 1;
}

int32 drv_mod_t::set_pwm_deviation(int32 ch, long double deviation)
{
    drv_mod_write_word(ch, deviation / get_pwm_min_width());
    return 1;
}

int32 drv_mod_t::set_psk_polarity(int32 ch, int32 polarity)
{
    if (polarity == 0 || polarity == 1)
        fpga()->set_psk_polarity(ch, static_cast<uint16>(polarity));
    return 1;
}

int32 drv_mod_t::set_mod_ctrl_bit8(int32 ch, int32 value)
{
    fpga()->set_mod_reg_bit8(ch, static_cast<uint16>(value & 1));
    return 1;
}

int32 drv_mod_t::update_noise_mod(int32 ch, const std::string &name)
{
    if (!is_channel(ch))
        return is_noise_wave(name) ? 1 : 0;
    if (!is_noise_wave(name)) {
        set_noise_mod(ch, 0);
        return 0;
    }
    switch (get_mod_type(ch)) {
    case DRV_MOD_AM:
    case DRV_MOD_FM:
    case DRV_MOD_PM:
    case DRV_MOD_DSB_AM:
    case DRV_MOD_PWM: set_noise_mod(ch, 1); break;
    default: set_noise_mod(ch, 0); break;
    }
    return 1;
}

int32 drv_mod_t::set_noise_mod(int32 ch, int32 on)
{
    if (is_channel(ch))
        fpga()->set_noise_mod(ch, on);
    return 1;
}

bool drv_mod_t::is_noise_wave(const std::string &name)
{
    return name == DRV_NOISE_WAVE;
}

long double drv_mod_t::get_pwm_min_width()
{
    return drv_instance_manage_t::get_instance()->get_pulse()->get_min_width();
}

int32 drv_mod_t::set_mod_period(drv_fpga_t *f, int32 ch, long double period)
{
    if (f && is_channel(ch))
        f->set_mod_freq(0, ch, 1.0L / period);
    return 1;
}

void drv_mod_t::invert_wave(std::vector<int16> &wave)
{
    for (int16 &sample : wave)
        sample = static_cast<int16>(-static_cast<int32>(sample));
}

int32 drv_mod_t::set_mod_wave(int32 ch, const std::string &name, bool invert)
{
    if (!is_channel(ch))
        return 1;
    drv_wave_data_t *wave_data = drv_instance_manage_t::get_instance()->get_wave_data();
    std::vector<int16> wave;
    wave_data->get_resampled_wave_by_name(name, wave_data->get_mod_wave_len(), wave);
    if (invert)
        invert_wave(wave);
    update_noise_mod(ch, name);
    wave_data->write_mod_wave(ch, wave);
    return 1;
}

int32 drv_mod_t::set_carrier_freq(drv_fpga_t *, int32 ch, long double hz)
{
    if (is_channel(ch))
        drv_instance_manage_t::get_instance()->get_freq()->_set_freq(ch, hz);
    return 1;
}

int32 drv_mod_t::set_phase_both(long double phase0, long double phase1)
{
    drv_phase_t *phase = drv_instance_manage_t::get_instance()->get_phase();
    phase->_set_burst_phase(0, phase0);
    return phase->_set_burst_phase(1, phase1);
}
