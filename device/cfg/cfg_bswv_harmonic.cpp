// cfg_bswv_main_t: the harmonics a sine may carry (orders 2 to 10, their levels and
// phases, the peak-limited sum of one period) and the channel's wave data.
#include "cfg_bswv_main.h"

#include "cfg_apply.h"
#include "cfg_bswv_wave.h"
#include "cfg_harmonic_sum.h"
#include "cfg_main.h"
#include "cfg_pattern.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"
#include "gos.h"
#include "lib_trunc.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_DATA_PATTERN = 12;

constexpr int32 HARMONIC_EVEN = 0;
constexpr int32 HARMONIC_ODD = 1;
constexpr int32 HARMONIC_ALL = 2;

constexpr int32 BUILTIN_SINE = 0;
constexpr int32 BUILTIN_NOISE = 1;
constexpr int32 BUILTIN_RAMP = 207;

constexpr long double LEVEL_FLOOR = -80.0L;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

lib_unit_data_t base_record(long double value)
{
    lib_unit_data_t r{};
    r.data = value;
    r.unit = LIB_UNIT_BASE;
    r.changed = false;
    return r;
}

// Whether an order takes part for a harmonic type; no order for an unknown type.
bool in_parity(int32 type, int32 order)
{
    switch (type)
    {
    case HARMONIC_EVEN:
        return (order & 1) == 0;
    case HARMONIC_ODD:
        return order % 2 == 1;
    case HARMONIC_ALL:
        return true;
    default:
        return false;
    }
}

long double dbc(long double volts, long double fundamental)
{
    return 20.0L * gos_log10l(volts / fundamental);
}
} // namespace

int32 cfg_get_builtin_wave_index(int32 type)
{
    if (type == WAVE_SINE)
        return BUILTIN_SINE;
    if (type == WAVE_NOISE)
        return BUILTIN_NOISE;
    return BUILTIN_RAMP;
}

// --- Records ---

long double cfg_bswv_main_t::find_harmonic_ampl(int32 order) const
{
    const auto it = harmonics.find(order);
    return it == harmonics.end() ? 0.0L : it->second.ampl;
}

long double cfg_bswv_main_t::find_harmonic_level(int32 order) const
{
    const auto it = harmonics.find(order);
    return it == harmonics.end() ? 0.0L : it->second.level;
}

long double cfg_bswv_main_t::find_harmonic_phase(int32 order) const
{
    const auto it = harmonics.find(order);
    return it == harmonics.end() ? 0.0L : it->second.phase;
}

void cfg_bswv_main_t::put_harmonic_ampl(int32 order, long double value)
{
    const auto it = harmonics.find(order);
    if (it != harmonics.end())
        it->second.ampl = value;
}

void cfg_bswv_main_t::put_harmonic_level(int32 order, long double value)
{
    const auto it = harmonics.find(order);
    if (it != harmonics.end())
        it->second.level = value;
}

void cfg_bswv_main_t::put_harmonic_phase(int32 order, long double value)
{
    const auto it = harmonics.find(order);
    if (it != harmonics.end())
        it->second.phase = value;
}

lib_unit_data_t cfg_bswv_main_t::level_to_ampl(lib_unit_data_t level) const
{
    return base_record(ampl.data * std::pow(10.0L, level.data / 20.0L));
}

lib_unit_data_t cfg_bswv_main_t::ampl_to_level(long double volts) const
{
    return base_record(dbc(volts, ampl.data));
}

// --- Switch, order and type ---

int32 cfg_bswv_main_t::set_harmonic_switch(int32 on)
{
    harmonic_switch = on;
    // Selecting the sine again applies it (with or without the harmonics) when the
    // channel is active.
    cfg_get_wv_main(ch)->set_wave_type(WAVE_SINE);
    return 1;
}

int32 cfg_bswv_main_t::store_harmonic_order(int32 order)
{
    const int32 cur = harmonic_order;
    const bool wrong_parity =
        (harmonic_type == HARMONIC_EVEN && order % 2 == 1) || (harmonic_type == HARMONIC_ODD && order % 2 == 0);
    if (wrong_parity)
    {
        if (order > cur)
            order += 1;
        else if (order < cur)
            order -= 1;
    }
    const int32 r = param_check.check_harmonic_order(ch, &order, get_current_wave());
    harmonic_order = order;
    return r;
}

int32 cfg_bswv_main_t::set_harmonic_order(int32 order)
{
    const int32 r = store_harmonic_order(order);
    restore_freq_record();
    return r;
}

int32 cfg_bswv_main_t::get_harmonic_order(int32 *out) const
{
    *out = harmonic_order;
    return 1;
}

int32 cfg_bswv_main_t::set_harmonic_type(int32 type)
{
    harmonic_type = type;
    int32 order = harmonic_order;
    if (type == HARMONIC_EVEN && order % 2 != 0)
        order -= 1;
    else if (type == HARMONIC_ODD && order % 2 == 0)
        order += 1;
    store_harmonic_order(order);
    restore_freq_record();
    update_harmonic_wave_data();
    cfg_apply_sine_wave(ch, true);
    return 1;
}

int32 cfg_bswv_main_t::get_harmonic_type(int32 *out) const
{
    *out = harmonic_type;
    return 1;
}

// --- Amplitude, level and phase of the selected order ---

int32 cfg_bswv_main_t::set_harmonic_ampl(lib_unit_data_t value)
{
    long double v = value.data;
    const int32 r = param_check.check_harmonic_ampl(ch, &v, get_current_wave());
    put_harmonic_ampl(harmonic_order, v);
    put_harmonic_level(harmonic_order, dbc(v, ampl.data));
    update_harmonic_wave_data();
    // The fundamental is checked again against limits that now hold the new scale.
    store_ampl(ampl);
    cfg_apply_sine_wave(ch, true);
    return r;
}

int32 cfg_bswv_main_t::get_harmonic_ampl(long double *out) const
{
    *out = find_harmonic_ampl(harmonic_order);
    return 1;
}

int32 cfg_bswv_main_t::set_harmonic_level(lib_unit_data_t *value)
{
    int32 r;
    long double v;
    if (value->data + 80.0L < 0.0L)
    {
        value->data = LEVEL_FLOOR;
        r = -11;
        v = 0.0L;
        param_check.check_harmonic_ampl(ch, &v, get_current_wave());
    }
    else
    {
        v = level_to_ampl(*value).data;
        r = param_check.check_harmonic_ampl(ch, &v, get_current_wave());
    }
    // The level follows the volts actually stored (minus infinity for 0 V).
    put_harmonic_level(harmonic_order, dbc(v, ampl.data));
    put_harmonic_ampl(harmonic_order, v);
    update_harmonic_wave_data();
    cfg_apply_sine_wave(ch, true);
    return r;
}

int32 cfg_bswv_main_t::get_harmonic_level(lib_unit_data_t *out) const
{
    long double level = dbc(find_harmonic_ampl(harmonic_order), ampl.data);
    if (level < LEVEL_FLOOR)
        level = LEVEL_FLOOR;
    *out = base_record(level);
    return 1;
}

int32 cfg_bswv_main_t::set_harmonic_phase(lib_unit_data_t value)
{
    long double p = value.data;
    const int32 r = param_check.check_harmonic_phase(&p, get_current_wave());
    put_harmonic_phase(harmonic_order, p);
    apply_current_wave(true);
    return r;
}

int32 cfg_bswv_main_t::get_harmonic_phase(long double *out) const
{
    *out = find_harmonic_phase(harmonic_order);
    return 1;
}

int32 cfg_bswv_main_t::get_harmonic_ampls(std::map<int32, long double> *out) const
{
    for (const auto &entry : harmonics)
        out->emplace(entry.first, entry.second.ampl);
    return 1;
}

int32 cfg_bswv_main_t::get_harmonic_scale(long double *out) const
{
    *out = harmonic_scale;
    return 1;
}

// --- Synthesis ---

int32 cfg_bswv_main_t::update_harmonic_wave_data()
{
    switch (harmonic_type)
    {
    case HARMONIC_EVEN:
        return get_harmonic_even_wave_data();
    case HARMONIC_ODD:
        return get_harmonic_odd_wave_data();
    case HARMONIC_ALL:
        return get_harmonic_all_wave_data();
    default:
        return 0;
    }
}

int32 cfg_bswv_main_t::get_harmonic_even_wave_data()
{
    return synthesize_harmonics(HARMONIC_EVEN);
}

int32 cfg_bswv_main_t::get_harmonic_odd_wave_data()
{
    return synthesize_harmonics(HARMONIC_ODD);
}

int32 cfg_bswv_main_t::get_harmonic_all_wave_data()
{
    return synthesize_harmonics(HARMONIC_ALL);
}

int32 cfg_bswv_main_t::synthesize_harmonics(int32 parity)
{
    // The running full scale changes as orders are added; the stored amplitude never.
    long double a_loc = ampl.data;
    cfg_bswv_wave_t *wave = get_current_wave();
    harmonic_scale = 1.0L;
    // A fundamental that cannot be read leaves the sum empty.
    harmonic_samples.clear();
    drv()->get_builtin_wave_data(BUILTIN_SINE, harmonic_samples, 0.0f);
    cfg_harmonic_sum_t sum;
    std::vector<int16> w;
    for (const auto &entry : harmonics)
    {
        const int32 order = entry.first;
        if (!in_parity(parity, order))
            continue;
        if (wave->get_max_harmonic_order(ch) < static_cast<long double>(order))
            continue;
        const long double v = find_harmonic_ampl(order);
        if (parity == HARMONIC_EVEN)
            gos_printf("get_harmonic_even_wave_data::order = %damp%g\n", order, static_cast<double>(v));
        const long double p = find_harmonic_phase(order);
        const auto index = harmonic_wave_index.find(order);
        if (index == harmonic_wave_index.end())
            continue;
        // A harmonic that cannot be read stays empty and adds nothing.
        w.clear();
        drv()->get_builtin_wave_data(index->second, w, 0.0f);
        rotate_wave_by_phase(w, order, p);
        harmonic_scale *= sum.add_wave(harmonic_samples, a_loc, w, v);
    }
    return 1;
}

int32 cfg_bswv_main_t::rotate_wave_by_phase(std::vector<int16> &w, int32 order, long double phase)
{
    const long double len = drv()->get_dds_wave_len();
    const int64 s = lib_trunc_i64(len / order * (phase / 360.0L));
    const int64 n = static_cast<int64>(w.size());
    if (n == 0)
        return 1;
    const int64 shift = ((s % n) + n) % n;
    std::rotate(w.begin(), w.begin() + shift, w.end());
    return 1;
}

// --- Keeping the harmonics within their limits ---

int32 cfg_bswv_main_t::update_harmonic_ampls()
{
    const long double a = ampl.data;
    bool all_equal = true;
    for (const auto &entry : harmonics)
        if (in_parity(harmonic_type, entry.first) && entry.second.level != dbc(entry.second.ampl, a))
            all_equal = false;
    if (all_equal)
        return 1;
    cfg_bswv_wave_t *wave = get_current_wave();
    for (auto &entry : harmonics)
    {
        cfg_harmonic_t &h = entry.second;
        if (!in_parity(harmonic_type, entry.first) || !(h.ampl > 0.0L))
            continue;
        // The level in dBc stays; the volts follow the fundamental up to the order's cap.
        const long double follow = a * std::pow(10.0L, h.level / 20.0L);
        const long double cap = wave->get_max_harmonic_ampl_of_order(ch, entry.first);
        h.ampl = follow < cap ? follow : cap;
    }
    return 1;
}

int32 cfg_bswv_main_t::check_harmonics()
{
    store_harmonic_order(harmonic_order);
    cfg_bswv_wave_t *wave = get_current_wave();
    const int64 fits = lib_trunc_i64(wave->get_max_harmonic_freq(ch) / freq.data);
    const long double min_ampl = wave->get_min_harmonic_ampl();
    const long double min_phase = wave->get_min_harmonic_phase();
    bool changed = false;
    for (auto &entry : harmonics)
    {
        const int32 order = entry.first;
        cfg_harmonic_t &h = entry.second;
        if (!in_parity(harmonic_type, order))
            continue;
        if (order > fits)
        {
            if (h.ampl > min_ampl)
                changed = true;
            h.ampl = min_ampl;
            h.phase = min_phase;
            h.level = LEVEL_FLOOR;
        }
        const long double max = wave->get_max_harmonic_ampl_of_order(ch, order);
        if (h.ampl > max)
        {
            h.ampl = max;
            h.level = dbc(max, ampl.data);
            changed = true;
        }
    }
    if (changed)
    {
        update_harmonic_wave_data();
        cfg_apply_sine_wave(ch, false);
    }
    return 1;
}

void cfg_bswv_main_t::check_harmonic_limits()
{
    cfg_bswv_wave_t *wave = get_current_wave();
    lib_unit_data_t f = freq;
    if (param_check.check_freq(ch, &f.data, wave) == -10)
    {
        store(&freq, f);
        recheck_after_freq();
    }
    lib_unit_data_t a = ampl;
    const long double offset_value = get_offset_value();
    if (param_check.check_ampl(&a.data, offset_value, f.data, load, wave) == -10)
    {
        store(&ampl, a);
        recheck_after_ampl();
        return;
    }
    // The whole output (the scaled sum, with the other channel's share when combined)
    // against the plain output limits; nothing is stored here.
    long double out = get_output_ampl();
    if (param_check.check_ampl(&out, offset_value, f.data, load, base_wave.get()) == -10)
        recheck_combine();
}

// --- Channel wave data ---

int32 cfg_bswv_main_t::get_wave_data(std::vector<int16> *out)
{
    switch (wave_type)
    {
    case WAVE_SINE:
        if (harmonic_switch == 1)
            *out = harmonic_samples;
        else
            drv()->get_builtin_wave_data(BUILTIN_SINE, *out, 0.0f);
        return 0;
    case WAVE_RAMP:
        drv()->get_builtin_wave_data(BUILTIN_RAMP, *out, static_cast<float>(symmetry.data));
        return 0;
    case WAVE_NOISE:
        drv()->get_builtin_wave_data(BUILTIN_NOISE, *out, 0.0f);
        return 0;
    case WAVE_ARB:
        drv()->get_resampled_wave_data(ch, *out);
        return 0;
    case WAVE_DATA_PATTERN:
    {
        // A copy, so the channel's own pattern keeps its samples.
        cfg_uart_pattern_t pattern = *cfg_get_wv_main(ch)->get_pattern()->get_uart_pattern();
        pattern.get_samples(*out);
        return 0;
    }
    default:
        return -13;
    }
}

int32 cfg_bswv_main_t::get_builtin_wave_data(int32 index, std::vector<int16> *out, float sym)
{
    return drv()->get_builtin_wave_data(index, *out, sym);
}
