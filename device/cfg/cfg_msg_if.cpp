// cfg_msg_if_t: each handler picks the channel's object and operation, applies the
// tracking rule and passes the result through.
#include "cfg_msg_if.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "lib_instance_slot.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "lib_quantity.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr int32 BAD_CHANNEL = -12;
constexpr int32 BAD_VALUE = -13;

bool bad_channel(const cfg_msg_para_t *p)
{
    return p->ch != 0 && p->ch != 1;
}

cfg_bswv_main_t *bswv(int32 ch)
{
    return cfg_get_bswv_main(ch);
}

cfg_wv_main_t *wv(int32 ch)
{
    return cfg_get_wv_main(ch);
}

// The tracking rule: the other channel first (through other_op), then the addressed
// one, whose result counts.
template <typename Other, typename Own>
int32 tracked(int32 ch, Other other_op, Own own_op)
{
    if (cfg_get_couple()->is_track_src(ch) == 1)
        other_op(lib_other_ch(ch));
    return own_op(ch);
}

template <typename Op>
int32 tracked(int32 ch, Op op)
{
    return tracked(ch, op, op);
}

// The checks every value setter makes before anything is stored.
#define CFG_MSG_CHECK_CHANNEL(p)                                                                                       \
    if (bad_channel(p))                                                                                                \
    return BAD_CHANNEL
#define CFG_MSG_CHECK_UNIT(p)                                                                                          \
    CFG_MSG_CHECK_CHANNEL(p);                                                                                          \
    if (!std::isfinite((p)->value.unit.data))                                                                          \
    return BAD_VALUE
#define CFG_MSG_CHECK_POINTER(p)                                                                                       \
    CFG_MSG_CHECK_CHANNEL(p);                                                                                          \
    if ((p)->value.ptr == nullptr)                                                                                     \
    return BAD_VALUE
} // namespace

namespace
{
lib_instance_slot_t<cfg_msg_if_t> s_msg_if;
} // namespace

cfg_msg_if_t *cfg_msg_if_t::get_instance()
{
    return s_msg_if.get();
}

void cfg_msg_if_t::reset_instance()
{
    s_msg_if.reset();
}

int32 cfg_msg_if_t::nop(cfg_msg_para_t *)
{
    return 1;
}

int32 cfg_msg_if_t::nop_zero(cfg_msg_para_t *)
{
    return 0;
}

// --- Root ---

int32 cfg_msg_if_t::get_max_freq(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i64 = bswv(p->ch)->get_max_freq_int();
    return 1;
}

int32 cfg_msg_if_t::set_current_ch(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    cfg_main_t::get_instance()->set_current_channel(p->ch);
    return 1;
}

int32 cfg_msg_if_t::get_current_ch(cfg_msg_para_t *p)
{
    p->ch = cfg_main_t::get_instance()->get_current_channel();
    return 1;
}

int32 cfg_msg_if_t::reapply_device(cfg_msg_para_t *)
{
    cfg_main_t::get_instance()->restore_clock(0);
    return 0;
}

int32 cfg_msg_if_t::get_root_flag(cfg_msg_para_t *p)
{
    p->value.i = cfg_main_t::get_instance()->get_root_flag();
    return 1;
}

int32 cfg_msg_if_t::align_phase(cfg_msg_para_t *)
{
    return cfg_main_t::get_instance()->align_phase();
}

int32 cfg_msg_if_t::copy_ch(cfg_msg_para_t *p)
{
    const int32 *pair = static_cast<const int32 *>(p->value.ptr);
    if (pair == nullptr)
        return BAD_VALUE;
    return cfg_main_t::get_instance()->copy_channel(pair[0], pair[1]);
}

// --- Channel object ---

int32 cfg_msg_if_t::set_switch(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    wv(p->ch)->set_output(p->value.i);
    return 1;
}

int32 cfg_msg_if_t::get_switch(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = wv(p->ch)->get_output();
    return 1;
}

int32 cfg_msg_if_t::set_run_mode(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    const int32 mode = p->value.i;
    return tracked(p->ch, [mode](int32 c) { return wv(c)->change_run_mode(mode); });
}

int32 cfg_msg_if_t::get_run_mode(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = wv(p->ch)->get_run_mode();
    return 1;
}

int32 cfg_msg_if_t::set_polarity(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    const int32 polarity = p->value.i;
    return tracked(p->ch, [polarity](int32 c) { return wv(c)->set_polarity(polarity); });
}

int32 cfg_msg_if_t::get_polarity(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = wv(p->ch)->get_polarity();
    return 1;
}

int32 cfg_msg_if_t::set_wave_type(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    const int32 type = p->value.i;
    return tracked(p->ch, [type](int32 c) { return wv(c)->set_wave_type(type); });
}

int32 cfg_msg_if_t::get_wave_type(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = wv(p->ch)->get_basic_wave_type();
    return 1;
}

// --- Basic-wave settings ---

// Each channel gets the load as asked, so the addressed channel reports its own clamp
// even when the tracked channel clamped first; the record gets the clamped load back.
int32 cfg_msg_if_t::set_load(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    const int32 asked = p->value.i;
    int32 *ohms = &p->value.i;
    return tracked(p->ch, [asked, ohms](int32 c) {
        *ohms = asked;
        return bswv(c)->set_load(ohms);
    });
}

int32 cfg_msg_if_t::get_load(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    bswv(p->ch)->get_load(&p->value.i);
    return 1;
}

// A unit setter whose other channel gets a store operation instead of the setter.
#define CFG_MSG_UNIT_SETTER_STORE(handler, other_op, own_op)                                                           \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_UNIT(p);                                                                                         \
        const lib_unit_data_t v = p->value.unit;                                                                       \
        return tracked(                                                                                                \
            p->ch, [v](int32 c) { return bswv(c)->other_op(v); }, [v](int32 c) { return bswv(c)->own_op(v); });      \
    }
// A unit setter that takes its record by value on both channels.
#define CFG_MSG_UNIT_SETTER(handler, op)                                                                               \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_UNIT(p);                                                                                         \
        const lib_unit_data_t v = p->value.unit;                                                                       \
        return tracked(p->ch, [v](int32 c) { return bswv(c)->op(v); });                                               \
    }
// A unit setter that takes a pointer: each channel gets its own copy.
#define CFG_MSG_UNIT_SETTER_PTR(handler, op)                                                                           \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_UNIT(p);                                                                                         \
        const lib_unit_data_t v = p->value.unit;                                                                       \
        return tracked(p->ch, [v](int32 c) {                                                                           \
            lib_unit_data_t copy = v;                                                                                  \
            return bswv(c)->op(&copy);                                                                                 \
        });                                                                                                            \
    }
#define CFG_MSG_UNIT_GETTER(handler, op)                                                                               \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_CHANNEL(p);                                                                                      \
        bswv(p->ch)->op(&p->value.unit);                                                                               \
        return 1;                                                                                                      \
    }
#define CFG_MSG_INT_SETTER(handler, op)                                                                                \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_CHANNEL(p);                                                                                      \
        const int32 v = p->value.i;                                                                                    \
        return tracked(p->ch, [v](int32 c) { return bswv(c)->op(v); });                                               \
    }
// An int field answered by value.
#define CFG_MSG_INT_GETTER(handler, op)                                                                                \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_CHANNEL(p);                                                                                      \
        p->value.i = bswv(p->ch)->op();                                                                                \
        return 1;                                                                                                      \
    }
// An int field written through the getter's pointer.
#define CFG_MSG_INT_OUT_GETTER(handler, op)                                                                            \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_CHANNEL(p);                                                                                      \
        bswv(p->ch)->op(&p->value.i);                                                                                  \
        return 1;                                                                                                      \
    }
// A bare long double answered as a record in the base unit.
#define CFG_MSG_LD_GETTER(handler, op)                                                                                 \
    int32 cfg_msg_if_t::handler(cfg_msg_para_t *p)                                                                    \
    {                                                                                                                  \
        CFG_MSG_CHECK_CHANNEL(p);                                                                                      \
        long double v = 0.0L;                                                                                          \
        bswv(p->ch)->op(&v);                                                                                           \
        p->value.unit = lib_unit_data_t{v, LIB_UNIT_BASE, false};                                                      \
        return 1;                                                                                                      \
    }

CFG_MSG_UNIT_SETTER_STORE(set_freq, store_freq, set_freq)
CFG_MSG_UNIT_GETTER(get_freq, get_freq)
CFG_MSG_UNIT_SETTER_STORE(set_period, store_period, set_period)
CFG_MSG_UNIT_GETTER(get_period, get_period)
CFG_MSG_UNIT_SETTER_PTR(set_ampl, set_ampl)
CFG_MSG_UNIT_GETTER(get_ampl, get_ampl)
CFG_MSG_UNIT_SETTER_PTR(set_ampl_vrms, set_ampl_vrms)
CFG_MSG_UNIT_SETTER_PTR(set_ampl_dbm, set_ampl_dbm)
CFG_MSG_UNIT_SETTER_PTR(set_offset, set_offset)
CFG_MSG_UNIT_GETTER(get_offset, get_offset)
CFG_MSG_UNIT_SETTER(set_high_level, set_high_level)
CFG_MSG_UNIT_GETTER(get_high_level, get_high_level)
CFG_MSG_UNIT_SETTER(set_low_level, set_low_level)
CFG_MSG_UNIT_GETTER(get_low_level, get_low_level)
CFG_MSG_UNIT_GETTER(get_phase, get_phase)
CFG_MSG_UNIT_GETTER(get_duty, get_duty)
CFG_MSG_UNIT_SETTER_PTR(set_symmetry, set_symmetry)
CFG_MSG_UNIT_GETTER(get_symmetry, get_symmetry)
CFG_MSG_UNIT_SETTER(set_pulse_duty, set_pulse_duty)
CFG_MSG_UNIT_GETTER(get_pulse_duty, get_pulse_duty)
CFG_MSG_UNIT_SETTER(set_width, set_width)
CFG_MSG_UNIT_GETTER(get_width, get_pulse_width)
CFG_MSG_UNIT_SETTER(set_rise_edge, set_rise_edge)
CFG_MSG_UNIT_GETTER(get_rise_edge, get_rise_edge)
CFG_MSG_UNIT_SETTER(set_fall_edge, set_fall_edge)
CFG_MSG_UNIT_GETTER(get_fall_edge, get_fall_edge)
CFG_MSG_UNIT_SETTER(set_delay, set_pulse_delay)
CFG_MSG_UNIT_GETTER(get_delay, get_pulse_delay)
CFG_MSG_UNIT_SETTER(set_stdev, set_noise_stdev)
CFG_MSG_UNIT_GETTER(get_stdev, get_noise_stdev)
CFG_MSG_UNIT_SETTER(set_mean, set_mean)
CFG_MSG_UNIT_GETTER(get_mean, get_offset)
CFG_MSG_UNIT_SETTER(set_noise_bandwidth, set_noise_bandwidth)
CFG_MSG_UNIT_GETTER(get_noise_bandwidth, get_noise_bandwidth)
CFG_MSG_UNIT_SETTER_STORE(set_sample_rate, store_sample_rate, set_sample_rate)
CFG_MSG_UNIT_GETTER(get_sample_rate, get_sample_rate)
CFG_MSG_UNIT_GETTER(get_prbs_length, get_prbs_length)
CFG_MSG_UNIT_SETTER_PTR(set_prbs_edge, set_prbs_edge)
CFG_MSG_UNIT_GETTER(get_prbs_edge, get_prbs_edge)
CFG_MSG_INT_SETTER(set_pulse_hold, set_pulse_hold)
CFG_MSG_INT_SETTER(set_sample_rate_mode, set_sample_rate_mode)
CFG_MSG_INT_SETTER(set_arb_wave, set_arb_wave)

// The rms and dBm amplitudes do not exist for every wave: the getter's -12 is passed
// on rather than reported as a value read.
int32 cfg_msg_if_t::get_ampl_vrms(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    return bswv(p->ch)->get_ampl_vrms(&p->value.unit);
}

int32 cfg_msg_if_t::get_ampl_dbm(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    return bswv(p->ch)->get_ampl_dbm(&p->value.unit);
}

// The other channel's phase follows through the coupling's tracked phase.
int32 cfg_msg_if_t::set_phase(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_UNIT(p);
    long double other = p->value.unit.data;
    cfg_get_couple()->couple_phase_track(p->ch, &other);
    const lib_unit_data_t own = p->value.unit;
    return bswv(p->ch)->set_phase(&own);
}

int32 cfg_msg_if_t::set_duty(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_UNIT(p);
    const lib_unit_data_t v = p->value.unit;
    return tracked(
        p->ch, [v](int32 c) { return bswv(c)->store_duty(v); },
        [v](int32 c) {
            lib_unit_data_t copy = v;
            return bswv(c)->set_duty(&copy);
        });
}

int32 cfg_msg_if_t::set_prbs_length(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_UNIT(p);
    const lib_unit_data_t v = p->value.unit;
    return tracked(
        p->ch, [v](int32 c) { return bswv(c)->store_prbs_length(v); },
        [v](int32 c) {
            lib_unit_data_t copy = v;
            return bswv(c)->set_prbs_length(&copy);
        });
}

CFG_MSG_INT_GETTER(get_pulse_hold, get_pulse_hold)
// The switch setter answers 1 whatever the driver lets it store.
CFG_MSG_INT_SETTER(set_noise_bandwidth_switch, set_noise_bandwidth_switch)
CFG_MSG_INT_OUT_GETTER(get_noise_bandwidth_switch, get_noise_bandwidth_switch)

// The mode itself is the answer.
int32 cfg_msg_if_t::get_sample_rate_mode(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = bswv(p->ch)->get_sample_rate_mode();
    return p->value.i;
}

// --- Arbitrary waves and wave data ---

CFG_MSG_INT_GETTER(get_arb_wave, get_arb_wave)

int32 cfg_msg_if_t::load_arb_file(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_POINTER(p);
    const char *path = static_cast<const char *>(p->value.ptr);
    return tracked(p->ch, [path](int32 c) { return bswv(c)->load_arb_wave_file(std::string(path)); });
}

int32 cfg_msg_if_t::get_arb_wave_name(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_POINTER(p);
    *static_cast<std::string *>(p->value.ptr) = bswv(p->ch)->get_arb_wave_name();
    return 1;
}

CFG_MSG_INT_GETTER(get_wave_len, get_wave_len)

int32 cfg_msg_if_t::get_wave_data(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_POINTER(p);
    return bswv(p->ch)->get_wave_data(static_cast<std::vector<int16> *>(p->value.ptr));
}

int32 cfg_msg_if_t::get_wave_name(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_POINTER(p);
    *static_cast<std::string *>(p->value.ptr) = bswv(p->ch)->get_current_arb_wave_name();
    return 1;
}

CFG_MSG_INT_GETTER(get_arb_flag, get_arb_flag)

int32 cfg_msg_if_t::get_arb_rate_cap(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    p->value.i = bswv(p->ch)->get_arb_rate_cap();
    return 0;
}

CFG_MSG_INT_GETTER(get_noise_bw_cap, get_noise_bw_cap)
CFG_MSG_INT_GETTER(get_extra_cap, get_extra_cap)
CFG_MSG_INT_GETTER(get_square_combine_cap, get_square_combine_cap)

// --- Harmonics ---

CFG_MSG_INT_SETTER(set_harmonic_switch, set_harmonic_switch)
CFG_MSG_INT_OUT_GETTER(get_harmonic_switch, get_harmonic_switch)
CFG_MSG_INT_SETTER(set_harmonic_order, set_harmonic_order)

// The order is answered as a long double.
int32 cfg_msg_if_t::get_harmonic_order(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    int32 order = 0;
    bswv(p->ch)->get_harmonic_order(&order);
    p->value.ld = order;
    return 1;
}

CFG_MSG_INT_SETTER(set_harmonic_type, set_harmonic_type)
CFG_MSG_INT_OUT_GETTER(get_harmonic_type, get_harmonic_type)
CFG_MSG_UNIT_SETTER(set_harmonic_ampl, set_harmonic_ampl)
CFG_MSG_LD_GETTER(get_harmonic_ampl, get_harmonic_ampl)
CFG_MSG_UNIT_SETTER_PTR(set_harmonic_level, set_harmonic_level)
CFG_MSG_UNIT_GETTER(get_harmonic_level, get_harmonic_level)
CFG_MSG_UNIT_SETTER(set_harmonic_phase, set_harmonic_phase)
CFG_MSG_LD_GETTER(get_harmonic_phase, get_harmonic_phase)

int32 cfg_msg_if_t::get_harmonic_ampls(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_POINTER(p);
    return bswv(p->ch)->get_harmonic_ampls(static_cast<std::map<int32, long double> *>(p->value.ptr));
}

// --- Small settings and PRBS ---

int32 cfg_msg_if_t::set_user_flag(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    return bswv(p->ch)->set_user_flag(p->value.i);
}

CFG_MSG_INT_GETTER(get_user_flag, get_user_flag)

int32 cfg_msg_if_t::set_arb_rate_switch(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    const int32 on = p->value.i;
    return tracked(p->ch, [on](int32 c) {
        bswv(c)->set_arb_rate_switch(on);
        return 1;
    });
}

CFG_MSG_INT_GETTER(get_arb_rate_switch, get_arb_rate_switch)

int32 cfg_msg_if_t::set_prbs_link(cfg_msg_para_t *p)
{
    CFG_MSG_CHECK_CHANNEL(p);
    return bswv(p->ch)->set_prbs_link(p->value.i);
}

CFG_MSG_INT_OUT_GETTER(get_prbs_link, get_prbs_link)
