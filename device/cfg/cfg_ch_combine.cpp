// Two-channel combining: the joint fit of both channels' amplitudes and offsets, the
// shared load and the mixing weight.
#include "cfg_ch_combine.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"

#include <algorithm>

namespace
{
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_DC = 5;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

bool is_dc(int32 ch)
{
    return cfg_get_bswv_main(ch)->get_wave_type() == WAVE_DC;
}

long double ampl_of(int32 ch)
{
    lib_unit_data_t a{};
    cfg_get_bswv_main(ch)->get_ampl(&a);
    return a.data;
}

long double signed_offset_of(int32 ch)
{
    lib_unit_data_t o{};
    cfg_get_bswv_main(ch)->get_signed_offset(&o);
    return o.data;
}

int32 load_of(int32 ch)
{
    int32 ohms = 0;
    cfg_get_bswv_main(ch)->get_load(&ohms);
    return ohms;
}

// dst takes src's load.
void copy_load(int32 dst, int32 src)
{
    int32 ohms = load_of(src);
    cfg_get_bswv_main(dst)->set_load(&ohms);
}

// v clamped into [min, max], the upper bound first; code keeps its value when v fits.
void clamp(long double *v, long double min, long double max, int32 *code)
{
    if (*v > max)
    {
        *v = max;
        *code = -10;
    }
    else if (*v < min)
    {
        *v = min;
        *code = -11;
    }
}

bool is_track_src(int32 ch)
{
    return cfg_get_couple()->is_track_src(ch) == 1;
}

lib_unit_data_t base_record(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}
} // namespace

void cfg_ch_combine_t::init(int32 channel)
{
    enable = 0;
    ch = channel;
}

bool cfg_ch_combine_t::check() const
{
    if (cfg_get_bswv_main(0)->get_square_combine_cap() != 0 && cfg_get_bswv_main(1)->get_square_combine_cap() != 0)
        return true;
    return cfg_get_bswv_main(0)->get_wave_type() != WAVE_SQUARE && cfg_get_bswv_main(1)->get_wave_type() != WAVE_SQUARE;
}

int32 cfg_ch_combine_t::is_any_enabled() const
{
    return cfg_get_combine(0)->get_enable() == 1 || cfg_get_combine(1)->get_enable() == 1 ? 1 : 0;
}

bool cfg_ch_combine_t::is_output_combined() const
{
    for (int32 k : {0, 1})
        if (cfg_get_wv_main(k)->get_output() == 1 && cfg_get_combine(k)->get_enable() == 1)
            return true;
    return false;
}

long double cfg_ch_combine_t::sum_ampl() const
{
    long double sum = 0.0L;
    for (int32 k : {0, 1})
        if (!is_dc(k))
            sum += ampl_of(k);
    return sum;
}

long double cfg_ch_combine_t::sum_offset() const
{
    return signed_offset_of(0) + signed_offset_of(1);
}

int32 cfg_ch_combine_t::set_enable(int32 on)
{
    if (!check())
    {
        enable = 0;
        return 0;
    }
    enable = on;
    sync_load();
    apply();
    return 1;
}

int32 cfg_ch_combine_t::apply()
{
    drv()->set_combine(ch, enable);
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->get_couple_en(1) == 1 && couple->get_src_ch() == other_ch())
    {
        cfg_bswv_main_t *reference = cfg_get_bswv_main(other_ch());
        lib_unit_data_t a{};
        reference->get_ampl(&a);
        reference->store_ampl(a);
    }
    cfg_bswv_main_t *own = cfg_get_bswv_main(ch);
    lib_unit_data_t a{};
    own->get_ampl(&a);
    own->set_ampl(&a);
    apply_ampl(other_ch());
    return 1;
}

void cfg_ch_combine_t::push()
{
    drv()->set_combine(ch, enable);
}

long double cfg_ch_combine_t::weight()
{
    if (is_dc(0))
        return 0.0L;
    if (is_dc(1))
        return 1.0L;
    const long double a0 = ampl_of(0);
    const long double sum = a0 + ampl_of(1);
    // Both amplitudes 0: the channels weigh the same.
    if (sum == 0.0L)
        return 0.5L;
    return a0 / sum;
}

int32 cfg_ch_combine_t::push_weight()
{
    if (is_any_enabled() == 0)
        return 1;
    drv()->set_combine_ratio(ch, weight());
    return 1;
}

int32 cfg_ch_combine_t::validate()
{
    if (!check())
    {
        enable = 0;
        cfg_get_combine(other_ch())->set_enable(0);
    }
    drv()->set_combine(ch, enable);
    follow_load();
    return push_weight();
}

void cfg_ch_combine_t::follow_load()
{
    if (is_any_enabled() == 1 && load_of(ch) != load_of(other_ch()))
        copy_load(other_ch(), ch);
}

void cfg_ch_combine_t::sync_load()
{
    if (is_any_enabled() == 0)
        return;
    if (enable == 1)
    {
        if (load_of(ch) != load_of(other_ch()))
            copy_load(other_ch(), ch);
        cfg_get_bswv_main(other_ch())->apply_current_wave(true);
    }
    else if (load_of(ch) != load_of(other_ch()))
    {
        copy_load(ch, other_ch());
    }
}

int32 cfg_ch_combine_t::fit_ampl()
{
    if (is_any_enabled() == 0)
        return 1;
    cfg_bswv_main_t *own = cfg_get_bswv_main(ch);
    cfg_bswv_main_t *other = cfg_get_bswv_main(other_ch());
    const long double max_c = std::min(own->get_max_ampl(), other->get_max_ampl());
    const long double min_c = std::max(own->get_min_ampl(), other->get_min_ampl());
    long double a = ampl_of(ch);
    long double b = ampl_of(other_ch());
    if (is_dc(ch))
        return 1;
    int32 code = 1;
    if (is_dc(other_ch()))
    {
        clamp(&a, min_c, max_c, &code);
        own->store_ampl_raw(base_record(a));
        return code;
    }
    if (a > max_c - b)
    {
        if (b > max_c)
        {
            a = min_c;
            b = max_c - min_c;
        }
        else
        {
            a = max_c - b;
            if (a < min_c)
            {
                a = min_c;
                b = max_c - min_c;
            }
        }
        code = -10;
    }
    if (is_track_src(ch) && a != b)
    {
        a = b = max_c * 0.5L;
        code = -10;
    }
    clamp(&a, min_c, max_c, &code);
    clamp(&b, min_c, max_c, &code);
    own->store_ampl_raw(base_record(a));
    other->store_ampl_raw(base_record(b));
    return code;
}

int32 cfg_ch_combine_t::fit_offset()
{
    if (is_any_enabled() == 0)
        return 1;
    cfg_bswv_main_t *own = cfg_get_bswv_main(ch);
    cfg_bswv_main_t *other = cfg_get_bswv_main(other_ch());
    long double max_c = std::min(own->get_max_offset(), other->get_max_offset());
    long double min_c = std::max(own->get_min_offset(), other->get_min_offset());
    if (min_c > max_c)
        min_c = max_c = 0.0L;
    long double a = signed_offset_of(ch);
    long double b = signed_offset_of(other_ch());
    int32 code = 1;
    if (a > max_c - b)
    {
        a = max_c - b;
        code = -10;
    }
    else if (a < min_c - b)
    {
        a = min_c - b;
        code = -11;
    }
    if (is_track_src(ch) && a != b)
    {
        a = b = (a + b) * 0.5L;
        code = -10;
    }
    clamp(&a, min_c, max_c, &code);
    clamp(&b, min_c, max_c, &code);
    own->store_signed_offset_raw(base_record(a));
    other->store_signed_offset_raw(base_record(b));
    // The user sees the offset inverted while the polarity is: so are the limits.
    if (cfg_get_wv_main(ch)->get_polarity() == 0)
    {
        if (code == -10)
            code = -11;
        else if (code == -11)
            code = -10;
    }
    return code;
}

int32 cfg_ch_combine_t::split(bool by_ratio, long double k, lib_unit_data_t *a, lib_unit_data_t *b)
{
    if (is_any_enabled() == 0)
        return 1;
    cfg_bswv_main_t *own = cfg_get_bswv_main(ch);
    const long double max = own->get_max_ampl();
    if (a->data + b->data <= max)
        return 1;
    const bool reference = cfg_get_couple()->get_src_ch() == ch;
    long double lo = 0.0L;
    long double hi = 0.0L;
    if (by_ratio)
    {
        lo = max / (k + 1.0L);
        hi = max * k / (k + 1.0L);
    }
    else
    {
        lo = (max - k) * 0.5L;
        hi = (max + k) * 0.5L;
    }
    a->data = reference ? lo : hi;
    b->data = reference ? hi : lo;
    own->store_ampl_raw(*a);
    return -10;
}

int32 cfg_ch_combine_t::split_ampl_by_ratio(long double r, lib_unit_data_t *a, lib_unit_data_t *b)
{
    return split(true, r, a, b);
}

int32 cfg_ch_combine_t::split_ampl_by_dev(long double d, lib_unit_data_t *a, lib_unit_data_t *b)
{
    return split(false, d, a, b);
}

void cfg_ch_combine_t::set_combine(int32 channel, int32 on)
{
    drv()->set_combine(channel, on);
}
