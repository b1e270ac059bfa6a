// cfg_ch_couple_t: the coupling of frequency, amplitude and phase between the two
// channels, its limits and its configuration setters.
#include "cfg_ch_couple.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_combine.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"
#include "lib_quantity.h"

#include <cmath>

namespace
{
constexpr long double PHASE_DEV_LIMIT = 720.0L;

lib_unit_data_t base_record(long double value)
{
    lib_unit_data_t r{};
    r.data = value;
    r.unit = LIB_UNIT_BASE;
    r.changed = false;
    return r;
}

cfg_bswv_main_t *bswv(int32 ch)
{
    return cfg_get_bswv_main(ch);
}

long double min_of(long double a, long double b)
{
    return a < b ? a : b;
}

long double max_of(long double a, long double b)
{
    return a > b ? a : b;
}
} // namespace

bool cfg_ch_couple_t::sync_done = false;

cfg_ch_couple_t::cfg_ch_couple_t()
{
    init();
}

void cfg_ch_couple_t::init()
{
    src_ch = 0;
    freq_couple_en = 0;
    ampl_couple_en = 0;
    phase_couple_en = 0;
    track_en = 0;
    freq_couple_mode = CFG_COUPLE_BY_DEVIATION;
    ampl_couple_mode = CFG_COUPLE_BY_DEVIATION;
    phase_couple_mode = CFG_COUPLE_BY_DEVIATION;
    freq_ratio = 1.0L;
    ampl_ratio = 1.0L;
    phase_ratio = 1.0L;
    freq_dev = 0.0L;
    ampl_dev = 0.0L;
    phase_dev = 0.0L;
    phase_sync_mode = 1;
}

// --- Accessors ---

int32 cfg_ch_couple_t::get_couple_en(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return freq_couple_en;
    case CFG_COUPLE_AMPL:
        return ampl_couple_en;
    case CFG_COUPLE_PHASE:
        return phase_couple_en;
    default:
        return 0;
    }
}

int32 cfg_ch_couple_t::get_couple_mode(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return freq_couple_mode;
    case CFG_COUPLE_AMPL:
        return ampl_couple_mode;
    case CFG_COUPLE_PHASE:
        return phase_couple_mode;
    default:
        return 0;
    }
}

long double cfg_ch_couple_t::get_ratio(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return freq_ratio;
    case CFG_COUPLE_AMPL:
        return ampl_ratio;
    case CFG_COUPLE_PHASE:
        return phase_ratio;
    default:
        return 0.0L;
    }
}

long double cfg_ch_couple_t::get_deviation(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return freq_dev;
    case CFG_COUPLE_AMPL:
        return ampl_dev;
    case CFG_COUPLE_PHASE:
        return phase_dev;
    default:
        return 0.0L;
    }
}

int32 cfg_ch_couple_t::is_any_couple_en() const
{
    return freq_couple_en == 1 || ampl_couple_en == 1 || phase_couple_en == 1 ? 1 : 0;
}

int32 cfg_ch_couple_t::is_current_ch(int32 ch) const
{
    return cfg_main_t::get_instance()->get_current_channel() == ch ? 1 : 0;
}

int32 cfg_ch_couple_t::is_freq_couple_active(int32 ch) const
{
    return is_current_ch(ch) && freq_couple_en != 0 && track_en != 1 ? 1 : 0;
}

int32 cfg_ch_couple_t::is_ampl_couple_active(int32 ch) const
{
    return is_current_ch(ch) && ampl_couple_en != 0 && track_en != 1 ? 1 : 0;
}

int32 cfg_ch_couple_t::is_phase_couple_active(int32 ch) const
{
    return is_current_ch(ch) && phase_couple_en != 0 ? 1 : 0;
}

int32 cfg_ch_couple_t::is_freq_same() const
{
    if (track_en == 1)
        return 1;
    if (freq_couple_en != 1)
        return 0;
    if (freq_couple_mode == CFG_COUPLE_BY_RATIO)
        return std::fabs(freq_ratio - 1.0L) < 1e-10L ? 1 : 0;
    if (freq_couple_mode == CFG_COUPLE_BY_DEVIATION)
        return std::fabs(freq_dev) < 1e-10L ? 1 : 0;
    return 0;
}

// --- Limits ---

long double cfg_ch_couple_t::get_ratio_max(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return 1e6L;
    case CFG_COUPLE_AMPL:
        return 1000.0L;
    case CFG_COUPLE_PHASE:
        return 100.0L;
    default:
        return 0.0L;
    }
}

long double cfg_ch_couple_t::get_ratio_min(int32 idx) const
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return 1e-6L;
    case CFG_COUPLE_AMPL:
        return 0.001L;
    case CFG_COUPLE_PHASE:
        return 0.01L;
    default:
        return 0.0L;
    }
}

long double cfg_ch_couple_t::get_deviation_max(int32 idx) const
{
    cfg_bswv_main_t *s = bswv(src_ch);
    cfg_bswv_main_t *o = bswv(get_other_ch(src_ch));
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return o->get_max_freq() - s->get_min_freq();
    case CFG_COUPLE_AMPL:
        return o->get_max_ampl() - s->get_min_ampl();
    case CFG_COUPLE_PHASE:
        return PHASE_DEV_LIMIT;
    default:
        return 0.0L;
    }
}

long double cfg_ch_couple_t::get_deviation_min(int32 idx) const
{
    cfg_bswv_main_t *s = bswv(src_ch);
    cfg_bswv_main_t *o = bswv(get_other_ch(src_ch));
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return o->get_min_freq() - s->get_max_freq();
    case CFG_COUPLE_AMPL:
        return o->get_min_ampl() - s->get_max_ampl();
    case CFG_COUPLE_PHASE:
        return o->get_min_phase() - s->get_max_phase();
    default:
        return 0.0L;
    }
}

long double cfg_ch_couple_t::calc_ratio_max(int32 ch, long double s_limit, long double o_limit, long double r) const
{
    const long double m = min_of(s_limit, o_limit / r);
    return ch == src_ch ? m : m * r;
}

long double cfg_ch_couple_t::calc_ratio_min(int32 ch, long double s_limit, long double o_limit, long double r) const
{
    const long double m = max_of(s_limit, o_limit / r);
    return ch == src_ch ? m : m * r;
}

long double cfg_ch_couple_t::calc_dev_max(int32 ch, long double s_limit, long double o_limit, long double d) const
{
    return ch == src_ch ? min_of(s_limit, o_limit - d) : min_of(o_limit, s_limit + d);
}

long double cfg_ch_couple_t::calc_dev_min(int32 ch, long double s_limit, long double o_limit, long double d) const
{
    return ch == src_ch ? max_of(s_limit, o_limit - d) : max_of(o_limit, s_limit + d);
}

long double cfg_ch_couple_t::get_freq_max_by_ratio(int32 ch, long double r) const
{
    return calc_ratio_max(ch, bswv(src_ch)->get_max_freq(), bswv(get_other_ch(src_ch))->get_max_freq(), r);
}

long double cfg_ch_couple_t::get_freq_min_by_ratio(int32 ch, long double r) const
{
    return calc_ratio_min(ch, bswv(src_ch)->get_min_freq(), bswv(get_other_ch(src_ch))->get_min_freq(), r);
}

long double cfg_ch_couple_t::get_ampl_max_by_ratio(int32 ch, long double r) const
{
    return calc_ratio_max(ch, bswv(src_ch)->get_max_ampl(), bswv(get_other_ch(src_ch))->get_max_ampl(), r);
}

long double cfg_ch_couple_t::get_ampl_min_by_ratio(int32 ch, long double r) const
{
    return calc_ratio_min(ch, bswv(src_ch)->get_min_ampl(), bswv(get_other_ch(src_ch))->get_min_ampl(), r);
}

long double cfg_ch_couple_t::get_freq_max_by_dev(int32 ch, long double d) const
{
    return calc_dev_max(ch, bswv(src_ch)->get_max_freq(), bswv(get_other_ch(src_ch))->get_max_freq(), d);
}

long double cfg_ch_couple_t::get_freq_min_by_dev(int32 ch, long double d) const
{
    return calc_dev_min(ch, bswv(src_ch)->get_min_freq(), bswv(get_other_ch(src_ch))->get_min_freq(), d);
}

long double cfg_ch_couple_t::get_ampl_max_by_dev(int32 ch, long double d) const
{
    return calc_dev_max(ch, bswv(src_ch)->get_max_ampl(), bswv(get_other_ch(src_ch))->get_max_ampl(), d);
}

long double cfg_ch_couple_t::get_ampl_min_by_dev(int32 ch, long double d) const
{
    return calc_dev_min(ch, bswv(src_ch)->get_min_ampl(), bswv(get_other_ch(src_ch))->get_min_ampl(), d);
}

long double cfg_ch_couple_t::get_phase_max_by_ratio(int32, long double) const
{
    return bswv(src_ch)->get_max_phase();
}

long double cfg_ch_couple_t::get_phase_min_by_ratio(int32, long double) const
{
    return bswv(src_ch)->get_min_phase();
}

long double cfg_ch_couple_t::get_phase_max_by_dev(int32, long double) const
{
    return bswv(src_ch)->get_max_phase();
}

long double cfg_ch_couple_t::get_phase_min_by_dev(int32, long double) const
{
    return bswv(src_ch)->get_min_phase();
}

// --- Coupling ---

int32 cfg_ch_couple_t::couple_freq_if_on(int32 ch, long double *value)
{
    return is_freq_couple_active(ch) ? couple_freq(ch, value) : 0;
}

int32 cfg_ch_couple_t::couple_ampl_if_on(int32 ch, long double *value)
{
    return is_ampl_couple_active(ch) ? couple_ampl(ch, value) : 0;
}

int32 cfg_ch_couple_t::couple_phase_if_on(int32 ch, long double *value)
{
    return is_phase_couple_active(ch) ? couple_phase(ch, value) : 0;
}

int32 cfg_ch_couple_t::couple_phase_track(int32 ch, long double *value)
{
    return track_en == 1 && ch == src_ch ? couple_phase(ch, value) : -12;
}

int32 cfg_ch_couple_t::couple_by_ratio(long double r, int32 ch, long double *value, const long double *max,
                                       const long double *min, long double *out)
{
    // The maximum is tested first, so an empty range gives the maximum for a value
    // above it and the minimum for every other value.
    int32 status = 1;
    if (*value > *max)
    {
        *value = *max;
        status = -10;
    }
    else if (*value < *min)
    {
        *value = *min;
        status = -11;
    }
    *out = ch == src_ch ? *value * r : *value / r;
    return status;
}

int32 cfg_ch_couple_t::couple_by_deviation(long double d, int32 ch, long double *value, const long double *max,
                                           const long double *min, long double *out)
{
    int32 status = 1;
    if (*value > *max)
    {
        *value = *max;
        status = -10;
    }
    else if (*value < *min)
    {
        *value = *min;
        status = -11;
    }
    *out = ch == src_ch ? *value + d : *value - d;
    return status;
}

int32 cfg_ch_couple_t::couple_by_mode(const couple_rule_t &rule, int32 ch, long double *value, long double *out)
{
    if (rule.mode == CFG_COUPLE_BY_RATIO)
    {
        const long double max = (this->*rule.max_by_ratio)(ch, rule.ratio);
        const long double min = (this->*rule.min_by_ratio)(ch, rule.ratio);
        return couple_by_ratio(rule.ratio, ch, value, &max, &min, out);
    }
    if (rule.mode == CFG_COUPLE_BY_DEVIATION)
    {
        const long double max = (this->*rule.max_by_dev)(ch, rule.deviation);
        const long double min = (this->*rule.min_by_dev)(ch, rule.deviation);
        return couple_by_deviation(rule.deviation, ch, value, &max, &min, out);
    }
    return 0;
}

int32 cfg_ch_couple_t::couple_freq(int32 ch, long double *value)
{
    const couple_rule_t rule{freq_couple_mode,
                             freq_ratio,
                             freq_dev,
                             &cfg_ch_couple_t::get_freq_max_by_ratio,
                             &cfg_ch_couple_t::get_freq_min_by_ratio,
                             &cfg_ch_couple_t::get_freq_max_by_dev,
                             &cfg_ch_couple_t::get_freq_min_by_dev};
    long double out = 0.0L;
    const int32 status = couple_by_mode(rule, ch, value, &out);
    if (status == 0)
        return 0;
    // Stored without re-applying the other channel's output.
    bswv(get_other_ch(ch))->store_freq(base_record(out));
    return status;
}

int32 cfg_ch_couple_t::couple_ampl(int32 ch, long double *value)
{
    const couple_rule_t rule{ampl_couple_mode,
                             ampl_ratio,
                             ampl_dev,
                             &cfg_ch_couple_t::get_ampl_max_by_ratio,
                             &cfg_ch_couple_t::get_ampl_min_by_ratio,
                             &cfg_ch_couple_t::get_ampl_max_by_dev,
                             &cfg_ch_couple_t::get_ampl_min_by_dev};
    long double out = 0.0L;
    const int32 status = couple_by_mode(rule, ch, value, &out);
    if (status == 0)
        return 0;
    lib_unit_data_t a = base_record(*value);
    lib_unit_data_t b = base_record(out);
    cfg_ch_combine_t *combine = cfg_get_combine(ch);
    const int32 combined = ampl_couple_mode == CFG_COUPLE_BY_RATIO ? combine->split_ampl_by_ratio(ampl_ratio, &a, &b)
                                                                   : combine->split_ampl_by_dev(ampl_dev, &a, &b);
    bswv(get_other_ch(ch))->set_ampl(&b);
    return status < 0 ? status : combined;
}

int32 cfg_ch_couple_t::couple_phase(int32 ch, long double *value)
{
    *value = lib_phase_mod_360(*value);
    const couple_rule_t rule{phase_couple_mode,
                             phase_ratio,
                             phase_dev,
                             &cfg_ch_couple_t::get_phase_max_by_ratio,
                             &cfg_ch_couple_t::get_phase_min_by_ratio,
                             &cfg_ch_couple_t::get_phase_max_by_dev,
                             &cfg_ch_couple_t::get_phase_min_by_dev};
    long double out = 0.0L;
    const int32 status = couple_by_mode(rule, ch, value, &out);
    if (status == 0)
        return 0;
    const lib_unit_data_t derived = base_record(out);
    bswv(get_other_ch(ch))->set_phase(&derived);
    return status;
}

int32 cfg_ch_couple_t::recouple(int32 idx)
{
    if (get_couple_en(idx) == 0)
        return 1;
    cfg_bswv_main_t *s = bswv(src_ch);
    lib_unit_data_t rec{};
    int32 r = 1;
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
    {
        s->get_freq(&rec);
        const long double before = rec.data;
        r = couple_freq(src_ch, &rec.data);
        apply_other_output();
        // A NaN never equals its copy, so it is stored as well.
        if (rec.data != before)
            s->set_freq(rec);
        return r;
    }
    case CFG_COUPLE_AMPL:
    {
        s->get_ampl(&rec);
        const long double before = rec.data;
        r = couple_ampl(src_ch, &rec.data);
        if (rec.data != before)
            s->set_ampl(&rec);
        return r;
    }
    case CFG_COUPLE_PHASE:
    {
        s->get_phase(&rec);
        const long double before = rec.data;
        r = couple_phase(src_ch, &rec.data);
        if (rec.data != before)
            s->set_phase(&rec);
        return r;
    }
    default:
        return 1;
    }
}

int32 cfg_ch_couple_t::recouple_all()
{
    recouple(CFG_COUPLE_FREQ);
    recouple(CFG_COUPLE_AMPL);
    recouple(CFG_COUPLE_PHASE);
    return 1;
}

// --- Configuration setters ---

int32 cfg_ch_couple_t::clamp(long double *value, long double min, long double max)
{
    if (*value > max)
    {
        *value = max;
        return -10;
    }
    if (*value < min)
    {
        *value = min;
        return -11;
    }
    return 1;
}

int32 cfg_ch_couple_t::set_couple_en(int32 idx, int32 en)
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        freq_couple_en = en;
        write_phases();
        if (bswv(src_ch)->get_sample_rate_mode() == 0)
            update_sync_enable();
        break;
    case CFG_COUPLE_AMPL:
        ampl_couple_en = en;
        break;
    case CFG_COUPLE_PHASE:
        if (phase_couple_mode != CFG_COUPLE_BY_DEVIATION && track_en == 1)
            return -12;
        phase_couple_en = en;
        break;
    default:
        break;
    }
    recouple(idx);
    if (idx == CFG_COUPLE_FREQ)
        apply_sync();
    return 1;
}

int32 cfg_ch_couple_t::set_couple_mode(int32 idx, int32 mode)
{
    if (idx < CFG_COUPLE_FREQ || idx > CFG_COUPLE_PHASE)
        return 1;
    if (mode != CFG_COUPLE_BY_RATIO && mode != CFG_COUPLE_BY_DEVIATION)
        return -13;
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        if (track_en != 0)
            return -12;
        freq_couple_mode = mode;
        break;
    case CFG_COUPLE_AMPL:
        if (track_en != 0)
            return -12;
        ampl_couple_mode = mode;
        break;
    default:
        if (mode != CFG_COUPLE_BY_DEVIATION && track_en == 1)
            return -12;
        phase_couple_mode = mode;
        break;
    }
    recouple(idx);
    if (idx == CFG_COUPLE_FREQ)
        apply_sync();
    return 1;
}

int32 cfg_ch_couple_t::set_freq_ratio(long double r)
{
    if (track_en != 0)
        return -12;
    const int32 status = clamp(&r, get_ratio_min(CFG_COUPLE_FREQ), get_ratio_max(CFG_COUPLE_FREQ));
    freq_ratio = r;
    recouple(CFG_COUPLE_FREQ);
    write_phases();
    apply_sync();
    return status;
}

int32 cfg_ch_couple_t::set_ampl_ratio(long double r)
{
    if (track_en != 0)
        return -12;
    const int32 status = clamp(&r, get_ratio_min(CFG_COUPLE_AMPL), get_ratio_max(CFG_COUPLE_AMPL));
    ampl_ratio = r;
    recouple(CFG_COUPLE_AMPL);
    return status;
}

int32 cfg_ch_couple_t::set_phase_ratio(long double r)
{
    if (track_en != 0)
        return -12;
    const int32 status = clamp(&r, get_ratio_min(CFG_COUPLE_PHASE), get_ratio_max(CFG_COUPLE_PHASE));
    phase_ratio = r;
    recouple(CFG_COUPLE_PHASE);
    return status;
}

int32 cfg_ch_couple_t::set_ratio(int32 idx, long double r)
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return set_freq_ratio(r);
    case CFG_COUPLE_AMPL:
        return set_ampl_ratio(r);
    case CFG_COUPLE_PHASE:
        return set_phase_ratio(r);
    default:
        return 0;
    }
}

int32 cfg_ch_couple_t::set_freq_deviation(long double d)
{
    if (track_en != 0)
        return -12;
    const int32 status = clamp(&d, get_deviation_min(CFG_COUPLE_FREQ), get_deviation_max(CFG_COUPLE_FREQ));
    freq_dev = d;
    recouple(CFG_COUPLE_FREQ);
    write_phases();
    apply_sync();
    return status;
}

int32 cfg_ch_couple_t::set_ampl_deviation(long double d)
{
    if (track_en != 0)
        return -12;
    const int32 status = clamp(&d, get_deviation_min(CFG_COUPLE_AMPL), get_deviation_max(CFG_COUPLE_AMPL));
    ampl_dev = d;
    recouple(CFG_COUPLE_AMPL);
    return status;
}

int32 cfg_ch_couple_t::set_phase_deviation(long double d)
{
    // Tracking keeps the phase offset adjustable.
    const int32 status = clamp(&d, -PHASE_DEV_LIMIT, PHASE_DEV_LIMIT);
    phase_dev = d;
    recouple(CFG_COUPLE_PHASE);
    return status;
}

int32 cfg_ch_couple_t::set_deviation(int32 idx, long double d)
{
    switch (idx)
    {
    case CFG_COUPLE_FREQ:
        return set_freq_deviation(d);
    case CFG_COUPLE_AMPL:
        return set_ampl_deviation(d);
    case CFG_COUPLE_PHASE:
        return set_phase_deviation(d);
    default:
        return 0;
    }
}

int32 cfg_ch_couple_t::set_src_ch(int32 ch)
{
    if (is_couple_supported())
    {
        src_ch = ch;
        recouple_all();
    }
    return 1;
}
