// cfg_bswv_main_t: square duty, ramp symmetry and the pulse timing (width and pulse
// duty kept consistent, edges, delay held as the phase, and the hold mode).
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_setter_util.h"
#include "cfg_bswv_wave.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"

using namespace cfg_bswv_setter;

namespace
{
constexpr int32 MOD_PWM = 8;
} // namespace

int32 cfg_bswv_main_t::store_duty(lib_unit_data_t value)
{
    lib_unit_data_t f{};
    get_freq(&f);
    // Checked with the square and pulse objects whatever is current, so that a duty can
    // be set ahead of selecting the square wave.
    const int32 result = param_check.check_duty(&value.data, f.data, cfg_get_bswv_wave(ch, WAVE_SQUARE),
                                                cfg_get_bswv_wave(ch, WAVE_PULSE));
    store(&duty, value);
    return result;
}

int32 cfg_bswv_main_t::set_duty(lib_unit_data_t *value)
{
    const int32 result = store_duty(*value);
    cfg_apply_square_duty(ch);
    return result;
}

int32 cfg_bswv_main_t::store_symmetry(lib_unit_data_t value)
{
    const int32 result = param_check.check_symmetry(&value.data, get_current_wave());
    store(&symmetry, value);
    return result;
}

int32 cfg_bswv_main_t::set_symmetry(lib_unit_data_t *value)
{
    const int32 result = store_symmetry(*value);
    cfg_apply_ramp_symmetry(ch);
    return result;
}

void cfg_bswv_main_t::keep_width()
{
    lib_unit_data_t period{};
    get_period(&period);
    lib_unit_data_t value = pulse_width;
    param_check.check_width(&value.data, period.data, rise_edge.data, fall_edge.data, get_current_wave());
    store(&pulse_width, value);
    store(&pulse_duty, base_record(100 * value.data / period.data));
}

void cfg_bswv_main_t::keep_pulse_duty()
{
    lib_unit_data_t period{};
    get_period(&period);
    lib_unit_data_t value = pulse_duty;
    param_check.check_pulse_duty(&value.data, period.data, rise_edge.data, fall_edge.data, get_current_wave());
    store(&pulse_duty, value);
    store(&pulse_width, base_record(value.data / 100 * period.data));
}

int32 cfg_bswv_main_t::store_width(lib_unit_data_t value)
{
    lib_unit_data_t period{};
    get_period(&period);
    const int32 result =
        param_check.check_width(&value.data, period.data, rise_edge.data, fall_edge.data, get_current_wave());
    store(&pulse_width, value);
    store(&pulse_duty, base_record(100 * value.data / period.data));
    recheck_pwm();
    return result;
}

int32 cfg_bswv_main_t::store_pulse_duty(lib_unit_data_t value)
{
    lib_unit_data_t period{};
    get_period(&period);
    const int32 result =
        param_check.check_pulse_duty(&value.data, period.data, rise_edge.data, fall_edge.data, get_current_wave());
    store(&pulse_duty, value);
    store(&pulse_width, base_record(value.data / 100 * period.data));
    recheck_pwm();
    return result;
}

int32 cfg_bswv_main_t::store_rise_edge(lib_unit_data_t value)
{
    lib_unit_data_t period{};
    get_period(&period);
    const int32 result =
        param_check.check_rise_edge(&value.data, period.data, pulse_width.data, fall_edge.data, get_current_wave());
    store(&rise_edge, value);
    return result;
}

int32 cfg_bswv_main_t::store_fall_edge(lib_unit_data_t value)
{
    lib_unit_data_t period{};
    get_period(&period);
    const int32 result =
        param_check.check_fall_edge(&value.data, period.data, pulse_width.data, rise_edge.data, get_current_wave());
    store(&fall_edge, value);
    return result;
}

void cfg_bswv_main_t::restore_rise_edge()
{
    store_rise_edge(rise_edge);
}

void cfg_bswv_main_t::restore_fall_edge()
{
    store_fall_edge(fall_edge);
}

namespace
{
// A pulse setter at frequency 0 has no period to relate to: refused, nothing stored.
bool has_period(cfg_bswv_main_t *s)
{
    lib_unit_data_t f{};
    s->get_freq(&f);
    return f.data != 0.0L;
}
} // namespace

int32 cfg_bswv_main_t::set_width(lib_unit_data_t value)
{
    if (!has_period(this))
        return -13;
    const int32 result = store_width(value);
    cfg_apply_pulse_timing(ch);
    return result;
}

int32 cfg_bswv_main_t::set_pulse_duty(lib_unit_data_t value)
{
    if (!has_period(this))
        return -13;
    const int32 result = store_pulse_duty(value);
    cfg_apply_pulse_timing(ch);
    return result;
}

int32 cfg_bswv_main_t::set_rise_edge(lib_unit_data_t value)
{
    if (!has_period(this))
        return -13;
    const int32 result = store_rise_edge(value);
    cfg_apply_pulse_timing(ch);
    return result;
}

int32 cfg_bswv_main_t::set_fall_edge(lib_unit_data_t value)
{
    if (!has_period(this))
        return -13;
    const int32 result = store_fall_edge(value);
    cfg_apply_pulse_timing(ch);
    return result;
}

int32 cfg_bswv_main_t::store_pulse_delay(lib_unit_data_t value)
{
    lib_unit_data_t period{};
    get_period(&period);
    const int32 result = param_check.check_delay(&value.data, period.data, get_current_wave());
    // The delay lives on as the phase at the stored frequency.
    store_phase(base_record(value.data * freq.data * -360));
    return result;
}

int32 cfg_bswv_main_t::set_pulse_delay(lib_unit_data_t value)
{
    const int32 result = store_pulse_delay(value);
    cfg_apply_pulse_timing(ch);
    cfg_apply_phase();
    return result;
}

int32 cfg_bswv_main_t::set_pulse_hold(int32 mode)
{
    if (wave_type == WAVE_PULSE && mode == 1 && has_period(this))
        store_width(pulse_width);
    pulse_hold = mode;
    return 1;
}

void cfg_bswv_main_t::recheck_pwm()
{
    cfg_mod_main_t *mod = cfg_get_mod_main(ch);
    if (mod->get_state() == 1 && mod->get_type() == MOD_PWM)
    {
        // Re-checked against the new pulse and sent again.
        lib_unit_data_t deviation = mod->get_deviation();
        mod->set_deviation(deviation);
    }
}
