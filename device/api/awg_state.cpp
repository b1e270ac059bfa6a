#include "awg_state.h"

#include "awg_ch_port.h"
#include "lib_instance_slot.h"
#include "lib_unit_convert.h"
#include "lib_unit_data.h"

#include <cmath>

namespace
{
// Asks one getter wrapper for channel 0's value in base units.
long double read_channel(int32 (*getter)(int, long double *, int *))
{
    long double value = 0.0L;
    int unit = LIB_UNIT_BASE;
    getter(0, &value, &unit);
    return value;
}

// Offsets and means below a millivolt read back as 0.
long double snap_small(long double v)
{
    return std::fabs(static_cast<double>(v)) < 0.001 ? 0.0L : v;
}
} // namespace

namespace
{
lib_instance_slot_t<awg_state_t> s_state;
} // namespace

awg_state_t *awg_state_t::get_instance()
{
    return s_state.get();
}

void awg_state_t::reset_instance()
{
    s_state.reset();
}

awg_state_t::awg_state_t() : current(), saved()
{
    current.aux2 = 3;
    current.load = 1;
    current.freq = 1000.0L;
    current.ampl = 4.0L;
    current.width = 0.0002L;
    current.duty = 50.0L;
    current.symmetry = 50.0L;
    current.stdev = 0.2L;
    saved = current;
}

long double *awg_state_t::clamp(long double max, long double min, long double *v)
{
    if (*v > max)
        *v = max;
    else if (*v < min)
        *v = min;
    return v;
}

// --- Limits ---

long double awg_state_t::max_freq() const
{
    switch (static_cast<uint32>(current.wave_type)) {
    case 1:
    case 3:
        return freq_max_square;
    case 2:
        return freq_max_ramp;
    case 6:
        return freq_max_arb;
    default:
        return freq_max_sine;
    }
}

long double awg_state_t::max_period() const
{
    return 1.0L / freq_min;
}

long double awg_state_t::min_period() const
{
    return 1.0L / max_freq();
}

long double awg_state_t::max_high_level() const
{
    return 0.5L * ampl_max;
}

long double awg_state_t::min_high_level() const
{
    return current.low_level + 0.5L * ampl_min;
}

long double awg_state_t::max_low_level() const
{
    return current.high_level - 0.5L * ampl_min;
}

long double awg_state_t::min_low_level() const
{
    return -0.5L * ampl_max;
}

void awg_state_t::clamp_freq(long double *v) const
{
    clamp(max_freq(), freq_min, v);
}

void awg_state_t::clamp_period(long double *v) const
{
    clamp(max_period(), min_period(), v);
}

void awg_state_t::clamp_high_level(long double *v) const
{
    clamp(max_high_level(), min_high_level(), v);
}

void awg_state_t::clamp_low_level(long double *v) const
{
    clamp(max_low_level(), min_low_level(), v);
}

void awg_state_t::clamp_ampl(long double *v) const { clamp(ampl_max, ampl_min, v); }
void awg_state_t::clamp_offset(long double *v) const { clamp(offset_max, offset_min, v); }
void awg_state_t::clamp_width(long double *v) const { clamp(width_max, width_min, v); }
void awg_state_t::clamp_duty(long double *v) const { clamp(duty_max, duty_min, v); }
void awg_state_t::clamp_symmetry(long double *v) const { clamp(symmetry_max, symmetry_min, v); }
void awg_state_t::clamp_stdev(long double *v) const { clamp(stdev_max, stdev_min, v); }
void awg_state_t::clamp_mean(long double *v) const { clamp(mean_max, mean_min, v); }

// --- Sets and read-backs ---

// One value of the record: its field, the channel command and getter that carry it,
// and the API's limits at the moment of the clamp.
struct awg_quantity_t
{
    long double awg_state_record_t::*field;
    int32 (*send)(int, long double, int);
    int32 (*get)(int, long double *, int *);
    void (awg_state_t::*clamp_to)(long double *) const;
    // Below a millivolt reads back as 0.
    bool snap;
};

namespace
{
const awg_quantity_t FREQ{&awg_state_record_t::freq, lib_ch_set_freq, lib_ch_get_freq, &awg_state_t::clamp_freq,
                          false};
const awg_quantity_t PERIOD{&awg_state_record_t::period, lib_ch_set_period, lib_ch_get_period,
                            &awg_state_t::clamp_period, false};
const awg_quantity_t AMPL{&awg_state_record_t::ampl, lib_ch_set_ampl, lib_ch_get_ampl, &awg_state_t::clamp_ampl,
                          false};
const awg_quantity_t HIGH_LEVEL{&awg_state_record_t::high_level, lib_ch_set_high_level, lib_ch_get_high_level,
                                &awg_state_t::clamp_high_level, false};
const awg_quantity_t LOW_LEVEL{&awg_state_record_t::low_level, lib_ch_set_low_level, lib_ch_get_low_level,
                               &awg_state_t::clamp_low_level, false};
const awg_quantity_t OFFSET{&awg_state_record_t::offset, lib_ch_set_offset, lib_ch_get_offset,
                            &awg_state_t::clamp_offset, true};
const awg_quantity_t WIDTH{&awg_state_record_t::width, lib_ch_set_width, lib_ch_get_width, &awg_state_t::clamp_width,
                           false};
const awg_quantity_t DUTY{&awg_state_record_t::duty, lib_ch_set_duty, lib_ch_get_duty, &awg_state_t::clamp_duty,
                          false};
const awg_quantity_t SYMMETRY{&awg_state_record_t::symmetry, lib_ch_set_symmetry, lib_ch_get_symmetry,
                              &awg_state_t::clamp_symmetry, false};
const awg_quantity_t STDEV{&awg_state_record_t::stdev, lib_ch_set_stdev, lib_ch_get_stdev, &awg_state_t::clamp_stdev,
                           false};
const awg_quantity_t MEAN{&awg_state_record_t::mean, lib_ch_set_mean, lib_ch_get_mean, &awg_state_t::clamp_mean,
                          true};
} // namespace

void awg_state_t::send(const awg_quantity_t &q, long double v)
{
    (this->*q.clamp_to)(&v);
    current.*q.field = v;
    q.send(0, v, LIB_UNIT_BASE);
}

int32 awg_state_t::set(const awg_quantity_t &q, long double v)
{
    send(q, v);
    return read(q);
}

int32 awg_state_t::read(const awg_quantity_t &q)
{
    long double v = read_channel(q.get);
    (this->*q.clamp_to)(&v);
    current.*q.field = q.snap ? snap_small(v) : v;
    return 1;
}

int32 awg_state_t::set_freq(long double v)
{
    send(FREQ, v);
    read_freq();
    read_period();
    return 1;
}

int32 awg_state_t::set_period(long double v)
{
    send(PERIOD, v);
    read_freq();
    read_period();
    return 1;
}

int32 awg_state_t::set_ampl(long double v) { return set(AMPL, v); }
int32 awg_state_t::set_high_level(long double v) { return set(HIGH_LEVEL, v); }
int32 awg_state_t::set_low_level(long double v) { return set(LOW_LEVEL, v); }
int32 awg_state_t::set_offset(long double v) { return set(OFFSET, v); }
int32 awg_state_t::set_width(long double v) { return set(WIDTH, v); }
int32 awg_state_t::set_duty(long double v) { return set(DUTY, v); }
int32 awg_state_t::set_symmetry(long double v) { return set(SYMMETRY, v); }
int32 awg_state_t::set_stdev(long double v) { return set(STDEV, v); }
int32 awg_state_t::set_mean(long double v) { return set(MEAN, v); }

int32 awg_state_t::read_freq() { return read(FREQ); }
int32 awg_state_t::read_period() { return read(PERIOD); }
int32 awg_state_t::read_ampl() { return read(AMPL); }
int32 awg_state_t::read_high_level() { return read(HIGH_LEVEL); }
int32 awg_state_t::read_low_level() { return read(LOW_LEVEL); }
int32 awg_state_t::read_offset() { return read(OFFSET); }
int32 awg_state_t::read_width() { return read(WIDTH); }
int32 awg_state_t::read_duty() { return read(DUTY); }
int32 awg_state_t::read_symmetry() { return read(SYMMETRY); }
int32 awg_state_t::read_stdev() { return read(STDEV); }
int32 awg_state_t::read_mean() { return read(MEAN); }

int32 awg_state_t::read_load()
{
    const int32 ohms = lib_ch_get_load(0);
    if (ohms == 50)
        current.load = 0;
    else if (ohms == 1000000)
        current.load = 1;
    return 1;
}

// --- Whole-channel operations ---

int32 awg_state_t::refresh_all()
{
    sync_wave();
    read_freq();
    if (current.wave_type == 4) {
        read_stdev();
        read_mean();
        read_offset();
    } else {
        read_ampl();
        read_offset();
        if (current.wave_type == 1)
            read_duty();
        else if (current.wave_type == 2)
            read_symmetry();
        else if (current.wave_type == 3)
            read_width();
    }
    read_load();
    return 1;
}

int32 awg_state_t::set_wave_type(int32 type, bool apply)
{
    current.wave_type = type;
    if (!apply)
        return refresh_all();
    if (type > 5) {
        set_arb_wave_type(current.arb_index, true);
    } else {
        lib_ch_set_wave_type(0, type);
        switch (type) {
        case 1:
            set_duty(current.duty);
            break;
        case 3:
            set_width(current.width);
            break;
        case 4:
            set_stdev(current.stdev);
            set_mean(current.mean);
            break;
        case 5:
            set_offset_mode(0);
            set_ampl_mode(0);
            break;
        default:
            break;
        }
    }
    return refresh_all();
}

int32 awg_state_t::set_load(int32 v)
{
    current.load = v;
    lib_ch_set_load(0, v == 0 ? 50 : 1000000);
    return refresh_all();
}

int32 awg_state_t::read_mode_pair(int32 m)
{
    if (m == 2 || m == 3) {
        read_high_level();
        read_low_level();
    } else {
        read_ampl();
        read_offset();
    }
    return 1;
}

int32 awg_state_t::set_ampl_mode(int32 m)
{
    current.ampl_mode = m;
    return read_mode_pair(m);
}

int32 awg_state_t::set_offset_mode(int32 m)
{
    current.offset_mode = m;
    return read_mode_pair(m);
}

int32 awg_state_t::run()
{
    set_wave_type(current.wave_type, true);
    set_freq(current.freq);
    set_ampl(current.ampl);
    lib_ch_set_switch(0, current.output);
    // The output always ends at high impedance, whatever load was stored.
    set_load(1);
    return 1;
}

int32 awg_state_t::set_run(int32 v)
{
    current.run = v;
    if (v == 1)
        run();
    else if (v == 0)
        current.output = 0;
    return 1;
}

int32 awg_state_t::restore()
{
    set_wave_type(saved.wave_type, true);
    set_freq(saved.freq);
    set_ampl(saved.ampl);
    set_offset(saved.offset);
    set_load(saved.load);
    current.aux23 = saved.aux23;
    return refresh_all();
}

int32 awg_state_t::set_output(int32 v, bool apply)
{
    current.output = v;
    if (apply)
        lib_ch_set_switch(0, v);
    return 1;
}

int32 awg_state_t::get_overload() const
{
    return cfg_check_overload_status(0);
}

// --- Adjust ---

long double awg_state_t::adjust_step(long double v, int32 fine, long double low, long double high)
{
    const lib_unit_data_t range = lib_unit_auto_range(v);
    const double m = std::fabs(static_cast<double>(range.data));
    const long double s = m >= 100.0 ? 100.0L : m >= 10.0 ? 10.0L : 1.0L;
    long double step = s;
    if (range.unit <= 13)
        step = s * lib_unit_prefix_factor(range.unit) / 10.0L;
    if (fine == 1)
        step *= 0.0001L;
    return *clamp(high, low, &step);
}

namespace
{
struct adjust_range_t
{
    long double reset;
    long double max;
    long double min;
};

// The adjusted value: the reset, the maximum, the minimum, or current + n steps.
long double adjusted(int32 n, long double current, const adjust_range_t &r, long double step)
{
    if (n == 0)
        return r.reset;
    if (n == 2147483647)
        return r.max;
    if (n == -2147483647)
        return r.min;
    return current + static_cast<long double>(n) * step;
}
} // namespace

int32 awg_state_t::adjust_freq(int32 n, int32 fine)
{
    const long double step = adjust_step(current.freq, fine, 1e-6L, 10000.0L);
    return set_freq(adjusted(n, current.freq, {freq_reset, max_freq(), freq_min}, step));
}

int32 awg_state_t::adjust_period(int32 n, int32 fine)
{
    const long double step = adjust_step(current.period, fine, 1e-12L, 1.0L);
    return set_period(adjusted(n, current.period, {1.0L / freq_reset, max_period(), min_period()}, step));
}

int32 awg_state_t::adjust_ampl(int32 n, int32 fine)
{
    const long double step = adjust_step(current.ampl, fine, 0.001L, 1.0L);
    return set_ampl(adjusted(n, current.ampl, {ampl_reset, ampl_max, ampl_min}, step));
}

int32 awg_state_t::adjust_high_level(int32 n, int32 fine)
{
    const long double step = adjust_step(current.high_level, fine, 0.001L, 1.0L);
    return set_high_level(adjusted(n, current.high_level, {high_reset, max_high_level(), min_high_level()}, step));
}

int32 awg_state_t::adjust_offset(int32 n, int32 fine)
{
    const long double step = adjust_step(current.offset, fine, 0.001L, 1.0L);
    return set_offset(adjusted(n, current.offset, {offset_reset, offset_max, offset_min}, step));
}

int32 awg_state_t::adjust_low_level(int32 n, int32 fine)
{
    const long double step = adjust_step(current.low_level, fine, 0.001L, 1.0L);
    return set_low_level(adjusted(n, current.low_level, {low_reset, max_low_level(), min_low_level()}, step));
}

int32 awg_state_t::adjust_duty(int32 n)
{
    return set_duty(adjusted(n, current.duty, {duty_reset, duty_max, duty_min}, 1.0L));
}

int32 awg_state_t::adjust_symmetry(int32 n)
{
    return set_symmetry(adjusted(n, current.symmetry, {symmetry_reset, symmetry_max, symmetry_min}, 1.0L));
}

int32 awg_state_t::adjust_width(int32 n)
{
    const long double step = adjust_step(current.width, 0, 1e-9L, 1.0L);
    return set_width(adjusted(n, current.width, {width_reset, width_max, width_min}, step));
}

int32 awg_state_t::adjust_stdev(int32 n, int32 fine)
{
    const long double step = adjust_step(current.stdev, fine, 0.001L, 1.0L);
    return set_stdev(adjusted(n, current.stdev, {stdev_reset, stdev_max, stdev_min}, step));
}

int32 awg_state_t::adjust_mean(int32 n, int32 fine)
{
    const long double step = adjust_step(current.mean, fine, 0.001L, 1.0L);
    return set_mean(adjusted(n, current.mean, {mean_reset, mean_max, mean_min}, step));
}
